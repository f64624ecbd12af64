// UnitPlaces: where the records of every side's table stand, filed by block and kept up to date from
// the records handed out writable since the last look, so that finding the units near a box reads
// only those filed near it instead of every record.
#pragma once

#include "rules/unit_tiles.h"
#include "state/game_state.h"

#include <array>
#include <cstdint>
#include <vector>

class UnitPlaces {
public:
    // Takes the state's records as they stand. The current country's records are all read again,
    // as its acting units may be written through pointers taken before the last look.
    void refresh(const GameState& state);
    // The indexes, in table order, of the side's counted records (in play or not) whose hex lies in
    // the box x0..x1, y0..y1, as of the last refresh.
    void collect(int side, int x0, int y0, int x1, int y1, std::vector<uint32_t>& into) const;

private:
    static constexpr int32_t kUnfiled = -1;

    struct SidePlaces {
        // Per record: x | y << 8 as filed, kUnfiled past the side's count.
        std::vector<int32_t> places;
        UnitTiles tiles;
        // Records below this may be filed.
        size_t filed = 0;
    };

    void place(SidePlaces& side, uint32_t index, int32_t now);
    void refreshSide(const GameState& state, int side, bool every);

    uint64_t m_touches = 0;
    int m_width = 0;
    int m_height = 0;
    uint32_t m_look = 0;
    std::array<SidePlaces, kSideCount> m_sides;
};

// This thread's places of the state's units, brought up to date.
const UnitPlaces& currentUnitPlaces(const GameState& state);
