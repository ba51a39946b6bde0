#pragma once
// The installation directory: shown in a static, changed through the directory chooser.
// The page does not check the directory; the copy phase creates it.
#include <windows.h>

#include <string>

#include "framework/PropSheet.h"

class CInstallDirectoryPage : public fw::PropPage {
public:
    CInstallDirectoryPage();

    HWND m_staticDir = nullptr;  // static 1004, showing m_strDir
    std::string m_strDir;        // set by the driver before the sheet exists; the answer
    std::string m_strProduct;

    // Button 1003: runs CBrowseDialog from m_strDir; OK takes its directory.
    void OnBrowse();

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    BOOL OnCommand(WORD id, WORD notifyCode, HWND control) override;
};
