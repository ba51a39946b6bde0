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
// Types the text over the edit's content, one WM_CHAR per byte pair or byte.
void TypeText(HWND edit, const std::string& text);

// Waits on a thread of its own for a visible top-level window of this process with the
// title, then posts it a click on the button. Join() waits for that to have happened.
class DialogAnswerer {
public:
    DialogAnswerer(std::string title, int buttonId, DWORD timeoutMs = 30000);
    ~DialogAnswerer();
    // True when the window was found and answered; also gives its texts.
    bool Join();
    // Texts of the answered window's static controls, joined by '|'.
    const std::string& SeenText() const { return m_strSeenText; }

private:
    void Run();
    std::string m_strTitle;
    int m_nButtonId;
    DWORD m_dwTimeout;
    bool m_bAnswered = false;
    std::string m_strSeenText;
    HANDLE m_hThread = nullptr;
};

}  // namespace wizardtest
