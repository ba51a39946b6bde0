#pragma once
// The installer's application object: start-up (COM, SETUP.INF beside the program, the
// platform flags, $TmpDir$, the document / frame / view triple) and exit.
#include <windows.h>

#include <memory>
#include <string>

#include "core/PlatformFlags.h"
#include "framework/App.h"

class CSetupDoc;
class CMainFrame;

class CSetupApp : public fw::App {
public:
    CSetupApp();
    ~CSetupApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Full path of SETUP.INF (the executable's directory + "SETUP.INF").
    std::string GetSetupInfPath() const { return m_strSetupInfPath; }

    // Start-up steps, public so they can be tried on their own.
    // Derives m_strSetupInfPath from the executable's path and makes it the application
    // profile; FALSE when the path has no backslash.
    BOOL SetPathsFromModule(const std::string& exePath);
    // Sets m_bWinNT, m_bWin95 and m_dwWinVersion from what the system reports.
    void DetectPlatform();

    // The About command: shows CAboutDlg modally (no menu reaches it at present).
    void OnAppAbout();

    // A handler failed (the framework's hook, on the thread where it happened): what it
    // was doing is lost, so the installation cannot go on. The first call shows the abort
    // notice, as for a stopped installation, and then closes the main frame, which ends
    // the program through its usual exit steps; later calls do nothing.
    void OnHandlerFailure();

    // The three flags below as one value, for the parts that choose a route by platform.
    core::PlatformFlags GetPlatformFlags() const;

    int m_bWinNT = 0;             // Windows NT
    int m_bWin95 = 0;             // Windows 95 family
    DWORD m_dwWinVersion = 0;     // major * 0x10000 + minor

private:
    void CreateScratchShortcut();
    void DeleteScratchShortcut();
    void CreateTempDirectory();
    BOOL CreateDocumentFrameView();

    std::string m_strSavedProfileName;  // put back at exit
    bool m_bProfileNameSaved = false;
    std::string m_strSetupInfPath;
    // The scratch shortcut on the desktop; deleted at exit only when this run created it,
    // so a user's own file of that name is never touched.
    std::string m_strScratchLinkPath;
    bool m_bScratchLinkCreated = false;
    bool m_bComInitialized = false;
    LONG m_nHandlerFailures = 0;  // touched with interlocked calls: any thread may fail

    std::unique_ptr<CSetupDoc> m_pDocument;
    std::unique_ptr<CMainFrame> m_pMainFrame;
};

// The running CSetupApp, or nullptr when the current application is not one.
CSetupApp* GetSetupApp();
