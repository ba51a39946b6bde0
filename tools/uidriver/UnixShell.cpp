#include "UnixShell.h"

#include <cstdio>
#include <cstdlib>

#include "Text.h"

namespace uidriver {
namespace {

constexpr DWORD kPollIntervalMs = 50;

// Wine's own export: the Unix path of a Windows path (UTF-8, from the process heap).
using UnixFileNameFunction = char*(CDECL*)(const WCHAR*);

bool UnixPath(const std::string& windowsPath, std::string& unixPath) {
    static const auto convert = reinterpret_cast<UnixFileNameFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert) return false;
    char* path = convert(AnsiToWide(windowsPath).c_str());
    if (!path) return false;
    unixPath = path;
    HeapFree(GetProcessHeap(), 0, path);
    return true;
}

// A text as one single-quoted bash word.
std::string ShellWord(const std::string& text) {
    std::string word = "'";
    for (char c : text) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return word + "'";
}

bool WriteWholeFile(const std::string& path, const std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

// A folder of its own for one command's files, removed with them at the end.
class WorkFolder {
public:
    bool Create(std::string& error) {
        char temp[MAX_PATH];
        DWORD length = GetTempPathA(sizeof temp, temp);
        if (length == 0 || length >= sizeof temp) {
            error = "no temporary folder";
            return false;
        }
        static unsigned serial = 0;
        m_path = std::string(temp) + "uidriver-shell-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(++serial);
        if (!CreateDirectoryA(m_path.c_str(), nullptr)) {
            error = "cannot create " + AnsiToUtf8(m_path) + " (error " + std::to_string(GetLastError()) + ")";
            m_path.clear();
            return false;
        }
        return true;
    }
    ~WorkFolder() {
        if (m_path.empty()) return;
        for (const char* name : {"command.sh", "run.sh", "output", "status", "status.part"})
            DeleteFileA(File(name).c_str());
        RemoveDirectoryA(m_path.c_str());
    }
    std::string File(const char* name) const { return m_path + "\\" + name; }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

}  // namespace

bool RunUnixShell(const std::string& command, DWORD timeoutMs, ShellResult& result, std::string& error) {
    WorkFolder folder;
    if (!folder.Create(error)) return false;
    char current[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(sizeof current, current);
    std::string unixFolder, unixCurrent;
    if (!UnixPath(folder.Path(), unixFolder) || length == 0 || length >= sizeof current ||
        !UnixPath(current, unixCurrent)) {
        error = "no Unix path for the work or current folder (the shell step needs Wine)";
        return false;
    }
    // The wrapper runs the command where the driver runs, then reports its status;
    // the status file appears only once complete (written aside, then renamed).
    const std::string files = ShellWord(unixFolder) + "/";
    const std::string wrapper = "cd " + ShellWord(unixCurrent) + " || exit 1\n" +
                                "bash -euo pipefail " + files + "command.sh >" + files + "output 2>&1\n" +
                                "echo $? >" + files + "status.part && mv " + files + "status.part " + files + "status\n";
    if (!WriteWholeFile(folder.File("command.sh"), command + "\n") || !WriteWholeFile(folder.File("run.sh"), wrapper)) {
        error = "cannot write the command's files into " + AnsiToUtf8(folder.Path());
        return false;
    }

    std::string commandLine = "Z:\\bin\\bash \"" + unixFolder + "/run.sh\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        error = "cannot start /bin/bash (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    // Wine gives no handles for a Unix program; were there any, they would be closed here.
    if (info.hProcess) {
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }

    const DWORD start = GetTickCount();
    std::string status;
    while (!ReadWholeFile(folder.File("status"), status)) {
        if (GetTickCount() - start >= timeoutMs) {
            error = "the command did not end within " + std::to_string(timeoutMs / 1000) + " s";
            return false;
        }
        Sleep(kPollIntervalMs);
    }
    result.status = std::atoi(status.c_str());
    ReadWholeFile(folder.File("output"), result.output);
    return true;
}

}  // namespace uidriver
