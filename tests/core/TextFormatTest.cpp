#include "core/TextFormat.h"

#include <gtest/gtest.h>

TEST(TextFormat, TheArgumentIsNeverReadAsAFormat) {
    EXPECT_EQ(core::FormatWithArgument("ファイル'%s'を書き込めない", "100%s_%d%n.txt"),
              "ファイル'100%s_%d%n.txt'を書き込めない");
    // Every "%s" takes the one argument (the abort notice has one per text, a template
    // with two must not read past it).
    EXPECT_EQ(core::FormatWithArgument("%s と %s", "X"), "X と X");
}

TEST(TextFormat, PercentSequencesOfTheTemplate) {
    EXPECT_EQ(core::FormatWithArgument("100%% %s", "a"), "100% a");
    EXPECT_EQ(core::FormatWithArgument("%d %", "a"), "%d %");
    EXPECT_EQ(core::FormatWithArgument("", "a"), "");
    EXPECT_EQ(core::FormatWithArgument("Static", "a"), "Static");
}
