#include "core/PlatformFlags.h"

namespace core {

PlatformFlags ComputePlatformFlags(std::uint32_t platformId, std::uint32_t version) {
    PlatformFlags flags;
    flags.bWinNT = platformId == 2 ? 1 : 0;
    flags.bWin95 = platformId == 1 ? 1 : 0;
    const std::uint32_t major = version & 0xFF;
    const std::uint32_t minor = (version >> 8) & 0xFF;
    flags.dwWinVersion = major * 0x10000 + minor;
    return flags;
}

ProgramFolderRoute GetProgramFolderRoute(const PlatformFlags& flags) {
    if (flags.bWin95) return ProgramFolderRoute::ProgramsFolder;
    if (!flags.bWinNT) return ProgramFolderRoute::None;
    if (flags.dwWinVersion < 0x40000) return ProgramFolderRoute::ProgramManager;
    return ProgramFolderRoute::NtProgramsFolder;
}

}  // namespace core
