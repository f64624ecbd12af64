// Where the map view's pictures sit in their sheets; the data generator draws them there.
#pragma once

namespace map_sheet {

// Zoom 0, 1, 2: hexes 16, 32 and 48 pixels wide. A hex's picture is a square cell of that size
// with the hex inside it (pointy top and bottom, magenta 255,0,255 outside); rows of hexes are
// three quarters of a cell apart and odd rows are shifted half a cell to the right.
constexpr int kZoomCount = 3;
constexpr int kHexSize[kZoomCount] = { 16, 32, 48 };

// "map16.bmp", "map32.bmp", "map48.bmp" in the bitmap folder: 64 columns of cells, 8 rows, 8-bit
// paletted, magenta transparent.
constexpr const char* kMapSheetFile[kZoomCount] = { "map16.bmp", "map32.bmp", "map48.bmp" };
constexpr int kColumns = 64;
constexpr int kRows = 8;

// Row of each kind of picture; the column is given with each.
enum Row : int {
    kGroundDay = 0,     // column = terrain id: the ground of the terrain by day
    kGroundNight = 1,   // the same by night
    kBuildingDay = 2,   // column = terrain id of a building or bridge; blue tones, turned per owner
    kBuildingNight = 3, // the same by night
    kLines = 4,         // roads, rivers (see below); not tinted
    kBorders = 5,       // column = direction 0..5: the owner's border along that edge; blue, turned per owner
    kMarks = 6,         // the marks below; not tinted
    kEffects = 7,       // eight frames per effect, column = effect * 8 + frame
};

// Row kLines: a road from the hex centre to the middle of edge d at column kRoad + d, a lone
// road's centre at kRoadCentre, a river along edge d at column kRiver + d; the same pictures by
// night kLinesNight columns further on.
constexpr int kRoad = 0;
constexpr int kRoadCentre = 6;
constexpr int kRiver = 8;
constexpr int kLinesNight = 16;

// Directions: 0 west, 1 south-west, 2 south-east, 3 east, 4 north-east, 5 north-west.

// Row kMarks.
enum Mark : int {
    kGridOutline = 0,   // thin outline of the hex
    kFog = 1,           // dark stipple over a hex the viewer cannot see
    kMoveRange = 2,     // light stipple over a reachable hex
    kSecondRange = 3,   // warmer stipple: reachable with the extended allowance only
    kTarget = 4,        // crosshair ring over a target
    kRoute = 5,         // a route's step or way-point
    kBlink = 6,         // thick bright outline (mark 64)
    kSelected = 7,      // thick white outline around the selected unit's hex
};

// Row kEffects: effect e's frame f at column e * 8 + f.
enum Effect : int {
    kExplosion = 0,
    kMineBlast = 1,     // a mine going off
    kDemolition = 2,    // a building or structure demolished
    kDemolitionB = 3,   // the second demolition picture
    kAreaBlast = 4,
    kLevelUp = 5,
    kLevelDown = 6,
    kProjectile = 7,    // frames of the shot that flies between two hexes
};
constexpr int kEffectFrames = 8;

// "unit16.bmp", "unit32.bmp", "unit48.bmp": one row of kUnitCells cells of the zoom's size, the
// unit type's picture at column imageNumber (0..31), drawn in blue tones on magenta so that the
// colour filter turns it to each country's custom colour.
constexpr const char* kUnitSheetFile[kZoomCount] = { "unit16.bmp", "unit32.bmp", "unit48.bmp" };
constexpr int kUnitCells = 32;

} // namespace map_sheet
