// Shared colours and shapes of the base pictures the game state loads at start-up.
#pragma once

#include "tools/mkdata/bmp_writer.h"

#include <array>

namespace mkdata::base {

// Cells per strip: one per terrain type id (land.dat holds 56) and per unit bitmap index.
constexpr int kTerrainCells = 64;
constexpr int kUnitCells = 32;

// Countries 0..7, then the neutral side (also "no owner").
const std::array<Rgb, 9>& sideColours();
// The ground colour of terrain id t in the picture view.
Rgb groundColour(int t);
// Ids drawn with a building or bridge over their ground.
bool isBuilding(int t);
bool isBridge(int t);

// One of a few plain silhouettes by shape (categoryShape), scaled to a square of `size`.
void drawUnitShape(Canvas& canvas, int x, int y, int size, int index, uint8_t colour, uint8_t outline);
// The unit bitmap indexes: the 57 classes, then seven slower variants of guns and missile vehicles.
constexpr int kCategoryColumns = 64;
// The shape of a bitmap index: 0 flag, 1 figure, 2 tank, 3 gun, 4 aircraft, 5 ship.
int categoryShape(int index);

} // namespace mkdata::base
