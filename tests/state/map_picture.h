// A picture of a loaded map's layout: terrain colours, buildings in their owner's colour, unit dots.
#pragma once

#include "platform/desktop/harness.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <string>

namespace testing_state {

inline uint32_t terrainColour(const TerrainRecord& t, int type)
{
    switch (t.kind) {
    case 1: case 2: case 3: return 0x3C78D8;
    case 5: return 0x6FA8DC;
    case 6: return 0x1F4E99;
    case 9: return 0x505050;
    case 20: return 0x7F6040;
    default: break;
    }
    if (t.kind >= 11)
        return 0xB0B0B0;
    switch (type) {
    case 2: return 0x93C47D;
    case 3: case 4: return 0x38761D;
    case 5: return 0xB6A05A;
    case 6: return 0x8B6D3C;
    case 7: return 0xEEEEEE;
    case 8: return 0xE6D28A;
    case 9: return 0x76A5AF;
    case 21: return 0xC9DA80;
    default: return 0xA8D08D;
    }
}

// Side colours 0..7 and grey for the neutral side and unowned buildings.
inline uint32_t sideColour(int side)
{
    static const uint32_t colours[9] = {0x2050E0, 0xE03030, 0x20A040, 0xE0C020, 0x9040C0, 0x40C0E0, 0xF08020, 0xC02060, 0x606060};
    return side >= 0 && side < 9 ? colours[side] : 0x606060;
}

inline platform::harness::Image mapPicture(const GameState& state)
{
    constexpr int kHexW = 22, kHexH = 18;
    platform::harness::Image image;
    image.width = state.mapWidth() * kHexW + kHexW / 2;
    image.height = state.mapHeight() * kHexH;
    image.pixels.assign(size_t(image.width) * size_t(image.height), 0);
    auto fill = [&](int x0, int y0, int w, int h, uint32_t colour) {
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x)
                if (x >= 0 && y >= 0 && x < image.width && y < image.height)
                    image.pixels[size_t(y) * size_t(image.width) + size_t(x)] = colour;
    };
    for (int y = 0; y < state.mapHeight(); ++y)
        for (int x = 0; x < state.mapWidth(); ++x) {
            int px = x * kHexW + (y & 1) * kHexW / 2, py = y * kHexH;
            const TerrainCell* cell = state.terrainCellAt(x, y);
            const TerrainRecord& t = state.terrainTypes()[cell->terrain];
            fill(px + 1, py + 1, kHexW - 2, kHexH - 2, terrainColour(t, cell->terrain));
            if (cell->owner)
                fill(px + 1, py + 1, kHexW - 2, 1, sideColour(cell->owner - 1));
            if (int b = state.unitCellAt(x, y)->building) {
                const BuildingRecord& building = state.buildingAt(size_t(b - 1));
                int size = t.kind == 12 ? 12 : 9;
                fill(px + (kHexW - size) / 2, py + (kHexH - size) / 2, size, size, 0x000000);
                fill(px + (kHexW - size) / 2 + 1, py + (kHexH - size) / 2 + 1, size - 2, size - 2,
                    building.ownerPlusOne ? sideColour(building.ownerPlusOne - 1) : 0xFFFFFF);
            }
        }
    for (int side = 0; side < kSideCount; ++side)
        for (uint32_t i = 0; i < state.unitCount(side); ++i) {
            const UnitRecord& u = state.unitTable(side)[i];
            if (!unitInPlay(u) || !u.isOnOwnHex())
                continue;
            int px = u.x * kHexW + (u.y & 1) * kHexW / 2, py = u.y * kHexH;
            fill(px + 3, py + 3, 7, 7, 0xFFFFFF);
            fill(px + 4, py + 4, 5, 5, sideColour(side));
        }
    return image;
}

} // namespace testing_state
