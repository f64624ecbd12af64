// MapViewHost: what the map window tells the main window about the person's clicks.
#pragma once

#include <cstdint>

// Implemented by the main window; called on the user-interface thread.
class MapViewHost {
public:
    virtual ~MapViewHost() = default;
    // A unit was selected (side, index) with the commands of its mask, or the selection ended (side -1).
    virtual void unitSelected(int side, int index, uint32_t commandMask) = 0;
    // A hex was clicked and shown.
    virtual void hexShown(int x, int y) = 0;
    // The view scrolled or zoomed.
    virtual void viewChanged() = 0;
};
