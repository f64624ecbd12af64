// Surrender: the capital falls to nobody, the country leaves the game with its force booked as lost,
// a lone camp left wins at once, and the windows are refreshed in order.
#include "rules/surrender.h"

#include "rules/game_thread.h"
#include "rules/rules_install.h"
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

TEST(Surrender, TheGameEndsAtOnceWhenOneCampIsLeftWithTheForceGivenUpBookedAsLost)
{
    struct Case {
        const char* what;
        uint8_t inPlay;    // countries taking part before country 1 gives up
        uint8_t allied;    // countries allied with each other
        uint8_t decided, winners;
    };
    const Case cases[] = {
        { "two countries: the other wins", 0b011, 0, 3, 0b001 },
        { "two enemies play on", 0b111, 0, 0, 0 },
        { "one alliance left wins together", 0b111, 0b101, 3, 0b101 },
        { "the last country gives up: nobody wins", 0b010, 0, 1, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OccupationWorld world;
        GameState& s = world.state();
        installRules(s);
        s.turnBlock().turn = 5;
        s.mapHeader().turnLimit = 20;
        for (int country = 0; country < 3; ++country) {
            s.country(country).inPlay = (c.inPlay >> country) & 1 ? kCountryInPlay : 0;
            if ((c.allied >> country) & 1)
                s.country(country).allianceMask = c.allied;
        }
        world.placeCapital(1, 6, 5);
        world.placeUnit(0, world.plain, 1, 1);
        world.placeUnit(2, world.plain, 9, 9);
        const int field = world.placeUnit(1, world.plain, 8, 6);
        const uint32_t members = uint32_t(strengthSlotCount(world.unit(1, field)));
        ASSERT_GT(members, 0u);

        surrenderSide(s, 1);
        EXPECT_EQ(s.turnBlock().decided, c.decided);
        for (int country = 0; country < 3; ++country)
            EXPECT_EQ(isVictoryOutcome(s.country(country).outcome), bool((c.winners >> country) & 1)) << country;
        EXPECT_EQ(int(s.country(1).turnOut), 5);
        s.turnBlock().turn = 9;
        EXPECT_EQ(finalTurnOf(s, 1), 5) << "the report gives the turn it gave up in";
        EXPECT_EQ(finalTurnOf(s, 0), 9);
        EXPECT_EQ(s.turnStatsAt(0)->country[1].damageTaken, members);
        EXPECT_GT(s.turnStatsAt(0)->country[1].valueLost, 0u);
        EXPECT_EQ(packed(s.country(1).membersLost), members);
    }
}
