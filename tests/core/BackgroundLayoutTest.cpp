#include "core/BackgroundLayout.h"

#include <gtest/gtest.h>

#include <climits>

using core::ComputeGradientBands;
using core::GradientBandBlue;
using core::LogoTextOrigin;

TEST(GradientBands, SixteenBandsUpToBottom32ThirtyTwoAbove) {
    const core::GradientBands low = ComputeGradientBands(0, 32);
    EXPECT_EQ(low.count, 16);
    EXPECT_EQ(low.height, 3);  // 32 / 16 + 1
    EXPECT_EQ(low.step, 16);
    EXPECT_EQ(GradientBandBlue(low, 0), 255);
    EXPECT_EQ(GradientBandBlue(low, 1), 239);
    EXPECT_EQ(GradientBandBlue(low, 15), 15);

    const core::GradientBands tall = ComputeGradientBands(0, 33);
    EXPECT_EQ(tall.count, 32);
    EXPECT_EQ(tall.height, 2);
    EXPECT_EQ(tall.step, 8);
    EXPECT_EQ(GradientBandBlue(tall, 1), 247);
    EXPECT_EQ(GradientBandBlue(tall, 31), 7);
}

TEST(GradientBands, BandsOf768PixelsReach800) {
    const core::GradientBands bands = ComputeGradientBands(0, 768);
    EXPECT_EQ(bands.height, 25);
    EXPECT_EQ(bands.count * bands.height, 800);
    // An empty client area still gets bands one pixel high.
    EXPECT_EQ(ComputeGradientBands(0, 0).height, 1);
}

TEST(LogoTextOrigin, CornersLeaveRoomForTheShadow) {
    // A 100 x 20 text on a 1024 x 768 client area: W = 104, Hh = 24.
    EXPECT_EQ(LogoTextOrigin(0, 0, 0, 1024, 768, 100, 20).x, 0);
    EXPECT_EQ(LogoTextOrigin(0, 0, 0, 1024, 768, 100, 20).y, 0);
    EXPECT_EQ(LogoTextOrigin(1, 0, 0, 1024, 768, 100, 20).x, 0);
    EXPECT_EQ(LogoTextOrigin(1, 0, 0, 1024, 768, 100, 20).y, 744);
    EXPECT_EQ(LogoTextOrigin(2, 0, 0, 1024, 768, 100, 20).x, 920);
    EXPECT_EQ(LogoTextOrigin(2, 0, 0, 1024, 768, 100, 20).y, 0);
    const core::Point rb = LogoTextOrigin(3, 0, 0, 1024, 768, 100, 20);
    // The shadow at (x + 4, y + 4) ends exactly at the right and bottom edges.
    EXPECT_EQ(rb.x + 4 + 100, 1024);
    EXPECT_EQ(rb.y + 4 + 20, 768);
}

TEST(LogoTextOrigin, OffsetRectangleAndUnknownCorners) {
    // The rectangle's left and top are subtracted, as for the bottom-right corner.
    const core::Point rb = LogoTextOrigin(3, 10, 20, 210, 120, 50, 10);
    EXPECT_EQ(rb.x, 210 - 54 - 10);
    EXPECT_EQ(rb.y, 120 - 14 - 20);
    for (int position : {-1, 4, 99}) {
        const core::Point p = LogoTextOrigin(position, 0, 0, 1024, 768, 100, 20);
        EXPECT_EQ(p.x, 0) << position;
        EXPECT_EQ(p.y, 0) << position;
    }
}

TEST(LogoFontHeight, TenthsOfAPointAtTheDevicesResolution) {
    EXPECT_EQ(core::LogoFontHeight(120, 96), 16);
    EXPECT_EQ(core::LogoFontHeight(90, 96), 12);
    EXPECT_EQ(core::LogoFontHeight(240, 120), 40);
    EXPECT_EQ(core::LogoFontHeight(95, 96), 12);  // 12.66 cut down
    // A size far beyond reason stays a number instead of overflowing.
    EXPECT_EQ(core::LogoFontHeight(INT_MAX, 96), 286331152);
    EXPECT_EQ(core::LogoFontHeight(INT_MAX, 1440), INT_MAX);
    EXPECT_EQ(core::LogoFontHeight(INT_MIN, 1440), -INT_MAX);
}

TEST(LogoFaceName, AtMost31BytesWithoutSplittingACharacter) {
    EXPECT_EQ(core::LogoFaceName("Arial"), "Arial");
    const std::string ascii(40, 'x');
    EXPECT_EQ(core::LogoFaceName(ascii), std::string(31, 'x'));
    // 30 single bytes then a double-byte character that would end at byte 32: dropped.
    const std::string kanji = "\x82\xa0";  // one double-byte character
    EXPECT_EQ(core::LogoFaceName(std::string(30, 'x') + kanji), std::string(30, 'x'));
    EXPECT_EQ(core::LogoFaceName(std::string(29, 'x') + kanji + "y"), std::string(29, 'x') + kanji);
}
