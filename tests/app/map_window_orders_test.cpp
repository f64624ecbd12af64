// The person's orders through injected clicks end as the rules called directly; cancels, way-points.
#include "ui/private_messages.h"
#include "rules/commands.h"
#include "rules/current_action_marks.h"
#include "rules/combat_scene.h"
#include "rules/engineering.h"
#include "rules/move_display_path.h"
#include "state/action_history.h"
#include "state/unit_facts.h"
#include "dialogs/hooked_popup_dialog.h"
#include "dialogs/sel_attack_arms_dialog.h"
#include "tests/app/dialog_answer.h"
#include "tests/app/map_window_world.h"
#include "tests/dialogs/popup_driver.h"
#include "tests/rules/combat_world.h"
#include "tests/rules/world_invariants.h"
#include "tests/platform/commdlg/dialog_driver.h"
#include "platform/kernel/host.h"
#include "rules/targets.h"
#include "tests/ui/looked_world.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

using testing_app::MapWindowHarness;
using testing_rules::CombatWorld;

namespace {

// Country 0's gunner at (1, 2) may move six hexes and fire after a move; country 1's unit at (5, 2).
struct OrderWorld : CombatWorld {
    testing_ui::StartedLook look { state() };

    OrderWorld(bool enemy = true)
    {
        gun->flags |= 128;
        for (int id : { plain, other }) {
            UnitTypeRecord& type = editType(id);
            type.concealRadius = type.terrainConcealRadius = type.secondConcealRadius = 0;
            type.model[0].values[0] = 6;
            editTerrain(state().terrainGrid()[0].terrain).moveCost[type.movementType] = 1;
        }
        mover = placeUnit(0, plain, 1, 2);
        unit(0, mover).fuel = 50;
        if (enemy)
            target = placeUnit(1, other, 5, 2);
        fillPool(0);
        testing_app::startPersonsActionPhase(state());
    }

    int mover = 0;
    int target = -1;
};

// What an order may change: both sides' units and every hex's units.
struct Outcome {
    explicit Outcome(GameState& s)
        : units0(s.unitTable(0), s.unitTable(0) + s.unitCount(0))
        , units1(s.unitTable(1), s.unitTable(1) + s.unitCount(1))
        , cells(s.unitGrid(), s.unitGrid() + s.mapWidth() * s.mapHeight())
        , history(s.historyLog().count())
    {
    }
    bool operator==(const Outcome& o) const
    {
        auto same = [](const auto& a, const auto& b) {
            return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0);
        };
        return same(units0, o.units0) && same(units1, o.units1) && same(cells, o.cells) && history == o.history;
    }
    std::vector<UnitRecord> units0;
    std::vector<UnitRecord> units1;
    std::vector<UnitCell> cells;
    uint32_t history;
};

Outcome orderedDirectly(int dest_x, int code, int target)
{
    OrderWorld world;
    HeadlessMainWindow main;
    HeadlessDialogs dialogs;
    HeadlessBattle battle;
    setRulesLinks({ &main, nullptr, &dialogs, &battle });
    GameState& s = world.state();
    currentAction(s).beginUnitAction(0, world.mover, false);
    moveAlongPath(s, dest_x, 2, code, target, -1);
    currentAction(s).finishAction();
    setRulesLinks({});
    return Outcome(s);
}

bool anyHexMarked(GameState& s, uint16_t bits)
{
    for (int y = 0; y < s.mapHeight(); ++y)
        for (int x = 0; x < s.mapWidth(); ++x)
            if (hasHexMark(s, x, y, bits))
                return true;
    return false;
}

// The back picture's pixels over a hex's cell, row by row.
std::vector<uint32_t> hexPixels(MapWindow& window, HexPos hex)
{
    RECT client {};
    GetClientRect(window.handle(), &client);
    const HexGeometry g(window.zoom(), window.state().mapWidth(), window.state().mapHeight());
    const POINT corner = g.hexOrigin(hex.x, hex.y);
    const POINT origin = window.viewOrigin();
    const uint32_t* pixels = window.backPixels();
    std::vector<uint32_t> out;
    for (int y = corner.y - origin.y; y < corner.y - origin.y + g.cell(); ++y)
        for (int x = corner.x - origin.x; x < corner.x - origin.x + g.cell(); ++x)
            if (x >= 0 && y >= 0 && x < client.right && y < client.bottom)
                out.push_back(pixels[size_t(y) * size_t(client.right) + size_t(x)]);
    return out;
}

} // namespace

TEST(PersonsOrders, MoveAndAttackByClicksEndAsTheRulesCalledDirectly)
{
    const Outcome direct = orderedDirectly(4, kCommandAttack, int(packHex(5, 2)));

    OrderWorld world;
    testing_app::linkPictures(world.host(""));
    GameState& s = world.state();
    MapWindowHarness view(s);
    const int hp_before = strengthTotal(world.unit(1, world.target));
    view.clickHex(1, 2);
    ASSERT_FALSE(view.host.selections.empty());
    EXPECT_EQ(view.host.selections.back().side, 0);
    EXPECT_EQ(view.host.selections.back().index, world.mover);
    EXPECT_TRUE(s.handshake().unitCommandBeingSet());
    EXPECT_TRUE(isInMoveRange(s, 4, 2));

    view.clickHex(4, 2);
    EXPECT_TRUE(view.host.selections.back().mask & (1u << kCommandAttack)) << "the attack is offered at the destination";
    EXPECT_TRUE(hasHexMark(s, 4, 2, kMarkPathEnd));
    view.send(ui_message::kMapCommandChosen, kCommandAttack);
    EXPECT_TRUE(isCommandTargetHex(s, 5, 2));
    {
        // The weapon the rules picked stands when the person carries the attack out.
        testing_app::DialogAnswer answer(platform::utf8ToCp932("兵器選択"),
            [](HWND dialog) { testing_app::pressControl(dialog, int(sel_attack_arms_id::kExecute)); });
        view.clickHex(5, 2);
    }

    EXPECT_EQ((HexPos { world.unit(0, world.mover).x, world.unit(0, world.mover).y }), (HexPos { 4, 2 }));
    EXPECT_EQ(world.unit(0, world.mover).ammunition[0], 4) << "the attack was fought";
    EXPECT_LT(strengthTotal(world.unit(1, world.target)), hp_before);
    EXPECT_TRUE(Outcome(s) == direct);
    EXPECT_EQ(view.host.selections.back().side, -1);
    EXPECT_FALSE(currentAction(s).underWay());
    EXPECT_FALSE(s.handshake().unitCommandBeingSet());
    EXPECT_FALSE(anyHexMarked(s, kMarkFinishMask));
}

TEST(PersonsOrders, MoveByEndOfActionAtTheDestinationAndByTheMoveOrder)
{
    const Outcome direct = orderedDirectly(3, kCommandNone, 0);
    {
        OrderWorld world;
        MapWindowHarness view(world.state());
        view.clickHex(1, 2);
        view.clickHex(3, 2);
        view.send(ui_message::kMapCommandChosen, kCommandEndAction);
        EXPECT_EQ(world.unit(0, world.mover).x, 3);
        EXPECT_TRUE(world.unit(0, world.mover).hasFlag(kUnitActed));
        EXPECT_TRUE(Outcome(world.state()) == direct);
    }
    OrderWorld world;
    MapWindowHarness view(world.state());
    view.clickHex(1, 2);
    view.send(ui_message::kMapCommandChosen, kCommandMoveOrder);
    view.clickHex(3, 2);
    EXPECT_TRUE(Outcome(world.state()) == direct);
}

TEST(PersonsOrders, CancelsLeaveTheUnitWhereItStood)
{
    OrderWorld world;
    GameState& s = world.state();
    MapWindowHarness view(s);
    const Outcome before(s);

    // The right button first drops the target choice, then the unit.
    view.clickHex(1, 2);
    view.clickHex(4, 2);
    view.send(ui_message::kMapCommandChosen, kCommandAttack);
    view.clickHex(1, 2, platform::harness::Button::Right);
    EXPECT_FALSE(isCommandTargetHex(s, 5, 2));
    EXPECT_TRUE(currentAction(s).underWay());
    view.clickHex(1, 2, platform::harness::Button::Right);
    EXPECT_FALSE(currentAction(s).underWay());

    // A click on an unmarked hex while targets are shown, and Escape.
    view.clickHex(1, 2);
    view.send(ui_message::kMapCommandChosen, kCommandMoveOrder);
    view.clickHex(9, 7);
    view.send(ui_message::kMapCancelOrder);
    view.clickHex(1, 2);
    platform::harness::pressKey(VK_ESCAPE);
    testing_lib::pump();

    EXPECT_FALSE(currentAction(s).underWay());
    EXPECT_FALSE(s.handshake().unitCommandBeingSet());
    EXPECT_FALSE(anyHexMarked(s, kMarkMoveRange | kMarkPath | kMarkCommandTarget));
    EXPECT_EQ(world.unit(0, world.mover).x, 1);
    EXPECT_FALSE(world.unit(0, world.mover).hasFlag(kUnitActed));
    EXPECT_TRUE(Outcome(s) == before);

    // A selection whose action the end of play took away is dropped by the next click.
    view.clickHex(1, 2);
    currentAction(s).resetForPlay();
    view.clickHex(9, 7);
    EXPECT_EQ(view.window->orders().stage(), OrderStage::Idle);
    EXPECT_FALSE(s.handshake().unitCommandBeingSet());
}

TEST(PersonsOrders, OnlyThePersonsUnitsInItsActionPhaseTakeOrders)
{
    OrderWorld world;
    GameState& s = world.state();
    MapWindowHarness view(s);

    view.clickHex(5, 2);
    EXPECT_EQ(view.host.selections.back().side, 1) << "an enemy is shown";
    EXPECT_EQ(view.host.selections.back().mask, 0u);
    s.handshake().setWaitingForAnswer(false);
    view.clickHex(1, 2);
    EXPECT_EQ(view.host.selections.back().mask, 0u) << "the game thread does not wait for the person";
    EXPECT_FALSE(currentAction(s).underWay());
    s.handshake().setWaitingForAnswer(true);
    s.country(0).controller = 2;
    view.clickHex(1, 2);
    EXPECT_FALSE(currentAction(s).underWay());
    EXPECT_EQ(view.host.shown.size(), 3u);
}

TEST(PersonsOrders, AutoMoveRouteTakesNineWayPointsAndRefusesTheTenth)
{
    OrderWorld world(false);
    GameState& s = world.state();
    MapWindowHarness view(s);
    platform::harness::clearMessageBoxes();
    currentAction(s).beginAutoMoveSetup();
    // The click gathers the mover into the group; its route is set once the group is complete.
    view.clickHex(1, 2);
    ASSERT_EQ(currentAction(s).autoMoveGroupSize(), 1);
    ASSERT_TRUE(view.window->orders().beginAutoMoveRoute());
    const HexPos route[] = { { 2, 2 }, { 3, 2 }, { 4, 2 }, { 5, 2 }, { 6, 2 }, { 7, 2 }, { 8, 2 }, { 9, 2 }, { 9, 3 } };
    for (const HexPos& hex : route)
        view.clickHex(hex.x, hex.y);
    ASSERT_EQ(currentAction(s).wayPoints().size(), 9u);
    EXPECT_TRUE(platform::harness::messageBoxes().empty());

    view.clickHex(8, 3);
    EXPECT_EQ(currentAction(s).wayPoints().size(), 9u);
    const auto boxes = platform::harness::messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, platform::utf8ToCp932("オート移動では移動経由地点は８地点までしか設定できません。"));
    EXPECT_EQ(boxes[0].caption, platform::utf8ToCp932("注意"));

    platform::harness::pressKey(VK_BACK);
    testing_lib::pump();
    EXPECT_EQ(currentAction(s).wayPoints().size(), 8u);
    view.clickHex(8, 3);
    EXPECT_EQ(currentAction(s).wayPoints().size(), 9u) << "after taking one back there is room again";
    currentAction(s).endAutoMoveSetup();
}

TEST(PersonsOrders, ShiftClickWayPointsLeadTheMoveAndBackspaceTakesThemBack)
{
    OrderWorld world(false);
    GameState& s = world.state();
    MapWindowHarness view(s);
    UnitRecord& mover = world.unit(0, world.mover);
    const int fuel = mover.fuel;

    view.clickHex(1, 2);
    platform::harness::keyDown(VK_SHIFT);
    view.clickHex(1, 5);
    view.clickHex(3, 4);
    platform::harness::keyUp(VK_SHIFT);
    testing_lib::pump();
    ASSERT_EQ(currentAction(s).wayPoints().size(), 2u);
    platform::harness::pressKey(VK_BACK);
    testing_lib::pump();
    ASSERT_EQ(currentAction(s).wayPoints().size(), 1u);
    EXPECT_EQ(view.window->orders().destination(), (HexPos { 1, 5 }));

    // Three hexes south, then three back north-east: twice the cost of the straight road.
    view.clickHex(3, 2);
    view.send(ui_message::kMapCommandChosen, kCommandEndAction);
    EXPECT_EQ((HexPos { mover.x, mover.y }), (HexPos { 3, 2 }));
    EXPECT_EQ(fuel - mover.fuel, 6);
    EXPECT_FALSE(currentAction(s).underWay());
}

TEST(PersonsOrders, AParatrooperAboardDropsOnTheClickedHex)
{
    testing_rules::CommandWorld world;
    testing_ui::StartedLook look { world.state() };
    GameState& s = world.state();
    world.editType(world.plain).flags = 0x0400 | 0x80;
    world.editTerrain(s.effectiveTerrainAt(0, 0)).flags |= 16;
    const int plane = world.placeUnit(0, world.aircraft, 3, 3);
    const int para = world.addUnit(0, world.plain, 3, 3);
    UnitRecord& unit = world.unit(0, para);
    unit.flags = kUnitAboard;
    unit.carrierSide = 1;
    unit.carrierIndex = uint16_t(plane + 1);
    unit.fuel = 10;
    testing_app::startPersonsActionPhase(s);
    if (!isAirborneInCarrier(s, 0, para))
        GTEST_SKIP() << "the aircraft may land on the basic terrain of this data set";
    MapWindowHarness view(s);

    // A unit aboard is no hex's top unit: it is picked as the troop list picks it.
    ASSERT_TRUE(view.window->orders().selectUnit(0, para));
    EXPECT_EQ(view.host.selections.back().mask & ~kAirborneOnlyMask, 1u << kCommandEndAction);
    view.send(ui_message::kMapCommandChosen, kCommandAirborneDrop);
    EXPECT_TRUE(isCommandTargetHex(s, 4, 3));
    view.clickHex(4, 3);
    EXPECT_EQ((HexPos { unit.x, unit.y }), (HexPos { 4, 3 }));
    EXPECT_FALSE(unit.hasFlag(kUnitAboard));
    EXPECT_TRUE(testing_rules::worldInvariantFaults(s).empty());
}

TEST(PersonsOrders, AClickInTheExtendedBandMovesTheWholeWayAtDoubleFuel)
{
    OrderWorld world(false);
    GameState& s = world.state();
    world.setRule(kRuleFastMovement, 1);
    world.editType(world.plain).model[0].values[1] = 9;
    MapWindowHarness view(s);
    UnitRecord& mover = world.unit(0, world.mover);
    const int fuel = mover.fuel;

    view.clickHex(1, 2);
    ASSERT_TRUE(hasHexMark(s, 9, 2, kMarkExtendedBand));
    ASSERT_FALSE(hasHexMark(s, 9, 2, kMarkMoveRange));
    view.clickHex(9, 2);
    view.send(ui_message::kMapCommandChosen, kCommandEndAction);
    EXPECT_EQ((HexPos { mover.x, mover.y }), (HexPos { 9, 2 }));
    EXPECT_EQ(fuel - mover.fuel, 16) << "eight hexes past an allowance of six cost twice";
}

TEST(PersonsOrders, EnteringAPactPartnersLandIsAskedAndNoEndsTheOrder)
{
    OrderWorld world(false);
    GameState& s = world.state();
    s.country(0).pactMask = 1 << 1;
    s.country(1).pactMask = 1 << 0;
    world.cell(3, 2).owner = 2;
    world.cell(2, 2).setSideCode(3, 2);
    MapWindowHarness view(s);
    platform::harness::clearMessageBoxes();

    platform::harness::queueMessageBoxAnswer(IDNO);
    view.clickHex(1, 2);
    view.clickHex(4, 2);
    view.send(ui_message::kMapCommandChosen, kCommandEndAction);
    ASSERT_EQ(platform::harness::messageBoxes().size(), 1u);
    EXPECT_EQ(platform::harness::messageBoxes()[0].caption, platform::utf8ToCp932("確認"));
    EXPECT_EQ(platform::harness::messageBoxes()[0].style & MB_DEFMASK, UINT(MB_DEFBUTTON2)) << "no is the default";
    EXPECT_EQ(world.unit(0, world.mover).x, 1) << "no: the unit stays";
    EXPECT_TRUE(s.hasPactWith(0, 1));

    platform::harness::queueMessageBoxAnswer(IDYES);
    view.send(ui_message::kMapCommandChosen, kCommandEndAction);
    EXPECT_EQ(world.unit(0, world.mover).x, 4);
    EXPECT_FALSE(s.hasPactWith(0, 1)) << "the walk broke the pact";
}

TEST(PersonsOrders, WithGroundAttacksTheAttackMarksEveryFreeHexInReachAndFiresOnTheOneClicked)
{
    // No enemy in sight; a long gun with indirect fire on a point allowed (rule 46).
    OrderWorld world(false);
    testing_app::linkPictures(world.host(""));
    GameState& s = world.state();
    world.gun->reach = 3;
    world.gun->flags |= 2;
    world.setRule(kRuleGroundPointTarget, 1);
    MapWindowHarness view(s);

    view.clickHex(1, 2);
    ASSERT_FALSE(view.host.selections.empty());
    EXPECT_TRUE(view.host.selections.back().mask & (1u << kCommandAttack)) << "ground hexes are targets";
    view.send(ui_message::kMapCommandChosen, kCommandAttack);
    ASSERT_EQ(view.window->orders().stage(), OrderStage::Targeting);
    for (int y = 0; y < s.mapHeight(); ++y)
        for (int x = 0; x < s.mapWidth(); ++x) {
            const int d = hexDistance(HexPos { 1, 2 }, HexPos { x, y });
            EXPECT_EQ(isCommandTargetHex(s, x, y), d >= 2 && d <= 3) << x << "," << y;
        }
    const uint32_t records = s.historyLog().count();
    {
        testing_app::DialogAnswer answer(platform::utf8ToCp932("兵器選択"),
            [](HWND dialog) { testing_app::pressControl(dialog, int(sel_attack_arms_id::kExecute)); });
        view.clickHex(3, 2);
    }
    EXPECT_TRUE(world.unit(0, world.mover).hasFlag(kUnitActed));
    EXPECT_EQ((HexPos { world.unit(0, world.mover).x, world.unit(0, world.mover).y }), (HexPos { 1, 2 }));
    ASSERT_EQ(s.historyLog().count(), records + 1);
    EXPECT_EQ(s.historyLog().record(records).kind, 28) << "recorded as an attack on the ground";
    EXPECT_FALSE(anyHexMarked(s, kMarkCommandTarget));
}

TEST(PersonsOrders, AnEngineerBridgesTheRiverHexItClicksStraightAcross)
{
    OrderWorld world(false);
    GameState& s = world.state();
    const int river = world.terrainOfKind(kTerrainRiver);
    world.editTerrain(river).flags |= 0x20;
    world.cell(2, 2).terrain = uint8_t(river);
    world.cell(0, 2).terrain = uint8_t(river);
    world.editType(world.plain).flags |= 0x1000;
    world.giveWeapon(world.plain, kWeaponEngineering, 10, 1);
    world.unit(0, world.mover).ammunition[1] = 10;
    MapWindowHarness view(s);

    view.clickHex(1, 2);
    ASSERT_FALSE(view.host.selections.empty());
    ASSERT_TRUE(view.host.selections.back().mask & (1u << kCommandBridge)) << "the bridge is offered";
    view.send(ui_message::kMapCommandChosen, kCommandBridge);
    EXPECT_TRUE(isCommandTargetHex(s, 2, 2));
    EXPECT_TRUE(isCommandTargetHex(s, 0, 2));
    EXPECT_FALSE(isCommandTargetHex(s, 1, 3));
    view.clickHex(2, 2);
    EXPECT_EQ(world.cell(2, 2).terrain, 53) << "a bridge stands on the clicked hex";
    EXPECT_EQ(world.cell(0, 2).terrain, river);
    EXPECT_EQ(world.cell(2, 2).displayCode, bridgeDisplayCode(0, 3)) << "from the west bank straight across";
    EXPECT_TRUE(world.unit(0, world.mover).hasFlag(kUnitActed));
}

TEST(PersonsOrders, ASecondClickOnTheChosenDestinationMovesThere)
{
    const Outcome direct = orderedDirectly(3, kCommandNone, 0);
    OrderWorld world;
    MapWindowHarness view(world.state());
    view.clickHex(1, 2);
    view.clickHex(3, 2);
    EXPECT_EQ(world.unit(0, world.mover).x, 1) << "the first click only chooses";
    EXPECT_TRUE(hasHexMark(world.state(), 3, 2, kMarkPathEnd));
    view.clickHex(3, 2);
    EXPECT_EQ(world.unit(0, world.mover).x, 3);
    EXPECT_TRUE(world.unit(0, world.mover).hasFlag(kUnitActed));
    EXPECT_TRUE(Outcome(world.state()) == direct);
    EXPECT_EQ(view.host.selections.back().side, -1);
}

TEST(PersonsOrders, TheFightAfterAMoveShowsTheUnitWhereItArrivedAndNoRoute)
{
    // The fight is shown while the map shows what the move left behind.
    struct WatchingBattle : HeadlessBattle {
        GameState* state = nullptr;
        MapWindow* window = nullptr;
        HexPos start {};
        bool routeShown = true;
        std::vector<uint32_t> startHexDuringFight;
        void runBattleScene(BattleRecord& record, bool play_se) override
        {
            routeShown = false;
            for (int y = 0; y < state->mapHeight(); ++y)
                for (int x = 0; x < state->mapWidth(); ++x)
                    routeShown = routeShown || hasHexMark(*state, x, y, kMarkPath | kMarkPathEnd);
            startHexDuringFight = hexPixels(*window, start);
            HeadlessBattle::runBattleScene(record, play_se);
        }
        void showSimpleBattle() override
        {
            BattleRecord record;
            runBattleScene(record, false);
        }
    };
    OrderWorld world;
    GameState& s = world.state();
    s.settings().showFight = true;
    s.settings().fightOfAll = true;
    MapWindowHarness view(s);
    // The weapon dialog's pictures; the map keeps the plain art it was made with.
    testing_app::linkPictures(world.host(""));
    WatchingBattle battle;
    battle.state = &s;
    battle.window = view.window;
    battle.start = { 1, 2 };
    struct ShownMain : HeadlessMainWindow {
        bool isVisible() const override { return true; }
    } main;
    setRulesLinks({ &main, &appMapWindowLink(), &view.dialogs, &battle });
    view.clickHex(1, 2);
    view.clickHex(4, 2);
    view.send(ui_message::kMapCommandChosen, kCommandAttack);
    {
        testing_app::DialogAnswer answer(platform::utf8ToCp932("兵器選択"),
            [](HWND dialog) { testing_app::pressControl(dialog, int(sel_attack_arms_id::kExecute)); });
        view.clickHex(5, 2);
    }
    ASSERT_EQ(world.unit(0, world.mover).x, 4);
    ASSERT_FALSE(battle.startHexDuringFight.empty()) << "the fight was shown";
    EXPECT_FALSE(battle.routeShown);
    view.window->fullRefresh();
    EXPECT_EQ(battle.startHexDuringFight, hexPixels(*view.window, { 1, 2 })) << "no unit left drawn where it started";
    setRulesLinks({ &view.main, &appMapWindowLink(), &view.dialogs, &view.battle });
}

TEST(PersonsOrders, AClickOnAStackOffersItsUnitsTheOneDrawnOnTopFirst)
{
    OrderWorld world(false);
    GameState& s = world.state();
    world.setRule(kRuleStacking, 1);
    // The mover is re-placed in its land slot, with an aircraft of the person's above it.
    world.unitCell(1, 2) = UnitCell {};
    world.unitCell(1, 2).lowerSide[s.unitSlotFor(3)] = 1;
    world.unitCell(1, 2).lowerUnit[s.unitSlotFor(3)] = uint16_t(world.mover);
    const int plane = world.placeUnit(0, world.aircraft, 1, 2);
    ASSERT_LT(s.unitSlotFor(s.unitTypeRecord(world.aircraft).domain), s.unitSlotFor(3));
    MapWindowHarness view(s);
    popup_test::drive([&] {
        view.clickHex(1, 2);
        return 0;
    }, [&](HWND popup) { popup_test::clickItem(popup, int(HookedPopupDialog::kFirstUpperRow)); });
    ASSERT_FALSE(view.host.selections.empty());
    EXPECT_EQ(view.host.selections.back().index, plane) << "the aircraft is drawn over the land unit";
}

namespace {

// The mover of two sets (0 and 2) beside a capital of its own country, which rearms land units.
struct ExchangeWorld : OrderWorld {
    ExchangeWorld()
        : OrderWorld(false)
    {
        UnitTypeRecord& type = editType(plain);
        for (int set = 0; set < kModelCount; ++set)
            std::fill(std::begin(type.model[set].ammo), std::end(type.model[set].ammo), uint8_t(0));
        type.defaultModel = 0;
        type.model[0].ammo[0] = 5;
        type.model[0].values[0] = 6;
        type.model[2].ammo[0] = 9;
        type.model[2].values[0] = 6;
        type.model[2].fuel = 33;
        const int capital = terrainOfKind(12);
        placeBuilding(capital, 0, 2, 2);
        state().country(0).funds = 10000;
        selectModel(state(), unit(0, mover), 0);
        // The armament window's pictures and buttons.
        linkGenerated("tkbmp");
    }
    std::string title()
    {
        const UnitRecord& u = unit(0, mover);
        return platform::utf8ToCp932("武装交換 - ") + std::string(u.name, strnlen(u.name, sizeof u.name));
    }
};

// Chooses command 14 and works the armament window: the set buttons stand at (560, 8 + 48 k).
void exchangeTo(MapWindowHarness& view, const std::string& title, int set)
{
    dialogtest::drive(title.c_str(), [&] {
        view.send(ui_message::kMapCommandChosen, kCommandArmamentExchange);
        return 0;
    }, [&](HWND dialog) {
        dialogtest::settle();
        for (const POINT& at : { POINT { 632, 28 + 48 * set }, POINT { 632, 324 } }) {
            const POINT p = dialogtest::screenOf(dialog, at.x, at.y);
            platform::harness::click(p.x, p.y);
            dialogtest::settle();
        }
    });
    testing_lib::pump();
}

} // namespace

TEST(PersonsOrders, TheArmamentExchangeChangesTheUnitsSetThroughItsWindow)
{
    ExchangeWorld world;
    GameState& s = world.state();
    MapWindowHarness view(s);
    view.clickHex(1, 2);
    ASSERT_FALSE(view.host.selections.empty());
    ASSERT_TRUE(view.host.selections.back().mask & (1u << kCommandArmamentExchange)) << "a capital stands beside";
    const uint32_t history = s.historyLog().count();
    exchangeTo(view, world.title(), 2);
    const UnitRecord& u = world.unit(0, world.mover);
    EXPECT_EQ(u.model, 2);
    EXPECT_EQ(u.ammunition[0], 9);
    EXPECT_EQ(u.fuel, 33);
    EXPECT_TRUE(u.hasFlag(kUnitActed));
    EXPECT_EQ(s.historyLog().count(), history + 1);
    EXPECT_EQ(view.host.selections.back().side, -1);
    EXPECT_FALSE(currentAction(s).underWay());
}

TEST(PersonsOrders, ConfirmingTheSetTheUnitHasExchangesNothing)
{
    ExchangeWorld world;
    GameState& s = world.state();
    MapWindowHarness view(s);
    view.clickHex(1, 2);
    const Outcome before(s);
    exchangeTo(view, world.title(), 0);
    EXPECT_TRUE(Outcome(s) == before);
    EXPECT_FALSE(world.unit(0, world.mover).hasFlag(kUnitActed));
    // The unit is still selected and may take another order.
    EXPECT_EQ(view.host.selections.back().side, 0);
    EXPECT_TRUE(s.handshake().unitCommandBeingSet());
}
