#pragma once
// The installer's platform flags, derived from what the system reports.
#include <cstdint>

namespace core {

struct PlatformFlags {
    int bWinNT = 0;              // platform id 2 (Windows NT)
    int bWin95 = 0;              // platform id 1 (Windows 95 family)
    std::uint32_t dwWinVersion = 0;  // major * 0x10000 + minor
};

// platformId: dwPlatformId of GetVersionExA. version: the value of GetVersion, whose
// low byte is the major and next byte the minor version.
PlatformFlags ComputePlatformFlags(std::uint32_t platformId, std::uint32_t version);

// Windows NT below 4.0: program folders are made through the program manager.
inline bool IsOldWindowsNT(const PlatformFlags& flags) { return flags.bWinNT && flags.dwWinVersion < 0x40000; }

// Where the system keeps program folders (program groups).
enum class ProgramFolderRoute {
    None,            // no known place
    ProgramsFolder,    // the shell's Programs folder: Windows 95 family
    NtProgramsFolder,  // the same, with the folders of all users beside the user's own:
                       // Windows NT 4.0 and later
    ProgramManager,    // the program manager's groups: Windows NT below 4.0
};
ProgramFolderRoute GetProgramFolderRoute(const PlatformFlags& flags);

}  // namespace core
