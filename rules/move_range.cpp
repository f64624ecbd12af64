// MoveRangeMap: set-up from a unit or from values, the window and its filling in, and the per-hex queries.
#include "rules/move_range.h"

#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>

namespace {

// Hexes beyond the limit that a range still answers for itself: the neighbours of its last hexes.
constexpr int kWindowMargin = 2;

} // namespace

MoveRangeMap::MoveRangeMap(GameState& state)
    : m_state(state)
{
    reset();
}

MoveRangeMap::MoveRangeMap(GameState& state, int side, int index)
    : m_state(state)
{
    reset();
    m_side = side;
    m_unitIndex = index;
    const UnitRecord* unit = state.unitOf(side, index);
    if (!unit)
        return;
    const UnitTypeRecord& type = unit->type();
    m_startX = unit->x;
    m_startY = unit->y;
    m_moveType = type.movementType;
    m_domain = type.domain;
    m_targetClass = ::targetClass(type);
    m_carryClass = type.carryClass;
    m_interceptionCap = state.ruleOn(kRuleSearch) ? type.concealRadius : 0;
}

void MoveRangeMap::initFromValues(int side, int x, int y, int move_type, int domain)
{
    reset();
    m_side = side;
    m_startX = x;
    m_startY = y;
    m_moveType = move_type;
    m_domain = domain;
    m_targetClass = domain;
}

void MoveRangeMap::reset()
{
    release();
    m_side = 0;
    m_unitIndex = -1;
    m_costLimit = 0;
    m_moveType = 0;
    m_waterOnly = false;
    m_carryClass = 0;
    m_interceptionCap = 0;
    m_domain = 0;
    m_targetClass = 0;
    m_startX = m_startY = 0;
    m_buildUnitFlags = false;
    m_ignoreUnitsAtGoal = true;
    m_secondLayer = false;
    m_minesImpassable = false;
    m_goalX = m_goalY = -1;
    m_workingLimit = 0;
    m_known = nullptr;
}

void MoveRangeMap::release()
{
    if (m_buf.queue)
        returnMoveRangeBuffers(std::move(m_buf));
    m_buf = {};
    m_window = {};
    m_startOnMap = false;
}

int MoveRangeMap::stackingClass() const { return m_state.unitSlotFor(m_domain); }

void MoveRangeMap::compute()
{
    m_width = m_state.mapWidth();
    m_height = m_state.mapHeight();
    m_buf.costs[0].clear();
    m_buf.costs[1].clear();
    m_builtStart = { m_startX, m_startY };
    m_builtGoal = { m_goalX, m_goalY };
    m_startOnMap = onMap(m_startX, m_startY);
    if (m_startOnMap) {
        const int reach = std::clamp(m_costLimit, 0, std::max(m_width, m_height)) + kWindowMargin;
        m_window.x = std::max(0, m_startX - reach);
        m_window.y = std::max(0, m_startY - reach);
        m_window.width = std::min(m_width - 1, m_startX + reach) - m_window.x + 1;
        m_window.height = std::min(m_height - 1, m_startY + reach) - m_window.y + 1;
    } else {
        m_window = { 0, 0, m_width, m_height };
    }
    if (!m_buf.queue)
        m_buf = borrowMoveRangeBuffers();
    const size_t hexes = size_t(m_window.width) * size_t(m_window.height);
    m_buf.entryCosts.assign(hexes, 0);
    m_buf.flags.assign(hexes, 0);
    m_buf.exitDirs.assign(hexes, 0xFF);
    if (!m_startOnMap)
        return;
    buildHexData();
    m_workingLimit = m_costLimit;
    buildFloodTests();
    floodLayers();
}

void MoveRangeMap::buildHexData()
{
    if (inWindow(m_startX, m_startY))
        m_buf.flags[at(m_startX, m_startY)] |= kRangeStart;
    buildTerrainCosts();
    if (m_buildUnitFlags)
        buildUnitFlags();
    // Only now, so that a mined bridge keeps the exits its building gives it.
    if (m_minesImpassable)
        for (uint32_t i : m_buf.mines)
            m_buf.entryCosts[i] = 0;
}

bool MoveRangeMap::covers(int x, int y) const
{
    if (m_buf.flags.empty() || !onMap(x, y))
        return false;
    if (!inWindow(x, y))
        // Filling in leaves every answer given so far as it was; only the storage grows.
        const_cast<MoveRangeMap*>(this)->coverWholeMap();
    return true;
}

void MoveRangeMap::coverWholeMap()
{
    // Built for the start and goal the range was computed with, whatever was set since.
    const int start_x = m_startX, start_y = m_startY, goal_x = m_goalX, goal_y = m_goalY;
    m_startX = m_builtStart.x, m_startY = m_builtStart.y, m_goalX = m_builtGoal.x, m_goalY = m_builtGoal.y;
    const Window old = m_window;
    std::vector<uint8_t> entry = std::move(m_buf.entryCosts), exits = std::move(m_buf.exitDirs);
    std::vector<uint32_t> flags = std::move(m_buf.flags);
    std::vector<int32_t> costs[2] = { std::move(m_buf.costs[0]), std::move(m_buf.costs[1]) };
    m_window = { 0, 0, m_width, m_height };
    const size_t hexes = size_t(m_width) * size_t(m_height);
    m_buf.entryCosts.assign(hexes, 0);
    m_buf.flags.assign(hexes, 0);
    m_buf.exitDirs.assign(hexes, 0xFF);
    buildHexData();
    for (int layer = 0; layer < 2; ++layer)
        if (!costs[layer].empty())
            m_buf.costs[layer].assign(hexes, -1);
    // What the window held stands: its costs, and any flag or exit a caller changed.
    for (int y = 0; y < old.height; ++y)
        for (int x = 0; x < old.width; ++x) {
            const size_t from = size_t(y) * size_t(old.width) + size_t(x);
            const size_t to = at(old.x + x, old.y + y);
            m_buf.entryCosts[to] = entry[from];
            m_buf.flags[to] = flags[from];
            m_buf.exitDirs[to] = exits[from];
            for (int layer = 0; layer < 2; ++layer)
                if (!costs[layer].empty())
                    m_buf.costs[layer][to] = costs[layer][from];
        }
    m_startX = start_x, m_startY = start_y, m_goalX = goal_x, m_goalY = goal_y;
}

int MoveRangeMap::costIn(int x, int y, int layer) const
{
    if (layer < 0 || layer > 1 || !onMap(x, y) || m_buf.costs[layer].empty() || !inWindow(x, y))
        return -1;
    return m_buf.costs[layer][at(x, y)];
}

void MoveRangeMap::setCost(int x, int y, int layer, int cost)
{
    if (layer >= 0 && layer <= 1 && !m_buf.costs[layer].empty() && covers(x, y))
        m_buf.costs[layer][at(x, y)] = cost;
}

int MoveRangeMap::costAt(int x, int y, int limit) const
{
    const int second = costIn(x, y, 1);
    if (second >= 0 && (limit == -1 || second <= limit))
        return second;
    return costIn(x, y, 0);
}

void MoveRangeMap::copyCosts(int32_t* buffer) const
{
    if (m_buf.costs[0].empty())
        return;
    if (m_window.x == 0 && m_window.y == 0 && m_window.width == m_width && m_window.height == m_height) {
        std::copy(m_buf.costs[0].begin(), m_buf.costs[0].end(), buffer);
        return;
    }
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            buffer[size_t(y) * size_t(m_width) + size_t(x)] = costIn(x, y, 0);
}

uint32_t MoveRangeMap::flagsAt(int x, int y) const { return covers(x, y) ? m_buf.flags[at(x, y)] : 0; }

int MoveRangeMap::entryCost(int x, int y) const { return covers(x, y) ? m_buf.entryCosts[at(x, y)] : 0; }

bool MoveRangeMap::hasUnitOfClass(int x, int y, int stacking_class) const
{
    const uint32_t any = (kRangeEnemyClass | kRangeOwnClass | kRangeAlliedClass) << stacking_class;
    return (flagsAt(x, y) & any) != 0;
}

uint8_t MoveRangeMap::exitDirs(int x, int y) const { return covers(x, y) ? m_buf.exitDirs[at(x, y)] : 0; }

bool MoveRangeMap::canCrossSide(int x, int y, int direction) const { return m_state.canCrossHexSide(x, y, direction); }
