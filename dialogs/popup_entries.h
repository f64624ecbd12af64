// The entries of the hex contents popup: a u32 whose low 16 bits are the kind, the high 16 the value.
#pragma once

#include <cstdint>

namespace popup_entry {

// Kinds 0..8 are a unit of that side, the value its index.
constexpr uint32_t kBuilding = 200;
// An entry of the game's list of pillbox records.
constexpr uint32_t kPillboxHex = 201;
// A hex: x in the value's low byte, y in its high byte.
constexpr uint32_t kHex = 250;
// The prompt line: prompt 0 boarding, 1 attack target, 2 attacking unit, 3 move target.
constexpr uint32_t kPrompt = 32768;
// What a popup closed without a choice hands back.
constexpr uint32_t kNone = 0xFFFFFFFFu;

constexpr uint32_t make(uint32_t kind, uint32_t value) { return (kind & 0xFFFFu) | (value & 0xFFFFu) << 16; }
constexpr uint32_t kindOf(uint32_t entry) { return entry & 0xFFFFu; }
constexpr uint32_t valueOf(uint32_t entry) { return entry >> 16; }
constexpr bool isUnit(uint32_t entry) { return kindOf(entry) <= 8; }
constexpr uint32_t hex(int x, int y) { return make(kHex, uint32_t(x & 0xFF) | uint32_t(y & 0xFF) << 8); }
constexpr uint32_t prompt(int number) { return make(kPrompt, uint32_t(number)); }

} // namespace popup_entry
