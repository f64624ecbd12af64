// The current action: picking a unit, adding and taking back way-points, the auto-move group, finishing.
#include "rules/current_action.h"
#include "rules/current_action_marks.h"
#include "rules/headless_links.h"
#include "rules/links.h"
#include "rules/visibility.h"

#include "tests/rules/fog_world.h"

#include <gtest/gtest.h>

#include <deque>
#include <set>

namespace {

using testing_rules::FogWorld;

// A range where every hex costs 1 to enter, the flood stops on zone hexes and blocked hexes cannot
// be entered: enough to check what the action does with a range.
class GridRange : public ActionRange {
public:
    GridRange(GameState& state, int x, int y) : m_state(state), m_start { x, y } { }

    void setCostLimit(int limit) override { m_limit = limit; }
    void setStart(int x, int y) override { m_start = { x, y }; }
    void compute() override
    {
        ++computes;
        m_cost.assign(size_t(m_state.mapWidth() * m_state.mapHeight()), -1);
        std::deque<HexPos> queue { m_start };
        m_cost[index(m_start)] = 0;
        while (!queue.empty()) {
            HexPos at = queue.front();
            queue.pop_front();
            if (zone.count(index(at)) && !(at == m_start))
                continue;
            for (int d = 0; d < 6; ++d) {
                HexPos next = m_state.hexNeighbour(at.x, at.y, d);
                if (!next.valid() || blocked.count(index(next)) || m_cost[index(next)] >= 0)
                    continue;
                int cost = m_cost[index(at)] + 1;
                if (cost > m_limit)
                    continue;
                m_cost[index(next)] = cost;
                queue.push_back(next);
            }
        }
    }
    int costAt(int x, int y, int) const override { return m_state.isOnMap(x, y) ? m_cost[index({ x, y })] : -1; }
    bool tracePath(int x, int y, std::vector<HexPos>& path, int) override
    {
        HexPos at { x, y };
        if (costAt(x, y, -1) < 0)
            return false;
        while (costAt(at.x, at.y, -1) > 0) {
            path.insert(path.begin(), at);
            for (int d = 0; d < 6; ++d) {
                HexPos next = m_state.hexNeighbour(at.x, at.y, d);
                if (next.valid() && costAt(next.x, next.y, -1) == costAt(at.x, at.y, -1) - 1) {
                    at = next;
                    break;
                }
            }
        }
        return true;
    }
    bool isOutsideEnemyZoc(int x, int y) const override { return !zone.count(index({ x, y })); }
    void markNormalRange(int lo, int hi) override { markRange(lo, hi, kMarkMoveRange); }
    void markExtendedRange(int lo, int hi) override { markRange(lo, hi, kMarkExtendedBand); }
    void markInterceptedHexes() override { }
    void unmarkOccupiedHexes() override { }

    int computes = 0;
    std::set<size_t> zone;
    std::set<size_t> blocked;

    size_t index(HexPos p) const { return size_t(p.y * m_state.mapWidth() + p.x); }

private:
    void markRange(int lo, int hi, uint16_t mark)
    {
        clearHexMarkAll(m_state, mark);
        for (int y = 0; y < m_state.mapHeight(); ++y)
            for (int x = 0; x < m_state.mapWidth(); ++x)
                if (int c = costAt(x, y, -1); c >= lo && c <= hi)
                    setHexMark(m_state, x, y, mark);
    }

    GameState& m_state;
    HexPos m_start;
    int m_limit = 0;
    std::vector<int> m_cost;
};

class GridSource : public ActionRangeSource {
public:
    std::unique_ptr<ActionRange> unitRange(GameState& state, int side, int index, bool build_unit_flags) override
    {
        const UnitRecord* unit = state.unitOf(side, index);
        auto range = std::make_unique<GridRange>(state, unit->x, unit->y);
        range->zone = zone;
        range->blocked = blocked;
        last = range.get();
        built_with_units = build_unit_flags;
        return range;
    }
    std::unique_ptr<ActionRange> missileRange(GameState& state, int country, int index) override
    {
        const UnitRecord* missile = state.unitOf(100 + country, index);
        return std::make_unique<GridRange>(state, missile->x, missile->y);
    }
    bool isAirborneInCarrier(const GameState&, int, int) override { return false; }

    std::set<size_t> zone;
    std::set<size_t> blocked;
    GridRange* last = nullptr;
    bool built_with_units = false;
};

class LandingAnywhere : public VisibilityHooks {
public:
    bool canUnitLand(const GameState&, int, int, int) override { return true; }
};

class RecordingSettlement : public ActionSettlement {
public:
    void missileImpact(int country, int index) override
    {
        calls.push_back("impact" + std::to_string(country) + "," + std::to_string(index));
    }
    void checkEndOfGame(int mode) override { calls.push_back("end" + std::to_string(mode)); }
    void resetHexTurnMarks() override { calls.push_back("turnMarks"); }
    void updateSupplyLines() override { calls.push_back("supply"); }
    void answerUi(int value) override { calls.push_back("answer" + std::to_string(value)); }
    std::vector<std::string> calls;
};

class ActionWorld : public FogWorld {
public:
    ActionWorld()
    {
        EXPECT_TRUE(state().afterMapLoad());
        setActionRangeSource(&source);
        setActionSettlement(&settlement);
        setRulesLinks({ &mainWindow, &mapWindow, nullptr, nullptr });
        previousHooks = stateRulesHooks();
        setStateRulesHooks(&hooks);
        UnitTypeRecord& type = editType(landType);
        for (UnitTypeModel& model : type.model)
            model.values[0] = 3;
        unit = placeUnit(0, landType, 5, 5);
        this->FogWorld::unit(0, unit).fuel = 40;
        state().country(0).inPlay = 1;
    }
    ~ActionWorld()
    {
        setActionRangeSource(nullptr);
        setActionSettlement(nullptr);
        setRulesLinks({});
        setStateRulesHooks(previousHooks);
    }

    uint16_t markAt(int x, int y) { return state().markGrid()[y * width() + x]; }
    int countMarked(uint16_t bits)
    {
        int n = 0;
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                n += (markAt(x, y) & bits) != 0;
        return n;
    }

    GridSource source;
    RecordingSettlement settlement;
    HeadlessMainWindow mainWindow;
    HeadlessMapWindow mapWindow;
    LandingAnywhere hooks;
    StateRulesHooks* previousHooks = nullptr;
    CurrentAction action { state() };
    int unit = 0;
};

TEST(CurrentAction, PickingAUnitMarksItsHexAndItsRange)
{
    ActionWorld world;
    world.action.beginUnitAction(7, world.unit, false);
    world.action.finishAction();
    world.state().turnBlock().currentCountry = 0;
    world.action.beginUnitAction(7, world.unit, true);

    EXPECT_EQ(world.action.commandCode(), CurrentAction::kEndOfActionCode);
    EXPECT_TRUE(world.action.underWay());
    EXPECT_EQ(world.action.actingCountry(), 0);
    EXPECT_EQ(world.action.firstAllowance(), 3);
    EXPECT_EQ(world.action.secondAllowance(), 0) << "rule 19 is off";
    EXPECT_TRUE(world.source.built_with_units);
    EXPECT_EQ(world.markAt(5, 5) & (kMarkActingUnit | kMarkPathEnd), kMarkActingUnit | kMarkPathEnd);
    // Every hex within three steps of (5, 5) on a 12 x 12 map is in range.
    int within = 0;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            within += hexDistance({ 5, 5 }, { x, y }) <= 3;
    EXPECT_EQ(world.countMarked(kMarkMoveRange), within);
    EXPECT_EQ(world.mainWindow.callsOf("postPanelCommand").back(), (LinkCall { "postPanelCommand", { 0, world.unit } }));
}

TEST(CurrentAction, ExtendedMoveAndAutoMoveSetupChangeTheAllowances)
{
    ActionWorld world;
    world.setRule(kRuleFastMovement, 1);
    for (UnitTypeModel& model : world.editType(world.landType).model)
        model.values[1] = 5;
    world.action.beginUnitAction(0, world.unit, false);
    EXPECT_EQ(world.action.secondAllowance(), 5);
    EXPECT_EQ(world.countMarked(kMarkExtendedBand), world.countMarked(kMarkExtendedBand | kMarkMoveRange)
            - world.countMarked(kMarkMoveRange));
    EXPECT_GT(world.countMarked(kMarkExtendedBand), 0);

    world.action.finishAction();
    world.action.beginAutoMoveSetup();
    world.action.beginUnitAction(0, world.unit, false);
    EXPECT_EQ(world.action.firstAllowance(), 40) << "the set-up plans with the fuel";
    EXPECT_EQ(world.action.secondAllowance(), 0);
    EXPECT_FALSE(world.source.built_with_units);
}

TEST(CurrentAction, WayPointsExtendTheRouteAndAddUpTheirCosts)
{
    ActionWorld world;
    world.action.beginUnitAction(0, world.unit, false);
    EXPECT_FALSE(world.action.addWayPoint(11, 11)) << "out of range";
    EXPECT_TRUE(world.action.wayPoints().empty());

    ASSERT_TRUE(world.action.addWayPoint(7, 5));
    ASSERT_TRUE(world.action.addWayPoint(8, 5));
    ASSERT_EQ(world.action.wayPoints().size(), 2u);
    EXPECT_EQ(world.action.wayPoints()[0].cost, 2);
    EXPECT_EQ(world.action.wayPoints()[0].pathCount, 0);
    EXPECT_EQ(world.action.wayPoints()[1].cost, 3);
    EXPECT_EQ(world.action.wayPoints()[1].pathCount, 2);
    EXPECT_EQ(world.action.path(), (std::vector<HexPos> { { 6, 5 }, { 7, 5 }, { 8, 5 } }));
    EXPECT_EQ(world.action.routeCostTo(8, 5), 3);
    EXPECT_EQ(world.action.routeCostTo(0, 0), -1) << "not the last way-point's cost less one";
    EXPECT_EQ(world.countMarked(kMarkMoveRange), 1) << "the allowance is spent: only the end stays";
}

TEST(CurrentAction, WayPointInAnEnemyZoneLeavesOnlyTheFirstBand)
{
    ActionWorld world;
    world.source.zone.insert(size_t(5 * 12 + 7));
    world.action.beginUnitAction(0, world.unit, false);
    ASSERT_TRUE(world.action.addWayPoint(7, 5));
    EXPECT_EQ(world.source.last->computes, 2);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            EXPECT_EQ((world.markAt(x, y) & kMarkMoveRange) != 0, x == 7 && y == 5) << x << "," << y;
}

TEST(CurrentAction, TakingBackTheOnlyWayPointRestoresTheActorsRange)
{
    ActionWorld world;
    world.action.beginUnitAction(0, world.unit, false);
    int range_at_start = world.countMarked(kMarkMoveRange);
    ASSERT_TRUE(world.action.addWayPoint(6, 5));
    ASSERT_TRUE(world.action.addWayPoint(7, 5));

    EXPECT_EQ(world.action.removeLastWayPoint(), (HexPos { 6, 5 }));
    EXPECT_EQ(world.action.path().size(), 1u);
    EXPECT_EQ(world.markAt(7, 5) & kMarkPathEnd, 0);
    EXPECT_NE(world.markAt(6, 5) & kMarkPathEnd, 0);

    EXPECT_EQ(world.action.removeLastWayPoint(), (HexPos { 5, 5 }));
    EXPECT_TRUE(world.action.wayPoints().empty());
    EXPECT_TRUE(world.action.path().empty());
    EXPECT_EQ(world.countMarked(kMarkMoveRange), range_at_start);
    EXPECT_EQ(world.markAt(5, 5) & (kMarkPath | kMarkPathEnd), kMarkPathEnd);
    EXPECT_EQ(world.action.removeLastWayPoint(), (HexPos { 5, 5 })) << "nothing left to take back";
}

TEST(CurrentAction, AutoMoveRouteTakesNineWayPointsAndNoMore)
{
    ActionWorld world;
    world.action.beginAutoMoveSetup();
    world.action.beginUnitAction(0, world.unit, false);
    for (int i = 0; i < 9; ++i)
        EXPECT_TRUE(world.action.addWayPoint(i % 2 ? 5 : 6, 5)) << i;
    EXPECT_FALSE(world.action.addWayPoint(7, 5)) << "the ninth via-point does not fit a unit";
    world.action.addAutoMoveUnit(0, world.unit);
    world.action.assignAutoMoveRoute(0, 0, 0);
    const UnitRecord& unit = world.FogWorld::unit(0, world.unit);
    EXPECT_EQ(unit.wayPointCount, 8);
    EXPECT_EQ(unit.goalXOrSide, 6);
    EXPECT_EQ(unit.followsUnit, 0);
}

TEST(CurrentAction, GroupRouteIsWrittenIntoEveryUnitOfTheGroup)
{
    ActionWorld world;
    int second = world.placeUnit(0, world.landType, 1, 1);
    int third = world.placeUnit(0, world.landType, 2, 1);
    world.action.beginAutoMoveSetup();
    world.action.beginUnitAction(0, world.unit, false);
    const HexPos points[] = { { 6, 5 }, { 7, 5 }, { 8, 5 }, { 8, 6 } };
    for (HexPos p : points)
        ASSERT_TRUE(world.action.addWayPoint(p.x, p.y));
    for (int index : { world.unit, second, third })
        world.action.addAutoMoveUnit(0, index);
    EXPECT_EQ(world.action.autoMoveGroupSize(), 3);
    EXPECT_TRUE(world.action.isActingOrGroupedUnit(0, third));
    EXPECT_FALSE(world.action.isActingOrGroupedUnit(1, third));
    EXPECT_EQ(world.mainWindow.callsOf("refresh").size(), 3u);
    EXPECT_NE(world.markAt(1, 1) & kMarkAutoMoveGroup, 0);

    world.action.assignAutoMoveRoute(0, 0, 0);
    for (int index : { world.unit, second, third }) {
        const UnitRecord& unit = world.FogWorld::unit(0, index);
        EXPECT_EQ(unit.hasAutoRoute, 1);
        EXPECT_EQ(unit.wayPointCount, 3);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(unit.wayPoints[i][0], points[i].x);
            EXPECT_EQ(unit.wayPoints[i][1], points[i].y);
        }
        EXPECT_EQ(unit.wayPoints[3][0], 0);
        EXPECT_EQ(unit.goalXOrSide, 8);
        EXPECT_EQ(unit.goalYOrIndex, 6);
        EXPECT_EQ(unit.groupLead, index == world.unit ? 0 : world.unit + 26);
    }

    world.action.assignAutoMoveRoute(1, 3, 17);
    const UnitRecord& follower = world.FogWorld::unit(0, second);
    EXPECT_EQ(follower.followsUnit, 1);
    EXPECT_EQ(follower.goalXOrSide, 3);
    EXPECT_EQ(follower.goalYOrIndex, 17);

    world.action.endAutoMoveSetup();
    EXPECT_EQ(world.countMarked(kMarkAutoMoveGroup), 0);
    EXPECT_EQ(world.action.autoMoveGroupSize(), 0);
}

TEST(CurrentAction, FinishingClearsTheActionsMarksAndSettlesItsEvents)
{
    ActionWorld world;
    world.action.beginUnitAction(0, world.unit, false);
    ASSERT_TRUE(world.action.addWayPoint(6, 5));
    setHexMark(world.state(), 2, 2, kMarkAutoMoveGroup | kMarkBlink);
    world.state().endCheckFlags() = 4;
    world.action.setSupplyLinesDirty();
    world.setRule(kRuleSearch, 0);
    world.state().fogMap()->clearLayer(0);
    world.state().redrawSet()->clear(0, 0);

    world.action.finishAction();
    EXPECT_FALSE(world.action.underWay());
    EXPECT_EQ(world.action.range(), nullptr);
    EXPECT_EQ(world.countMarked(kMarkFinishMask), 0);
    EXPECT_EQ(world.markAt(2, 2), kMarkAutoMoveGroup | kMarkBlink);
    EXPECT_TRUE(world.state().redrawSet()->test(0, 0));
    EXPECT_TRUE(world.state().fogMap()->isSeenBy(3, 11, 11, 0)) << "the event bit refreshed the sight";
    EXPECT_EQ(world.settlement.calls, (std::vector<std::string> { "end1", "turnMarks", "supply" }));
    EXPECT_EQ(world.mainWindow.callsOf("refresh").back().args, (std::vector<int64_t> { int(MainRefresh::ConditionInfo) }));
    EXPECT_FALSE(world.mainWindow.callsOf("refresh").empty());
    bool results = false;
    for (const LinkCall& call : world.mainWindow.callsOf("refresh"))
        results |= call.args[0] == int(MainRefresh::Results);
    EXPECT_TRUE(results) << "the event flags ask for the results window";
}

TEST(CurrentAction, FinishAnswersTheGameThreadWhenTheGameIsDecided)
{
    ActionWorld world;
    world.action.beginUnitAction(0, world.unit, false);
    world.action.finishAction();
    EXPECT_EQ(world.settlement.calls, (std::vector<std::string> { "turnMarks" }));

    world.state().turnBlock().decided = 1;
    world.action.beginUnitAction(0, world.unit, false);
    world.action.finishActionAlt();
    EXPECT_EQ(world.settlement.calls.back(), "answer1");
    EXPECT_TRUE(world.mainWindow.callsOf("setPanelValue").size() == 1u) << "no panel value once decided";

    world.settlement.calls.clear();
    world.action.beginBuildingAction(0);
    world.action.finishActionQuiet();
    EXPECT_EQ(world.settlement.calls, (std::vector<std::string> { "turnMarks" })) << "a building's quiet finish answers nothing";
}

TEST(CurrentAction, PlannedActionKeepsTheBorrowedRange)
{
    ActionWorld world;
    GridRange borrowed(world.state(), 5, 5);
    world.action.beginPlannedAction(0, world.unit, &borrowed);
    EXPECT_TRUE(world.action.planned());
    EXPECT_EQ(world.action.range(), &borrowed);
    EXPECT_FALSE(world.action.addWayPoint(6, 5)) << "only an owned range takes way-points";
    world.state().redrawSet()->clear(0, 0);
    world.action.finishPlannedAction();
    EXPECT_EQ(world.action.range(), nullptr);
    EXPECT_FALSE(world.state().redrawSet()->test(0, 0));
    EXPECT_EQ(world.mapWindow.callsOf("postRefresh").back().args, (std::vector<int64_t> { 1 }));
}

TEST(CurrentAction, MissileActsWithItsFuelAsRangeAndItsFinishWaitsForTheMap)
{
    ActionWorld world;
    int index = world.addUnit(0, world.landType, 2, 2);
    UnitRecord& missile = *world.state().unitOf(100, index);
    missile = world.FogWorld::unit(0, index);
    missile.fuel = 2;
    world.action.beginMissileAction(0, index);
    EXPECT_EQ(world.action.commandCode(), 1);
    ASSERT_NE(world.action.range(), nullptr);
    EXPECT_EQ(world.action.range()->costAt(4, 2, -1), 2);
    EXPECT_EQ(world.action.range()->costAt(5, 2, -1), -1);

    setHexMark(world.state(), 0, 0, 128 | kMarkBlink);
    world.action.finishMissileAction();
    EXPECT_EQ(world.state().markGrid()[0], kMarkBlink) << "the missile finish also clears 128";
    EXPECT_EQ(world.mapWindow.callsOf("postRefresh").back().args, (std::vector<int64_t> { 1 }));
}

TEST(CurrentAction, PickingAUnitShowsItsStoredRoute)
{
    ActionWorld world;
    UnitRecord& unit = world.FogWorld::unit(0, world.unit);
    unit.hasAutoRoute = 1;
    unit.wayPoints[0][0] = 7;
    unit.wayPoints[0][1] = 5;
    unit.wayPointCount = 1;
    unit.goalXOrSide = 7;
    unit.goalYOrIndex = 7;
    world.action.beginUnitAction(0, world.unit, false);
    EXPECT_EQ(world.countMarked(kMarkAutoMoveEnd), 2);
    EXPECT_NE(world.markAt(7, 5) & kMarkAutoMoveEnd, 0);
    EXPECT_NE(world.markAt(7, 7) & kMarkAutoMoveEnd, 0);
    EXPECT_NE(world.markAt(6, 5) & kMarkAutoMoveRoute, 0);
    EXPECT_EQ(world.countMarked(kMarkAutoMoveRoute), 4) << "two steps to each end";
    world.action.clearRouteMarks();
    EXPECT_EQ(world.countMarked(kMarkAutoMoveEnd | kMarkAutoMoveRoute), 0);

    // Following: only a unit the actor counts as friend or can see is shown.
    int enemy = world.placeUnit(4, world.landType, 9, 9);
    world.state().country(4).inPlay = 1;
    unit.followsUnit = 1;
    unit.wayPointCount = 0;
    unit.goalXOrSide = 4;
    unit.goalYOrIndex = uint16_t(enemy);
    world.action.finishAction();
    world.action.beginUnitAction(0, world.unit, false);
    EXPECT_EQ(world.countMarked(kMarkAutoMoveEnd), 0);
    world.ally(0, 4);
    world.action.finishAction();
    world.action.beginUnitAction(0, world.unit, false);
    EXPECT_EQ(world.markAt(9, 9) & kMarkAutoMoveEnd, kMarkAutoMoveEnd);
}

TEST(CurrentAction, BuildingFiresItsStockIntoItsOwnersMissileTable)
{
    ActionWorld world;
    // Launched types have ids of 4000 and up: load one more type, a copy of the second line.
    std::vector<std::string> lines = testing_state::splitLines(world.read("weapon.dat"));
    ASSERT_GE(lines.size(), 2u);
    const int missile_type = 4753;
    world.write("weapon.dat", std::to_string(missile_type) + lines[1].substr(lines[1].find(',')) + "\r\n");
    world.state().loadWeaponData(0);
    ASSERT_NE(world.state().unitTypeIndex(missile_type), 0);
    int base = world.placeBuilding(world.buildingTerrain, 2, 3, 3);
    BuildingRecord& building = world.building(base);
    building.missileCode = uint16_t(missile_type + 1);
    building.missileParameter = 2;
    building.launchCounterStart = 5;
    world.setRule(kRuleMissilePhase, 1);
    world.action.beginBuildingAction(base);

    ASSERT_TRUE(world.action.launchBuildingMissile(8, 8));
    EXPECT_EQ(world.state().missileCount(2), 1u);
    const UnitRecord& flying = *world.state().unitOf(102, 0);
    EXPECT_EQ(flying.state(), 1);
    EXPECT_EQ(flying.unitTypeId, missile_type);
    EXPECT_EQ(flying.flags, 0xC001);
    EXPECT_EQ((HexPos { flying.x, flying.y }), (HexPos { 3, 3 }));
    EXPECT_EQ((HexPos { flying.missileTargetX, flying.missileTargetY }), (HexPos { 8, 8 }));
    EXPECT_EQ(building.missileParameter, 1);
    EXPECT_EQ(building.launchCounter, 5);
    EXPECT_TRUE(world.settlement.calls.empty()) << "with the missile phase it stays in flight";

    world.setRule(kRuleMissilePhase, 0);
    ASSERT_TRUE(world.action.launchBuildingMissile(9, 9));
    EXPECT_EQ(world.state().unitOf(102, 1)->flags, 0x8001);
    EXPECT_EQ(world.settlement.calls, (std::vector<std::string> { "impact2,1" }));
    EXPECT_EQ(world.action.actingCountry(), CurrentAction::kBuildingActor);
    EXPECT_EQ(world.action.actingIndex(), base);
    EXPECT_FALSE(world.action.launchBuildingMissile(9, 9)) << "the stock is spent";
    EXPECT_EQ(world.state().missileCount(2), 2u);

    world.state().unitOf(102, 0)->stateLow = 0;
    building.missileParameter = 1;
    ASSERT_TRUE(world.action.launchBuildingMissile(7, 7));
    EXPECT_EQ(world.state().missileCount(2), 2u) << "a free entry is used again";
    EXPECT_EQ(world.state().unitOf(102, 0)->missileTargetX, 7);
}

TEST(CurrentAction, WithoutARangeSourceNoRouteIsTaken)
{
    ActionWorld world;
    setActionRangeSource(nullptr);
    world.action.beginUnitAction(0, world.unit, false);
    EXPECT_EQ(world.action.range(), nullptr);
    EXPECT_FALSE(world.action.addWayPoint(6, 5));
    EXPECT_EQ(world.action.routeCostTo(6, 5), 0);
    EXPECT_EQ(world.countMarked(kMarkMoveRange), 0);
}

} // namespace
