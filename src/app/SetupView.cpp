#include "app/SetupView.h"

#include <new>

#include "app/MainFrame.h"
#include "app/SetupApp.h"
#include "app/SetupDoc.h"
#include "app/SetupSuccessfullDialog.h"
#include "copy/CheckDiskFreeSpaceDialog.h"
#include "copy/CopyDialog.h"
#include "common/StopDialogs.h"
#include "common/Messages.h"
#include "core/BackgroundLayout.h"
#include "framework/App.h"
#include "framework/Handles.h"
#include "script/PathMacros.h"
#include "system/UpdateSystemDialog.h"
#include "wizard/FolderPage.h"
#include "wizard/InstallDirectoryPage.h"
#include "wizard/InstallOptionPage.h"
#include "wizard/SetupSheet.h"
#include "wizard/UserNamePage.h"
#include "wizard/WelcomePage.h"

namespace {

// Offset of a logo's black shadow from its white text.
constexpr int kShadowOffset = 4;

void DrawLogo(HDC dc, const RECT& client, const CLogoItem& logo) {
    LOGFONTA font = {};
    font.lfHeight = -core::LogoFontHeight(logo.m_nPointSize, GetDeviceCaps(dc, LOGPIXELSY));  // character height
    font.lfCharSet = DEFAULT_CHARSET;
    const std::string face = core::LogoFaceName(logo.m_strFaceName);
    face.copy(font.lfFaceName, face.size());
    fw::GdiObject created(CreateFontIndirectA(&font));
    if (!created) return;
    HGDIOBJ previous = SelectObject(dc, created.Get());

    const int length = static_cast<int>(logo.m_strText.size());
    SIZE extent = {};
    GetTextExtentPointA(dc, logo.m_strText.c_str(), length, &extent);
    const core::Point at = core::LogoTextOrigin(logo.m_nPosition, client.left, client.top, client.right,
                                                client.bottom, extent.cx, extent.cy);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, at.x + kShadowOffset, at.y + kShadowOffset, logo.m_strText.c_str(), length);
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutA(dc, at.x, at.y, logo.m_strText.c_str(), length);

    SelectObject(dc, previous);
}

// The platform the installer runs on, as start-up recorded it.
core::PlatformFlags SetupPlatformFlags() {
    const CSetupApp* app = GetSetupApp();
    return app ? app->GetPlatformFlags() : core::PlatformFlags();
}

template <class Object>
void DeleteAndClear(Object*& object) {
    delete object;
    object = nullptr;
}

}  // namespace

CSetupView::~CSetupView() { ClosePhases(); }

CSetupDoc* CSetupView::GetSetupDoc() const { return dynamic_cast<CSetupDoc*>(GetDocument()); }

LRESULT CSetupView::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        SetTimer(m_hWnd, kStartTimerId, kStartDelayMs, nullptr);
        return 0;
    case WM_ERASEBKGND:
        PaintBackground(reinterpret_cast<HDC>(wParam));
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_TIMER:
    case WM_SETUP_WIZARD_DONE:
    case WM_SETUP_COPY_DONE:
    case WM_SETUP_UPDATE_DONE:
    case WM_SETUP_DISKCHECK_DONE:
        if (msg != WM_TIMER && !IsRunningPhaseEnd(msg)) return 0;
        try {
            return RoutePhaseMessage(msg, wParam, lParam);
        } catch (const std::bad_alloc&) {
            // A phase that cannot be built would leave the user with nothing to answer
            // on a screen that covers everything: end the installation as stopped.
            ShowAbortNotice();
            return 0;
        }
    }
    return DefaultProc(msg, wParam, lParam);
}

LRESULT CSetupView::RoutePhaseMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_SETUP_WIZARD_DONE:
        return OnWizardDone(wParam, lParam);
    case WM_SETUP_COPY_DONE:
        return OnCopyDone(wParam, lParam);
    case WM_SETUP_UPDATE_DONE:
        return OnUpdateDone(wParam, lParam);
    case WM_SETUP_DISKCHECK_DONE:
        return OnDiskCheckDone(wParam, lParam);
    }
    return 0;
}

bool CSetupView::IsRunningPhaseEnd(UINT msg) const {
    if (m_bEnding) return false;
    switch (msg) {
    case WM_SETUP_WIZARD_DONE:
        return m_pSheet != nullptr;
    case WM_SETUP_DISKCHECK_DONE:
        return m_pCheckDiskDialog != nullptr;
    case WM_SETUP_COPY_DONE:
        return m_pCopyDialog != nullptr;
    case WM_SETUP_UPDATE_DONE:
        return m_pUpdateDialog != nullptr;
    }
    return false;
}

void CSetupView::OnTimer(UINT_PTR id) {
    if (id == kStartTimerId) StartWizard();
    if (id == kEndTimerId) DestroyMainFrame();
}

void CSetupView::OnDestroy() {
    KillTimer(m_hWnd, kStartTimerId);
    KillTimer(m_hWnd, kEndTimerId);
    ClosePhases();
}

// --- Closing and ending ------------------------------------------------------------------

HWND CSetupView::RunningPhaseWindow() const {
    if (m_pSheet && m_pSheet->IsAlive()) return m_pSheet->GetHwnd();
    if (m_pCheckDiskDialog && m_pCheckDiskDialog->IsAlive()) return m_pCheckDiskDialog->GetHwnd();
    if (m_pCopyDialog && m_pCopyDialog->IsAlive()) return m_pCopyDialog->GetHwnd();
    if (m_pUpdateDialog && m_pUpdateDialog->IsAlive()) return m_pUpdateDialog->GetHwnd();
    return nullptr;
}

void CSetupView::OnFrameClose() {
    // Before the wizard opens nothing has been asked or done yet: the program just ends.
    if (!m_bStarted) {
        DestroyMainFrame();
        return;
    }
    // A phase window disabled by a question of its own is already asking the user.
    HWND phase = RunningPhaseWindow();
    if (phase && IsWindowEnabled(phase)) SendMessageA(phase, WM_CLOSE, 0, 0);
}

void CSetupView::EndNow() { DestroyMainFrame(); }

void CSetupView::ClosePhases() {
    CloseWizard();
    CloseDiskCheck();
    CloseCopyDialog();
    CloseUpdate();
}

// --- Background --------------------------------------------------------------------

void CSetupView::PaintBackground(HDC dc) {
    RECT client = {};
    GetClientRect(m_hWnd, &client);
    const core::GradientBands bands = core::ComputeGradientBands(client.top, client.bottom);
    for (int i = 0; i < bands.count; ++i) {
        const RECT band = {client.left, i * bands.height, client.right, (i + 1) * bands.height};
        fw::GdiObject brush(CreateSolidBrush(RGB(0, 0, core::GradientBandBlue(bands, i))));
        FillRect(dc, &band, static_cast<HBRUSH>(brush.Get()));
    }

    CSetupDoc* document = GetSetupDoc();
    if (!document) return;
    GetClientRect(m_hWnd, &client);
    for (const CLogoItem* logo : document->m_arrLogoItems)
        if (logo && logo->m_bText) DrawLogo(dc, client, *logo);
}

// --- Wizard ----------------------------------------------------------------------------

void CSetupView::StartWizard() {
    KillTimer(m_hWnd, kStartTimerId);
    m_bStarted = true;
    CSetupDoc* document = GetSetupDoc();
    if (!document || m_pSheet) return;

    m_pSheet = new CSetupSheet("", m_hWnd);

    m_pWelcomePage = new CWelcomePage();
    m_pWelcomePage->m_strProduct = document->GetProduct();
    m_pSheet->AddPage(m_pWelcomePage);

    if (document->m_bShowChooseDirPage == 1) {
        m_pInstallDirPage = new CInstallDirectoryPage();
        m_pInstallDirPage->m_strProduct = document->GetProduct();
        m_pInstallDirPage->m_strDir = document->GetInstallDir();
        m_pSheet->AddPage(m_pInstallDirPage);
    }
    if (document->GetOptions().size() >= 2) {
        m_pOptionPage = new CInstallOptionPage();
        m_pOptionPage->m_pOptions = &document->GetOptions();
        m_pSheet->AddPage(m_pOptionPage);
    }
    if (document->m_bShowGroupNamePage == 1) {
        m_pFolderPage = new CFolderPage(SetupPlatformFlags());
        m_pFolderPage->m_strGroup = document->GetGroupName();
        m_pSheet->AddPage(m_pFolderPage);
    }
    if (document->m_bShowUserNamePage == 1) {
        m_pUserNamePage = new CUserNamePage();
        m_pUserNamePage->m_nMinLength = document->m_nUserNameMinLength;
        m_pUserNamePage->m_nMaxLength = document->m_nUserNameMaxLength;
        m_pSheet->AddPage(m_pUserNamePage);
    }

    if (!m_pSheet->Create()) {
        CloseWizard();
        ShowAbortNotice();
    }
}

LRESULT CSetupView::OnWizardDone(WPARAM code, LPARAM) {
    CSetupDoc* document = GetSetupDoc();
    if (code == SETUP_STOPPED || !document) {
        CloseWizard();
        ShowAbortNotice();
        return 0;
    }
    if (m_pInstallDirPage) {
        SetInstDirMacro(m_pInstallDirPage->m_strDir);
        document->SetInstallDir(m_pInstallDirPage->m_strDir);
    }
    if (document->GetOptions().size() >= 2 && m_pOptionPage) document->SetOption(m_pOptionPage->m_strOption);
    if (m_pFolderPage) document->SetGroupName(m_pFolderPage->m_strGroup);
    CloseWizard();
    StartDiskCheck();
    return 0;
}

void CSetupView::CloseWizard() {
    if (!m_pSheet) return;
    m_pSheet->DestroyWindow();
    DeleteAndClear(m_pWelcomePage);
    DeleteAndClear(m_pInstallDirPage);
    DeleteAndClear(m_pOptionPage);
    DeleteAndClear(m_pFolderPage);
    DeleteAndClear(m_pUserNamePage);
    DeleteAndClear(m_pSheet);
}

// --- Free-space check -------------------------------------------------------------------

void CSetupView::StartDiskCheck() {
    CSetupDoc* document = GetSetupDoc();
    if (!document) return;
    document->ReadAllLists();
    CloseDiskCheck();
    m_pCheckDiskDialog = new CCheckDiskFreeSpaceDialog();
    m_pCheckDiskDialog->m_pFileItems = &document->GetInstallFiles();
    if (!m_pCheckDiskDialog->Create(m_hWnd)) {
        CloseDiskCheck();
        ShowAbortNotice();
        return;
    }
    ShowWindow(m_pCheckDiskDialog->GetHwnd(), SW_SHOW);
}

LRESULT CSetupView::OnDiskCheckDone(WPARAM code, LPARAM) {
    if (code == SETUP_STOPPED) {
        // The list reads the check's drive records, so the check stays until it closes.
        CInfoDiskFreeSpaceDialog shortage;
        shortage.m_pDisks = m_pCheckDiskDialog ? &m_pCheckDiskDialog->m_arrDisks : nullptr;
        const INT_PTR answer = shortage.DoModal();
        CloseDiskCheck();
        if (answer == IDCANCEL) {
            ShowAbortNotice();
            return 0;
        }
        if (answer == IDC_CHECK_AGAIN) {
            StartDiskCheck();
            return 0;
        }
    }
    CloseDiskCheck();
    StartCopy();
    return 0;
}

void CSetupView::CloseDiskCheck() {
    if (!m_pCheckDiskDialog) return;
    m_pCheckDiskDialog->DestroyWindow();
    DeleteAndClear(m_pCheckDiskDialog);
}

// --- Copy -------------------------------------------------------------------------------

void CSetupView::StartCopy() {
    CSetupDoc* document = GetSetupDoc();
    if (!document) return;
    CloseCopyDialog();
    m_pCopyDialog = new CCopyDialog();
    CFileItemArray& files = document->GetInstallFiles();
    if (files.empty()) {
        // Nothing to copy: the dialog object waits without a window for OnCopyDone.
        PostMessageA(m_hWnd, WM_SETUP_COPY_DONE, SETUP_NOTHING_DONE, 0);
        return;
    }
    m_pCopyDialog->m_pFileItems = &files;
    if (!m_pCopyDialog->Create(m_hWnd)) {
        CloseCopyDialog();
        ShowAbortNotice();
        return;
    }
    ShowWindow(m_pCopyDialog->GetHwnd(), SW_SHOW);
}

LRESULT CSetupView::OnCopyDone(WPARAM code, LPARAM) {
    CloseCopyDialog();
    if (code == SETUP_STOPPED) {
        // Files already copied stay; there is no update and no uninstall record.
        ShowAbortNotice();
        return 0;
    }
    StartUpdate();
    return 0;
}

void CSetupView::CloseCopyDialog() {
    // Deleting stops the worker first, while the window it reports to still exists.
    DeleteAndClear(m_pCopyDialog);
}

// --- System update and the end ---------------------------------------------------------

void CSetupView::StartUpdate() {
    CSetupDoc* document = GetSetupDoc();
    if (!document) return;
    DeleteAndClear(m_pUpdateDialog);
    m_pUpdateDialog = new CUpdateSystemDialog();
    m_pUpdateDialog->m_pFileItems = &document->GetInstallFiles();
    m_pUpdateDialog->m_pIniItems = &document->GetIniUpdates();
    m_pUpdateDialog->m_pRegItems = &document->GetRegUpdates();
    m_pUpdateDialog->m_pOcxItems = &document->GetRegisterOcx();
    m_pUpdateDialog->m_pExeItems = &document->GetExecutes();
    m_pUpdateDialog->m_pComItems = &document->GetRegisterCom();
    m_pUpdateDialog->m_pAutomationItems = &document->GetRegisterAutomation();
    m_pUpdateDialog->m_pShortcutItems = &document->GetShortcuts();
    m_pUpdateDialog->m_strGroupName = document->GetGroupName();
    m_pUpdateDialog->m_platform = SetupPlatformFlags();
    if (auto* frame = dynamic_cast<CMainFrame*>(fw::Window::FromHandle(GetParent(m_hWnd))))
        m_pUpdateDialog->m_progman = {frame->m_pDdeClient, frame->m_pProgmanConv};
    if (!m_pUpdateDialog->StartUpdate(m_hWnd)) {
        DeleteAndClear(m_pUpdateDialog);
        ShowAbortNotice();
        return;
    }
    // The update may already have closed its window.
    if (m_pUpdateDialog->IsAlive()) ShowWindow(m_pUpdateDialog->GetHwnd(), SW_SHOW);
}

LRESULT CSetupView::OnUpdateDone(WPARAM code, LPARAM) {
    // Written for every outcome; the writer itself skips it when uninstalling is off.
    if (auto* frame = dynamic_cast<CMainFrame*>(fw::Window::FromHandle(GetParent(m_hWnd))))
        frame->WriteUninstallRecord();
    CloseUpdate();
    if (code != SETUP_STOPPED) {
        CSetupSuccessfullDialog success;
        success.DoModal(m_hWnd);
    }
    DestroyMainFrame();
    return 0;
}

void CSetupView::ShowAbortNotice() {
    CSetupDoc* document = GetSetupDoc();
    CErrorExitDialog notice(document ? document->GetProduct() : std::string());
    notice.DoModal(m_hWnd);
    DestroyMainFrame();
}

void CSetupView::CloseUpdate() {
    // Deleting stops the worker first, while the window it sends to still exists.
    DeleteAndClear(m_pUpdateDialog);
}

void CSetupView::DestroyMainFrame() {
    if (!m_hWnd) return;
    if (fw::ModalLoopDepth() > 0) {
        m_bEnding = true;
        SetTimer(m_hWnd, kEndTimerId, kEndRetryMs, nullptr);
        return;
    }
    KillTimer(m_hWnd, kEndTimerId);
    m_bEnding = true;
    ClosePhases();
    if (HWND frame = GetParent(m_hWnd)) ::DestroyWindow(frame);
}
