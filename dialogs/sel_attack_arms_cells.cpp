// The value strip's cells from an engagement's preview values.
#include "dialogs/sel_attack_arms_cells.h"

#include "rules/combat_pair.h"

#include <algorithm>
#include <cstdio>

namespace sel_attack_arms {
namespace {

enum class Shown { Number, Percent, Encirclement };

// Where each cell reads its figure. The strip names the figures after what they do to a fight;
// the engagement record keeps them as the combat code computes them:
//   weapon and slot multipliers   side.weaponMultiplier, side.slotMultiplier
//   attack value, its base        side.attackValue (cut by the other side's protection), preview[kPreviewBasePower]
//   attack bonus                  preview[kPreviewAttackBonus] (experience)
//   other side's attack penalties other.preview[kPreviewEvasion], other.preview[kPreviewAreaCover]
//   protection value, its base    side.defenceValue, preview[kPreviewDefence]
//   protection bonuses            preview[kPreviewDefenceBonus] (experience), preview[kPreviewTerrain]
//   encirclement                  preview[kPreviewEncirclement]: what the other side's units around
//                                 this one take off its protection
enum class Field {
    WeaponMultiplier, SlotMultiplier, AttackShown, AttackBase, AttackBonus, OtherEvasion, OtherAreaCover,
    Defence, DefenceBase, DefenceBonus, TerrainBonus, Encirclement,
};

struct CellSpec {
    RECT box;
    UINT align;
    const char* format;
    Field field;
    Shown shown;
};

constexpr CellSpec kCells[kValueCellCount] = {
    { { 52, 276, 70, 288 }, DT_RIGHT, "%2d", Field::WeaponMultiplier, Shown::Number },
    { { 144, 276, 162, 288 }, DT_RIGHT, "%2d", Field::SlotMultiplier, Shown::Number },
    { { 52, 310, 70, 322 }, DT_LEFT, "%3d", Field::AttackShown, Shown::Number },
    { { 100, 310, 124, 322 }, DT_LEFT, "%4d", Field::AttackBase, Shown::Number },
    { { 144, 310, 168, 322 }, DT_LEFT, "+%2d%%", Field::AttackBonus, Shown::Percent },
    { { 192, 310, 216, 322 }, DT_LEFT, "-%2d%%", Field::OtherEvasion, Shown::Percent },
    { { 240, 310, 264, 322 }, DT_LEFT, "-%2d%%", Field::OtherAreaCover, Shown::Percent },
    { { 52, 344, 70, 356 }, DT_LEFT, "%3d", Field::Defence, Shown::Number },
    { { 100, 344, 124, 356 }, DT_LEFT, "%4d", Field::DefenceBase, Shown::Number },
    { { 144, 344, 168, 356 }, DT_LEFT, "+%2d%%", Field::DefenceBonus, Shown::Percent },
    { { 192, 344, 216, 356 }, DT_LEFT, "+%2d%%", Field::TerrainBonus, Shown::Percent },
    { { 240, 344, 264, 356 }, DT_LEFT, "-%2d%%", Field::Encirclement, Shown::Encirclement },
};

int valueOf(const CombatPair& pair, int side, Field field)
{
    const CombatSide& s = pair.side[side];
    const CombatSide& other = pair.side[1 - side];
    switch (field) {
    case Field::WeaponMultiplier: return s.weaponMultiplier;
    case Field::SlotMultiplier: return s.slotMultiplier;
    case Field::AttackShown: return s.attackValue * (100 - std::min<int>(other.defenceValue, 100)) / 100;
    case Field::AttackBase: return int(s.preview[kPreviewBasePower]);
    case Field::AttackBonus: return int(s.preview[kPreviewAttackBonus]);
    case Field::OtherEvasion: return int(other.preview[kPreviewEvasion]);
    case Field::OtherAreaCover: return int(other.preview[kPreviewAreaCover]);
    case Field::Defence: return s.defenceValue;
    case Field::DefenceBase: return int(s.preview[kPreviewDefence]);
    case Field::DefenceBonus: return int(s.preview[kPreviewDefenceBonus]);
    case Field::TerrainBonus: return int(s.preview[kPreviewTerrain]);
    case Field::Encirclement: return int(s.preview[kPreviewEncirclement]);
    }
    return 0;
}

COLORREF colourOf(const CombatPair& pair, int side, Field field)
{
    const CombatSide& s = pair.side[side];
    auto against = [](int value, int base) { return value > base ? kLightBlue : value < base ? kRed : kWhite; };
    switch (field) {
    case Field::AttackShown: return against(s.attackValue, int(s.preview[kPreviewBasePower]));
    case Field::Defence: return against(s.defenceValue, int(s.preview[kPreviewDefence]));
    case Field::AttackBonus: case Field::DefenceBonus: case Field::TerrainBonus: return kLightBlue;
    case Field::OtherEvasion: case Field::OtherAreaCover: case Field::Encirclement: return kRed;
    default: return kWhite;
    }
}

std::string printed(const char* format, int value)
{
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

std::array<ValueCell, kValueCellCount> valueCells(const CombatPair& pair, int side, bool encirclementRule)
{
    std::array<ValueCell, kValueCellCount> cells;
    for (int i = 0; i < kValueCellCount; ++i) {
        const CellSpec& spec = kCells[i];
        ValueCell& cell = cells[size_t(i)];
        cell.box = spec.box;
        cell.align = spec.align;
        const int value = valueOf(pair, side, spec.field);
        cell.colour = colourOf(pair, side, spec.field);
        cell.text = printed(spec.format, value);
        if (spec.shown == Shown::Encirclement && !encirclementRule) {
            cell.text = " --";
            cell.colour = kWhite;
        } else if (spec.shown != Shown::Number && value < 1) {
            cell.text = "  0";
            cell.colour = kWhite;
        }
    }
    return cells;
}

} // namespace sel_attack_arms
