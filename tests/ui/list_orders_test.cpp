// The list windows' orders: what the start of play gives them and what the producible list keeps.
#include "ui/list_orders.h"

#include "state/game_state.h"
#include "tests/state/small_world.h"

#include <gtest/gtest.h>

namespace {

using testing_state::SmallWorld;

TEST(ListOrders, StartOfPlayOrdersTroopsByNumberAndDestroyedUnitsByEntry)
{
    SmallWorld world(6, 6);
    GameState& s = world.state();
    const int type = s.unitTypes()[0].id;
    for (int number : { 3, 1, 2 })
        world.unit(1, world.addUnit(1, type, 0, 0)).troopNumber = uint16_t(number);
    s.country(1).unitListLength = 3;
    ListOrders lists;
    lists.sortTroops(s, 1, 0, 1);
    lists.setDestroyedSort(1, 1);
    lists.sortDestroyed(s, 2);
    lists.restart(s);
    EXPECT_EQ(lists.troops(1), (std::vector<uint32_t> { 1u << 16 | 1, 2u << 16 | 1, 0u << 16 | 1 }));
    ASSERT_EQ(lists.destroyed(2)->size(), 100u);
    EXPECT_EQ(lists.destroyed(2)->at(99), 99u << 16 | 2);
    // The chosen key stays for the next sort.
    EXPECT_EQ(lists.destroyedSortKey(), 1u);
    EXPECT_TRUE(lists.troops(9).empty());
    EXPECT_EQ(lists.destroyed(8), nullptr);
}

TEST(ListOrders, TheProducibleListKeepsItsFilterAndTurningRoundKeepsTheOrder)
{
    SmallWorld world(4, 4);
    GameState& s = world.state();
    ListOrders lists;
    lists.buildProducible(s, 0);
    ASSERT_GE(lists.producible().size(), 2u);
    lists.sortProducible(s, 1, 0);
    const std::vector<uint32_t> byName = lists.producible();
    EXPECT_EQ(lists.producibleOrder(), 1);
    lists.sortProducible(s, 3, 1);
    EXPECT_EQ(lists.producibleOrder(), 1);
    EXPECT_EQ(lists.producible(), std::vector<uint32_t>(byName.rbegin(), byName.rend()));
    lists.buildProducible(s, 5);
    EXPECT_EQ(lists.producibleFilter(), 5);
}

} // namespace
