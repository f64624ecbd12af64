// Mines going off: members hit from the last, the mine shrinking, who learns of it, what is shown.
#include "rules/mines.h"

#include "rules/headless_links.h"
#include "rules/links.h"
#include "state/action_history.h"
#include "state/unit_facts.h"
#include "tests/rules/combat_world.h"

#include <gtest/gtest.h>

#include <cstring>

using testing_rules::CombatWorld;

namespace {

// Four members of strength 10 at (3, 3), acting; draws of random(0, 10) come out as 3.
struct MineWorld : CombatWorld {
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
        cell(3, 3).mineKnownMask = 0;
    }
    std::vector<int> counters(int side, int index)
    {
        const UnitRecord& u = unit(side, index);
        return std::vector<int>(u.memberStrengths, u.memberStrengths + 4);
    }
    int victim = -1;
};

struct OpenMapWindow : HeadlessMapWindow {
    bool isOpen() const override { return true; }
};

} // namespace

TEST(MineHit, TestsMembersFromTheLastUpToTheHitLimit)
{
    MineWorld world;
    world.layMine(kLandMineKind, 3);
    detonateMine(world.state(), 3, 3, 0, world.victim, 2);
    EXPECT_EQ(world.counters(0, world.victim), (std::vector<int> { 10, 10, 7, 7 }));

    world.unit(0, world.victim).memberStrengths[1] = 0;
    detonateMine(world.state(), 3, 3, 0, world.victim, kMineMaxHits);
    EXPECT_EQ(world.counters(0, world.victim), (std::vector<int> { 7, 4, 4, 0 })) << "an empty member is not tested";
}

TEST(MineHit, ShrinksByOneAndTeachesTheVictimsCountryUntilGone)
{
    MineWorld world;
    world.layMine(kSeaMineKind, 3);
    int other = world.placeUnit(2, world.plain, 5, 5);
    detonateMine(world.state(), 3, 3, 2, other, kMineMaxHits);
    EXPECT_EQ(world.cell(3, 3).mineCount, 2);
    EXPECT_EQ(world.cell(3, 3).mineKnownMask, 1u << 2);
    EXPECT_EQ(world.cell(3, 3).mineKind, kSeaMineKind);

    world.cell(3, 3).mineCount = 1;
    detonateMine(world.state(), 3, 3, 0, world.victim, kMineMaxHits);
    EXPECT_EQ(world.cell(3, 3).mineKind, 0);
    EXPECT_EQ(world.cell(3, 3).mineCount, 0);
    EXPECT_EQ(world.cell(3, 3).mineKnownMask, 0);
}

TEST(MineHit, OnlyCountriesLearnOfAMine)
{
    MineWorld world;
    world.layMine(kLandMineKind, 5);
    int neutral = world.placeUnit(8, world.plain, 5, 5);
    detonateMine(world.state(), 3, 3, 8, neutral, kMineMaxHits);
    EXPECT_EQ(world.cell(3, 3).mineKnownMask, 0) << "the neutral side has no bit in the mask";
    EXPECT_EQ(world.cell(3, 3).mineCount, 4);

    TerrainCell cell {};
    for (int code : { -1, 8, 9, 100 })
        learnMine(cell, code);
    EXPECT_EQ(cell.mineKnownMask, 0);
    learnMine(cell, 7);
    EXPECT_EQ(cell.mineKnownMask, 0x80);
}

TEST(MineHit, HistoryNamesTheActingUnitEvenForAnotherVictim)
{
    MineWorld world;
    world.layMine(kLandMineKind, 2);
    std::strcpy(world.unit(0, world.victim).name, "actor");
    int cargo = world.addUnit(0, world.plain, 3, 3);
    std::strcpy(world.unit(0, cargo).name, "cargo");
    world.unit(0, cargo).memberStrengths[3] = 0;
    const uint32_t before = world.state().historyLog().count();

    detonateMine(world.state(), 3, 3, 0, cargo, kMineMaxHits);
    ASSERT_EQ(world.state().historyLog().count(), before + 1);
    const HistoryRecord& record = world.state().historyLog().record(before);
    EXPECT_STREQ(record.unit0, "actor");
    EXPECT_EQ(record.value, 3u | 3u << 16) << "members before and after: a hit member keeps a counter of 7";
    EXPECT_EQ(record.x, 3);
    EXPECT_EQ(record.y, 3);
}

TEST(MineHit, ShownOnAnOpenMapWithTheExplosionOfAWipedOutUnit)
{
    MineWorld world;
    OpenMapWindow map;
    setRulesLinks({ nullptr, &map, nullptr, nullptr });
    world.layMine(kLandMineKind, 2);
    detonateMine(world.state(), 3, 3, 0, world.victim, kMineMaxHits);
    EXPECT_EQ(map.callsOf("showHexEffect").size(), 1u);
    EXPECT_TRUE(map.callsOf("animateExplosion").empty());

    for (int m = 0; m < 4; ++m)
        world.unit(0, world.victim).memberStrengths[m] = 2;
    world.layMine(kLandMineKind, 2);
    map.clear();
    detonateMine(world.state(), 3, 3, 0, world.victim, kMineMaxHits);
    EXPECT_EQ(strengthTotal(world.unit(0, world.victim)), 0);
    EXPECT_EQ(map.callsOf("animateExplosion").size(), 1u);
    EXPECT_EQ(world.unit(0, world.victim).state(), 1) << "the caller removes a wiped-out unit";
    setRulesLinks({});
}
