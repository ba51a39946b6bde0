#include "common/FileUtils.h"
#include "framework/SystemFunction.h"
#include "script/PathMacros.h"
#include "script/ShellFolders.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

namespace {

std::string ShellFolder(int csidl) {
    char path[MAX_PATH] = "";
    return SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE) ? std::string(path) : std::string();
}

// The stored macros are process-wide: every test starts and ends with them empty.
class PathMacros : public testing::Test {
protected:
    void SetUp() override { ClearStored(); }
    void TearDown() override { ClearStored(); }
    static void ClearStored() {
        SetInstDirMacro("");
        SetSrcDirMacro("");
        SetTmpDirMacro("");
        SetUserNameMacro("");
    }
};

}  // namespace

TEST_F(PathMacros, SystemDirectoriesComeFromThePlatform) {
    char windows[MAX_PATH] = "", system[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    GetSystemDirectoryA(system, MAX_PATH);
    EXPECT_EQ(Expanded("$WinDir$\\a"), std::string(windows) + "\\a");
    EXPECT_EQ(Expanded("$SYSDIR$"), system);
    // Wine's Windows directory is C:\windows.
    EXPECT_EQ(GetProgramFilesDir(), "C:\\Program Files");
    EXPECT_EQ(Expanded("$programfiles$\\App"), "C:\\Program Files\\App");
}

TEST_F(PathMacros, SpecialFoldersMatchTheShell) {
    for (int csidl : {CSIDL_DESKTOPDIRECTORY, CSIDL_STARTMENU, CSIDL_STARTUP, CSIDL_SENDTO})
        ASSERT_FALSE(ShellFolder(csidl).empty()) << csidl;
    EXPECT_EQ(Expanded("$Desktop$\\x.lnk"), ShellFolder(CSIDL_DESKTOPDIRECTORY) + "\\x.lnk");
    EXPECT_EQ(Expanded("$StartMenu$"), ShellFolder(CSIDL_STARTMENU));
    EXPECT_EQ(Expanded("$StartUp$"), ShellFolder(CSIDL_STARTUP));
    EXPECT_EQ(Expanded("$SendTo$"), ShellFolder(CSIDL_SENDTO));
    EXPECT_FALSE(GetSpecialFolder(CSIDL_PROGRAMS).empty());
    EXPECT_EQ(GetSpecialFolder(CSIDL_PROGRAMS), ShellFolder(CSIDL_PROGRAMS));
    EXPECT_EQ(GetSpecialFolder(0x7E), "");  // no such folder
}

// Windows NT 3.51's shell lacks the special-folder functions: the folder cannot be
// resolved then, and nothing calls through a null pointer.
TEST_F(PathMacros, SpecialFoldersOfAShellWithoutTheirFunctionsAreEmpty) {
    const ShellFolderFunctions shell = FindShellFolderFunctions();
    ASSERT_TRUE(shell.getMalloc && shell.getFolderLocation && shell.getPathFromIDList);
    EXPECT_EQ(GetSpecialFolder(CSIDL_DESKTOPDIRECTORY, shell), ShellFolder(CSIDL_DESKTOPDIRECTORY));
    for (int missing = 0; missing < 3; ++missing) {
        ShellFolderFunctions partial = shell;
        if (missing == 0) partial.getMalloc = nullptr;
        if (missing == 1) partial.getFolderLocation = nullptr;
        if (missing == 2) partial.getPathFromIDList = nullptr;
        EXPECT_EQ(GetSpecialFolder(CSIDL_DESKTOPDIRECTORY, partial), "") << missing;
    }
    EXPECT_EQ(fw::FindSystemFunction("shell32.dll", "SHGetNoSuchFolder"), nullptr);
    EXPECT_EQ(fw::FindSystemFunction("nosuchlibrary.dll", "SHGetMalloc"), nullptr);
}

TEST_F(PathMacros, StoredValuesExpandInAnyCaseAndInTurn) {
    EXPECT_EQ(Expanded("$InstDir$\\a|$SrcDir$|$TmpDir$|$UserName$"), "\\a|||");
    SetInstDirMacro("$ProgramFiles$\\App");
    SetSrcDirMacro("Z:\\media");
    SetTmpDirMacro("$WinDir$\\SetupTmp");
    SetUserNameMacro("山田");
    EXPECT_EQ(Expanded("$INSTDIR$\\x;$instdir$\\y"), "C:\\Program Files\\App\\x;C:\\Program Files\\App\\y");
    EXPECT_EQ(Expanded("$SrcDir$\\DISK1"), "Z:\\media\\DISK1");
    EXPECT_EQ(Expanded("$TMPDIR$"), Expanded("$WinDir$") + "\\SetupTmp");
    EXPECT_EQ(Expanded("$UserName$様"), "山田様");
    EXPECT_EQ(Expanded("$Unknown$\\$InstDir"), "$Unknown$\\$InstDir");
}

TEST_F(PathMacros, ValuesLeadingBackToTheirOwnMacroAreRefused) {
    SetInstDirMacro("C:\\App");
    SetInstDirMacro("C:\\$INSTDIR$\\x");  // refused: the old value stays
    EXPECT_EQ(Expanded("$InstDir$"), "C:\\App");

    SetInstDirMacro("$SrcDir$\\x");
    SetSrcDirMacro("A:\\");
    SetSrcDirMacro("$InstDir$");  // would close a loop with $InstDir$
    EXPECT_EQ(Expanded("$InstDir$"), "A:\\\\x");
    EXPECT_EQ(Expanded("$SrcDir$"), "A:\\");

    // No cycle, but 20 references to a 4000-byte value: past the bound.
    std::string many;
    for (int i = 0; i < 20; ++i) many += "$SrcDir$";
    SetSrcDirMacro(std::string(4000, 'x'));
    SetInstDirMacro(many);
    EXPECT_EQ(Expanded("$InstDir$"), "$InstDir$");
}

TEST(ModulePath, NamesTheRunningProgram) {
    const std::string path = GetModulePath();
    ASSERT_GT(path.size(), 13u);
    EXPECT_EQ(lstrcmpiA(path.substr(path.size() - 13).c_str(), "win_tests.exe"), 0) << path;
    EXPECT_TRUE(FileExists(path));
}
