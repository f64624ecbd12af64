// Reading the game's records as the dialogs show them.
#pragma once

#include "state/game_state.h"

#include <cstddef>
#include <cstring>
#include <string>

namespace game_records {

// A fixed-size text field of a record; it is not terminated when the text fills it.
template <size_t N>
std::string field(const char (&text)[N])
{
    return std::string(text, strnlen(text, N));
}

// The terrain type of that number; null outside the list.
inline const TerrainRecord* terrainType(const GameState& game, int type)
{
    const auto& types = game.terrainTypes();
    return type >= 0 && type < int(types.size()) ? &types[size_t(type)] : nullptr;
}

} // namespace game_records
