#pragma once
// Helpers for tests: waiting with a bound, temporary folders, started programs, files.
// (Windows and the user's part are in UiTestSupport.h.)
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testsupport {

// Polls the condition every 50 ms until it holds or the timeout passes.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 30000);

// Windows path of a Unix path (Wine maps / to Z:\).
std::string WindowsPathOfUnix(const std::string& unixPath);

// A fresh empty directory under the temporary folder, removed with its files at the end.
// Throws when no such directory can be made.
class TempDirectory {
public:
    TempDirectory();
    ~TempDirectory();
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// A started program; terminated if it still runs when the object goes.
class ChildProcess {
public:
    explicit ChildProcess(const std::string& exePath);
    ~ChildProcess();
    bool Started() const { return m_info.hProcess != nullptr; }
    DWORD Id() const { return m_info.dwProcessId; }
    // True when the process ended within the timeout.
    bool WaitForExit(DWORD timeoutMs = 30000);
    DWORD ExitCode() const;

private:
    PROCESS_INFORMATION m_info = {};
};

std::string DesktopDirectory();
std::string WindowsDirectory();
bool FileExists(const std::string& path);
// Removes the directory with everything in it, as far as it can.
void DeleteTree(const std::string& dir);
// The names in the directory (files and folders, without "." and ".."), sorted.
std::vector<std::string> DirectoryNames(const std::string& dir);
bool WriteTextFile(const std::string& path, const std::string& text);
std::string ReadTextFile(const std::string& path);
// A shell link's target and description as "TARGET|DESCRIPTION"; "" when it cannot be read.
std::string ReadShellLink(const std::string& link);

}  // namespace testsupport
