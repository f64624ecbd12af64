// The unit-type section of an exported production-type file: types, their own weapons and files.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class GameState;
class swCFile;

constexpr int kBattleEntrySize = 58;
using BattleEntry = std::array<uint8_t, kBattleEntrySize>;
// The battle scene's entry of a unit type; false when it has none (a zeroed entry is written).
using BattleEntryLookup = std::function<bool(int type_id, BattleEntry& entry)>;

// Writes "VKRWPN01", the count and, per type, the record, its user weapons and its files.
// Ids without a type are skipped and not counted. swCFile's errors pass to the caller.
void writeUnitTypeSection(const GameState& state, const std::vector<int>& type_ids, const BattleEntryLookup& battle_entry,
    swCFile& out);
