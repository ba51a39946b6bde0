#pragma once
// The system update phase. This first version changes nothing on the system: StartUpdate
// reports the update as done and the window closes itself, as the updating one does
// once its worker has finished. The install driver uses it exactly as it will use that
// one (lists and group name set, StartUpdate with the view, shown, deleted after the report).
#include <windows.h>

#include <string>

#include "framework/Window.h"
#include "script/SetupItems.h"

class CUpdateSystemDialog : public fw::Window {
public:
    CUpdateSystemDialog() = default;

    // Creates the window over the parent (the driver's view), which receives
    // WM_SETUP_UPDATE_DONE.
    virtual BOOL StartUpdate(HWND parent);

    // The document's lists; not owned.
    CFileItemArray* m_pFileItems = nullptr;
    CIniItemArray* m_pIniItems = nullptr;
    CRegItemArray* m_pRegItems = nullptr;
    COcxItemArray* m_pOcxItems = nullptr;
    CExeItemArray* m_pExeItems = nullptr;
    CAutomationItemArray* m_pAutomationItems = nullptr;
    CComItemArray* m_pComItems = nullptr;
    CShortcutItemArray* m_pShortcutItems = nullptr;
    std::string m_strGroupName;
};
