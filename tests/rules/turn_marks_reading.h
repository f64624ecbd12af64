// Reading every per-turn mark of a state, and laying them all afresh, for comparing kept marks.
#pragma once

#include "rules/turn_marks.h"
#include "state/game_state.h"
#include "state/sight_maps.h"

#include <cstdint>
#include <vector>

namespace testing_rules {

// Every mark a reader can see of a hex, hex by hex.
inline std::vector<uint32_t> readTurnMarks(GameState& state)
{
    std::vector<uint32_t> marks;
    const CountryHexLayers* layers = state.hexLayers();
    const CountryHexMasks* masks = state.hexMasks();
    // Read after every action of the soaks: one allocation, not a growth by doubling.
    constexpr size_t kPerHex = CountryHexLayers::kLayerCount + CountryHexLayers::kMaskCount + CountryHexMasks::kMaskCount + 3;
    marks.reserve(size_t(state.mapWidth()) * size_t(state.mapHeight()) * kPerHex);
    for (int y = 0; y < state.mapHeight(); ++y)
        for (int x = 0; x < state.mapWidth(); ++x) {
            for (int layer = 0; layers && layer < CountryHexLayers::kLayerCount; ++layer)
                marks.push_back(layers->cellByte(x, y, layer));
            for (int m = 0; layers && m < CountryHexLayers::kMaskCount; ++m)
                marks.push_back(layers->maskAt(x, y, m));
            if (layers)
                marks.push_back(layers->secondLayerBits(x, y));
            for (int m = 0; masks && m < CountryHexMasks::kMaskCount; ++m)
                marks.push_back(masks->maskAt(x, y, m));
            if (masks)
                marks.push_back(masks->secondLayerByte(x, y) | uint32_t(masks->testBit(0, x, y)) << 8
                    | uint32_t(masks->testBit(1, x, y)) << 9 | uint32_t(masks->testBit(2, x, y)) << 10
                    | uint32_t(masks->testBit(3, x, y)) << 11);
            marks.push_back(state.unitCellAt(x, y)->turnMark);
        }
    return marks;
}

// Clears everything and lays every unit's marks, as a full rebuild does, telling no one.
inline void layTurnMarksAfresh(GameState& state)
{
    for (int y = 0; y < state.mapHeight(); ++y)
        for (int x = 0; x < state.mapWidth(); ++x)
            state.unitCellAt(x, y)->turnMark = 0;
    if (state.hexLayers())
        state.hexLayers()->clearAll();
    if (state.hexMasks())
        state.hexMasks()->clearAll();
    for (int side = 0; side < kSideCount; ++side)
        if (takesPartInMarks(state, side))
            for (int i = 0; i < int(state.unitCount(side)); ++i)
                markUnitThreatZones(state, side, i);
}

} // namespace testing_rules
