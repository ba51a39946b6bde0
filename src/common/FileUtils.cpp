#include "common/FileUtils.h"

#include "core/DirectoryTree.h"
#include "core/ShiftJis.h"
#include "framework/SystemPaths.h"

#include <objbase.h>
#include <shlobj.h>

bool FileExists(const std::string& path) {
    // Attributes rather than an existence-only OpenFile, which refuses paths of
    // 128 characters or more and would report such a file as missing.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool DirectoryExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

BOOL CreateDirectoryTree(const std::string& path, LPSECURITY_ATTRIBUTES security) {
    for (const std::string& directory : core::DirectoryTreePrefixes(path)) {
        if (DirectoryExists(directory)) continue;
        if (!CreateDirectoryA(directory.c_str(), security)) return FALSE;
    }
    return TRUE;
}

BOOL DeleteDirectoryTree(const std::string& directoryWithBackslash) {
    std::string directory = directoryWithBackslash;
    if (!core::EndsWithBackslash(directory)) directory += '\\';

    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((directory + "*.*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (found.cFileName[0] == '.') continue;
            const std::string entry = directory + found.cFileName;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteDirectoryTree(entry + '\\');
            else
                DeleteFileA(entry.c_str());  // a file that stays makes the last removal fail
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    directory.pop_back();
    return RemoveDirectoryA(directory.c_str());
}

std::string GetLoginUserName() {
    char buffer[260] = "";
    DWORD size = sizeof buffer;
    return GetUserNameA(buffer, &size) ? std::string(buffer) : std::string();
}

std::string GetUserProfileDir() { return fw::WindowsDirectory() + "\\Profiles\\" + GetLoginUserName(); }

BOOL CreateShellLink(const std::string& linkPath, const std::string& description, const std::string& target) {
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return FALSE;
    link->SetPath(target.c_str());
    link->SetDescription(description.c_str());

    BOOL result = FALSE;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        WCHAR widePath[MAX_PATH] = L"";
        if (MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, MAX_PATH) == 0)
            widePath[0] = L'\0';  // too long: no partial path, the save then fails
        file->Save(widePath, TRUE);  // callers learn of a failed save from the missing file
        file->Release();
        result = TRUE;
    }
    link->Release();
    return result;
}
