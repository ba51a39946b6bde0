#include "script/PathMacros.h"

#include "framework/SystemPaths.h"

#include "core/MacroExpansion.h"
#include "framework/SystemFunction.h"
#include "script/ShellFolders.h"

#include <windows.h>
#include <shlobj.h>

#include <array>
#include <string_view>

namespace {

// Stored values, written by the user-interface thread before a worker starts.
std::string g_strInstDir;
std::string g_strSrcDir;
std::string g_strTmpDir;
std::string g_strUserName;

// A macro's value now.
std::string CurrentValue(core::PathMacro macro) {
    switch (macro) {
    case core::PathMacro::ProgramFiles: return GetProgramFilesDir();
    case core::PathMacro::WinDir: return fw::WindowsDirectory();
    case core::PathMacro::SysDir: return fw::SystemDirectory();
    case core::PathMacro::InstDir: return g_strInstDir;
    case core::PathMacro::SrcDir: return g_strSrcDir;
    case core::PathMacro::TmpDir: return g_strTmpDir;
    case core::PathMacro::UserName: return g_strUserName;
    case core::PathMacro::Desktop: return GetSpecialFolder(CSIDL_DESKTOPDIRECTORY);
    case core::PathMacro::StartMenu: return GetSpecialFolder(CSIDL_STARTMENU);
    case core::PathMacro::StartUp: return GetSpecialFolder(CSIDL_STARTUP);
    case core::PathMacro::SendTo: return GetSpecialFolder(CSIDL_SENDTO);
    }
    return std::string();
}

const std::vector<core::MacroDefinition>& MacroTable() {
    static const std::vector<core::MacroDefinition> table = core::PathMacroTable(CurrentValue);
    return table;
}

// Stores the value unless it would lead the expansion back to its own macro,
// directly or through another stored value; a refused value leaves the old one.
void SetStoredMacro(std::string& target, core::PathMacro macro, const std::string& value) {
    auto stored = [&](const std::string& current, core::PathMacro storedMacro) {
        return core::StoredMacroValue{core::PathMacroName(storedMacro),
                                      storedMacro == macro ? std::string_view(value) : std::string_view(current)};
    };
    const std::array<core::StoredMacroValue, 4> values = {{
        stored(g_strInstDir, core::PathMacro::InstDir),
        stored(g_strSrcDir, core::PathMacro::SrcDir),
        stored(g_strTmpDir, core::PathMacro::TmpDir),
        stored(g_strUserName, core::PathMacro::UserName),
    }};
    if (!core::MacroValuesFormCycle(values)) target = value;
}

}  // namespace

void ExpandMacros(std::string& text) {
    // Stored values cannot form a cycle (see SetStoredMacro); the limits still
    // stop values that multiply each other. A text that reaches them stays as it was.
    core::ExpandMacroText(text, MacroTable());
}

std::string Expanded(std::string text) {
    ExpandMacros(text);
    return text;
}

void SetInstDirMacro(const std::string& value) { SetStoredMacro(g_strInstDir, core::PathMacro::InstDir, value); }
void SetSrcDirMacro(const std::string& value) { SetStoredMacro(g_strSrcDir, core::PathMacro::SrcDir, value); }
void SetTmpDirMacro(const std::string& value) { SetStoredMacro(g_strTmpDir, core::PathMacro::TmpDir, value); }
void SetUserNameMacro(const std::string& value) { SetStoredMacro(g_strUserName, core::PathMacro::UserName, value); }

ShellFolderFunctions FindShellFolderFunctions() {
    constexpr char kShell[] = "shell32.dll";
    ShellFolderFunctions shell;
    shell.getMalloc = fw::SystemFunction<decltype(shell.getMalloc)>(kShell, "SHGetMalloc");
    shell.getFolderLocation = fw::SystemFunction<decltype(shell.getFolderLocation)>(kShell, "SHGetSpecialFolderLocation");
    shell.getPathFromIDList = fw::SystemFunction<decltype(shell.getPathFromIDList)>(kShell, "SHGetPathFromIDListA");
    return shell;
}

std::string GetSpecialFolder(int csidl, const ShellFolderFunctions& shell) {
    if (!shell.getMalloc || !shell.getFolderLocation || !shell.getPathFromIDList) return std::string();
    IMalloc* allocator = nullptr;
    if (FAILED(shell.getMalloc(&allocator)) || allocator == nullptr) return std::string();

    std::string path;
    char* buffer = static_cast<char*>(allocator->Alloc(MAX_PATH));
    if (buffer != nullptr) {
        // The owner window argument is reserved by the shell; none is passed.
        LPITEMIDLIST items = nullptr;
        if (SUCCEEDED(shell.getFolderLocation(nullptr, csidl, &items)) && items != nullptr) {
            if (shell.getPathFromIDList(items, buffer)) path = buffer;
            allocator->Free(items);
        }
        allocator->Free(buffer);
    }
    allocator->Release();
    return path;
}

std::string GetSpecialFolder(int csidl) { return GetSpecialFolder(csidl, FindShellFolderFunctions()); }

std::string GetProgramFilesDir() {
    const std::string windows = fw::WindowsDirectory();
    const size_t backslash = windows.find('\\');
    if (backslash == std::string::npos) return std::string();
    return windows.substr(0, backslash + 1) + "Program Files";
}

std::string GetModulePath() { return fw::ModulePath(); }
