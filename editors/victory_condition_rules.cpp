// The victory-condition page's enabling rules and the facts of the game they read.
#include "editors/victory_condition_rules.h"

#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr int kNeutralSide = 8;
constexpr uint8_t kVictoryTargetBits = 0x05;
constexpr uint8_t kTransportBit = 0x02;

bool sideHasMarkedUnit(const GameState& state, int side, uint8_t bits)
{
    const int count = int(state.unitCount(side));
    for (int i = 0; i < count; ++i) {
        const UnitRecord* unit = state.unitOf(side, i);
        if (unit && unitExists(*unit) && (unit->watchBits & bits))
            return true;
    }
    return false;
}

bool isTargetPlace(const GameState& state, int x, int y)
{
    const int link = state.hexPlaceLink(x, y);
    const PlaceRecord* places = state.placeTable();
    return places && link > 0 && link <= kPlaceRecordCount && places[link - 1].used && places[link - 1].target;
}

} // namespace

VictoryConditionEntries victoryConditionEntriesOf(const GameState& state)
{
    uint8_t raw[kCountryCount][5] = {};
    state.copyVictoryConditionsOut(raw);
    VictoryConditionEntries entries {};
    for (int c = 0; c < kCountryCount; ++c)
        std::copy(std::begin(raw[c]), std::end(raw[c]), entries[size_t(c)].begin());
    return entries;
}

void storeVictoryConditionEntries(GameState& state, const VictoryConditionEntries& entries)
{
    uint8_t raw[kCountryCount][5] = {};
    for (int c = 0; c < kCountryCount; ++c)
        std::copy(entries[size_t(c)].begin(), entries[size_t(c)].end(), std::begin(raw[c]));
    state.copyVictoryConditionsIn(raw);
}

bool victoryConditionsSettable(const GameState& state, int country)
{
    return state.countryTakesPart(country);
}

VictoryConditionChances victoryConditionChances(const GameState& state, int country)
{
    VictoryConditionChances chances;
    for (size_t i = 0; i < state.buildingCount() && !chances.buildingTargets; ++i) {
        const BuildingRecord& building = state.buildingAt(i);
        const int owner = building.owner();
        const bool neutral = owner < 0 || owner >= kCountryCount;
        chances.buildingTargets = isTargetPlace(state, int(building.x), int(building.y))
            && (neutral || !state.isAllied(country, owner));
    }
    for (int other = 0; other < kCountryCount && !chances.unitTargets; ++other)
        chances.unitTargets = other != country && victoryConditionsSettable(state, other)
            && !state.isAllied(country, other) && sideHasMarkedUnit(state, other, kVictoryTargetBits);
    chances.ownTransportUnit = state.hasFlaggedUnit(country);
    chances.alliedWithCivilians = state.isAllied(country, kNeutralSide);
    chances.civilianTransportUnit = sideHasMarkedUnit(state, kNeutralSide, kTransportBit);
    return chances;
}

VictoryPageEnabling applyVictoryEnabling(const VictoryConditionChances& chances, uint8_t entryFlags,
    VictoryPageChecks& checks)
{
    VictoryPageEnabling on;
    on.building = chances.buildingTargets;
    on.buildingChoice = on.building && checks.building;
    on.unit = chances.unitTargets;
    on.unitChoice = on.unit && checks.unit;

    on.transport = chances.transport();
    const bool active = on.transport && checks.transport;
    on.share = active;
    if (!checks.transport)
        checks.civilians = false;
    on.civilians = active && chances.alliedWithCivilians && chances.ownTransportUnit;
    // Only the civilian side's units can be carried: they must count.
    if (active && !chances.ownTransportUnit)
        checks.civilians = true;

    on.turnOver = true;
    const bool any = checks.building || checks.unit || checks.transport;
    on.combination = any;
    if (any && !checks.anyOne && !checks.allOf) {
        checks.allOf = (entryFlags & victory_entry::kAllConditions) != 0;
        checks.anyOne = !checks.allOf;
    } else if (!any) {
        checks.anyOne = checks.allOf = false;
    }
    return on;
}
