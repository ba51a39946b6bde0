#pragma once
// The platform's version-installation service, behind a seam: where a file belongs
// (VerFindFileA) and installing it (VerInstallFileA: copying, expanding a compressed
// source, comparing version, language, code page and type with an existing copy).
// The copy engine talks to this interface only, so tests can script any answer.
#include <windows.h>

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
class CPlatformVersionService : public CVersionService {
public:
    DWORD FindFile(DWORD flags, const std::string& fileName, const std::string& windowsDir,
                   const std::string& appDir, std::string& curDir, std::string& destDir) override;
    DWORD InstallFile(DWORD flags, const std::string& srcFile, const std::string& destFile, const std::string& srcDir,
                      const std::string& destDir, const std::string& curDir, std::string& tmpFile) override;
};
