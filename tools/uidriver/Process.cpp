#include "Process.h"

#include <tlhelp32.h>

#include <map>

namespace uidriver {
namespace {

// Quotes one argument the way the C runtime splits command lines.
std::string QuoteArgument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') quoted.append(backslashes * 2 + 1, '\\');
        else quoted.append(backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

std::map<DWORD, PROCESSENTRY32> SnapshotProcesses() {
    std::map<DWORD, PROCESSENTRY32> processes;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return processes;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        processes[entry.th32ProcessID] = entry;
    }
    CloseHandle(snapshot);
    return processes;
}

// Wine starts its desktop (explorer.exe) and its service processes from whichever
// process first needs them, so they may turn up as the program's children; they are
// Wine's, outlive the program and never count as part of it.
bool IsWineSystemProcess(const PROCESSENTRY32& entry) {
    static const char* const kNames[] = {"explorer.exe", "services.exe", "winedevice.exe",
                                         "plugplay.exe", "svchost.exe", "rpcss.exe"};
    for (const char* name : kNames)
        if (lstrcmpiA(entry.szExeFile, name) == 0) return true;
    return false;
}

}  // namespace

ProgramProcesses::~ProgramProcesses() {
    for (const auto& [id, handle] : m_processes) CloseHandle(handle);
}

bool ProgramProcesses::Start(const std::string& program, const std::vector<std::string>& args,
                             const std::string& cwd, std::string& error) {
    std::string commandLine = QuoteArgument(program);
    for (const std::string& argument : args) commandLine += " " + QuoteArgument(argument);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        cwd.empty() ? nullptr : cwd.c_str(), &startup, &info)) {
        error = "cannot start " + program + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    CloseHandle(info.hThread);
    m_mainHandle = info.hProcess;
    m_mainId = info.dwProcessId;
    m_started = true;
    m_processes[m_mainId] = m_mainHandle;
    return true;
}

bool ProgramProcesses::Attach(DWORD processId, std::string& error) {
    m_mainHandle = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, processId);
    if (!m_mainHandle) m_mainHandle = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
    if (!m_mainHandle) {
        error = "cannot open process " + std::to_string(processId) + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    m_mainId = processId;
    m_processes[m_mainId] = m_mainHandle;
    return true;
}

void ProgramProcesses::RefreshDescendants() {
    auto snapshot = SnapshotProcesses();
    // Keep adding children of known processes until nothing new turns up.
    for (bool grew = true; grew;) {
        grew = false;
        for (const auto& [id, entry] : snapshot) {
            if (m_processes.count(id) || !m_processes.count(entry.th32ParentProcessID)) continue;
            if (IsWineSystemProcess(entry)) continue;
            HANDLE handle = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, id);
            if (!handle) continue;  // already gone
            m_processes[id] = handle;
            grew = true;
        }
    }
    m_lastRefresh = GetTickCount();
}

bool ProgramProcesses::Owns(DWORD processId) {
    if (m_processes.count(processId)) return true;
    // An unknown process may be a child started since the last look; look again at most every 200 ms.
    if (GetTickCount() - m_lastRefresh < 200) return false;
    RefreshDescendants();
    return m_processes.count(processId) != 0;
}

bool ProgramProcesses::WaitForExit(DWORD timeoutMs, DWORD& exitCode) {
    if (!m_mainHandle || WaitForSingleObject(m_mainHandle, timeoutMs) != WAIT_OBJECT_0) return false;
    if (!GetExitCodeProcess(m_mainHandle, &exitCode)) exitCode = 0;
    return true;
}

bool ProgramProcesses::MainRunning() const {
    return m_mainHandle && WaitForSingleObject(m_mainHandle, 0) == WAIT_TIMEOUT;
}

bool ProgramProcesses::AnyRunning() {
    RefreshDescendants();
    for (const auto& [id, handle] : m_processes) {
        if (WaitForSingleObject(handle, 0) == WAIT_TIMEOUT) return true;
    }
    return false;
}

void ProgramProcesses::TerminateStarted() {
    if (!m_started) return;
    RefreshDescendants();
    for (const auto& [id, handle] : m_processes) {
        if (WaitForSingleObject(handle, 0) != WAIT_TIMEOUT) continue;
        TerminateProcess(handle, 255);
        WaitForSingleObject(handle, 5000);
    }
}

std::string ProcessName(DWORD processId) {
    auto processes = SnapshotProcesses();
    auto found = processes.find(processId);
    return found == processes.end() ? "?" : found->second.szExeFile;
}

}  // namespace uidriver
