// The files the game's music plays from: an anthem code's file and the tune of an event.
#pragma once

#include <optional>
#include <string>

class GameState;

// Below 50 the anthem list's wave of that number, from 50 entry code - 50 of the music list: a
// name under the program folder; none for an entry past the music list.
std::optional<std::string> anthemFileName(const GameState& game, int code);
// Full path of the tune of an event code: 1..8 the anthem of country code - 1 (the start tune when
// it has no file), 9 victory, 10 defeat, 11 opening, 12 ending, any other the start tune.
std::string tunePath(const GameState& game, int code);
