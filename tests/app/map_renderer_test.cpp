// The map renderer over a small world with placeholder sheets: layers, colours per side, fog,
// marks, effects, zooms, and the unit sheet of the game state.
#include "app/game_state_services.h"
#include "app/map_renderer.h"
#include "state/game_settings.h"
#include "state/game_state_services.h"
#include "state/sight_maps.h"
#include "tests/app/map_sheet_placeholders.h"
#include "tests/ui/looked_world.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

// Inside the tests' namespace, which holds the placeholder sheets and their colours.
namespace testing_app {
namespace {

struct Rgb {
    int r, g, b;
};
Rgb channels(uint32_t c) { return Rgb { int(c >> 16 & 0xFF), int(c >> 8 & 0xFF), int(c & 0xFF) }; }

class MapRendererTest : public ::testing::Test {
protected:
    MapRendererTest()
        : world(12, 10)
        , renderer(world.state(), world.look())
    {
        writePlaceholderSheets(world);
        world.state().recreateSightMaps();
        EXPECT_TRUE(renderer.loadSheets().empty());
        setZoom(1);
    }

    void setZoom(int zoom)
    {
        renderer.setZoom(zoom);
        renderer.setView(POINT { 0, 0 }, renderer.geometry().mapPixelSize());
        renderer.drawAll();
    }

    uint32_t at(int mapX, int mapY) const
    {
        const POINT o = renderer.viewOrigin();
        const SIZE s = renderer.viewSize();
        return renderer.pixels()[size_t(mapY - o.y) * size_t(s.cx) + size_t(mapX - o.x)] & 0xFFFFFF;
    }
    uint32_t centre(int x, int y) const
    {
        const POINT c = renderer.geometry().hexCentre(x, y);
        return at(c.x, c.y);
    }
    // How many pixels of the hex (not the corners of its cell) have the colour.
    int countInCell(int x, int y, uint32_t colour) const
    {
        const RECT r = renderer.geometry().hexRect(x, y);
        const int s = renderer.geometry().cell();
        int count = 0;
        for (int py = r.top; py < r.bottom; ++py)
            for (int px = r.left; px < r.right; ++px)
                count += insideHex(px - r.left, py - r.top, s) && at(px, py) == colour;
        return count;
    }
    std::vector<uint32_t> snapshot() const
    {
        const SIZE s = renderer.viewSize();
        return std::vector<uint32_t>(renderer.pixels(), renderer.pixels() + size_t(s.cx) * size_t(s.cy));
    }
    int landType()
    {
        for (const UnitTypeRecord& t : world.state().unitTypes())
            if (t.domain == 3 && t.available)
                return t.id;
        return world.state().unitTypes().front().id;
    }
    int airType()
    {
        for (const UnitTypeRecord& t : world.state().unitTypes())
            if (t.domain <= 2 && t.available)
                return t.id;
        return 0;
    }
    uint16_t& mark(int x, int y) { return world.state().markGrid()[size_t(y) * size_t(world.width()) + size_t(x)]; }

    testing_ui::LookedWorld world;
    MapRenderer renderer;
};

TEST_F(MapRendererTest, GroundFollowsDayAndNightAndLeavesTheRaggedEdgeBlank)
{
    EXPECT_EQ(centre(4, 4), kPlaceholderColours[kGroundDay]);
    // Left of the first hex of an odd row lies no hex.
    const POINT oddRow = renderer.geometry().hexCentre(0, 1);
    EXPECT_EQ(at(2, oddRow.y), 0u);
    renderer.setNight(true);
    renderer.drawAll();
    EXPECT_EQ(centre(4, 4), kPlaceholderColours[kGroundNight]);
}

TEST_F(MapRendererTest, UnitsTakeTheirCountrysCustomColourAndTheNeutralSideIsGrey)
{
    world.placeUnit(0, landType(), 2, 2);
    world.placeUnit(1, landType(), 6, 2);
    world.placeUnit(8, landType(), 9, 5);
    renderer.drawAll();
    // Country 0 keeps the sheet's blue (hue turn 0); country 1's default turn of 130 degrees
    // takes blue round to a red.
    const Rgb first = channels(centre(2, 2));
    const Rgb second = channels(centre(6, 2));
    const Rgb neutral = channels(centre(9, 5));
    EXPECT_GT(first.b, 200);
    EXPECT_LT(first.r + first.g, 20);
    EXPECT_GT(second.r, second.g);
    EXPECT_GT(second.r, second.b);
    EXPECT_EQ(neutral.r, neutral.g);
    EXPECT_EQ(neutral.g, neutral.b);
    EXPECT_GT(neutral.r, 0);

    // A changed custom colour reaches the map once the sheets are loaded again.
    CustomColourEntry entry = world.look().customColors()->entry(CustomColorTable::kFirstCountryEntry + 1);
    entry.hue = 0;
    world.look().customColors()->setEntry(CustomColorTable::kFirstCountryEntry + 1, entry);
    renderer.loadSheets();
    renderer.drawAll();
    EXPECT_EQ(centre(6, 2), centre(2, 2));
}

TEST_F(MapRendererTest, BuildingsAndBordersTakeTheirOwnersColours)
{
    int building = -1;
    for (size_t t = 0; t < world.state().terrainTypes().size(); ++t)
        if (world.state().terrainTypes()[t].kind > kTerrainBuilding) {
            building = int(t);
            break;
        }
    ASSERT_GE(building, 0);
    world.placeBuilding(building, 1, 3, 3);
    world.placeBuilding(building, -1, 8, 3);
    renderer.drawAll();
    const Rgb owned = channels(centre(3, 3));
    const Rgb nobodys = channels(centre(8, 3));
    EXPECT_GT(owned.r, owned.b);
    EXPECT_EQ(nobodys.r, nobodys.b);

    // Hex (3, 3) is owned and every neighbour is not: its border picture is drawn in its owner's
    // colour; the unowned hex beside it draws none.
    const POINT corner = renderer.geometry().hexOrigin(3, 3);
    const int s = renderer.geometry().cell();
    const auto [bx, by] = edgeSquare(s, 0);
    const Rgb border = channels(at(corner.x + bx + 1, corner.y + by + 1));
    EXPECT_GT(border.r, border.b);
    const POINT plain = renderer.geometry().hexOrigin(5, 5);
    EXPECT_EQ(at(plain.x + bx + 1, plain.y + by + 1), kPlaceholderColours[kGroundDay]);
}

TEST_F(MapRendererTest, AHexsRedrawMatchesAFullRedrawAfterItsOwnerChanged)
{
    for (int y = 2; y <= 6; ++y)
        for (int x = 2; x <= 6; ++x)
            world.cell(x, y).owner = 1;
    renderer.drawAll();
    for (int owner : { 2, 0, 1 }) {
        world.cell(4, 4).owner = uint8_t(owner);
        renderer.drawHex(4, 4);
        const std::vector<uint32_t> updated = snapshot();
        renderer.drawAll();
        EXPECT_EQ(updated, snapshot()) << "owner " << owner;
    }
}

TEST_F(MapRendererTest, RoadsAndRiversFollowTheCellBits)
{
    world.cell(4, 4).overlay = 1 << 3;
    world.cell(6, 4).substitute = 1 << 2;
    renderer.drawAll();
    const int s = renderer.geometry().cell();
    const POINT road = renderer.geometry().hexOrigin(4, 4);
    const POINT river = renderer.geometry().hexOrigin(6, 4);
    EXPECT_EQ(at(road.x + s / 8, road.y + s / 8), kPlaceholderColours[kRoad]);
    EXPECT_EQ(at(river.x + s / 8, river.y + s / 8), kPlaceholderColours[kRiver]);

    // By night they come from the night pictures, as the ground does.
    renderer.setNight(true);
    renderer.drawAll();
    EXPECT_EQ(at(road.x + s / 8, road.y + s / 8), kPlaceholderColours[kRoadNight]);
    EXPECT_EQ(at(river.x + s / 8, river.y + s / 8), kPlaceholderColours[kRiverNight]);
}

TEST_F(MapRendererTest, FogHidesAnEnemyUnitAndNotAnOwnOne)
{
    world.setRule(kRuleSearch, 1);
    world.placeUnit(0, landType(), 2, 2);
    world.placeUnit(1, landType(), 6, 2);
    renderer.drawAll();
    const uint32_t own = centre(2, 2);
    renderer.setViewer(0, true);
    renderer.drawAll();
    // Nothing is seen yet: both hexes are fogged, only the own unit shows through the stipple.
    EXPECT_GT(countInCell(2, 2, kPlaceholderColours[kFog]), 0);
    EXPECT_GT(countInCell(2, 2, own), 0);
    const int groundUnderFog = countInCell(6, 2, kPlaceholderColours[kGroundDay]);
    EXPECT_GT(groundUnderFog, 0);
    EXPECT_EQ(countInCell(6, 2, own) + countInCell(6, 2, kPlaceholderColours[kUnit]), 0);

    // Once country 0 sees the hex, the fog lifts and the enemy appears.
    world.state().fogMap()->setBit(0, 6, 2, 3);
    renderer.drawHex(6, 2);
    EXPECT_EQ(countInCell(6, 2, kPlaceholderColours[kFog]), 0);
    EXPECT_NE(centre(6, 2), kPlaceholderColours[kGroundDay]);

    // Fog switched off shows everything.
    renderer.setViewer(0, false);
    renderer.drawAll();
    EXPECT_EQ(countInCell(2, 2, kPlaceholderColours[kFog]), 0);
}

TEST_F(MapRendererTest, MarksAreShownAndClearedByRedrawingTheHex)
{
    const std::vector<uint32_t> before = snapshot();
    struct Case {
        uint16_t bits;
        Placeholder shown;
    };
    for (const Case& c : { Case { kMarkMoveRange, kRange }, Case { kMarkExtendedBand, kSecond },
             Case { kMarkCommandTarget, kTargetMark }, Case { kMarkMoveRange | kMarkCommandTarget, kTargetMark },
             Case { kMarkPath, kRouteMark }, Case { kMarkBlink, kBlinkMark }, Case { kMarkHighlighted, kSelectedMark } }) {
        mark(4, 4) = c.bits;
        renderer.drawHex(4, 4);
        EXPECT_EQ(centre(4, 4), kPlaceholderColours[c.shown]) << "marks " << c.bits;
        EXPECT_EQ(centre(5, 4), kPlaceholderColours[kGroundDay]);
    }
    mark(4, 4) = 0;
    renderer.drawHex(4, 4);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(MapRendererTest, EffectsAreErasedByRedrawingWhatLiesUnder)
{
    world.placeUnit(0, landType(), 4, 4);
    mark(4, 4) = kMarkMoveRange;
    renderer.drawAll();
    const std::vector<uint32_t> before = snapshot();
    for (int frame = 0; frame < map_sheet::kEffectFrames; ++frame) {
        renderer.drawEffect(4, 4, MapEffect::Explosion, frame);
        EXPECT_EQ(centre(4, 4), kPlaceholderColours[kEffect]);
        renderer.drawHex(4, 4);
        EXPECT_EQ(snapshot(), before) << "frame " << frame;
    }
    // A shot between two hexes: redrawing the rectangle it covered restores the picture.
    const POINT a = renderer.geometry().hexCentre(4, 4), b = renderer.geometry().hexCentre(5, 4);
    const POINT middle { (a.x + b.x) / 2, (a.y + b.y) / 2 };
    renderer.drawEffectAt(middle, MapEffect::Projectile, 3);
    EXPECT_EQ(at(middle.x, middle.y), kPlaceholderColours[kEffect]);
    const int s = renderer.geometry().cell();
    renderer.drawMapRect(RECT { middle.x - s / 2, middle.y - s / 2, middle.x + s / 2, middle.y + s / 2 });
    EXPECT_EQ(snapshot(), before);
}

TEST_F(MapRendererTest, StrengthAndStackCountFollowTheSettingAndTheStack)
{
    world.setRule(kRuleStacking, 1);
    world.placeUnit(0, landType(), 3, 3);
    world.placeUnit(0, landType(), 7, 3);
    const int air = airType();
    ASSERT_GT(air, 0);
    world.placeUnit(0, air, 7, 3);
    renderer.drawAll();
    const HexGeometry g = renderer.geometry();
    auto whiteIn = [&](int x, int y, bool upperLeft) {
        const RECT r = g.hexRect(x, y);
        const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
        int count = 0;
        for (int py = r.top; py < r.bottom; ++py)
            for (int px = r.left; px < r.right; ++px)
                if ((px < cx && py < cy) == upperLeft && (px >= cx && py >= cy) != upperLeft)
                    count += at(px, py) == 0xFFFFFF;
        return count;
    };
    EXPECT_GT(whiteIn(3, 3, false), 0);
    EXPECT_EQ(whiteIn(3, 3, true), 0);
    EXPECT_GT(whiteIn(7, 3, true), 0);

    world.state().settings().mapOnTroopNum = false;
    renderer.drawAll();
    EXPECT_EQ(whiteIn(3, 3, false), 0);
}

TEST_F(MapRendererTest, ZoomChangesTheGeometryAndTheView)
{
    world.placeUnit(0, landType(), 5, 3);
    for (int zoom = 0; zoom < map_sheet::kZoomCount; ++zoom) {
        setZoom(zoom);
        EXPECT_EQ(renderer.geometry().cell(), map_sheet::kHexSize[zoom]);
        EXPECT_EQ(renderer.viewSize().cx, renderer.geometry().mapPixelSize().cx);
        EXPECT_EQ(channels(centre(5, 3)).b, channels(kPlaceholderColours[kUnit]).b) << "zoom " << zoom;
        EXPECT_EQ(centre(5, 4), kPlaceholderColours[kGroundDay]);
    }
    // A view into the middle of the map draws the same pixels at its own origin.
    const uint32_t whole = centre(5, 3);
    const POINT c = renderer.geometry().hexCentre(5, 3);
    renderer.setView(POINT { c.x - 40, c.y - 30 }, SIZE { 100, 80 });
    renderer.drawAll();
    EXPECT_EQ(at(c.x, c.y), whole);
    renderer.drawHex(0, 9);
    renderer.drawHex(-1, 40);
    EXPECT_EQ(at(c.x, c.y), whole);
}

// The unit sheet the dialogs draw from: two rows per country, the second facing the other way.
TEST(UnitSheet, HoldsEachCountryInItsColourFacingBothWays)
{
    testing_ui::LookedWorld world(4, 4);
    PlaceholderSheet icons(map_sheet::kUnitCells, 1, 32);
    for (int c = 0; c < map_sheet::kUnitCells; ++c)
        icons.square(c, 0, 0, 8, kUnit);
    icons.write(world.host("tkbmp/unit32.bmp"));
    std::unique_ptr<swCBitmap> sheet = appGameStateServices().buildUnitSheet(world.look());
    ASSERT_TRUE(sheet);
    ASSERT_EQ(sheet->bitmapGetSize().cx, 1024);
    ASSERT_EQ(sheet->bitmapGetSize().cy, 512);

    std::vector<uint32_t> pixels(1024 * 512);
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 1024;
    info.bmiHeader.biHeight = -512;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    HDC screen = GetDC(nullptr);
    ASSERT_EQ(GetDIBits(screen, sheet->handle(), 0, 512, pixels.data(), &info, DIB_RGB_COLORS), 512);
    ReleaseDC(nullptr, screen);
    auto pixel = [&](int x, int y) { return pixels[size_t(y) * 1024 + size_t(x)] & 0xFFFFFF; };
    for (int country = 0; country < kCountryCount; ++country) {
        const int row = 2 * country * 32;
        // The icon's marked corner is top-left, and top-right in the turned row.
        EXPECT_NE(pixel(32 * 5 + 2, row + 2), 0xFF00FFu) << country;
        EXPECT_EQ(pixel(32 * 5 + 29, row + 2), 0xFF00FFu) << country;
        EXPECT_EQ(pixel(32 * 5 + 29, row + 32 + 2), pixel(32 * 5 + 2, row + 2)) << country;
        EXPECT_EQ(pixel(32 * 5 + 2, row + 32 + 2), 0xFF00FFu) << country;
    }
    EXPECT_NE(pixel(2, 2), pixel(2, 2 * 32 + 2));
}

// The dialogs' small pictures, drawn from the generated base bitmaps into a black 32 x 32 canvas.
class DialogPictures : public ::testing::Test {
protected:
    DialogPictures()
    {
        namespace fs = std::filesystem;
        fs::create_directories(folder.host("tkbmp"));
        for (const char* name : { "land16_base.bmp", "land32_base.bmp", "unit32.bmp" })
            fs::copy_file(fs::path(DERAZODO_PROGRAM_DIR) / "tkbmp" / name, fs::path(folder.host("tkbmp")) / name, fs::copy_options::overwrite_existing);
        m_previous = gameStateServices();
        m_previousLook = presentationServices();
        installAppGameStateServices(&appGameStateServices());
        // Normal mode without asking.
        makeNamedValue("SimpleMode").profileWriteInt(0);
        state.startUp();
        look.startUp();
        state.mapHeader().width = 4;
        state.mapHeader().height = 4;
        BITMAPINFO info {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = 32;
        info.bmiHeader.biHeight = -32;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* memory = nullptr;
        canvas = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
        pixels = static_cast<uint32_t*>(memory);
        dc = CreateCompatibleDC(nullptr);
        old = SelectObject(dc, canvas);
    }
    ~DialogPictures() override
    {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(canvas);
        // Shut down while the services that made its area analysis and battle data can free them.
        look.shutDown();
        state.shutDown();
        setGameStateServices(m_previous);
        setPresentationServices(m_previousLook);
    }
    void clear() { std::fill_n(pixels, 32 * 32, 0u); }
    uint32_t at(int x, int y) const
    {
        GdiFlush();
        return pixels[y * 32 + x] & 0xFFFFFF;
    }
    int drawn() const
    {
        int count = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                count += at(x, y) != 0;
        return count;
    }
    // The sum of each channel over the drawn pixels.
    Rgb sums() const
    {
        Rgb total { 0, 0, 0 };
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const Rgb c = channels(at(x, y));
                total.r += c.r, total.g += c.g, total.b += c.b;
            }
        return total;
    }
    int typeId() const
    {
        for (const UnitTypeRecord& t : state.unitTypes())
            if (t.domain == 3 && t.available)
                return t.id;
        return 0;
    }

    testing_state::DataFolder folder;
    GameState state;
    Presentation look { state };
    HBITMAP canvas = nullptr;
    uint32_t* pixels = nullptr;
    HDC dc = nullptr;
    HGDIOBJ old = nullptr;

private:
    GameStateServices* m_previous = nullptr;
    PresentationServices* m_previousLook = nullptr;
};

TEST_F(DialogPictures, UnitIconsTakeTheCountrysColourFaceBothWaysAndGreyForTheNeutralSide)
{
    const int id = typeId();
    ASSERT_GT(id, 0);
    clear();
    look.drawUnitIcon(dc, 0, 0, 0, id, 0);
    ASSERT_GT(drawn(), 0);
    const Rgb blue = sums();
    EXPECT_GT(blue.b, blue.r);
    std::vector<uint32_t> facing(pixels, pixels + 32 * 32);

    clear();
    look.drawUnitIcon(dc, 0, 0, 0, id, 1);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(at(x, y), facing[size_t(y * 32 + 31 - x)] & 0xFFFFFF) << x << "," << y;

    clear();
    look.drawUnitIcon(dc, 0, 0, 1, id, 0);
    const Rgb red = sums();
    EXPECT_GT(red.r, red.b);

    clear();
    look.drawUnitIcon(dc, 0, 0, 8, id, 0);
    ASSERT_GT(drawn(), 0);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const Rgb c = channels(at(x, y));
            ASSERT_TRUE(c.r == c.g && c.g == c.b) << x << "," << y;
        }

    clear();
    look.drawUnitIcon(dc, 0, 0, 0, 14999, 0);
    EXPECT_EQ(drawn(), 0);
}

TEST_F(DialogPictures, LandIconsKeepToTheirClipWidthAndHexPicturesNeedAHexOfTheMap)
{
    int building = -1;
    for (size_t t = 0; t < state.terrainTypes().size(); ++t)
        if (state.terrainTypes()[t].kind > kTerrainBuilding) {
            building = int(t);
            break;
        }
    ASSERT_GT(building, 0);
    clear();
    look.drawLandIcon(dc, 0, 0, building, building, 0, 9);
    EXPECT_GT(drawn(), 0);
    for (int y = 0; y < 32; ++y)
        for (int x = 9; x < 32; ++x)
            ASSERT_EQ(at(x, y), 0u) << x << "," << y;

    clear();
    EXPECT_FALSE(look.drawHexBuilding(dc, 0, 0, 4, 0));
    EXPECT_EQ(drawn(), 0);
    ASSERT_TRUE(look.drawHexBuilding(dc, 0, 0, 1, 1));
    const std::vector<uint32_t> plain(pixels, pixels + 32 * 32);
    state.terrainGrid()[1 * 4 + 1].terrain = uint8_t(building);
    clear();
    ASSERT_TRUE(look.drawHexBuilding(dc, 0, 0, 1, 1));
    EXPECT_NE(std::vector<uint32_t>(pixels, pixels + 32 * 32), plain);
}

} // namespace
} // namespace testing_app
