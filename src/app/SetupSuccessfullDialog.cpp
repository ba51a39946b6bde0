#include "app/SetupSuccessfullDialog.h"

#include "resources/dialog_ids.h"

CSetupSuccessfullDialog::CSetupSuccessfullDialog(HWND parent) : CMessageDialog(IDD_SETUP_SUCCESSFULL, parent) {}

BOOL CSetupSuccessfullDialog::OnInitDialog() {
    const BOOL result = CMessageDialog::OnInitDialog();
    BringWindowToTop(m_hWnd);
    return result;
}
