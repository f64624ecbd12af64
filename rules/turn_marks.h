// Per-turn hex and unit marks: the threat layers of every unit's weapons, the watched-unit marks,
// the interception bytes and the jammed bits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class GameState;

// Hexes of the map given as boxes of rows and columns, with a per-hex map for quick tests.
class HexRegion {
public:
    struct Box {
        int x0, y0, x1, y1;
    };

    // Empties the region and sizes it for the map.
    void reset(int width, int height);
    // The box clipped to the map; nothing when it lies off the map.
    void addBox(int x0, int y0, int x1, int y1);
    bool contains(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < m_width && y < m_height && m_hexes[size_t(y) * size_t(m_width) + size_t(x)];
    }
    bool overlaps(int x0, int y0, int x1, int y1) const
    {
        if (m_boxes.empty() || x0 > m_bounds.x1 || m_bounds.x0 > x1 || y0 > m_bounds.y1 || m_bounds.y0 > y1)
            return false;
        return overlapsABox(x0, y0, x1, y1);
    }
    // Calls run(a, b) for each longest run of the region's hexes on row y within x0..x1, left first.
    template <typename Run> void forEachRun(int y, int x0, int x1, Run&& run) const
    {
        // Every hex of the region lies within its bounds, which lie on its map.
        if (m_boxes.empty() || y < m_bounds.y0 || y > m_bounds.y1)
            return;
        x0 = x0 > m_bounds.x0 ? x0 : m_bounds.x0;
        x1 = x1 < m_bounds.x1 ? x1 : m_bounds.x1;
        const uint8_t* const row = m_hexes.data() + size_t(y) * size_t(m_width);
        for (int x = x0; x <= x1; ++x) {
            if (!row[x])
                continue;
            int end = x;
            while (end < x1 && row[end + 1])
                ++end;
            run(x, end);
            x = end;
        }
    }
    bool empty() const { return m_boxes.empty(); }
    const std::vector<Box>& boxes() const { return m_boxes; }
    // The smallest box holding every box; meaningless while the region is empty.
    const Box& bounds() const { return m_bounds; }

private:
    bool overlapsABox(int x0, int y0, int x1, int y1) const;

    int m_width = 0;
    int m_height = 0;
    std::vector<uint8_t> m_hexes;
    std::vector<Box> m_boxes;
    // The smallest box holding every box.
    Box m_bounds {};
};

// How a threat mark reads, for the map display and the computer player: the marking unit's side bit
// goes into the layer, strongly (second set) when the country whose turn it is can see the unit; the
// mask layer is the unit's relation to that country (0 own, 1 allied, 2 other) and gets bit `layer`,
// plus bit 8 + `layer` when the unit fires directly at the layer's target class.
enum ThreatRelation : int {
    kThreatOwn = 0,
    kThreatAllied = 1,
    kThreatOther = 2,
};

// Leaves every hex's per-turn unit word and both threat-layer sets as clearing them and laying the
// marks of every unit of the neutral side and of every country in play leaves them. The installed
// action settlement brings its kept marks up to date instead when it keeps the state's; else the
// marks are laid afresh and it is told, so that the marks it keeps start from these.
void resetHexTurnMarks(GameState& state);
// The same, telling no one: the kept marks' own rebuild.
void layHexTurnMarksAfresh(GameState& state);
// Counts the full rebuilds, so that a kept copy of the marks knows when it was replaced.
extern unsigned g_turnMarkRebuilds;
// One unit's threat scans: layers 0..5 per target class within its weapons' reach (capped by its
// type's range byte of the class), layers 6 and 7 for warheads, and its area-cover radius; with a
// region, only the marks that fall in it.
void markUnitThreatZones(GameState& state, int side, int index, const HexRegion* only = nullptr);
// Whether a side's units lay marks: the neutral side always, a country with a controller in play.
bool takesPartInMarks(GameState& state, int side);
// A unit of side to the country whose turn it is: own, allied or other.
int threatRelationTo(const GameState& state, int side, int current);
// Clears side's bit in the jammed byte of every unit in play of the neutral side and the countries in play.
void clearJammedBit(GameState& state, int side);
// Zeroes both per-turn interception bytes of every terrain cell.
void clearInterceptionBytes(GameState& state);
