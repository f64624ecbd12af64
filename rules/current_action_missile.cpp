// A building's missile launch during its action: the new missile record and its strike.
#include "rules/current_action.h"

#include "rules/missiles.h"
#include "state/action_history.h"
#include "state/game_state.h"

#include <algorithm>
#include <cstring>

namespace {

UnitRecord newMissile(const GameState& state, const UnitTypeRecord& type, const BuildingRecord& building, int x, int y)
{
    UnitRecord missile {};
    missile.stateLow = 1;
    std::memcpy(missile.name, type.name, sizeof missile.name);
    missile.unitTypeId = type.id;
    missile.x = uint8_t(building.x);
    missile.y = uint8_t(building.y);
    const UnitTypeModel& model = type.model[0];
    std::memcpy(missile.ammunition, model.ammo, sizeof missile.ammunition);
    missile.fuel = model.fuel;
    missile.flags = launchedMissileFlags(state);
    int members = std::min<int>(type.members, int(sizeof missile.memberStrengths));
    for (int m = 0; m < members; ++m)
        missile.memberStrengths[m] = type.memberStrength;
    missile.memberLimit = type.members;
    missile.missileTargetX = uint16_t(x);
    missile.missileTargetY = uint16_t(y);
    return missile;
}

} // namespace

bool CurrentAction::launchBuildingMissile(int x, int y)
{
    if (m_country != uint32_t(kBuildingActor))
        return false;
    BuildingRecord* building = m_state.building(int(m_index));
    if (!building || building->ownerPlusOne == 0 || building->owner() >= kCountryCount)
        return false;
    int type_id = building->launchedUnitType() - 1;
    // An empty stock would wrap round to 255 missiles.
    if (type_id <= 0 || !m_state.unitTypeIndex(type_id) || building->missileParameter == 0)
        return false;
    int owner = building->owner();
    UnitRecord* table = m_state.missileTable(owner);
    if (!table)
        return false;
    uint32_t count = m_state.missileCount(owner);
    uint32_t slot = 0;
    while (slot < count && table[slot].state() != 0)
        ++slot;
    if (slot == count) {
        if (count >= uint32_t(kUnitTableSize))
            return false;
        m_state.setMissileCount(owner, count + 1);
    }

    building->launchCounter = building->launchCounterStart;
    table[slot] = newMissile(m_state, m_state.unitTypeRecord(type_id), *building, x, y);
    --building->missileParameter;
    m_state.historyLog().recordMissileLaunch(8, int(m_index), x, y, 0);
    if (!m_state.ruleOn(kRuleMissilePhase) && actionSettlement()) {
        // The strike sees the missile as the actor; the building acts again afterwards.
        uint32_t country = m_country;
        uint32_t index = m_index;
        m_country = uint32_t(owner);
        m_index = slot;
        actionSettlement()->missileImpact(owner, int(slot));
        m_country = country;
        m_index = index;
    }
    return true;
}
