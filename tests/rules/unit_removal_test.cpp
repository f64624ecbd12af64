// Unit removal: hex and carrier links, destroying carriers with their cargo, erasing without losses.
#include "rules/unit_removal.h"

#include "state/unit_facts.h"
#include "tests/rules/combat_world.h"
#include "tests/state/packed_value.h"

#include <gtest/gtest.h>

using testing_rules::CombatWorld;

namespace {

// A carrier of side 0 at (4, 4) with one unit of side 0 aboard berth 0.
struct CarrierWorld : CombatWorld {
    CarrierWorld()
    {
        carrier = placeUnit(0, plain, 4, 4);
        cargo = addUnit(0, other, 4, 4);
        unit(0, carrier).carriedUnits[0] = uint16_t(cargo + 1);
        unit(0, carrier).flags |= kUnitCarrying;
        UnitRecord& c = unit(0, cargo);
        c.flags |= kUnitAboard;
        c.carrierSide = 1;
        c.carrierIndex = uint16_t(carrier + 1);
    }
    int carrier = -1;
    int cargo = -1;
};

int destroyedEntries(GameState& state, int country)
{
    int n = 0;
    while (const DestroyedUnitRecord* e = state.destroyedUnitEntry(country, n)) {
        if (!e->isUsed())
            break;
        ++n;
    }
    return n;
}

} // namespace

TEST(UnitRemoval, DestroyingACarrierDestroysItsCargoFirstAndCountsBoth)
{
    CarrierWorld world;
    GameState& state = world.state();
    world.unit(0, world.cargo).watchBits = 1;
    removeUnitFromHex(state, 0, world.carrier);
    destroyUnit(state, 0, world.carrier);

    EXPECT_FALSE(unitExists(world.unit(0, world.carrier)));
    EXPECT_FALSE(unitExists(world.unit(0, world.cargo)));
    EXPECT_EQ(world.unit(0, world.cargo).troopNumber, 0) << "the whole record is cleared";
    ASSERT_EQ(destroyedEntries(state, 0), 2);
    EXPECT_EQ(state.destroyedUnitEntry(0, 0)->unitTypeId, world.other) << "the cargo is listed first";
    EXPECT_EQ(packed(state.country(0).membersLost), 8u);
    EXPECT_EQ(state.endCheckFlags() & 6, 6) << "a watched unit lost and a unit destroyed";
    EXPECT_FALSE(state.hexHasUnit(4, 4, 0));
}

TEST(UnitRemoval, DestroyingAnUnusedRecordChangesNothing)
{
    CombatWorld world;
    destroyUnit(world.state(), 0, 5);
    EXPECT_EQ(world.state().endCheckFlags(), 0);
    EXPECT_EQ(destroyedEntries(world.state(), 0), 0);
}

TEST(UnitRemoval, RemovingCargoFreesTheBerthAndTheCarrierFlagWhenEmpty)
{
    CarrierWorld world;
    removeUnitFromHex(world.state(), 0, world.cargo);
    const UnitRecord& carrier = world.unit(0, world.carrier);
    EXPECT_EQ(carrier.carriedUnits[0], 0);
    EXPECT_FALSE(carrier.hasFlag(kUnitCarrying));
    EXPECT_TRUE(world.state().hexHasUnit(4, 4, 0)) << "the carrier keeps its hex";
}

TEST(UnitRemoval, ErasingCountsNoLossAndAnswersTheCountersErased)
{
    CarrierWorld world;
    EXPECT_EQ(eraseUnitRecord(world.state(), 0, world.carrier), 8);
    EXPECT_FALSE(unitExists(world.unit(0, world.cargo)));
    EXPECT_EQ(packed(world.state().country(0).membersLost), 0u);
    EXPECT_EQ(destroyedEntries(world.state(), 0), 0);
}

TEST(UnitRemoval, CarrierLinksThatLoopEndTheRecursion)
{
    CarrierWorld world;
    world.unit(0, world.cargo).carriedUnits[0] = uint16_t(world.carrier + 1);
    destroyUnit(world.state(), 0, world.carrier);
    EXPECT_FALSE(unitExists(world.unit(0, world.carrier)));
    EXPECT_FALSE(unitExists(world.unit(0, world.cargo)));
    EXPECT_EQ(destroyedEntries(world.state(), 0), 2) << "each unit counted once";
}
