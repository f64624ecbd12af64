// Reads and writes of single hexes in the area-analysis grids.
#include "rules/area_layers.h"

#include <cstddef>

namespace {

bool insideLayer(int x, int y) { return x >= 0 && y >= 0 && x < kLayerStride && y < kLayerStride; }

} // namespace

void HexBitLayer::set(int x, int y)
{
    if (!insideLayer(x, y))
        return;
    const int i = x + kLayerStride * y;
    bits[size_t(i >> 3)] |= uint8_t(1u << (i & 7));
}

uint16_t getHexWord(const HexWordGrid& grid, int x, int y)
{
    return insideLayer(x, y) ? grid[size_t(x + kLayerStride * y)] : 0;
}
