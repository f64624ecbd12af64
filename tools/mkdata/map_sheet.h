// The map sheets "map16/32/48.bmp": one canvas per zoom and the drawers of each row.
#pragma once

#include "tools/mkdata/map_sheet_paint.h"

namespace mkdata::sheet {

// Terrain ids of land.dat the pictures tell apart.
namespace terrain {
constexpr int kNone = 0, kPlains = 1, kGrassland = 2, kForest = 3, kJungle = 4, kHills = 5, kMountains = 6,
              kHighMountains = 7, kDesert = 8, kSwamp = 9, kSnow = 10, kWasteland = 11, kBeach = 12, kRocky = 13,
              kRiver = 14, kDeepRiver = 15, kLake = 16, kMud = 17, kFrozenGround = 18, kTundra = 19, kBamboo = 20,
              kField = 21, kPaddy = 22, kOrchard = 23, kScrub = 24, kVolcano = 25, kFrozenRiver = 26, kCliff = 27,
              kSea = 28, kShallows = 29, kDunes = 30, kCapital = 31, kBigCity = 32, kCity = 33, kSmallCity = 34,
              kAirport = 35, kAirfield = 36, kFactory = 37, kArmsFactory = 38, kPort = 39, kNavalPort = 40,
              kAirBase = 41, kOilField = 42, kPowerPlant = 43, kMissileBase = 44, kDam = 45, kTunnel = 46,
              kFortress = 47, kVillage = 48, kSpecial = 49, kPillbox = 50, kBridge = 51, kRoad = 52,
              kTemporaryBridge = 53, kTrench = 54, kBreakwater = 55;
} // namespace terrain

class MapSheet {
public:
    explicit MapSheet(int zoom);

    int size() const { return m_size; }
    const Canvas& canvas() const { return m_canvas; }
    const Palette& palette() const { return m_inks.palette(); }
    Cell cell(int column, int row, Light light, bool clip) { return Cell(m_canvas, m_inks, column * m_size, row * m_size, m_size, light, clip); }
    // Fixes the palette after the learning pass and clears the canvas for the real one.
    void settle();

private:
    int m_size;
    InkTable m_inks;
    Canvas m_canvas;
};

// The ground of a terrain id inside the hex; every pixel of the hex is drawn.
void drawGround(Cell& cell, int terrainId);
// The building or bridge of a terrain id in blue tones over magenta; false when it has none.
bool drawBuilding(Cell& cell, int terrainId);
void drawLines(MapSheet& sheet);
void drawBorders(MapSheet& sheet);
void drawMarks(MapSheet& sheet);
void drawEffects(MapSheet& sheet);

} // namespace mkdata::sheet
