#include "wizard/InstallOptionPage.h"

#include "resources/wizard_ids.h"

CInstallOptionPage::CInstallOptionPage() : fw::PropPage(IDD_INSTALL_OPTION_PAGE) {}

BOOL CInstallOptionPage::OnInitDialog() {
    m_staticDescription = GetItem(IDC_INSTALL_OPTION_DESCRIPTION);
    m_listOptions = GetItem(IDC_INSTALL_OPTIONS);
    if (m_pOptions) {
        for (const COptionItem* option : *m_pOptions)
            SendMessageA(m_listOptions, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(option->m_strName.c_str()));
    }
    SendMessageA(m_listOptions, LB_SETCURSEL, 0, 0);
    UpdateOptionSelection();
    return TRUE;
}

BOOL CInstallOptionPage::OnSetActive() {
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return fw::PropPage::OnSetActive();
}

BOOL CInstallOptionPage::OnCommand(WORD id, WORD notifyCode, HWND control) {
    if (id == IDC_INSTALL_OPTIONS && notifyCode == LBN_SELCHANGE) {
        UpdateOptionSelection();
        return TRUE;
    }
    return fw::PropPage::OnCommand(id, notifyCode, control);
}

void CInstallOptionPage::UpdateOptionSelection() {
    const LRESULT selected = SendMessageA(m_listOptions, LB_GETCURSEL, 0, 0);
    // The list holds the options in their order, so its index is the option's.
    if (selected == LB_ERR || !m_pOptions || static_cast<size_t>(selected) >= m_pOptions->size()) {
        SetWindowTextA(m_staticDescription, "");
        m_strOption.clear();
        return;
    }
    const COptionItem* option = (*m_pOptions)[static_cast<size_t>(selected)];
    SetWindowTextA(m_staticDescription, option->m_strDescription.c_str());
    m_strOption = option->m_strName;
}
