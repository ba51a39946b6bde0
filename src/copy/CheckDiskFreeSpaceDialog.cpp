#include "copy/CheckDiskFreeSpaceDialog.h"

#include "common/Messages.h"

namespace {
constexpr const char kCheckClass[] = "Setup.CheckDiskFreeSpace";
}  // namespace

CCheckDiskFreeSpaceDialog::~CCheckDiskFreeSpaceDialog() {
    for (CDiskItem* disk : m_arrDisks) delete disk;
    m_arrDisks.clear();
}

BOOL CCheckDiskFreeSpaceDialog::Create(HWND parent) {
    RegisterWindowClass(kCheckClass, 0, nullptr);
    // An invisible child: it only carries the check's lifetime for the driver.
    if (!fw::Window::Create(kCheckClass, "", WS_CHILD, 0, 0, 0, 0, 0, parent, nullptr)) return FALSE;
    PostMessageA(parent, WM_SETUP_DISKCHECK_DONE, SETUP_DONE, 0);
    return TRUE;
}

CInfoDiskFreeSpaceDialog::CInfoDiskFreeSpaceDialog(HWND parent) : m_hWndParent(parent) {}

INT_PTR CInfoDiskFreeSpaceDialog::DoModal() { return IDOK; }
