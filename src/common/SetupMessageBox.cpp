#include "common/SetupMessageBox.h"

#include "framework/App.h"

int SetupMessageBox(const char* text, UINT type, HWND owner) {
    const fw::ModalLoopScope modal;
    return MessageBoxA(owner, text, kSetupCaption, type);
}
