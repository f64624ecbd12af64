// Setting and clearing mark bits of the mark grid, keeping the redraw set up to date.
#include "rules/current_action_marks.h"

#include "state/game_state.h"

#include <cstring>

namespace {

uint16_t* markAt(const GameState& state, int x, int y)
{
    uint16_t* grid = state.markGrid();
    if (!grid || !state.isOnMap(x, y))
        return nullptr;
    return &grid[size_t(y) * size_t(state.mapWidth()) + size_t(x)];
}

void addToRedraw(const GameState& state, int x, int y)
{
    if (MapBitSet* redraw = state.redrawSet())
        redraw->set(x, y);
}

} // namespace

void setHexMark(GameState& state, int x, int y, uint16_t bits)
{
    uint16_t* mark = markAt(state, x, y);
    if (!mark || (*mark & bits))
        return;
    addToRedraw(state, x, y);
    *mark |= bits;
    state.markRowBits()[y] |= bits;
}

void clearHexMark(GameState& state, int x, int y, uint16_t bits)
{
    uint16_t* mark = markAt(state, x, y);
    if (!mark || !(*mark & bits))
        return;
    addToRedraw(state, x, y);
    *mark &= uint16_t(~bits);
}

namespace {

// Calls visit(x, y, mark) for each hex whose mark has any of the bits, row by row; a row that cannot
// hold them is passed over, one none of whose hexes has one after one sweep, so a nearly empty grid
// costs little. The rows swept keep the bits they still hold.
template <typename Visit> void forEachMarkedHex(GameState& state, uint16_t bits, Visit visit)
{
    uint16_t* grid = state.markGrid();
    uint16_t* rows = state.markRowBits();
    const size_t width = size_t(state.mapWidth());
    for (size_t y = 0; grid && y < size_t(state.mapHeight()); ++y) {
        if (!(rows[y] & bits))
            continue;
        uint16_t* row = grid + y * width;
        // Four marks to a word, two words a step.
        uint64_t a = 0, b = 0;
        size_t x = 0;
        for (; x + 8 <= width; x += 8) {
            uint64_t w[2];
            std::memcpy(w, row + x, sizeof w);
            a |= w[0];
            b |= w[1];
        }
        a |= b;
        uint32_t any = uint32_t(a | a >> 16 | a >> 32 | a >> 48);
        for (; x < width; ++x)
            any |= row[x];
        if (!(any & bits)) {
            rows[y] = uint16_t(any);
            continue;
        }
        any = 0;
        for (x = 0; x < width; ++x) {
            if (row[x] & bits)
                visit(int(x), int(y), row[x]);
            any |= row[x];
        }
        rows[y] = uint16_t(any);
    }
}

} // namespace

void clearHexMarkAll(GameState& state, uint16_t bits)
{
    forEachMarkedHex(state, bits, [&](int x, int y, uint16_t& mark) {
        addToRedraw(state, x, y);
        mark &= uint16_t(~bits);
    });
}

std::vector<HexPos> takeHexesWithMark(GameState& state, uint16_t bits)
{
    std::vector<HexPos> hexes;
    forEachMarkedHex(state, bits, [&](int x, int y, uint16_t& mark) {
        hexes.push_back({ x, y });
        addToRedraw(state, x, y);
        mark &= uint16_t(~bits);
    });
    return hexes;
}

bool hasHexMark(const GameState& state, int x, int y, uint16_t bits)
{
    const uint16_t* mark = markAt(state, x, y);
    return mark && (*mark & bits);
}
