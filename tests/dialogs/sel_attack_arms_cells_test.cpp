// The weapon selection's value strip read from an engagement the combat code valued: each cell
// shows the figure the fight uses, the values are what their bases, bonuses and penalties make,
// and the cells' colours and placeholders follow the rules.
#include "dialogs/sel_attack_arms_cells.h"

#include "rules/combat_values.h"
#include "state/sight_maps.h"
#include "state/unit_facts.h"
#include "tests/rules/combat_world.h"

#include <gtest/gtest.h>

#include <string>

using testing_rules::CombatWorld;
namespace cells = sel_attack_arms;

namespace {


int number(const cells::ValueCell& cell) { return std::stoi(cell.text.substr(cell.text.find_first_of("0123456789"))); }

// A fight in which every figure of the strip is its own: experience on both sides, an evadable
// gun, the defender's model evasion, area cover and terrain.
struct ValuedFight : CombatWorld {
    ValuedFight()
    {
        gun->flags |= kWeaponEvadable;
        std::fill(std::begin(gun->power), std::end(gun->power), uint8_t(80));
        attacker = placeUnit(0, plain, 2, 2);
        defender = placeUnit(1, other, 3, 2);
        unit(0, attacker).experience = 1000;
        unit(1, defender).experience = 500;
        setDefence(plain, 30);
        setDefence(other, 40);
        UnitTypeRecord& target = editType(other);
        target.model[0].values[2] = 20;
        target.areaRadius = 2;
        state().hexMasks()->markHex(1, 3, 2, 0, 0, 0);
        editTerrain(state().terrainGrid()[0].terrain).evasion[target.movementType] = 25;
    }
    const CombatPair& pair() { return engage(0, attacker, 1, defender); }

    int attacker = 0;
    int defender = 0;
};

} // namespace

TEST(WeaponSelectionCells, EachCellShowsTheFigureTheFightUses)
{
    ValuedFight fight;
    const CombatPair& pair = fight.pair();
    const CombatSide& a = pair.side[0];
    const CombatSide& d = pair.side[1];
    ASSERT_EQ(a.weaponSlot, 0);
    const auto attacker = cells::valueCells(pair, 0, false);
    const auto defender = cells::valueCells(pair, 1, false);

    EXPECT_EQ(number(attacker[0]), 4) << "weapon multiplier";
    EXPECT_EQ(number(attacker[1]), 1) << "slot factor";
    EXPECT_EQ(number(attacker[2]), a.attackValue * (100 - std::min<int>(d.defenceValue, 100)) / 100);
    EXPECT_EQ(number(attacker[3]), 80) << "the gun's power is the attack's base";
    EXPECT_EQ(number(attacker[4]), 15) << "level 3 gives 15 %";
    EXPECT_EQ(number(attacker[5]), 20) << "the defender's evasion";
    EXPECT_EQ(number(attacker[6]), 30) << "the defender's own area cover: (radius 2 - 0 + 1) x 10";
    EXPECT_EQ(number(defender[7]), d.defenceValue);
    EXPECT_EQ(number(defender[8]), 40) << "the protection's base";
    EXPECT_EQ(number(defender[9]), 10) << "level 2 gives 10 %";
    EXPECT_EQ(number(defender[10]), 25) << "the terrain's evasion";

    // The value is its base with the bonus and the penalties applied in the combat code's order.
    int value = 80 + number(attacker[4]) * 80 / 100;
    value = (100 - number(attacker[5])) * value / 100;
    value = (100 - number(attacker[6])) * value / 100;
    EXPECT_EQ(a.attackValue, value);
    int protection = 40 + number(defender[9]) * 40 / 100;
    protection += number(defender[10]) * protection / 100;
    EXPECT_EQ(d.defenceValue, protection);

    EXPECT_EQ(attacker[4].colour, cells::kLightBlue);
    EXPECT_EQ(attacker[5].colour, kRed);
    EXPECT_EQ(attacker[2].colour, kRed) << "cut below its base";
    EXPECT_EQ(defender[7].colour, cells::kLightBlue) << "raised above its base";
    EXPECT_EQ(attacker[0].align, UINT(DT_RIGHT));
}

TEST(WeaponSelectionCells, EncirclementCellFollowsRuleTwentyOne)
{
    ValuedFight fight;
    EXPECT_EQ(cells::valueCells(fight.pair(), 1, false)[11].text, " --") << "rule 21 off";
    fight.setRule(kRuleEncirclement, 1);
    EXPECT_EQ(cells::valueCells(fight.pair(), 1, true)[11].text, "  0") << "nobody around the defender";

    // A second unit of the attacker beside the defender closes in.
    fight.placeUnit(0, fight.plain, 4, 2);
    const CombatPair& pair = fight.pair();
    const auto defender = cells::valueCells(pair, 1, true);
    ASSERT_GT(pair.side[1].preview[kPreviewEncirclement], 0u);
    EXPECT_EQ(defender[11].text[0], '-');
    EXPECT_EQ(number(defender[11]), int(pair.side[1].preview[kPreviewEncirclement]));
    EXPECT_EQ(defender[11].colour, kRed);
    const int base = 40 + 10 * 40 / 100;
    const int terrain = base + 25 * base / 100;
    EXPECT_EQ(pair.side[1].defenceValue, (100 - number(defender[11])) * terrain / 100)
        << "the encirclement shown is what comes off the defender's protection";
}

TEST(WeaponSelectionCells, PercentagesBelowOneShowAZeroInWhite)
{
    CombatWorld world;
    const int a = world.placeUnit(0, world.plain, 2, 2);
    const int d = world.placeUnit(1, world.other, 3, 2);
    const CombatPair& pair = world.engage(0, a, 1, d);
    for (int side : { 0, 1 }) {
        const auto strip = cells::valueCells(pair, side, false);
        for (int i : { 4, 5, 6, 9, 10 }) {
            EXPECT_EQ(strip[size_t(i)].text, "  0") << "side " << side << " cell " << i;
            EXPECT_EQ(strip[size_t(i)].colour, kWhite);
        }
    }
}
