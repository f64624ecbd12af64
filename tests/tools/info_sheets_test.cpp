// The information windows' sheets and the panel strip's marks: each region the windows cut lies
// inside its sheet and overlaps no other region nor a button of the same sheet; the weapon list's
// colour pixel is its row colour; every sample unit type has a picture the windows can show.
#include "infowin/land_list_items.h"
#include "infowin/panel_marks.h"
#include "infowin/sheet_layout.h"
#include "lib/media/bitmap_button_layout.h"
#include "tests/tools/sheet_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

using namespace testing_sheets;
using info_sheet::Cell;

namespace {

bool overlap(const Cell& a, const Cell& b)
{
    return a.x < b.right() && b.x < a.right() && a.y < b.bottom() && b.y < a.bottom();
}

struct Region {
    Cell cell;
    std::string what;
    // Faces of one button may share their rows.
    int button = -1;
};

std::vector<Region> regionsOf(const std::string& file, const std::vector<Cell>& pictures)
{
    std::vector<Region> regions;
    for (size_t i = 0; i < pictures.size(); ++i)
        regions.push_back({ pictures[i], "picture " + std::to_string(i) });
    int button = 0;
    for (int k = 0; k < bitmap_buttons::kButtonKindCount; ++k) {
        const auto kind = bitmap_buttons::ButtonKind(k);
        for (int i = 0; i < bitmap_buttons::buttonImageCount(kind); ++i, ++button) {
            const auto layout = bitmap_buttons::buttonLayout(kind, i);
            if (file != layout.file)
                continue;
            for (const auto& face : { layout.normal, layout.pressed, layout.disabled })
                regions.push_back({ { face.left, face.top, face.width(), face.height() },
                    "button " + std::to_string(k) + "/" + std::to_string(i), button });
        }
    }
    return regions;
}

struct Sheet {
    const char* file;
    std::vector<Cell> pictures;
    int width;
    int height;
};

} // namespace

TEST(InfoSheets, RegionsLieInsideTheirSheetAndOverlapNothingElse)
{
    const Sheet sheets[] = {
        { "info_btn.bmp", info_sheet::iconSheetRegions(), info_sheet::kIconSheetWidth, info_sheet::kIconSheetHeight },
        { "change_btn.bmp", info_sheet::changeSheetRegions(), info_sheet::kChangeSheetWidth,
            info_sheet::kChangeSheetHeight },
        { "list_weap.bmp", info_sheet::weaponListSheetRegions(), info_sheet::kWeaponListSheetWidth,
            info_sheet::kWeaponListSheetHeight },
    };
    for (const Sheet& sheet : sheets) {
        const Picture picture = readSheet(sheet.file);
        EXPECT_EQ(picture.width, sheet.width) << sheet.file;
        EXPECT_EQ(picture.height, sheet.height) << sheet.file;
        const std::vector<Region> regions = regionsOf(sheet.file, sheet.pictures);
        for (size_t i = 0; i < regions.size(); ++i) {
            const Cell& a = regions[i].cell;
            EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.right() <= sheet.width && a.bottom() <= sheet.height)
                << sheet.file << " " << regions[i].what;
            for (size_t j = i + 1; j < regions.size(); ++j) {
                const bool sameButton = regions[i].button >= 0 && regions[i].button == regions[j].button;
                if (!sameButton && !(a == regions[j].cell))
                    EXPECT_FALSE(overlap(a, regions[j].cell)) << sheet.file << ": " << regions[i].what << " and " << regions[j].what;
                else if (!sameButton)
                    ADD_FAILURE() << sheet.file << ": " << regions[i].what << " repeats " << regions[j].what;
            }
        }
    }
}

TEST(PanelSheet, MarksLieBesideTheButtonsAndAreDrawnWhereTheyAreCut)
{
    const Picture strip = readSheet(panel_marks::kFile);
    ASSERT_GT(strip.width, 0);
    EXPECT_GE(strip.width, panel_marks::kSheetWidth);
    EXPECT_EQ(strip.height, panel_marks::kSheetHeight);
    const std::vector<Region> regions = regionsOf(panel_marks::kFile, panel_marks::regions());
    for (size_t i = 0; i < regions.size(); ++i) {
        const Cell& a = regions[i].cell;
        EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.right() <= strip.width && a.bottom() <= strip.height) << regions[i].what;
        for (size_t j = i + 1; j < regions.size(); ++j) {
            const bool sameButton = regions[i].button >= 0 && regions[i].button == regions[j].button;
            EXPECT_TRUE(sameButton || !overlap(a, regions[j].cell)) << regions[i].what << " and " << regions[j].what;
        }
    }
    // The cross keeps magenta around its strokes; every other mark covers its cell.
    const Cell cross = panel_marks::kCross;
    int key = 0;
    for (int y = cross.y; y < cross.bottom(); ++y)
        for (int x = cross.x; x < cross.right(); ++x)
            key += strip.clear(x, y);
    EXPECT_GT(key, cross.width * cross.height / 3);
    EXPECT_LT(key, cross.width * cross.height);
    const uint32_t background = strip.at(strip.width - 1, strip.height - 1);
    for (const Cell& c : panel_marks::regions()) {
        if (c == cross)
            continue;
        int drawn = 0;
        for (int y = c.y; y < c.bottom(); ++y)
            for (int x = c.x; x < c.right(); ++x)
                drawn += strip.at(x, y) != background && !strip.clear(x, y);
        EXPECT_EQ(drawn, c.width * c.height) << c.x << "," << c.y;
    }
}

TEST(InfoSheets, PicturesAreDrawnWhereTheWindowsCutThem)
{
    const Picture icons = readSheet("info_btn.bmp");
    ASSERT_GT(icons.width, 0);
    // Each icon cell holds a picture of its own: no two cells alike, none left in the background.
    const std::vector<Cell> cells = info_sheet::iconSheetRegions();
    const uint32_t background = icons.at(icons.width - 1, 40);
    for (size_t i = 0; i < cells.size(); ++i) {
        const Cell& c = cells[i];
        int drawn = 0;
        for (int y = c.y; y < c.bottom(); ++y)
            for (int x = c.x; x < c.right(); ++x)
                drawn += icons.at(x, y) != background;
        EXPECT_GT(drawn, c.width * c.height / 2) << "cell " << i;
    }
    const Picture list = readSheet("list_weap.bmp");
    ASSERT_GT(list.width, 0);
    const Cell strip = info_sheet::kWeaponRowStrip;
    EXPECT_EQ(list.at(info_sheet::kListColourX, info_sheet::kListColourY), list.at(strip.x + 60, strip.y + 8));
    EXPECT_NE(list.at(info_sheet::kListColourX, info_sheet::kListColourY), list.at(2, 2));
}

TEST(UnitPictures, EverySampleTypeHasAPictureThatFitsTheBox)
{
    for (auto [type, number] : unitPictures("weapon.dat")) {
        char name[32];
        std::snprintf(name, sizeof name, "tkunit/%04d.bmp", number);
        const Picture picture = readPicture(name);
        ASSERT_GT(picture.width, 0) << name;
        EXPECT_LE(picture.width, 360) << name;
        EXPECT_LE(picture.height, 160) << name;
        // Transparent around the unit, and something drawn.
        EXPECT_TRUE(picture.clear(0, 0)) << name;
        int drawn = 0;
        for (uint32_t p : picture.pixels)
            drawn += p != kMagenta;
        EXPECT_GT(drawn, int(picture.pixels.size()) / 20) << name;
    }
    const Picture standIn = readPicture("tkunit/000.bmp");
    ASSERT_GT(standIn.width, 0);
    EXPECT_EQ(standIn.at(1, 1), 0x000000u);
    EXPECT_LE(standIn.width, 360);
    EXPECT_LE(standIn.height, 160);
}

// Each column title of the terrain list is one line of readable text: its ink spans the rows of one
// line of at least 10 pixels, never two squeezed lines.
TEST(InfoSheets, TerrainListTitlesAreOneReadableLine)
{
    const Picture sheet = readSheet("list_land.bmp");
    ASSERT_GT(sheet.width, 0);
    const uint32_t ink = 0xF0F2EC;
    for (int i = 0; i <= land_list::kItemCount; ++i) {
        const int left = i == 0 ? 0 : land_list::sheetX(i - 1);
        const int right = i == 0 ? land_list::kNameWidth : left + land_list::item(i - 1).width;
        int top = land_list::kTitleHeight, bottom = 0;
        for (int y = 0; y < land_list::kTitleHeight; ++y)
            for (int x = left; x < right; ++x)
                if (sheet.at(x, y) == ink) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y + 1);
                }
        EXPECT_GE(bottom - top, 8) << "column " << i;
        EXPECT_LE(bottom - top, 12) << "column " << i;
    }
}

// The unit-type pages leave the carry class icon's cell, right above the picture box, to the icon:
// no frame of the picture box runs through it.
TEST(InfoSheets, TypePagesLeaveTheCarryClassCellClear)
{
    for (const char* file : { "info_butai.bmp", "info_heiki.bmp" }) {
        const Picture page = readSheet(file);
        ASSERT_GT(page.width, 0) << file;
        const uint32_t ground = page.at(244, 30);
        int marked = 0;
        for (int y = 30; y < 48; ++y)
            for (int x = 244; x < 300; ++x)
                marked += page.at(x, y) != ground;
        EXPECT_EQ(marked, 0) << file;
    }
}
