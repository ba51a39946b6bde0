// The program folder page on the three platform routes, with the folders and registry
// keys it should find made by the test in the Wine prefix.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "UiTestSupport.h"
#include "common/FileUtils.h"
#include "common/Messages.h"
#include "resources/wizard_ids.h"
#include "script/PathMacros.h"
#include "wizard/FolderPage.h"
#include "wizard/SetupSheet.h"

using namespace uitest;

namespace {

core::PlatformFlags Flags(int win95, int winNT, DWORD version) {
    core::PlatformFlags flags;
    flags.bWin95 = win95;
    flags.bWinNT = winNT;
    flags.dwWinVersion = version;
    return flags;
}

// Directories made for one test (missing parents too) and removed again at its end;
// those that existed before are left alone.
class ScopedDirectories {
public:
    ~ScopedDirectories() {
        for (auto it = m_created.rbegin(); it != m_created.rend(); ++it) RemoveDirectoryA(it->c_str());
    }
    void Make(const std::string& path) {
        for (std::size_t pos = 3; pos <= path.size(); ++pos) {
            if (pos < path.size() && path[pos] != '\\') continue;
            const std::string level = path.substr(0, pos);
            if (!DirectoryExists(level) && CreateDirectoryA(level.c_str(), nullptr)) m_created.push_back(level);
        }
    }

private:
    std::vector<std::string> m_created;
};

// Registry keys made for one test and deleted again at its end.
class ScopedKeys {
public:
    ~ScopedKeys() {
        for (auto it = m_created.rbegin(); it != m_created.rend(); ++it) RegDeleteKeyA(it->first, it->second.c_str());
    }
    void Make(HKEY root, const std::string& path) {
        for (std::size_t pos = 1; pos <= path.size(); ++pos) {
            if (pos < path.size() && path[pos] != '\\') continue;
            const std::string level = path.substr(0, pos);
            HKEY key = nullptr;
            DWORD disposition = 0;
            if (RegCreateKeyExA(root, level.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition) !=
                ERROR_SUCCESS)
                continue;
            RegCloseKey(key);
            if (disposition == REG_CREATED_NEW_KEY) m_created.emplace_back(root, level);
        }
    }

private:
    std::vector<std::pair<HKEY, std::string>> m_created;
};

// A one-page wizard with the folder page for the given platform.
struct FolderWizard {
    DoneRecorder parent;
    CFolderPage page;
    CSetupSheet sheet{"", parent.GetHwnd()};

    FolderWizard(const std::string& group, const core::PlatformFlags& platform) : page(platform) {
        page.m_strGroup = group;
        sheet.AddPage(&page);
    }
    bool Open() {
        if (!sheet.Create()) return false;
        PumpUntilIdle();
        return true;
    }
    std::vector<std::string> Entries() const { return ListItems(PageItem(sheet, IDC_FOLDER_LIST)); }
};

long Count(const std::vector<std::string>& list, const std::string& item) {
    return std::count(list.begin(), list.end(), item);
}
long IndexOf(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) - list.begin();
}

}  // namespace

TEST(WizardFolder, Win95ListsTheProgramsFolderWithoutNamesAnEntryBeginsWith) {
    const std::string programs = GetSpecialFolder(CSIDL_PROGRAMS);
    ASSERT_FALSE(programs.empty());
    ScopedDirectories directories;
    for (const char* name : {"Accessories", "Acc", ".hidden", "ZzWizard Group"}) directories.Make(programs + "\\" + name);
    const std::string plainFile = programs + "\\zzplain.txt";
    ASSERT_TRUE(testsupport::WriteTextFile(plainFile, "x"));

    FolderWizard wizard("Accessories", Flags(1, 0, 0x40000));
    ASSERT_TRUE(wizard.Open());
    const std::vector<std::string> entries = wizard.Entries();
    DeleteFileA(plainFile.c_str());
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries[0], "Accessories");
    EXPECT_EQ(Count(entries, "Accessories"), 1);
    EXPECT_EQ(Count(entries, "Acc"), 0);  // "Accessories" begins with it
    EXPECT_EQ(Count(entries, ".hidden"), 0);
    EXPECT_EQ(Count(entries, "zzplain.txt"), 0);
    EXPECT_EQ(Count(entries, "ZzWizard Group"), 1);
    EXPECT_EQ(ItemText(PropSheet_GetCurrentPageHwnd(wizard.sheet.GetHwnd()), IDC_FOLDER_NAME), "Accessories");
    EXPECT_TRUE(Enabled(wizard.sheet, fw::kWizardNextButton));

    // Choosing an entry replaces the name; clearing it disables Next.
    HWND list = PageItem(wizard.sheet, IDC_FOLDER_LIST);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(IndexOf(entries, "ZzWizard Group")), 0);
    SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(IDC_FOLDER_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    PumpUntilIdle();
    EXPECT_EQ(wizard.page.m_strGroup, "ZzWizard Group");
    EXPECT_EQ(ItemText(GetParent(list), IDC_FOLDER_NAME), "ZzWizard Group");
    EXPECT_TRUE(Enabled(wizard.sheet, fw::kWizardNextButton));
    TypeText(PageItem(wizard.sheet, IDC_FOLDER_NAME), "");
    EXPECT_EQ(wizard.page.m_strGroup, "");
    EXPECT_FALSE(Enabled(wizard.sheet, fw::kWizardNextButton));
    TypeText(PageItem(wizard.sheet, IDC_FOLDER_NAME), "新しいフォルダ");
    EXPECT_TRUE(Enabled(wizard.sheet, fw::kWizardNextButton));

    Click(wizard.sheet, fw::kWizardNextButton);
    ASSERT_TRUE(PumpUntil([&] { return !wizard.parent.m_arrCodes.empty(); }));
    EXPECT_EQ(wizard.page.m_strGroup, "新しいフォルダ");
}

// Windows NT 4.0 and later: the folders of the shell's Programs folder, then those of all
// users; a name in both is listed once.
TEST(WizardFolder, NtListsTheUsersProgramsFolderBeforeAllUsersOnce) {
    const std::string programs = GetSpecialFolder(CSIDL_PROGRAMS);
    const std::string common = GetSpecialFolder(CSIDL_COMMON_PROGRAMS);
    ASSERT_FALSE(programs.empty());
    ASSERT_FALSE(common.empty());
    ScopedDirectories directories;
    for (const char* name : {"Zz Shared", "Zz Mine"}) directories.Make(programs + "\\" + name);
    for (const char* name : {"Zz Shared", "Zz Everyone"}) directories.Make(common + "\\" + name);
    directories.Make(testsupport::WindowsDirectory() + "\\Profiles\\" + GetLoginUserName() +
                     "\\ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ\\Zz Profile Group");

    for (DWORD version : {0x40000u, 0x50001u, 0xA0000u}) {
        FolderWizard wizard("Default", Flags(0, 1, version));
        ASSERT_TRUE(wizard.Open());
        const std::vector<std::string> entries = wizard.Entries();
        EXPECT_EQ(Count(entries, "Zz Shared"), 1) << std::hex << version;
        EXPECT_LT(IndexOf(entries, "Zz Mine"), IndexOf(entries, "Zz Everyone")) << std::hex << version;
        EXPECT_LT(IndexOf(entries, "Zz Everyone"), static_cast<long>(entries.size())) << std::hex << version;
        EXPECT_EQ(Count(entries, "Zz Profile Group"), 0) << std::hex << version;
    }
}

// A shell that names no folder: the profile folders under the Windows directory.
TEST(WizardFolder, NtWithoutTheShellsFoldersListsTheProfileFolders) {
    const std::string profiles = testsupport::WindowsDirectory() + "\\Profiles\\";
    const std::string programs = "\\ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ\\";
    ScopedDirectories directories;
    for (const char* name : {"Zz Shared", "Zz Mine"}) directories.Make(profiles + GetLoginUserName() + programs + name);
    for (const char* name : {"Zz Shared", "Zz Everyone"}) directories.Make(profiles + "All Users" + programs + name);

    // An empty default name is still the first entry, and Next waits for a name.
    FolderWizard wizard("", Flags(0, 1, 0x40000));
    wizard.page.m_shell = ShellFolderFunctions{};
    ASSERT_TRUE(wizard.Open());
    const std::vector<std::string> entries = wizard.Entries();
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0], "");
    EXPECT_EQ(Count(entries, "Zz Shared"), 1);
    EXPECT_EQ(Count(entries, "Zz Mine"), 1);
    EXPECT_EQ(entries[3], "Zz Everyone");
    EXPECT_FALSE(Enabled(wizard.sheet, fw::kWizardNextButton));
}

TEST(WizardFolder, Nt351ListsTheProgramGroupKeysOfMachineAndUserWithDuplicates) {
    ScopedKeys keys;
    for (const char* name : {"Main", "Zz Tools"}) keys.Make(HKEY_LOCAL_MACHINE, std::string("SOFTWARE\\Program Groups\\") + name);
    for (const char* name : {"Zz Tools", "Games"}) keys.Make(HKEY_CURRENT_USER, std::string("UNICODE Program Groups\\") + name);

    FolderWizard wizard("Main", Flags(0, 1, 0x30033));
    ASSERT_TRUE(wizard.Open());
    EXPECT_EQ(wizard.Entries(), (std::vector<std::string>{"Main", "Main", "Zz Tools", "Games", "Zz Tools"}));
}

TEST(WizardFolder, OtherPlatformsListOnlyTheDefaultName) {
    FolderWizard wizard("Default", Flags(0, 0, 0x30000));
    ASSERT_TRUE(wizard.Open());
    EXPECT_EQ(wizard.Entries(), std::vector<std::string>{"Default"});
}
