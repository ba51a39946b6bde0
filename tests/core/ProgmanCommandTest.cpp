#include "core/ProgmanCommand.h"

#include <gtest/gtest.h>

TEST(ProgmanCommand, PlainArgumentsStayBare) {
    EXPECT_EQ(core::ProgmanCommand("AddItem", {"C:\\Program Files\\Tool\\TOOL.EXE", "ツール"}),
              "[AddItem(C:\\Program Files\\Tool\\TOOL.EXE,ツール)]");
    EXPECT_EQ(core::ProgmanCommand("ExitProgman", {"1"}), "[ExitProgman(1)]");
    EXPECT_EQ(core::ProgmanCommand("ShowGroup", {"Tools", "1"}), "[ShowGroup(Tools,1)]");
}

TEST(ProgmanCommand, ArgumentsTheProgramManagerWouldSplitAreQuoted) {
    EXPECT_EQ(core::ProgmanCommand("AddItem", {"C:\\A,B\\X.EXE", "Tool (x86)"}),
              "[AddItem(\"C:\\A,B\\X.EXE\",\"Tool (x86)\")]");
    EXPECT_EQ(core::ProgmanArgument("[Beta]"), "\"[Beta]\"");
    EXPECT_EQ(core::ProgmanArgument("a)"), "\"a)\"");
    // Blanks at either end would be dropped from a bare argument.
    EXPECT_EQ(core::ProgmanArgument(" Tools"), "\" Tools\"");
    EXPECT_EQ(core::ProgmanArgument("Tools "), "\"Tools \"");
    EXPECT_EQ(core::ProgmanArgument("My Tools"), "My Tools");
    EXPECT_EQ(core::ProgmanArgument(""), "");
    // "ー" (81 5B) and "ゼ" (83 5B) end in the byte of "["; a real "[" after them counts.
    EXPECT_EQ(core::ProgmanArgument("データー"), "データー");
    EXPECT_EQ(core::ProgmanArgument("ゼロ"), "ゼロ");
    EXPECT_EQ(core::ProgmanArgument("ゼ["), "\"ゼ[\"");
}

TEST(ProgmanCommand, SingleArgumentReadsWhatCommandLineWithArgumentWrites) {
    const std::string line = core::CommandLineWithArgument("C:\\Setup Files\\__SETUP.EXE", "サンプル ツール (1)");
    EXPECT_EQ(line, "\"C:\\Setup Files\\__SETUP.EXE\" \"サンプル ツール (1)\"");
    EXPECT_EQ(core::SingleArgument(line), "サンプル ツール (1)");
    EXPECT_EQ(core::SingleArgument("__SETUP.EXE   Tools  "), "Tools");
    EXPECT_EQ(core::SingleArgument("__SETUP.EXE"), "");
    EXPECT_EQ(core::SingleArgument("\"C:\\A B\\__SETUP.EXE\""), "");
    EXPECT_EQ(core::SingleArgument("\"C:\\A B\\__SETUP.EXE\" \"\""), "");
    EXPECT_EQ(core::SingleArgument("\"unterminated"), "");
}
