// Mines going off: members hit from the last, the mine shrinking, who learns of it, what is shown.
#include "rules/mines.h"

#include "rules/headless_links.h"
#include "rules/links.h"
#include "state/action_history.h"
#include "state/unit_facts.h"
#include "tests/rules/combat_world.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Four members of strength 10 at (3, 3), acting; draws of random(0, 10) come out as 3.
struct MineWorld : testing_rules::CombatWorld {
    MineWorld()
    {
        fillPool(0xFF);
        victim = placeUnit(0, plain, 3, 3);
        currentAction(state()).beginAction(0, victim);
    }
    void layMine(int kind, int count)
    {
        cell(3, 3).mineKind = uint8_t(kind);
        cell(3, 3).mineCount = uint8_t(count);
    }
    std::vector<int> counters() { return { unit(0, victim).memberStrengths, unit(0, victim).memberStrengths + 4 }; }
    int victim = -1;
};

} // namespace

TEST(MineHit, TestsMembersFromTheLastUpToTheHitLimit)
{
    MineWorld world;
    world.layMine(kLandMineKind, 3);
    detonateMine(world.state(), 3, 3, 0, world.victim, 2);
    EXPECT_EQ(world.counters(), (std::vector<int> { 10, 10, 7, 7 }));

    world.unit(0, world.victim).memberStrengths[1] = 0;
    detonateMine(world.state(), 3, 3, 0, world.victim, kMineMaxHits);
    EXPECT_EQ(world.counters(), (std::vector<int> { 7, 4, 4, 0 })) << "an empty member is not tested";
}

TEST(MineHit, ShrinksByOneTeachingOnlyCountriesUntilGone)
{
    MineWorld world;
    world.layMine(kSeaMineKind, 3);
    const int neutral = world.placeUnit(8, world.plain, 5, 5);
    detonateMine(world.state(), 3, 3, 8, neutral, kMineMaxHits);
    EXPECT_EQ(world.cell(3, 3).mineKnownMask, 0) << "the neutral side has no bit in the mask";
    detonateMine(world.state(), 3, 3, 0, world.victim, kMineMaxHits);
    EXPECT_EQ(world.cell(3, 3).mineCount, 1);
    EXPECT_EQ(world.cell(3, 3).mineKnownMask, 1);

    detonateMine(world.state(), 3, 3, 0, world.victim, kMineMaxHits);
    EXPECT_EQ(world.cell(3, 3).mineKind, 0);
    EXPECT_EQ(world.cell(3, 3).mineKnownMask, 0);
}

TEST(MineHit, HistoryNamesTheActingUnitAndAnOpenMapShowsTheBlast)
{
    MineWorld world;
    testing_rules::OpenMapWindow map;
    setRulesLinks({ nullptr, &map, nullptr, nullptr });
    world.layMine(kLandMineKind, 2);
    std::strcpy(world.unit(0, world.victim).name, "actor");
    const int cargo = world.addUnit(0, world.plain, 3, 3);
    UnitRecord& carried = world.unit(0, cargo);
    std::fill(carried.memberStrengths, carried.memberStrengths + 4, uint8_t(2));
    carried.memberStrengths[3] = 0;
    const uint32_t before = world.state().historyLog().count();

    detonateMine(world.state(), 3, 3, 0, cargo, kMineMaxHits);
    ASSERT_EQ(world.state().historyLog().count(), before + 1);
    const HistoryRecord& record = world.state().historyLog().record(before);
    EXPECT_STREQ(record.unit0, "actor") << "a carried unit hit in its carrier's place is not named";
    EXPECT_EQ(record.value, 3u) << "three members before, none after";
    EXPECT_EQ(map.callsOf("showHexEffect").size(), 1u);
    EXPECT_EQ(map.callsOf("animateExplosion").size(), 1u);
    EXPECT_EQ(carried.state(), 1) << "the caller removes a wiped-out unit";

    // A mover the viewer does not see goes off unseen, though the hex lies in plain view.
    world.layMine(kLandMineKind, 2);
    world.setRule(kRuleSearch, 1);
    world.state().turnBlock().viewingCountry = 1;
    detonateMine(world.state(), 3, 3, 0, world.victim, kMineMaxHits);
    EXPECT_EQ(map.callsOf("showHexEffect").size(), 1u) << "no second blast";
    setRulesLinks({});
}
