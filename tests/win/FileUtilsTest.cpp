#include "common/FileUtils.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "TestSupport.h"

namespace {

// A fresh directory under the temporary directory, removed afterwards.
class FileUtils : public testing::Test {
protected:
    std::string Path(const std::string& name) const { return m_dir + "\\" + name; }
    static void WriteFile(const std::string& path, const std::string& content = "x") {
        std::ofstream(path, std::ios::binary) << content;
    }

    testsupport::TempDirectory m_temp;
    const std::string m_dir = m_temp.Path();
};

}  // namespace

TEST_F(FileUtils, FilesAndDirectoriesAreToldApart) {
    WriteFile(Path("file.txt"));
    EXPECT_TRUE(FileExists(Path("file.txt")));
    EXPECT_FALSE(DirectoryExists(Path("file.txt")));
    EXPECT_TRUE(DirectoryExists(m_dir));
    EXPECT_FALSE(FileExists(m_dir));
    EXPECT_FALSE(FileExists(Path("missing.txt")));
    EXPECT_FALSE(DirectoryExists(Path("missing")));
}

TEST_F(FileUtils, FileExistsOnALongPath) {
    const std::string deep = Path(std::string(60, 'a') + "\\" + std::string(60, 'b'));
    ASSERT_TRUE(CreateDirectoryTree(deep));
    const std::string file = deep + "\\" + std::string(20, 'c') + ".txt";
    ASSERT_GE(file.size(), 150u);
    WriteFile(file);
    EXPECT_TRUE(FileExists(file));
}

TEST_F(FileUtils, CreateDirectoryTreeMakesEveryMissingLevel) {
    // Only the first level below the (test's) root exists.
    ASSERT_TRUE(CreateDirectoryA(Path("one").c_str(), nullptr));
    EXPECT_TRUE(CreateDirectoryTree(Path("one\\two\\three")));
    EXPECT_TRUE(DirectoryExists(Path("one\\two\\three")));
    EXPECT_TRUE(CreateDirectoryTree(Path("one\\two\\three")));  // all there already

    // "ソフト" holds the byte 0x5C, which is no directory break (see the core tests).
    EXPECT_TRUE(CreateDirectoryTree(Path("ソフト\\bin")));
    EXPECT_TRUE(DirectoryExists(Path("ソフト\\bin")));

    // A file in the way stops at the first failure.
    WriteFile(Path("blocker"));
    EXPECT_FALSE(CreateDirectoryTree(Path("blocker\\sub\\deeper")));
    EXPECT_FALSE(DirectoryExists(Path("blocker\\sub")));
}

TEST_F(FileUtils, DeleteDirectoryTreeRemovesAllContents) {
    const std::string root = Path("tree");
    ASSERT_TRUE(CreateDirectoryTree(root + "\\sub\\subsub"));
    WriteFile(root + "\\a.txt");
    WriteFile(root + "\\sub\\b.txt");
    WriteFile(root + "\\sub\\subsub\\c.txt");
    EXPECT_TRUE(DeleteDirectoryTree(root + "\\"));
    EXPECT_FALSE(DirectoryExists(root));
    EXPECT_FALSE(DeleteDirectoryTree(root + "\\"));  // nothing left to remove
}

TEST_F(FileUtils, CreateShellLinkWritesALinkToTheTarget) {
    const std::string target = Path("program.exe");
    WriteFile(target);
    const std::string link = Path("プログラム.lnk");
    EXPECT_TRUE(CreateShellLink(link, "説明", target));
    ASSERT_TRUE(FileExists(link));

    EXPECT_EQ(testsupport::ReadShellLink(link), target + "|説明");
}
