// Surrender: the capital falls to nobody, the country leaves the game and the windows are refreshed in order.
#include "rules/surrender.h"

#include "rules/victory.h"
#include "state/map_bit_set.h"
#include "state/unit_facts.h"
#include "tests/rules/occupation_world.h"
#include "tests/state/packed_value.h"

#include <gtest/gtest.h>

using testing_rules::OccupationWorld;

TEST(Surrender, CapitalFallsToAnUnownedLargeCityAndTheCountryDropsOut)
{
    OccupationWorld world;
    GameState& s = world.state();
    s.turnStatsAt(0)->country[1].income = 40;
    world.placeCapital(0, 1, 1);
    const int capital = world.placeCapital(1, 6, 5);
    const int stored = world.storeUnit(2, capital);
    const int produced = world.produceUnit(1, 6, 5);
    world.placeUnit(1, world.plain, 8, 6);

    surrenderSide(s, 1);
    const BuildingRecord& b = world.building(capital);
    EXPECT_EQ(b.ownerPlusOne, 0);
    EXPECT_EQ(b.type, world.city);
    EXPECT_EQ(world.cell(6, 5).terrain, world.city);
    EXPECT_EQ(b.durability, 20);
    EXPECT_FALSE(unitExists(world.unit(2, stored)));
    EXPECT_FALSE(unitExists(world.unit(1, produced)));
    EXPECT_EQ(world.income(1), 40u - 20u) << "the capital's income left its owner";
    EXPECT_EQ(packed(s.country(1).inPlay), kCountryOut);
    EXPECT_EQ(packed(s.country(1).outcome), kOutcomeCapitalLost);
    EXPECT_EQ(packed(s.country(0).inPlay), kCountryInPlay);
    EXPECT_EQ(s.endCheckFlags(), 0) << "the end check ran";
    EXPECT_EQ(s.supplyLinesDirty(), 0) << "supply lines were recomputed";

    const auto ends = world.dialogs.callsOf("showGameEnd");
    ASSERT_FALSE(ends.empty());
    EXPECT_EQ(ends[0].args, (std::vector<int64_t> { 1, kGameEndSurrender }));
    std::vector<int64_t> refreshes;
    for (const LinkCall& call : world.window.callsOf("refresh"))
        refreshes.push_back(call.args.at(0));
    const std::vector<int64_t> expected { int64_t(MainRefresh::Panel), int64_t(MainRefresh::PanelUnit),
        int64_t(MainRefresh::TroopLists), int64_t(MainRefresh::PanelHex), int64_t(MainRefresh::SideInfo),
        int64_t(MainRefresh::Results) };
    EXPECT_EQ(refreshes, expected);
}

TEST(Surrender, ACountryThatStartedWithoutACapitalCountsAsHavingLostIt)
{
    OccupationWorld world;
    GameState& s = world.state();
    world.placeCapital(0, 1, 1);
    world.placeUnit(2, world.plain, 8, 6);
    const int town = world.placeTown(2, 4, 4);

    surrenderSide(s, 2);
    EXPECT_NE(s.turnBlock().capitalMask & (1u << 2), 0u);
    EXPECT_EQ(packed(s.country(2).inPlay), kCountryOut);
    EXPECT_EQ(world.building(town).type, world.town) << "only a capital falls";
}
