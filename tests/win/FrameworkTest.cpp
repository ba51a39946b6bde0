// The framework layer: dialogs from templates, the application's loop and exit, handle
// owners (worker threads: UiThreadTest.cpp).
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "framework/App.h"
#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "framework/PropSheet.h"
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

namespace {

class ModelessAbout : public fw::Dialog {
public:
    ModelessAbout() : Dialog(IDD_ABOUTBOX) {}
    bool m_bOk = false;

protected:
    void OnOK() override {
        m_bOk = true;
        Dialog::OnOK();  // a modeless dialog destroys its window
    }
    void OnFinalMessage() override { PostQuitMessage(0); }
};

VOID CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(1); }

}  // namespace

TEST(FrameworkDialog, TheMessageLoopGivesModelessDialogsTheirKeyboard) {
    ModelessAbout about;
    ASSERT_TRUE(about.Create(nullptr));
    ShowWindow(about.GetHwnd(), SW_SHOW);
    // Enter on the dialog works only when the loop passes it through IsDialogMessage.
    PostMessageA(about.GetItem(IDOK), WM_KEYDOWN, VK_RETURN, 0);
    const UINT_PTR failsafe = SetTimer(nullptr, 0, 20000, &GiveUp);
    EXPECT_EQ(fw::RunMessageLoop(), 0);
    KillTimer(nullptr, failsafe);
    EXPECT_TRUE(about.m_bOk);
    EXPECT_FALSE(about.IsAlive());
    EXPECT_EQ(about.GetResult(), IDOK);
}

namespace {

constexpr UINT WM_TEST_THROW = WM_APP + 20;  // 0x8014: the handler under test throws
constexpr WORD kThrowingCommand = 999;

// Filled by the hook on the failing thread; read once that thread has reported.
std::vector<std::string> g_failures;
std::atomic<int> g_nFailures{0};
void RecordFailure(const char* where) {
    g_failures.push_back(where);
    ++g_nFailures;
}

class ThrowingWindow : public fw::Window {
protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_TEST_THROW) throw std::runtime_error("window");
        return Window::WindowProc(msg, wParam, lParam);
    }
};

class ThrowingDialog : public fw::Dialog {
public:
    ThrowingDialog() : Dialog(IDD_ABOUTBOX) {}

protected:
    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_TEST_THROW) throw std::runtime_error("dialog");
        return Dialog::DialogProc(msg, wParam, lParam);
    }
};

class ThrowingSheet : public fw::PropSheet {
public:
    ThrowingSheet() : PropSheet("") { SetWizardMode(); }

protected:
    BOOL OnCommand(WORD id, WORD code, HWND control) override {
        if (id == kThrowingCommand) throw std::bad_alloc();
        return PropSheet::OnCommand(id, code, control);
    }
};

class ThrowingThread : public fw::UiThread {
public:
    ~ThrowingThread() override { Stop(); }

protected:
    void OnThreadMessage(UINT, WPARAM, LPARAM) override { throw std::runtime_error("thread"); }
    bool AcceptsMessage(UINT msg) const override { return msg == WM_TEST_THROW; }
};

bool Reported(const std::string& where) {
    for (const std::string& failure : g_failures)
        if (failure.rfind(where + ", thread ", 0) == 0) return true;
    return false;
}

}  // namespace

TEST(FrameworkFailures, AnExceptionOutOfAHandlerReachesTheHookWithWhereItHappened) {
    g_failures.clear();
    fw::SetHandlerFailureHook(&RecordFailure);

    ThrowingWindow window;
    fw::Window::RegisterWindowClass("FwThrowingWindow", 0, nullptr);
    ASSERT_TRUE(window.Create("FwThrowingWindow", "", WS_OVERLAPPED, 0, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(SendMessageA(window.GetHwnd(), WM_TEST_THROW, 0, 0), 0);

    ThrowingDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    SendMessageA(dialog.GetHwnd(), WM_TEST_THROW, 0, 0);

    fw::PropPage page(IDD_ABOUTBOX);
    ThrowingSheet sheet;
    sheet.AddPage(&page);
    ASSERT_TRUE(sheet.Create(nullptr));
    SendMessageA(sheet.GetHwnd(), WM_COMMAND, MAKEWPARAM(kThrowingCommand, BN_CLICKED), 0);

    ThrowingThread thread;
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(thread.PostToThread(WM_TEST_THROW));
    EXPECT_TRUE(testsupport::WaitUntil([] { return g_nFailures >= 4; }));
    thread.Stop();
    fw::SetHandlerFailureHook(nullptr);

    EXPECT_EQ(g_failures.size(), 4u);
    EXPECT_TRUE(Reported("window procedure of window class \"FwThrowingWindow\", message 0x8014"));
    EXPECT_TRUE(Reported("dialog procedure of window class \"#32770\", message 0x8014"));
    EXPECT_TRUE(Reported("property sheet procedure of window class \"#32770\", message 0x0111"));
    EXPECT_TRUE(Reported("thread's message handler of window class \"fw.UiThreadMessages\", message 0x8014"));
    // The windows live on: only the one message was lost.
    EXPECT_TRUE(IsWindow(window.GetHwnd()) && IsWindow(dialog.GetHwnd()) && IsWindow(sheet.GetHwnd()));
}
