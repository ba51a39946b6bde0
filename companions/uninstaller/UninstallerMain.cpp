// ORVUN100.EXE, the companion uninstaller: undoes an installation from the record the
// installer left, UNINSTAL.INF, as the platform's list of programs starts it:
//
//   ORVUN100.EXE [/S] <path>\UNINSTAL.INF        ORVUN100.EXE /?
//
// Exit codes (RemovalExitCode): 0 removed, 1 cancelled by the user, 2 record missing,
// unreadable or naming what must not be removed, 3 something remains (listed),
// 4 a restart completes the removal.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "Removal.h"
#include "UninstallerDialogs.h"
#include "common/FileUtils.h"
#include "core/PlatformFlags.h"
#include "core/TextFormat.h"
#include "core/UninstallPlan.h"
#include "framework/App.h"
#include "script/PathMacros.h"

namespace {

constexpr char kCaption[] = "アンインストール";
constexpr char kUsage[] =
    "使い方: ORVUN100.EXE [/S] アンインストール情報ファイル\r\n\r\n"
    "アンインストール情報ファイル(UNINSTAL.INF)に記録されたものを削除します。\r\n"
    "/S  何も質問せずに削除します。共有ファイルは削除しません。";
constexpr char kRecordMissing[] = "アンインストール情報ファイル(%s)が見つからないか、読み取れません。";
constexpr char kRecordRefused[] =
    "アンインストール情報ファイルに、削除してはならない場所が記録されています。何も削除しませんでした。\r\n%s";
// Below the user's profile directory on Windows NT 4.0, as the installer makes them.
constexpr char kProfileStartMenu[] = "\\ｽﾀｰﾄ ﾒﾆｭｰ";
constexpr char kProfilePrograms[] = "\\ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ";

std::string Directory(UINT(WINAPI* get)(LPSTR, UINT)) {
    char path[MAX_PATH] = "";
    const UINT length = get(path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

core::PlatformFlags DetectPlatform() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    const DWORD platformId = GetVersionExA(&info) ? info.dwPlatformId : 0;
    return core::ComputePlatformFlags(platformId, GetVersion());
}

// The folders the system needs, which no record may have removed.
std::vector<std::string> ProtectedFolders(const std::string& windows) {
    std::vector<std::string> folders = {windows, Directory(&GetSystemDirectoryA), GetProgramFilesDir(),
                                        GetUserProfileDir() + kProfileStartMenu,
                                        GetUserProfileDir() + kProfilePrograms};
    for (int csidl : {CSIDL_PROGRAMS, CSIDL_STARTMENU, CSIDL_STARTUP, CSIDL_DESKTOPDIRECTORY, CSIDL_SENDTO,
                      CSIDL_PERSONAL, CSIDL_COMMON_PROGRAMS, CSIDL_COMMON_STARTMENU, CSIDL_COMMON_STARTUP,
                      CSIDL_COMMON_DESKTOPDIRECTORY})
        folders.push_back(GetSpecialFolder(csidl));
    return folders;
}

class CUninstallerApp : public fw::App {
public:
    BOOL InitInstance() override {
        m_bComInitialized = SUCCEEDED(CoInitialize(nullptr));
        InitCommonControls();
        m_nResult = Uninstall();
        return FALSE;  // all done: no message loop
    }
    int ExitInstance() override {
        if (m_bComInitialized) CoUninitialize();
        return m_nResult;
    }

private:
    int Uninstall() {
        const core::UninstallerCommand command = core::ParseUninstallerCommandLine(GetCommandLineA());
        if (command.usage) {
            MessageBoxA(nullptr, kUsage, kCaption, MB_OK | MB_ICONINFORMATION);
            return kRemoved;
        }
        if (command.recordPath.empty()) {  // started without its record: say how to start it
            MessageBoxA(nullptr, kUsage, kCaption, MB_OK | MB_ICONSTOP);
            return kRecordUnreadable;
        }
        std::string text;
        core::UninstallRecordContents record;
        if (ReadFileText(command.recordPath, text))
            record = core::ReadUninstallRecordText(text);
        if (record.notes.empty() && record.unreadable.empty() && !record.hasConfig) {
            Tell(core::FormatWithArgument(kRecordMissing, command.recordPath));
            return kRecordUnreadable;
        }

        RemovalSettings settings;
        settings.recordPath = command.recordPath;
        settings.platform = DetectPlatform();
        settings.windowsDirectory = Directory(&GetWindowsDirectoryA);
        settings.protectedFolders = ProtectedFolders(settings.windowsDirectory);
        settings.programsFolder = GetSpecialFolder(CSIDL_PROGRAMS);
        const std::string product = record.product.empty() ? command.recordPath : record.product;

        CFileRemoval files;
        CRemovalProgressDialog progress;
        CRemoval removal(std::move(record), settings, files, command.silent ? nullptr : &progress);
        const std::string refused = removal.RefusedItem();
        if (!refused.empty()) {
            Tell(core::FormatWithArgument(kRecordRefused, refused));
            return kRecordUnreadable;
        }
        if (command.silent) return removal.Run().exitCode;

        if (CConfirmRemovalDialog(product).DoModal() != IDOK) return kCancelled;
        progress.Create(nullptr);
        ShowWindow(progress.GetHwnd(), SW_SHOW);
        const RemovalReport report = removal.Run();
        progress.DestroyWindow();
        CRemovalDoneDialog(product, report).DoModal();
        return report.exitCode;
    }

    static void Tell(const std::string& text) { MessageBoxA(nullptr, text.c_str(), kCaption, MB_OK | MB_ICONSTOP); }

    bool m_bComInitialized = false;
    int m_nResult = kRecordUnreadable;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CUninstallerApp app;
    return app.Run();
}
