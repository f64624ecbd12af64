// Unit records handed out writable are noted as touched after the last look; reads are not.
#include "state/game_state.h"
#include "tests/state/small_world.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

TEST(UnitTouches, WritableRecordsAreTouchedAfterTheLastLookAndReadsAreNot)
{
    testing_state::SmallWorld world(8, 8);
    GameState& state = world.state();
    const UnitTouches& touches = state.unitTouches();
    const uint32_t look = state.unitTouches().look();
    const GameState& reader = std::as_const(state);
    ASSERT_NE(reader.unitOf(2, 5), nullptr);
    ASSERT_NE(reader.unitTable(3), nullptr);
    EXPECT_FALSE(touches.touchedAfter(2, 5, look));
    EXPECT_FALSE(touches.tableTouchedAfter(3, look));

    state.unitOf(2, 5)->x = 4;
    // Missiles and codes or indexes outside the tables touch nothing.
    state.unitOf(102, 5);
    EXPECT_EQ(state.unitOf(2, kUnitTableSize), nullptr);
    EXPECT_EQ(state.unitOf(-1, 5), nullptr);
    EXPECT_TRUE(touches.touchedAfter(2, 5, look));
    EXPECT_FALSE(touches.touchedAfter(2, 6, look));
    EXPECT_FALSE(touches.touchedAfter(1, 5, look));
    EXPECT_FALSE(touches.tableTouchedAfter(2, look)) << "one record, not the table";

    // What was touched before a look is not after it; a touch made since is.
    const uint32_t next = state.unitTouches().look();
    EXPECT_FALSE(touches.touchedAfter(2, 5, next));
    EXPECT_TRUE(touches.touchedAfter(2, 5, look)) << "still after the older look";
    state.unitTable(3)[7].y = 1;
    EXPECT_TRUE(touches.tableTouchedAfter(3, next));
    EXPECT_FALSE(touches.tableTouchedAfter(4, next));
    EXPECT_FALSE(touches.touchedAfter(3, 7, next)) << "the table's touch stands for its records";

    // The records touched, in order, across runs of records and below a count only.
    for (int index : { 900, 3, 64, 63, 999 })
        state.unitOf(4, index);
    std::vector<size_t> listed;
    touches.forEachTouchedAfter(4, next, 950, [&](size_t i) { listed.push_back(i); });
    EXPECT_EQ(listed, (std::vector<size_t> { 3, 63, 64, 900 }));
    listed.clear();
    touches.forEachTouchedAfter(4, state.unitTouches().look(), kUnitTableSize, [&](size_t i) { listed.push_back(i); });
    EXPECT_TRUE(listed.empty());
}

TEST(UnitTouches, RelinkingAfterALoadTouchesEveryTable)
{
    testing_state::SmallWorld world(8, 8);
    GameState& state = world.state();
    const uint32_t look = state.unitTouches().look();
    state.relinkUnits(false);
    for (int side = 0; side < kSideCount; ++side)
        EXPECT_TRUE(state.unitTouches().tableTouchedAfter(side, look)) << side;
}
