#pragma once
// The user's name, which becomes the value of $UserName$ at every change. Next is
// enabled only when the name has at least m_nMinLength bytes (a double-byte character
// counts two); with no minimum the page leaves the buttons alone.
#include <windows.h>

#include "framework/PropSheet.h"

class CUserNamePage : public fw::PropPage {
public:
    CUserNamePage();

    HWND m_editName = nullptr;  // edit 1015
    int m_nMinLength = 0;       // bytes; 0: no minimum
    int m_nMaxLength = 0;       // bytes (EM_LIMITTEXT, then cut back); 0: no limit

    void UpdateNameState();

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnCommand(WORD id, WORD notifyCode, HWND control) override;
};
