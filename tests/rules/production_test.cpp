// Production: the categories a hex offers, buying units and their refusals, and arriving reinforcements.
#include "rules/headless_links.h"
#include "rules/production.h"

#include "tests/rules/production_world.h"
#include "tests/state/packed_value.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

using testing_rules::ProductionWorld;

namespace {

// Everything a refused purchase must leave as it was: the country, side 0's table and every hex.
struct Snapshot {
    explicit Snapshot(ProductionWorld& world)
        : country(world.country(0))
        , units(world.state().unitTable(0), world.state().unitTable(0) + kUnitTableSize)
        , cells(world.state().unitGrid(), world.state().unitGrid() + world.width() * world.height())
        , buildings(world.state().buildings())
        , count(world.state().unitCount(0))
        , history(world.historyCount())
    {
    }
    bool operator==(const Snapshot& o) const
    {
        auto same = [](const auto& a, const auto& b) {
            return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0);
        };
        return std::memcmp(&country, &o.country, sizeof country) == 0 && same(units, o.units) && same(cells, o.cells)
            && same(buildings, o.buildings) && count == o.count && history == o.history;
    }
    CountryRecord country;
    std::vector<UnitRecord> units;
    std::vector<UnitCell> cells;
    std::vector<BuildingRecord> buildings;
    uint32_t count;
    uint32_t history;
};

} // namespace

TEST(ProductionCategories, StoringOffersWholeCategoriesWhileHexProductionNeedsFreeSlots)
{
    ProductionWorld world;
    world.setRule(kRuleStacking, 1);
    world.editTerrain(world.city).productionMask = 1 | 8 | 16;
    world.build(world.capital, 0, 2, 2);
    world.build(world.city, 0, 4, 4);
    world.placeUnit(0, world.plain, 4, 4);

    world.setRule(kRuleStoring, 1);
    EXPECT_EQ(productionCategoriesAt(world.state(), 4, 4, 0, 0), 1 | 2 | 8 | 16 | 32);
    world.setRule(kRuleStoring, 0);
    EXPECT_EQ(productionCategoriesAt(world.state(), 4, 4, 0, 0), 1 | 2 | 16 | 32);
    world.unitCell(4, 4).upperSide[4] = 1;
    EXPECT_EQ(productionCategoriesAt(world.state(), 4, 4, 0, 0), 1 | 2 | 32);
}

TEST(ProductionCategories, BuildingMustBeSuppliedIntactOwnedAndNearHome)
{
    ProductionWorld world;
    world.build(world.capital, 0, 0, 0);
    int city = world.build(world.city, 0, 8, 0);
    int far = world.build(world.city, 0, 9, 0);
    EXPECT_EQ(productionCategoriesAt(world.state(), 0, 0, 0, 0), 8);
    EXPECT_EQ(productionCategoriesAt(world.state(), 8, 0, 0, 0), 8);
    EXPECT_EQ(productionCategoriesAt(world.state(), 9, 0, 0, 0), 0);
    EXPECT_EQ(productionCategoriesAt(world.state(), 8, 0, 1, 0), 0);

    world.setRule(kRuleProductionAnyDistance, 1);
    EXPECT_EQ(productionCategoriesAt(world.state(), 9, 0, 0, 0), 8);
    world.building(far).supplyBits = 0;
    EXPECT_EQ(productionCategoriesAt(world.state(), 9, 0, 0, 0), 0);
    world.building(city).destroyed = 1;
    EXPECT_EQ(productionCategoriesAt(world.state(), 8, 0, 0, 0), 0);

    // A headquarters unit stands in for the capital.
    world.setRule(kRuleProductionAnyDistance, 0);
    world.building(far).supplyBits = 1;
    world.editType(world.other).unitClass = kHeadquartersClass;
    world.placeUnit(0, world.other, 5, 5);
    EXPECT_EQ(productionCategoriesAt(world.state(), 9, 0, 0, 0), 8);
}

TEST(ProductionCategories, RestrictionByteAndAlliedBuildings)
{
    ProductionWorld world;
    world.editTerrain(world.city).productionMask = 1 | 8;
    world.build(world.capital, 0, 0, 0);
    int city = world.build(world.city, 1, 2, 0);
    world.country(0).allianceMask = 3;
    world.country(1).allianceMask = 3;
    EXPECT_EQ(productionCategoriesAt(world.state(), 2, 0, 0, 0), 0);
    world.setRule(kRuleAlliedProduction, 1);
    EXPECT_EQ(productionCategoriesAt(world.state(), 2, 0, 0, 0), 1 | 2 | 8);
    world.building(city).domainMask = 8;
    EXPECT_EQ(productionCategoriesAt(world.state(), 2, 0, 0, 0), 8);
}

TEST(ProductionCategories, AdjacentProductionAddsLandBesideTheCapital)
{
    ProductionWorld world;
    world.build(world.capital, 0, 4, 4);
    EXPECT_EQ(productionCategoriesAt(world.state(), 5, 4, 0, 1), 0);
    world.setRule(kRuleAdjacentProduction, 1);
    EXPECT_EQ(productionCategoriesAt(world.state(), 5, 4, 0, 0), 0);
    EXPECT_EQ(productionCategoriesAt(world.state(), 5, 4, 0, 1), 8);
    EXPECT_EQ(productionCategoriesAt(world.state(), 6, 4, 0, 1), 0);
    world.setRule(kRuleStacking, 1);
    world.placeUnit(1, world.plain, 5, 4);
    EXPECT_EQ(productionCategoriesAt(world.state(), 5, 4, 0, 1), 0);
}

TEST(BuyUnit, BuildsPaysAndPlacesTheUnitOnTheHex)
{
    ProductionWorld world;
    world.setRule(kRuleStacking, 1);
    world.build(world.capital, 0, 0, 0);
    world.placeUnit(0, world.plain, 7, 7);
    world.unit(0, 0).troopNumber = 1;
    uint32_t history = world.historyCount();

    int index = buyUnit(world.state(), 3, 3, 0, world.other, 3, 0, -1);
    ASSERT_EQ(index, 1);
    const UnitRecord& unit = world.unit(0, index);
    EXPECT_EQ(unit.state(), 1);
    EXPECT_EQ(unit.unitTypeId, world.other);
    EXPECT_STREQ(unit.name, world.state().unitTypeRecord(world.other).name);
    EXPECT_EQ(unit.x, 3);
    EXPECT_EQ(unit.y, 3);
    EXPECT_EQ(unit.memberStrengths[0], 10);
    EXPECT_EQ(unit.memberStrengths[2], 10);
    EXPECT_EQ(unit.memberStrengths[3], 0);
    EXPECT_EQ(unit.memberLimit, 3);
    EXPECT_EQ(unit.flags, kUnitActed);
    EXPECT_EQ(unit.troopNumber, 2);
    EXPECT_EQ(world.unitCell(3, 3).lowerSide[3], 1);
    EXPECT_EQ(world.unitCell(3, 3).lowerUnit[3], 1);
    EXPECT_EQ(packed(world.country(0).funds), 10000u - 300);
    EXPECT_EQ(packed(world.country(0).productionSpent), 300u);
    EXPECT_EQ(packed(world.country(0).unitsBought), 3u);
    EXPECT_EQ(world.historyCount(), history + 1);

    // Counters are bounded by the type; none is no unit.
    int big = buyUnit(world.state(), 4, 3, 0, world.plain, 12, 0, -1);
    ASSERT_GE(big, 0);
    EXPECT_EQ(world.unit(0, big).memberLimit, 4);
    EXPECT_EQ(packed(world.country(0).funds), 10000u - 300 - 400);
    EXPECT_EQ(buyUnit(world.state(), 5, 3, 0, world.plain, 0, 0, -1), -1);
}

TEST(BuyUnit, RefusalsChangeNothing)
{
    struct Case {
        const char* what;
        std::function<void(ProductionWorld&)> setup;
        int x, y, in_building, index;
    };
    auto fill = [](ProductionWorld& w) {
        int full = w.build(w.city, 0, 1, 1);
        for (BuildingSlot& slot : w.building(full).slots)
            slot = { 2, 0 };
    };
    auto none = [](ProductionWorld&) {};
    const Case cases[] = {
        { "full building", fill, 1, 1, 1, -1 },
        { "no building", none, 2, 2, 1, -1 },
        { "index of a live unit", [](ProductionWorld& w) { w.placeUnit(0, w.plain, 6, 6); }, 5, 5, 0, 0 },
        { "index past the table", none, 5, 5, 0, kUnitTableSize },
        { "land slot taken", [](ProductionWorld& w) { w.placeUnit(1, w.plain, 5, 5); }, 5, 5, 0, -1 },
        { "off the map", none, 40, 5, 0, -1 },
        { "one short of the price", [](ProductionWorld& w) { w.country(0).funds = 199; }, 5, 5, 0, -1 },
        { "unit capacity reached",
            [](ProductionWorld& w) {
                w.country(0).unitListLength = 1;
                w.placeUnit(0, w.plain, 6, 6);
            },
            5, 5, 0, -1 },
        { "production limit reached",
            [](ProductionWorld& w) {
                w.setRule(kRuleProductionLimit, 1);
                w.country(0).productionLimit = 2;
                w.country(0).producedThisTurn = 2;
            },
            5, 5, 0, -1 },
        { "terrain closed to the type",
            [](ProductionWorld& w) { w.cell(5, 5).terrain = uint8_t(w.terrainOfKind(kTerrainSea)); }, 5, 5, 0, -1 },
    };
    for (const Case& c : cases) {
        ProductionWorld world;
        world.setRule(kRuleStacking, 1);
        c.setup(world);
        Snapshot before(world);
        EXPECT_EQ(buyUnit(world.state(), c.x, c.y, 0, world.plain, 2, uint8_t(c.in_building), c.index), -1) << c.what;
        EXPECT_TRUE(Snapshot(world) == before) << c.what;
    }
}

TEST(BuyUnit, LastAffordableUnitLeavesFundsAtZeroAndCountsAgainstTheLimit)
{
    ProductionWorld world;
    world.setRule(kRuleProductionLimit, 1);
    world.country(0).productionLimit = 5;
    world.country(0).funds = 400;
    ASSERT_GE(buyUnit(world.state(), 3, 3, 0, world.plain, 4, 0, -1), 0);
    EXPECT_EQ(packed(world.country(0).funds), 0u);
    EXPECT_EQ(packed(world.country(0).producedThisTurn), 1);
}

TEST(BuyUnit, IntoABuildingTheUnitIsStoredInItsFirstFreeSlot)
{
    ProductionWorld world;
    int city = world.build(world.city, 0, 2, 2);
    world.building(city).slots[0] = { 2, 7 };
    int index = buyUnit(world.state(), 2, 2, 0, world.plain, 4, 1, -1);
    ASSERT_GE(index, 0);
    EXPECT_EQ(world.unit(0, index).flags, kUnitActed | kUnitStored);
    EXPECT_EQ(world.building(city).slots[1].sidePlusOne, 1);
    EXPECT_EQ(world.building(city).slots[1].unitIndex, index);
    EXPECT_EQ(world.unitCell(2, 2).lowerSide[0], 0);
}

TEST(BuyUnit, IndexIsTheFirstFreeRecordOrTheGivenFreeOne)
{
    ProductionWorld world;
    world.placeUnit(0, world.plain, 0, 0);
    world.placeUnit(0, world.plain, 1, 0);
    world.placeUnit(0, world.plain, 2, 0);
    world.state().setUnitCount(0, 3);
    world.unit(0, 1) = UnitRecord {};
    EXPECT_EQ(buyUnit(world.state(), 5, 5, 0, world.plain, 1, 0, -1), 1);
    EXPECT_EQ(buyUnit(world.state(), 6, 5, 0, world.plain, 1, 0, -1), 3);
    EXPECT_EQ(world.state().unitCount(0), 4u);
    EXPECT_EQ(buyUnit(world.state(), 7, 5, 0, world.plain, 1, 0, 10), 10);
    EXPECT_EQ(world.state().unitCount(0), 11u);
}

TEST(BuyUnit, CountdownWaitsInTheUpperLayerAndZeroTurnsCountAsOne)
{
    ProductionWorld world;
    world.setRule(kRuleProductionCount, 1);
    world.state().turnBlock().turn = 1;
    uint32_t history = world.historyCount();
    int a = buyUnit(world.state(), 3, 3, 0, world.plain, 2, 0, -1);
    ASSERT_GE(a, 0);
    EXPECT_TRUE(world.unit(0, a).hasFlag(kUnitAwaitingProduction));
    EXPECT_EQ(world.unit(0, a).productionTurnsLeft, 3);
    EXPECT_EQ(world.unitCell(3, 3).upperSide[0], 1);
    EXPECT_EQ(world.unitCell(3, 3).lowerSide[0], 0);
    EXPECT_EQ(world.historyCount(), history);

    world.setRule(kRuleFirstProduction, 1);
    int b = buyUnit(world.state(), 4, 3, 0, world.plain, 2, 0, -1);
    EXPECT_EQ(world.unit(0, b).productionTurnsLeft, 1);

    world.setRule(kRuleFirstProduction, 0);
    world.editType(world.other).productionTurns = 0;
    int c = buyUnit(world.state(), 5, 3, 0, world.other, 2, 0, -1);
    EXPECT_EQ(world.unit(0, c).productionTurnsLeft, 1);
}

// Its own country hears of each unit landed; country 1, watching the carrier's hex under fog of
// war, sees the carrier but not what it carries.
static void landNestedCargoWatchedBy(int viewer)
{
    SCOPED_TRACE(viewer);
    ProductionWorld world;
    world.state().turnBlock().viewingCountry = int8_t(viewer);
    world.setRule(kRuleSearch, 1);
    world.state().recreateSightMaps();
    world.state().fogMap()->setBit(1, 4, 5, 3);
    int carrier = world.placeUnit(0, world.plain, 4, 5);
    int middle = world.addUnit(0, world.other, 0, 0);
    int inner = world.addUnit(0, world.third, 0, 0);
    world.unit(0, middle).stateLow = 0;
    world.unit(0, middle).stateHigh = 0x03;
    world.unit(0, inner).stateLow = 0;
    world.unit(0, carrier).setCarriedUnit(2, middle);
    world.unit(0, carrier).flags |= kUnitCarrying;
    world.unit(0, middle).setCarriedUnit(0, inner);
    world.unit(0, middle).flags |= kUnitCarrying | kUnitAboard;
    world.unit(0, inner).flags |= kUnitAboard;
    headlessDialogs().clear();
    uint32_t history = world.historyCount();

    landReinforcementCargo(world.state(), 0, carrier, 1);
    for (int i : { middle, inner }) {
        EXPECT_EQ(world.unit(0, i).state(), 1);
        EXPECT_EQ(world.unit(0, i).x, 4);
        EXPECT_EQ(world.unit(0, i).y, 5);
    }
    EXPECT_EQ(world.historyCount(), history + 2);
    EXPECT_EQ(headlessDialogs().callsOf("showEventNotice").size(), viewer == 0 ? 2u : 0u);
}

TEST(ReinforcementCargo, NestedCargoComesIntoPlayAtTheCarriersHex)
{
    landNestedCargoWatchedBy(0);
    landNestedCargoWatchedBy(1);
}

TEST(ReinforcementCargo, ACarrierThatCarriesItselfEndsTheWalk)
{
    ProductionWorld world;
    int carrier = world.placeUnit(0, world.plain, 4, 5);
    int loop = world.addUnit(0, world.other, 0, 0);
    world.unit(0, carrier).setCarriedUnit(0, loop);
    world.unit(0, carrier).flags |= kUnitCarrying;
    world.unit(0, loop).setCarriedUnit(0, carrier);
    world.unit(0, loop).flags |= kUnitCarrying;
    landReinforcementCargo(world.state(), 0, carrier, 0);
    EXPECT_EQ(world.unit(0, loop).x, 4);
}

TEST(TurnReset, TargetCountryClearedAndWorkingWordsZeroed)
{
    ProductionWorld world;
    int index = world.placeUnit(0, world.plain, 1, 1);
    world.country(0).targetCountry = 3;
    UnitRecord& unit = world.unit(0, index);
    unit.placedUnitIndex = 7;
    std::fill(std::begin(unit.computerWork), std::end(unit.computerWork), uint8_t(5));
    resetTurnUnitFields(world.state(), 0);
    EXPECT_EQ(packed(world.country(0).targetCountry), 8);
    EXPECT_EQ(unit.placedUnitIndex, 0);
    EXPECT_EQ(unit.computerWork[7], 0);
    EXPECT_EQ(unit.computerWork[8], 5);
}
