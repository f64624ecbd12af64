// The play windows' pictures: the game end's victory band, shown for whichever country won.
#include "state/name_tables.h"
#include "tests/tools/sheet_pictures.h"

#include <gtest/gtest.h>

#include <cstdlib>

// Band 2 of five: few of its pixels come near any country's colour (the sun may brush yellow).
TEST(GameEndPicture, VictoryBandCarriesNoCountrysColour)
{
    const testing_sheets::Picture sheet = testing_sheets::readSheet("end_s.bmp");
    ASSERT_EQ(sheet.height, 5 * 268);
    for (int c = 0; c < 8; ++c) {
        const uint32_t ref = playerColourRef(c);
        int near = 0;
        for (int i = 2 * 268 * sheet.width; i < 3 * 268 * sheet.width; ++i) {
            const uint32_t p = sheet.pixels[size_t(i)];
            near += std::abs(int(p >> 16) - int(ref & 255)) + std::abs(int(p >> 8 & 255) - int(ref >> 8 & 255))
                    + std::abs(int(p & 255) - int(ref >> 16 & 255)) < 90;
        }
        EXPECT_LT(near, 50) << playerColourName(c);
    }
}
