// The supply road search: breadth-first over road sides, then pruning of the branches that end nowhere.
#include "rules/supply_search.h"

#include "rules/open_sides.h"
#include "state/game_state.h"

#include <algorithm>
#include <bit>
#include <deque>

namespace {

// Neighbours are tried in this order; it decides which of two equal routes a hex keeps.
constexpr int kSearchOrder[kHexDirections] = { 0, 3, 5, 1, 4, 2 };

// The single direction of a mask with exactly one of the six road bits, else -1.
int singleDirection(int mask)
{
    mask &= 0x3F;
    return std::has_single_bit(unsigned(mask)) ? std::countr_zero(unsigned(mask)) : -1;
}

} // namespace

int hexRoadMask(const GameState& state, int x, int y)
{
    const TerrainCell* cell = state.terrainCellAt(x, y);
    if (!cell)
        return 0;
    return cell->terrain == kTemporaryBridgeTerrain ? hexGraphicCode(state, x, y) & 0xFF : cell->overlay;
}

SupplySearch::SupplySearch(const GameState& state, int side)
    : m_state(state)
    , m_side(side)
    , m_width(std::max(state.mapWidth(), 0))
    , m_height(std::max(state.mapHeight(), 0))
{
    const size_t cells = size_t(m_width) * size_t(m_height);
    m_distances = std::make_unique<uint16_t[]>(cells);
    std::fill_n(m_distances.get(), cells, kUnreached);
    m_lineMasks = std::make_unique<uint8_t[]>(cells);
    m_roadCodes = std::make_unique<uint8_t[]>(cells);
}

void SupplySearch::release()
{
    m_distances.reset();
    m_lineMasks.reset();
    m_roadCodes.reset();
}

long SupplySearch::indexOf(int x, int y) const
{
    if (!m_distances || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return -1;
    return long(y) * m_width + x;
}

uint16_t SupplySearch::distanceAt(int x, int y) const
{
    long i = indexOf(x, y);
    return i < 0 ? kUnreached : m_distances[size_t(i)];
}

void SupplySearch::setDistance(int x, int y, uint16_t value)
{
    if (long i = indexOf(x, y); i >= 0)
        m_distances[size_t(i)] = value;
}

uint8_t SupplySearch::cellByteAt(int x, int y) const
{
    long i = indexOf(x, y);
    return i < 0 ? 0 : m_lineMasks[size_t(i)];
}

void SupplySearch::setLineMask(int x, int y, uint8_t value)
{
    if (long i = indexOf(x, y); i >= 0)
        m_lineMasks[size_t(i)] = value;
}

uint8_t SupplySearch::roadCodeAt(int x, int y) const
{
    long i = indexOf(x, y);
    return i < 0 ? 0 : m_roadCodes[size_t(i)];
}

void SupplySearch::setRoadCode(int x, int y, uint8_t value)
{
    if (long i = indexOf(x, y); i >= 0)
        m_roadCodes[size_t(i)] = value;
}

void SupplySearch::showIn(UnitCell* cells) const
{
    const size_t hexes = size_t(m_width) * size_t(m_height);
    for (size_t i = 0; i < hexes; ++i) {
        const bool reached = m_distances && m_distances[i] != kUnreached;
        cells[i].supplyLineMask = reached ? m_lineMasks[i] : 0;
        cells[i].supplyRoad = m_roadCodes ? m_roadCodes[i] : 0;
    }
}

bool SupplySearch::holdsBuilding(int x, int y) const { return m_state.buildingOnHex(x, y) != nullptr; }

SupplySearch::Entry SupplySearch::tryEnter(int x, int y, int distance, int required_bit)
{
    // A road winding through every hex of the largest map must not wrap into the unreached mark.
    if (indexOf(x, y) < 0 || distance + 1 >= kUnreached || distanceAt(x, y) <= distance + 1)
        return NotEntered;
    const int mask = hexRoadMask(m_state, x, y);
    if (const BuildingRecord* building = m_state.buildingOnHex(x, y)) {
        const int owner = building->owner();
        if (owner < 0 || !building->isIntact() || !m_state.isAllied(owner, m_side))
            return Blocked;
    } else if (!(mask >> required_bit & 1)) {
        return Blocked;
    }
    setDistance(x, y, uint16_t(distance + 1));
    setLineMask(x, y, uint8_t(mask));
    setRoadCode(x, y, uint8_t(mask));
    return Entered;
}

void SupplySearch::search(int x, int y)
{
    if (indexOf(x, y) < 0)
        return;
    const int source_mask = hexRoadMask(m_state, x, y);
    setDistance(x, y, 0);
    setLineMask(x, y, uint8_t(source_mask));
    setRoadCode(x, y, uint8_t(source_mask));

    std::deque<HexPos> queue { HexPos { x, y } };
    std::vector<DeadEnd> dead_ends;
    while (!queue.empty()) {
        const HexPos at = queue.front();
        queue.pop_front();
        const int distance = distanceAt(at.x, at.y);
        const int mask = hexRoadMask(m_state, at.x, at.y);
        const bool building = holdsBuilding(at.x, at.y);
        for (int k : kSearchOrder) {
            if (!building && !(mask >> k & 1))
                continue;
            const HexPos next = m_state.hexNeighbour(at.x, at.y, k);
            const int back = oppositeDirection(k);
            switch (tryEnter(next.x, next.y, distance, back)) {
            case Entered:
                queue.push_back(next);
                break;
            case Blocked:
                if (!building)
                    dead_ends.push_back({ int16_t(next.x), int16_t(next.y), uint8_t(back) });
                break;
            case NotEntered:
                break;
            }
        }
        if (!building)
            if (int k = singleDirection(mask); k >= 0)
                dead_ends.push_back({ int16_t(at.x), int16_t(at.y), uint8_t(k) });
    }
    prune(dead_ends);
}

void SupplySearch::prune(const std::vector<DeadEnd>& dead_ends)
{
    for (const DeadEnd& end : dead_ends) {
        int x = end.x, y = end.y, k = end.direction;
        // Each step takes a hex off the network and only enters one still on it, so the walk ends
        // whatever road bits a map holds; a branch already pruned is not walked again.
        for (;;) {
            setDistance(x, y, kUnreached);
            const HexPos next = m_state.hexNeighbour(x, y, k);
            if (!isReached(next.x, next.y))
                break;
            x = next.x, y = next.y;
            const uint8_t line = uint8_t(cellByteAt(x, y) & ~(1u << oppositeDirection(k)));
            setLineMask(x, y, line);
            if (holdsBuilding(x, y))
                break;
            k = singleDirection(line);
            if (k < 0)
                break;
        }
    }
}
