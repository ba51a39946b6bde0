#pragma once
// Program folders with the icons of installed files, and the script's free shortcuts.
// Where a folder and its icons go depends on the platform (the route):
//   Windows 95 family, Windows NT 4.0 and later: a directory in the user's Programs
//     folder (script/ProgramFolders.h), holding shell links;
//   Windows NT before 4.0: the program manager, over DDE (ProgramManager.h).
// All of it runs on the user-interface thread: shell links need the COM that start-up
// initialised there, and the DDE conversation belongs to that thread.
#include <string>

#include "core/PlatformFlags.h"
#include "script/SetupItems.h"
#include "system/ProgramManager.h"

class CUninstallNotes;

using core::ProgramFolderRoute;

// Makes the program folder in base, with any missing directory above it (a folder name
// may hold levels, and a fresh profile may lack its Programs folder); a failure only
// means that the icons will be missing.
void CreateProgramFolder(const std::string& base, const std::string& folder);
// Saves the icon's shell link (title as its description) in the program folder and notes
// the link file for the uninstaller once it is saved. Returns the link's path.
std::string AddProgramIcon(const std::string& base, const std::string& folder, const std::string& title,
                           const std::string& target, CUninstallNotes* notes);

// The program folder of an installation on its route. Create returns 1 on the program
// manager's route, else 0; so does AddItem, for one installed file with an icon title.
int CreateProgramGroup(ProgramFolderRoute route, const std::string& groupName, const CProgramManagerLink& progman);
int AddProgramGroupItem(ProgramFolderRoute route, const std::string& groupName, const CFileItem& item,
                        const CProgramManagerLink& progman, CUninstallNotes* notes);

// One shell link per item of the MakeShortCut sections, on every platform; missing
// directories are not made, failures are not reported and nothing is noted.
void MakeShortcuts(const CShortcutItemArray* items);
