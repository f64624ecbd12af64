// Ranged fire: the launcher's missile goes into its country's missile table and flies or strikes.
#include "rules/missiles.h"

#include "rules/fog.h"
#include "rules/play_handshake.h"
#include "rules/rules_context.h"
#include "state/action_history.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <cstring>

namespace {

// Acted, off the map and launched: the missile waits for the missile phase.

// The first fitted slot whose weapon launches the type; -1 when none.
int launchSlot(const GameState& state, const UnitRecord& launcher, int missile_type)
{
    const UnitTypeRecord& type = launcher.type();
    for (int i = 0; i < kWeaponSlotCount; ++i)
        if (unitWeaponSlotUsed(type, i) && slotWeaponLaunchedType(state, type, i) == missile_type)
            return i;
    return -1;
}

// The first free record of the country's missile table, growing the table by one; -1 when full.
int freeMissileRecord(GameState& state, int country)
{
    UnitRecord* table = state.missileTable(country);
    if (!table)
        return -1;
    const uint32_t count = state.missileCount(country);
    for (uint32_t i = 0; i < count; ++i)
        if (unitState(table[i]) == 0)
            return int(i);
    if (count >= uint32_t(kUnitTableSize))
        return -1;
    state.setMissileCount(country, count + 1);
    return int(count);
}

UnitRecord newMissile(const GameState& state, const UnitTypeRecord& type, const UnitRecord& launcher, int target_x, int target_y)
{
    UnitRecord missile {};
    missile.stateLow = 1;
    std::memcpy(missile.name, type.name, sizeof missile.name);
    missile.unitTypeId = type.id;
    missile.x = launcher.x;
    missile.y = launcher.y;
    missile.model = type.defaultModel;
    const UnitTypeModel& model = type.model[missile.modelIndex()];
    std::memcpy(missile.ammunition, model.ammo, sizeof missile.ammunition);
    missile.fuel = model.fuel;
    missile.flags = launchedMissileFlags(state);
    const int members = std::min<int>(strengthSlotCount(launcher), int(sizeof missile.memberStrengths));
    for (int m = 0; m < members; ++m)
        missile.memberStrengths[m] = type.memberStrength;
    missile.missileTargetX = uint16_t(target_x);
    missile.missileTargetY = uint16_t(target_y);
    return missile;
}

// A launcher stored in a building comes out onto its free hex.
void leaveBuildingToFire(GameState& state, UnitRecord& launcher, int country, int index)
{
    const UnitCell* cell = state.unitCellAt(launcher.x, launcher.y);
    const int building = cell ? cell->building : 0;
    launcher.leaveBuilding(building);
    if (BuildingRecord* b = state.building(building - 1))
        b->removeUnit(country, index);
    addUnitSight(state, launcher.x, launcher.y, country, index);
    if (MapBitSet* redraw = state.redrawSet())
        redraw->setAll();
}

} // namespace

uint16_t launchedMissileFlags(const GameState& state)
{
    constexpr uint16_t kLaunched = kUnitActed | 0x8000;
    return state.ruleOn(kRuleMissilePhase) ? uint16_t(kLaunched | kUnitOffMap) : kLaunched;
}

void execLaunchMissile(GameState& state, int target_x, int target_y, int missile_type)
{
    CurrentAction& action = currentAction(state);
    const int country = action.actingCountry();
    const int index = action.actingIndex();
    UnitRecord* launcher = country < kCountryCount ? state.unitOf(country, index) : nullptr;
    if (!launcher || !unitInPlay(*launcher) || missile_type <= 0 || !state.unitTypeIndex(missile_type))
        return;
    // Only a loaded slot launches: an empty one would fire missiles from nothing.
    const int slot = launchSlot(state, *launcher, missile_type);
    if (slot < 0 || launcher->ammunition[slot] == 0)
        return;
    const int record = freeMissileRecord(state, country);
    if (record < 0)
        return;

    state.missileTable(country)[record]
        = newMissile(state, state.unitTypeRecord(missile_type), *launcher, target_x, target_y);
    --launcher->ammunition[slot];
    const int old_experience = launcher->experience;
    launcher->gainExperience(50);
    launcher->weaponWait[slot] = uint8_t(slotWeaponWaitTurns(state, launcher->type(), slot));
    state.historyLog().recordMissileLaunch(country, index, target_x, target_y, slot);

    if (!state.ruleOn(kRuleMissilePhase)) {
        action.setActingUnit(country, record);
        missileImpact(state, country, record);
        action.setActingUnit(country, index);
        // A strike close by may have taken the launcher down with its target.
        if (!unitInPlay(*launcher))
            return;
    }
    announceRankChange(state, country, index, launcher->x, launcher->y, old_experience, launcher->experience,
        ReportWait::No);
    launcher->flags |= kUnitActed;
    // A stored launcher comes out only onto a free hex; beside another unit it fires from inside, as
    // it would otherwise stand on the map listed nowhere.
    const int hex_slot = state.unitSlotFor(launcher->type().domain);
    if (state.hexHasOtherUnit(launcher->x, launcher->y, hex_slot, country, index))
        return;
    if (launcher->hasFlag(kUnitStored))
        leaveBuildingToFire(state, *launcher, country, index);
    if (launcher->isOnOwnHex())
        state.setUnitRefInHex(launcher->x, launcher->y, hex_slot, country + 1, index);
}
