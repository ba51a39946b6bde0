#pragma once
// The program folder: a name typed or picked from the folders that already exist on the
// system. Where those are looked up depends on the platform: the user's Programs folder
// on the Windows 95 family, the user's and then all users' on Windows NT 4.0 and later
// (script/ProgramFolders.h), the registry's program groups on older Windows NT.
#include <windows.h>

#include <string>

#include "core/PlatformFlags.h"
#include "framework/PropSheet.h"
#include "script/ShellFolders.h"

class CFolderPage : public fw::PropPage {
public:
    // The folders are listed for the given platform.
    explicit CFolderPage(const core::PlatformFlags& platform);

    HWND m_editGroup = nullptr;   // edit 1005
    HWND m_listGroups = nullptr;  // list box 1006
    std::string m_strGroup;       // set by the driver; follows the edit

    // The platform the list is filled for, and the shell that names its folders.
    core::PlatformFlags m_platform;
    ShellFolderFunctions m_shell;

    void FillGroupList();
    // Appends the directories matching the wildcard path that no entry begins with.
    void AddGroupDirectories(const std::string& wildcardPath);
    void OnSelChangeGroup();
    void UpdateGroupState();

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnCommand(WORD id, WORD notifyCode, HWND control) override;
};
