#pragma once
// The choice of one install option: the options' names in a list, the selected one's
// description beside it.
#include <windows.h>

#include <string>

#include "framework/PropSheet.h"
#include "script/SetupItems.h"

class CInstallOptionPage : public fw::PropPage {
public:
    CInstallOptionPage();

    HWND m_staticDescription = nullptr;         // static 1004
    HWND m_listOptions = nullptr;               // list box 1002
    const COptionItemArray* m_pOptions = nullptr;  // the document's options, not owned
    std::string m_strOption;                    // name of the selected option

    // Shows the selected option's description and takes its name.
    void UpdateOptionSelection();

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnCommand(WORD id, WORD notifyCode, HWND control) override;
};
