#include "script/ProgramFolders.h"

#include <windows.h>
#include <shlobj.h>

#include "common/FileUtils.h"
#include "core/ShiftJis.h"
#include "core/UpdateCommands.h"
#include "framework/Handles.h"
#include "framework/SystemPaths.h"

namespace {

constexpr DWORD kGroupNameBuffer = 4096;

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

std::vector<std::string> ProgramManagerGroups() {
    std::vector<std::string> names;
    const struct {
        HKEY root;
        const char* key;
    } lists[] = {{HKEY_LOCAL_MACHINE, "SOFTWARE\\Program Groups"}, {HKEY_CURRENT_USER, "UNICODE Program Groups"}};
    for (const auto& list : lists) {
        fw::RegKey key;
        if (RegOpenKeyExA(list.root, list.key, 0, KEY_ENUMERATE_SUB_KEYS, key.Receive()) != ERROR_SUCCESS) continue;
        std::vector<char> name(kGroupNameBuffer);
        for (DWORD index = 0;; ++index) {
            DWORD length = kGroupNameBuffer;
            if (RegEnumKeyExA(key.Get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            names.emplace_back(name.data(), length);
        }
    }
    return names;
}

bool ProgramManagerGroupExists(const std::string& name, const ShellFolderFunctions& shell) {
    const std::string wanted = core::ToUpperShiftJis(name);
    for (const std::string& group : ProgramManagerGroups())
        if (core::ToUpperShiftJis(group) == wanted) return true;
    const std::string programs = GetSpecialFolder(CSIDL_PROGRAMS, shell);
    return !programs.empty() && DirectoryExists(core::ProgramFolderPath(programs, name));
}
