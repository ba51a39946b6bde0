#include "core/DiskSpace.h"

#include <gtest/gtest.h>

namespace {

core::DiskSpaceFields Disk(char drive, std::uint32_t bytesPerCluster, std::uint32_t freeClusters,
                           std::uint64_t needClusters) {
    core::DiskSpaceFields disk;
    disk.m_chDrive = drive;
    disk.m_nBytesPerCluster = bytesPerCluster;
    disk.m_nFreeClusters = freeClusters;
    disk.m_nNeedClusters = needClusters;
    return disk;
}

}  // namespace

TEST(DiskSpace, EachFileTakesWholeClusters) {
    EXPECT_EQ(core::ClustersForFile(0, 4096), 0u);
    EXPECT_EQ(core::ClustersForFile(1, 4096), 1u);
    EXPECT_EQ(core::ClustersForFile(4096, 4096), 1u);
    EXPECT_EQ(core::ClustersForFile(4097, 4096), 2u);
    // Rounding is per file: two files of 100 bytes need two clusters.
    EXPECT_EQ(core::ClustersForFile(100, 4096) + core::ClustersForFile(100, 4096), 2u);
    // Near 4 GB the rounding does not wrap.
    EXPECT_EQ(core::ClustersForFile(0xFFFFFFFFu, 4096), 0x100000u);
    EXPECT_EQ(core::ClustersForFile(0xFFFFFFFFu, 0x80000000u), 2u);
    EXPECT_EQ(core::ClustersForFile(7, 0), 7u);
}

TEST(DiskSpace, ShortOnlyWhenMoreIsNeededThanFree) {
    EXPECT_FALSE(core::IsShortOfSpace(Disk('C', 4096, 10, 10)));
    EXPECT_TRUE(core::IsShortOfSpace(Disk('C', 4096, 10, 11)));
    EXPECT_FALSE(core::IsShortOfSpace(Disk('C', 4096, 0, 0)));
    // A need beyond 32 bits is still more than any free count.
    EXPECT_TRUE(core::IsShortOfSpace(Disk('C', 512, 0xFFFFFFFFu, 0x100000000ull)));
}

TEST(DiskSpace, KilobytesAndRowTextShowTrueValuesBeyondFourGigabytes) {
    const core::DiskSpaceFields small = Disk('D', 4096, 3, 5);
    EXPECT_EQ(core::FreeKilobytes(small), 12u);
    EXPECT_EQ(core::NeedKilobytes(small), 20u);
    EXPECT_EQ(core::ShortageRowText(small), "D:\\\t12KB\t20KB");
    // Sub-kilobyte clusters round down.
    EXPECT_EQ(core::FreeKilobytes(Disk('A', 512, 3, 0)), 1u);

    // 2^21 clusters of 4096 bytes free = 8 GB; 3 * 2^20 + 1 clusters needed = 12 GB + 4 KB.
    const core::DiskSpaceFields large = Disk('E', 4096, 0x200000u, 0x300001u);
    EXPECT_EQ(core::FreeKilobytes(large), 8388608u);
    EXPECT_EQ(core::NeedKilobytes(large), 12582916u);
    EXPECT_EQ(core::ShortageRowText(large), "E:\\\t8388608KB\t12582916KB");
    // Beyond 2^31 KB the numbers stay positive.
    EXPECT_EQ(core::ShortageRowText(Disk('F', 0x10000u, 0xFFFFFFFFu, 0)), "F:\\\t274877906880KB\t0KB");
}

TEST(DiskSpace, DriveLetterInEitherCaseOnlyBeforeAColon) {
    EXPECT_EQ(core::DriveLetterOfPath("C:\\Program Files\\x"), 'C');
    EXPECT_EQ(core::DriveLetterOfPath("d:\\tools"), 'D');
    EXPECT_EQ(core::DriveLetterOfPath("z:"), 'Z');
    EXPECT_EQ(core::DriveLetterOfPath("\\\\server\\share"), 0);
    EXPECT_EQ(core::DriveLetterOfPath("Program\\x"), 0);
    EXPECT_EQ(core::DriveLetterOfPath("1:\\"), 0);
    EXPECT_EQ(core::DriveLetterOfPath("C"), 0);
    EXPECT_EQ(core::DriveLetterOfPath(""), 0);
    EXPECT_EQ(core::UpperDriveLetter('e'), 'E');
    EXPECT_EQ(core::UpperDriveLetter('E'), 'E');
    EXPECT_EQ(core::UpperDriveLetter('['), 0);
}

TEST(DiskSpace, OnlyFixedNetworkAndRamDrivesWithAnAnswerAreRecorded) {
    for (unsigned type : {3u, 4u, 6u}) EXPECT_TRUE(core::IsMeasuredDriveType(type)) << type;
    for (unsigned type : {0u, 1u, 2u, 5u, 7u}) EXPECT_FALSE(core::IsMeasuredDriveType(type)) << type;

    const auto disk = core::DiskFromQuery('C', true, 8, 512, 1000);
    ASSERT_TRUE(disk);
    EXPECT_EQ(disk->m_chDrive, 'C');
    EXPECT_EQ(disk->m_nBytesPerCluster, 4096u);
    EXPECT_EQ(disk->m_nFreeClusters, 1000u);
    EXPECT_EQ(disk->m_nNeedClusters, 0u);
    // A failed query, or one that gives no usable cluster size, leaves the drive out.
    EXPECT_FALSE(core::DiskFromQuery('C', false, 8, 512, 1000));
    EXPECT_FALSE(core::DiskFromQuery('C', true, 0, 512, 1000));
    EXPECT_FALSE(core::DiskFromQuery('C', true, 0x10000u, 0x10000u, 1000));
}

TEST(DiskSpace, LocationIsTheMacroDirectoryOrTheInstallationDirectory) {
    EXPECT_EQ(core::DiskCheckLocation("$SysDir$", "A.DLL"), "$SysDir$A.DLL");
    EXPECT_EQ(core::DiskCheckLocation("", "A.EXE"), "$INSTDIR$A.EXE");
    // Anything else is a sub-directory of the installation directory, on its drive.
    EXPECT_EQ(core::DiskCheckLocation("Bin", "A.EXE"), "$INSTDIR$A.EXE");
}
