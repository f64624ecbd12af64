// The generated map sheets: their layout, ground that fills exactly its hex and tiles without
// gaps on a real map, tintable buildings and borders, and a picture in every mark and effect.
#include "platform/gdi/png.h"
#include "state/map_sheet_layout.h"
#include "tests/tools/sample_patch.h"
#include "tests/tools/sheet_pictures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

using namespace testing_sheets;

namespace {

constexpr int kTerrainIds = 64;
constexpr int kBridge = 51, kTemporaryBridge = 53;

bool hasBuilding(int id) { return (id >= 31 && id <= 50) || id == kBridge || id == kTemporaryBridge; }

const Picture& sheet(int zoom)
{
    static const Picture sheets[map_sheet::kZoomCount] = { readSheet(map_sheet::kMapSheetFile[0]),
        readSheet(map_sheet::kMapSheetFile[1]), readSheet(map_sheet::kMapSheetFile[2]) };
    return sheets[zoom];
}

// Whether a pixel of a cell belongs to its hex, as the map view's hit test decides.
bool inHex(int zoom, int x, int y)
{
    const HexGeometry one(zoom, 1, 1);
    int hx = -1, hy = -1;
    return one.hexAt(x, y, hx, hy);
}

class MapSheetAtZoom : public testing::TestWithParam<int> {
protected:
    int zoom() const { return GetParam(); }
    int size() const { return map_sheet::kHexSize[GetParam()]; }
    const Picture& pic() const { return sheet(GetParam()); }
};

TEST_P(MapSheetAtZoom, HasTheSharedLayoutsSize)
{
    EXPECT_EQ(pic().bits, 8);
    EXPECT_EQ(pic().width, map_sheet::kColumns * size());
    EXPECT_EQ(pic().height, map_sheet::kRows * size());
}

TEST_P(MapSheetAtZoom, GroundFillsExactlyTheHexOfEveryTerrainByDayAndNight)
{
    ASSERT_FALSE(pic().pixels.empty());
    for (int row : { map_sheet::kGroundDay, map_sheet::kGroundNight })
        for (int id = 0; id < kTerrainIds; ++id) {
            int wrong = 0;
            for (int y = 0; y < size(); ++y)
                for (int x = 0; x < size(); ++x)
                    wrong += pic().clear(id * size() + x, row * size() + y) == inHex(zoom(), x, y);
            EXPECT_EQ(wrong, 0) << "terrain " << id << " row " << row;
        }
}

TEST_P(MapSheetAtZoom, NightGroundIsDarkerThanDay)
{
    auto brightness = [&](int id, int row) {
        long sum = 0;
        for (int y = 0; y < size(); ++y)
            for (int x = 0; x < size(); ++x)
                if (inHex(zoom(), x, y)) {
                    const uint32_t c = pic().at(id * size() + x, row * size() + y);
                    sum += long(c >> 16 & 255) + long(c >> 8 & 255) + long(c & 255);
                }
        return sum;
    };
    for (int id = 0; id < kTerrainIds; ++id)
        EXPECT_LT(brightness(id, map_sheet::kGroundNight), brightness(id, map_sheet::kGroundDay) * 3 / 4) << "terrain " << id;
}

TEST_P(MapSheetAtZoom, RoadsAndRiversHaveDarkerNightPicturesInTheSameShape)
{
    auto sum = [&](int column, bool& shaped, int day_column) {
        long total = 0;
        for (int y = 0; y < size(); ++y)
            for (int x = 0; x < size(); ++x) {
                const bool drawn = !pic().clear(column * size() + x, map_sheet::kLines * size() + y);
                shaped = shaped && drawn == !pic().clear(day_column * size() + x, map_sheet::kLines * size() + y);
                if (drawn) {
                    const uint32_t c = pic().at(column * size() + x, map_sheet::kLines * size() + y);
                    total += long(c >> 16 & 255) + long(c >> 8 & 255) + long(c & 255);
                }
            }
        return total;
    };
    std::vector<int> columns { map_sheet::kRoadCentre };
    for (int d = 0; d < 6; ++d)
        columns.push_back(map_sheet::kRoad + d), columns.push_back(map_sheet::kRiver + d);
    for (int column : columns) {
        bool shaped = true;
        const long day = sum(column, shaped, column);
        const long night = sum(map_sheet::kLinesNight + column, shaped, column);
        EXPECT_TRUE(shaped) << "column " << column;
        EXPECT_GT(day, 0) << "column " << column;
        EXPECT_LT(night, day * 3 / 4) << "column " << column;
    }
}

TEST_P(MapSheetAtZoom, BuildingsAreBlueOrGreyInsideTheHexAndOnlyWhereThereIsOne)
{
    for (int row : { map_sheet::kBuildingDay, map_sheet::kBuildingNight })
        for (int id = 0; id < kTerrainIds; ++id) {
            int drawn = 0, outside = 0, untintable = 0;
            for (int y = 0; y < size(); ++y)
                for (int x = 0; x < size(); ++x) {
                    if (pic().clear(id * size() + x, row * size() + y))
                        continue;
                    ++drawn;
                    outside += !inHex(zoom(), x, y);
                    untintable += !blueOrGrey(pic().at(id * size() + x, row * size() + y));
                }
            EXPECT_EQ(drawn > 0, hasBuilding(id)) << "terrain " << id << " row " << row;
            EXPECT_EQ(outside, 0) << "terrain " << id;
            EXPECT_EQ(untintable, 0) << "terrain " << id;
        }
}

// Directions 0 west, 1 south-west, 2 south-east, 3 east, 4 north-east, 5 north-west: a picture
// along an edge lies on that edge's side of the hex, and a road leads towards it.
TEST_P(MapSheetAtZoom, EdgePicturesLieOnTheirEdgesSide)
{
    const double s = size();
    const double middles[6][2] = { { 0, s / 2 }, { s / 4, s * 7 / 8 }, { s * 3 / 4, s * 7 / 8 }, { s, s / 2 },
        { s * 3 / 4, s / 8 }, { s / 4, s / 8 } };
    auto toward = [&](int d, int x, int y) {
        return (x + 0.5 - s / 2) * (middles[d][0] - s / 2) + (y + 0.5 - s / 2) * (middles[d][1] - s / 2);
    };
    for (int d = 0; d < 6; ++d) {
        struct Edge {
            int column, row;
            bool road;
        };
        for (const Edge e : { Edge { map_sheet::kRoad + d, map_sheet::kLines, true }, Edge { map_sheet::kRiver + d, map_sheet::kLines, false },
                 Edge { d, map_sheet::kBorders, false } }) {
            int drawn = 0, wrongSide = 0, untintable = 0;
            double pull = 0;
            for (int y = 0; y < size(); ++y)
                for (int x = 0; x < size(); ++x) {
                    if (pic().clear(e.column * size() + x, e.row * size() + y))
                        continue;
                    ++drawn;
                    pull += toward(d, x, y);
                    wrongSide += toward(d, x, y) <= 0;
                    untintable += !blueOrGrey(pic().at(e.column * size() + x, e.row * size() + y));
                }
            EXPECT_GT(drawn, 0) << "column " << e.column << " row " << e.row;
            if (e.road) {
                EXPECT_GT(pull, 0) << "road " << d;
            } else {
                EXPECT_EQ(wrongSide, 0) << "column " << e.column << " row " << e.row;
            }
            if (e.row == map_sheet::kBorders) {
                EXPECT_EQ(untintable, 0) << "border " << d;
            }
        }
    }
    EXPECT_GT(drawnPixels(pic(), map_sheet::kRoadCentre, map_sheet::kLines, size()), 0);
}

TEST_P(MapSheetAtZoom, EveryMarkAndEffectFrameHasAPicture)
{
    for (int mark = map_sheet::kGridOutline; mark <= map_sheet::kSelected; ++mark)
        EXPECT_GT(drawnPixels(pic(), mark, map_sheet::kMarks, size()), 0) << "mark " << mark;
    for (int column = 0; column < 8 * map_sheet::kEffectFrames; ++column)
        EXPECT_GT(drawnPixels(pic(), column, map_sheet::kEffects, size()), 0) << "effect frame " << column;
}

INSTANTIATE_TEST_SUITE_P(Zooms, MapSheetAtZoom, testing::Values(0, 1, 2));

// A patch of the continent map composed from the sheets as the map view lays hexes out: every
// pixel of every hex gets exactly one ground picture. The whole picture, with roads, borders,
// buildings and units in their countries' colours, is written as a PNG to look at.
TEST(MapSheetTiling, ContinentPatchHasNoGapsAtAnyZoom)
{
    const std::vector<uint8_t> bytes = readProgramFile("tkmap/continent.vtm");
    ScenarioFile map;
    ASSERT_FALSE(readScenarioBytes(bytes, map)) << "continent map";
    constexpr int kPatchWidth = 14, kPatchHeight = 10, kLeft = 1, kTop = 0;
    ASSERT_GE(map.width(), kLeft + kPatchWidth);
    ASSERT_GE(map.height(), kTop + kPatchHeight);
    const std::map<int, int> pictures = unitPictures("weapon.dat");
    for (int zoom = 0; zoom < map_sheet::kZoomCount; ++zoom) {
        ASSERT_FALSE(sheet(zoom).pixels.empty());
        const Picture units = readSheet(map_sheet::kUnitSheetFile[zoom]);
        for (bool night : { false, true }) {
            SamplePatch patch(map, kLeft, kTop, kPatchWidth, kPatchHeight, zoom);
            patch.ground(sheet(zoom), night);
            int gaps = 0, overlaps = 0;
            for (int py = 0; py < patch.height(); ++py)
                for (int px = 0; px < patch.width(); ++px) {
                    int hx = 0, hy = 0;
                    gaps += patch.geometry().hexAt(px, py, hx, hy) && patch.covered(px, py) == 0;
                    overlaps += patch.covered(px, py) > 1;
                }
            EXPECT_EQ(gaps, 0) << "zoom " << zoom;
            EXPECT_EQ(overlaps, 0) << "zoom " << zoom;
            patch.overlays(sheet(zoom), night);
            patch.units(units, pictures);
            const auto png = std::filesystem::path(DERAZODO_PROGRAM_DIR).parent_path()
                / ("map_sheet_patch_" + std::to_string(map_sheet::kHexSize[zoom]) + (night ? "_night" : "_day") + ".png");
            EXPECT_TRUE(platform::writePng(png.string(), patch.width(), patch.height(), patch.image().data(), patch.width()));
        }
    }
}

} // namespace
