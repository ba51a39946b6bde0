// __SETUP.EXE, the installer's program-group helper for Windows NT before 4.0: makes a
// program group through the program manager's DDE commands and shows it, so that the
// icons the installer adds next go into it. It shows nothing itself.
//
//   __SETUP.EXE ["group name"]
//
// The group's name is the argument, else GroupName of [Config] in the SETUP.INF beside
// this program. Exit codes (ExitCode below): 0 the group was made and shown; 1 no
// argument and no SETUP.INF; 2 no group name; 3 no program manager answered; 4 the
// program manager refused a command or did not answer in time.
#include <windows.h>
#include <ddeml.h>

#include <string>

#include "core/ProgmanCommand.h"
#include "core/ShiftJisPath.h"

namespace {

enum ExitCode : int {
    kGroupMade = 0,
    kNoSetupInf = 1,
    kNoGroupName = 2,
    kNoProgramManager = 3,
    kCommandFailed = 4,
};

// Making a group also opens its window, which can take the program manager a while.
constexpr DWORD kCommandTimeoutMs = 10000;
constexpr DWORD kProfileValueBuffer = 4096;  // as the installer reads its [Config]

HDDEDATA CALLBACK IgnoreTransactions(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

// SETUP.INF in this program's directory, or "" when the directory is unknown.
std::string SetupInfBesideProgram() {
    char modulePath[MAX_PATH] = "";
    const DWORD length = GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);
    if (length == 0 || length >= sizeof modulePath) return "";
    const std::string path(modulePath, length);
    const size_t slash = core::FindLastBackslash(path);
    return slash == std::string::npos ? "" : path.substr(0, slash + 1) + "SETUP.INF";
}

int FindGroupName(std::string& name) {
    name = core::SingleArgument(GetCommandLineA());
    if (!name.empty()) return kGroupMade;
    const std::string setupInf = SetupInfBesideProgram();
    if (setupInf.empty() || GetFileAttributesA(setupInf.c_str()) == INVALID_FILE_ATTRIBUTES) return kNoSetupInf;
    char value[kProfileValueBuffer] = "";
    GetPrivateProfileStringA("Config", "GroupName", "", value, sizeof value, setupInf.c_str());
    name = value;
    return name.empty() ? kNoGroupName : kGroupMade;
}

// One client instance with one conversation with the program manager.
class ProgramManagerSession {
public:
    ProgramManagerSession() {
        if (DdeInitializeA(&m_instance, IgnoreTransactions, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
            m_instance = 0;
            return;
        }
        m_name = DdeCreateStringHandleA(m_instance, "PROGMAN", CP_WINANSI);
        if (m_name) m_conversation = DdeConnect(m_instance, m_name, m_name, nullptr);
    }
    ~ProgramManagerSession() {
        if (m_conversation) DdeDisconnect(m_conversation);
        if (m_name) DdeFreeStringHandle(m_instance, m_name);
        if (m_instance) DdeUninitialize(m_instance);
    }
    ProgramManagerSession(const ProgramManagerSession&) = delete;
    ProgramManagerSession& operator=(const ProgramManagerSession&) = delete;

    bool Connected() const { return m_conversation != nullptr; }
    bool Execute(const std::string& command) {
        DWORD result = 0;
        std::string text = command;  // the library takes a writable buffer
        return DdeClientTransaction(reinterpret_cast<BYTE*>(text.data()), static_cast<DWORD>(text.size() + 1),
                                    m_conversation, nullptr, 0, XTYP_EXECUTE, kCommandTimeoutMs, &result) != nullptr;
    }

private:
    DWORD m_instance = 0;
    HSZ m_name = nullptr;
    HCONV m_conversation = nullptr;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::string group;
    if (const int status = FindGroupName(group); status != kGroupMade) return status;
    ProgramManagerSession session;
    if (!session.Connected()) return kNoProgramManager;
    if (!session.Execute(core::ProgmanCommand("CreateGroup", {group}))) return kCommandFailed;
    if (!session.Execute(core::ProgmanCommand("ShowGroup", {group, "1"}))) return kCommandFailed;
    return kGroupMade;
}
