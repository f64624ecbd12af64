// The jamming executor: the acting unit's jamming weapon marks the units around it.
#include "rules/engineering.h"

#include "rules/engineering_steps.h"
#include "rules/fog.h"
#include "rules/hex_scan.h"
#include "rules/turn_marks.h"
#include "state/action_history.h"
#include "state/game_state.h"
#include "state/unit_facts.h"
#include "state/weapon_record.h"

namespace {

constexpr int kUnderseaDomain = 5;

class JammingScan : public HexScan {
public:
    JammingScan(GameState& state, int side) : HexScan(state), m_bit(uint8_t(1u << side)) { }

protected:
    void visit(int x, int y) override
    {
        std::vector<UnitRef> units;
        state().collectUnitsInHex(x, y, units);
        for (const UnitRef& ref : units) {
            if (ref.table >= kSideCount)
                continue;
            UnitRecord* unit = state().unitOf(ref.table, ref.index);
            if (unit && unit->type().domain != kUnderseaDomain)
                unit->jammedSides |= m_bit;
        }
    }

private:
    uint8_t m_bit;
};

} // namespace

bool execJamming(GameState& state)
{
    const ActingUnit actor = actingUnit(state);
    // The jammed byte holds one bit per country.
    if (!actor.unit || actor.side >= kCountryCount)
        return false;
    const int slot = actor.unit->findEcmWeapon();
    const WeaponRecord* weapon = slot >= 0 ? actor.unit->slotWeapon(slot) : nullptr;
    if (!weapon)
        return false;
    JammingScan scan(state, actor.side);
    scan.scan(actor.unit->x, actor.unit->y, weapon->reach);
    --actor.unit->ammunition[slot];
    gainExperience(state, actor, &UnitRecord::gainExperienceByStrength);
    updateVisibilityAfterAction(state);
    resetHexTurnMarks(state);
    state.historyLog().recordJammingStart(actor.side, actor.index);
    return true;
}
