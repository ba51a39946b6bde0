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

constexpr std::string_view kInstDir = "$InstDir$";
constexpr std::string_view kSrcDir = "$SrcDir$";
constexpr std::string_view kTmpDir = "$TmpDir$";
constexpr std::string_view kUserName = "$UserName$";

std::function<std::string()> SpecialFolder(int csidl) {
    return [csidl] { return GetSpecialFolder(csidl); };
}

std::function<std::string()> Stored(const std::string& value) {
    return [&value] { return value; };
}

// The macros in the order the expander tries them.
const std::array<core::MacroDefinition, 11>& MacroTable() {
    static const std::array<core::MacroDefinition, 11> table = {{
        {"$ProgramFiles$", GetProgramFilesDir},
        {"$WinDir$", fw::WindowsDirectory},
        {"$SysDir$", fw::SystemDirectory},
        {kInstDir, Stored(g_strInstDir)},
        {kSrcDir, Stored(g_strSrcDir)},
        {kTmpDir, Stored(g_strTmpDir)},
        {kUserName, Stored(g_strUserName)},
        {"$Desktop$", SpecialFolder(CSIDL_DESKTOPDIRECTORY)},
        {"$StartMenu$", SpecialFolder(CSIDL_STARTMENU)},
        {"$StartUp$", SpecialFolder(CSIDL_STARTUP)},
        {"$SendTo$", SpecialFolder(CSIDL_SENDTO)},
    }};
    return table;
}

// Stores the value unless it would lead the expansion back to its own macro,
// directly or through another stored value; a refused value leaves the old one.
void SetStoredMacro(std::string& target, std::string_view name, const std::string& value) {
    auto proposed = [&](const std::string& stored, std::string_view storedName) {
        return storedName == name ? std::string_view(value) : std::string_view(stored);
    };
    const std::array<core::StoredMacroValue, 4> values = {{
        {kInstDir, proposed(g_strInstDir, kInstDir)},
        {kSrcDir, proposed(g_strSrcDir, kSrcDir)},
        {kTmpDir, proposed(g_strTmpDir, kTmpDir)},
        {kUserName, proposed(g_strUserName, kUserName)},
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

void SetInstDirMacro(const std::string& value) { SetStoredMacro(g_strInstDir, kInstDir, value); }
void SetSrcDirMacro(const std::string& value) { SetStoredMacro(g_strSrcDir, kSrcDir, value); }
void SetTmpDirMacro(const std::string& value) { SetStoredMacro(g_strTmpDir, kTmpDir, value); }
void SetUserNameMacro(const std::string& value) { SetStoredMacro(g_strUserName, kUserName, value); }

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
