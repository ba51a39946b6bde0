#include "wizard/InstallDirectoryPage.h"

#include "core/PercentFormat.h"
#include "resources/wizard_ids.h"
#include "wizard/BrowseDialog.h"

CInstallDirectoryPage::CInstallDirectoryPage() : fw::PropPage(IDD_INSTALL_DIRECTORY_PAGE) {}

BOOL CInstallDirectoryPage::OnInitDialog() {
    m_staticDir = GetItem(IDC_INSTALL_DIRECTORY);
    SetWindowTextA(m_staticDir, m_strDir.c_str());
    for (int id : {IDC_INSTALL_DIRECTORY_TEXT, IDC_INSTALL_DIRECTORY_NOT_TEXT})
        SetItemText(id, core::FormatPercentS(GetItemText(id), m_strProduct));
    return TRUE;
}

BOOL CInstallDirectoryPage::OnSetActive() {
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return fw::PropPage::OnSetActive();
}

BOOL CInstallDirectoryPage::OnKillActive() {
    m_strDir = GetItemText(IDC_INSTALL_DIRECTORY);
    return fw::PropPage::OnKillActive();
}

BOOL CInstallDirectoryPage::OnCommand(WORD id, WORD notifyCode, HWND control) {
    if (id == IDC_INSTALL_DIRECTORY_BROWSE && notifyCode == BN_CLICKED) {
        OnBrowse();
        return TRUE;
    }
    return fw::PropPage::OnCommand(id, notifyCode, control);
}

void CInstallDirectoryPage::OnBrowse() {
    // Owned by the sheet, so the wizard cannot be used while the chooser is open.
    CBrowseDialog browse(m_strDir, GetParent(m_hWnd));
    if (browse.DoModal() != IDOK) return;
    m_strDir = browse.GetDirectory();
    SetWindowTextA(m_staticDir, m_strDir.c_str());
}
