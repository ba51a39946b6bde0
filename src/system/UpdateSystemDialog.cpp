#include "system/UpdateSystemDialog.h"

#include "common/Messages.h"

namespace {
constexpr const char kUpdateClass[] = "Setup.UpdateSystem";
}  // namespace

BOOL CUpdateSystemDialog::StartUpdate(HWND parent) {
    RegisterWindowClass(kUpdateClass, 0, nullptr);
    if (!fw::Window::Create(kUpdateClass, "", WS_CHILD, 0, 0, 0, 0, 0, parent, nullptr)) return FALSE;
    PostMessageA(parent, WM_SETUP_UPDATE_DONE, SETUP_DONE, 0);
    // The phase's window is gone when the driver hears of the end.
    DestroyWindow();
    return TRUE;
}
