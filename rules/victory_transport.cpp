// The transport condition: members to carry, arrivals at the target hex and whether enough can still arrive.
#include "rules/victory.h"
#include "rules/shared_codes.h"
#include "rules/victory_units.h"

#include "rules/dialog_link.h"
#include "rules/links.h"
#include "rules/rules_context.h"
#include "rules/visibility.h"
#include "state/action_history.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>

namespace {

// Option bits of a country's victory conditions.
constexpr uint8_t kCountsNeutralTransports = 1;

bool countsNeutral(GameState& state, int country) { return (state.country(country).victoryFlags & kCountsNeutralTransports) != 0; }
int transportPercent(GameState& state, int country) { return state.country(country).transportPercent; }

// Members of the side's transports that have not arrived yet.
int waitingTransportMembers(const GameState& state, int side)
{
    const UnitRecord* table = state.unitTable(side);
    int members = 0;
    for (uint32_t i = 0; table && i < state.unitCount(side); ++i)
        if (unitExists(table[i]) && (table[i].watchBits & kWatchTransported))
            members += strengthSlotCount(table[i]);
    return members;
}

bool isCountryIndex(int c) { return c >= 0 && c < kCountryCount; }

// Which notice tells of the arrival of (side, unit), standing at (x, y), and whom it names.
void noticeArrival(GameState& state, int side, int unit, int x, int y)
{
    const CurrentAction& action = currentAction(state);
    if (side == kNeutralSide) {
        if (action.actingCountry() == kNeutralSide && action.actingIndex() == unit)
            showArrivalNotice(state, kEvacuationReachedNotice, side, unit, x, y);
        else
            showArrivalNotice(state, kCiviliansCarriedNotice, action.actingCountry(), action.actingIndex(), x, y);
    } else if (ViewerView(state).toldOf(side)) {
        showArrivalNotice(state, kTransportReachedNotice, side, unit, x, y);
    }
}

void handleArrivalsAt(GameState& state, int side, int unit, int depth)
{
    UnitRecord* carrier = state.unitOf(side, unit);
    if (!carrier || !unitExists(*carrier) || depth >= kMaxCargoDepth)
        return;
    for (int slot = 0; slot < kBerthCount; ++slot) {
        int cargo_side = side;
        const int plus1 = carrier->carriedUnitAt(slot, cargo_side);
        if (!plus1)
            continue;
        const UnitRecord* cargo = state.unitOf(cargo_side, plus1 - 1);
        if (cargo && cargo->hasFlag(kUnitCarrying))
            handleArrivalsAt(state, cargo_side, plus1 - 1, depth + 1);
        if (checkTransportArrival(state, cargo_side, plus1 - 1))
            carrier->clearCarriedUnit(slot);
    }
    bool loaded = false;
    for (int slot = 0; slot < kBerthCount; ++slot)
        loaded = loaded || carrier->carriedUnits[slot] != 0;
    if (!loaded)
        carrier->flags &= uint16_t(~kUnitCarrying);
}

} // namespace

void showArrivalNotice(GameState& state, int kind, int side, int index, int x, int y)
{
    const bool named = ViewerView(state).seesUnitAt(side, index, x, y);
    dialogLink().showEventNotice(kind, named ? side : -1, named ? index : -1);
}

int transportRequired(GameState& state, int country)
{
    if (!isCountryIndex(country))
        return 0;
    const TurnBlock& turn = state.turnBlock();
    int total = turn.transportTotal[country];
    if (countsNeutral(state, country))
        total += turn.transportTotal[kNeutralSide];
    return (transportPercent(state, country) * total + 99) / 100;
}

bool isTransportMet(GameState& state, int country)
{
    if (!isCountryIndex(country))
        return false;
    const TurnBlock& turn = state.turnBlock();
    int arrived = turn.transportArrived[country];
    if (countsNeutral(state, country))
        arrived += turn.transportArrived[kNeutralSide];
    return arrived >= 1 && transportRequired(state, country) <= arrived;
}

bool canStillMeetTransport(GameState& state, int side)
{
    int country = side;
    if (side == kNeutralSide) {
        country = -1;
        for (int c = 0; c < kCountryCount && country < 0; ++c)
            if (state.countryTakesPart(c) && transportPercent(state, c) && countsNeutral(state, c))
                country = c;
        if (country < 0)
            return true;
    }
    if (!isCountryIndex(country) || transportPercent(state, country) == 0)
        return true;
    const TurnBlock& turn = state.turnBlock();
    int possible = turn.transportArrived[country] + waitingTransportMembers(state, country);
    if (countsNeutral(state, country))
        possible += turn.transportArrived[kNeutralSide] + waitingTransportMembers(state, kNeutralSide);
    return possible > 0 && transportRequired(state, country) <= possible;
}

int checkTransportArrival(GameState& state, int side, int unit)
{
    UnitRecord* u = side >= 0 && side < kSideCount ? state.unitOf(side, unit) : nullptr;
    if (!u || !unitExists(*u) || !(u->watchBits & kWatchTransported) || u->x != u->goalX || u->y != u->goalY)
        return 0;
    const int members = strengthSlotCount(*u);
    if (canStillMeetTransport(state, side)) {
        noticeArrival(state, side, unit, u->x, u->y);
        const CurrentAction& action = currentAction(state);
        state.historyLog().recordTransport(action.actingCountry(), action.actingIndex(), side, unit, members, u->x, u->y);
    }
    uint16_t& arrived = state.turnBlock().transportArrived[side];
    arrived = uint16_t(std::min(arrived + members, 0xFFFF));
    state.endCheckFlags() |= kEndCheckArrival;
    if (u->hasFlag(kUnitCarrying))
        state.endCheckFlags() |= kEndCheckUnitDestroyed;
    takeOutOfPlay(state, side, unit);
    return 1;
}

void handleArrivals(GameState& state, int side, int unit) { handleArrivalsAt(state, side, unit, 0); }
