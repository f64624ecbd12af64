// The briefing's overview map: its scale by map size, the blink levels and where marks stand.
#include "dialogs/overview_map.h"

#include <gtest/gtest.h>

TEST(OverviewMap, ScaleBySize)
{
    struct Case {
        int width, height;
        int pixels, step, pictureWidth, pictureHeight;
    };
    const Case cases[] = {
        { 96, 96, 2, 1, 192, 192 },
        { 97, 96, 1, 1, 97, 96 },
        { 96, 97, 1, 1, 96, 97 },
        { 128, 128, 1, 1, 128, 128 },
        { 129, 100, 1, 2, 64, 50 },
        { 100, 129, 1, 2, 50, 64 },
        { 128, 129, 1, 2, 64, 64 },
        { 256, 256, 1, 2, 128, 128 },
        { 10, 8, 2, 1, 20, 16 },
    };
    for (const Case& c : cases) {
        const OverviewScale s = overviewScale(c.width, c.height);
        EXPECT_EQ(s.pixels, c.pixels) << c.width << "x" << c.height;
        EXPECT_EQ(s.step, c.step) << c.width << "x" << c.height;
        EXPECT_EQ(s.width, c.pictureWidth) << c.width << "x" << c.height;
        EXPECT_EQ(s.height, c.pictureHeight) << c.width << "x" << c.height;
        EXPECT_LE(s.width, kOverviewSquare);
        EXPECT_LE(s.height, kOverviewSquare);
    }
}

TEST(OverviewMap, BlinkGoesDownToSeventyFiveAndBackOverTwentyFiveTicks)
{
    const int expected[25] = { 255, 240, 225, 210, 195, 180, 165, 150, 135, 120, 105, 90, 75, 90, 105, 120, 135, 150,
        165, 180, 195, 210, 225, 240, 255 };
    for (int n = 0; n < 25; ++n) {
        EXPECT_EQ(blinkGrey(n), expected[n]) << n;
        EXPECT_EQ(blinkGrey(n + 25), expected[n]) << n + 25;
    }
}

TEST(OverviewMap, MarksStandTwoPixelsUpLeftAndInsideThePicture)
{
    const OverviewScale twice = overviewScale(10, 8);
    EXPECT_EQ(overviewMarkPosition(twice, { 5, 4 }).x, 8);
    EXPECT_EQ(overviewMarkPosition(twice, { 5, 4 }).y, 6);
    EXPECT_EQ(overviewMarkPosition(twice, { 0, 0 }).x, 0);
    EXPECT_EQ(overviewMarkPosition(twice, { 9, 7 }).x, 16);
    EXPECT_EQ(overviewMarkPosition(twice, { 9, 7 }).y, 12);
    const OverviewScale halved = overviewScale(200, 150);
    EXPECT_EQ(overviewMarkPosition(halved, { 199, 149 }).x, 97);
    EXPECT_EQ(overviewMarkPosition(halved, { 199, 149 }).y, 72);
}
