#include "system/ProgramGroups.h"

#include <windows.h>

#include "common/FileUtils.h"
#include "core/UpdateCommands.h"
#include "script/PathMacros.h"
#include "script/ProgramFolders.h"
#include "script/UninstallNotes.h"

void CreateProgramFolder(const std::string& base, const std::string& folder) {
    CreateDirectoryTree(core::ProgramFolderPath(base, folder));
}

std::string AddProgramIcon(const std::string& base, const std::string& folder, const std::string& title,
                           const std::string& target, CUninstallNotes* notes) {
    const std::string link = core::ProgramIconPath(base, folder, title);
    // A link that was not saved is nothing the uninstaller could remove.
    if (CreateShellLink(link, title, target) && notes) notes->RecordDeleteShortcut(link);
    return link;
}

int CreateProgramGroup(ProgramFolderRoute route, const std::string& groupName, const CProgramManagerLink& progman) {
    switch (route) {
    case ProgramFolderRoute::ProgramsFolder:
    case ProgramFolderRoute::NtProgramsFolder:
        CreateProgramFolder(ProgramFoldersBase(route), groupName);
        return 0;
    case ProgramFolderRoute::ProgramManager:
        return CreateProgramManagerGroup(progman, groupName);
    case ProgramFolderRoute::None:
        break;
    }
    return 0;
}

int AddProgramGroupItem(ProgramFolderRoute route, const std::string& groupName, const CFileItem& item,
                        const CProgramManagerLink& progman, CUninstallNotes* notes) {
    switch (route) {
    case ProgramFolderRoute::ProgramsFolder:
    case ProgramFolderRoute::NtProgramsFolder:
        AddProgramIcon(ProgramFoldersBase(route), groupName, Expanded(item.m_strIconTitle),
                       Expanded(item.GetDestPath()), notes);
        return 0;
    case ProgramFolderRoute::ProgramManager:
        return AddProgramManagerItem(progman, Expanded(item.GetDestPath()), Expanded(item.m_strIconTitle));
    case ProgramFolderRoute::None:
        break;
    }
    return 0;
}

void MakeShortcuts(const CShortcutItemArray* items) {
    if (!items) return;
    for (const CShortcutItem* item : *items) {
        if (!item) continue;
        CreateShellLink(Expanded(item->m_strLinkPath), Expanded(item->m_strDescription), Expanded(item->m_strTarget));
    }
}
