// The map's victory conditions: places held, enemy forces destroyed and transports arrived.
#include "rules/victory_conditions.h"

#include "rules/victory.h"
#include "state/game_state.h"

namespace {

enum ConditionState { kNotSet = 0, kPending = 1, kMet = 2 };
constexpr uint8_t kHasConditions = 2;

// Kind 1: every target place is held by the country or an ally; kind 2: some target place holds a
// building the country took from another. A map without target places meets neither.
bool placesMet(GameState& state, int country, int kind)
{
    const PlaceRecord* places = state.placeTable();
    bool any = false;
    bool all = true;
    bool taken = false;
    for (int i = 0; places && i < state.usedRecordCount(); ++i) {
        const PlaceRecord& place = places[i];
        if (!place.used || !place.target)
            continue;
        any = true;
        const BuildingRecord* b = state.buildingOnHex(place.x, place.y);
        const bool held = b && b->ownerPlusOne && state.isAllied(country, b->owner());
        all = all && held;
        taken = taken || (b && b->owner() == country && b->loadedOwnerPlusOne != country + 1);
    }
    return kind == 1 ? any && all : kind == 2 && taken;
}

// Kind 2: some enemy country lost a watched unit; kind 1: every enemy that had watched units lost
// them all. Without any enemy watched units there is nothing to destroy and neither is met.
bool forcesMet(GameState& state, int country, int kind)
{
    const TurnBlock& turn = state.turnBlock();
    bool any = false;
    bool remaining = false;
    bool reduced = false;
    for (int j = 0; j < kCountryCount; ++j) {
        if (state.isAllied(country, j))
            continue;
        const int count = state.countWatchedUnits(j);
        const int threshold = turn.enemyForceThreshold[j];
        reduced = reduced || count < threshold;
        if (threshold) {
            any = true;
            remaining = remaining || count > 0;
        }
    }
    return kind == 2 ? reduced : kind == 1 && any && !remaining;
}

} // namespace

bool meetsVictoryConditions(GameState& state, int country)
{
    CountryRecord& record = state.country(country);
    if (!(record.victoryFlags & kHasConditions))
        return false;
    ConditionState places = record.victoryKind ? kPending : kNotSet;
    ConditionState forces = record.forcesCondition ? kPending : kNotSet;
    ConditionState transport = record.transportPercent ? kPending : kNotSet;
    if (places && placesMet(state, country, record.victoryKind))
        places = kMet;
    if (forces && forcesMet(state, country, record.forcesCondition))
        forces = kMet;
    if (transport && isTransportMet(state, country))
        transport = kMet;
    const bool pending = places == kPending || forces == kPending || transport == kPending;
    const bool met = places == kMet || forces == kMet || transport == kMet;
    return met && !pending;
}
