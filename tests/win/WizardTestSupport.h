#pragma once
// Helpers for driving the wizard sheet on the test's own thread.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/PropSheet.h"
#include "framework/Window.h"

namespace wizardtest {

// The wizard's buttons as the system's sheet numbers them.
constexpr int kBackButton = 0x3023;
constexpr int kNextButton = 0x3024;
constexpr int kFinishButton = 0x3025;

// The sheet's parent: records every WM_SETUP_WIZARD_DONE and whether a sheet window of
// this thread was still alive when it arrived.
class DoneRecorder : public fw::Window {
public:
    DoneRecorder();
    std::vector<WPARAM> m_arrCodes;
    bool m_bSheetAliveAtDone = false;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// Handles queued messages as the installer's loop does until the condition holds.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 30000);
// Handles what is queued now and what follows within a short while.
void Pump();

// A click on a button of the sheet (or of its current page), as the button sends it.
void Click(const fw::PropSheet& sheet, int id);
bool Enabled(const fw::PropSheet& sheet, int id);
// The control of the sheet's current page.
HWND PageItem(const fw::PropSheet& sheet, int id);
// Types the (Shift-JIS) text over the edit's content, one WM_CHAR per character.
void TypeText(HWND edit, const std::string& text);

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

// For the steps: a visible, enabled top-level window of this process with the title, or
// nullptr after the timeout.
HWND WaitForWindow(const std::string& title, DWORD timeoutMs = 30000);
// Waits until the window is gone; if it is still there after the timeout, it and any
// message box of this process are cancelled, so a failing test ends instead of hanging.
bool WaitGoneOrCancel(HWND window, DWORD timeoutMs = 30000);
// The non-empty static texts of a window, joined by '|'.
std::string StaticTexts(HWND window);
// Posts a click on the window's button, as the button itself would send it.
void PostClick(HWND window, int id);
std::string ItemText(HWND window, int id);
std::vector<std::string> ListItems(HWND list);

}  // namespace wizardtest
