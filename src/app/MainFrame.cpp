#include "app/MainFrame.h"

#include "app/SetupDoc.h"
#include "app/SetupView.h"
#include "framework/App.h"

BOOL CMainFrame::LoadFrame(UINT resourceId) {
    std::string title = fw::LoadResourceString(resourceId);
    title = title.substr(0, title.find('\n'));
    if (!CreateFrame(title.c_str(), WS_OVERLAPPEDWINDOW)) return FALSE;
    HICON icon = LoadIconA(fw::GetResourceInstance(), MAKEINTRESOURCEA(resourceId));
    if (icon) {
        SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    return TRUE;
}

CSetupDoc* CMainFrame::GetSetupDoc() const {
    auto* view = dynamic_cast<CSetupView*>(GetActiveView());
    return view ? view->GetSetupDoc() : nullptr;
}

void CMainFrame::WriteUninstallRecord() {}

void CMainFrame::PreCreateWindow(CREATESTRUCTA& cs) {
    cs.style |= WS_MAXIMIZE;
    cs.x = 0;
    cs.y = 0;
    cs.cx = GetSystemMetrics(SM_CXSCREEN);
    cs.cy = GetSystemMetrics(SM_CYSCREEN);
    cs.hMenu = nullptr;
}

LRESULT CMainFrame::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        if (FrameWindow::WindowProc(msg, wParam, lParam) == -1) return -1;
        return OnCreate();
    }
    return FrameWindow::WindowProc(msg, wParam, lParam);
}

LRESULT CMainFrame::OnCreate() {
    const LONG_PTR style = GetWindowLongPtrA(m_hWnd, GWL_STYLE);
    SetWindowLongPtrA(m_hWnd, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_CAPTION));
    SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return 0;
}
