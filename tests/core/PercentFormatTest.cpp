#include "core/PercentFormat.h"

#include <gtest/gtest.h>

#include <string>

TEST(PercentFormat, FillsEveryPlaceWithTheValueTakenAsItIs) {
    EXPECT_EQ(core::FormatPercentS("%sへようこそ。%s をインストールします。", "製品"),
              "製品へようこそ。製品 をインストールします。");
    // A value with format characters stays as it is.
    EXPECT_EQ(core::FormatPercentS("[%s]", "100%s %d%%"), "[100%s %d%%]");
    EXPECT_EQ(core::FormatPercentS("100%% %d %", "x"), "100% %d %");
    EXPECT_EQ(core::FormatPercentS("", "x"), "");
}
