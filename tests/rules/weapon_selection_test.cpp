// The weapon selection's rules: which weapons a side may fire now, and the machines each side is
// expected to lose, with and without the first strike of rule 44, against hand computations.
#include "rules/weapon_selection.h"

#include "rules/combat_values.h"
#include "state/unit_facts.h"
#include "tests/rules/combat_world.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>

using testing_rules::CombatWorld;

namespace {


// Country 0's unit at (2, 2) engages country 1's at (2 + distance, 2); both carry the one gun.
struct Engagement : CombatWorld {
    explicit Engagement(int distance = 1)
    {
        gun->reach = 2;
        gun->flags = kWeaponNear | kWeaponFar | kWeaponAttack | kWeaponDefence;
        attacker = placeUnit(0, plain, 2, 2);
        defender = placeUnit(1, other, 2 + distance, 2);
    }
    CombatPair& pair() { return engage(0, attacker, 1, defender); }
    bool usable(int side, bool restrict = false)
    {
        WeaponSelection selection(state(), pair(), restrict);
        return selection.isUsable(side, 0);
    }

    int attacker = 0;
    int defender = 0;
};

} // namespace

TEST(WeaponSelection, UsabilityFollowsEachTestInTurn)
{
    struct Case {
        const char* what;
        int distance;
        std::function<void(Engagement&)> change;
        bool restrict;
        bool side0;
        bool side1;
    };
    const Case cases[] = {
        { "a loaded gun in reach", 1, [](Engagement&) {}, false, true, true },
        { "no near flag at distance 1", 1, [](Engagement& w) { w.gun->flags &= ~kWeaponNear; }, false, false, false },
        { "no near flag at distance 2", 2, [](Engagement& w) { w.gun->flags &= ~kWeaponNear; }, false, true, true },
        { "out of reach", 2, [](Engagement& w) { w.gun->reach = 1; }, false, false, false },
        { "no ammunition", 1, [](Engagement& w) { w.unit(0, w.attacker).ammunition[0] = 0; }, false, false, true },
        { "exhausted", 1,
            [](Engagement& w) {
                w.setRule(kRuleFatigue, 1);
                w.unit(1, w.defender).fatigue = 50;
            },
            false, true, false },
        { "no power against the class", 1, [](Engagement& w) { std::fill(std::begin(w.gun->power), std::end(w.gun->power), uint8_t(0)); },
            false, false, false },
        { "not for attack", 1, [](Engagement& w) { w.gun->flags &= ~kWeaponAttack; }, false, false, true },
        { "not for defence", 1, [](Engagement& w) { w.gun->flags &= ~kWeaponDefence; }, false, true, false },
        { "after a move without flag 128", 1, [](Engagement&) {}, true, false, true },
        { "after a move with flag 128", 1, [](Engagement& w) { w.gun->flags |= kWeaponRestricted; }, true, true, true },
    };
    for (const Case& c : cases) {
        Engagement world(c.distance);
        c.change(world);
        EXPECT_EQ(world.usable(0, c.restrict), c.side0) << c.what;
        EXPECT_EQ(world.usable(1, c.restrict), c.side1) << c.what;
    }
}

TEST(WeaponSelection, ATorpedoNeedsWaterAllTheWayWithinItsReach)
{
    struct Case {
        int waterCost;
        bool usable;
    } cases[] = { { 0, false }, { 1, true }, { 2, false } };
    for (const Case& c : cases) {
        Engagement world(2);
        world.gun->kind = kWeaponTorpedo;
        world.editTerrain(world.state().terrainGrid()[0].terrain).moveCost[17] = uint8_t(c.waterCost);
        EXPECT_EQ(world.usable(0), c.usable) << "water cost " << c.waterCost;
    }
}

TEST(WeaponSelection, TheDefenderFiresOnlyAtWhatItSees)
{
    Engagement world(1);
    world.setRule(kRuleSearch, 1);
    world.state().recreateSightMaps();
    EXPECT_TRUE(world.usable(0));
    EXPECT_FALSE(world.usable(1)) << "the search rule hides the attacker from the defender";
}

TEST(WeaponSelection, ExpectedLossesMatchHandComputations)
{
    // Four machines of 10 each a side; power 100 and no defence give attack value 100, so
    // hits = slot factor 1 x 4 machines x 100 x 100 / 10000 = 4.
    struct Case {
        const char* what;
        int multiplier;
        int defenderDefence;
        bool firstStrike;
        int losses0;
        int losses1;
        std::array<int, 4> after1;
    };
    const Case cases[] = {
        // Damage (3 x 4 + 1) / 4 = 3: the four hits wear the first machine 10, 7, 4, 1, 0.
        { "small shots wear one machine down", 4, 0, false, 1, 1, { 0, 10, 10, 10 } },
        // Damage (3 x 20 + 1) / 4 = 15 brings a machine down with every hit.
        { "heavy shots", 20, 0, false, 4, 4, { 0, 0, 0, 0 } },
        // Defence 50 halves the hits on the defender: 2. Without rule 44 it fires back with all four.
        { "defence halves the hits", 20, 50, false, 4, 2, { 0, 0, 10, 10 } },
        // With rule 44 the defender's tenths 10 - 2 leave 8 x 4 / 10 = 3 machines firing: 3 hits.
        { "first strike", 20, 50, true, 3, 2, { 0, 0, 10, 10 } },
        // All four defenders lost: 10 - 4 leaves 6 x 4 / 10 = 2 firing.
        { "first strike of four", 20, 0, true, 2, 4, { 0, 0, 0, 0 } },
    };
    for (const Case& c : cases) {
        Engagement world(2);
        world.gun->multiplier = uint8_t(c.multiplier);
        std::fill(std::begin(world.gun->power), std::end(world.gun->power), uint8_t(100));
        world.setDefence(world.other, c.defenderDefence);
        world.setRule(kRuleFirstStrike, c.firstStrike ? 1 : 0);
        const CombatPair& pair = world.pair();
        const UnitRecord before = world.unit(1, world.defender);
        WeaponSelection selection(world.state(), pair, false);
        const std::array<ExpectedLosses, 2> losses = selection.expectedLosses();
        EXPECT_EQ(losses[0].machines, c.losses0) << c.what;
        EXPECT_EQ(losses[1].machines, c.losses1) << c.what;
        for (size_t i = 0; i < 4; ++i)
            EXPECT_EQ(losses[1].after[i], c.after1[i]) << c.what << " machine " << i;
        // The estimate reads the units only: the map may draw them meanwhile.
        EXPECT_EQ(std::memcmp(&before, &world.unit(1, world.defender), sizeof before), 0) << c.what;
    }
}

TEST(WeaponSelection, FirstStrikeNeedsDistanceAndAWeaponChosen)
{
    for (int distance : { 1, 2 }) {
        Engagement world(distance);
        world.gun->multiplier = 20;
        std::fill(std::begin(world.gun->power), std::end(world.gun->power), uint8_t(100));
        world.setRule(kRuleFirstStrike, 1);
        CombatPair& pair = world.pair();
        WeaponSelection selection(world.state(), pair, false);
        EXPECT_EQ(selection.expectedLosses()[0].machines, distance == 1 ? 4 : 2) << "distance " << distance;
        pair.side[1].weaponSlot = -1;
        EXPECT_EQ(selection.expectedLosses()[0].machines, 0) << "a defender without a weapon hits nothing";
    }
}

TEST(WeaponSelection, MembersLeftAfterTheFirstStrike)
{
    const std::array<int, 10> four { 10, 10, 10, 10 };
    EXPECT_EQ(membersAfterFirstStrike(four, 10, 10, 4, 10), 0) << "tenths at most the losses: none left";
    EXPECT_EQ(membersAfterFirstStrike(four, 10, 1, 4, 10), 3) << "9 x 4 / 10 = 3";
    const std::array<int, 10> holes { 10, 0, 10, 10 };
    EXPECT_EQ(membersAfterFirstStrike(holes, 8, 1, 4, 10), 1) << "the counters before index 2, one of them empty";
    const std::array<int, 10> one { 30 };
    EXPECT_EQ(membersAfterFirstStrike(one, 10, 9, 1, 30), 1) << "1 x 30 / 10 strength is left";
    EXPECT_EQ(membersAfterFirstStrike(one, 10, 9, 1, 5), 0) << "1 x 5 / 10 rounds down to nothing";
}
