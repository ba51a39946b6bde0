#pragma once
// Helpers for tests that show windows and play the user: finding the test's own windows,
// handling messages until something has happened, pressing buttons and typing, and a
// thread beside a modal loop. Every wait has a bound and ends on a condition.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/PropSheet.h"
#include "framework/Window.h"

namespace uitest {

constexpr DWORD kWaitMs = 30000;

// Which top-level windows count: visible ones of one process (this one unless told),
// optionally of one thread, with a title, a class and a control of an id.
struct WindowQuery {
    DWORD processId = GetCurrentProcessId();
    DWORD threadId = 0;              // 0: any thread of the process
    const char* title = nullptr;     // exact; nullptr: any
    const char* className = nullptr;  // nullptr: any
    int requiredItem = 0;            // 0: none required
    bool enabledOnly = false;        // skip windows a modal dialog blocks
};

HWND FindTopWindow(const WindowQuery& query);
// The window once it is there, or nullptr after the timeout.
HWND WaitForTopWindow(const WindowQuery& query, DWORD timeoutMs = kWaitMs);
// A visible, enabled top-level window of this process with the title, or nullptr.
HWND WaitForWindow(const std::string& title, DWORD timeoutMs = kWaitMs);
// Waits until the window is gone; if it is still there after the timeout, it and any
// message box of its thread are cancelled, so a failing test ends instead of hanging.
bool WaitGoneOrCancel(HWND window, DWORD timeoutMs = kWaitMs);

std::string WindowText(HWND window);
std::string ItemText(HWND window, int id);
// The non-empty static texts of a window, joined by '|'.
std::string StaticTexts(HWND window);
std::vector<std::string> ListItems(HWND list);

// Posts a click on the window's button, as the button itself would send it.
void PostClick(HWND window, int id);
// A key press the dialog manager of the window's modal loop turns into a command.
void PostKey(HWND window, WPARAM key);

// Handles this thread's messages as the installer's loop does until the condition holds.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = kWaitMs);
// Handles this thread's messages until none is queued: what a click or a keystroke
// started on this thread (posted button states, page changes) has then happened.
bool PumpUntilIdle(DWORD timeoutMs = kWaitMs);

// The stop question "セットアップの中止", answered from a thread beside the one that asks:
// waits for it, presses the button (IDOK "再試行(&R)", IDCANCEL "中止(&X)", or
// kPressEnter for the Enter key) and waits until it has gone. `owner` receives the
// window it belonged to. False when no question came or it stayed.
constexpr int kPressEnter = 0;
bool AnswerStopQuestion(int button, HWND* owner = nullptr);

// Runs steps on a thread of its own while the test's thread sits in a modal loop (a
// question, the directory chooser). Join waits for the steps to end.
class BesideThread {
public:
    explicit BesideThread(std::function<void()> steps);
    ~BesideThread();
    void Join();

private:
    std::function<void()> m_steps;
    HANDLE m_hThread = nullptr;
};

// The wizard sheet, on the test's own thread.

// A click on a button of the sheet (or of its current page), as the button sends it;
// returns once this thread has handled what followed.
void Click(const fw::PropSheet& sheet, int id);
bool Enabled(const fw::PropSheet& sheet, int id);
// The control of the sheet's current page.
HWND PageItem(const fw::PropSheet& sheet, int id);
// Types the (Shift-JIS) text over the edit's content, one WM_CHAR per character.
void TypeText(HWND edit, const std::string& text);

// The sheet's parent: records every WM_SETUP_WIZARD_DONE and whether a sheet window of
// its thread was still alive when it arrived.
class DoneRecorder : public fw::Window {
public:
    DoneRecorder();
    std::vector<WPARAM> m_arrCodes;
    bool m_bSheetAliveAtDone = false;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace uitest
