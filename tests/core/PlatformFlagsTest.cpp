#include "core/PlatformFlags.h"

#include <gtest/gtest.h>

// GetVersion packs major in the low byte, minor in the next one; the high word is a build
// number (NT) or flags (95), which must not leak into the version.
TEST(PlatformFlags, ReadsPlatformIdAndVersionBytes) {
    const core::PlatformFlags win95 = core::ComputePlatformFlags(1, 0xC3B60004u);
    EXPECT_EQ(win95.bWin95, 1);
    EXPECT_EQ(win95.bWinNT, 0);
    EXPECT_EQ(win95.dwWinVersion, 0x40000u);
    EXPECT_FALSE(core::IsOldWindowsNT(win95));

    const core::PlatformFlags nt351 = core::ComputePlatformFlags(2, 0x04213303u);
    EXPECT_EQ(nt351.bWinNT, 1);
    EXPECT_EQ(nt351.bWin95, 0);
    EXPECT_EQ(nt351.dwWinVersion, 0x30033u);
    EXPECT_TRUE(core::IsOldWindowsNT(nt351));

    const core::PlatformFlags nt40 = core::ComputePlatformFlags(2, 0x05650004u);
    EXPECT_EQ(nt40.dwWinVersion, 0x40000u);
    EXPECT_FALSE(core::IsOldWindowsNT(nt40));

    // Win32s (platform id 0) sets neither flag.
    const core::PlatformFlags win32s = core::ComputePlatformFlags(0, 0x0A03u);
    EXPECT_EQ(win32s.bWinNT + win32s.bWin95, 0);
    EXPECT_EQ(win32s.dwWinVersion, 0x3000Au);
}

TEST(PlatformFlags, ProgramFolderRouteByPlatformAndVersion) {
    using core::ProgramFolderRoute;
    auto route = [](std::uint32_t id, std::uint32_t version) {
        return core::GetProgramFolderRoute(core::ComputePlatformFlags(id, version));
    };
    EXPECT_EQ(route(1, 0x0004u), ProgramFolderRoute::ProgramsFolder);
    EXPECT_EQ(route(2, 0x3303u), ProgramFolderRoute::ProgramManager);
    EXPECT_EQ(route(2, 0x0004u), ProgramFolderRoute::NtProgramsFolder);
    EXPECT_EQ(route(2, 0x3304u), ProgramFolderRoute::NtProgramsFolder);
    EXPECT_EQ(route(2, 0x0005u), ProgramFolderRoute::NtProgramsFolder);
    EXPECT_EQ(route(2, 0x000Au), ProgramFolderRoute::NtProgramsFolder);
    EXPECT_EQ(route(0, 0x0A03u), ProgramFolderRoute::None);
    // The flags as start-up stores them: Windows NT, Windows 95, major * 0x10000 + minor.
    EXPECT_EQ(core::GetProgramFolderRoute({0, 1, 0x40000}), ProgramFolderRoute::ProgramsFolder);
    EXPECT_EQ(core::GetProgramFolderRoute({1, 0, 0x40000}), ProgramFolderRoute::NtProgramsFolder);
    EXPECT_EQ(core::GetProgramFolderRoute({1, 0, 0x30033}), ProgramFolderRoute::ProgramManager);
    EXPECT_EQ(core::GetProgramFolderRoute({0, 0, 0x40000}), ProgramFolderRoute::None);
}
