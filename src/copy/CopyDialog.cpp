#include "copy/CopyDialog.h"

#include "common/Messages.h"

namespace {
constexpr const char kCopyClass[] = "Setup.Copy";
}  // namespace

BOOL CCopyDialog::Create(HWND parent) {
    RegisterWindowClass(kCopyClass, 0, nullptr);
    // An invisible child: it only carries the phase's lifetime for the driver.
    if (!fw::Window::Create(kCopyClass, "", WS_CHILD, 0, 0, 0, 0, 0, parent, nullptr)) return FALSE;
    PostMessageA(parent, WM_SETUP_COPY_DONE, SETUP_DONE, 0);
    return TRUE;
}
