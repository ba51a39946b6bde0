#include "system/ProgramGroups.h"

#include <windows.h>

#include "common/FileUtils.h"
#include "core/DirectoryTree.h"
#include "core/UpdateCommands.h"
#include "script/PathMacros.h"
#include "script/ProgramFolders.h"
#include "script/UninstallNotes.h"

bool CreateProgramFolder(const std::string& base, const std::string& folder, CUninstallNotes* notes) {
    const std::string path = core::ProgramFolderPath(base, folder);
    bool made = false;
    for (const std::string& level : core::DirectoryTreePrefixes(path)) {
        if (DirectoryExists(level)) continue;
        if (!CreateDirectoryA(level.c_str(), nullptr)) return false;
        made = level.size() == path.size();
        // The Programs folder and what is above it belong to the system, however new.
        if (notes && !base.empty() && level.size() > base.size()) notes->RecordCreatedDirectory(level);
    }
    return made;
}

std::string AddProgramIcon(const std::string& base, const std::string& folder, const std::string& title,
                           const std::string& target, CUninstallNotes* notes) {
    const std::string link = core::ProgramIconPath(base, folder, title);
    // A link that was not saved is nothing the uninstaller could remove.
    if (CreateShellLink(link, title, target) && notes) notes->RecordDeleteShortcut(link);
    return link;
}

int CreateProgramGroup(ProgramFolderRoute route, const std::string& groupName, const CProgramManagerLink& progman,
                       CUninstallNotes* notes, bool& madeHere) {
    madeHere = false;
    switch (route) {
    case ProgramFolderRoute::ProgramsFolder:
    case ProgramFolderRoute::NtProgramsFolder:
        madeHere = CreateProgramFolder(ProgramFoldersBase(route), groupName, notes);
        return 0;
    case ProgramFolderRoute::ProgramManager:
        return CreateProgramManagerGroup(progman, groupName, notes, madeHere);
    case ProgramFolderRoute::None:
        break;
    }
    return 0;
}

int AddProgramGroupItem(ProgramFolderRoute route, const std::string& groupName, const CFileItem& item,
                        const CProgramManagerLink& progman, CUninstallNotes* notes, bool groupMadeHere) {
    switch (route) {
    case ProgramFolderRoute::ProgramsFolder:
    case ProgramFolderRoute::NtProgramsFolder:
        AddProgramIcon(ProgramFoldersBase(route), groupName, Expanded(item.m_strIconTitle),
                       Expanded(item.GetDestPath()), notes);
        return 0;
    case ProgramFolderRoute::ProgramManager: {
        const std::string title = Expanded(item.m_strIconTitle);
        // The icons of a group this installation made go with the group.
        if (!groupMadeHere && notes) notes->RecordDeleteProgramItem(groupName, title);
        return AddProgramManagerItem(progman, Expanded(item.GetDestPath()), title);
    }
    case ProgramFolderRoute::None:
        break;
    }
    return 0;
}

void MakeShortcuts(const CShortcutItemArray* items, CUninstallNotes* notes) {
    if (!items) return;
    for (const CShortcutItem* item : *items) {
        if (!item) continue;
        const std::string link = Expanded(item->m_strLinkPath);
        if (CreateShellLink(link, Expanded(item->m_strDescription), Expanded(item->m_strTarget)) && notes)
            notes->RecordDeleteShortcut(link);
    }
}
