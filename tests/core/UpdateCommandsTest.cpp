#include "core/UpdateCommands.h"

#include <gtest/gtest.h>

TEST(UpdateCommands, ProgramPathsWithBlanksAreQuotedOnce) {
    EXPECT_EQ(core::ProgramCommandLine("C:\\Program Files\\Tool\\run.exe", "/a b"),
              "\"C:\\Program Files\\Tool\\run.exe\" /a b");
    EXPECT_EQ(core::ProgramCommandLine("C:\\Tab\tDir\\run.exe", ""), "\"C:\\Tab\tDir\\run.exe\" ");
    // Already quoted, or nothing to quote: as written.
    EXPECT_EQ(core::ProgramCommandLine("\"C:\\My Tool\\run.exe\"", "x"), "\"C:\\My Tool\\run.exe\" x");
    EXPECT_EQ(core::ProgramCommandLine("C:\\TOOL\\RUN.EXE", "x"), "C:\\TOOL\\RUN.EXE x");
    EXPECT_EQ(core::ProgramCommandLine("", ""), " ");
    EXPECT_EQ(core::RegisterServerCommandLine("C:\\Program Files\\S\\S.EXE"), "\"C:\\Program Files\\S\\S.EXE\" /REGSERVER");
    EXPECT_EQ(core::RegisterServerCommandLine("C:\\S\\S.EXE"), "C:\\S\\S.EXE /REGSERVER");
}

TEST(UpdateCommands, ProgramDirectoryEndsBeforeTheLastRealBackslash) {
    EXPECT_EQ(core::ProgramDirectory("C:\\Program Files\\S\\S.EXE"), "C:\\Program Files\\S");
    EXPECT_EQ(core::ProgramDirectory("\"C:\\My Tool\\S.EXE\""), "C:\\My Tool");
    EXPECT_EQ(core::ProgramDirectory("S.EXE"), "");
    // "ソ" is 0x83 0x5C: its second byte is no separator.
    EXPECT_EQ(core::ProgramDirectory("C:\\\x83\x5C\\S.EXE"), "C:\\\x83\x5C");
    EXPECT_EQ(core::ProgramDirectory("\x83\x5C.EXE"), "");
}

TEST(UpdateCommands, IniNamesWithoutDriveOrAmpersandAreInTheWindowsDirectory) {
    EXPECT_TRUE(core::IsIniPathAsGiven("C:\\X.INI"));
    EXPECT_TRUE(core::IsIniPathAsGiven("a&b.ini"));
    for (const char* name : {"WIN.INI", "SUB\\X.INI", "\\\\server\\share\\x.ini", "C", ""})
        EXPECT_FALSE(core::IsIniPathAsGiven(name)) << name;
}

TEST(UpdateCommands, IconPathsKeepPercentSigns) {
    EXPECT_EQ(core::ProgramIconPath("C:\\P", "Tools", "100%s %d"), "C:\\P\\Tools\\100%s %d.lnk");
    EXPECT_EQ(core::ProgramFolderPath("", "Tools"), "\\Tools");
}
