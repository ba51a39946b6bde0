#pragma once
// The copy phase. This first version copies nothing: when its window is created it
// reports every file as processed. The install driver uses it exactly as it will use
// the copying one (members set, Create with the view, shown, destroyed after the report).
#include <windows.h>

#include <string>

#include "framework/Window.h"
#include "script/SetupItems.h"

class CCopyDialog : public fw::Window {
public:
    CCopyDialog() = default;

    // Creates the window over the parent (the driver's view), which receives
    // WM_SETUP_COPY_DONE.
    BOOL Create(HWND parent);

    CFileItemArray* m_pFileItems = nullptr;  // the document's list; not owned
    std::string m_strInstallDir;             // copies handed over by the driver
    std::string m_strOption;
    std::string m_strGroupName;
};
