// The unit information panels drawn into an off-screen page and read back: a rich unit type's
// icons in their cells, the values the rules hide during play, the ammunition and fuel colours, the
// weapon rows, the picture and its stand-in, and the movement panel's bound by the terrain table.
#include "infowin/game_options.h"
#include "infowin/panel_text.h"
#include "infowin/sheet_layout.h"
#include "infowin/unit_panels.h"
#include "lib/media/dc_holders.h"

#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "state/unit_facts.h"
#include "ui/presentation.h"
#include "tests/infowin/info_world.h"

#include <cstring>
#include <functional>

using namespace info_test;

namespace {

constexpr uint32_t kPageColour = 0x203040;

// A 720 x 600 page (the information windows' size) in a 32-bit DIB section, filled with one colour, drawn into through a memory DC.
class Page {
public:
    Page()
    {
        BITMAPINFO info = topDownBitmapInfo(kWidth, kHeight);
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_pixels), nullptr, 0);
        m_old = SelectObject(m_dc, m_bitmap);
        for (int i = 0; i < kWidth * kHeight; ++i)
            m_pixels[i] = kPageColour;
    }
    ~Page()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    HDC dc() const { return m_dc; }
    Image image() const
    {
        GdiFlush();
        Image out;
        out.width = kWidth;
        out.height = kHeight;
        out.pixels.assign(m_pixels, m_pixels + kWidth * kHeight);
        return out;
    }

    static constexpr int kWidth = 720;
    static constexpr int kHeight = 600;

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    uint32_t* m_pixels = nullptr;
};

// Whether the page's rectangle at (x, y) equals the other's at (ox, oy).
bool sameArea(const Image& a, int x, int y, const Image& b, int ox, int oy, int width, int height)
{
    for (int dy = 0; dy < height; ++dy)
        for (int dx = 0; dx < width; ++dx)
            if (rgb(a, x + dx, y + dy) != rgb(b, ox + dx, oy + dy))
                return false;
    return true;
}

bool blankArea(const Image& a, int x, int y, int width, int height)
{
    return countColour(a, x, y, x + width, y + height, kPageColour) == width * height;
}

class UnitPanels : public ::testing::Test {
protected:
    UnitPanels()
    {
        typeId = s.unitTypes()[2].id;
        // The icon sheet itself, drawn once for comparisons.
        const swCBitmap* sheet = presentation().baseBitmap(kInfoButtons);
        if (sheet && sheet->handle())
            PaletteHolder(sheetPage.dc()).blitBitmap(0, 0, sheet->handle(), RECT { 0, 0, 720, 344 });
        sheetImage = sheetPage.image();
    }
    UnitTypeRecord& type() { return info.world.editType(typeId); }
    int weapon(const char* name, const char* sub)
    {
        return s.findWeaponByName(platform::utf8ToCp932(name).c_str(), platform::utf8ToCp932(sub).c_str(), 0, 0);
    }
    void fit(int slot, int weaponId, int ammo)
    {
        WeaponSlot& w = type().weaponSlot[slot];
        std::memset(&w, 0, sizeof w);
        std::memcpy(w.name, s.weaponRecord(weaponId).name, sizeof w.name);
        w.multiplier = 2;
        w.weaponId = uint16_t(weaponId);
        type().model[0].ammo[slot] = uint8_t(ammo);
    }
    // A type with something for every icon of the panel but the self-destruct one.
    void makeRich()
    {
        UnitTypeRecord& t = type();
        t.domain = 3;
        t.nightPercent = 50;
        t.concealRadius = 2;
        t.terrainConcealRadius = 7;
        t.secondConcealRadius = 9;
        t.areaRadius = 8;
        t.flags = 0x2000 | 0x4000 | 0x0400 | 0x0080 | 0x1000 | 0x0001 | 0x0002 | 0x0800;
        t.suppliedBy = 1 | 2 | 4;
        t.baseType = uint16_t(s.unitTypes()[0].id + 1);
        t.berthMask[0] = 0x02;
        t.berthCount[0] = 10;
        t.carryClass = 0x10;
        t.range[3] = 2;
        for (int i = 0; i < kWeaponSlotCount; ++i)
            std::memset(&t.weaponSlot[i], 0, sizeof t.weaponSlot[i]);
        fit(0, weapon("戦車砲", "120mm"), 12);
        fit(1, weapon("電子妨害装置", "ECM"), 5);
        fit(2, weapon("巡航ミサイル", "発射機"), 4);
        fit(3, weapon("補給物資", ""), 10);
    }
    // The icon cell from the sheet stands at the panel's place.
    bool iconAt(const Image& page, const info_sheet::Cell& cell, int x, int y)
    {
        return sameArea(page, x, y, sheetImage, cell.x, cell.y, cell.width, cell.height);
    }
    Image draw(const std::function<void(HDC)>& panels)
    {
        Page page;
        panels(page.dc());
        return page.image();
    }

    InfoWorld info;
    GameState& s = info.state();
    int typeId = 0;
    Page sheetPage;
    Image sheetImage;
};

} // namespace

TEST_F(UnitPanels, RichTypeShowsEachIconInItsCell)
{
    makeRich();
    const Image page = draw([&](HDC dc) {
        drawTypeHeader(dc, presentation(), s, type(), 1);
        drawCapabilityIcons(dc, presentation(), s, type());
        drawArmamentSetBlock(dc, presentation(), s, 0, type(), nullptr);
        drawWeaponTable(dc, presentation(), s, 0, type(), *presentation().baseBitmap(kInfoButtons), 0, 264, 0);
    });
    saveShot(page, "unit_panels_rich");
    using info_sheet::Capability;
    using info_sheet::capabilityIcon;
    struct Expected {
        info_sheet::Cell cell;
        int x, y;
    };
    const Expected icons[] = {
        { info_sheet::nightSightIcon(50), 14, 354 },
        { info_sheet::grade1Icon(2), 74, 354 },
        { info_sheet::grade2Icon(7), 134, 354 },
        { info_sheet::grade3Icon(9), 194, 354 },
        { capabilityIcon(Capability::HardArmour), 254, 354 },
        { capabilityIcon(Capability::Berths), 314, 354 },
        { capabilityIcon(Capability::LandingShip), 374, 354 },
        { capabilityIcon(Capability::Intercept), 14, 378 },
        { info_sheet::areaRadiusIcon(8), 74, 378 },
        { capabilityIcon(Capability::Ecm), 134, 378 },
        { capabilityIcon(Capability::Launch), 194, 378 },
        { capabilityIcon(Capability::BaseType), 314, 378 },
        { capabilityIcon(Capability::Airborne), 374, 378 },
        { capabilityIcon(Capability::Supply), 14, 402 },
        { capabilityIcon(Capability::Occupy), 74, 402 },
        { capabilityIcon(Capability::Engineering), 134, 402 },
        { capabilityIcon(Capability::Demolition), 194, 402 },
        { capabilityIcon(Capability::Bridge), 254, 402 },
        { capabilityIcon(Capability::Pillbox), 314, 402 },
        { capabilityIcon(Capability::Road), 374, 402 },
        { capabilityIcon(Capability::Reinforce), 14, 426 },
        { capabilityIcon(Capability::LandMines), 74, 426 },
        { capabilityIcon(Capability::SeaMines), 134, 426 },
        { capabilityIcon(Capability::AirRefuel), 194, 426 },
        { capabilityIcon(Capability::GroundSupply), 254, 426 },
        { capabilityIcon(Capability::SeaSupply), 314, 426 },
        { info_sheet::carryBadge(3), 244, 30 },
        { info_sheet::berthBadge(6), 96, 208 },
    };
    for (const Expected& e : icons)
        EXPECT_TRUE(iconAt(page, e.cell, e.x, e.y)) << e.x << "," << e.y;
    // No self-destruct weapon: its cell stays empty.
    EXPECT_TRUE(blankArea(page, 254, 378, 60, 24));
    // Slot 4 is not fitted: its rows of the block and of the table stay empty.
    EXPECT_TRUE(blankArea(page, 456, 268 + 80, 250, 12));
    EXPECT_TRUE(blankArea(page, 8, 522 + 64 - 14, 704, 16));
    // Loaded slots lie on their bars.
    EXPECT_TRUE(iconAt(page, { 0, 264, 8, 2 }, 8, 522 - 14));
}

TEST_F(UnitPanels, RuleDependentValuesShowOutsidePlayAndFollowTheRulesInPlay)
{
    makeRich();
    auto header = [&] { return draw([&](HDC dc) { drawTypeHeader(dc, presentation(), s, type(), -1); }); };
    auto icons = [&] { return draw([&](HDC dc) { drawCapabilityIcons(dc, presentation(), s, type()); }); };
    // A byte the rule editors never write is off, as the rules play it.
    for (RuleSwitch rule : { kRuleSearch, kRuleSightLayers, kRuleInterception, kRuleProducing, kRuleProductionCount, kRuleBombing })
        info.world.setRule(rule, 2);
    const Image outside = header();
    const Image outsideIcons = icons();
    info.startPlay();
    const Image hidden = header();
    const Image hiddenIcons = icons();
    // Production (382, 187), sight (120, 258) and range (120, 302) cells.
    EXPECT_FALSE(sameArea(outside, 382, 187, hidden, 382, 187, 48, 12));
    EXPECT_FALSE(sameArea(outside, 120, 258, hidden, 120, 258, 12, 12));
    EXPECT_FALSE(sameArea(outside, 300, 302, hidden, 300, 302, 12, 12));
    // The interception and demolition icons need rules 31 and 15.
    EXPECT_TRUE(blankArea(hiddenIcons, 14, 378, 60, 24));
    EXPECT_TRUE(blankArea(hiddenIcons, 194, 402, 60, 24));
    EXPECT_FALSE(blankArea(outsideIcons, 14, 378, 60, 24));
    for (RuleSwitch rule : { kRuleSearch, kRuleSightLayers, kRuleInterception, kRuleProducing, kRuleProductionCount, kRuleBombing })
        info.world.setRule(rule, 1);
    const Image shown = header();
    EXPECT_TRUE(sameArea(outside, 0, 0, shown, 0, 0, 720, 320));
    info.world.setRule(kRuleRepairing, 2);
    EXPECT_FALSE(ruleInEffect(s, kRuleRepairing));
}

TEST_F(UnitPanels, AmmunitionAndFuelTurnRedAtAQuarterAndOrangeAtAHalf)
{
    makeRich();
    for (int i = 0; i < 3; ++i)
        type().model[0].ammo[i] = 12;
    type().model[0].fuel = 40;
    UnitRecord unit {};
    unit.unitTypeId = uint16_t(typeId);
    unit.ammunition[0] = 3;
    unit.ammunition[1] = 6;
    unit.ammunition[2] = 7;
    unit.fuel = 10;
    const Image page = draw([&](HDC dc) { drawArmamentSetBlock(dc, presentation(), s, 0, type(), &unit); });
    auto held = [&](int row, uint32_t colour) { return countColour(page, 674, 268 + 20 * row, 686, 280 + 20 * row, colour); };
    EXPECT_GT(held(0, kRedPixel), 3);
    EXPECT_GT(held(1, kOrangePixel), 3);
    EXPECT_GT(held(2, kWhitePixel), 3);
    EXPECT_EQ(held(2, kRedPixel) + held(2, kOrangePixel), 0);
    EXPECT_GT(countColour(page, 632, 368, 650, 380, kRedPixel), 3);
    // Slot 3 has no ammunition in the set: its whole row is grey.
    type().model[0].ammo[3] = 0;
    const Image empty = draw([&](HDC dc) { drawArmamentSetBlock(dc, presentation(), s, 0, type(), nullptr); });
    EXPECT_GT(countColour(empty, 456, 328, 648, 340, kPanelGreyPixel), 10);
    EXPECT_EQ(countColour(empty, 456, 328, 648, 340, kWhitePixel), 0);
}

TEST_F(UnitPanels, LaunchWeaponsShowTheLaunchedTypesFuelAsTheirReach)
{
    makeRich();
    const WeaponRecord& launcher = s.weaponRecord(type().weaponSlot[2].weaponId);
    ASSERT_TRUE(launcher.kind == 2 || launcher.kind == 3);
    const int fuel = s.unitTypeRecord(launcher.launchedType).model[0].fuel;
    ASSERT_NE(fuel, launcher.reach);
    const Image page = draw([&](HDC dc) { drawWeaponTable(dc, presentation(), s, 0, type(), *presentation().baseBitmap(kInfoButtons), 0, 264, 0); });
    const int b = 522 + 32;
    const Image expected = draw([&](HDC dc) {
        PaletteHolder(dc).blitBitmap(8, b - 14, presentation().baseBitmap(kInfoButtons)->handle(), RECT { 0, 264 + 32, 704, 264 + 48 });
        panel::TextScope scope(dc, presentation().font(kSmallFont));
        panel::format(dc, 264, b - 12, 276, b, DT_LEFT, "%2d", fuel);
    });
    EXPECT_TRUE(sameArea(page, 264, b - 12, expected, 264, b - 12, 12, 12));
}

TEST_F(UnitPanels, ATypeWithoutAPictureShowsTheStandIn)
{
    const uint16_t own = type().imageNumber;
    type().imageNumber = 999; // "0999.bmp" is not in the unit folder
    const Image page = draw([&](HDC dc) { drawUnitPicture(dc, type()); });
    // "000.bmp" is 200 x 100 with a grey frame, black transparent, centred in the box at (16, 48).
    EXPECT_EQ(rgb(page, 96, 78), 0x808480u);
    EXPECT_EQ(rgb(page, 98, 80), kPageColour);
    type().imageNumber = own;
    const Image picture = draw([&](HDC dc) { drawUnitPicture(dc, type()); });
    EXPECT_NE(rgb(picture, 96, 78), 0x808480u);
    EXPECT_FALSE(blankArea(picture, 16, 48, 360, 160));
}

TEST_F(UnitPanels, MovementPanelShowsDashesForTheImmobileAndPastTheTerrainTable)
{
    auto dash = [&](const info_sheet::Cell& box) {
        return draw([&](HDC dc) {
            drawMovementPanel(dc, presentation(), s, type());
            panel::TextScope scope(dc, presentation().font(kSmallFont));
            panel::text(dc, box.x, box.y, box.right(), box.bottom(), "-");
        });
    };
    auto isDash = [&](const Image& page, int n) {
        const info_sheet::Cell box = info_sheet::movePanelFigure(n);
        return sameArea(page, box.x, box.y, dash(box), box.x, box.y, box.width, box.height);
    };
    for (TerrainRecord& terrain : const_cast<std::vector<TerrainRecord>&>(s.terrainTypes()))
        std::memset(terrain.moveCost, 3, sizeof terrain.moveCost);
    const Image mobile = draw([&](HDC dc) { drawMovementPanel(dc, presentation(), s, type()); });
    EXPECT_FALSE(isDash(mobile, 0));
    EXPECT_FALSE(isDash(mobile, 52));
    type().model[0].values[0] = 0;
    const Image immobile = draw([&](HDC dc) { drawMovementPanel(dc, presentation(), s, type()); });
    for (int n = 0; n < info_sheet::kMovePanelEntries; n += 13)
        EXPECT_TRUE(isDash(immobile, n)) << n;

    // A terrain table of 40 types: the list's later terrains (bridges 50..53, buildings 40..49)
    // show "-" instead of reading past the table.
    type().model[0].values[0] = 5;
    const std::string land = info.world.read("land.dat");
    size_t at = 0;
    for (int line = 0; line < 40; ++line)
        at = land.find('\n', at) + 1;
    info.world.write("land.dat", land.substr(0, at));
    s.loadTerrainData();
    ASSERT_EQ(s.terrainTypes().size(), 40u);
    for (TerrainRecord& terrain : const_cast<std::vector<TerrainRecord>&>(s.terrainTypes()))
        std::memset(terrain.moveCost, 3, sizeof terrain.moveCost);
    const Image cutPage = draw([&](HDC dc) { drawMovementPanel(dc, presentation(), s, type()); });
    EXPECT_FALSE(isDash(cutPage, 0));                 // terrain 1
    EXPECT_TRUE(isDash(cutPage, 30));                 // terrain 52
    EXPECT_TRUE(isDash(cutPage, 52));                 // terrain 49
    EXPECT_FALSE(isDash(cutPage, 34 + 8));            // terrain 39
    EXPECT_TRUE(isDash(cutPage, 34 + 9));             // terrain 40
}
