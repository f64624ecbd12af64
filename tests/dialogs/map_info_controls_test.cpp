// The three map information controls on the headless desktop: counts and their cells, the title
// strip's text and styles, and the thumbnail's picture from both sources.
#include "dialogs/map_facility_table.h"
#include "dialogs/map_info_strip.h"
#include "dialogs/map_preview_fields.h"
#include "dialogs/map_thumbnail.h"

#include "tests/dialogs/dialog_test_world.h"

#include <gtest/gtest.h>

#include <memory>

using namespace testing_dialogs;

namespace {

struct Parent {
    Parent() { window.Create(); }
    ~Parent() { DestroyWindow(window.handle()); }
    testing_lib::TopWindow window { "DialogsTestParent" };
};

TEST(FacilityCounts, RowsByKindOwnersByValueAndDamagedBytesSkipped)
{
    MapFilesWorld world;
    const auto& types = world.state().terrainTypes();
    auto typeOfKind = [&](int kind) { return uint8_t(world.terrainOfKind(kind)); };
    std::vector<FileMapCell> cells(12, FileMapCell {});
    const int kinds[] = { 12, 13, 14, 15, 16, 18, 17, 21, 0, 12, 12, 12 };
    const int owners[] = { 1, 2, 2, 2, 3, 4, 5, 8, 1, 0, 10, 255 };
    for (size_t i = 0; i < cells.size(); ++i) {
        cells[i].terrain = typeOfKind(kinds[i]);
        cells[i].buildingOwnerPlusOne = uint8_t(owners[i]);
    }
    FacilityCounts counts = countPreviewFacilities(cells, types);
    EXPECT_EQ(counts[1][0], 1u) << "capital of country 0";
    EXPECT_EQ(counts[2][1], 3u) << "three kinds of city";
    EXPECT_EQ(counts[3][2], 1u) << "airport";
    EXPECT_EQ(counts[4][3], 1u) << "factory is kind 18";
    EXPECT_EQ(counts[5][4], 1u) << "port is kind 17";
    EXPECT_EQ(counts[8][5], 1u) << "other facilities";
    EXPECT_EQ(counts[0][0], 1u) << "unowned";
    EXPECT_EQ(counts[1][5] + counts[1][1], 0u) << "plain ground counts nowhere";
    uint32_t total = 0;
    for (const auto& row : counts)
        for (uint32_t n : row)
            total += n;
    EXPECT_EQ(total, 9u) << "owner values 10 and 255 are outside the table";
    cells[0].terrain = 250;
    counts = countPreviewFacilities(cells, types);
    EXPECT_EQ(counts[1][0], 0u) << "a terrain byte outside the table";
}

TEST(MapFacilityTable, CountsUpTo999InBlackAndAboveInRedUnownedInTheLastColumn)
{
    MapFilesWorld world;
    Parent parent;
    MapFacilityTable table(&parent.window, world.state(), world.look(), 1, 0, 0);
    // 50 x 40 hexes: 1000 capitals of country 0, 999 of country 1, one unowned; a record past the
    // map's hexes is not counted.
    MapHeader header {};
    header.width = 50;
    header.height = 40;
    auto cells = std::make_unique<FileMapCell[]>(kMaxMapCells);
    const uint8_t capital = uint8_t(world.terrainOfKind(kTerrainCapital));
    for (int i = 0; i < 2001; ++i) {
        cells[size_t(i)].terrain = capital;
        cells[size_t(i)].buildingOwnerPlusOne = i < 1000 ? 1 : i < 1999 ? 2 : i == 1999 ? 0 : 1;
    }
    table.header = &header;
    table.cells = cells.get();
    table.refresh();
    EXPECT_EQ(table.counts()[1][0], 1000u);
    EXPECT_EQ(table.counts()[2][0], 999u);
    EXPECT_EQ(table.counts()[0][0], 1u);
    const RECT first = MapFacilityTable::cellRect(1, 0);
    const RECT second = MapFacilityTable::cellRect(2, 0);
    const RECT unowned = MapFacilityTable::cellRect(0, 0);
    EXPECT_EQ(unowned.left, 190);
    auto inside = [](RECT r) { return RECT { r.left, r.top, r.right + 1, r.bottom + 1 }; };
    EXPECT_TRUE(anyPixelIn(table.picture(), inside(first), 0x0000FF)) << "1000 shows 999 in red";
    EXPECT_FALSE(anyPixelIn(table.picture(), inside(first), 0x000000));
    EXPECT_FALSE(anyPixelIn(table.picture(), inside(second), 0x0000FF)) << "999 in black";
    EXPECT_TRUE(anyPixelIn(table.picture(), inside(second), 0x000000));
    EXPECT_TRUE(anyPixelIn(table.picture(), inside(unowned), 0x000000));
    table.clearCells();
    EXPECT_FALSE(anyPixelIn(table.picture(), inside(second), 0x000000)) << "blank cells";
    // The column heads come from the mark strip, the unowned one from its ninth column.
    EXPECT_NE(pixelOf(table.picture(), 38 + 19 * 8 + 9, 8), 0xFFFFFFu);
}

TEST(MapInfoStrip, TextIsCutToThirtyNineBytesNeverHalfACharacter)
{
    EXPECT_EQ(cutText(std::string(50, 'a'), 39).size(), 39u);
    // 19 double-byte characters and one byte: the 20th character would end at byte 40.
    std::string wide;
    for (int i = 0; i < 25; ++i)
        wide += platform::utf8ToCp932("山");
    EXPECT_EQ(cutText("a" + wide, 39).size(), 39u);
    EXPECT_EQ(cutText(wide, 39).size(), 38u);
    // A name from a file without its terminator ends at the field.
    const char field[4] = { 'a', 'b', 'c', 'd' };
    EXPECT_EQ(boundedText(field, sizeof field), "abcd");
    MapHeader header {};
    std::memset(reinterpret_cast<uint8_t*>(&header) + 538, 'x', 586 - 538);
    EXPECT_EQ(mapName(header).size(), 42u);
}

TEST(MapInfoStrip, ShadesAndTextStylesOnPixels)
{
    MapFilesWorld world;
    Parent parent;
    MapInfoStrip strip(&parent.window, world.state(), world.look(), 1, 0, 0);
    strip.setText("MMMMMM");
    struct Case {
        uint8_t style, shade;
        int background;
        bool first, second;
    } cases[] = {
        { 0, 0, 0xB2, true, true },
        { 1, 1, 0x8C, true, true },
        { 2, 2, 0x63, false, true },
        { 3, 3, 0x40, true, true },
        { 4, 4, 0x21, true, true },
        // Out of the tables: drawn as style and shade 0.
        { 9, 7, 0xB2, true, true },
    };
    const int firstGrey[] = { 0x20, 0xE7, 0x00, 0xE7, 0x20 };
    const int secondGrey[] = { 0xE7, 0x20, 0xE7, 0x20, 0xE7 };
    for (const Case& c : cases) {
        strip.setStyle(c.style, c.shade);
        strip.render();
        const int style = strip.textStyle();
        EXPECT_EQ(pixelOf(strip.picture(), 1, 1), COLORREF(c.background * 0x010101)) << int(c.style);
        const RECT text { 100, 2, 200, 24 };
        EXPECT_EQ(anyPixelIn(strip.picture(), text, COLORREF(firstGrey[style] * 0x010101)), c.first) << int(c.style);
        EXPECT_EQ(anyPixelIn(strip.picture(), text, COLORREF(secondGrey[style] * 0x010101)), c.second) << int(c.style);
    }
}

TEST(MapInfoStrip, FocusedEntryIsFramedTwiceInRed)
{
    MapFilesWorld world;
    Parent parent;
    MapInfoStrip strip(&parent.window, world.state(), world.look(), 1, 10, 10, WS_TABSTOP);
    strip.render();
    SetFocus(strip.handle());
    testing_lib::pump();
    RECT r {};
    GetWindowRect(strip.handle(), &r);
    const auto image = platform::harness::readRect(r);
    ASSERT_EQ(image.width, MapInfoStrip::kWidth);
    EXPECT_EQ(image.at(0, 0) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(image.at(1, 5) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(image.at(2, 5) & 0xFFFFFF, 0xB2B2B2u);
}

TEST(MapThumbnail, PreviewAndLiveDrawTheirCellsFromTheStrips)
{
    MapFilesWorld world(20, 10);
    Parent parent;
    MapThumbnail thumb(&parent.window, world.state(), world.look(), 1, 0, 0);
    EXPECT_FALSE(IsWindowEnabled(thumb.handle()));
    const int capital = world.terrainOfKind(kTerrainCapital);
    // A preview of 20 x 10 two-pixel cells centred at (52, 62), a capital of country 2 at (3, 4).
    MapHeader header {};
    header.width = 20;
    header.height = 10;
    auto cells = std::make_unique<FileMapCell[]>(kMaxMapCells);
    cells[4 * 20 + 3].terrain = uint8_t(capital);
    cells[4 * 20 + 3].buildingOwnerPlusOne = 3;
    thumb.ready = 1;
    thumb.render();
    EXPECT_EQ(pixelOf(thumb.picture(), 60, 70), 0u) << "no buffers: nothing drawn";
    thumb.header = &header;
    thumb.cells = cells.get();
    thumb.render();
    const COLORREF ground = pixelOf(thumb.picture(), 52, 62);
    EXPECT_NE(ground, 0u);
    EXPECT_EQ(pixelOf(thumb.picture(), 51, 61), 0u) << "black margin";
    const COLORREF owner = pixelOf(thumb.picture(), 52 + 6, 62 + 8);
    EXPECT_NE(owner, ground);
    EXPECT_EQ(pixelOf(thumb.picture(), 52 + 7, 62 + 9), owner);
    // The buildings view dims the ground.
    thumb.viewMode = 1;
    thumb.render();
    EXPECT_NE(pixelOf(thumb.picture(), 52, 62), ground);
    // A header size outside 1..256 leaves the picture black.
    header.width = 300;
    thumb.render();
    EXPECT_EQ(pixelOf(thumb.picture(), 52 + 6, 62 + 8), 0u);

    // The running game: the same map drawn from the state, its capital from the building record.
    thumb.viewMode = 0;
    thumb.liveSource = 1;
    world.cell(3, 4).terrain = uint8_t(capital);
    world.placeBuilding(capital, 2, 3, 4);
    thumb.render();
    EXPECT_EQ(pixelOf(thumb.picture(), 52, 62), ground);
    EXPECT_EQ(pixelOf(thumb.picture(), 52 + 6, 62 + 8), owner);
    thumb.clear();
    EXPECT_EQ(pixelOf(thumb.picture(), 52, 62), 0u);
}

} // namespace
