// Fixed-point text: the sign below one, typed fractions and the window round trip.
#include "lib/fixed_text.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <climits>

using namespace testing_lib;

TEST(FixedText, WritesDecimalsByScaleAndKeepsTheSignBelowOne)
{
    const struct {
        int value, scale;
        const char* text;
    } cases[] = {
        { 1500, 1000, "1.500" }, { -5, 1000, "-0.005" }, { -1500, 1000, "-1.500" }, { 0, 1000, "0.000" },
        { 1234, 100, "12.34" }, { -99, 100, "-0.99" }, { 7, 10, "0.7" }, { -7, 10, "-0.7" },
        { 42, 1, "42" }, { -42, 7, "-42" }, { INT_MIN, 1000, "-2147483.648" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatFixedText(c.value, c.scale), c.text) << c.value << " at " << c.scale;
}

TEST(FixedText, ReadsTypedFractionsAtTheScale)
{
    const struct {
        const char* text;
        int scale, value;
    } cases[] = {
        { "1.5", 1000, 1500 }, { "-0.5", 1000, -500 }, { "12.34", 100, 1234 }, { "1.500", 1000, 1500 },
        { "-0.005", 1000, -5 }, { "3", 1000, 3000 }, { "2.", 100, 200 }, { ".25", 100, 25 },
        { "1.2345", 100, 123 }, { "", 1000, 0 }, { "abc", 100, 0 }, { " 42", 1, 42 }, { "4.9", 1, 4 },
        { "99999999999", 1000, INT_MAX }, { "-99999999999", 1000, INT_MIN },
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseFixedText(c.text, c.scale), c.value) << '"' << c.text << "\" at " << c.scale;
}

TEST(FixedText, WindowTextRoundTrips)
{
    initApplication();
    TopWindow window;
    ASSERT_TRUE(window.Create());
    for (int value : { -5, -1500, 0, 1, 999, 123456 }) {
        window.windowSetFixedText(value, 1000);
        EXPECT_EQ(window.windowGetFixedValue(1000), value);
    }
    char text[32] = {};
    window.windowSetFixedText(-5, 1000);
    GetWindowTextA(window.handle(), text, sizeof text);
    EXPECT_STREQ(text, "-0.005");
    destroyAllWindows();
}
