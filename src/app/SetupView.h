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

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // The timer and the phase ends, each to its handler.
    LRESULT RoutePhaseMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    // The gradient and the logo texts; the background then counts as erased.
    void PaintBackground(HDC dc);
    void StartCopy();
    void StartUpdate();
    // Ends the application: the main window (the view's frame) goes.
    void DestroyMainFrame();
};
