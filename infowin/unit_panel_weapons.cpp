// The armament-set block and the weapon table of one armament set.
#include "infowin/game_options.h"
#include "infowin/panel_text.h"
#include "infowin/unit_panels.h"

#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "state/unit_facts.h"
#include "ui/presentation.h"

#include <cstring>
#include <string>

namespace {

std::string slotName(const UnitTypeRecord& type, int i)
{
    const char* name = type.weaponSlot[i].name;
    return std::string(name, strnlen(name, sizeof type.weaponSlot[i].name));
}

// The launch weapons show the fuel of the launched type's first set as their reach.
int reachShown(const GameState& state, const WeaponRecord& weapon)
{
    if (weapon.kind == 2 || weapon.kind == 3) {
        const int launched = weapon.launchedType;
        return state.unitTypeIndex(launched) ? state.unitTypeRecord(launched).model[0].fuel : 0;
    }
    return weapon.reach;
}

const char* mark(const char* utf8)
{
    // A handful of marks, each converted once.
    static std::string cache[8];
    static const char* sources[8] = {};
    for (int i = 0; i < 8; ++i) {
        if (sources[i] == utf8)
            return cache[i].c_str();
        if (!sources[i]) {
            sources[i] = utf8;
            cache[i] = platform::utf8ToCp932(utf8);
            return cache[i].c_str();
        }
    }
    return "";
}

void drawWeaponRow(HDC dc, const GameState& state, const WeaponRecord& weapon, int b)
{
    const int t = b - 12;
    panel::text(dc, 16, t, 208, b, std::string(weapon.name, strnlen(weapon.name, sizeof weapon.name)).c_str());
    panel::format(dc, 228, t, 240, b, DT_LEFT, "%2d", weapon.multiplier);
    const bool launch = weapon.kind == 2 || weapon.kind == 3;
    if (weapon.kind == 6 || weapon.kind == 11)
        panel::text(dc, 264, t, 276, b, "--");
    else
        panel::format(dc, 264, t, 276, b, DT_LEFT, "%2d", reachShown(state, weapon));
    static constexpr int kClassOrder[9] = { 0, 1, 2, 3, 6, 4, 5, 7, 8 };
    for (int j = 0; j < 9; ++j)
        panel::format(dc, 296 + 20 * j, t, 308 + 20 * j, b, DT_LEFT, "%2d", weapon.power[kClassOrder[j]]);
    const bool attack = weapon.flags & 8;
    const bool defence = weapon.flags & 16;
    if (attack || defence)
        panel::text(dc, 488, t, 500, b, mark(attack && defence ? "全" : attack ? "攻" : "防"));
    if (weapon.flags & 64)
        panel::text(dc, 500, t, 512, b, mark("Ｅ"));
    if (weapon.flags & 1)
        panel::text(dc, 528, t, 540, b, mark("直"));
    if (weapon.flags & 2)
        panel::text(dc, 540, t, 552, b, mark("間"));
    if (weapon.flags & 128)
        panel::text(dc, 568, t, 580, b, mark("○"));
    if (weapon.flags & 4)
        panel::text(dc, 596, t, 608, b, mark("○"));
    if (ruleInEffect(state, kRuleBombing) && !launch && weapon.useValue != 0)
        panel::format(dc, 624, t, 636, b, DT_LEFT, "%2d", weapon.useValue);
    else
        panel::text(dc, 624, t, 636, b, "--");
    if (launch)
        panel::format(dc, 652, t, 664, b, DT_LEFT, "%2d", weapon.useValue);
    else
        panel::text(dc, 652, t, 664, b, "--");
    if (ruleInEffect(state, kRuleSupplyCosts))
        panel::format(dc, 680, t, 704, b, DT_LEFT, "%4d", weapon.ammoPrice);
    else
        panel::text(dc, 680, t, 704, b, " --");
}

} // namespace

void drawArmamentSetBlock(HDC dc, const Presentation& look, const GameState& game, int set, const UnitTypeRecord& type, const UnitRecord* unit)
{
    if (set < 0 || set >= kModelCount)
        return;
    panel::TextScope scope(dc, look.font(kSmallFont));
    const UnitTypeModel& model = type.model[set];
    for (int i = 0; i < kWeaponSlotCount; ++i) {
        if (!unitWeaponSlotUsed(type, i))
            continue;
        const int y = 268 + 20 * i;
        const int ammo = model.ammo[i];
        const COLORREF row = ammo == 0 ? panel::kNoAmmoGrey : kWhite;
        SetTextColor(dc, row);
        panel::text(dc, 456, y, 648, y + 12, slotName(type, i).c_str());
        panel::format(dc, 654, y, 666, y + 12, DT_LEFT, "%2d", type.weaponSlot[i].multiplier);
        if (!unit) {
            panel::format(dc, 686, y, 698, y + 12, DT_LEFT, "%2d", ammo);
        } else {
            const HeldFigure held = heldAmmunition(*unit, i);
            COLORREF colour = row;
            if (held.most != 0 && (held.now <= held.most / 4 || held.now <= held.most / 2))
                colour = panel::shareColour(held.now, held.most);
            SetTextColor(dc, colour);
            panel::format(dc, 674, y, 686, y + 12, DT_LEFT, "%2d", held.now);
            SetTextColor(dc, row);
            panel::format(dc, 686, y, 704, y + 12, DT_LEFT, "/%2d", held.most);
        }
    }
    SetTextColor(dc, kWhite);
    panel::format(dc, 524, 368, 566, 380, DT_LEFT, "%2d", type.memberStrength);
    if (unit) {
        const HeldFigure fuel = heldFuel(*unit);
        SetTextColor(dc, fuel.most != 0 ? panel::shareColour(fuel.now, fuel.most) : kWhite);
        panel::format(dc, 632, 368, 650, 380, DT_LEFT, "%3d", fuel.now);
        SetTextColor(dc, kWhite);
        panel::format(dc, 650, 368, 674, 380, DT_LEFT, "/%3d", fuel.most);
    } else {
        panel::format(dc, 654, 368, 672, 380, DT_LEFT, "%3d", model.fuel);
    }
    panel::format(dc, 524, 388, 536, 400, DT_LEFT, "%2d", model.values[0]);
    if (model.values[1] != 0 && ruleInEffect(game, kRuleFastMovement))
        panel::format(dc, 660, 388, 672, 400, DT_LEFT, "%2d", model.values[1]);
    if (model.values[2] != 0)
        panel::format(dc, 524, 408, 536, 420, DT_LEFT, "%2d", model.values[2]);
}

void drawWeaponTable(HDC dc, const Presentation& look, const GameState& game, int set, const UnitTypeRecord& type, const swCBitmap& barSheet, int barX,
    int barY, int rowOffset)
{
    if (set < 0 || set >= kModelCount)
        return;
    panel::TextScope scope(dc, look.font(kSmallFont));
    for (int i = 0; i < kWeaponSlotCount; ++i) {
        const WeaponRecord* weapon = slotWeapon(game, type, i);
        if (!unitWeaponSlotUsed(type, i) || !weapon)
            continue;
        const int b = 522 + rowOffset + 16 * i;
        if (type.model[set].ammo[i] != 0) {
            panel::blitCell(dc, 8, b - 14, barSheet, { barX, barY + 16 * i, 704, 16 });
            SetTextColor(dc, kWhite);
        } else {
            SetTextColor(dc, panel::kNoAmmoGrey);
        }
        drawWeaponRow(dc, game, *weapon, b);
        SetTextColor(dc, kWhite);
    }
}
