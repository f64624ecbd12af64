// SightTracker: each side's sight kept equal to what laying it afresh gives, by laying it again only
// around the units and buildings whose sight changed, instead of clearing the map and laying all.
#pragma once

#include "rules/turn_marks.h"
#include "rules/unit_tiles.h"
#include "state/game_state.h"
#include "state/unit_record.h"

#include <array>
#include <cstdint>
#include <vector>

class FogMap;

class SightTracker {
public:
    // Whether what was laid last can be built on: the same sight map, sight rules and time of day.
    bool keeps(const GameState& state) const;
    // The sight map was just laid in full: every side of `exact` (bit per side) holds just what its
    // buildings and units on the map see. Takes them as the starting point.
    void takeLaid(GameState& state, uint16_t exact);
    // Only while keeps(): leaves every side of `exact` holding just what its buildings and units on
    // the map see, and adds the sight of their buildings to the other sides' bits. A side whose bits
    // anyone else changed since it was last laid here is laid again over the whole map; any other
    // only where the sight of one of its units or buildings changed. False, with nothing laid, when
    // a building belongs to no side: the caller lays the sight in full.
    bool update(GameState& state, uint16_t exact);

private:
    // What a unit or building on the map sees: the radius per layer, -1 for none.
    struct Sight {
        bool present = false;
        uint8_t side = 0;
        int16_t x = 0, y = 0;
        int16_t radius = -1;
        std::array<int16_t, 6> ranges {};
        friend bool operator==(const Sight&, const Sight&) = default;
    };
    struct SideSight {
        std::vector<UnitRecord> records;
        std::vector<Sight> units;
        // The units on the map, by block; the greatest radius among them never shrinks between
        // full lays.
        UnitTiles standing;
        int radius = 0;
        bool exact = false;
        uint64_t serial = 0;
        // Boxes of the hexes whose sight from this side may have changed.
        std::vector<HexRegion::Box> changed;
    };
    struct Setting {
        uint64_t fog = 0;
        int width = 0;
        int height = 0;
        bool layeredSight = false;
        bool night = false;
        const void* terrainTypes = nullptr;
        size_t terrainTypeCount = 0;
        const void* unitTypes = nullptr;
        size_t unitTypeCount = 0;
        friend bool operator==(const Setting&, const Setting&) = default;
    };

    static Setting settingOf(const GameState& state);
    static Sight unitSight(const UnitRecord& unit, int side, bool layered);
    static Sight buildingSight(const GameState& state, const BuildingRecord& building);
    static void laySight(GameState& state, FogMap& fog, const Sight& sight);
    void readBuildings(const GameState& state, std::vector<Sight>& into) const;
    void takeSide(GameState& state, int side);
    void setUnit(SideSight& side, uint32_t index, const Sight& sight);
    // Lays the side's bits afresh over the whole map.
    void layWholeSide(GameState& state, FogMap& fog, int side);
    // Takes the side's units as they stand, noting the boxes of those whose sight changed.
    void compareUnits(GameState& state, int side);
    // Clears the side's bits in its changed boxes and lays there again every sight reaching them.
    void layChanged(GameState& state, FogMap& fog, int side);
    void noteChange(const Sight& sight);

    bool m_kept = false;
    Setting m_setting;
    // The look at the unit records' touches that took the records kept.
    uint32_t m_look = 0;
    std::array<SideSight, kSideCount> m_sides;
    std::vector<Sight> m_buildings;
    std::vector<Sight> m_readBuildings;
    HexRegion m_region;
};
