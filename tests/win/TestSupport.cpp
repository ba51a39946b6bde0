#include "TestSupport.h"

#include <shlobj.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "framework/Handles.h"

namespace testsupport {

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(50);
    }
}

std::string WindowsPathOfUnix(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

namespace {
// Calls visit(name, attributes) for every entry of the directory but "." and "..".
template <typename Visit>
void ForEachEntry(const std::string& dir, Visit visit) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = data.cFileName;
        if (name != "." && name != "..") visit(name, data.dwFileAttributes);
    } while (FindNextFileA(find, &data));
    FindClose(find);
}
}  // namespace

void DeleteTree(const std::string& dir) {
    ForEachEntry(dir, [&](const std::string& name, DWORD attributes) {
        const std::string path = dir + "\\" + name;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            DeleteTree(path);
        else
            DeleteFileA(path.c_str());
    });
    RemoveDirectoryA(dir.c_str());
}

std::vector<std::string> DirectoryNames(const std::string& dir) {
    std::vector<std::string> names;
    ForEachEntry(dir, [&](const std::string& name, DWORD) { names.push_back(name); });
    std::sort(names.begin(), names.end());
    return names;
}

TempDirectory::TempDirectory() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    // Names taken by earlier runs are skipped; a temporary folder that takes none fails.
    constexpr unsigned kAttempts = 100;
    const unsigned first = GetTickCount();
    DWORD error = 0;
    for (unsigned n = first; n != first + kAttempts; ++n) {
        std::string candidate = std::string(base) + "fwtest" + std::to_string(GetCurrentProcessId()) + "_" +
                                std::to_string(n % 100000);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            m_path = candidate;
            return;
        }
        error = GetLastError();
    }
    throw std::runtime_error("no temporary directory could be made in " + std::string(base) + " (error " +
                             std::to_string(error) + ")");
}

TempDirectory::~TempDirectory() { DeleteTree(m_path); }

ChildProcess::ChildProcess(const std::string& exePath) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    std::string commandLine = "\"" + exePath + "\"";
    const std::string dir = exePath.substr(0, exePath.find_last_of('\\'));
    if (!CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(),
                        &startup, &m_info))
        m_info = {};
}

ChildProcess::~ChildProcess() {
    if (!m_info.hProcess) return;
    if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_info.hProcess, 99);
        WaitForSingleObject(m_info.hProcess, 10000);
    }
    CloseHandle(m_info.hThread);
    CloseHandle(m_info.hProcess);
}

bool ChildProcess::WaitForExit(DWORD timeoutMs) {
    return m_info.hProcess && WaitForSingleObject(m_info.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD ChildProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (m_info.hProcess) GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}

std::string DesktopDirectory() {
    char path[MAX_PATH] = {};
    LPITEMIDLIST pidl = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOPDIRECTORY, &pidl))) return {};
    SHGetPathFromIDListA(pidl, path);
    CoTaskMemFree(pidl);
    return path;
}

std::string WindowsDirectory() {
    char path[MAX_PATH] = {};
    GetWindowsDirectoryA(path, MAX_PATH);
    return path;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WriteTextFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

std::string ReadTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string ReadShellLink(const std::string& link) {
    fw::ComPtr<IShellLinkA> shell;
    fw::ComPtr<IPersistFile> file;
    WCHAR wide[MAX_PATH];
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, shell.ReceiveVoid())) ||
        FAILED(shell->QueryInterface(IID_IPersistFile, file.ReceiveVoid())) ||
        !MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH) || FAILED(file->Load(wide, STGM_READ)))
        return "";
    char target[MAX_PATH] = "", description[MAX_PATH] = "";
    shell->GetPath(target, MAX_PATH, nullptr, 0);
    shell->GetDescription(description, MAX_PATH);
    return std::string(target) + "|" + description;
}

}  // namespace testsupport
