// SavedView: the map view a saved game was looked at with, stored as the save's view block.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct SavedView {
    uint16_t firstColumn;
    uint16_t firstRow;
    // The zoom + 1 (1..3); 0 when the view was not recorded with one (a save without a map window,
    // or one written before the zoom was kept, whose block holds the first four bytes only).
    uint16_t zoomPlusOne;
    // The view's offset in pixels of that zoom from the place the column and row give it, so that
    // it comes back exactly; 0 in a block written before it was kept (the first six bytes only).
    int16_t offsetX;
    int16_t offsetY;
};
#pragma pack(pop)
static_assert(sizeof(SavedView) == 10);
static_assert(offsetof(SavedView, zoomPlusOne) == 4);
static_assert(offsetof(SavedView, offsetX) == 6);
