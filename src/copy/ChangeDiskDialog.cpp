#include "copy/ChangeDiskDialog.h"

#include "core/TextFormat.h"
#include "resources/copy_ids.h"

CChangeDiskDialog::CChangeDiskDialog(int diskNumber, HWND parent)
    : CMessageDialog(IDD_CHANGE_DISK, parent), m_nDiskNumber(diskNumber) {}

BOOL CChangeDiskDialog::OnInitDialog() {
    SetItemText(IDC_CHANGE_DISK_TEXT, core::FormatWithNumber(GetItemText(IDC_CHANGE_DISK_TEXT), m_nDiskNumber));
    const BOOL result = CMessageDialog::OnInitDialog();
    // Below the middle of the screen, where the progress dialog sits, so the user sees
    // how far the copy has come while changing disks.
    RECT own = {};
    GetWindowRect(m_hWnd, &own);
    const int width = own.right - own.left;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    SetWindowPos(m_hWnd, nullptr, (screenWidth - width) / 2, screenHeight * 5 / 8, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return result;
}
