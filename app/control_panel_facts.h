// The lines of text the control panel shows: the side's turn facts, a unit's and a hex's.
#pragma once

#include "platform/windows.h"

#include <string>
#include <vector>

class GameState;
struct UnitRecord;

struct PanelLine {
    // CP932.
    std::string text;
    COLORREF colour = 0;
    bool heading = false;
};

// Current country (in its colour), turn with day or night, phase and funds; empty before a map is loaded.
std::vector<PanelLine> sideFactLines(GameState& state);
// Name, type, strength, experience, fuel, ammunition and whether it has acted; one grey line when
// (side, index) names no unit.
std::vector<PanelLine> unitFactLines(GameState& state, int side, int index);
// Terrain, coordinates, the building's owner and durability, and the defence the terrain gives
// the unit (when one is given); one grey line off the map.
std::vector<PanelLine> hexFactLines(GameState& state, int x, int y, const UnitRecord* unit);

// "開始フェイズ" .. "終了フェイズ" (CP932) for phases 0..7; empty for others.
const char* phaseName(int phase);
