// SETUP.EXE started as a user would: from a folder with or without SETUP.INF.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "UiTestSupport.h"

using namespace testsupport;
using uitest::StaticTexts;
using uitest::WindowText;

namespace {

class SetupStartup : public testing::Test {
protected:
    void SetUp() override {
        m_exe = m_folder.Path() + "\\SETUP.EXE";
        ASSERT_TRUE(CopyFileA(WindowsPathOfUnix(SETUP_EXE_UNIX_PATH).c_str(), m_exe.c_str(), FALSE));
        m_scratchLink = DesktopDirectory() + "\\x.lnk";
        ASSERT_NE(m_scratchLink, "\\x.lnk");
        DeleteFileA(m_scratchLink.c_str());  // left over from an interrupted run
    }
    void TearDown() override { DeleteFileA(m_scratchLink.c_str()); }

    void WriteSetupInf() {
        ASSERT_TRUE(WriteTextFile(m_folder.Path() + "\\SETUP.INF", "[Config]\r\nProduct=Test\r\n"));
    }
    // Waits for the main frame of the running installer.
    HWND WaitForMainFrame(const ChildProcess& setup) {
        uitest::WindowQuery frame;
        frame.processId = setup.Id();
        frame.className = "fw.Frame";
        return uitest::WaitForTopWindow(frame);
    }

    TempDirectory m_folder;
    std::string m_exe;
    std::string m_scratchLink;
};

}  // namespace

TEST_F(SetupStartup, WithoutSetupInfShowsTheMessageAndCleansUp) {
    ChildProcess setup(m_exe);
    ASSERT_TRUE(setup.Started());

    uitest::WindowQuery message;
    message.processId = setup.Id();
    message.className = "#32770";
    HWND box = uitest::WaitForTopWindow(message);
    ASSERT_NE(box, nullptr) << "no message box";
    EXPECT_EQ(WindowText(box), "セットアップ");
    EXPECT_EQ(StaticTexts(box), "SETUP.INFが見つかりません");
    // Start-up made the scratch shortcut before it looked for SETUP.INF.
    EXPECT_TRUE(FileExists(m_scratchLink));

    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(setup.WaitForExit());
    // The exit steps ran although start-up failed.
    EXPECT_FALSE(FileExists(m_scratchLink));
}

TEST_F(SetupStartup, RunsFullScreenWithTempDirAndScratchShortcutUntilClosed) {
    WriteSetupInf();
    const std::string tmpDir = WindowsDirectory() + "\\SetupTmp";
    // An earlier run's directory would make the check below pass without this start-up.
    DeleteTree(tmpDir);
    ASSERT_EQ(GetFileAttributesA(tmpDir.c_str()), INVALID_FILE_ATTRIBUTES) << tmpDir;

    ChildProcess setup(m_exe);
    ASSERT_TRUE(setup.Started());
    HWND frame = WaitForMainFrame(setup);
    ASSERT_NE(frame, nullptr) << "no main frame";

    const DWORD attributes = GetFileAttributesA(tmpDir.c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_TRUE(FileExists(m_scratchLink));

    EXPECT_EQ(WindowText(frame), "セットアップ");
    const LONG_PTR style = GetWindowLongPtrA(frame, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, 0);
    EXPECT_EQ(GetMenu(frame), nullptr);
    RECT rect = {};
    GetWindowRect(frame, &rect);
    EXPECT_LE(rect.left, 0);
    EXPECT_LE(rect.top, 0);
    EXPECT_GE(rect.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_GE(rect.bottom, GetSystemMetrics(SM_CYSCREEN));
    // The view is the frame's only child and fills it.
    HWND view = GetWindow(frame, GW_CHILD);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(GetWindow(view, GW_HWNDNEXT), nullptr);
    RECT client = {}, viewRect = {};
    GetClientRect(frame, &client);
    GetClientRect(view, &viewRect);
    EXPECT_EQ(viewRect.right, client.right);
    EXPECT_EQ(viewRect.bottom, client.bottom);

    PostMessageA(frame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(setup.WaitForExit());
    EXPECT_EQ(setup.ExitCode(), 0u);
    EXPECT_FALSE(FileExists(m_scratchLink));
    // The temporary directory stays; the system update removes it later.
    EXPECT_NE(GetFileAttributesA(tmpDir.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SetupStartup, LeavesAUsersOwnXLnkAlone) {
    WriteSetupInf();
    const std::string mine = "the user's own file";
    ASSERT_TRUE(WriteTextFile(m_scratchLink, mine));

    ChildProcess setup(m_exe);
    ASSERT_TRUE(setup.Started());
    HWND frame = WaitForMainFrame(setup);
    ASSERT_NE(frame, nullptr) << "no main frame";
    EXPECT_EQ(ReadTextFile(m_scratchLink), mine);

    PostMessageA(frame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(setup.WaitForExit());
    EXPECT_EQ(ReadTextFile(m_scratchLink), mine);
}
