// The generated unit sheets: their layout, and a tintable picture for every unit type's
// imageNumber at each zoom with the strength corner left mostly clear.
#include "state/map_sheet_layout.h"
#include "tests/tools/sheet_pictures.h"

#include <gtest/gtest.h>

#include <set>

using namespace testing_sheets;

namespace {

TEST(UnitSheets, EveryUnitTypeHasItsOwnCell)
{
    std::vector<int> numbers;
    for (auto [type, picture] : unitPictures("weapon.dat"))
        numbers.push_back(picture);
    ASSERT_GE(numbers.size(), 20u);
    const std::set<int> distinct(numbers.begin(), numbers.end());
    EXPECT_EQ(distinct.size(), numbers.size());
    for (int n : numbers) {
        EXPECT_GE(n, 0);
        EXPECT_LT(n, map_sheet::kUnitCells);
    }
    const std::map<int, int> all = unitPictures("weapon.dat");
    for (auto [type, picture] : unitPictures("sweapon.dat"))
        EXPECT_EQ(picture, all.at(type)) << "unit type " << type;
}

class UnitSheetAtZoom : public testing::TestWithParam<int> {};

TEST_P(UnitSheetAtZoom, HasOneRowOfCellsAndATintablePictureForEveryUnitType)
{
    const int s = map_sheet::kHexSize[GetParam()];
    const Picture pic = readSheet(map_sheet::kUnitSheetFile[GetParam()]);
    ASSERT_EQ(pic.width, map_sheet::kUnitCells * s);
    ASSERT_EQ(pic.height, s);
    for (auto [type, n] : unitPictures("weapon.dat")) {
        int drawn = 0, blue = 0, untintable = 0, corner = 0;
        for (int y = 0; y < s; ++y)
            for (int x = 0; x < s; ++x) {
                if (pic.clear(n * s + x, y))
                    continue;
                const uint32_t c = pic.at(n * s + x, y);
                ++drawn;
                blue += (c & 255) > (c >> 16 & 255) && (c & 255) > (c >> 8 & 255);
                untintable += !blueOrGrey(c);
                corner += x >= s * 3 / 4 && y >= s * 3 / 4;
            }
        EXPECT_GT(drawn, s * s / 10) << "cell " << n;
        // Enough of the body is blue for the country's colour to show.
        EXPECT_GT(blue, drawn / 4) << "cell " << n;
        EXPECT_EQ(untintable, 0) << "cell " << n;
        EXPECT_LE(corner, s * s / 16 / 4) << "cell " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Zooms, UnitSheetAtZoom, testing::Values(0, 1, 2));

} // namespace
