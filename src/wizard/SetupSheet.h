#pragma once
// The installer's wizard: a modeless property sheet in wizard mode without a Finish
// button. Next on the last page ends it; Cancel, Esc and the close box ask whether to
// stop. When it ends it destroys its window and then posts WM_SETUP_WIZARD_DONE to its
// parent (1 finished, 2 stopped).
#include <windows.h>

#include <string>

#include "framework/PropSheet.h"

class CSetupSheet : public fw::PropSheet {
public:
    // The parent (the install driver's view) receives WM_SETUP_WIZARD_DONE.
    CSetupSheet(const std::string& caption, HWND parent, UINT startPage = 0);

    // Creates the sheet modeless over the parent and shows it.
    BOOL Create();

    HWND GetParentWnd() const { return m_hWndParent; }

    // Asks CQueryCancelDialog; on "中止(&X)" the wizard ends with code 2.
    virtual void QueryCancel();
    // Destroys the window and reports the wizard as finished (code 1).
    virtual void EndWizard();
    // Hooks run before the default handling of Back, Next and Finish. OnWizardNextHook
    // returns TRUE when it handled the command itself (Next on the last page).
    virtual void OnWizardBackHook();
    virtual BOOL OnWizardNextHook();
    virtual void OnWizardFinishHook();

protected:
    BOOL OnCommand(WORD id, WORD notifyCode, HWND control) override;
    BOOL OnClose() override;
    // A sheet that the system's default handling ended still reports, as stopped.
    void OnSheetEnded() override;

private:
    void CenterOverParent();
    void End(WPARAM code);

    HWND m_hWndParent;
};
