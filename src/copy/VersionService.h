#pragma once
// The platform's version-installation service, behind a seam: where a file belongs
// (VerFindFileA) and installing it (VerInstallFileA: copying, expanding a compressed
// source, comparing version, language, code page and type with an existing copy).
// The copy engine talks to this interface only, so tests can script any answer.
#include <windows.h>

#include <set>
#include <string>

class CVersionService {
public:
    virtual ~CVersionService() = default;

    // Locates fileName: fills curDir (directory of an existing copy, "" if none) and
    // destDir (where to install). flags: VFFF_ISSHAREDFILE or 0. Returns VFF_ bits.
    virtual DWORD FindFile(DWORD flags, const std::string& fileName, const std::string& windowsDir,
                           const std::string& appDir, std::string& curDir, std::string& destDir) = 0;
    // Installs srcDir\srcFile as destDir\destFile. tmpFile carries the temporary file
    // the previous call left (in) and the one this call leaves (out), as the service
    // names it. flags: VIFF_FORCEINSTALL or 0. Returns VIF_ bits.
    virtual DWORD InstallFile(DWORD flags, const std::string& srcFile, const std::string& destFile,
                              const std::string& srcDir, const std::string& destDir, const std::string& curDir,
                              std::string& tmpFile) = 0;
};

// The platform's own service.
//
// Locating a file that exists nowhere has only one answer: it goes into the system
// directory when shared, else into the application's directory, with no current copy.
// The platform finds that out by probing each place where a copy could be, which costs
// far more than the copy of a small file where a directory is large and names are
// matched without regard to case (the system directory under Wine). So the service
// lists the system and Windows directories once and asks the platform only about files
// that have a copy in one of them or in the application's directory.
class CPlatformVersionService : public CVersionService {
public:
    DWORD FindFile(DWORD flags, const std::string& fileName, const std::string& windowsDir,
                   const std::string& appDir, std::string& curDir, std::string& destDir) override;
    DWORD InstallFile(DWORD flags, const std::string& srcFile, const std::string& destFile, const std::string& srcDir,
                      const std::string& destDir, const std::string& curDir, std::string& tmpFile) override;

private:
    // Whether a copy of the file may exist where the platform looks for one.
    bool MayHaveCopy(const std::string& fileName, const std::string& windowsDir, const std::string& appDir);

    bool m_bListed = false;
    std::string m_strSystemDir;
    std::set<std::string> m_systemNames;   // upper case, long and short names
    std::string m_strWindowsDir;
    std::set<std::string> m_windowsNames;
};
