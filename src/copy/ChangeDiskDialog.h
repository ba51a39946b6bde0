#pragma once
// The prompt for the next source disk (no title bar): "%d 枚目のディスクに交換してください。"
// with the disk number. IDOK "OK" (default) or IDCANCEL "ｷｬﾝｾﾙ".
#include <windows.h>

#include "common/MessageDialog.h"

class CChangeDiskDialog : public CMessageDialog {
public:
    explicit CChangeDiskDialog(int diskNumber, HWND parent = nullptr);

    int m_nDiskNumber;

protected:
    BOOL OnInitDialog() override;
};
