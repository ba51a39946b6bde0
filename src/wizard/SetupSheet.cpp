#include "wizard/SetupSheet.h"

#include "common/StopDialogs.h"
#include "common/Messages.h"

CSetupSheet::CSetupSheet(const std::string& caption, HWND parent, UINT startPage)
    : fw::PropSheet(caption, startPage), m_hWndParent(parent) {
    SetWizardMode();
}

BOOL CSetupSheet::Create() {
    if (!fw::PropSheet::Create(m_hWndParent)) return FALSE;
    CenterOverParent();
    ShowWindow(m_hWnd, SW_SHOW);
    return TRUE;
}

void CSetupSheet::CenterOverParent() {
    // The system puts the sheet at the parent's corner; over the full-screen
    // background it belongs in the middle.
    RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (m_hWndParent) GetWindowRect(m_hWndParent, &area);
    RECT own = {};
    GetWindowRect(m_hWnd, &own);
    const int x = area.left + ((area.right - area.left) - (own.right - own.left)) / 2;
    const int y = area.top + ((area.bottom - area.top) - (own.bottom - own.top)) / 2;
    SetWindowPos(m_hWnd, nullptr, x > 0 ? x : 0, y > 0 ? y : 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CSetupSheet::QueryCancel() {
    // Owned by the sheet, so the wizard cannot be used while the question is open.
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
    case fw::kWizardBackButton:
        OnWizardBackHook();
        break;
    case fw::kWizardNextButton:
        if (OnWizardNextHook()) return TRUE;
        break;
    case fw::kWizardFinishButton:
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
