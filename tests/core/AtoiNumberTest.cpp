#include "core/AtoiNumber.h"

#include <gtest/gtest.h>

#include <climits>

TEST(AtoiNumber, ReadsLikeAtoi) {
    EXPECT_EQ(core::AtoiNumber("  42abc"), 42);
    EXPECT_EQ(core::AtoiNumber("\t-7"), -7);
    EXPECT_EQ(core::AtoiNumber("+3"), 3);
    EXPECT_EQ(core::AtoiNumber(""), 0);
    EXPECT_EQ(core::AtoiNumber("x12"), 0);
    EXPECT_EQ(core::AtoiNumber("- 5"), 0);
}

TEST(AtoiNumber, SaturatesInsteadOfOverflowing) {
    EXPECT_EQ(core::AtoiNumber("123456789012345678901234567890"), INT_MAX);
    EXPECT_EQ(core::AtoiNumber("-123456789012345678901234567890"), INT_MIN);
    EXPECT_EQ(core::AtoiNumber("-2147483648"), INT_MIN);
    EXPECT_EQ(core::AtoiNumber("2147483647"), INT_MAX);
}
