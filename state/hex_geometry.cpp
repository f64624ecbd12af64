// Neighbours and distances on the offset hex grid.
#include "state/hex_geometry.h"

#include <cstdlib>

HexPos hexNeighbour(int x, int y, int direction, int width, int height)
{
    HexPos p { x, y };
    switch (direction) {
    case 0: p = { x - 1, y }; break;
    case 1: p = { x - ((y + 1) & 1), y + 1 }; break;
    case 2: p = { x + (y & 1), y + 1 }; break;
    case 3: p = { x + 1, y }; break;
    case 4: p = { x + (y & 1), y - 1 }; break;
    case 5: p = { x - ((y - 1) & 1), y - 1 }; break;
    default: break;
    }
    if (p.x < 0 || p.y < 0 || p.x >= width || p.y >= height)
        return kNoHex;
    return p;
}

int hexDistance(HexPos a, HexPos b)
{
    int dx = std::abs(a.x - b.x);
    int dy = std::abs(a.y - b.y);
    // Walking down or up, a row change moves half a hex sideways for free; which rows give it
    // depends on the start row's parity and the side b lies on.
    bool odd = (a.y & 1) != 0;
    if ((odd && a.x < b.x) || (!odd && a.x > b.x))
        return dx < (dy + 1) / 2 ? dy : dx + dy / 2;
    return dx < dy / 2 ? dy : dx + (dy + 1) / 2;
}
