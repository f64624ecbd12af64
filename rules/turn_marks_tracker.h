// TurnMarkTracker: the per-turn marks kept up to date after each action by laying them again only
// where a unit's marks may have changed, instead of clearing the map and laying every unit's.
#pragma once

#include "rules/turn_marks.h"
#include "rules/unit_tiles.h"
#include "state/sight_maps.h"
#include "state/unit_record.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class TurnMarkTracker {
public:
    // Leaves the marks as resetHexTurnMarks would lay them now. Each unit's marks depend only on its
    // record, whether the country whose turn it is sees it and its relation to that country; a unit
    // whose inputs changed since the last call has the hexes its old and new marks may cover cleared,
    // and every unit reaching them lays its marks there again. When the country whose turn it is or
    // its friends changed, every unit is asked again how it relates to them and whether they see it.
    // A full rebuild when there is nothing to compare with: the first call, after any other rebuild,
    // or when the map, the sight map or the countries in play changed, or a turn passes between a
    // country and no country.
    void update(GameState& state);
    // The marks were just laid afresh by someone else: keep them, and the units they were laid from.
    void takeFreshMarks(GameState& state);
    // A record of a side other than the current country's that changed without being handed out
    // writable since the last look was written through a pointer kept from before: the kept marks,
    // sight and places would miss the change. When a report is set, every kept record is compared and
    // each such write reported; the sanitizer build's report stops the program.
    using UntouchedWrite = std::function<void(int side, int index)>;
    void reportUntouchedWrites(UntouchedWrite report) { m_untouchedWrite = std::move(report); }

private:
    // What a unit's marks are made of, besides its record; absent units (free slots, awaiting
    // production) lay none.
    struct UnitInputs {
        bool present = false;
        int8_t strong = 0;
        // From its type: whether it may hide where the current country's sight reaches, and the
        // domain that sight is read in.
        bool mayHide = false;
        uint8_t domain = 0;
        bool onOwnHex = false;
        // Its hex, and the greatest radius of its weapons' and area cover's marks, from its type.
        int16_t x = 0, y = 0, radius = 0;
        // The hex it remembers, when it has one.
        bool remembers = false;
        int16_t goalX = 0, goalY = 0;
    };
    // One side's units as last seen: their records in one block, to be compared at once, and what
    // their marks are made of. The units standing on the map (present, on their own hex) are filed by
    // block; those that remember a hex and those that may hide are listed apart, as the blocks do not
    // find them. The greatest radius of the filed units' marks never shrinks between rebuilds.
    struct SideUnits {
        std::vector<UnitRecord> records;
        std::vector<UnitInputs> inputs;
        int relation = 0;
        UnitTiles standing;
        std::vector<uint32_t> remembering;
        std::vector<uint32_t> hiding;
        int radius = 0;
    };
    struct Setting {
        const void* layers = nullptr;
        const void* masks = nullptr;
        // The sight map by identity: a new one may take an old one's address.
        uint64_t fog = 0;
        int width = 0;
        int height = 0;
        bool countryTurn = false;
        uint16_t sides = 0;
        bool layeredSight = false;
        int search = 0;
        unsigned rebuilds = 0;
        friend bool operator==(const Setting&, const Setting&) = default;
    };

    Setting settingOf(GameState& state) const;
    static uint16_t friendsOf(const GameState& state, int current);
    static bool isPresent(const UnitRecord& unit);
    // Whether the country whose turn it is sees the unit, as isUnitVisibleTo answers; a unit of its
    // own camp is always seen, one of another camp that cannot hide is seen where the sight map says.
    bool seenByCurrent(const GameState& state, const UnitInputs& in, int relation, int side, int index) const;
    UnitInputs inputsOf(GameState& state, const UnitRecord& unit, int side, int index, int relation) const;
    void rebuild(GameState& state);
    // Takes the side's units as they stand, putting the boxes of every unit whose inputs changed
    // into the region.
    void updateSide(GameState& state, int side);
    // Asks again whether the current country sees the side's units whose answer may have changed.
    void recheckSight(GameState& state, int side);
    // Replaces a unit's inputs, keeping the side's files up to date.
    void setInputs(SideUnits& units, uint32_t index, const UnitInputs& in);
    void addCover(const UnitInputs& unit);
    bool reaches(const UnitInputs& unit) const
    {
        if (!unit.present)
            return false;
        if (unit.onOwnHex && m_region.overlaps(unit.x - unit.radius, unit.y - unit.radius, unit.x + unit.radius, unit.y + unit.radius))
            return true;
        return unit.remembers && m_region.contains(unit.goalX, unit.goalY);
    }
    void clearRegion(GameState& state);
    // Clears the region and lays again there the marks of every unit reaching it.
    void layRegion(GameState& state);

    bool m_kept = false;
    Setting m_setting;
    // The country whose turn it is, and the sides it counts as friends.
    int m_current = -1;
    uint16_t m_friends = 0;
    // The sight map's change serial when the units' sight answers were last taken, and the hexes
    // whose sight changed since then.
    uint64_t m_fogSerial = 0;
    // The look at the unit records' touches that took the records kept.
    uint32_t m_look = 0;
    FogMap::Area m_sightChanged;
    std::array<SideUnits, 9> m_sides;
    std::vector<uint32_t> m_candidates;
    std::vector<uint32_t> m_changed;
    HexRegion m_region;
    UntouchedWrite m_untouchedWrite = defaultUntouchedWrite();

    static UntouchedWrite defaultUntouchedWrite();
};
