// The sample maps in the map view at each zoom, by day and night, with and without fog, and with a
// unit's movement range and attack targets marked. The pictures go to the folder DERAZODO_SHOTS
// names (nothing is written when it is unset); the tests check what can be told from the pixels.
#include "ui/private_messages.h"
#include "rules/commands.h"
#include "rules/current_action_marks.h"
#include "rules/fog.h"
#include "rules/play.h"
#include "rules/supply_lines.h"
#include "rules/unit_removal.h"
#include "state/campaign_progress.h"
#include "state/sight_maps.h"
#include "state/unit_facts.h"
#include "tests/app/image_compare.h"
#include "tests/app/map_window_world.h"
#include "tests/ui/looked_world.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>
#include <string>

using testing_app::Image;
using testing_app::MapWindowHarness;

namespace {

namespace fs = std::filesystem;

// The sight of every kind of unit (land, sea, air ...), as the map shows it.
constexpr uint32_t kAllLayers = 0x3F;
constexpr SIZE kViewSize { 800, 600 };

// A sample file loaded as a new game is, with its first country in play acting as a person at
// the start of its first action phase.
class SampleGame : public testing_ui::LookedWorld {
public:
    explicit SampleGame(const std::string& file)
        : LookedWorld(4, 4)
    {
        const fs::path program = DERAZODO_PROGRAM_DIR;
        fs::create_directories(host("tkmap"));
        fs::copy_file(program / "tkmap" / file, host("tkmap/" + file));
        // The renderer reads the generated sheets; nothing here writes to them.
        linkGenerated("tkbmp");
        const std::string path = "tkmap\\" + file;
        loaded = fs::path(file).extension() == ".vtc" ? startCampaign(state(), path.c_str(), 0)
                                                      : state().loadMapFile(path.c_str());
    }

    void startPersonsTurn()
    {
        GameState& s = state();
        for (int c = 0; c < kCountryCount && person < 0; ++c)
            if (s.countryTakesPart(c))
                person = c;
        ASSERT_GE(person, 0) << "no country in play";
        s.country(person).controller = 1;
        startPlay(s);
        TurnBlock& turn = s.turnBlock();
        turn.turn = 1;
        turn.phase = kPhaseAction;
        turn.currentCountry = uint8_t(person);
        turn.viewingCountry = uint8_t(person);
        s.handshake().setWaitingForAnswer(true);
        updateSupplyLines(s);
        setFog(true);
    }

    void setFog(bool on)
    {
        setRule(kRuleSearch, on ? 1 : 0);
        rebuildSightMaps(state());
    }

    // Night shows on the first turn when the map starts at night.
    void setNight(bool on)
    {
        setRule(kRuleDayNight, 1);
        state().mapHeader().startTime = on ? 1 : 0;
    }

    bool loaded = false;
    int person = -1;
};

// The map window grown to the screenshot size, the whole view on screen.
class SampleView {
public:
    explicit SampleView(SampleGame& game)
        : game(game)
        , harness(game.state())
    {
        MoveWindow(harness.parent.handle(), 0, 0, kViewSize.cx + 40, kViewSize.cy + 40, TRUE);
        MoveWindow(harness.window->handle(), 0, 0, kViewSize.cx, kViewSize.cy, TRUE);
        refresh();
    }

    void refresh() { harness.send(ui_message::kMapFullRefresh); }

    void setZoom(int zoom, HexPos centre)
    {
        presentation().mapView().zoom = zoom;
        refresh();
        harness.window->centreOn(centre.x, centre.y);
        testing_lib::pump();
    }

    RECT client() const
    {
        RECT r {};
        GetClientRect(harness.window->handle(), &r);
        return r;
    }

    // The client area as it is on the screen.
    Image shot() const
    {
        const RECT r = client();
        POINT a { r.left, r.top }, b { r.right, r.bottom };
        ClientToScreen(harness.window->handle(), &a);
        ClientToScreen(harness.window->handle(), &b);
        return platform::harness::readRect(RECT { a.x, a.y, b.x, b.y });
    }

    // The view's pixel rectangle of the hex, in the image shot() takes.
    RECT hexRect(int x, int y) const
    {
        const HexGeometry g(harness.window->zoom(), game.state().mapWidth(), game.state().mapHeight());
        RECT r = g.hexRect(x, y);
        const POINT o = harness.window->viewOrigin();
        OffsetRect(&r, -o.x, -o.y);
        return r;
    }

    // A square around the hex's centre that no neighbour's cell reaches.
    RECT hexCore(int x, int y) const
    {
        const RECT r = hexRect(x, y);
        const int w = r.right - r.left, inset = w * 3 / 8;
        return RECT { r.left + inset, r.top + inset, r.right - inset, r.bottom - inset };
    }

    bool hexWhollyInView(int x, int y) const
    {
        const RECT r = hexRect(x, y);
        const RECT view = client();
        return r.left >= 0 && r.top >= 0 && r.right <= view.right && r.bottom <= view.bottom;
    }

    // Clicks the unit's hex as a person does; true when the orders took it.
    bool select(int index)
    {
        const UnitRecord* unit = game.state().unitOf(game.person, index);
        harness.window->ensureVisible(unit->x, unit->y);
        harness.clickHex(unit->x, unit->y);
        const auto& chosen = harness.host.selections;
        return harness.window->orders().stage() == OrderStage::Selected && !chosen.empty()
            && chosen.back().side == game.person && chosen.back().index == index;
    }

    // Cancels as the right button does, as often as it takes to leave the unit with no order.
    void letGo()
    {
        for (int i = 0; i < 3 && harness.window->orders().stage() != OrderStage::Idle; ++i) {
            harness.window->orders().cancel();
            testing_lib::pump();
        }
    }

    uint32_t offeredCommands() const
    {
        return harness.host.selections.empty() ? 0 : harness.host.selections.back().mask;
    }

    // The mean brightness of the centres of the hexes in view; the view may reach past the map.
    double mapBrightness(const Image& image) const
    {
        double sum = 0;
        int hexes = 0;
        for (int y = 0; y < game.state().mapHeight(); ++y)
            for (int x = 0; x < game.state().mapWidth(); ++x)
                if (hexWhollyInView(x, y)) {
                    const RECT core = hexCore(x, y);
                    sum += testing_app::meanBrightness(image, core.left, core.top, core.right, core.bottom);
                    ++hexes;
                }
        return hexes ? sum / hexes : 0;
    }

    SampleGame& game;
    MapWindowHarness harness;
};

void save(const Image& image, const std::string& name)
{
    const char* folder = std::getenv("DERAZODO_SHOTS");
    if (!folder || !*folder)
        return;
    fs::create_directories(folder);
    EXPECT_TRUE(platform::harness::writePng(image, (fs::path(folder) / (name + ".png")).string())) << name;
}

int distinctColours(const Image& image)
{
    std::set<uint32_t> colours;
    for (uint32_t c : image.pixels)
        if (colours.insert(c & 0xFFFFFF).second && colours.size() > 64)
            break;
    return int(colours.size());
}

// The person's units on the map, first the one whose own hex is most central.
std::vector<int> personsUnitsOnMap(SampleGame& game)
{
    GameState& s = game.state();
    std::vector<int> units;
    for (int i = 0; i < int(s.unitCount(game.person)); ++i) {
        const UnitRecord* unit = s.unitOf(game.person, i);
        if (unit && unitInPlay(*unit) && s.isOnMap(unit->x, unit->y))
            units.push_back(i);
    }
    return units;
}

HexPos hexOf(GameState& s, int side, int index)
{
    const UnitRecord* unit = s.unitOf(side, index);
    return { unit->x, unit->y };
}

std::vector<HexPos> hexesWhere(GameState& s, const std::function<bool(int, int)>& test)
{
    std::vector<HexPos> hexes;
    for (int y = 0; y < s.mapHeight(); ++y)
        for (int x = 0; x < s.mapWidth(); ++x)
            if (test(x, y))
                hexes.push_back({ x, y });
    return hexes;
}

struct PlannedAttack {
    int index = -1;
    HexPos from = kNoHex;
};

// A unit of the person and a hex in its reach from which the attack is offered, found by the
// clicks a person would make: the unit, then each destination in turn.
PlannedAttack findAttack(SampleView& view, const std::vector<int>& units)
{
    GameState& s = view.game.state();
    constexpr uint32_t kAttack = 1u << kCommandAttack;
    for (int index : units) {
        const HexPos own = hexOf(s, view.game.person, index);
        // At the smallest zoom the whole reach is in view.
        view.setZoom(0, own);
        if (!view.select(index))
            continue;
        if (view.offeredCommands() & kAttack) {
            view.letGo();
            return { index, own };
        }
        for (const HexPos& hex : hexesWhere(s, [&](int x, int y) { return isInMoveRange(s, x, y); })) {
            if (hex == own)
                continue;
            view.harness.clickHex(hex.x, hex.y);
            if (view.offeredCommands() & kAttack) {
                view.letGo();
                return { index, hex };
            }
        }
        view.letGo();
    }
    return {};
}

// Moves a unit of another country onto a free hex of its own ground next to the person's unit.
bool bringEnemyNextTo(SampleGame& game, int index)
{
    GameState& s = game.state();
    const HexPos at = hexOf(s, game.person, index);
    for (int side = 0; side < kSideCount; ++side) {
        if (side == game.person || s.isAllied(side, game.person))
            continue;
        for (int i = 0; i < int(s.unitCount(side)); ++i) {
            UnitRecord* enemy = s.unitOf(side, i);
            if (!enemy || !unitInPlay(*enemy) || !s.isOnMap(enemy->x, enemy->y))
                continue;
            const int ground = s.terrainCellAt(enemy->x, enemy->y)->terrain;
            for (int d = 0; d < 6; ++d) {
                const HexPos n = hexNeighbour(at.x, at.y, d, s.mapWidth(), s.mapHeight());
                std::vector<UnitRef> there;
                if (!n.valid() || s.terrainCellAt(n.x, n.y)->terrain != ground || s.collectUnitsInHex(n.x, n.y, there)
                    || s.unitCellAt(n.x, n.y)->building)
                    continue;
                removeUnitFromHex(s, side, i);
                enemy->x = uint8_t(n.x);
                enemy->y = uint8_t(n.y);
                s.placeUnitRefInHex(n.x, n.y, s.unitSlotFor(enemy->type().domain), side + 1, i);
                rebuildSightMaps(s);
                return true;
            }
        }
    }
    return false;
}

// Where the armies stand too far apart on the first turn to fight, an enemy is brought next to
// each of the person's units in turn until one is offered the attack.
PlannedAttack attackOnABroughtEnemy(SampleView& view, const std::vector<int>& units)
{
    GameState& s = view.game.state();
    for (int index : units) {
        if (!bringEnemyNextTo(view.game, index))
            continue;
        const HexPos own = hexOf(s, view.game.person, index);
        view.setZoom(0, own);
        const bool offered = view.select(index) && (view.offeredCommands() & (1u << kCommandAttack));
        view.letGo();
        if (offered)
            return { index, own };
    }
    return {};
}

bool insideAny(const std::vector<RECT>& rects, int px, int py)
{
    return std::any_of(rects.begin(), rects.end(), [&](const RECT& r) {
        return px >= r.left && px < r.right && py >= r.top && py < r.bottom;
    });
}

// Every pixel that changed lies in the cell of a marked hex, and each marked hex wholly in view changed.
void expectChangesOnlyOver(const SampleView& view, const Image& before, const Image& after,
    const std::vector<HexPos>& marked, const std::string& what)
{
    ASSERT_EQ(before.pixels.size(), after.pixels.size());
    std::vector<RECT> cells;
    for (const HexPos& hex : marked)
        cells.push_back(view.hexRect(hex.x, hex.y));
    int stray = 0, changed = 0;
    for (int py = 0; py < after.height; ++py)
        for (int px = 0; px < after.width; ++px)
            if ((before.at(px, py) ^ after.at(px, py)) & 0xFFFFFF) {
                ++changed;
                stray += !insideAny(cells, px, py);
            }
    EXPECT_GT(changed, 0) << what << ": nothing was marked";
    EXPECT_EQ(stray, 0) << what << ": pixels changed outside the marked hexes";
    int unmarked = 0;
    for (const HexPos& hex : marked) {
        if (!view.hexWhollyInView(hex.x, hex.y))
            continue;
        const RECT r = view.hexRect(hex.x, hex.y);
        bool any = false;
        for (int py = r.top; py < r.bottom && !any; ++py)
            for (int px = r.left; px < r.right && !any; ++px)
                any = (before.at(px, py) ^ after.at(px, py)) & 0xFFFFFF;
        unmarked += !any;
    }
    EXPECT_EQ(unmarked, 0) << what << ": marked hexes that look as before";
}

class MapScreenshots : public ::testing::TestWithParam<const char*> {
protected:
    std::string stem() const { return fs::path(GetParam()).stem().string(); }
};

} // namespace

TEST_P(MapScreenshots, DayNightAndFogAtEveryZoom)
{
    SampleGame game(GetParam());
    ASSERT_TRUE(game.loaded) << GetParam();
    game.startPersonsTurn();
    SampleView view(game);
    GameState& s = game.state();
    const std::vector<int> units = personsUnitsOnMap(game);
    ASSERT_FALSE(units.empty());
    const HexPos centre = hexOf(s, game.person, units.front());

    for (int zoom = 0; zoom < MapWindow::kZoomCount; ++zoom) {
        const std::string tag = stem() + "_z" + std::to_string(16 * (zoom + 1));
        Image shots[2][2]; // [night][fog]
        for (int night : { 0, 1 })
            for (int fog : { 0, 1 }) {
                game.setNight(night);
                game.setFog(fog);
                view.setZoom(zoom, centre);
                shots[night][fog] = view.shot();
                save(shots[night][fog], tag + (night ? "_night" : "_day") + (fog ? "_fog" : ""));
                EXPECT_GT(distinctColours(shots[night][fog]), 16) << tag << ": the map looks flat";
            }
        for (int fog : { 0, 1 })
            EXPECT_LT(view.mapBrightness(shots[1][fog]), view.mapBrightness(shots[0][fog]) * 0.8)
                << tag << ": night is not darker than day";

        // Fog darkens each unseen hex and leaves the seen ones as they were (sight is shorter at night).
        game.setNight(false);
        game.setFog(true);
        const FogMap* sight = s.fogMap();
        ASSERT_NE(sight, nullptr);
        int unseen = 0, darker = 0, seenChanged = 0;
        for (int y = 0; y < s.mapHeight(); ++y)
            for (int x = 0; x < s.mapWidth(); ++x) {
                if (!view.hexWhollyInView(x, y))
                    continue;
                const RECT core = view.hexCore(x, y);
                const double clear = testing_app::meanBrightness(shots[0][0], core.left, core.top, core.right, core.bottom);
                const double fogged = testing_app::meanBrightness(shots[0][1], core.left, core.top, core.right, core.bottom);
                std::vector<UnitRef> shown;
                if (sight->isSeenInLayers(game.person, x, y, kAllLayers)) {
                    seenChanged += std::abs(clear - fogged) > 0.5;
                } else if (s.collectUnitsInHex(x, y, shown) == 0) {
                    // A hidden unit may leave brighter ground than its picture was.
                    ++unseen;
                    darker += fogged < clear - 4;
                }
            }
        EXPECT_GT(unseen, 0) << tag << ": the whole view is seen, fog cannot show";
        EXPECT_EQ(darker, unseen) << tag << ": unseen hexes not darkened by fog";
        EXPECT_EQ(seenChanged, 0) << tag << ": fog drawn over seen hexes";
    }
}

TEST_P(MapScreenshots, MovementRangeAndAttackTargetsMarkTheirHexesOnly)
{
    SampleGame game(GetParam());
    ASSERT_TRUE(game.loaded) << GetParam();
    game.startPersonsTurn();
    SampleView view(game);
    GameState& s = game.state();
    game.setNight(false);
    view.refresh();

    const std::vector<int> units = personsUnitsOnMap(game);
    ASSERT_FALSE(units.empty());
    int mover = -1;
    for (int index : units)
        if (view.select(index) && hexesWhere(s, [&](int x, int y) { return isInMoveRange(s, x, y); }).size() > 1) {
            mover = index;
            break;
        }
    view.letGo();
    ASSERT_GE(mover, 0) << "no unit of the person can move";
    PlannedAttack attack = findAttack(view, units);
    if (attack.index < 0)
        attack = attackOnABroughtEnemy(view, units);

    for (int zoom = 0; zoom < MapWindow::kZoomCount; ++zoom) {
        const std::string tag = stem() + "_z" + std::to_string(16 * (zoom + 1));
        const HexPos at = hexOf(s, game.person, mover);
        view.setZoom(zoom, at);
        const Image before = view.shot();
        ASSERT_TRUE(view.select(mover));
        const Image range = view.shot();
        save(range, tag + "_range");
        std::vector<HexPos> reach = hexesWhere(s, [&](int x, int y) { return isInMoveRange(s, x, y) || hasHexMark(s, x, y, 0xFFFF); });
        reach.push_back(at);
        expectChangesOnlyOver(view, before, range, reach, tag + " range");
        view.letGo();
        EXPECT_EQ(testing_app::compareImages(before, view.shot(), 0).differing, 0u) << tag << ": the range marks stayed";

        if (attack.index < 0)
            continue;
        const HexPos unitAt = hexOf(s, game.person, attack.index);
        view.setZoom(zoom, { (unitAt.x + attack.from.x) / 2, (unitAt.y + attack.from.y) / 2 });
        const Image quiet = view.shot();
        ASSERT_TRUE(view.select(attack.index));
        if (attack.from != unitAt)
            view.harness.clickHex(attack.from.x, attack.from.y);
        view.harness.send(ui_message::kMapCommandChosen, kCommandAttack);
        ASSERT_EQ(view.harness.window->orders().stage(), OrderStage::Targeting) << tag;
        const Image targets = view.shot();
        save(targets, tag + "_targets");
        const std::vector<HexPos> aimed = hexesWhere(s, [&](int x, int y) { return isCommandTargetHex(s, x, y); });
        ASSERT_FALSE(aimed.empty());
        std::vector<HexPos> marked = hexesWhere(s, [&](int x, int y) { return isInMoveRange(s, x, y) || hasHexMark(s, x, y, 0xFFFF); });
        marked.push_back(unitAt);
        expectChangesOnlyOver(view, quiet, targets, marked, tag + " targets");
        view.letGo();
        EXPECT_EQ(testing_app::compareImages(quiet, view.shot(), 0).differing, 0u) << tag << ": the target marks stayed";
    }
    if (attack.index < 0)
        GTEST_SKIP() << "no unit of the person reaches a target on the first turn";
}

INSTANTIATE_TEST_SUITE_P(SampleMaps, MapScreenshots, testing::Values("training.vtm", "riverside.vts", "continent.vtm", "border.vtc"),
    [](const testing::TestParamInfo<const char*>& info) { return fs::path(info.param).stem().string(); });
