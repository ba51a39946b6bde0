#pragma once
// The single view of the main window. It paints the background (blue gradient and the
// product texts of the Logo section) and drives the installation: a message-driven
// state machine that runs wizard, free-space check, copy and system update one after
// the other, each a modeless phase object that reports its end with a posted message.
#include "framework/Window.h"

class CSetupDoc;
class CSetupSheet;
class CWelcomePage;
class CInstallDirectoryPage;
class CInstallOptionPage;
class CFolderPage;
class CUserNamePage;
class CCheckDiskFreeSpaceDialog;
class CCopyDialog;
class CUpdateSystemDialog;

class CSetupView : public fw::View {
public:
    CSetupView() = default;
    ~CSetupView() override;

    // The view's document when it is a CSetupDoc, else nullptr.
    CSetupDoc* GetSetupDoc() const;

    // Phase ends. wParam is the completion code (2 stopped, anything else success);
    // lParam is unused. Each returns 0.
    virtual LRESULT OnWizardDone(WPARAM code, LPARAM);
    virtual LRESULT OnCopyDone(WPARAM code, LPARAM);
    virtual LRESULT OnUpdateDone(WPARAM code, LPARAM);
    virtual LRESULT OnDiskCheckDone(WPARAM code, LPARAM);

    // The main window was asked to close (Alt+F4, its system menu): the running phase's
    // window is closed as its own close box would be, so that phase's cancel decides (the
    // stop question in the wizard and the copy; nothing during the system update, which
    // cannot be stopped). Nothing happens while the phase's window waits for an answer of
    // its own. Before the wizard has opened, the program ends.
    void OnFrameClose();
    // Ends the installation after a failure the user was told about: the running phase is
    // stopped (its worker first, while everything it uses still exists), then the main
    // window goes. Waits while a modal loop of this thread is still on the stack.
    void EndNow();

    // The phases and their ends.
    void StartWizard();
    void StartDiskCheck();
    void ShowAbortNotice();
    void CloseWizard();
    void CloseDiskCheck();
    void CloseCopyDialog();

    // Owned; null while the phase is not running.
    CSetupSheet* m_pSheet = nullptr;
    CWelcomePage* m_pWelcomePage = nullptr;
    CInstallDirectoryPage* m_pInstallDirPage = nullptr;  // only when the page is shown
    CInstallOptionPage* m_pOptionPage = nullptr;         // only with two or more options
    CFolderPage* m_pFolderPage = nullptr;                // only when the page is shown
    CUserNamePage* m_pUserNamePage = nullptr;            // only when the page is shown
    CCheckDiskFreeSpaceDialog* m_pCheckDiskDialog = nullptr;
    CCopyDialog* m_pCopyDialog = nullptr;
    CUpdateSystemDialog* m_pUpdateDialog = nullptr;

    // The wizard opens at the first tick of this timer, half a second after the view.
    static constexpr UINT_PTR kStartTimerId = 0;
    static constexpr UINT kStartDelayMs = 500;
    // Ticks while the end waits for a modal loop of this thread to return.
    static constexpr UINT_PTR kEndTimerId = 1;
    static constexpr UINT kEndRetryMs = 100;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // The timer and the phase ends, each to its handler. A phase end counts only while
    // that phase runs, so one arriving twice (or from another program) changes nothing.
    LRESULT RoutePhaseMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    bool IsRunningPhaseEnd(UINT msg) const;
    // The window of the running phase, or nullptr between phases.
    HWND RunningPhaseWindow() const;
    // Closes every phase that is still open, stopping workers before their windows go.
    void ClosePhases();
    void CloseUpdate();
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    // The gradient and the logo texts; the background then counts as erased.
    void PaintBackground(HDC dc);
    void StartCopy();
    void StartUpdate();
    // Ends the application: the phases are closed and the main window (the view's frame)
    // goes; later when a modal loop of this thread is still on the stack, since its
    // caller may be one of the phase objects.
    void DestroyMainFrame();

    bool m_bStarted = false;  // the wizard was opened
    bool m_bEnding = false;   // the end waits for a modal loop to return: no phase starts
};
