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
// means that the icons will be missing. The levels of the folder it made are noted for
// the uninstaller (never base or what is above it). True when it made the folder itself.
bool CreateProgramFolder(const std::string& base, const std::string& folder, CUninstallNotes* notes);
// Saves the icon's shell link (title as its description) in the program folder and notes
// the link file for the uninstaller once it is saved. Returns the link's path.
std::string AddProgramIcon(const std::string& base, const std::string& folder, const std::string& title,
                           const std::string& target, CUninstallNotes* notes);

// The program folder of an installation on its route. Create returns 1 on the program
// manager's route, else 0, and tells whether this installation made the folder (only
// then is it the uninstaller's to remove); AddItem returns the same, for one installed
// file with an icon title. An icon put into a group that was there before is noted on
// its own.
int CreateProgramGroup(ProgramFolderRoute route, const std::string& groupName, const CProgramManagerLink& progman,
                       CUninstallNotes* notes, bool& madeHere);
int AddProgramGroupItem(ProgramFolderRoute route, const std::string& groupName, const CFileItem& item,
                        const CProgramManagerLink& progman, CUninstallNotes* notes, bool groupMadeHere);

// One shell link per item of the MakeShortCut sections, on every platform; missing
// directories are not made and failures are not reported. A link saved is noted.
void MakeShortcuts(const CShortcutItemArray* items, CUninstallNotes* notes);
