#include "copy/ChangeDiskDialog.h"

#include "core/TextFormat.h"
#include "resources/copy_ids.h"

CChangeDiskDialog::CChangeDiskDialog(int diskNumber, HWND parent)
    : CMessageDialog(IDD_CHANGE_DISK, parent), m_nDiskNumber(diskNumber) {}

BOOL CChangeDiskDialog::OnInitDialog() {
    SetItemText(IDC_CHANGE_DISK_TEXT, core::FormatWithNumber(GetItemText(IDC_CHANGE_DISK_TEXT), m_nDiskNumber));
    return CMessageDialog::OnInitDialog();
}
