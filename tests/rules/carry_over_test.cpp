// Campaign carry-over: filling the list, compacting it, and deploying its entries by hand and automatically.
#include "tests/state/small_world.h"

#include "rules/carry_over.h"
#include "state/unit_facts.h"

#include <gtest/gtest.h>

namespace {

using testing_state::SmallWorld;

constexpr int kHeadquarters = 1, kInfantry = 2, kCarrier = 10, kShip = 30;
constexpr int kPlain = 1;

class CarryOverWorld : public SmallWorld {
public:
    explicit CarryOverWorld(int player = 0)
        : SmallWorld(6, 4, kPlain)
        , player(player)
    {
        state().campaignBlock().playerCountry = uint8_t(player);
        for (int c = 0; c < kCountryCount; ++c)
            state().country(c).unitListLength = 50;
    }

    UnitRecord& entry(int i) { return *carryOverEntry(state(), i); }
    // A waiting entry of the type appended to the list.
    int addEntry(int type, uint16_t flags = 0, uint16_t carrier_plus_one = 0)
    {
        int i = int(state().carryOverCount());
        UnitRecord& record = entry(i);
        record = UnitRecord {};
        record.stateLow = kCarryOverWaiting & 0xFF;
        record.stateHigh = kCarryOverWaiting >> 8;
        record.unitTypeId = uint16_t(type);
        record.memberStrengths[0] = 10;
        record.flags = flags;
        record.carrierIndex = carrier_plus_one;
        record.carrierSide = carrier_plus_one ? uint8_t(player + 1) : 0;
        record.troopNumber = uint16_t(i + 1);
        state().setCarryOverCount(uint32_t(i + 1));
        return i;
    }
    void carry(int carrier, int slot, int cargo)
    {
        entry(carrier).carriedUnits[slot] = uint16_t(cargo + 1);
        entry(carrier).flags |= kUnitCarrying;
    }
    void markDeploymentHex(int x, int y) { cell(x, y).turnMarks[0] |= 1; }
    HexPos placedAt(int i) { return { entry(i).x, entry(i).y }; }

    int player;
};

TEST(CarryOverList, CollectsThePlayersUnitsWithTheirCargoButNotHeadquarters)
{
    CarryOverWorld world(1);
    ASSERT_EQ(world.state().unitTypeRecord(kHeadquarters).unitClass, kHeadquartersClass);
    UnitRecord& worn = world.unit(1, world.placeUnit(1, kInfantry, 2, 1));
    worn.flags = kUnitActed | kUnitStored | kUnitAwaitingProduction;
    worn.productionTurnsLeft = 3;
    worn.goalX = 4;
    worn.wayPointCount = 2;
    worn.troopNumber = 7;
    world.placeUnit(1, kHeadquarters, 3, 1);
    int carrier = world.placeUnit(1, kCarrier, 4, 2);
    int cargo = world.addUnit(1, kInfantry, 4, 2);
    world.unit(1, cargo).boardCarrier(1, carrier);
    world.unit(1, carrier).setCarriedUnit(0, cargo);
    world.unit(1, carrier).setCarriedNeutralUnit(1, 0);
    world.unit(1, carrier).flags |= kUnitCarrying;
    world.placeUnit(0, kInfantry, 0, 0);

    collectCarryOver(world.state());
    ASSERT_EQ(world.state().carryOverCount(), 3u);
    const UnitRecord& first = world.entry(0);
    EXPECT_EQ(unitState(first), kCarryOverWaiting);
    EXPECT_EQ(first.flags + first.productionTurnsLeft + first.goalX + first.wayPointCount, 0);
    EXPECT_EQ(world.placedAt(0), (HexPos { 0, 0 }));
    EXPECT_EQ(world.entry(1).carriedUnits[0], 3); // entry 2 + 1
    EXPECT_EQ(world.entry(1).carriedUnits[1], 0x8001); // a neutral berth stays as it was
    EXPECT_EQ(world.entry(2).carrierIndex, 2);
    EXPECT_TRUE(world.entry(2).hasFlag(kUnitAboard));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(world.entry(i).troopNumber, i + 1); // numbered afresh within the list
}

TEST(CarryOverList, FullListKeepsOnlyTheCargoThatFits)
{
    CarryOverWorld world;
    GameState& s = world.state();
    for (int i = 0; i < 998; ++i)
        world.addEntry(kInfantry);
    int carrier = world.placeUnit(0, kCarrier, 1, 1);
    for (int slot = 0; slot < 2; ++slot) {
        int cargo = world.addUnit(0, kInfantry, 1, 1);
        world.unit(0, cargo).boardCarrier(0, carrier);
        world.unit(0, carrier).setCarriedUnit(slot, cargo);
    }
    world.unit(0, carrier).flags |= kUnitCarrying;

    addToCarryOver(s, carrier);
    ASSERT_EQ(s.carryOverCount(), 1000u);
    EXPECT_EQ(world.entry(998).carriedUnits[0], 1000);
    EXPECT_EQ(world.entry(998).carriedUnits[1], 0);
    EXPECT_TRUE(world.entry(998).hasFlag(kUnitCarrying));
    EXPECT_EQ(world.entry(998).troopNumber, 999);
    EXPECT_EQ(world.entry(999).troopNumber, 1000);

    // Nothing more fits; a carrier that arrives at 999 entries loses all its cargo and its flag.
    addToCarryOver(s, carrier);
    EXPECT_EQ(s.carryOverCount(), 1000u);
    s.setCarryOverCount(999);
    world.entry(999) = UnitRecord {};
    addToCarryOver(s, carrier);
    EXPECT_EQ(world.entry(999).carriedUnits[0], 0);
    EXPECT_FALSE(world.entry(999).hasFlag(kUnitCarrying));
}

TEST(CarryOverList, CompactionKeepsWaitingEntriesAndRelinksThem)
{
    CarryOverWorld world;
    GameState& s = world.state();
    int placed = world.addEntry(kCarrier);
    int carrier = world.addEntry(kCarrier);
    int cargo = world.addEntry(kInfantry, kUnitAboard, uint16_t(carrier + 1));
    int orphan = world.addEntry(kInfantry, kUnitAboard, uint16_t(placed + 1));
    int emptied = world.addEntry(kCarrier);
    world.carry(placed, 0, orphan);
    world.carry(carrier, 0, cargo);
    world.carry(carrier, 1, placed);
    world.entry(carrier).carriedUnits[2] = 0x8001;
    world.carry(emptied, 0, placed);
    world.entry(placed).stateHigh = 0, world.entry(placed).stateLow = 1;

    compactCarryOverList(s);
    ASSERT_EQ(s.carryOverCount(), 4u);
    // Renumbered; the dropped entry's and the neutral berth cleared.
    EXPECT_EQ(world.entry(0).carriedUnits[0] + 10 * world.entry(0).carriedUnits[1] + world.entry(0).carriedUnits[2], 2);
    EXPECT_TRUE(world.entry(0).hasFlag(kUnitCarrying));
    EXPECT_EQ(world.entry(1).carrierIndex, 1);
    EXPECT_TRUE(world.entry(1).hasFlag(kUnitAboard));
    EXPECT_FALSE(world.entry(2).hasFlag(kUnitAboard));
    EXPECT_FALSE(world.entry(3).hasFlag(kUnitCarrying));
    EXPECT_EQ(unitState(world.entry(4)), 0);
}

// A carrier entry with one infantry entry aboard, a second infantry entry, and five placements.
struct DeployFixture {
    DeployFixture()
    {
        carrier = world.addEntry(kCarrier);
        cargo = world.addEntry(kInfantry, kUnitAboard, uint16_t(carrier + 1));
        world.carry(carrier, 0, cargo);
        single = world.addEntry(kInfantry);
        carryOverDeployment(world.state()).unitsLeft = 5;
    }
    CarryOverWorld world;
    int carrier = 0, cargo = 0, single = 0;
};

TEST(CarryOverDeployment, PlacesAnEntryWithItsCargoAboard)
{
    DeployFixture f;
    GameState& s = f.world.state();
    // Two units already fill the side's table up to its count.
    f.world.placeUnit(0, kInfantry, 0, 0);
    f.world.placeUnit(0, kInfantry, 5, 3);
    s.unitOf(0, 1)->troopNumber = 1;

    ASSERT_TRUE(deployCarriedOverUnit(s, 0, f.carrier, 2, 1, false));
    ASSERT_EQ(s.unitCount(0), 4u);
    const UnitRecord& carrier = *s.unitOf(0, 2);
    const UnitRecord& cargo = *s.unitOf(0, 3);
    UnitRef ref {};
    ASSERT_TRUE(s.unitRefInHex(2, 1, s.unitSlotFor(carrier.type().domain), ref));
    EXPECT_EQ(ref.index, 2);
    EXPECT_TRUE(unitInPlay(carrier) && unitInPlay(cargo));
    EXPECT_EQ(carrier.carriedUnits[0], 4);
    EXPECT_EQ(cargo.carrierSide * 100 + cargo.carrierIndex, 103);
    EXPECT_EQ(cargo.y, 1);
    EXPECT_NE(carrier.troopNumber, 1);
    EXPECT_NE(carrier.troopNumber, cargo.troopNumber);
    EXPECT_EQ(unitState(f.world.entry(f.carrier)), kCarryOverPlaced);
    EXPECT_EQ(f.world.entry(f.carrier).placedUnitIndex, 2);
    EXPECT_EQ(f.world.entry(f.cargo).placedUnitIndex, 3);
    EXPECT_EQ(carryOverDeployment(s).unitsLeft, 3u);

    // Refused: placed twice, an occupied slot, an entry aboard, no placement left.
    EXPECT_FALSE(deployCarriedOverUnit(s, 0, f.carrier, 3, 1, false));
    EXPECT_FALSE(deployCarriedOverUnit(s, 0, f.single, 2, 1, false));
    EXPECT_FALSE(deployCarriedOverUnit(s, 0, f.single, 1, 1, true)); // no building there
    carryOverDeployment(s).unitsLeft = 0;
    EXPECT_FALSE(deployCarriedOverUnit(s, 0, f.single, 3, 1, false));
    EXPECT_EQ(s.unitCount(0), 4u);

    // By hand: a waiting entry of an allowed domain that is not aboard.
    int ship = f.world.addEntry(kShip);
    carryOverDeployment(s).domainMask = uint8_t(1u << s.unitTypeRecord(kInfantry).domain);
    EXPECT_TRUE(canDeployCarryOverEntry(s, f.single));
    EXPECT_FALSE(canDeployCarryOverEntry(s, ship));
    EXPECT_FALSE(canDeployCarryOverEntry(s, ship + 1));
}

TEST(CarryOverDeployment, CancellingACarrierMakesItsCargoWaitAgain)
{
    DeployFixture f;
    GameState& s = f.world.state();
    ASSERT_TRUE(deployCarriedOverUnit(s, 0, f.carrier, 2, 1, false));
    ASSERT_TRUE(deployCarriedOverUnit(s, 0, f.single, 3, 1, false));
    ASSERT_EQ(carryOverDeployment(s).unitsLeft, 2u);
    // Cargo goes back only with its carrier.
    cancelDeployment(s, f.cargo);
    EXPECT_EQ(unitState(f.world.entry(f.cargo)), kCarryOverPlaced);

    int carrier_unit = f.world.entry(f.carrier).placedUnitIndex;
    int cargo_unit = f.world.entry(f.cargo).placedUnitIndex;
    cancelDeployment(s, f.carrier);
    EXPECT_EQ(unitState(f.world.entry(f.carrier)), kCarryOverWaiting);
    EXPECT_EQ(unitState(f.world.entry(f.cargo)), kCarryOverWaiting);
    EXPECT_EQ(f.world.placedAt(f.carrier), (HexPos { 0, 0 }));
    EXPECT_FALSE(unitExists(*s.unitOf(0, carrier_unit)));
    EXPECT_FALSE(unitExists(*s.unitOf(0, cargo_unit)));
    EXPECT_FALSE(s.hexHasUnit(2, 1, s.unitSlotFor(s.unitTypeRecord(kCarrier).domain)));
    EXPECT_EQ(carryOverDeployment(s).unitsLeft, 4u);
    // The links between the entries survive for the next placement.
    EXPECT_EQ(f.world.entry(f.carrier).carriedUnits[0], f.cargo + 1);
    EXPECT_TRUE(f.world.entry(f.cargo).hasFlag(kUnitAboard));

    cancelAllDeployments(s);
    EXPECT_EQ(unitState(f.world.entry(f.single)), kCarryOverWaiting);
    EXPECT_EQ(carryOverDeployment(s).unitsLeft, 5u);
}

TEST(CarryOverDeployment, AutomaticWithoutAnchorsTakesTheLastHexFirstThenRowOrder)
{
    CarryOverWorld world;
    for (int i = 0; i < 3; ++i)
        world.addEntry(kInfantry);
    world.markDeploymentHex(1, 0);
    world.markDeploymentHex(3, 0);
    world.markDeploymentHex(0, 1);
    carryOverDeployment(world.state()).unitsLeft = 10;
    autoDeployCarryOver(world.state());
    EXPECT_EQ(world.placedAt(0), (HexPos { 0, 1 }));
    EXPECT_EQ(world.placedAt(1), (HexPos { 1, 0 }));
    EXPECT_EQ(world.placedAt(2), (HexPos { 3, 0 }));
    EXPECT_EQ(carryOverDeployment(world.state()).unitsLeft, 7u);
}

TEST(CarryOverDeployment, AutomaticPrefersHexesNearTheCapitalStopsAtTheLimitAndNeedsAPortForShips)
{
    CarryOverWorld world;
    GameState& s = world.state();
    int capital = world.terrainOfKind(kTerrainCapital);
    int port = world.terrainOfKind(17);
    int sea = world.terrainOfKind(kTerrainSea);
    ASSERT_TRUE(capital >= 0 && port >= 0 && sea >= 0);
    world.cell(5, 3).terrain = uint8_t(capital);
    world.placeBuilding(capital, 0, 5, 3);
    int ship = world.addEntry(kShip);
    int near = world.addEntry(kInfantry);
    int next = world.addEntry(kInfantry);
    int over = world.addEntry(kInfantry);
    world.markDeploymentHex(0, 0);
    world.markDeploymentHex(4, 3);
    world.markDeploymentHex(5, 2);
    world.cell(0, 3).terrain = uint8_t(sea);
    world.markDeploymentHex(0, 3);
    carryOverDeployment(s).unitsLeft = 2;

    autoDeployCarryOver(s);
    // Both one hex from the capital: the later in row order first.
    EXPECT_EQ(world.placedAt(near), (HexPos { 4, 3 }));
    EXPECT_EQ(world.placedAt(next), (HexPos { 5, 2 }));
    EXPECT_EQ(unitState(world.entry(over)), kCarryOverWaiting);
    EXPECT_EQ(unitState(world.entry(ship)), kCarryOverWaiting);

    // A port of nobody opens the sea to ships.
    world.cell(1, 3).terrain = uint8_t(port);
    world.placeBuilding(port, -1, 1, 3);
    carryOverDeployment(s).unitsLeft = 2;
    autoDeployCarryOver(s);
    EXPECT_EQ(world.placedAt(over), (HexPos { 0, 0 }));
    EXPECT_EQ(world.placedAt(ship), (HexPos { 0, 3 }));
}

} // namespace

TEST(CarryOverDeploymentStart, TakesAsManyAsTheListAndTheTableAllowAndFindsHexesNearHome)
{
    CarryOverWorld world(0);
    GameState& s = world.state();
    for (int i = 0; i < 4; ++i)
        world.addEntry(kInfantry);
    world.placeUnit(0, kHeadquarters, 1, 1);
    // Four waiting entries and room for all: four placements, land and high air only.
    beginCarryOverDeployment(s);
    EXPECT_EQ(carryOverDeployment(s).limit, 4u);
    EXPECT_EQ(carryOverDeployment(s).unitsLeft, 4u);
    EXPECT_EQ(carryOverDeployment(s).domainMask, uint8_t(1u << 0 | 1u << 3));
    // The map marks no deployment hex: those near the headquarters take its place.
    EXPECT_TRUE(s.terrainCellAt(1, 1)->turnMarks[0] & 1);
    // Room for only two more units in the table: two placements.
    s.country(0).unitListLength = 3;
    beginCarryOverDeployment(s);
    EXPECT_EQ(carryOverDeployment(s).limit, 2u);
    EXPECT_EQ(carryOverDeployment(s).unitsLeft, 2u);
}
