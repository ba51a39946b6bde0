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
//
// It shares the installer's floppy disk, so it does without the C++ library: no
// exceptions, no std::string, texts in fixed buffers or from malloc (the shipping_sizes
// test sees the library come back).
#include <windows.h>
#include <ddeml.h>

#include <cstdlib>
#include <cstring>
#include <string_view>

#include "core/ProgmanSyntax.h"
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

// SETUP.INF in this program's directory; false when the directory is unknown or the
// path would not fit.
bool SetupInfBesideProgram(char (&path)[MAX_PATH]) {
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    const size_t slash = core::FindLastBackslash(std::string_view(path, length));
    constexpr char kName[] = "SETUP.INF";
    if (slash == std::string_view::npos || slash + sizeof kName >= MAX_PATH) return false;
    std::memcpy(path + slash + 1, kName, sizeof kName);
    return true;
}

// The group's name: a part of the command line or of value.
int FindGroupName(char (&value)[kProfileValueBuffer], std::string_view& name) {
    name = core::SingleArgument(GetCommandLineA());
    if (!name.empty()) return kGroupMade;
    char setupInf[MAX_PATH];
    if (!SetupInfBesideProgram(setupInf) || GetFileAttributesA(setupInf) == INVALID_FILE_ATTRIBUTES)
        return kNoSetupInf;
    GetPrivateProfileStringA("Config", "GroupName", "", value, sizeof value, setupInf);
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

    // Sends "[name(arguments)]"; false when it cannot be made or is refused.
    bool Execute(std::string_view name, std::initializer_list<std::string_view> arguments) {
        size_t length = 0;
        core::WriteProgmanCommand(name, arguments, [&](std::string_view piece) { length += piece.size(); });
        // The library takes a writable buffer.
        char* const command = static_cast<char*>(std::malloc(length + 1));
        if (!command) return false;
        char* end = command;
        core::WriteProgmanCommand(name, arguments, [&](std::string_view piece) {
            std::memcpy(end, piece.data(), piece.size());
            end += piece.size();
        });
        *end = '\0';
        DWORD result = 0;
        const bool done = DdeClientTransaction(reinterpret_cast<BYTE*>(command), static_cast<DWORD>(length + 1),
                                               m_conversation, nullptr, 0, XTYP_EXECUTE, kCommandTimeoutMs,
                                               &result) != nullptr;
        std::free(command);
        return done;
    }

private:
    DWORD m_instance = 0;
    HSZ m_name = nullptr;
    HCONV m_conversation = nullptr;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char profileValue[kProfileValueBuffer] = "";
    std::string_view group;
    if (const int status = FindGroupName(profileValue, group); status != kGroupMade) return status;
    ProgramManagerSession session;
    if (!session.Connected()) return kNoProgramManager;
    if (!session.Execute("CreateGroup", {group})) return kCommandFailed;
    if (!session.Execute("ShowGroup", {group, "1"})) return kCommandFailed;
    return kGroupMade;
}
