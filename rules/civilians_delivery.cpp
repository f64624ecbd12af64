// Delivery: a transport set down on its destination counts for its side's goal and leaves play.
#include "rules/civilians.h"
#include "rules/dialog_link.h"
#include "rules/shared_codes.h"

#include "rules/links.h"
#include "rules/rules_context.h"
#include "rules/storing_steps.h"
#include "rules/unit_removal.h"
#include "rules/victory.h"
#include "state/action_history.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <cstring>

namespace {

void deliver(GameState& state, int side, int index, int x, int y, int depth);

void deliverCargo(GameState& state, UnitRecord& carrier, int side, int x, int y, int depth)
{
    for (int slot = 0; slot < kBerthCount; ++slot) {
        int cargo_side = side;
        const int plus1 = carrier.carriedUnitAt(slot, cargo_side);
        if (plus1 > 0)
            deliver(state, cargo_side, plus1 - 1, x, y, depth + 1);
    }
}

// Cargo that stays aboard a carrier leaving play gets off onto the hex rather than vanish with it.
void setDownRemainingCargo(GameState& state, UnitRecord& carrier, int side, int x, int y)
{
    for (int slot = 0; slot < kBerthCount; ++slot) {
        int cargo_side = side;
        const int plus1 = carrier.carriedUnitAt(slot, cargo_side);
        UnitRecord* cargo = plus1 > 0 ? state.unitOf(cargo_side, plus1 - 1) : nullptr;
        carrier.clearCarriedUnit(slot);
        if (!cargo || !unitExists(*cargo))
            continue;
        cargo->leaveCarrier();
        cargo->x = uint8_t(x);
        cargo->y = uint8_t(y);
        syncCarriedPositions(state, *cargo, cargo_side);
        registerOnHex(state, cargo_side, plus1 - 1);
    }
    dropCargoFlagWhenEmpty(carrier);
}

void countDelivery(GameState& state, int side, int index, int members)
{
    const CurrentAction& action = currentAction(state);
    if (canStillMeetTransport(state, action.actingCountry())) {
        const UnitRecord& unit = *state.unitOf(side, index);
        if (side == kNeutralSide)
            showArrivalNotice(state, kCiviliansDeliveredNotice, kNeutralSide, index, unit.x, unit.y);
        state.historyLog().recordTransport(action.actingCountry(), action.actingIndex(), side, index, members, unit.x,
            unit.y);
    }
    uint16_t& arrived = state.turnBlock().transportArrived[side];
    arrived = uint16_t(std::min(arrived + members, 0xFFFF));
    state.endCheckFlags() |= kEndCheckArrival;
}

void deliver(GameState& state, int side, int index, int x, int y, int depth)
{
    UnitRecord* unit = side >= 0 && side < kSideCount ? state.unitOf(side, index) : nullptr;
    if (!unit || !unitExists(*unit) || depth > kMaxCargoDepth)
        return;
    if (unit->hasFlag(kUnitCarrying))
        deliverCargo(state, *unit, side, x, y, depth);
    if (!(unit->watchBits & kWatchTransported) || unit->goalX != x || unit->goalY != y)
        return;
    countDelivery(state, side, index, strengthSlotCount(*unit));
    removeUnitFromHex(state, side, index);
    unregisterFromHex(state, x, y, side, index);
    setDownRemainingCargo(state, *unit, side, x, y);
    std::memset(static_cast<void*>(unit), 0, sizeof *unit);
}

} // namespace

void deliverTransported(GameState& state, int side, int index, int x, int y) { deliver(state, side, index, x, y, 0); }
