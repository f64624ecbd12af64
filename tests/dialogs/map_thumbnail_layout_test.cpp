// The thumbnail's arithmetic and its choice of terrain per cell, from the game and from hex records.
#include "dialogs/map_thumbnail_layout.h"

#include "tests/state/small_world.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ThumbnailLayout, SizesCellsAndMarginsOfEachSource)
{
    using S = ThumbnailSource;
    struct Case {
        int w, h;
        S source;
        bool halved;
        int columns, rows, cell, x0, y0;
    } cases[] = {
        { 72, 72, S::Preview, false, 72, 72, 2, 0, 0 },
        { 72, 72, S::Live, false, 72, 72, 2, 0, 0 },
        { 73, 20, S::Preview, false, 73, 20, 1, 35, 62 },
        { 128, 128, S::Live, false, 128, 128, 1, 8, 8 },
        // The running game takes the cell size from the unhalved size, a preview from the halved one.
        { 140, 140, S::Live, true, 70, 70, 1, 37, 37 },
        { 140, 140, S::Preview, true, 70, 70, 2, 2, 2 },
        { 131, 100, S::Preview, true, 65, 50, 2, 7, 22 },
        { 72, 130, S::Live, true, 36, 65, 1, 54, 39 },
        { 256, 256, S::Preview, true, 128, 128, 1, 8, 8 },
        { 1, 1, S::Preview, false, 1, 1, 2, 71, 71 },
    };
    for (const Case& c : cases) {
        const auto l = thumbnailLayout(c.w, c.h, c.source);
        ASSERT_TRUE(l.has_value()) << c.w << "x" << c.h;
        EXPECT_EQ(l->halved, c.halved) << c.w << "x" << c.h;
        EXPECT_EQ(l->columns, c.columns) << c.w << "x" << c.h;
        EXPECT_EQ(l->rows, c.rows) << c.w << "x" << c.h;
        EXPECT_EQ(l->cell, c.cell) << c.w << "x" << c.h;
        EXPECT_EQ(l->x0, c.x0) << c.w << "x" << c.h;
        EXPECT_EQ(l->y0, c.y0) << c.w << "x" << c.h;
        EXPECT_LE(l->x0 + l->cell * l->columns, kThumbnailSize);
        EXPECT_LE(l->y0 + l->cell * l->rows, kThumbnailSize);
    }
    for (auto [w, h] : { std::pair { 0, 10 }, std::pair { 10, 0 }, std::pair { 257, 10 }, std::pair { 10, 300 } })
        EXPECT_FALSE(thumbnailLayout(w, h, S::Preview).has_value()) << w << "x" << h;
}

// Terrain types 0..29 of the kinds the rules give, for the record tests.
std::vector<TerrainRecord> terrainTable()
{
    std::vector<TerrainRecord> t(30, TerrainRecord {});
    t[2].kind = kTerrainBuilding;
    t[3].kind = kTerrainCapital;
    t[4].kind = 16;
    t[14].kind = kTerrainRiver;
    t[15].kind = kTerrainDeepRiver;
    t[26].kind = kTerrainFrozenRiver;
    return t;
}

struct Records {
    int width, height;
    std::vector<FileMapCell> cells;
    Records(int w, int h) : width(w), height(h), cells(size_t(w) * size_t(h), FileMapCell {}) { }
    FileMapCell& at(int x, int y) { return cells[size_t(y) * size_t(width) + size_t(x)]; }
    ThumbnailCell cell(int i, int j)
    {
        const auto table = terrainTable();
        const auto layout = thumbnailLayout(width, height, ThumbnailSource::Preview);
        return previewThumbnailCell(cells, width, height, table, *layout, i, j);
    }
};

TEST(PreviewThumbnailCell, OddWidthAboveTheHalvingKeepsEveryRowAligned)
{
    Records r(131, 6);
    r.at(6, 2).terrain = 1;
    r.at(6, 4).terrain = 1;
    r.at(128, 4).terrain = 1;
    EXPECT_EQ(r.cell(3, 1).terrain, 1);
    EXPECT_EQ(r.cell(3, 2).terrain, 1);
    EXPECT_EQ(r.cell(64, 2).terrain, 1);
    EXPECT_EQ(r.cell(2, 1).terrain, 0);
}

TEST(PreviewThumbnailCell, SubstitutesAndNeighboursAsTheFileGivesThem)
{
    Records r(130, 4);
    // The substitute bits: 1 gives 15, 2 gives 26, anything else 14.
    r.at(0, 0).substituteBits = 0x40 | 1;
    r.at(2, 0).substituteBits = 0x80 | 2;
    r.at(4, 0).substituteBits = 0xC0 | 3;
    EXPECT_EQ(r.cell(0, 0).terrain, 15);
    EXPECT_EQ(r.cell(1, 0).terrain, 26);
    EXPECT_EQ(r.cell(2, 0).terrain, 14);
    // Right and below win from kind 11, the corner only from kind 12; the owner is the cell's own.
    r.at(7, 0).terrain = 2;
    r.at(6, 0).buildingOwnerPlusOne = 3;
    EXPECT_EQ(r.cell(3, 0).terrain, 2);
    EXPECT_EQ(r.cell(3, 0).ownerValue, 3);
    r.at(8, 1).terrain = 2;
    EXPECT_EQ(r.cell(4, 0).terrain, 2);
    r.at(11, 1).terrain = 2;
    EXPECT_EQ(r.cell(5, 0).terrain, 0) << "a plain building in the corner is not taken";
    r.at(13, 1).terrain = 3;
    EXPECT_EQ(r.cell(6, 0).terrain, 3);
    // A cell that shows a building keeps it.
    r.at(14, 0).terrain = 4;
    r.at(15, 0).terrain = 3;
    EXPECT_EQ(r.cell(7, 0).terrain, 4);
    // A terrain byte outside the table draws nothing.
    r.at(16, 0).terrain = 200;
    EXPECT_EQ(r.cell(8, 0).terrain, -1);
}

TEST(LiveThumbnailCell, NeighbourBuildingsFromKindTwelveAndOwnersFromTheirRecords)
{
    testing_state::SmallWorld world(130, 4);
    const int capital = world.terrainOfKind(kTerrainCapital);
    const int village = world.terrainOfKind(kTerrainBuilding);
    ASSERT_GE(capital, 0);
    ASSERT_GE(village, 0);
    const auto layout = *thumbnailLayout(130, 4, ThumbnailSource::Live);
    // A village is kind 11: the running game does not take it from a neighbour.
    world.cell(1, 0).terrain = uint8_t(village);
    EXPECT_NE(liveThumbnailCell(world.state(), layout, 0, 0).terrain, village);
    // A capital below replaces the cell's own terrain, even a village, with its building's owner.
    world.cell(2, 0).terrain = uint8_t(village);
    world.cell(2, 1).terrain = uint8_t(capital);
    world.placeBuilding(capital, 4, 2, 1);
    const ThumbnailCell c = liveThumbnailCell(world.state(), layout, 1, 0);
    EXPECT_EQ(c.terrain, capital);
    EXPECT_TRUE(c.hasBuilding);
    EXPECT_EQ(c.ownerValue, 5);
    // A capital without a building record shows nothing of an owner.
    world.cell(4, 0).terrain = uint8_t(capital);
    EXPECT_FALSE(liveThumbnailCell(world.state(), layout, 2, 0).hasBuilding);
}

} // namespace
