#include "core/DirectoryChooser.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

const std::string kSo = "\x83\x5C";  // "ソ": its second byte looks like a backslash

}  // namespace

TEST(DirectoryChooser, StartsInTheDeepestExistingLevel) {
    const std::set<std::string> existing = {"C:\\A", "C:\\" + kSo};
    std::vector<std::string> asked;
    auto isDirectory = [&](const std::string& path) {
        asked.push_back(path);
        return existing.count(path) != 0;
    };
    EXPECT_EQ(core::FindExistingDirectory("C:\\A\\B\\C", isDirectory), "C:\\A");
    EXPECT_EQ(asked, (std::vector<std::string>{"C:\\A\\B\\C", "C:\\A\\B", "C:\\A"}));
    // The trail byte of "ソ" is not cut at.
    EXPECT_EQ(core::FindExistingDirectory("C:\\" + kSo + "\\X" + kSo, isDirectory), "C:\\" + kSo);
    // Nothing exists: what is left when no backslash remains.
    EXPECT_EQ(core::FindExistingDirectory("Q:\\x\\y", isDirectory), "Q:");
    EXPECT_EQ(core::FindExistingDirectory("name", isDirectory), "name");
    EXPECT_EQ(core::FindExistingDirectory("", isDirectory), "");
}

TEST(DirectoryChooser, NormalizesAndJoins) {
    EXPECT_EQ(core::NormalizeDirectory("C:"), "C:\\");
    EXPECT_EQ(core::NormalizeDirectory("C:\\"), "C:\\");
    EXPECT_EQ(core::NormalizeDirectory("C:\\a\\\\"), "C:\\a");
    EXPECT_EQ(core::NormalizeDirectory("C:\\" + kSo), "C:\\" + kSo);
    EXPECT_EQ(core::NormalizeDirectory("\\"), "\\");
    EXPECT_EQ(core::JoinPath("C:\\", "a"), "C:\\a");
    EXPECT_EQ(core::JoinPath("C:\\a", "b"), "C:\\a\\b");
    EXPECT_EQ(core::JoinPath("C:\\" + kSo, "b"), "C:\\" + kSo + "\\b");
}

TEST(DirectoryChooser, ListsTheLevelsFromTheRootDown) {
    using Levels = std::vector<core::DirectoryLevel>;
    EXPECT_EQ(core::SplitDirectoryLevels("c:\\Program Files\\" + kSo + "\\"),
              (Levels{{"c:\\", "c:\\"},
                      {"c:\\Program Files", "Program Files"},
                      {"c:\\Program Files\\" + kSo, kSo}}));
    EXPECT_EQ(core::SplitDirectoryLevels("D:"), (Levels{{"D:\\", "D:\\"}}));
    EXPECT_EQ(core::SplitDirectoryLevels("C:\\a\\\\b"), (Levels{{"C:\\", "C:\\"}, {"C:\\a", "a"}, {"C:\\a\\b", "b"}}));
    EXPECT_EQ(core::SplitDirectoryLevels("\\\\srv\\share\\dir"),
              (Levels{{"\\\\srv\\share", "\\\\srv\\share"}, {"\\\\srv\\share\\dir", "dir"}}));
    EXPECT_EQ(core::SplitDirectoryLevels("rel\\sub"), (Levels{{"rel", "rel"}, {"rel\\sub", "sub"}}));
    EXPECT_TRUE(core::SplitDirectoryLevels("").empty());
}
