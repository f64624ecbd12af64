// What a country's victory conditions may use in the game as it stands, and the enabling rules of
// the victory-condition page as a function of that and of the page's checks.
#pragma once

#include <array>
#include <cstdint>

class GameState;

// Five bytes per country, as in the country record: building condition (0 off, 1 all, 2 any one),
// unit condition (likewise), transport share (0 off, 1..100), flags (bit 0 the civilian side's
// units count too, bit 1 all conditions must be met), result past the turn limit (1 victory,
// 2 defeat, 0 draw).
using VictoryConditionEntry = std::array<uint8_t, 5>;
using VictoryConditionEntries = std::array<VictoryConditionEntry, 8>;

namespace victory_entry {
enum : int { kBuilding = 0, kUnit, kShare, kFlags, kTurnOver };
constexpr uint8_t kCountCivilians = 1;
constexpr uint8_t kAllConditions = 2;
} // namespace victory_entry

struct VictoryConditionChances {
    // A target place holds a building of the neutral side or of a country not allied with this one.
    bool buildingTargets = false;
    // Another country in play, alive and not allied, has a unit marked as a victory target.
    bool unitTargets = false;
    // The country has a unit marked for transport.
    bool ownTransportUnit = false;
    // The country is allied with the neutral side, and the neutral side has a unit marked for transport.
    bool alliedWithCivilians = false;
    bool civilianTransportUnit = false;

    bool transport() const { return ownTransportUnit || (alliedWithCivilians && civilianTransportUnit); }
};

// The eight countries' entries as the game holds them, and back into the game.
VictoryConditionEntries victoryConditionEntriesOf(const GameState& state);
void storeVictoryConditionEntries(GameState& state, const VictoryConditionEntries& entries);

VictoryConditionChances victoryConditionChances(const GameState& state, int country);
// Whether the country takes part and is still in play, so that its conditions can be set.
bool victoryConditionsSettable(const GameState& state, int country);

// The page's check boxes and combination radios as they stand; the rules may change them.
struct VictoryPageChecks {
    bool building = false;
    bool unit = false;
    bool transport = false;
    bool civilians = false;
    bool anyOne = false;
    bool allOf = false;
};

struct VictoryPageEnabling {
    bool building = false;
    bool buildingChoice = false;
    bool unit = false;
    bool unitChoice = false;
    bool transport = false;
    bool share = false;
    bool civilians = false;
    bool combination = false;
    bool turnOver = false;
};

// The enabling rules of a settable country's page: each condition's check box by its chances, its
// choice by its check; the civilians box follows the transport condition; the combination radios
// are offered while some condition is checked, taking the entry's stored choice when neither is
// checked, and are cleared when none is.
VictoryPageEnabling applyVictoryEnabling(const VictoryConditionChances& chances, uint8_t entryFlags,
    VictoryPageChecks& checks);
