// The play windows' pictures: the game end's victory band, shown for whichever country won.
#include "state/name_tables.h"
#include "tests/tools/sheet_pictures.h"

#include <gtest/gtest.h>

#include <cstdlib>

// Any country may be the winner, so the band names none by its colour: few of its pixels come near
// a country's colour (the sun and the title may brush the yellow one).
TEST(GameEndPicture, VictoryBandCarriesNoCountrysColour)
{
    constexpr int kBandHeight = 268;
    constexpr int kVictoryBand = 2;
    const testing_sheets::Picture sheet = testing_sheets::readSheet("end_s.bmp");
    ASSERT_EQ(sheet.height, 5 * kBandHeight);
    for (int c = 0; c < 8; ++c) {
        const uint32_t ref = playerColourRef(c);
        const int r = int(ref & 255), g = int(ref >> 8 & 255), b = int(ref >> 16 & 255);
        int near = 0;
        for (int y = kVictoryBand * kBandHeight; y < (kVictoryBand + 1) * kBandHeight; ++y)
            for (int x = 0; x < sheet.width; ++x) {
                const uint32_t p = sheet.at(x, y);
                near += std::abs(int(p >> 16) - r) + std::abs(int(p >> 8 & 255) - g) + std::abs(int(p & 255) - b) < 90;
            }
        EXPECT_LT(near, 50) << playerColourName(c);
    }
}
