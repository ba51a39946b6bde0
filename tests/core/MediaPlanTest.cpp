#include "core/MediaPlan.h"

#include <gtest/gtest.h>

using core::DiskGeometry;
using core::DiskUsage;
using core::PlannedFile;

namespace {

DiskGeometry Small(std::uint64_t clusters, int rootEntries) {
    DiskGeometry geometry;
    geometry.clusters = clusters;
    geometry.rootEntries = rootEntries;
    return geometry;
}

}  // namespace

TEST(MediaPlan, NamesTakeOneEntryOrMoreForLongNames) {
    EXPECT_EQ(core::DirectoryEntriesForName("SETUP.EXE"), 1);
    EXPECT_EQ(core::DirectoryEntriesForName("DISK1"), 1);
    EXPECT_EQ(core::DirectoryEntriesForName("setup.exe"), 2);      // lower case needs a long name
    EXPECT_EQ(core::DirectoryEntriesForName("LONGNAME1.TXT"), 2);  // 13 characters: one long-name entry
    EXPECT_EQ(core::DirectoryEntriesForName("LONGERNAME.TXT"), 3);
    // "説明書.TXT": seven characters, one long-name entry and the short one.
    EXPECT_EQ(core::DirectoryEntriesForName("\x90\xE0\x96\xBE\x8F\x91.TXT"), 2);
}

TEST(MediaPlan, CountsWholeClustersAndRootEntries) {
    DiskUsage usage(Small(10, 224));
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(usage.Fits("F" + std::to_string(i), 1));
        usage.Add("F" + std::to_string(i), 1);
    }
    // Ten bytes in ten clusters: the disk is full though nearly every byte is free.
    EXPECT_FALSE(usage.Fits("MORE", 1));
    EXPECT_TRUE(usage.Fits("EMPTY", 0));  // an empty file takes an entry, no cluster
    EXPECT_EQ(usage.FreeBytes(), 0u);

    DiskUsage root(Small(100, 3));
    root.Add("A", 0);
    root.Add("B", 0);
    EXPECT_TRUE(root.Fits("C", 0));
    EXPECT_FALSE(root.Fits("lower.txt", 0));  // a long name takes two of the three entries
    // A folder takes one root entry and a cluster of its own; its files take no root entry.
    root.Add("DIR\\X", 600);
    EXPECT_EQ(root.RootEntries(), 3);
    EXPECT_EQ(root.UsedBytes(), 3u * 512);
    for (int i = 0; i < 13; ++i) root.Add("DIR\\F" + std::to_string(i), 0);
    EXPECT_EQ(root.UsedBytes(), 3u * 512);  // 16 entries of 32 bytes, "." and ".." among them, fill one cluster
    root.Add("DIR\\G", 0);
    EXPECT_EQ(root.UsedBytes(), 4u * 512);
}

TEST(MediaPlan, AGivenSizeUpToAFloppysHoldsNoMoreThanTheFloppysDataArea) {
    EXPECT_EQ(DiskGeometry::WithCapacity(1474560).clusters, DiskGeometry{}.clusters);
    EXPECT_EQ(DiskGeometry::WithCapacity(300000).clusters, 585u);
    EXPECT_EQ(DiskGeometry::WithCapacity(20000000).clusters, 39062u);  // an image made to its size
}

TEST(MediaPlan, PlacesFilesInOrderHonouringWrittenDisks) {
    const DiskGeometry geometry = Small(4, 224);
    const std::vector<PlannedFile> reserved = {{"SETUP.EXE", 1024, 1}};
    const std::vector<PlannedFile> files = {
        {"A", 1000, 0}, {"B", 1000, 0}, {"C", 10, 0}, {"D", 10, 2}, {"E", 1, 3}, {"F", 10, 0}};
    core::DiskPlan plan = core::PlanDisks(files, geometry, reserved);
    ASSERT_EQ(plan.error, "");
    // Disk 1 holds SETUP.EXE and A; B, C and D (written for disk 2) fill disk 2; E is
    // written for disk 3, and F follows it there.
    EXPECT_EQ(plan.disks, (std::vector<int>{1, 2, 2, 2, 3, 3}));
}

TEST(MediaPlan, ReportsAFileLargerThanADiskAndAWrittenDiskThatIsFull) {
    const DiskGeometry geometry = Small(4, 224);
    core::DiskPlan big = core::PlanDisks({{"SMALL", 1, 0}, {"BIG\\HUGE.DAT", 4 * 512, 0}}, geometry, {});
    EXPECT_EQ(big.failed, 1);
    EXPECT_NE(big.error.find("larger than a whole disk"), std::string::npos) << big.error;
    core::DiskPlan full = core::PlanDisks({{"A", 1536, 1}, {"B", 1024, 1}}, geometry, {});
    EXPECT_EQ(full.failed, 1);
    EXPECT_NE(full.error.find("does not fit on disk 1"), std::string::npos) << full.error;
}
