#include "core/DiskSpace.h"

#include <gtest/gtest.h>

using core::DiskSpaceFields;

TEST(DiskSpace, EachFileTakesWholeClustersWithoutWrappingNearFourGigabytes) {
    EXPECT_EQ(core::ClustersForFile(0, 4096), 0u);
    EXPECT_EQ(core::ClustersForFile(1, 4096), 1u);
    EXPECT_EQ(core::ClustersForFile(4097, 4096), 2u);
    EXPECT_EQ(core::ClustersForFile(100, 4096) + core::ClustersForFile(100, 4096), 2u);
    EXPECT_EQ(core::ClustersForFile(0xFFFFFFFFu, 4096), 0x100000u);
    EXPECT_EQ(core::ClustersForFile(7, 0), 7u);
}

TEST(DiskSpace, ShortageAndRowTextWithTrueValuesBeyondFourGigabytes) {
    EXPECT_FALSE(core::IsShortOfSpace(DiskSpaceFields{'C', 4096, 10, 10}));
    EXPECT_TRUE(core::IsShortOfSpace(DiskSpaceFields{'C', 4096, 10, 11}));
    EXPECT_TRUE(core::IsShortOfSpace(DiskSpaceFields{'C', 512, 0xFFFFFFFFu, 0x100000000ull}));

    EXPECT_EQ(core::ShortageRowText(DiskSpaceFields{'D', 4096, 3, 5}), "D:\\\t12KB\t20KB");
    EXPECT_EQ(core::FreeKilobytes(DiskSpaceFields{'A', 512, 3, 0}), 1u);
    // 8 GB free, 12 GB + 4 KB needed; beyond 2^31 KB the numbers stay positive.
    EXPECT_EQ(core::ShortageRowText(DiskSpaceFields{'E', 4096, 0x200000u, 0x300001u}), "E:\\\t8388608KB\t12582916KB");
    EXPECT_EQ(core::ShortageRowText(DiskSpaceFields{'F', 0x10000u, 0xFFFFFFFFu, 0}), "F:\\\t274877906880KB\t0KB");
}

TEST(DiskSpace, OnlyFixedNetworkAndRamDrivesThatAnswerAreRecorded) {
    for (unsigned type : {3u, 4u, 6u}) EXPECT_TRUE(core::IsMeasuredDriveType(type)) << type;
    for (unsigned type : {0u, 1u, 2u, 5u}) EXPECT_FALSE(core::IsMeasuredDriveType(type)) << type;

    const auto disk = core::DiskFromQuery('C', true, 8, 512, 1000);
    ASSERT_TRUE(disk);
    EXPECT_EQ(disk->m_nBytesPerCluster, 4096u);
    EXPECT_EQ(disk->m_nFreeClusters, 1000u);
    EXPECT_FALSE(core::DiskFromQuery('C', false, 8, 512, 1000));
    EXPECT_FALSE(core::DiskFromQuery('C', true, 0, 512, 1000));
    EXPECT_FALSE(core::DiskFromQuery('C', true, 0x10000u, 0x10000u, 1000));
}

TEST(DiskSpace, LocationAndItsDriveLetterInEitherCase) {
    EXPECT_EQ(core::DiskCheckLocation("$SysDir$", "A.DLL"), "$SysDir$A.DLL");
    EXPECT_EQ(core::DiskCheckLocation("Bin", "A.EXE"), "$INSTDIR$A.EXE");
    EXPECT_EQ(core::DriveLetterOfPath("d:\\tools"), 'D');
    EXPECT_EQ(core::DriveLetterOfPath("C:"), 'C');
    EXPECT_EQ(core::DriveLetterOfPath("\\\\server\\share"), 0);
    EXPECT_EQ(core::DriveLetterOfPath("Program\\x"), 0);
    EXPECT_EQ(core::DriveLetterOfPath("1:\\"), 0);
    EXPECT_EQ(core::UpperDriveLetter('e'), 'E');
}
