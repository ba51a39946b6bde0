#pragma once
// The program under test: started by the driver or attached to by id, plus
// every process it starts in turn (their windows count as the program's).
#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace uidriver {

class ProgramProcesses {
public:
    ProgramProcesses() = default;
    ProgramProcesses(const ProgramProcesses&) = delete;
    ProgramProcesses& operator=(const ProgramProcesses&) = delete;
    ~ProgramProcesses();

    // Starts PROGRAM with ARGS (quoted as needed) in directory cwd (empty: the driver's).
    bool Start(const std::string& program, const std::vector<std::string>& args, const std::string& cwd,
               std::string& error);
    bool Attach(DWORD processId, std::string& error);

    // True when the process belongs to the program: the main process or one of its descendants.
    bool Owns(DWORD processId);
    DWORD MainId() const { return m_mainId; }
    bool Started() const { return m_started; }

    // Waits for the main process to end; false on timeout.
    bool WaitForExit(DWORD timeoutMs, DWORD& exitCode);
    bool MainRunning() const;
    // True while the main process or any process it started still runs.
    bool AnyRunning();
    // Ends every process of the program that still runs (only when the driver
    // started it) and waits a little for them to go.
    void TerminateStarted();

private:
    void RefreshDescendants();

    HANDLE m_mainHandle = nullptr;
    DWORD m_mainId = 0;
    bool m_started = false;
    // Every process of the program, with a handle held open from the moment it
    // is found, so its id cannot be reused by an unrelated process meanwhile.
    std::map<DWORD, HANDLE> m_processes;
    DWORD m_lastRefresh = 0;
};

// The executable name of a process ("SETUP.EXE"), or "?" when it cannot be found.
std::string ProcessName(DWORD processId);

}  // namespace uidriver
