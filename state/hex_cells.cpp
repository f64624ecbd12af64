// Side codes and ownership of a TerrainCell.
#include "state/hex_cells.h"

void TerrainCell::setSideCode(int direction, int code)
{
    uint8_t& pair = sideCodes[direction / 2];
    if (direction % 2)
        pair = uint8_t((pair & 0x0F) | ((code & 0x0F) << 4));
    else
        pair = uint8_t((pair & 0xF0) | (code & 0x0F));
}

void TerrainCell::clearOwnership()
{
    owner = 0;
    sideCodes[0] = sideCodes[1] = sideCodes[2] = 0;
}
