// Where the units stand, kept from the records touched since the last look: what a look near a box
// finds after moves, new and dropped records, and writes to the acting country's units.
#include "rules/unit_places.h"

#include "tests/state/small_world.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

std::vector<uint32_t> near(const GameState& state, int side, int x0, int y0, int x1, int y1)
{
    std::vector<uint32_t> found;
    currentUnitPlaces(state).collect(side, x0, y0, x1, y1, found);
    return found;
}

} // namespace

TEST(UnitPlaces, FindTheRecordsInABoxInTableOrderAsTheyAreWritten)
{
    testing_state::SmallWorld world(40, 40);
    GameState& state = world.state();
    state.turnBlock().currentCountry = 0;
    const int type = state.unitTypes().front().id;
    const int a = world.placeUnit(1, type, 5, 5);
    const int b = world.placeUnit(1, type, 30, 30);
    const int c = world.placeUnit(1, type, 6, 4);
    EXPECT_EQ(near(state, 1, 4, 4, 7, 6), (std::vector<uint32_t> { uint32_t(a), uint32_t(c) }));
    EXPECT_EQ(near(state, 1, 29, 29, 39, 39), std::vector<uint32_t> { uint32_t(b) });
    EXPECT_TRUE(near(state, 2, 0, 0, 39, 39).empty());

    // Another side's unit moves; the far block gains it and the near one loses it.
    state.unitOf(1, a)->x = 31;
    state.unitOf(1, a)->y = 31;
    EXPECT_EQ(near(state, 1, 4, 4, 7, 6), std::vector<uint32_t> { uint32_t(c) });
    EXPECT_EQ(near(state, 1, 29, 29, 39, 39), (std::vector<uint32_t> { uint32_t(a), uint32_t(b) }));

    // The acting country's unit is found where it went, even written through a pointer taken
    // before the last look.
    const int own = world.placeUnit(0, type, 10, 10);
    UnitRecord* held = state.unitOf(0, own);
    EXPECT_EQ(near(state, 0, 10, 10, 10, 10), std::vector<uint32_t> { uint32_t(own) });
    held->x = 12;
    EXPECT_TRUE(near(state, 0, 10, 10, 10, 10).empty());
    EXPECT_EQ(near(state, 0, 12, 10, 12, 10), std::vector<uint32_t> { uint32_t(own) });

    // Records past the side's count are not found, and are again once counted.
    state.setUnitCount(1, uint32_t(b + 1));
    EXPECT_EQ(near(state, 1, 4, 4, 7, 6), std::vector<uint32_t> {});
    state.setUnitCount(1, uint32_t(c + 1));
    EXPECT_EQ(near(state, 1, 4, 4, 7, 6), std::vector<uint32_t> { uint32_t(c) });
}

TEST(UnitPlaces, AnotherStateIsReadAfresh)
{
    std::vector<uint32_t> first;
    {
        testing_state::SmallWorld world(20, 20);
        const int type = world.state().unitTypes().front().id;
        world.placeUnit(2, type, 3, 3);
        first = near(world.state(), 2, 3, 3, 3, 3);
    }
    testing_state::SmallWorld world(20, 20);
    EXPECT_EQ(first.size(), 1u);
    EXPECT_TRUE(near(world.state(), 2, 3, 3, 3, 3).empty()) << "nothing stands there in the new state";
}
