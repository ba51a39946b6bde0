#include "app/MainFrame.h"

#include "app/SetupApp.h"
#include "app/SetupDoc.h"
#include "app/SetupView.h"
#include "common/Messages.h"
#include "core/PlatformFlags.h"
#include "framework/App.h"
#include "system/DDEClient.h"

namespace {

// Windows NT below 4.0, as start-up recorded the platform.
bool RunsOnOldWindowsNT() {
    const CSetupApp* app = GetSetupApp();
    return app && core::IsOldWindowsNT(app->GetPlatformFlags());
}

}  // namespace

CMainFrame::~CMainFrame() {
    // Destroyed here, while the object is whole, so that OnDestroy runs.
    if (IsAlive()) DestroyWindow();
    OnDestroy();
}

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

CUninstallRecord* CMainFrame::ActiveRecord() {
    CSetupDoc* document = GetSetupDoc();
    if (!document || !document->IsUninstallEnabled()) return nullptr;
    CUninstallRecord::Settings settings;
    settings.enabled = true;
    settings.recordPath = document->m_strUninstallInfPath;
    settings.product = document->GetProduct();
    settings.uninstallKey = document->m_strUninstallKey;
    m_uninstallRecord.Configure(settings);
    return &m_uninstallRecord;
}

void CMainFrame::RecordDeleteFile(const std::string& path) {
    if (CUninstallRecord* record = ActiveRecord()) record->RecordDeleteFile(path);
}

void CMainFrame::RecordDeleteShortcut(const std::string& linkPath) {
    if (CUninstallRecord* record = ActiveRecord()) record->RecordDeleteShortcut(linkPath);
}

void CMainFrame::RecordUnregisterOcx(const COcxItem& item) {
    if (CUninstallRecord* record = ActiveRecord()) record->RecordUnregisterOcx(item);
}

void CMainFrame::RecordUnregisterAutomation(const CAutomationItem& item) {
    if (CUninstallRecord* record = ActiveRecord()) record->RecordUnregisterAutomation(item);
}

void CMainFrame::RecordCreatedDirectory(const std::string& path) {
    if (CUninstallRecord* record = ActiveRecord()) record->RecordCreatedDirectory(path);
}

void CMainFrame::RecordDeleteIniFile(const std::string& path) {
    if (CUninstallRecord* record = ActiveRecord()) record->RecordDeleteIniFile(path);
}

void CMainFrame::RecordDeleteIniSection(const CIniItem& item) {
    if (CUninstallRecord* record = ActiveRecord()) record->RecordDeleteIniSection(item);
}

void CMainFrame::RecordDeleteIniKeyword(const CIniItem& item) {
    if (CUninstallRecord* record = ActiveRecord()) record->RecordDeleteIniKeyword(item);
}

void CMainFrame::RecordDeleteIniValue(const CIniItem& item) {
    if (CUninstallRecord* record = ActiveRecord()) record->RecordDeleteIniValue(item);
}

void CMainFrame::RecordDeleteProgramGroup(const std::string& name) {
    if (CUninstallRecord* record = ActiveRecord()) record->RecordDeleteProgramGroup(name);
}

void CMainFrame::RecordRestoreIniValue(const std::string& file, const std::string& section, const std::string& key,
                                       const std::string& oldValue) {
    if (CUninstallRecord* record = ActiveRecord()) record->RecordRestoreIniValue(file, section, key, oldValue);
}

void CMainFrame::RecordDeleteRegValue(const std::string& keyPath, const std::string& valueName) {
    if (CUninstallRecord* record = ActiveRecord()) record->RecordDeleteRegValue(keyPath, valueName);
}

void CMainFrame::RecordDeleteRegKey(const std::string& keyPath) {
    if (CUninstallRecord* record = ActiveRecord()) record->RecordDeleteRegKey(keyPath);
}

void CMainFrame::RecordRestoreRegValue(const std::string& keyPath, const std::string& valueName, std::uint32_t type,
                                       const std::string& oldData) {
    if (CUninstallRecord* record = ActiveRecord()) record->RecordRestoreRegValue(keyPath, valueName, type, oldData);
}

void CMainFrame::RecordReleaseSharedFile(const std::string& path) {
    if (CUninstallRecord* record = ActiveRecord()) record->RecordReleaseSharedFile(path);
}

void CMainFrame::RecordDeleteProgramItem(const std::string& group, const std::string& title) {
    if (CUninstallRecord* record = ActiveRecord()) record->RecordDeleteProgramItem(group, title);
}

void CMainFrame::WriteUninstallRecord() {
    if (CUninstallRecord* record = ActiveRecord()) record->WriteUninstallRecord();
}

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
    case WM_DESTROY: {
        const LRESULT result = FrameWindow::WindowProc(msg, wParam, lParam);
        OnDestroy();
        return result;
    }
    case WM_CLOSE:
        // The window keeps its system menu, so Alt+F4 reaches it at any time: closing it
        // means cancelling the running phase, never pulling the window from under it.
        if (auto* view = dynamic_cast<CSetupView*>(GetActiveView())) {
            view->OnFrameClose();
            return 0;
        }
        break;
    case WM_SETUP_END_NOW:
        if (auto* view = dynamic_cast<CSetupView*>(GetActiveView())) {
            view->EndNow();
            return 0;
        }
        DestroyWindow();
        return 0;
    }
    return FrameWindow::WindowProc(msg, wParam, lParam);
}

LRESULT CMainFrame::OnCreate() {
    if (RunsOnOldWindowsNT()) {
        m_pDdeClient = new CDDEClient;
        m_pProgmanConv = new CDDEClientConv;
        m_pProgmanConv->Connect("Progman", "Progman", nullptr);  // without a program manager: no handle
    }
    const LONG_PTR style = GetWindowLongPtrA(m_hWnd, GWL_STYLE);
    SetWindowLongPtrA(m_hWnd, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_CAPTION));
    SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return 0;
}

void CMainFrame::OnDestroy() {
    delete m_pProgmanConv;
    m_pProgmanConv = nullptr;
    delete m_pDdeClient;
    m_pDdeClient = nullptr;
}
