// The DDE client against a server of the test's own (on a thread of its own), and the
// program manager's side of program groups against Wine's "Progman" server (its desktop
// process serves it) and the helper __SETUP.EXE.
#include <windows.h>
#include <ddeml.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "TestSupport.h"
#include "WizardTestSupport.h"
#include "app/MainFrame.h"
#include "app/SetupApp.h"
#include "common/FileUtils.h"
#include "framework/App.h"
#include "resources/resource.h"
#include "script/PathMacros.h"
#include "system/DDEClient.h"
#include "system/ProgramManager.h"

using wizardtest::Pump;
using wizardtest::PumpUntil;

namespace {

// A DDE server for one service: takes every topic and records the execute commands.
class TestServer {
public:
    explicit TestServer(const char* service) : m_service(service) {
        s_current = this;
        HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        m_thread = std::thread([this, ready] { Run(ready); });
        WaitForSingleObject(ready, 10000);
        CloseHandle(ready);
    }
    ~TestServer() {
        PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
        m_thread.join();
        s_current = nullptr;
    }
    bool InConversation() const { return m_conversation != nullptr; }
    std::vector<std::string> Commands() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_commands;
    }

private:
    void Run(HANDLE ready) {
        m_threadId = GetCurrentThreadId();
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue
        DdeInitializeA(&m_instance, Callback, CBF_FAIL_POKES | CBF_FAIL_REQUESTS | CBF_FAIL_ADVISES, 0);
        HSZ name = DdeCreateStringHandleA(m_instance, m_service, CP_WINANSI);
        DdeNameService(m_instance, name, nullptr, DNS_REGISTER);
        SetEvent(ready);
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
        DdeNameService(m_instance, nullptr, nullptr, DNS_UNREGISTER);
        DdeFreeStringHandle(m_instance, name);
        DdeUninitialize(m_instance);
    }

    static HDDEDATA CALLBACK Callback(UINT type, UINT, HCONV conversation, HSZ, HSZ, HDDEDATA data, ULONG_PTR,
                                      ULONG_PTR) {
        TestServer* self = s_current;
        switch (type) {
        case XTYP_CONNECT:
            return reinterpret_cast<HDDEDATA>(TRUE);
        case XTYP_CONNECT_CONFIRM:
            self->m_conversation = conversation;
            return nullptr;
        case XTYP_DISCONNECT:
            self->m_conversation = nullptr;
            return nullptr;
        case XTYP_EXECUTE: {
            std::string text(DdeGetData(data, nullptr, 0, 0), '\0');
            DdeGetData(data, reinterpret_cast<BYTE*>(text.data()), static_cast<DWORD>(text.size()), 0);
            if (!text.empty() && text.back() == '\0') text.pop_back();
            std::lock_guard<std::mutex> lock(self->m_mutex);
            self->m_commands.push_back(text);
            return reinterpret_cast<HDDEDATA>(DDE_FACK);
        }
        default:
            return nullptr;
        }
    }

    static inline TestServer* s_current = nullptr;
    const char* m_service;
    std::thread m_thread;
    DWORD m_threadId = 0;
    DWORD m_instance = 0;
    std::atomic<HCONV> m_conversation = nullptr;
    std::mutex m_mutex;
    std::vector<std::string> m_commands;
};

class CountingConv : public CDDEClientConv {
public:
    void OnDisconnect(BOOL fSameInstance) override {
        ++m_nDisconnects;
        CDDEClientConv::OnDisconnect(fSameInstance);
    }
    int m_nDisconnects = 0;
};

// The uninstall notes of a main window, of which only the program group is kept.
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
    std::vector<std::string> m_arrGroups;
};

// A program group made through Wine's program manager: a folder under the Programs folder,
// shown in explorer windows titled with its name. Both go when the test ends.
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
            Pump();
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
        if ((cls == "ExplorerWClass" || cls == "CabinetWClass") && testsupport::WindowText(hwnd) == self->m_name) {
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

TEST(DDEClient, ExecutesQuotedCommandsAndGoesIdleWhenTheServerEnds) {
    TestServer server("OrvanTestServer");
    CDDEClient client;
    auto* conv = new CountingConv;
    ASSERT_NE(conv->Connect("OrvanTestServer", "Progman", nullptr), nullptr);
    EXPECT_EQ(client.FindConversation(conv->m_hConv), conv);

    const CProgramManagerLink link{&client, conv};
    EXPECT_EQ(AddProgramManagerItem(link, "C:\\Tools,Old\\TOOL.EXE", "ツール (旧)"), 1);
    EXPECT_EQ(AddProgramManagerItem(link, "C:\\Tools\\TOOL.EXE", "ツール"), 1);
    ExitProgramManager(link);
    EXPECT_EQ(server.Commands(), (std::vector<std::string>{"[AddItem(\"C:\\Tools,Old\\TOOL.EXE\",\"ツール (旧)\")]",
                                                            "[AddItem(C:\\Tools\\TOOL.EXE,ツール)]",
                                                            "[ExitProgman(1)]"}));

    // The server's end, as the library reports it (Wine's library never does: its client
    // ignores a terminate from the server), makes the conversation idle. Deleting it then
    // ends nothing: the server still sees its side open.
    DDECallback(XTYP_DISCONNECT, 0, conv->m_hConv, nullptr, nullptr, nullptr, 0, 0);
    EXPECT_EQ(conv->m_nDisconnects, 1);
    EXPECT_EQ(conv->m_hConv, nullptr);
    EXPECT_EQ(conv->m_hszTopic, nullptr);
    EXPECT_TRUE(client.m_mapConv.empty());
    EXPECT_FALSE(SendProgramManagerCommand(link, "[ExitProgman(1)]"));
    delete conv;
    Pump();
    EXPECT_TRUE(server.InConversation());
    EXPECT_EQ(server.Commands().size(), 3u);
}

TEST(DDEClient, AMissingServiceGivesNoConversationAndNothingWaits) {
    CDDEClient client;
    CDDEClientConv conv;
    const DWORD start = GetTickCount();
    EXPECT_EQ(conv.Connect("OrvanNoSuchService", "Progman", nullptr), nullptr);
    EXPECT_TRUE(client.m_mapConv.empty());
    EXPECT_NE(conv.m_hszService, nullptr);  // kept until the object goes
    DWORD result = 0;
    EXPECT_EQ(conv.ClientTransaction(nullptr, 0, nullptr, 0, XTYP_EXECUTE, 1000, &result), nullptr);
    EXPECT_EQ(AddProgramManagerItem({&client, &conv}, "C:\\X.EXE", "X"), 1);
    EXPECT_LT(GetTickCount() - start, 3000u);
}

TEST(DDEClient, CallbacksGoToTheNewestClientsConversationsOnly) {
    const HCONV handle = reinterpret_cast<HCONV>(0x1234);
    auto first = std::make_unique<CDDEClient>();
    CountingConv ofFirst;
    first->m_mapConv[handle] = &ofFirst;
    CDDEClient second;
    EXPECT_EQ(g_pDDEClient, &second);
    DDECallback(XTYP_DISCONNECT, 0, handle, nullptr, nullptr, nullptr, 0, 0);
    EXPECT_EQ(ofFirst.m_nDisconnects, 0);

    CountingConv ofSecond;
    EXPECT_EQ(ofSecond.m_pClient, &second);
    ofSecond.m_hConv = handle;
    second.m_mapConv[handle] = &ofSecond;
    DDECallback(XTYP_DISCONNECT, 0, handle, nullptr, nullptr, nullptr, 0, 0);
    EXPECT_EQ(ofSecond.m_nDisconnects, 1);
    EXPECT_TRUE(second.m_mapConv.empty());
    first.reset();  // an older client's end leaves the newest in place
    EXPECT_EQ(g_pDDEClient, &second);
    ofFirst.m_hConv = nullptr;
}

TEST(ProgramManager, MainFrameTalksToTheProgramManagerOnlyOnWindowsNTBefore40) {
    CSetupApp app;
    app.m_bWinNT = 1;
    app.m_dwWinVersion = 0x30033;
    {
        CMainFrame frame;
        ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME));
        ASSERT_NE(frame.m_pDdeClient, nullptr);
        ASSERT_NE(frame.m_pProgmanConv, nullptr);
        EXPECT_NE(frame.m_pProgmanConv->m_hConv, nullptr);  // Wine's desktop answers
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

// The group exists when the call returns: the icons that follow go into it.
TEST(ProgramManager, CreateGroupWaitsForTheHelperAndNotesTheGroup) {
    ASSERT_EQ(GroupHelperPath(), HelperPath());
    fw::App app;
    GroupNotes notes;
    app.SetMainWnd(notes.GetHwnd());
    ScopedGroup group("Zz Orvan (1), [試験]");
    EXPECT_EQ(CreateProgramManagerGroup({}, group.Name()), 1);
    EXPECT_TRUE(DirectoryExists(group.Path()));
    EXPECT_EQ(notes.m_arrGroups, std::vector<std::string>{group.Name()});
    app.SetMainWnd(nullptr);
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
