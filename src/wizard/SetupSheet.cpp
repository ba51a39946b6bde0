#include "wizard/SetupSheet.h"

#include "copy/CopyDialogs.h"
#include "framework/Messages.h"

namespace {

// The wizard's buttons as the system's sheet numbers them.
constexpr WORD kBackButton = 0x3023;
constexpr WORD kNextButton = 0x3024;
constexpr WORD kFinishButton = 0x3025;

}  // namespace

CSetupSheet::CSetupSheet(const std::string& caption, HWND parent, UINT startPage)
    : fw::PropSheet(caption, startPage), m_hWndParent(parent) {
    SetWizardMode();
}

BOOL CSetupSheet::Create() {
    if (!fw::PropSheet::Create(m_hWndParent)) return FALSE;
    ShowWindow(m_hWnd, SW_SHOW);
    return TRUE;
}

void CSetupSheet::QueryCancel() {
    // The sheet owns the question, so it stays disabled while the question is open.
    CQueryCancelDialog question(m_hWnd);
    if (question.DoModal() == IDCANCEL) End(SETUP_STOPPED);
}

void CSetupSheet::EndWizard() { End(SETUP_DONE); }

void CSetupSheet::OnWizardBackHook() {}

BOOL CSetupSheet::OnWizardNextHook() {
    if (GetActiveIndex() + 1 != GetPageCount()) return FALSE;
    EndWizard();
    return TRUE;
}

void CSetupSheet::OnWizardFinishHook() {}

BOOL CSetupSheet::OnCommand(WORD id, WORD notifyCode, HWND control) {
    switch (id) {
    case IDCANCEL:
        QueryCancel();
        return TRUE;
    case kBackButton:
        OnWizardBackHook();
        break;
    case kNextButton:
        if (OnWizardNextHook()) return TRUE;
        break;
    case kFinishButton:
        OnWizardFinishHook();
        break;
    }
    return fw::PropSheet::OnCommand(id, notifyCode, control);
}

BOOL CSetupSheet::OnClose() {
    // Handled here: the system's own WM_CLOSE would ask the pages twice.
    QueryCancel();
    return TRUE;
}

// Only a system that ends the sheet without a command of ours gets here; the wizard did
// not reach its end through Next, so the driver hears it was stopped.
void CSetupSheet::OnSheetEnded() { End(SETUP_STOPPED); }

void CSetupSheet::End(WPARAM code) {
    // The driver must never see a live sheet window when the message arrives.
    if (m_hWnd) DestroyWindow();
    PostMessageA(m_hWndParent, WM_SETUP_WIZARD_DONE, code, 0);
}
