#include "system/UpdateSystemThread.h"

#include "common/FileUtils.h"
#include "common/Messages.h"
#include "common/SetupMessageBox.h"
#include "core/AtoiNumber.h"
#include "core/TextFormat.h"
#include "core/UpdateCommands.h"
#include "framework/Handles.h"
#include "framework/SystemFunction.h"
#include "script/PathMacros.h"
#include "script/Profile.h"
#include "script/ProfileLookup.h"
#include "script/UninstallNotes.h"
#include "system/UpdateSystemDialog.h"

int g_bGroupCreated = 0;

namespace {

constexpr char kOcxLoadFailed[] = "OCX(%s)がロードできません。";
constexpr char kNotAnOcx[] = "このファイル(%s)はOCXではありません。";
constexpr char kOcxRegisterFailed[] = "OCX(%s)の登録に失敗しました。";
constexpr char kAutomationFailed[] = "OLEオートメーション(%s)の登録が失敗しました。";
constexpr char kAutomationTitle[] = "Register OLE Automation";

// Programs start in a console and process group of their own, at normal priority.
constexpr DWORD kStartFlags = CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS | CREATE_NEW_PROCESS_GROUP;

// Waits for the handle (or, without one, lets the time pass) answering sent messages: a
// program that broadcasts to every top-level window would otherwise wait for the
// worker's hidden window while the worker waits for it.
void WaitAnswering(HANDLE handle, DWORD timeoutMs) {
    fw::WaitAnsweringSentMessages(handle ? 1 : 0, &handle, timeoutMs);
}

// Starts a program; its process handle, or an empty one when it did not start.
fw::Handle StartProgram(std::string commandLine, DWORD flags, const std::string& directory, const std::string& title,
                        int show) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.lpTitle = const_cast<char*>(title.c_str());
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_FORCEOFFFEEDBACK;
    startup.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &started))
        return fw::Handle();
    CloseHandle(started.hThread);
    return fw::Handle(started.hProcess);
}

// A 16-bit Windows program. GetBinaryTypeA exists on Windows NT only: it is looked up at
// run time, so that the installer still starts on Windows 95.
bool IsWin16Program(const std::string& path) {
    const auto getBinaryType = fw::SystemFunction<BOOL(WINAPI*)(LPCSTR, LPDWORD)>("kernel32.dll", "GetBinaryTypeA");
    DWORD type = 0;
    return getBinaryType && getBinaryType(path.c_str(), &type) && type == SCS_WOW_BINARY;
}

}  // namespace

CUpdateSystemThread::~CUpdateSystemThread() { Stop(); }

void CUpdateSystemThread::OnThreadMessage(UINT msg, WPARAM, LPARAM) {
    if (msg == WM_UPDATE_STEP) OnUpdateStep();
}

template <class Item, class Step>
bool CUpdateSystemThread::StepThrough(std::vector<Item*>* items, int& index, Step step) {
    if (!items || index >= static_cast<int>(items->size())) return false;
    if (const Item* item = (*items)[index]) (this->*step)(*item);
    ++index;
    PostToThread(WM_UPDATE_STEP);
    return true;
}

void CUpdateSystemThread::OnUpdateStep() {
    if (StepThrough(m_pFileItems, m_nFileIndex, &CUpdateSystemThread::UpdateProgramItem)) return;
    if (StepThrough(m_pIniItems, m_nIniIndex, &CUpdateSystemThread::UpdateIniItem)) return;
    if (StepThrough(m_pRegItems, m_nRegIndex, &CUpdateSystemThread::UpdateRegItem)) return;
    if (StepThrough(m_pOcxItems, m_nOcxIndex, &CUpdateSystemThread::RegisterOcxItem)) return;
    if (StepThrough(m_pAutomationItems, m_nAutomationIndex, &CUpdateSystemThread::RegisterAutomationItem)) return;
    if (StepThrough(m_pComItems, m_nComIndex, &CUpdateSystemThread::SkipComItem)) return;
    if (StepThrough(m_pExeItems, m_nExeIndex, &CUpdateSystemThread::RunExeItem)) return;
    FinishUpdate();
}

void CUpdateSystemThread::FinishUpdate() {
    // Without a temporary directory there is nothing to remove: an empty name would make
    // the removal start at the root of the current drive.
    const std::string temporary = Expanded("$TmpDir$");
    if (!temporary.empty()) DeleteDirectoryTree(temporary + "\\");
    m_bFinished = true;
    if (HWND dialog = DialogWindow()) PostMessageA(dialog, WM_UPDATE_FINISHED, 0, 0);
}

HWND CUpdateSystemThread::DialogWindow() const { return m_pDialog ? m_pDialog->GetHwnd() : nullptr; }

void CUpdateSystemThread::ShowError(const std::string& text) {
    SetupMessageBox(text.c_str(), MB_OK | MB_ICONHAND, DialogWindow());
}

// --- Program icons -----------------------------------------------------------------------

void CUpdateSystemThread::UpdateProgramItem(const CFileItem& item) {
    if (Expanded(item.m_strIconTitle).empty()) return;
    if (!g_bGroupCreated) {
        SendMessageA(DialogWindow(), WM_UPDATE_CREATE_GROUP, 0, 0);
        g_bGroupCreated = 1;
        WaitAnswering(nullptr, kIconPauseMs);
    }
    SendMessageA(DialogWindow(), WM_UPDATE_ADD_ITEM, 0, reinterpret_cast<LPARAM>(&item));
    WaitAnswering(nullptr, kIconPauseMs);
}

// --- INI files ---------------------------------------------------------------------------

void CUpdateSystemThread::UpdateIniItem(const CIniItem& item) {
    const std::string section = Expanded(item.m_strSection);
    const std::string key = Expanded(item.m_strKey);
    const std::string value = Expanded(item.m_strValue);
    std::string file = Expanded(item.m_strFile);
    if (!core::IsIniPathAsGiven(file)) file = Expanded("$WINDIR$") + "\\" + file;

    // The file as it is before the change decides what the uninstaller is told.
    const bool fileExisted = FileExists(file);
    const ProfileFacts facts = LookUpSectionAndKey(file, section, key);
    const bool sectionExisted = facts.hasSection;
    const bool keyExisted = facts.hasKey;

    bool written = false;
    switch (item.m_nMode & 7) {
    case 1:
    case 2:
        written = WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
        break;
    case 3:
        // Only over a key that is there with exactly this name; a missing file has none
        // (and is not opened, so nobody is asked about it).
        if (keyExisted)
            written = WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
        break;
    case 4:
        if (section.empty()) DeleteFileA(file.c_str());
        WritePrivateProfileStringA(section.c_str(), key.empty() ? nullptr : key.c_str(), nullptr, file.c_str());
        break;
    default:
        break;
    }

    // A write that failed changed nothing: the uninstaller must not undo it.
    if (!written || !m_pUninstallNotes) return;
    if (!fileExisted)
        m_pUninstallNotes->RecordDeleteIniFile(file);
    else if (!sectionExisted)
        m_pUninstallNotes->RecordDeleteIniSection(item);
    else if (!keyExisted)
        m_pUninstallNotes->RecordDeleteIniKeyword(item);
    else
        m_pUninstallNotes->RecordDeleteIniValue(item);
}

// --- Registry ----------------------------------------------------------------------------

void CUpdateSystemThread::UpdateRegItem(const CRegItem& item) {
    fw::RegKey key;
    if (RegCreateKeyExA(item.m_hRootKey, Expanded(item.m_strSubKey).c_str(), 0, nullptr, 0,
                        KEY_WRITE | KEY_QUERY_VALUE, nullptr, key.Receive(), nullptr) != ERROR_SUCCESS)
        return;
    const std::string name = Expanded(item.m_strValueName);
    const bool keepExisting = (item.m_nKeepExisting & 3) != 0;
    const auto exists = [&] { return RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS; };

    if (item.m_dwType == REG_SZ) {
        const std::string data = Expanded(item.m_strData);
        if (keepExisting && exists()) return;
        RegSetValueExA(key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>(data.size() + 1));
    } else if (item.m_dwType == REG_DWORD) {
        if (keepExisting && exists()) return;
        // The number as written: no macros in it.
        const DWORD number = static_cast<DWORD>(core::AtoiNumber(item.m_strData));
        RegSetValueExA(key.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    }
}

// --- OCX controls and automation servers -------------------------------------------------

void CUpdateSystemThread::RegisterOcxItem(const COcxItem& item) {
    const fw::Module library(LoadLibraryA(Expanded(item.m_strPath).c_str()));
    if (!library) {
        ShowError(core::FormatWithArgument(kOcxLoadFailed, item.m_strName));
        return;
    }
    using RegisterFunction = HRESULT(STDAPICALLTYPE*)();
    const FARPROC found = GetProcAddress(library.Get(), "DllRegisterServer");
    if (!found) {
        ShowError(core::FormatWithArgument(kNotAnOcx, item.m_strName));
        return;
    }
    const auto registerServer = reinterpret_cast<RegisterFunction>(reinterpret_cast<void*>(found));
    if (registerServer() != S_OK) {
        ShowError(core::FormatWithArgument(kOcxRegisterFailed, item.m_strName));
        return;
    }
    if (m_pUninstallNotes) m_pUninstallNotes->RecordUnregisterOcx(item);
}

void CUpdateSystemThread::RegisterAutomationItem(const CAutomationItem& item) {
    const std::string server = Expanded(item.m_strPath);
    const fw::Handle process = StartProgram(core::RegisterServerCommandLine(server), kStartFlags,
                                            core::ProgramDirectory(server), kAutomationTitle, SW_SHOWNORMAL);
    if (!process) {
        ShowError(core::FormatWithArgument(kAutomationFailed, item.m_strName));
        return;
    }
    WaitAnswering(process.Get(), INFINITE);
    if (m_pUninstallNotes) m_pUninstallNotes->RecordUnregisterAutomation(item);
}

// --- Programs to run ---------------------------------------------------------------------

void CUpdateSystemThread::RunExeItem(const CExeItem& item) {
    DWORD flags = kStartFlags;
    if (IsWin16Program(item.m_strCommand)) flags |= CREATE_SEPARATE_WOW_VDM;
    const std::string commandLine = core::ProgramCommandLine(Expanded(item.m_strCommand), Expanded(item.m_strArguments));
    const std::string directory = Expanded(item.m_strDirectory.empty() ? std::string("$InstDir$") : item.m_strDirectory);
    const fw::Handle process = StartProgram(commandLine, flags, directory, item.m_strCommand, item.m_nShow);
    // A program that does not start is not reported; programs run are not noted.
    if (process && item.m_bSync == 1) WaitAnswering(process.Get(), static_cast<DWORD>(item.m_nTimeout));
}
