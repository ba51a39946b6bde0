#pragma once
// Runs a bash command on the Linux side of Wine, for test steps that change the
// world outside the program (swap a floppy disk, move files). Wine's CreateProcess
// starts a Unix program but hands back no process handle, so the command is run
// through a small wrapper that writes its exit status into a file, and the
// driver waits for that file.
#include <windows.h>

#include <string>

namespace uidriver {

struct ShellResult {
    int status = -1;     // the command's exit status
    std::string output;  // what it wrote to stdout and stderr (UTF-8, as the command wrote it)
};

// Runs COMMAND (UTF-8) with "bash -euo pipefail" in the driver's current folder and
// the driver's environment, and waits up to timeoutMs for it to end. False with a
// reason when it could not be started or did not end in time.
bool RunUnixShell(const std::string& command, DWORD timeoutMs, ShellResult& result, std::string& error);

}  // namespace uidriver
