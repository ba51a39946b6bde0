#include "script/ProgramFolders.h"

#include <windows.h>
#include <shlobj.h>

#include "common/FileUtils.h"
#include "framework/SystemPaths.h"

namespace {

// Below a profile directory of Windows NT 4.0 (half-width katakana, as the Japanese
// system names them).
constexpr char kProfileProgramsDir[] = "\\ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ";

// The shell's folder, or the path built by hand when the shell names none.
std::string ShellFolderOr(int csidl, const ShellFolderFunctions& shell, const std::string& byHand) {
    std::string path = GetSpecialFolder(csidl, shell);
    return path.empty() ? byHand : path;
}

std::string CommonProgramsDir(const ShellFolderFunctions& shell) {
    return ShellFolderOr(CSIDL_COMMON_PROGRAMS, shell, fw::WindowsDirectory() + "\\Profiles\\All Users" + kProfileProgramsDir);
}

}  // namespace

std::string ProgramFoldersBase(core::ProgramFolderRoute route, const ShellFolderFunctions& shell) {
    switch (route) {
    case core::ProgramFolderRoute::ProgramsFolder:
        return GetSpecialFolder(CSIDL_PROGRAMS, shell);
    case core::ProgramFolderRoute::NtProgramsFolder:
        return ShellFolderOr(CSIDL_PROGRAMS, shell, GetUserProfileDir() + kProfileProgramsDir);
    default:
        return std::string();
    }
}

std::vector<std::string> ExistingProgramFolderBases(core::ProgramFolderRoute route, const ShellFolderFunctions& shell) {
    switch (route) {
    case core::ProgramFolderRoute::ProgramsFolder:
        return {ProgramFoldersBase(route, shell)};
    case core::ProgramFolderRoute::NtProgramsFolder:
        return {ProgramFoldersBase(route, shell), CommonProgramsDir(shell)};
    default:
        return {};
    }
}
