// Hex grid geometry: positions, the six neighbours of a hex and the distance between hexes.
#pragma once

#include <cstdint>

// Odd rows are shifted half a hex to the right. (-1, -1) means no hex.
struct HexPos {
    int32_t x = -1;
    int32_t y = -1;

    bool valid() const { return x >= 0 && y >= 0; }
    friend bool operator==(const HexPos&, const HexPos&) = default;
};

constexpr int kHexDirections = 6;
constexpr HexPos kNoHex {};

// Directions: 0 west, 1 south-west, 2 south-east, 3 east, 4 north-east, 5 north-west; d and
// (d + 3) % 6 are opposite. Another direction gives (x, y) itself; a result off the map is kNoHex.
HexPos hexNeighbour(int x, int y, int direction, int width, int height);
int hexDistance(HexPos a, HexPos b);
constexpr int oppositeDirection(int d) { return (d + 3) % 6; }

// The hexes of row y within radius of the centre, x0..x1 (empty when x0 > x1), not clipped to a map.
// A row change moves half a hex sideways for free, to the side the centre row's parity gives.
struct HexRowSpan {
    int x0 = 0, x1 = -1;
};
constexpr HexRowSpan hexDiscRow(int cx, int cy, int radius, int y)
{
    const int dy = y > cy ? y - cy : cy - y;
    if (radius < 0 || dy > radius)
        return {};
    const int near = radius - dy / 2, far = radius - (dy + 1) / 2;
    return (cy & 1) ? HexRowSpan { cx - far, cx + near } : HexRowSpan { cx - near, cx + far };
}

// Calls row(y, x0, x1) for each row of the hexes within radius of the centre that lie on a
// width × height map.
template <typename Row> void forEachDiscRow(int cx, int cy, int radius, int width, int height, Row&& row)
{
    const int top = cy - radius < 0 ? 0 : cy - radius, bottom = cy + radius < height ? cy + radius : height - 1;
    for (int y = top; y <= bottom; ++y) {
        const HexRowSpan span = hexDiscRow(cx, cy, radius, y);
        const int x0 = span.x0 < 0 ? 0 : span.x0, x1 = span.x1 < width ? span.x1 : width - 1;
        if (x0 <= x1)
            row(y, x0, x1);
    }
}

// The step to the neighbour in a direction (as hexNeighbour numbers them) from a row of parity 0
// (even) or 1 (odd), whether or not it lies on the map.
struct HexStep {
    int dx, dy;
};
constexpr HexStep hexStep(int parity, int direction)
{
    constexpr HexStep kSteps[2][kHexDirections] = {
        { { -1, 0 }, { -1, 1 }, { 0, 1 }, { 1, 0 }, { 0, -1 }, { -1, -1 } },
        { { -1, 0 }, { 0, 1 }, { 1, 1 }, { 1, 0 }, { 1, -1 }, { 0, -1 } },
    };
    return kSteps[parity & 1][direction];
}

// Packed hex: x in the low 16 bits, y in the high 16 bits.
constexpr uint32_t packHex(int x, int y) { return uint32_t(x & 0xFFFF) | uint32_t(y & 0xFFFF) << 16; }
constexpr HexPos unpackHex(uint32_t packed) { return { int32_t(packed & 0xFFFF), int32_t(packed >> 16) }; }
