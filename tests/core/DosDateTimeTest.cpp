#include "core/DosDateTime.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(DosDateTime, PacksFromThe1980BaseAndHalvesTheSeconds) {
    const auto packed = core::PackDosDateTime({2026, 12, 7, 10, 15, 37});
    ASSERT_TRUE(packed.has_value());
    EXPECT_EQ(packed->date, ((2026 - 1980) << 9) | (12 << 5) | 7);
    EXPECT_EQ(packed->time, (10 << 11) | (15 << 5) | 18);
    // An odd second shows as the even one below it.
    EXPECT_EQ(core::FormatDateLine(*packed), "2026年12月7日 10時15分36秒");

    const auto first = core::PackDosDateTime({1980, 1, 1, 0, 0, 1});
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->date, (1 << 5) | 1);
    EXPECT_EQ(core::FormatDateLine(*first), "1980年1月1日 0時0分0秒");

    const auto last = core::PackDosDateTime({2107, 12, 31, 23, 59, 59});
    ASSERT_TRUE(last.has_value());
    EXPECT_EQ(core::FormatDateLine(*last), "2107年12月31日 23時59分58秒");
}

TEST(DosDateTime, TimesWithoutAPackedFormAreRefused) {
    EXPECT_FALSE(core::PackDosDateTime({1979, 12, 31, 23, 59, 59}).has_value());
    EXPECT_FALSE(core::PackDosDateTime({2108, 1, 1, 0, 0, 0}).has_value());
    EXPECT_FALSE(core::PackDosDateTime({2000, 13, 1, 0, 0, 0}).has_value());
    EXPECT_FALSE(core::PackDosDateTime({2000, 1, 0, 0, 0, 0}).has_value());
    EXPECT_FALSE(core::PackDosDateTime({2000, 1, 1, 24, 0, 0}).has_value());
}

TEST(DosDateTime, UnpackReadsEveryField) {
    const core::LocalDateTime t = core::UnpackDosDateTime({0xFFFF, 0xFFFF});
    EXPECT_EQ(t.year, 1980 + 127);
    EXPECT_EQ(t.month, 15);
    EXPECT_EQ(t.day, 31);
    EXPECT_EQ(t.hour, 31);
    EXPECT_EQ(t.minute, 63);
    EXPECT_EQ(t.second, 62);
}

TEST(DosDateTime, SizeLineShowsTheLow32BitsUnsigned) {
    EXPECT_EQ(core::FormatSizeLine(0), "ｻｲｽﾞ 0");
    EXPECT_EQ(core::FormatSizeLine(1234), "ｻｲｽﾞ 1234");
    EXPECT_EQ(core::FormatSizeLine(0x80000000u), "ｻｲｽﾞ 2147483648");
    EXPECT_EQ(core::FormatSizeLine((std::uint64_t{5} << 32) | 7), "ｻｲｽﾞ 7");
}
