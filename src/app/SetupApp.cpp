#include "app/SetupApp.h"

#include <objbase.h>
#include <shlobj.h>

#include "app/AboutDlg.h"
#include "app/MainFrame.h"
#include "app/SetupDoc.h"
#include "app/SetupView.h"
#include "common/FileUtils.h"
#include "common/Messages.h"
#include "common/StopDialogs.h"
#include "core/PlatformFlags.h"
#include "core/ShiftJisPath.h"
#include "common/SetupMessageBox.h"
#include "resources/resource.h"
#include "script/PathMacros.h"

namespace {

constexpr DWORD kModulePathBuffer = 256;
constexpr const char kSetupInfName[] = "SETUP.INF";

// "%s\x.lnk" with the user's desktop directory ("" when it cannot be resolved).
std::string ScratchShortcutPath() { return GetSpecialFolder(CSIDL_DESKTOPDIRECTORY) + "\\x.lnk"; }

void EndAfterHandlerFailure(const char*) {
    if (CSetupApp* app = GetSetupApp()) app->OnHandlerFailure();
}

}  // namespace

CSetupApp::CSetupApp() { fw::SetHandlerFailureHook(&EndAfterHandlerFailure); }

CSetupApp::~CSetupApp() { fw::SetHandlerFailureHook(nullptr); }

CSetupApp* GetSetupApp() { return dynamic_cast<CSetupApp*>(fw::App::Current()); }

BOOL CSetupApp::InitInstance() {
    m_bComInitialized = SUCCEEDED(CoInitialize(nullptr));
    CreateScratchShortcut();
    m_strSavedProfileName = GetProfileName();
    m_bProfileNameSaved = true;

    char modulePath[kModulePathBuffer] = {};
    GetModuleFileNameA(nullptr, modulePath, kModulePathBuffer);
    modulePath[kModulePathBuffer - 1] = '\0';  // a longer path is cut to 255 characters
    if (!SetPathsFromModule(modulePath)) return FALSE;

    if (!FileExists(m_strSetupInfPath)) {
        SetupMessageBox("SETUP.INFが見つかりません", MB_OK);
        return FALSE;
    }

    DetectPlatform();
    CreateTempDirectory();
    return CreateDocumentFrameView();
}

int CSetupApp::ExitInstance() {
    // The framework's own exit processing must not write into SETUP.INF.
    if (m_bProfileNameSaved) SetProfileName(m_strSavedProfileName);
    DeleteScratchShortcut();
    if (m_bComInitialized) CoUninitialize();
    m_bComInitialized = false;
    return fw::App::ExitInstance();
}

BOOL CSetupApp::SetPathsFromModule(const std::string& exePath) {
    const size_t slash = core::FindLastBackslash(exePath);
    if (slash == std::string::npos) return FALSE;
    m_strSetupInfPath = exePath.substr(0, slash + 1) + kSetupInfName;
    SetProfileName(m_strSetupInfPath);
    return TRUE;
}

void CSetupApp::DetectPlatform() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);  // 148
    DWORD platformId = 0;
    if (GetVersionExA(&info)) platformId = info.dwPlatformId;
    const core::PlatformFlags flags = core::ComputePlatformFlags(platformId, GetVersion());
    m_bWinNT = flags.bWinNT;
    m_bWin95 = flags.bWin95;
    m_dwWinVersion = flags.dwWinVersion;
}

core::PlatformFlags CSetupApp::GetPlatformFlags() const {
    core::PlatformFlags flags;
    flags.bWinNT = m_bWinNT;
    flags.bWin95 = m_bWin95;
    flags.dwWinVersion = m_dwWinVersion;
    return flags;
}

void CSetupApp::OnAppAbout() {
    CAboutDlg about;
    about.DoModal();
}

void CSetupApp::OnHandlerFailure() {
    if (InterlockedExchange(&m_nHandlerFailures, 1) != 0) return;
    const HWND frame = GetMainWnd();
    // Over the full-screen frame when the failure is on its thread; a worker's notice
    // has no owner, like the worker's other dialogs.
    const bool onFrameThread = frame && GetWindowThreadProcessId(frame, nullptr) == GetCurrentThreadId();
    CErrorExitDialog notice(m_pDocument ? m_pDocument->GetProduct() : std::string());
    notice.DoModal(onFrameThread ? frame : nullptr);
    if (frame) PostMessageA(frame, WM_SETUP_END_NOW, 0, 0);
}

void CSetupApp::CreateScratchShortcut() {
    m_strScratchLinkPath = ScratchShortcutPath();
    m_bScratchLinkCreated = false;
    // A file of that name that is already there belongs to the user: leave it alone.
    if (FileExists(m_strScratchLinkPath) || DirectoryExists(m_strScratchLinkPath)) return;
    CreateShellLink(m_strScratchLinkPath, "XXX", "C:\\CONFIG.SYS");
    m_bScratchLinkCreated = FileExists(m_strScratchLinkPath);
}

void CSetupApp::DeleteScratchShortcut() {
    if (m_bScratchLinkCreated) DeleteFileA(m_strScratchLinkPath.c_str());
    m_bScratchLinkCreated = false;
}

void CSetupApp::CreateTempDirectory() {
    std::string tmpDir = "$WinDir$\\SetupTmp";
    ExpandMacros(tmpDir);
    SetTmpDirMacro(tmpDir);
    CreateDirectoryTree(tmpDir);
}

BOOL CSetupApp::CreateDocumentFrameView() {
    auto document = std::make_unique<CSetupDoc>();
    if (!document->OnNewDocument()) return FALSE;
    m_pDocument = std::move(document);

    m_pMainFrame = std::make_unique<CMainFrame>();
    if (!m_pMainFrame->LoadFrame(IDR_MAINFRAME)) return FALSE;
    SetMainWnd(m_pMainFrame->GetHwnd());
    if (!m_pMainFrame->CreateView(std::make_unique<CSetupView>(), m_pDocument.get())) return FALSE;
    ShowWindow(m_pMainFrame->GetHwnd(), SW_SHOW);
    UpdateWindow(m_pMainFrame->GetHwnd());
    return TRUE;
}
