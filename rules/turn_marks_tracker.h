// TurnMarkTracker: the per-turn marks kept up to date after each action by laying them again only
// where a unit's marks may have changed, instead of clearing the map and laying every unit's.
#pragma once

#include "rules/turn_marks.h"
#include "state/unit_record.h"

#include <array>
#include <cstdint>
#include <vector>

class TurnMarkTracker {
public:
    // Leaves the marks as resetHexTurnMarks would lay them now. Each unit's marks depend only on its
    // record, whether the country whose turn it is sees it and its relation to that country; a unit
    // whose inputs changed since the last call has the hexes its old and new marks may cover cleared,
    // and every unit reaching them lays its marks there again. A full rebuild when there is nothing
    // to compare with: the first call, after any other rebuild, or when the map, the country whose
    // turn it is or the countries in play changed.
    void update(GameState& state);

private:
    // What a unit's marks are made of; absent units (free slots, awaiting production) lay none.
    struct UnitInputs {
        bool present = false;
        int8_t strong = 0;
        int8_t relation = 0;
        // The greatest radius of its weapons' and area cover's marks, from its type.
        int radius = 0;
        // From its type: whether it may hide where the current country's sight reaches, and the
        // domain that sight is read in.
        bool mayHide = false;
        uint8_t domain = 0;
        UnitRecord record {};
    };
    struct Setting {
        const void* layers = nullptr;
        const void* masks = nullptr;
        int width = 0;
        int height = 0;
        int current = -1;
        uint16_t sides = 0;
        unsigned rebuilds = 0;
        friend bool operator==(const Setting&, const Setting&) = default;
    };

    Setting settingOf(GameState& state) const;
    // Null when the unit lays no marks.
    const UnitRecord* presentUnit(GameState& state, int side, int index) const;
    // Whether the country whose turn it is sees the unit, as isUnitVisibleTo answers; a unit of its
    // own camp is always seen, one of another camp that cannot hide is seen where the sight map says.
    bool seenByCurrent(const GameState& state, const UnitInputs& in, int side, int index) const;
    UnitInputs inputsOf(GameState& state, const UnitRecord* unit, int side, int index, int relation) const;
    void rebuild(GameState& state);
    // The boxes a unit's marks may cover: its weapons' and area cover's greatest radius round its hex,
    // and its remembered hex.
    void addCover(const UnitInputs& unit);
    bool reaches(const UnitInputs& unit) const;
    void clearRegion(GameState& state);

    bool m_kept = false;
    Setting m_setting;
    std::array<std::vector<UnitInputs>, 9> m_units;
    HexRegion m_region;
};
