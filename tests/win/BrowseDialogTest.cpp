// The directory chooser under Wine, answered from a second thread while its modal loop
// runs: where it starts, how it moves, what OK accepts and when it creates a directory.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "UiTestSupport.h"
#include "common/FileUtils.h"
#include "resources/wizard_ids.h"
#include "wizard/BrowseDialog.h"

using namespace uitest;

namespace {

constexpr char kBrowseTitle[] = "ディレクトリの選択";
constexpr char kSetupTitle[] = "セットアップ";

std::string Question(const std::string& path) {
    return "ディレクトリ：\n\n" + path + "\n\nは存在しません。作成しますか？";
}

}  // namespace

TEST(WizardBrowse, StartsAtTheDeepestExistingLevelAndMovesByDoubleClick) {
    testsupport::TempDirectory temp;
    const std::string base = temp.Path() + "\\A";
    ASSERT_TRUE(CreateDirectoryA(base.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((base + "\\Sub ソフト").c_str(), nullptr));

    CBrowseDialog browse(base + "\\B\\C");
    EXPECT_EQ(browse.m_strDir, base);  // decided at construction
    std::string startPath, movedPath;
    std::vector<std::string> entries;
    bool helpHidden = false, questionSeen = false;
    BesideThread user([&] {
        HWND dialog = WaitForWindow(kBrowseTitle);
        if (!dialog) return;
        startPath = ItemText(dialog, IDC_BROWSE_PATH);
        helpHidden = !IsWindowVisible(GetDlgItem(dialog, IDC_BROWSE_HELP));
        HWND list = GetDlgItem(dialog, IDC_BROWSE_DIRECTORIES);
        entries = ListItems(list);
        const LRESULT sub = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>("Sub ソフト"));
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(sub), 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_BROWSE_DIRECTORIES, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
        movedPath = ItemText(dialog, IDC_BROWSE_PATH);
        PostClick(dialog, IDOK);
        questionSeen = WaitForWindow(kSetupTitle, 0) != nullptr;
        WaitGoneOrCancel(dialog);
    });
    EXPECT_EQ(browse.DoModal(), IDOK);
    user.Join();
    EXPECT_EQ(startPath, base);
    EXPECT_TRUE(helpHidden);
    ASSERT_GE(entries.size(), 2u);
    EXPECT_EQ(entries.back(), "Sub ソフト");  // the levels first, then the subdirectories
    EXPECT_EQ(entries[entries.size() - 2], "A");
    EXPECT_EQ(movedPath, base + "\\Sub ソフト");
    EXPECT_FALSE(questionSeen);
    EXPECT_EQ(browse.GetDirectory(), base + "\\Sub ソフト");
}

TEST(WizardBrowse, AsksBeforeCreatingATypedDirectoryAndStaysOpenOnNo) {
    testsupport::TempDirectory temp;
    const std::string created = temp.Path() + "\\新規";
    const std::string orphan = temp.Path() + "\\X\\Y";
    CBrowseDialog browse(temp.Path());
    std::string firstQuestion, textAfterNo;
    bool openAfterNo = false, secondAsked = false;
    BesideThread user([&] {
        HWND dialog = WaitForWindow(kBrowseTitle);
        if (!dialog) return;
        SetDlgItemTextA(dialog, IDC_BROWSE_PATH, created.c_str());
        PostClick(dialog, IDOK);
        HWND box = WaitForWindow(kSetupTitle);
        if (!box) return (void)WaitGoneOrCancel(dialog, 0);
        firstQuestion = StaticTexts(box);
        PostClick(box, IDNO);
        WaitGoneOrCancel(box);
        openAfterNo = IsWindow(dialog) && IsWindowEnabled(dialog);
        textAfterNo = ItemText(dialog, IDC_BROWSE_PATH);
        PostClick(dialog, IDOK);
        box = WaitForWindow(kSetupTitle);
        secondAsked = box != nullptr;
        if (box) PostClick(box, IDYES);
        WaitGoneOrCancel(dialog);
    });
    EXPECT_EQ(browse.DoModal(), IDOK);
    user.Join();
    EXPECT_EQ(firstQuestion, Question(created));
    EXPECT_TRUE(openAfterNo);
    EXPECT_EQ(textAfterNo, created);
    EXPECT_TRUE(secondAsked);
    EXPECT_TRUE(DirectoryExists(created));
    EXPECT_EQ(browse.GetDirectory(), created);

    // A path whose parent is missing too: nothing is created, yet the path is the answer.
    CBrowseDialog again(temp.Path());
    BesideThread yes([&] {
        HWND dialog = WaitForWindow(kBrowseTitle);
        if (!dialog) return;
        SetDlgItemTextA(dialog, IDC_BROWSE_PATH, orphan.c_str());
        PostClick(dialog, IDOK);
        if (HWND box = WaitForWindow(kSetupTitle)) PostClick(box, IDYES);
        WaitGoneOrCancel(dialog);
    });
    EXPECT_EQ(again.DoModal(), IDOK);
    yes.Join();
    EXPECT_EQ(again.GetDirectory(), orphan);
    EXPECT_FALSE(DirectoryExists(temp.Path() + "\\X"));
}

namespace {

// The platform's connection dialog as the test scripts it.
std::atomic<HWND> g_connectionOwner{nullptr};
std::atomic<DWORD> g_connectionType{0};
std::atomic<DWORD> g_connectionResult{NO_ERROR};
DWORD WINAPI ScriptedConnectionDialog(HWND owner, DWORD type) {
    g_connectionOwner = owner;
    g_connectionType = type;
    return g_connectionResult;
}

}  // namespace

TEST(WizardBrowse, TheNetworkButtonRefillsTheDrivesOnceADriveIsConnected) {
    testsupport::TempDirectory temp;
    CBrowseDialog browse(temp.Path());
    browse.m_pfnConnectionDialog = &ScriptedConnectionDialog;
    HWND dialogSeen = nullptr;
    bool enabled = false;
    LRESULT drivesAfterCancel = -1, drivesAfterConnect = -1;
    std::string selectedDrive;
    BesideThread user([&] {
        HWND dialog = WaitForWindow(kBrowseTitle);
        if (!dialog) return;
        dialogSeen = dialog;
        HWND network = GetDlgItem(dialog, IDC_BROWSE_NETWORK), drives = GetDlgItem(dialog, IDC_BROWSE_DRIVES);
        enabled = IsWindowEnabled(network) != FALSE;
        SendMessageA(drives, CB_RESETCONTENT, 0, 0);  // emptied, so a refill shows
        auto pressNetwork = [&] {
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_BROWSE_NETWORK, BN_CLICKED), reinterpret_cast<LPARAM>(network));
            return SendMessageA(drives, CB_GETCOUNT, 0, 0);
        };
        g_connectionResult = static_cast<DWORD>(-1);  // the user cancels the connection dialog
        drivesAfterCancel = pressNetwork();
        g_connectionResult = NO_ERROR;
        drivesAfterConnect = pressNetwork();
        char drive[8] = "";
        SendMessageA(drives, CB_GETLBTEXT, static_cast<WPARAM>(SendMessageA(drives, CB_GETCURSEL, 0, 0)),
                     reinterpret_cast<LPARAM>(drive));
        selectedDrive = drive;
        PostClick(dialog, IDCANCEL);
        WaitGoneOrCancel(dialog);
    });
    EXPECT_EQ(browse.DoModal(), IDCANCEL);
    user.Join();
    EXPECT_TRUE(enabled);
    EXPECT_EQ(g_connectionOwner, dialogSeen);
    EXPECT_EQ(g_connectionType, static_cast<DWORD>(RESOURCETYPE_DISK));
    EXPECT_EQ(drivesAfterCancel, 0);
    EXPECT_GE(drivesAfterConnect, 1);
    EXPECT_EQ(selectedDrive, temp.Path().substr(0, 2));  // the current directory's drive stays chosen
}
