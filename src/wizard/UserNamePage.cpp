#include "wizard/UserNamePage.h"

#include <string>

#include "core/ShiftJis.h"
#include "resources/wizard_ids.h"
#include "script/PathMacros.h"

CUserNamePage::CUserNamePage() : fw::PropPage(IDD_USER_NAME_PAGE) {}

BOOL CUserNamePage::OnInitDialog() {
    m_editName = GetItem(IDC_USER_NAME);
    // A negative maximum is no limit, like 0.
    if (m_nMaxLength > 0) SendMessageA(m_editName, EM_LIMITTEXT, static_cast<WPARAM>(m_nMaxLength), 0);
    return TRUE;
}

BOOL CUserNamePage::OnSetActive() {
    UpdateNameState();
    return fw::PropPage::OnSetActive();
}

BOOL CUserNamePage::OnCommand(WORD id, WORD notifyCode, HWND control) {
    if (id == IDC_USER_NAME && notifyCode == EN_UPDATE) {
        UpdateNameState();
        return TRUE;
    }
    return fw::PropPage::OnCommand(id, notifyCode, control);
}

void CUserNamePage::UpdateNameState() {
    std::string name = GetItemText(IDC_USER_NAME);  // Shift-JIS bytes
    if (m_nMaxLength > 0 && name.size() > static_cast<size_t>(m_nMaxLength)) {
        // The maximum counts bytes, but an edit control may count characters (it does
        // on Unicode systems): cut the name back to whole characters within the limit.
        name = std::string(core::CutShiftJis(name, static_cast<size_t>(m_nMaxLength)));
        SetWindowTextA(m_editName, name.c_str());
        SendMessageA(m_editName, EM_SETSEL, name.size(), name.size());
        MessageBeep(MB_OK);
    }
    if (m_nMinLength != 0) {
        const bool shortName = static_cast<long long>(name.size()) < m_nMinLength;
        SetWizardButtons(shortName ? PSWIZB_BACK : PSWIZB_BACK | PSWIZB_NEXT);
    }
    SetUserNameMacro(name);
}
