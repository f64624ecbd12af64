// The marking scans' visits.
#include "rules/scans_marks.h"

#include "rules/area_layers.h"
#include "state/game_state.h"

namespace {

size_t gridIndex(const GameState& state, int x, int y) { return size_t(y) * size_t(state.mapWidth()) + size_t(x); }

} // namespace

ByteGridMarkScan::ByteGridMarkScan(GameState& state, std::span<uint8_t> grid)
    : HexScan(state)
    , m_grid(grid)
{
}

void ByteGridMarkScan::visit(int x, int y)
{
    const size_t i = gridIndex(state(), x, y);
    if (i < m_grid.size())
        m_grid[i] = 1;
}

FlagGridMarkScan::FlagGridMarkScan(GameState& state, std::span<uint32_t> grid, uint32_t mask)
    : HexScan(state)
    , m_grid(grid)
    , m_mask(mask)
{
}

void FlagGridMarkScan::visit(int x, int y)
{
    const size_t i = gridIndex(state(), x, y);
    if (i < m_grid.size())
        m_grid[i] |= m_mask;
}

BitLayerMarkScan::BitLayerMarkScan(GameState& state, HexBitLayer& layer)
    : HexScan(state)
    , m_layer(layer)
{
}

void BitLayerMarkScan::visit(int x, int y) { m_layer.set(x, y); }

HexMarkScan::HexMarkScan(GameState& state, uint16_t mark, MarkChange change)
    : HexScan(state)
    , m_mark(mark)
    , m_change(change)
{
}

void HexMarkScan::visit(int x, int y)
{
    uint16_t* grid = state().markGrid();
    const size_t i = gridIndex(state(), x, y);
    if (!grid || i >= size_t(kGridHexes))
        return;
    if (m_change == MarkChange::Set) {
        grid[i] |= m_mark;
        state().markRowBits()[y] |= m_mark;
    }
    else
        grid[i] &= uint16_t(~m_mark);
}
