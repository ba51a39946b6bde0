#include "system/ProgramManager.h"

#include "common/FileUtils.h"
#include "core/ProgmanCommand.h"
#include "core/ShiftJisPath.h"
#include "framework/Handles.h"
#include "framework/SystemPaths.h"
#include "framework/Thread.h"
#include "script/ProgramFolders.h"
#include "script/UninstallNotes.h"
#include "system/DDEClient.h"

namespace {

constexpr char kGroupHelper[] = "__SETUP.EXE";
constexpr DWORD kCommandTimeoutMs = 1000;

}  // namespace

std::string GroupHelperPath() {
    const std::string directory = fw::ModuleDirectory();
    if (!directory.empty()) {
        const std::string beside = directory + "\\" + kGroupHelper;
        if (FileExists(beside)) return beside;
    }
    return kGroupHelper;
}

bool SendProgramManagerCommand(const CProgramManagerLink& link, const std::string& command) {
    // Without a conversation the library would keep the data handle: make none.
    if (!link.pClient || !link.pConv || !link.pConv->m_hConv) return false;
    HDDEDATA data = link.pClient->CreateDataHandle(command.c_str(), static_cast<DWORD>(command.size() + 1), 0,
                                                   nullptr, CF_TEXT, 0);
    if (!data) return false;
    DWORD result = 0;
    // The handle passes to the library with the transaction.
    return link.pConv->ClientTransaction(reinterpret_cast<BYTE*>(data), static_cast<DWORD>(-1), nullptr, 0,
                                         XTYP_EXECUTE, kCommandTimeoutMs, &result) != nullptr;
}

int CreateProgramManagerGroup(const CProgramManagerLink&, const std::string& groupName, CUninstallNotes* notes,
                              bool& madeHere) {
    const bool existed = ProgramManagerGroupExists(groupName);
    DWORD exitCode = STILL_ACTIVE;
    // The name goes on the command line: the helper's own SETUP.INF may still hold the
    // script's default (read-only media keep it) or be on a disk no longer in the drive.
    std::string commandLine = core::CommandLineWithArgument(GroupHelperPath(), groupName);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process = {};
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
        fw::Handle processHandle(process.hProcess);
        fw::Handle threadHandle(process.hThread);
        // A DDE client's initiate is broadcast to every top-level window and waits for each,
        // so the helper's connection would stall on ours if we did not answer meanwhile.
        const HANDLE helper = processHandle.Get();
        if (fw::WaitAnsweringSentMessages(1, &helper, kGroupHelperWaitMs)) GetExitCodeProcess(helper, &exitCode);
    }
    madeHere = !existed && exitCode == 0;
    if (madeHere && notes) notes->RecordDeleteProgramGroup(groupName);
    return 1;
}

int AddProgramManagerItem(const CProgramManagerLink& link, const std::string& path, const std::string& title) {
    SendProgramManagerCommand(link, core::ProgmanCommand("AddItem", {path, title}));
    if (link.pClient) link.pClient->GetLastError();
    return 1;
}

bool ExitProgramManager(const CProgramManagerLink& link) {
    return SendProgramManagerCommand(link, core::ProgmanCommand("ExitProgman", {"1"}));
}
