// The mine scans' visits and finishes.
#include "rules/scans_mines.h"

#include "rules/reach_map.h"
#include "rules/targets.h"
#include "state/game_state.h"

#include <vector>

namespace {

bool knowsMine(const TerrainCell& cell, int country)
{
    return cell.mineKind != 0 && country >= 0 && country < kCountryCount && (cell.mineKnownMask >> country & 1);
}

} // namespace

MineHexScan::MineHexScan(GameState& state, int country, const ReachMap& range, int cost_limit)
    : HexScan(state)
    , m_country(country)
    , m_range(range)
    , m_limit(cost_limit)
{
}

bool MineHexScan::isPassage(int x, int y) const
{
    const int terrain_class = state().terrainClassAt(x, y);
    bool same[kHexDirections];
    for (int d = 0; d < kHexDirections; ++d) {
        const HexPos n = state().hexNeighbour(x, y, d);
        same[d] = n.valid() && state().terrainClassAt(n.x, n.y) == terrain_class;
    }
    // Directions run round the hex, so a run starts wherever a match follows a miss.
    int runs = 0;
    for (int d = 0; d < kHexDirections; ++d)
        if (same[d] && !same[(d + kHexDirections - 1) % kHexDirections])
            ++runs;
    return runs >= 2;
}

void MineHexScan::visit(int x, int y)
{
    const TerrainCell* cell = state().terrainCellAt(x, y);
    if (!cell || !knowsMine(*cell, m_country))
        return;
    if ((cell->turnMarks[1] >> m_country & 1) && !isPassage(x, y))
        return;
    HexPos access;
    int best = -1;
    for (int d = 0; d < kHexDirections; ++d) {
        const HexPos n = state().hexNeighbour(x, y, d);
        const int cost = n.valid() ? m_range.secondLayerCostAt(n.x, n.y) : -1;
        if (cost >= 0 && cost <= m_limit && (best < 0 || cost < best)) {
            best = cost;
            access = n;
        }
    }
    if (best >= 0)
        addHit(x, y, uint32_t(best), packHex(access.x, access.y));
}

KnownMineHexScan::KnownMineHexScan(GameState& state, int country, MineKind kind, MineStand stand)
    : HexScan(state)
    , m_country(country)
    , m_kind(kind)
    , m_stand(stand)
{
}

void KnownMineHexScan::visit(int x, int y)
{
    if (m_stand == MineStand::BesideField) {
        const TerrainCell* cell = state().terrainCellAt(x, y);
        if (cell && cell->mineKind == int(m_kind) && knowsMine(*cell, m_country))
            return;
    }
    std::vector<HexPos> mines;
    const int known = m_kind == MineKind::Land ? collectLandMineHexes(state(), m_country, x, y, 1, mines)
                                               : collectSeaMineHexes(state(), m_country, x, y, 1, mines);
    if (known >= 2)
        addHit(x, y, uint32_t(ring()));
}

void KnownMineHexScan::finish()
{
    sortAscending();
    shuffleTopTies();
}
