#include "framework/MessageBox.h"

namespace fw {

int SetupMessageBox(const char* text, UINT type, HWND owner) {
    return MessageBoxA(owner, text, kSetupCaption, type);
}

}  // namespace fw
