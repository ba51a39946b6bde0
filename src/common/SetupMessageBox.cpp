#include "common/SetupMessageBox.h"

int SetupMessageBox(const char* text, UINT type, HWND owner) { return MessageBoxA(owner, text, kSetupCaption, type); }
