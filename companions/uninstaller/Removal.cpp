#include "Removal.h"

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>

#include "common/FileUtils.h"
#include "core/ProgmanCommand.h"
#include "core/RecordPaths.h"
#include "core/ShiftJis.h"
#include "core/UninstallPlan.h"
#include "core/UninstallRecordText.h"
#include "core/UpdateCommands.h"
#include "framework/Handles.h"
#include "framework/SystemFunction.h"
#include "framework/Thread.h"
#include "script/Profile.h"
#include "system/DDEClient.h"
#include "system/ProgramManager.h"

using core::RecordNote;
using core::RecordSection;

namespace {

// Why an item stays; the final message lists each item with its reason.
constexpr char kHoldsOtherFiles[] = "ほかのファイルが残っています";
constexpr char kHoldsOtherEntries[] = "ほかの値やキーが残っています";
constexpr char kHoldsOtherIcons[] = "ほかのアイコンが残っています";
constexpr char kCouldNotDelete[] = "削除できませんでした";
constexpr char kCouldNotUnregister[] = "登録を解除できませんでした";
constexpr char kNoAnswer[] = "応答がありませんでした";
constexpr char kCouldNotWrite[] = "元に戻せませんでした";
constexpr char kNoProgramManager[] = "プログラム マネージャに接続できませんでした";
constexpr char kUnreadable[] = "記録の内容を読み取れません";

constexpr char kSharedDlls[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
constexpr char kDirectoryNotesSection[] = "OrvanSetupDeleteDirectory";
constexpr DWORD kUnregisterWaitMs = 30000;
constexpr DWORD kProgramManagerTimeoutMs = 5000;
constexpr int kMissingCount = -0x7FFFFFFF;

bool IsPathSection(RecordSection section) {
    switch (section) {
    case RecordSection::DeleteFile:
    case RecordSection::DeleteShortCut:
    case RecordSection::UnregisterOcx:
    case RecordSection::UnregisterAutomation:
    case RecordSection::DeleteIniFile:
    case RecordSection::DeleteDirectory:
    case RecordSection::ReleaseSharedFile:
        return true;
    default:
        return false;
    }
}

bool IsIniSection(RecordSection section) {
    return section == RecordSection::DeleteIniSection || section == RecordSection::DeleteIniKeyword ||
           section == RecordSection::DeleteIniValue || section == RecordSection::RestoreIniValue;
}

// How the item is named in the progress line and the final message.
std::string ItemName(const RecordNote& note) { return note.fields.size() == 1 ? note.fields[0] : note.value; }

HKEY RootKey(core::RegistryRoot root) {
    switch (root) {
    case core::RegistryRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case core::RegistryRoot::CurrentUser: return HKEY_CURRENT_USER;
    case core::RegistryRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    case core::RegistryRoot::Users: return HKEY_USERS;
    }
    return HKEY_CURRENT_USER;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool WriteWholeFile(const std::string& path, const std::string& text) {
    fw::Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

// The program a shell link starts; "" when it cannot be read.
std::string LinkTarget(const std::string& linkPath) {
    fw::ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.ReceiveVoid())))
        return "";
    fw::ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid()))) return "";
    WCHAR widePath[MAX_PATH] = L"";
    if (!MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, MAX_PATH)) return "";
    if (FAILED(file->Load(widePath, STGM_READ))) return "";
    char target[MAX_PATH] = "";
    if (FAILED(link->GetPath(target, MAX_PATH, nullptr, 0))) return "";
    return target;
}

}  // namespace

bool ReadFileText(const std::string& path, std::string& text) {
    text.clear();
    fw::Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    if (!file) return false;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
    return true;
}

// --- CFileRemoval ----------------------------------------------------------------------------

CFileRemoval::Result CFileRemoval::DeleteFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Result::Missing : Result::Failed;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Result::Failed;
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN))
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (::DeleteFileA(path.c_str())) return Result::Removed;
    const DWORD error = GetLastError();
    // Windows NT answers a running program or a file open without delete sharing with a
    // sharing violation or "access denied"; Windows 95 with "access denied".
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION)
        return Result::InUse;
    return Result::Failed;
}

bool CFileRemoval::ScheduleDeletion(const std::string& path, bool windowsNT) {
    if (windowsNT) {
        // Windows 95 has the function only as a stub; it is looked up, not imported.
        const auto moveFileEx = fw::SystemFunction<BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD)>("kernel32.dll", "MoveFileExA");
        return moveFileEx && moveFileEx(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    }
    // WININIT.INI runs before long names are known: the short name, which NT 3.51's
    // kernel32 may lack (looked up at run time; Windows 95 has it).
    const auto getShortPathName =
        fw::SystemFunction<DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD)>("kernel32.dll", "GetShortPathNameA");
    char shortPath[MAX_PATH] = "";
    if (!getShortPathName) return false;
    const DWORD length = getShortPathName(path.c_str(), shortPath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    char windows[MAX_PATH] = "";
    const UINT windowsLength = GetWindowsDirectoryA(windows, MAX_PATH);
    if (windowsLength == 0 || windowsLength >= MAX_PATH) return false;
    const std::string wininit = std::string(windows) + "\\WININIT.INI";
    std::string text;
    ReadFileText(wininit, text);  // a missing file is an empty one
    return WriteWholeFile(wininit, core::AddWininitDeletion(text, shortPath));
}

// --- CRemoval -----------------------------------------------------------------------------

CRemoval::CRemoval(core::UninstallRecordContents record, RemovalSettings settings, CFileRemoval& files,
                   CRemovalUi* ui)
    : m_record(std::move(record)), m_settings(std::move(settings)), m_files(files), m_pUi(ui) {}

CRemoval::~CRemoval() {
    m_pProgman.reset();  // the conversation before its client
    m_pDdeClient.reset();
}

bool CRemoval::IsRecordFile(const std::string& path) const { return core::SamePath(path, m_settings.recordPath); }

std::string CRemoval::RefusedItem() const {
    for (const RecordNote& note : m_record.notes) {
        std::string path;
        if (IsPathSection(note.section))
            path = note.fields[0];
        else if (IsIniSection(note.section))
            path = core::IniNoteFile(note.fields[0], m_settings.windowsDirectory);
        else
            continue;
        if (core::CheckRecordPath(path, m_settings.protectedFolders) != core::RecordPathProblem::None) return path;
    }
    if (!m_record.reg.empty() && !core::IsUninstallEntryKey(m_record.reg)) return m_record.reg;
    return "";
}

RemovalReport CRemoval::Run() {
    if (!m_record.hasConfig) TakeDirectoryNotesOfWinIni();

    RemovalReport report;
    std::vector<RecordNote> remaining;
    std::vector<const RecordNote*> afterRecord;  // directories that hold the record
    const RecordNote* recordNote = nullptr;      // the record's own DeleteFile note

    const std::vector<std::size_t> order = core::RemovalOrder(m_record.notes);
    const int total = static_cast<int>(order.size()) + 1;
    int done = 0;
    for (std::size_t index : order) {
        const RecordNote& note = m_record.notes[index];
        if (m_pUi) m_pUi->ShowProgress(ItemName(note), done++, total);
        if (note.section == RecordSection::DeleteFile && IsRecordFile(note.fields[0])) {
            recordNote = &note;  // the record goes last
            continue;
        }
        const Result result = Undo(note);
        switch (result.outcome) {
        case Outcome::Done:
            break;
        case Outcome::Scheduled:
            report.scheduled.push_back(ItemName(note));
            break;
        case Outcome::AfterRecord:
            afterRecord.push_back(&note);
            break;
        case Outcome::Remains:
            remaining.push_back(note);
            report.remaining.push_back(ItemName(note) + " (" + result.reason + ")");
            break;
        }
    }
    for (const RecordNote& note : m_record.unreadable) {
        remaining.push_back(note);
        report.remaining.push_back(std::string(core::RecordSectionName(note.section)) + ": " + note.value + " (" +
                                   kUnreadable + ")");
    }
    if (m_pUi) m_pUi->ShowProgress(m_settings.recordPath, done, total);

    if (remaining.empty() && !m_record.reg.empty() && !DeleteUninstallEntry())
        report.remaining.push_back(m_record.reg + " (" + kCouldNotDelete + ")");

    // The record goes last, and only when nothing but itself is left to do.
    const bool recordMayGo =
        report.remaining.empty() &&
        (recordNote || core::ToUpperShiftJis(core::FileNameOf(m_settings.recordPath)) == "UNINSTAL.INF");
    bool recordGone = false;
    if (recordMayGo) {
        recordGone = m_files.DeleteFile(m_settings.recordPath) != CFileRemoval::Result::Failed &&
                     !Exists(m_settings.recordPath);
        if (!recordGone) report.remaining.push_back(m_settings.recordPath + " (" + kCouldNotDelete + ")");
    }
    for (const RecordNote* note : afterRecord) {
        const Result result = recordGone ? DeleteDirectory(note->fields[0]) : Result{Outcome::Remains, kHoldsOtherFiles};
        if (result.outcome == Outcome::Scheduled) {
            report.scheduled.push_back(note->fields[0]);
        } else if (result.outcome != Outcome::Done) {
            remaining.push_back(*note);
            if (recordGone) report.remaining.push_back(note->fields[0] + " (" + kHoldsOtherFiles + ")");
        }
    }
    if (!recordGone && recordNote) remaining.push_back(*recordNote);
    if (!remaining.empty()) WriteRemainingRecord(remaining);
    ForgetDirectoryNotesOfWinIni();

    if (!report.remaining.empty())
        report.exitCode = kSomethingRemains;
    else if (!report.scheduled.empty())
        report.exitCode = kRestartCompletes;
    return report;
}

CRemoval::Result CRemoval::Undo(const RecordNote& note) {
    const std::string& first = note.fields[0];
    switch (note.section) {
    case RecordSection::UnregisterAutomation: return UnregisterAutomation(first);
    case RecordSection::UnregisterOcx: return UnregisterOcx(first);
    case RecordSection::DeleteShortCut: return DeleteFileOrSchedule(first);
    case RecordSection::DeleteProgramItem: return DeleteProgramItem(first, note.fields[1]);
    case RecordSection::DeleteProgramGroup: return DeleteProgramGroup(first);
    case RecordSection::ReleaseSharedFile: return ReleaseSharedFile(first);
    case RecordSection::DeleteIniFile: {
        // The profile functions may still hold the file: let go of it first.
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, first.c_str());
        return DeleteFileOrSchedule(first);
    }
    case RecordSection::DeleteFile: return DeleteRecordedFile(first);
    case RecordSection::DeleteDirectory: return DeleteDirectory(first);
    case RecordSection::RestoreRegValue:
    case RecordSection::DeleteRegValue:
    case RecordSection::DeleteRegKey: return UndoRegistryNote(note);
    default: return UndoIniNote(note);
    }
}

// --- Registrations -----------------------------------------------------------------------------

CRemoval::Result CRemoval::UnregisterAutomation(const std::string& path) {
    if (!Exists(path)) return {Outcome::Done, nullptr};  // nothing left to ask
    std::string commandLine = core::UnregisterServerCommandLine(path);
    const std::string directory = core::ProgramDirectory(path);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_FORCEOFFFEEDBACK;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS | CREATE_NEW_PROCESS_GROUP, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &started))
        return {Outcome::Remains, kCouldNotUnregister};
    const fw::Handle process(started.hProcess);
    const fw::Handle thread(started.hThread);
    const HANDLE handle = process.Get();
    // A server that broadcasts to every window must get its answer from ours too.
    if (!fw::WaitAnsweringSentMessages(1, &handle, kUnregisterWaitMs)) return {Outcome::Remains, kNoAnswer};
    return {Outcome::Done, nullptr};
}

CRemoval::Result CRemoval::UnregisterOcx(const std::string& path) {
    if (!Exists(path)) return {Outcome::Done, nullptr};
    const fw::Module library(LoadLibraryA(path.c_str()));
    if (!library) return {Outcome::Remains, kCouldNotUnregister};
    using UnregisterFunction = HRESULT(STDAPICALLTYPE*)();
    const FARPROC found = GetProcAddress(library.Get(), "DllUnregisterServer");
    if (!found) return {Outcome::Done, nullptr};  // no registration of its own to take away
    const auto unregisterServer = reinterpret_cast<UnregisterFunction>(reinterpret_cast<void*>(found));
    return unregisterServer() == S_OK ? Result{Outcome::Done, nullptr} : Result{Outcome::Remains, kCouldNotUnregister};
}

// --- Shortcuts and program groups ---------------------------------------------------------------

// A program folder of the shell goes with the installation's other directories, when
// the installation made it and nothing else is left in it.

bool CRemoval::ProgramManagerConnected() {
    if (!m_pDdeClient) {
        m_pDdeClient = std::make_unique<CDDEClient>();
        m_pProgman = std::make_unique<CDDEClientConv>();
        m_pProgman->Connect("Progman", "Progman", nullptr);
    }
    return m_pProgman->m_hConv != nullptr;
}

bool CRemoval::SendToProgramManager(const std::string& command) {
    return SendProgramManagerCommand(CProgramManagerLink{m_pDdeClient.get(), m_pProgman.get()}, command);
}

std::vector<std::string> CRemoval::ProgramGroupIcons(const std::string& name, std::vector<std::string>& titles) {
    std::vector<std::string> commands;
    titles.clear();
    // The program manager describes a group when asked for it by name.
    const HSZ item = m_pDdeClient->CreateStringHandle(name.c_str(), CP_WINANSI);
    DWORD status = 0;
    const HDDEDATA data =
        item ? m_pProgman->ClientTransaction(nullptr, 0, item, CF_TEXT, XTYP_REQUEST, kProgramManagerTimeoutMs, &status)
             : nullptr;
    if (item) m_pDdeClient->FreeStringHandle(item);
    if (data) {
        std::string text(DdeGetData(data, nullptr, 0, 0), '\0');
        DdeGetData(data, reinterpret_cast<BYTE*>(text.data()), static_cast<DWORD>(text.size()), 0);
        DdeFreeDataHandle(data);
        for (const core::ProgramIcon& icon : core::ParseProgramGroupData(text)) {
            titles.push_back(icon.title);
            commands.push_back(icon.command);
        }
        return commands;
    }
    // A program manager that keeps its groups as folders of the shell's Programs folder
    // answers no such request: its icons are the links there.
    if (m_settings.programsFolder.empty()) return commands;
    const std::string folder = core::ProgramFolderPath(m_settings.programsFolder, name);
    WIN32_FIND_DATAA found;
    fw::FindHandle search(FindFirstFileA((folder + "\\*.*").c_str(), &found));
    if (!search) return commands;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        std::string title = found.cFileName;
        const std::string link = folder + "\\" + title;
        if (title.size() > 4 && core::ToUpperShiftJis(title.substr(title.size() - 4)) == ".LNK")
            title.resize(title.size() - 4);
        titles.push_back(title);
        commands.push_back(LinkTarget(link));
    } while (FindNextFileA(search.Get(), &found));
    return commands;
}

CRemoval::Result CRemoval::DeleteProgramGroup(const std::string& name) {
    // Program groups are the program manager's, which only Windows NT before 4.0 uses;
    // elsewhere the program folder went with its icons.
    if (!core::IsOldWindowsNT(m_settings.platform)) return {Outcome::Done, nullptr};
    if (!ProgramManagerConnected()) return {Outcome::Remains, kNoProgramManager};

    // The group goes only when it holds nothing but this product's icons; otherwise only
    // those go. An icon is the product's when it starts a file the record deletes, or the
    // uninstaller (whose icon the installer makes without noting its file).
    std::vector<std::string> titles;
    const std::vector<std::string> commands = ProgramGroupIcons(name, titles);
    std::vector<std::string> ours;
    for (std::size_t i = 0; i < commands.size(); ++i) {
        const bool isOurs = core::ToUpperShiftJis(core::FileNameOf(commands[i])) == core::kUninstallerFileName ||
                            std::any_of(m_record.notes.begin(), m_record.notes.end(), [&](const RecordNote& note) {
            return note.section == RecordSection::DeleteFile && core::SamePath(note.fields[0], commands[i]);
        });
        if (isOurs) ours.push_back(titles[i]);
    }
    if (ours.size() == commands.size()) {
        SendToProgramManager(core::ProgmanCommand("DeleteGroup", {name}));
        return {Outcome::Done, nullptr};
    }
    if (!ours.empty()) {
        SendToProgramManager(core::ProgmanCommand("ShowGroup", {name, "1"}));
        for (const std::string& title : ours) SendToProgramManager(core::ProgmanCommand("DeleteItem", {title}));
    }
    return {Outcome::Remains, kHoldsOtherIcons};
}

CRemoval::Result CRemoval::DeleteProgramItem(const std::string& group, const std::string& title) {
    // An icon put into a group that was there before: the group stays, with its other icons.
    if (!core::IsOldWindowsNT(m_settings.platform)) return {Outcome::Done, nullptr};
    if (!ProgramManagerConnected()) return {Outcome::Remains, kNoProgramManager};
    SendToProgramManager(core::ProgmanCommand("ShowGroup", {group, "1"}));
    SendToProgramManager(core::ProgmanCommand("DeleteItem", {title}));
    return {Outcome::Done, nullptr};
}

// --- INI and registry notes ---------------------------------------------------------------------

CRemoval::Result CRemoval::UndoIniNote(const RecordNote& note) {
    const std::vector<std::string>& f = note.fields;
    const std::string file = core::IniNoteFile(f[0], m_settings.windowsDirectory);
    if (!FileExists(file)) return {Outcome::Done, nullptr};
    CIniProfile profile(file);
    profile.SetSection(f[1].c_str());
    BOOL written = TRUE;
    switch (note.section) {
    case RecordSection::DeleteIniSection: written = profile.DeleteSection(); break;
    case RecordSection::DeleteIniKeyword: written = profile.DeleteKey(f[2].c_str()); break;
    case RecordSection::RestoreIniValue: written = profile.WriteString(f[2].c_str(), f[3].c_str()); break;
    default:
        // DeleteIniValue: the installation wrote over a value that was there before, and
        // the note does not say what it was. Deleting the key would lose a setting older
        // than the product, so the value stays as it is.
        break;
    }
    return written ? Result{Outcome::Done, nullptr} : Result{Outcome::Remains, kCouldNotWrite};
}

CRemoval::Result CRemoval::UndoRegistryNote(const RecordNote& note) {
    core::RegistryRoot root;
    std::string subKey;
    core::SplitRegistryKeyPath(note.fields[0], root, subKey);
    const HKEY rootKey = RootKey(root);

    if (note.section == RecordSection::RestoreRegValue) {
        std::uint32_t type = 0;
        std::string bytes;
        core::ParseRecordNumber(note.fields[2], type);
        core::ParseRegistryData(type, note.fields[3], bytes);
        if (type == core::kRegistrySz || type == core::kRegistryExpandSz) bytes += '\0';
        fw::RegKey key;
        const bool written =
            RegCreateKeyExA(rootKey, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                            key.Receive(), nullptr) == ERROR_SUCCESS &&
            RegSetValueExA(key.Get(), note.fields[1].c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                           static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
        return written ? Result{Outcome::Done, nullptr} : Result{Outcome::Remains, kCouldNotWrite};
    }
    if (note.section == RecordSection::DeleteRegValue) {
        fw::RegKey key;
        if (RegOpenKeyExA(rootKey, subKey.c_str(), 0, KEY_SET_VALUE, key.Receive()) != ERROR_SUCCESS)
            return {Outcome::Done, nullptr};
        const LONG result = RegDeleteValueA(key.Get(), note.fields[1].c_str());
        return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND ? Result{Outcome::Done, nullptr}
                                                                          : Result{Outcome::Remains, kCouldNotDelete};
    }
    // DeleteRegKey: only a key that holds nothing any more.
    {
        fw::RegKey key;
        if (RegOpenKeyExA(rootKey, subKey.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
            return {Outcome::Done, nullptr};
        DWORD subKeys = 0, values = 0;
        if (RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr,
                             nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return {Outcome::Remains, kCouldNotDelete};
        if (subKeys != 0 || values != 0) return {Outcome::Remains, kHoldsOtherEntries};
    }
    return RegDeleteKeyA(rootKey, subKey.c_str()) == ERROR_SUCCESS ? Result{Outcome::Done, nullptr}
                                                                   : Result{Outcome::Remains, kCouldNotDelete};
}

bool CRemoval::DeleteUninstallEntry() {
    fw::RegKey key;
    const LONG opened = RegOpenKeyExA(HKEY_LOCAL_MACHINE, m_record.reg.c_str(), 0, KEY_READ | KEY_SET_VALUE,
                                      key.Receive());
    if (opened == ERROR_FILE_NOT_FOUND) return true;
    if (opened != ERROR_SUCCESS) return false;
    // The entry is the product's own: every value of it goes (the list shows any left).
    for (;;) {
        char name[1024];
        DWORD length = sizeof name;
        if (RegEnumValueA(key.Get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        if (RegDeleteValueA(key.Get(), name) != ERROR_SUCCESS) return false;
    }
    key.Reset();
    return RegDeleteKeyA(HKEY_LOCAL_MACHINE, m_record.reg.c_str()) == ERROR_SUCCESS;
}

// --- Files and directories ----------------------------------------------------------------------

CRemoval::Result CRemoval::DeleteRecordedFile(const std::string& path) {
    // Every product's record names the uninstaller; it stays for the others.
    if (core::ToUpperShiftJis(core::FileNameOf(path)) == core::kUninstallerFileName) return {Outcome::Done, nullptr};

    CRegProfile shared(kSharedDlls, HKEY_LOCAL_MACHINE);
    const int count = shared.GetInt(path.c_str(), kMissingCount);
    if (count != kMissingCount && FileExists(path)) {
        if (count > 1) {
            shared.WriteInt(path.c_str(), count - 1);
            return {Outcome::Done, nullptr};  // other programs still use it
        }
        shared.DeleteKey(path.c_str());
        SharedFileAnswer answer = SharedFileAnswer::No;
        if (m_bYesToAll)
            answer = SharedFileAnswer::Yes;
        else if (!m_bNoToAll && m_pUi)
            answer = m_pUi->AskRemoveSharedFile(path);
        m_bYesToAll |= answer == SharedFileAnswer::YesToAll;
        m_bNoToAll |= answer == SharedFileAnswer::NoToAll;
        if (answer == SharedFileAnswer::No || answer == SharedFileAnswer::NoToAll) return {Outcome::Done, nullptr};
    }
    return DeleteFileOrSchedule(path);
}

CRemoval::Result CRemoval::ReleaseSharedFile(const std::string& path) {
    // The installation counted a copy it found and kept: its count goes down, and the
    // file, which the installation did not write, stays whatever the count.
    CRegProfile shared(kSharedDlls, HKEY_LOCAL_MACHINE);
    const int count = shared.GetInt(path.c_str(), kMissingCount);
    if (count == kMissingCount) return {Outcome::Done, nullptr};
    if (count > 1)
        shared.WriteInt(path.c_str(), count - 1);
    else
        shared.DeleteKey(path.c_str());
    return {Outcome::Done, nullptr};
}

CRemoval::Result CRemoval::DeleteFileOrSchedule(const std::string& path) {
    switch (m_files.DeleteFile(path)) {
    case CFileRemoval::Result::Removed:
    case CFileRemoval::Result::Missing:
        return {Outcome::Done, nullptr};
    case CFileRemoval::Result::InUse:
        if (m_files.ScheduleDeletion(path, m_settings.platform.bWinNT != 0)) {
            m_setScheduled.insert(core::ComparablePath(path));
            return {Outcome::Scheduled, nullptr};
        }
        return {Outcome::Remains, kCouldNotDelete};
    case CFileRemoval::Result::Failed:
        break;
    }
    return {Outcome::Remains, kCouldNotDelete};
}

bool CRemoval::OnlyScheduledOrRecordIn(const std::string& directory, bool& holdsRecord) const {
    holdsRecord = false;
    WIN32_FIND_DATAA found;
    fw::FindHandle search(FindFirstFileA((directory + "\\*.*").c_str(), &found));
    if (!search) return false;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = directory + "\\" + name;
        if (IsRecordFile(path))
            holdsRecord = true;
        else if (!m_setScheduled.count(core::ComparablePath(path)))
            return false;
    } while (FindNextFileA(search.Get(), &found));
    return true;
}

CRemoval::Result CRemoval::DeleteDirectory(const std::string& path) {
    if (RemoveDirectoryA(path.c_str()) || !Exists(path)) return {Outcome::Done, nullptr};
    bool holdsRecord = false;
    if (!OnlyScheduledOrRecordIn(path, holdsRecord)) return {Outcome::Remains, kHoldsOtherFiles};
    if (holdsRecord) return {Outcome::AfterRecord, nullptr};
    // Only files that go at the next start are left: the directory goes after them.
    if (m_files.ScheduleDeletion(path, m_settings.platform.bWinNT != 0)) {
        m_setScheduled.insert(core::ComparablePath(path));
        return {Outcome::Scheduled, nullptr};
    }
    return {Outcome::Remains, kHoldsOtherFiles};
}

// --- An installation stopped during the copy ----------------------------------------------------

void CRemoval::TakeDirectoryNotesOfWinIni() {
    // Its directory notes never reached the record: those below the record's directory
    // (or that directory itself) are this installation's.
    const std::string recordFolder = core::ParentFolder(m_settings.recordPath);
    CIniProfile notes("WIN.INI");
    notes.SetSection(kDirectoryNotesSection);
    const int count = notes.GetKeyCount();
    for (int index = 0; index < count; ++index) {
        std::string key;
        if (!notes.GetKeyAt(index, key)) continue;
        const std::string path = notes.GetString(key.c_str(), "");
        if (path.empty() || !(core::SamePath(path, recordFolder) || core::IsBelowFolder(path, recordFolder))) continue;
        RecordNote note;
        note.section = RecordSection::DeleteDirectory;
        note.value = path;
        if (!core::ReadRecordNote(note)) continue;
        m_record.notes.push_back(std::move(note));
        m_arrWinIniKeys.push_back(key);
    }
}

void CRemoval::ForgetDirectoryNotesOfWinIni() {
    if (m_arrWinIniKeys.empty()) return;
    CIniProfile notes("WIN.INI");
    notes.SetSection(kDirectoryNotesSection);
    for (const std::string& key : m_arrWinIniKeys) notes.DeleteKey(key.c_str());
    if (notes.GetKeyCount() == 0) notes.DeleteSection();
}

void CRemoval::WriteRemainingRecord(const std::vector<RecordNote>& remaining) {
    const std::string& path = m_settings.recordPath;
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    WriteWholeFile(path, core::WriteUninstallRecordText(remaining, m_record));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
}
