#pragma once
// Helpers for tests that start programs and look at their windows.
#include <windows.h>

#include <functional>
#include <string>

namespace testsupport {

// Polls the condition every 50 ms until it holds or the timeout passes.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 30000);

// Windows path of a Unix path (Wine maps / to Z:\).
std::string WindowsPathOfUnix(const std::string& unixPath);

// A fresh empty directory under the temporary folder, removed with its files at the end.
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

// The first visible top-level window of the process whose class is className.
HWND FindProcessWindow(DWORD processId, const char* className);
std::string WindowText(HWND hwnd);
// The text of the first non-empty static control below the window.
std::string FirstStaticText(HWND parent);

std::string DesktopDirectory();
std::string WindowsDirectory();
bool FileExists(const std::string& path);
bool WriteTextFile(const std::string& path, const std::string& text);
std::string ReadTextFile(const std::string& path);

}  // namespace testsupport
