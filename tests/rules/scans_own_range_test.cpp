// Scans over a range they build themselves: UnitHexScan's own range and the reach scan.
#include "rules/move_range.h"
#include "rules/scans_own_range.h"
#include "rules/unit_hex_scan.h"

#include "state/unit_facts.h"
#include "tests/rules/move_range_world.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using testing_rules::RangeWorld;

namespace {

// Keeps every hex the unit reaches within its allowance, keyed by cost.
class ReachedHexes : public UnitHexScan {
public:
    using UnitHexScan::UnitHexScan;

protected:
    void visit(int x, int y) override
    {
        const int cost = reachableCost(x, y);
        if (cost >= 0)
            addHit(x, y, uint32_t(cost));
    }
};

class RandomTerrainScanWorld : public RangeWorld {
public:
    RandomTerrainScanWorld()
        : RangeWorld(12, 10)
    {
        std::mt19937 random(5);
        randomTerrain(random);
        for (const UnitTypeRecord& type : state().unitTypes())
            if (type.domain == 3 && type.available && type.id > 0) {
                landType = type.id;
                break;
            }
        editType(landType).movementType = kMoveType;
        editType(landType).model[0].values[0] = 6;
    }

    std::vector<std::pair<HexPos, int>> hitsOf(const HexScan& scan) const
    {
        std::vector<std::pair<HexPos, int>> out;
        for (const HexScanHit& hit : scan.hits())
            out.push_back({ { hit.x, hit.y }, int(hit.key) });
        return out;
    }

    int landType = 0;
};

} // namespace

TEST(UnitHexScanRange, AnOwnRangeFindsWhatAGivenRangeFinds)
{
    RandomTerrainScanWorld world;
    const int unit = world.placeUnit(0, world.landType, 5, 5);
    world.unit(0, unit).fuel = 100;
    MoveRangeMap given(world.state(), 0, unit);
    given.setCostLimit(world.unit(0, unit).movePoints());
    given.setBuildUnitFlags(true);
    given.compute();

    ReachedHexes with_given(world.state(), 0, unit, given);
    ReachedHexes with_own(world.state(), 0, unit);
    EXPECT_FALSE(with_given.ownsRange());
    EXPECT_TRUE(with_own.ownsRange());
    with_given.scanFromUnit();
    with_own.scanFromUnit();
    EXPECT_EQ(world.hitsOf(with_own), world.hitsOf(with_given));
    EXPECT_GT(with_own.hitCount(), 1);
}

TEST(UnitHexScanRange, AnOwnRangeStartsWhereAndHowFarItIsTold)
{
    RandomTerrainScanWorld world;
    const int unit = world.placeUnit(0, world.landType, 5, 5);
    world.unit(0, unit).fuel = 100;
    ReachedHexes scan(world.state(), 0, unit, 1, 1, 3);
    EXPECT_EQ(scan.allowance(), 3);
    scan.scanAt(1, 1, 3);
    ASSERT_GT(scan.hitCount(), 0);
    for (const auto& [hex, cost] : world.hitsOf(scan)) {
        EXPECT_LE(cost, 3);
        EXPECT_LE(hexDistance(hex, { 1, 1 }), 3);
    }
    EXPECT_EQ(world.hitsOf(scan).front().second, 0) << "the given start costs nothing";
}

TEST(UnitHexScanRange, AMissingUnitOwnsAnEmptyRangeAndFindsNothing)
{
    RandomTerrainScanWorld world;
    ReachedHexes scan(world.state(), 0, 7);
    EXPECT_TRUE(scan.ownsRange());
    scan.scanAt(5, 5, 4);
    EXPECT_EQ(scan.hitCount(), 0);
}

TEST(ReachHexScan, KeepsReachedHexesBeyondTheMinimumCheapestFirstAndRescansTheSame)
{
    RandomTerrainScanWorld world;
    ReachHexScan scan(world.state(), 0, world.landType, 6, 4, true);
    EXPECT_EQ(scan.allowance(), 6);
    scan.setMinimumDistance(2);
    scan.rescan();
    const auto first = world.hitsOf(scan);
    ASSERT_FALSE(first.empty());
    int last = 0;
    for (const auto& [hex, cost] : first) {
        EXPECT_GE(hexDistance(hex, { 6, 4 }), 2);
        EXPECT_EQ(cost, scan.range().costAt(hex.x, hex.y, -1));
        EXPECT_GE(cost, last);
        last = cost;
    }
    scan.rescan();
    EXPECT_EQ(world.hitsOf(scan), first) << "a rescan starts afresh";
}

TEST(ReachHexScan, AnUnknownTypeReachesNothing)
{
    RandomTerrainScanWorld world;
    ReachHexScan scan(world.state(), 0, 14999, 6, 4, true);
    scan.rescan();
    EXPECT_EQ(scan.hitCount(), 0);
}

namespace {

// A world whose land type is also the missile: its first weapon hits its own class.
class MissileTargetWorld : public RandomTerrainScanWorld {
public:
    MissileTargetWorld()
    {
        for (RuleSwitch rule : { kRuleSearch, kRuleMissilePhase, kRuleStacking, kRuleFriendlyDamage })
            setRule(rule, 0);
        UnitTypeRecord& type = editType(landType);
        int weapon = 1;
        while (state().weaponIndex(weapon) == 0)
            ++weapon;
        type.weaponSlot[0].weaponId = uint16_t(weapon);
        editWeapon(weapon).power[targetClass(type)] = 10;
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                setTerrain(x, y, 0);
    }

    void enemiesAround(int x, int y, int count)
    {
        for (int d = 0; d < count; ++d) {
            HexPos n = hexNeighbour(x, y, d, width(), height());
            placeUnit(1, landType, n.x, n.y);
        }
    }

    std::vector<std::pair<HexPos, int>> scanFrom(int x, int y)
    {
        MissileTargetHexScan scan(state(), 0, landType, x, y);
        scan.rescan();
        return hitsOf(scan);
    }
};

} // namespace

TEST(MissileTargetHexScan, FindsAHexWithFourEnemiesAroundAndNoneWithThree)
{
    MissileTargetWorld world;
    world.enemiesAround(6, 5, 4);
    const auto hits = world.scanFrom(3, 5);
    ASSERT_FALSE(hits.empty());
    bool found = false;
    for (const auto& [hex, count] : hits) {
        EXPECT_GE(count, 4);
        found |= hex == HexPos { 6, 5 } && count == 4;
    }
    EXPECT_TRUE(found);

    MissileTargetWorld few;
    few.enemiesAround(6, 5, 3);
    EXPECT_TRUE(few.scanFrom(3, 5).empty());
}

TEST(MissileTargetHexScan, TheRulesLeaveOutMovedUnitsAndHexesBesideOwnUnits)
{
    MissileTargetWorld moved;
    moved.setRule(kRuleMissilePhase, 1);
    moved.enemiesAround(6, 5, 4);
    for (int i = 0; i < 4; ++i)
        moved.unit(1, i).turnStartX = 0, moved.unit(1, i).turnStartY = 0;
    EXPECT_TRUE(moved.scanFrom(3, 5).empty()) << "units far from their turn-start hex";

    for (RuleSwitch rule : { kRuleLowFuelUse, kRuleZoc }) {
        MissileTargetWorld spared;
        spared.setRule(kRuleFriendlyDamage, rule);
        spared.editWeapon(spared.editType(spared.landType).weaponSlot[0].weaponId).flags |= 4;
        for (int d : { 0, 1, 2, 5 }) {
            const HexPos n = hexNeighbour(6, 5, d, spared.width(), spared.height());
            spared.placeUnit(1, spared.landType, n.x, n.y);
        }
        const HexPos own = hexNeighbour(6, 5, 3, spared.width(), spared.height());
        spared.placeUnit(0, spared.landType, own.x, own.y);
        bool centre = false;
        for (const auto& [hex, count] : spared.scanFrom(3, 5))
            centre |= hex == HexPos { 6, 5 };
        EXPECT_EQ(centre, rule == 0) << "rule 30 " << rule;
    }
}
