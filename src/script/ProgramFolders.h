#pragma once
// Where the system keeps its program folders (program groups) on the shell-link routes:
// the directories that hold them, as the shell names them. Windows NT 4.0 keeps them in
// the profiles under the Windows directory; when its shell names no folder, that path is
// built by hand (<Windows>\Profiles\<user>\ｽﾀｰﾄ ﾒﾆｭｰ\ﾌﾟﾛｸﾞﾗﾑ, and "All Users" for the
// folders every user sees).
#include <string>
#include <vector>

#include "core/PlatformFlags.h"
#include "script/ShellFolders.h"

// The directory that receives the installation's program folder: the user's Programs
// folder. "" on the other routes, and on the Windows 95 family when the shell names none.
std::string ProgramFoldersBase(core::ProgramFolderRoute route,
                               const ShellFolderFunctions& shell = FindShellFolderFunctions());

// The directories whose program folders already exist, in the order they are offered:
// the user's own, then (Windows NT) those of all users. Empty on the other routes.
std::vector<std::string> ExistingProgramFolderBases(core::ProgramFolderRoute route,
                                                    const ShellFolderFunctions& shell = FindShellFolderFunctions());

// The program manager's groups as the registry lists them (Windows NT before 4.0): the
// groups every user sees, then the user's own.
std::vector<std::string> ProgramManagerGroups();
// True when the program manager already has a group of that name (any case): one the
// registry lists, or, for a program manager that keeps its groups as folders of the
// shell's Programs folder, such a folder.
bool ProgramManagerGroupExists(const std::string& name,
                               const ShellFolderFunctions& shell = FindShellFolderFunctions());
