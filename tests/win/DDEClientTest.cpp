// The DDE client and the program manager's side of program groups, against Wine's
// "Progman" server (its desktop process serves it) and the helper __SETUP.EXE.
#include <windows.h>
#include <ddeml.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "UiTestSupport.h"
#include "app/MainFrame.h"
#include "app/SetupApp.h"
#include "common/FileUtils.h"
#include "framework/App.h"
#include "resources/resource.h"
#include "script/PathMacros.h"
#include "system/DDEClient.h"
#include "system/ProgramManager.h"

using uitest::PumpUntilIdle;
using uitest::PumpUntil;

namespace {

class CountingConv : public CDDEClientConv {
public:
    void OnDisconnect() override {
        ++m_nDisconnects;
        CDDEClientConv::OnDisconnect();
    }
    int m_nDisconnects = 0;
};

// The uninstall notes of a main window, of which only the program groups are kept.
class GroupNotes : public fw::Window, public CUninstallNotes {
public:
    GroupNotes() {
        RegisterWindowClass("Test.GroupNotes", 0, nullptr);
        Create("Test.GroupNotes", "", WS_POPUP, 0, 0, 0, 0, 0, nullptr, nullptr);
    }
    void RecordDeleteProgramGroup(const std::string& name) override { m_arrGroups.push_back(name); }
    void RecordDeleteFile(const std::string&) override {}
    void RecordDeleteShortcut(const std::string&) override {}
    void RecordUnregisterOcx(const COcxItem&) override {}
    void RecordUnregisterAutomation(const CAutomationItem&) override {}
    void RecordCreatedDirectory(const std::string&) override {}
    void RecordDeleteIniFile(const std::string&) override {}
    void RecordDeleteIniSection(const CIniItem&) override {}
    void RecordDeleteIniKeyword(const CIniItem&) override {}
    void RecordDeleteIniValue(const CIniItem&) override {}
    void RecordRestoreIniValue(const std::string&, const std::string&, const std::string&, const std::string&) override {}
    void RecordDeleteRegValue(const std::string&, const std::string&) override {}
    void RecordDeleteRegKey(const std::string&) override {}
    void RecordRestoreRegValue(const std::string&, const std::string&, std::uint32_t, const std::string&) override {}
    void RecordReleaseSharedFile(const std::string&) override {}
    void RecordDeleteProgramItem(const std::string&, const std::string&) override {}
    std::vector<std::string> m_arrGroups;
};

// A program group made through Wine's program manager: a folder under the Programs folder,
// shown in explorer windows titled with its name. Windows, folder and links inside go
// when the test ends.
class ScopedGroup {
public:
    explicit ScopedGroup(std::string name) : m_name(std::move(name)) {}
    ~ScopedGroup() {
        // The windows come from other processes a while after the commands: close them as
        // they come, until none came for two seconds (a left window would keep Wine's
        // desktop, and with it this program's output, alive).
        const DWORD start = GetTickCount();
        DWORD quietSince = start;
        while (GetTickCount() - quietSince < 2000 && GetTickCount() - start < 20000) {
            m_bFound = false;
            EnumWindows(CloseGroupWindow, reinterpret_cast<LPARAM>(this));
            if (m_bFound) quietSince = GetTickCount();
            PumpUntilIdle(200);
        }
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((Path() + "\\*.lnk").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do DeleteFileA((Path() + "\\" + found.cFileName).c_str());
            while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(Path().c_str());
    }
    std::string Path() const { return GetSpecialFolder(CSIDL_PROGRAMS) + "\\" + m_name; }
    const std::string& Name() const { return m_name; }

private:
    static BOOL CALLBACK CloseGroupWindow(HWND hwnd, LPARAM param) {
        auto* self = reinterpret_cast<ScopedGroup*>(param);
        char className[64] = "";
        GetClassNameA(hwnd, className, sizeof className);
        const std::string cls = className;
        if ((cls == "ExplorerWClass" || cls == "CabinetWClass") && uitest::WindowText(hwnd) == self->m_name) {
            PostMessageA(hwnd, WM_CLOSE, 0, 0);
            self->m_bFound = true;
        }
        return TRUE;
    }
    std::string m_name;
    bool m_bFound = false;
};

std::string HelperPath() { return testsupport::WindowsPathOfUnix(SETUP_BINARY_UNIX_DIR "/__SETUP.EXE"); }

}  // namespace

TEST(DDEClient, AMissingServiceGivesNoConversationAndNothingWaits) {
    CDDEClient client;
    CDDEClientConv conv;
    const DWORD start = GetTickCount();
    EXPECT_EQ(conv.Connect("OrvanNoSuchService", "Progman", nullptr), nullptr);
    EXPECT_TRUE(client.m_mapConv.empty());
    EXPECT_NE(conv.m_hszService, nullptr);  // kept until the object goes
    DWORD result = 0;
    EXPECT_EQ(conv.ClientTransaction(nullptr, 0, nullptr, 0, XTYP_EXECUTE, 1000, &result), nullptr);
    EXPECT_FALSE(SendProgramManagerCommand({&client, &conv}, "[ExitProgman(1)]"));
    EXPECT_LT(GetTickCount() - start, 3000u);
}

// Wine's library never reports a server's end to its client, so the callback is called
// here as the library would.
TEST(DDEClient, CallbacksReachOnlyTheNewestClientsConversations) {
    auto first = std::make_unique<CDDEClient>();
    CountingConv ofFirst;
    ASSERT_NE(ofFirst.Connect("Progman", "Progman", nullptr), nullptr);
    CDDEClient second;
    EXPECT_EQ(g_pDDEClient, &second);
    DDECallback(XTYP_DISCONNECT, 0, ofFirst.m_hConv, nullptr, nullptr, nullptr, 0, 0);
    EXPECT_EQ(ofFirst.m_nDisconnects, 0);

    CountingConv ofSecond;
    EXPECT_EQ(ofSecond.m_pClient, &second);
    ASSERT_NE(ofSecond.Connect("Progman", "Progman", nullptr), nullptr);
    EXPECT_EQ(second.FindConversation(ofSecond.m_hConv), &ofSecond);
    DDECallback(XTYP_DISCONNECT, 0, ofSecond.m_hConv, nullptr, nullptr, nullptr, 0, 0);
    // Idle, forgotten by the client, names freed: nothing is left to end or send.
    EXPECT_EQ(ofSecond.m_nDisconnects, 1);
    EXPECT_EQ(ofSecond.m_hConv, nullptr);
    EXPECT_EQ(ofSecond.m_hszTopic, nullptr);
    EXPECT_TRUE(second.m_mapConv.empty());
    EXPECT_EQ(ofSecond.Disconnect(), TRUE);

    ofFirst.Disconnect();
    first.reset();  // an older client's end leaves the newest in place
    EXPECT_EQ(g_pDDEClient, &second);
}

TEST(ProgramManager, MainFrameTalksToTheProgramManagerOnlyOnWindowsNTBefore40) {
    CSetupApp app;
    app.m_bWinNT = 1;
    app.m_dwWinVersion = 0x30033;
    {
        CMainFrame frame;
        ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME));
        ASSERT_NE(frame.m_pProgmanConv, nullptr);
        EXPECT_NE(frame.m_pProgmanConv->m_hConv, nullptr);
        EXPECT_EQ(frame.m_pProgmanConv->m_pClient, frame.m_pDdeClient);
        EXPECT_EQ(GetWindowLongPtrA(frame.GetHwnd(), GWL_STYLE) & WS_CAPTION, 0);
        frame.DestroyWindow();
        EXPECT_EQ(frame.m_pDdeClient, nullptr);
        EXPECT_EQ(frame.m_pProgmanConv, nullptr);
        EXPECT_EQ(g_pDDEClient, nullptr);
    }
    app.m_dwWinVersion = 0x40000;
    CMainFrame frame;
    ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME));
    EXPECT_EQ(frame.m_pDdeClient, nullptr);
    EXPECT_EQ(frame.m_pProgmanConv, nullptr);
}

// The group exists when CreateProgramManagerGroup returns, so the icon that follows goes
// into it; a path and a title with commas and parentheses arrive whole.
TEST(ProgramManager, GroupThenAnIconWithCommasAndParentheses) {
    ASSERT_EQ(GroupHelperPath(), HelperPath());
    testsupport::TempDirectory folder;
    const std::string program = folder.Path() + "\\x,y (1)\\TOOL.EXE";
    ASSERT_TRUE(CreateDirectoryA((folder.Path() + "\\x,y (1)").c_str(), nullptr));
    ASSERT_TRUE(CopyFileA(HelperPath().c_str(), program.c_str(), FALSE));
    GroupNotes notes;
    ScopedGroup group("Zz Orvan (1), [試験]");

    bool madeHere = false;
    CreateProgramManagerGroup({}, group.Name(), &notes, madeHere);
    EXPECT_TRUE(DirectoryExists(group.Path()));
    EXPECT_TRUE(madeHere);
    EXPECT_EQ(notes.m_arrGroups, std::vector<std::string>{group.Name()});
    // The group is there now: made again, it is not this installation's to note.
    CreateProgramManagerGroup({}, group.Name(), &notes, madeHere);
    EXPECT_FALSE(madeHere);
    EXPECT_EQ(notes.m_arrGroups.size(), 1u);

    CDDEClient client;
    CDDEClientConv conv;
    ASSERT_NE(conv.Connect("Progman", "Progman", nullptr), nullptr);
    AddProgramManagerItem({&client, &conv}, program, "ツール (x86), 旧");
    EXPECT_EQ(testsupport::ReadShellLink(group.Path() + "\\ツール (x86), 旧.lnk"), program + "|ツール (x86), 旧");
    EXPECT_TRUE(ExitProgramManager({&client, &conv}));  // accepted; Wine's program manager stays
}

TEST(GroupHelper, TakesTheGroupFromTheSetupInfBesideIt) {
    testsupport::TempDirectory media;
    const std::string helper = media.Path() + "\\__SETUP.EXE";
    ASSERT_TRUE(CopyFileA(HelperPath().c_str(), helper.c_str(), FALSE));
    auto run = [&] {
        testsupport::ChildProcess process(helper);
        // Its connection is broadcast to this process's windows too: keep answering.
        return PumpUntil([&] { return process.WaitForExit(0); }, 20000) ? process.ExitCode() : 99u;
    };
    EXPECT_EQ(run(), 1u);  // no SETUP.INF
    ASSERT_TRUE(testsupport::WriteTextFile(media.Path() + "\\SETUP.INF", "[Config]\r\nProduct=X\r\n"));
    EXPECT_EQ(run(), 2u);  // no GroupName
    ScopedGroup group("Zz Orvan INF グループ");
    ASSERT_TRUE(testsupport::WriteTextFile(media.Path() + "\\SETUP.INF",
                                           "[Config]\r\nGroupName=" + group.Name() + "\r\n"));
    EXPECT_EQ(run(), 0u);
    EXPECT_TRUE(DirectoryExists(group.Path()));
}
