// MapThumbnail: a 144 x 144 picture of a whole map, one or two pixels per hex, drawn from the running
// game or from a dialog's preview buffers, and copied to the screen when the control paints.
#pragma once

#include "dialogs/map_thumbnail_layout.h"
#include "dialogs/picture_control.h"
#include "state/map_header.h"

class MapThumbnail : public PictureControl {
public:
    // Creates the control disabled (it takes no input) with a black picture.
    MapThumbnail(swCWindow* parent, const GameState& game, const Presentation& look, UINT controlId, int x, int y, DWORD style = 0);

    // Redraws the picture when ready; the owner then invalidates the control.
    void render();
    // Fills the picture black.
    void clear();

    // Set directly by the owners.
    uint8_t ready = 0;
    // 0 the image view, 1 the buildings view.
    uint32_t viewMode = 0;
    uint8_t liveSource = 0;
    const MapHeader* header = nullptr;
    // 65536 hex records, row-major over the header's width.
    const FileMapCell* cells = nullptr;
};
