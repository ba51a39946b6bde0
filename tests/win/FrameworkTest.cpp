// The framework layer: dialogs from templates, the application's loop and exit, worker
// threads with their own queues, handle owners.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "framework/App.h"
#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "framework/Thread.h"
#include "framework/Window.h"
#include "resources/resource.h"

namespace {

// Opens the about box and, once it is up, sends itself the command under test.
class ScriptedDialog : public fw::Dialog {
public:
    explicit ScriptedDialog(UINT message, WPARAM wParam) : Dialog(IDD_ABOUTBOX), m_message(message), m_wParam(wParam) {}
    std::string m_strVersionText;
    int m_nCustomCommands = 0;

protected:
    BOOL OnInitDialog() override {
        m_strVersionText = GetItemText(IDC_ABOUT_VERSION);
        SetItemText(IDC_ABOUT_VERSION, "変更後");
        m_strVersionText += "|" + GetItemText(IDC_ABOUT_VERSION);
        PostMessageA(m_hWnd, m_message, m_wParam, 0);
        return TRUE;
    }
    BOOL OnCommand(WORD id, WORD code, HWND control) override {
        if (id == 1012) {
            ++m_nCustomCommands;
            EndDialog(1012);
            return TRUE;
        }
        return Dialog::OnCommand(id, code, control);
    }

private:
    UINT m_message;
    WPARAM m_wParam;
};

}  // namespace

TEST(FrameworkDialog, DoModalReturnsTheButtonThatClosedIt) {
    ScriptedDialog ok(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
    EXPECT_EQ(ok.DoModal(), IDOK);
    EXPECT_FALSE(ok.IsAlive());
    // The template's Japanese text arrives intact (UTF-8 resource -> code page 932).
    EXPECT_EQ(ok.m_strVersionText, "セットアップ バージョン 1.0|変更後");

    // The close box goes through IDCANCEL.
    ScriptedDialog closed(WM_CLOSE, 0);
    EXPECT_EQ(closed.DoModal(), IDCANCEL);

    ScriptedDialog custom(WM_COMMAND, MAKEWPARAM(1012, BN_CLICKED));
    EXPECT_EQ(custom.DoModal(), 1012);
    EXPECT_EQ(custom.m_nCustomCommands, 1);
}

namespace {

class QuitOnDestroyApp : public fw::App {
public:
    bool m_bInitOk = true;
    int m_nExitCalls = 0;
    fw::FrameWindow m_frame;

    BOOL InitInstance() override {
        if (!m_frame.CreateFrame("frame", WS_OVERLAPPEDWINDOW)) return FALSE;
        SetMainWnd(m_frame.GetHwnd());
        if (!m_bInitOk) return FALSE;
        PostMessageA(m_frame.GetHwnd(), WM_CLOSE, 0, 0);
        return TRUE;
    }
    int ExitInstance() override {
        ++m_nExitCalls;
        return 40 + fw::App::ExitInstance();
    }
};

}  // namespace

TEST(FrameworkApp, ClosingTheMainWindowEndsTheLoopAndRunsExit) {
    QuitOnDestroyApp app;
    EXPECT_EQ(app.Run(), 40);
    EXPECT_EQ(app.m_nExitCalls, 1);
    EXPECT_FALSE(app.m_frame.IsAlive());
    EXPECT_EQ(app.GetMainWnd(), nullptr);
}

TEST(FrameworkApp, FailedStartUpDestroysTheMainWindowAndRunsExit) {
    QuitOnDestroyApp app;
    app.m_bInitOk = false;
    EXPECT_EQ(app.Run(), 40);
    EXPECT_EQ(app.m_nExitCalls, 1);
    EXPECT_FALSE(app.m_frame.IsAlive());
    // Drop the quit message the destroyed main window left in this thread's queue.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {}
}

namespace {

constexpr UINT WM_TEST_ADD = WM_APP + 1;
constexpr UINT WM_TEST_COUNTDOWN = WM_APP + 2;
constexpr UINT WM_TEST_SEND = WM_APP + 3;

class RecordingThread : public fw::UiThread {
public:
    ~RecordingThread() override { Stop(); }
    std::vector<WPARAM> m_received;
    DWORD m_handlerThread = 0;
    fw::Handle m_hDone{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    HWND m_hSendTarget = nullptr;
    std::atomic<bool> m_bExited{false};

protected:
    int ExitInstance() override {
        m_bExited = true;
        return 0;
    }
    void OnThreadMessage(UINT msg, WPARAM wParam, LPARAM) override {
        m_handlerThread = GetCurrentThreadId();
        switch (msg) {
        case WM_TEST_ADD:
            m_received.push_back(wParam);
            break;
        case WM_TEST_COUNTDOWN:  // one step per message, like the copy worker
            m_received.push_back(wParam);
            if (wParam > 0)
                PostToThread(WM_TEST_COUNTDOWN, wParam - 1);
            else
                SetEvent(m_hDone.Get());
            break;
        case WM_TEST_SEND:
            SetEvent(m_hDone.Get());
            SendMessageA(m_hSendTarget, WM_NULL, 0, 0);
            break;
        }
    }
};

}  // namespace

TEST(FrameworkThread, DispatchesPostedThreadMessagesInOrderOnItsOwnThread) {
    RecordingThread thread;
    ASSERT_TRUE(thread.Start());
    EXPECT_NE(thread.GetThreadId(), 0u);
    // Posting works right after Start returns: the queue already exists.
    ASSERT_TRUE(thread.PostToThread(WM_TEST_ADD, 7));
    ASSERT_TRUE(thread.PostToThread(WM_TEST_ADD, 8));
    ASSERT_TRUE(thread.PostToThread(WM_TEST_COUNTDOWN, 3));
    ASSERT_EQ(WaitForSingleObject(thread.m_hDone.Get(), 30000), WAIT_OBJECT_0);
    thread.Stop();
    EXPECT_FALSE(thread.IsRunning());
    EXPECT_TRUE(thread.m_bExited);
    EXPECT_EQ(thread.m_received, (std::vector<WPARAM>{7, 8, 3, 2, 1, 0}));
    EXPECT_NE(thread.m_handlerThread, GetCurrentThreadId());
    EXPECT_FALSE(thread.PostToThread(WM_TEST_ADD, 9));
}

TEST(FrameworkThread, StopsWhileTheWorkerSendsToThisThread) {
    // A window of this thread that the worker sends to while this thread stops it.
    fw::FrameWindow target;
    ASSERT_TRUE(target.CreateFrame("target", WS_OVERLAPPED));
    RecordingThread thread;
    thread.m_hSendTarget = target.GetHwnd();
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(thread.PostToThread(WM_TEST_SEND));
    ASSERT_EQ(WaitForSingleObject(thread.m_hDone.Get(), 30000), WAIT_OBJECT_0);
    thread.Stop();  // must answer the sent message instead of waiting forever
    EXPECT_TRUE(thread.m_bExited);
}

TEST(FrameworkHandles, OwnersCloseOnceAndMove) {
    HANDLE raw = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    DWORD flags = 0;
    {
        fw::Handle first(raw);
        fw::Handle second(std::move(first));
        EXPECT_FALSE(first.IsValid());
        EXPECT_EQ(second.Get(), raw);
        EXPECT_TRUE(GetHandleInformation(raw, &flags));
    }
    EXPECT_FALSE(GetHandleInformation(raw, &flags));

    // A predefined root key is never closed by its owner.
    {
        fw::RegKey root(HKEY_CURRENT_USER);
        EXPECT_FALSE(root.IsValid());
    }
    HKEY software = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &software), ERROR_SUCCESS);
    fw::RegKey key(software);
    EXPECT_TRUE(key.IsValid());

    fw::FindHandle none;
    EXPECT_FALSE(none.IsValid());
    EXPECT_EQ(none.Get(), INVALID_HANDLE_VALUE);
}
