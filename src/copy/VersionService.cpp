#include "copy/VersionService.h"

#include <algorithm>

#include "common/FileUtils.h"
#include "core/CopyDecision.h"
#include "core/ShiftJis.h"
#include "framework/Handles.h"
#include "framework/SystemFunction.h"
#include "framework/SystemPaths.h"

namespace {

constexpr UINT kPathBuffer = 260;
// OpenFile, on which the service's copying rests, refuses paths of 128 characters or more.
constexpr size_t kOpenFileLimit = 128;
// In the destination directory the service also opens its temporary file ("ver1a2b.tmp"
// and the like): a name at least this long.
constexpr size_t kTemporaryNameLength = 12;

// The short form of a directory when its long form would make dir\name too long for
// the service, name being the longest name it opens there; the directory itself
// otherwise (or when it has no short form). Looked up at run time: whether Windows NT
// 3.51 has GetShortPathNameA is not certain.
std::string ServiceDirectory(const std::string& directory, size_t nameLength) {
    if (directory.size() + 1 + nameLength < kOpenFileLimit) return directory;
    const auto getShortPathName =
        fw::SystemFunction<decltype(&::GetShortPathNameA)>("kernel32.dll", "GetShortPathNameA");
    if (!getShortPathName) return directory;
    char shortPath[kPathBuffer] = "";
    const DWORD length = getShortPathName(directory.c_str(), shortPath, kPathBuffer);
    if (length == 0 || length >= kPathBuffer || length >= directory.size()) return directory;
    return std::string(shortPath, length);
}

// Deletes the service's temporary files ("ver*.tmp") in the directory written since the
// moment given: a copy that failed half-way (a full disk) leaves one without naming it.
void DeleteTemporaryFilesSince(const std::string& directory, const FILETIME& since) {
    WIN32_FIND_DATAA found = {};
    fw::FindHandle search(FindFirstFileA((directory + "\\ver*.tmp").c_str(), &found));
    if (!search) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && CompareFileTime(&found.ftLastWriteTime, &since) >= 0)
            DeleteFileA((directory + "\\" + found.cFileName).c_str());
    } while (FindNextFileA(search.Get(), &found));
}

// The names (upper case, long and short forms) of the files in a directory.
std::set<std::string> ListFileNames(const std::string& directory) {
    std::set<std::string> names;
    WIN32_FIND_DATAA found = {};
    fw::FindHandle search(FindFirstFileA((directory + "\\*.*").c_str(), &found));
    if (!search) return names;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        names.insert(core::ToUpperShiftJis(found.cFileName));
        if (found.cAlternateFileName[0]) names.insert(core::ToUpperShiftJis(found.cAlternateFileName));
    } while (FindNextFileA(search.Get(), &found));
    return names;
}

// The platform's headers declare the input strings without const; they are only read.
char* In(const std::string& text) { return const_cast<char*>(text.c_str()); }

}  // namespace

bool CPlatformVersionService::MayHaveCopy(const std::string& fileName, const std::string& windowsDir,
                                          const std::string& appDir) {
    if (!m_bListed || lstrcmpiA(windowsDir.c_str(), m_strWindowsDir.c_str()) != 0) {
        m_strSystemDir = fw::SystemDirectory();
        m_strWindowsDir = windowsDir;
        m_systemNames = ListFileNames(m_strSystemDir);
        m_windowsNames = ListFileNames(m_strWindowsDir);
        m_bListed = !m_strSystemDir.empty();
        if (!m_bListed) return true;
    }
    const std::string name = core::ToUpperShiftJis(fileName);
    return m_systemNames.count(name) || m_windowsNames.count(name) || FileExists(appDir + "\\" + fileName);
}

DWORD CPlatformVersionService::FindFile(DWORD flags, const std::string& fileName, const std::string& windowsDir,
                                        const std::string& appDir, std::string& curDir, std::string& destDir) {
    if (!MayHaveCopy(fileName, windowsDir, appDir)) {
        curDir.clear();
        destDir = (flags & VFFF_ISSHAREDFILE) ? m_strSystemDir : appDir;
        return 0;
    }
    char current[kPathBuffer] = "";
    char destination[kPathBuffer] = "";
    UINT currentLength = kPathBuffer;
    UINT destinationLength = kPathBuffer;
    const DWORD result = VerFindFileA(flags, In(fileName), In(windowsDir), In(appDir), current,
                                      &currentLength, destination, &destinationLength);
    current[kPathBuffer - 1] = destination[kPathBuffer - 1] = '\0';
    curDir = current;
    destDir = destination;
    return result;
}

DWORD CPlatformVersionService::InstallFile(DWORD flags, const std::string& srcFile, const std::string& destFile,
                                           const std::string& srcDir, const std::string& destDir,
                                           const std::string& curDir, std::string& tmpFile) {
    const std::string source = ServiceDirectory(srcDir, srcFile.size());
    const std::string destination = ServiceDirectory(destDir, std::max(destFile.size(), kTemporaryNameLength));
    // The service builds its paths in buffers of this size: never hand it longer ones.
    if (source.size() + 1 + srcFile.size() >= kPathBuffer) return core::kVifCannotReadSrc;
    if (destination.size() + 1 + destFile.size() + 13 >= kPathBuffer) return core::kVifCannotCreate;

    char temporary[kPathBuffer] = "";
    tmpFile.copy(temporary, kPathBuffer - 1);
    UINT temporaryLength = kPathBuffer;
    FILETIME start = {};
    GetSystemTimeAsFileTime(&start);
    // File times may be coarser than the clock (2 s on FAT): count from a little earlier.
    ULARGE_INTEGER earlier = {{start.dwLowDateTime, start.dwHighDateTime}};
    earlier.QuadPart -= earlier.QuadPart > 20000000 ? 20000000 : 0;
    start = {earlier.LowPart, earlier.HighPart};
    // The existing copy in the destination directory must be named as that directory is,
    // or the service takes it for a second copy elsewhere.
    const std::string current = lstrcmpiA(curDir.c_str(), destDir.c_str()) == 0 ? destination : curDir;
    const DWORD result = VerInstallFileA(flags, In(srcFile), In(destFile), In(source), In(destination),
                                         In(current), temporary, &temporaryLength);
    temporary[kPathBuffer - 1] = '\0';
    tmpFile = temporary;

    if (result != 0 && !(result & core::kVifTempFile)) DeleteTemporaryFilesSince(destination, start);
    // A file now in the system or Windows directory has a copy there from now on.
    const std::string name = core::ToUpperShiftJis(destFile);
    if (lstrcmpiA(destDir.c_str(), m_strSystemDir.c_str()) == 0) m_systemNames.insert(name);
    if (lstrcmpiA(destDir.c_str(), m_strWindowsDir.c_str()) == 0) m_windowsNames.insert(name);
    return result;
}
