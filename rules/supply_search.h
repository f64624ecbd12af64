// SupplySearch: one side's road network, walked breadth-first from its supply sources.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class GameState;
struct UnitCell;

// Bit d: a road leaves the hex through side d (hexNeighbour's directions). A hex of terrain code 53
// takes its mask from its display code, any other hex from the cell's road byte; 0 off the map.
int hexRoadMask(const GameState& state, int x, int y);

// Distances, line masks and road codes per hex (index y * width + x). Several sources may be searched
// on one object; each search prunes the dead-end branches it found, so the line masks end up holding
// only roads between buildings, while the road codes keep what was walked.
class SupplySearch {
public:
    static constexpr uint16_t kUnreached = 0xFFFF;

    enum Entry : int { NotEntered = 0, Entered = 1, Blocked = 2 };

    SupplySearch(const GameState& state, int side);

    int side() const { return m_side; }

    // A source off the map is ignored.
    void search(int x, int y);
    // Entering (x, y) at one step beyond distance; required_bit is the road side that leads back.
    Entry tryEnter(int x, int y, int distance, int required_bit);

    // Off the map every hex reads as unreached with empty masks, and writes are ignored.
    bool isReached(int x, int y) const { return distanceAt(x, y) != kUnreached; }
    uint16_t distanceAt(int x, int y) const;
    void setDistance(int x, int y, uint16_t value);
    uint8_t cellByteAt(int x, int y) const;
    void setLineMask(int x, int y, uint8_t value);
    uint8_t roadCodeAt(int x, int y) const;
    void setRoadCode(int x, int y, uint8_t value);

    // Into the map's cells (index y * width + x), in one pass: each hex's line mask where it was
    // reached, else 0, and its road code.
    void showIn(UnitCell* cells) const;

    // Frees the three maps; every hex then reads as unreached.
    void release();

private:
    struct DeadEnd {
        int16_t x;
        int16_t y;
        // Side of (x, y) that leads back towards the network.
        uint8_t direction;
    };

    long indexOf(int x, int y) const;
    bool holdsBuilding(int x, int y) const;
    void prune(const std::vector<DeadEnd>& dead_ends);

    const GameState& m_state;
    int m_side;
    int m_width;
    int m_height;
    std::unique_ptr<uint16_t[]> m_distances;
    std::unique_ptr<uint8_t[]> m_lineMasks;
    std::unique_ptr<uint8_t[]> m_roadCodes;
};
