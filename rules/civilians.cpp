// Picking civilians up and setting them down.
#include "rules/civilians.h"
#include "rules/shared_codes.h"

#include "rules/engineering_steps.h"
#include "rules/mines.h"
#include "rules/move_checks.h"
#include "rules/storing_steps.h"
#include "rules/unit_removal.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

namespace {


// The carrier shares its slot with no other unit it can see.
bool carrierAlone(const GameState& state, const ActingUnit& actor)
{
    const UnitRecord& unit = *actor.unit;
    return !state.hexDomainHasVisibleOtherUnit(unit.x, unit.y, domainSlotOf(state, actor.side, actor.index), actor.side,
        actor.index);
}

void mineUnder(GameState& state, int x, int y, int index)
{
    if (!hexHasMineFor(state, x, y, kNeutralSide, index))
        return;
    redrawHex(state, x, y);
    announceMineEntered(state, x, y, kNeutralSide, index);
    detonateMine(state, x, y, kNeutralSide, index, kMineMaxHits);
}

// A civilian whom the mine left without members: taken off (x, y) and destroyed.
bool destroyIfEmpty(GameState& state, int x, int y, int index)
{
    const UnitRecord* civilian = state.unitOf(kNeutralSide, index);
    if (!civilian || strengthTotal(*civilian) > 0)
        return false;
    unregisterFromHex(state, x, y, kNeutralSide, index);
    destroyUnit(state, kNeutralSide, index);
    return true;
}

} // namespace

bool execTakeCivilians(GameState& state, int x, int y)
{
    const ActingUnit actor = actingUnit(state);
    if (!actor.unit || !carrierAlone(state, actor))
        return false;
    UnitRef ref {};
    if (!state.unitRefInHex(x, y, landSlot(state), ref) || ref.table != kNeutralSide)
        return false;
    const int index = ref.index;
    UnitRecord* civilian = state.unitOf(kNeutralSide, index);
    if (!civilian || !unitExists(*civilian))
        return false;
    UnitRecord& carrier = *actor.unit;
    if (civilian->x != carrier.x || civilian->y != carrier.y)
        mineUnder(state, carrier.x, carrier.y, index);
    if (destroyIfEmpty(state, x, y, index))
        return false;
    if (!takeAboard(state, carrier, actor.side, kNeutralSide, index))
        return false;
    civilian->boardCarrier(actor.side, actor.index);
    unregisterFromHex(state, x, y, kNeutralSide, index);
    civilian->x = carrier.x;
    civilian->y = carrier.y;
    return true;
}

bool execReleaseCivilians(GameState& state, int x, int y)
{
    const ActingUnit actor = actingUnit(state);
    UnitRef ref {};
    if (!actor.unit || !state.isOnMap(x, y) || !carrierAlone(state, actor) || state.unitRefInHex(x, y, landSlot(state), ref))
        return false;
    UnitRecord& carrier = *actor.unit;
    for (int slot = 0; slot < kBerthCount; ++slot) {
        int side = actor.side;
        const int plus1 = carrier.carriedUnitAt(slot, side);
        UnitRecord* civilian = plus1 > 0 && side == kNeutralSide ? state.unitOf(kNeutralSide, plus1 - 1) : nullptr;
        if (!civilian)
            continue;
        const int index = plus1 - 1;
        carrier.clearCarriedUnit(slot);
        dropCargoFlagWhenEmpty(carrier);
        civilian->leaveCarrier();
        civilian->x = uint8_t(x);
        civilian->y = uint8_t(y);
        state.setUnitRefInHex(x, y, landSlot(state), kNeutralSide + 1, index);
        mineUnder(state, x, y, index);
        if (!destroyIfEmpty(state, x, y, index))
            deliverTransported(state, kNeutralSide, index, x, y);
        return true;
    }
    return false;
}
