#include "system/UpdateSystemThread.h"

#include "common/FileUtils.h"
#include "common/Messages.h"
#include "common/SetupMessageBox.h"
#include "core/AtoiNumber.h"
#include "core/ShiftJis.h"
#include "core/TextFormat.h"
#include "core/UninstallRecordText.h"
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
// worker's hidden window while the worker waits for it. True when the handle was
// signalled in time.
bool WaitAnswering(HANDLE handle, DWORD timeoutMs) {
    return fw::WaitAnsweringSentMessages(handle ? 1 : 0, &handle, timeoutMs);
}

// Loads a control so that the libraries it imports are found beside it first (a control
// in the installation directory with its own DLLs), and without the system's box about a
// library that is missing: the installer says itself that the control did not load.
fw::Module LoadControl(const std::string& path) {
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    fw::Module library(LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    SetErrorMode(previousMode);
    return library;
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

BOOL CUpdateSystemThread::InitInstance() {
    // Without COM the update still runs; a control that needs it then fails to register.
    m_bComInitialized = SUCCEEDED(CoInitialize(nullptr));
    return TRUE;
}

int CUpdateSystemThread::ExitInstance() {
    if (m_bComInitialized) CoUninitialize();
    m_bComInitialized = false;
    return 0;
}

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

fw::Handle CUpdateSystemThread::StartProgram(std::string commandLine, DWORD flags, const std::string& directory,
                                             const std::string& title, int show) {
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
    const std::string named = Expanded(item.m_strFile);  // as the notes name the file
    std::string file = named;
    if (!core::IsIniPathAsGiven(file)) file = Expanded("$WINDIR$") + "\\" + file;

    // The file as it is before a write decides what the uninstaller is told, matched as
    // the platform's INI functions match it: names in any case. (A deletion reads what it
    // takes away itself.)
    const int mode = item.m_nMode & 7;
    const IniFacts before = mode >= 1 && mode <= 3 ? LookUpIniFacts(file, section, key) : IniFacts{};

    bool written = false;
    switch (mode) {
    case 1:
    case 2:
        written = WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
        break;
    case 3:
        // Only over a key that is there with exactly this name; a missing file has none
        // (and is not opened, so nobody is asked about it).
        if (before.hasKey && LookUpSectionAndKey(file, section, key).hasKey)
            written = WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
        break;
    case 4: {
        // What the deletion takes away comes back when the product is removed.
        const std::vector<IniEntry> removed = ReadIniEntries(file, section, key);
        if (section.empty()) DeleteFileA(file.c_str());
        WritePrivateProfileStringA(section.c_str(), key.empty() ? nullptr : key.c_str(), nullptr, file.c_str());
        for (const IniEntry& entry : removed)
            if (FirstChangeOf(file, entry.section, entry.key) && m_pUninstallNotes)
                m_pUninstallNotes->RecordRestoreIniValue(named, entry.section, entry.key, entry.value);
        break;
    }
    default:
        break;
    }

    // A write that failed changed nothing: the uninstaller must not undo it.
    if (!written) return;
    const bool first = FirstChangeOf(file, section, key);
    if (!m_pUninstallNotes) return;
    if (!before.fileExists)
        m_pUninstallNotes->RecordDeleteIniFile(file);
    else if (!before.hasSection)
        m_pUninstallNotes->RecordDeleteIniSection(item);
    else if (!before.hasKey)
        m_pUninstallNotes->RecordDeleteIniKeyword(item);
    else
        m_pUninstallNotes->RecordDeleteIniValue(item);
    // The value the key had before this installation first wrote it comes back.
    if (before.hasKey && first) m_pUninstallNotes->RecordRestoreIniValue(named, section, key, before.value);
}

bool CUpdateSystemThread::FirstChangeOf(const std::string& file, const std::string& section, const std::string& key) {
    return m_changedEntries.insert(core::ToUpperShiftJis(file + '\n' + section + '\n' + key)).second;
}

// --- Registry ----------------------------------------------------------------------------

namespace {

// The platform's name of a root, for the uninstaller's notes; false for any other key.
bool NotedRoot(HKEY root, core::RegistryRoot& noted) {
    if (root == HKEY_CLASSES_ROOT) noted = core::RegistryRoot::ClassesRoot;
    else if (root == HKEY_CURRENT_USER) noted = core::RegistryRoot::CurrentUser;
    else if (root == HKEY_LOCAL_MACHINE) noted = core::RegistryRoot::LocalMachine;
    else if (root == HKEY_USERS) noted = core::RegistryRoot::Users;
    else return false;
    return true;
}

// The levels of the subkey, from the first that is not there yet: those the update makes.
std::vector<std::string> MissingKeyLevels(HKEY root, const std::string& subKey) {
    std::vector<std::string> levels = core::RegistryKeyLevels(subKey);
    auto firstMissing = levels.begin();
    for (; firstMissing != levels.end(); ++firstMissing) {
        fw::RegKey key;
        if (RegOpenKeyExA(root, firstMissing->c_str(), 0, KEY_QUERY_VALUE, key.Receive()) == ERROR_FILE_NOT_FOUND)
            break;
    }
    levels.erase(levels.begin(), firstMissing);
    return levels;
}

// The value's type and data, when it is there.
bool ReadValue(HKEY key, const std::string& name, DWORD& type, std::string& data) {
    DWORD size = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    data.assign(size, '\0');
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return false;
    data.resize(size);
    return true;
}

}  // namespace

void CUpdateSystemThread::UpdateRegItem(const CRegItem& item) {
    const std::string subKey = Expanded(item.m_strSubKey);
    const std::vector<std::string> missing = MissingKeyLevels(item.m_hRootKey, subKey);
    fw::RegKey key;
    if (RegCreateKeyExA(item.m_hRootKey, subKey.c_str(), 0, nullptr, 0, KEY_WRITE | KEY_QUERY_VALUE, nullptr,
                        key.Receive(), nullptr) != ERROR_SUCCESS)
        return;
    core::RegistryRoot root = core::RegistryRoot::CurrentUser;
    // Values right on a root, or under a root with no name of its own, are not noted.
    const bool noted = m_pUninstallNotes && !subKey.empty() && NotedRoot(item.m_hRootKey, root);
    if (noted)
        for (const std::string& level : missing) m_pUninstallNotes->RecordDeleteRegKey(core::RegistryKeyPath(root, level));

    const std::string name = Expanded(item.m_strValueName);
    DWORD oldType = 0;
    std::string oldData;
    const bool existed = ReadValue(key.Get(), name, oldType, oldData);
    if ((item.m_nKeepExisting & 3) && existed) return;

    LONG result = ERROR_INVALID_PARAMETER;
    if (item.m_dwType == REG_SZ) {
        const std::string data = Expanded(item.m_strData);
        result = RegSetValueExA(key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                static_cast<DWORD>(data.size() + 1));
    } else if (item.m_dwType == REG_DWORD) {
        // The number as written: no macros in it.
        const DWORD number = static_cast<DWORD>(core::AtoiNumber(item.m_strData));
        result = RegSetValueExA(key.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                                sizeof number);
    }
    if (result != ERROR_SUCCESS || !noted) return;
    const std::string keyPath = core::RegistryKeyPath(root, subKey);
    if (!m_changedValues.insert(core::ToUpperShiftJis(keyPath + '\n' + name)).second) return;
    if (existed)
        m_pUninstallNotes->RecordRestoreRegValue(keyPath, name, oldType, oldData);
    else
        m_pUninstallNotes->RecordDeleteRegValue(keyPath, name);
}

// --- OCX controls and automation servers -------------------------------------------------

void CUpdateSystemThread::RegisterOcxItem(const COcxItem& item) {
    const fw::Module library = LoadControl(Expanded(item.m_strPath));
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
    // A server that does not end has not registered (it may be waiting for a user who
    // is not there); it is left running and not noted.
    if (!WaitAnswering(process.Get(), m_dwAutomationWaitMs)) {
        ShowError(core::FormatWithArgument(kAutomationFailed, item.m_strName));
        return;
    }
    if (m_pUninstallNotes) m_pUninstallNotes->RecordUnregisterAutomation(item);
}

// --- Programs to run ---------------------------------------------------------------------

void CUpdateSystemThread::RunExeItem(const CExeItem& item) {
    // The program as the system will find it: a 16-bit one gets a VDM of its own, and
    // the console shows its real path.
    const std::string program = Expanded(item.m_strCommand);
    DWORD flags = kStartFlags;
    if (IsWin16Program(program)) flags |= CREATE_SEPARATE_WOW_VDM;
    const std::string commandLine = core::ProgramCommandLine(program, Expanded(item.m_strArguments));
    const std::string directory = Expanded(item.m_strDirectory.empty() ? std::string("$InstDir$") : item.m_strDirectory);
    const fw::Handle process = StartProgram(commandLine, flags, directory, program, item.m_nShow);
    // A program that does not start is not reported; programs run are not noted.
    if (process && item.m_bSync == 1) WaitAnswering(process.Get(), static_cast<DWORD>(item.m_nTimeout));
}
