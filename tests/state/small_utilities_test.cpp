// Line ends.
#include "state/small_utilities.h"

#include <gtest/gtest.h>

namespace {

TEST(LineEnds, LoneLfBecomesCrLfAndPairsAndDoubleBytesStay)
{
    EXPECT_EQ(convertLfToCrLf("a\nb"), "a\r\nb");
    EXPECT_EQ(convertLfToCrLf("a\r\nb\n"), "a\r\nb\r\n");
    // 0x81 0x0A is one double-byte character, not a line end.
    EXPECT_EQ(convertLfToCrLf("\x81\x0A\n"), "\x81\x0A\r\n");
    EXPECT_EQ(convertLfToCrLf("\r"), "\r");
    EXPECT_EQ(convertLfToCrLf(""), "");
    // Every byte a line feed: the result is twice as long, never cut.
    EXPECT_EQ(convertLfToCrLf(std::string(1000, '\n')).size(), 2000u);
    // The text ends at its terminator even when the view is longer.
    EXPECT_EQ(convertLfToCrLf(std::string_view("x\0\n", 3)), "x");
}

}
