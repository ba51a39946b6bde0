#pragma once
// Program folders with the icons of installed files, and the script's free shortcuts.
// Where a folder and its icons go depends on the platform (the route):
//   Windows 95 family, Windows NT 5.0 and later: a directory in the shell's Programs
//     folder, holding shell links;
//   Windows NT 4.0: the same below <Windows>\Profiles\<user>\ｽﾀｰﾄ ﾒﾆｭｰ\ﾌﾟﾛｸﾞﾗﾑ;
//   Windows NT before 4.0: the program manager, over DDE (ProgramManager.h).
// All of it runs on the user-interface thread: shell links need the COM that start-up
// initialised there, and the DDE conversation belongs to that thread.
#include <string>

#include "core/PlatformFlags.h"
#include "script/SetupItems.h"
#include "system/ProgramManager.h"

class CUninstallNotes;

// The route comes from the platform (core::GetProgramFolderRoute): Windows 2000 and
// later never show the NT 4.0 profile folders, so there the shell's Programs folder is
// used, as on Windows 95.
using core::ProgramFolderRoute;

// The directory that holds the program folders of a shell-link route ("" for the other
// routes, or when the shell cannot name its Programs folder).
std::string ProgramFoldersBase(ProgramFolderRoute route);

// Makes the program folder in base: one level only, an existing one is fine; a failure
// only means that the icons will be missing.
void CreateProgramFolder(const std::string& base, const std::string& folder);
// Saves the icon's shell link (title as its description) in the program folder and notes
// the link file for the uninstaller, also when saving failed. Returns the link's path.
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
