// Hex geometry of the map view: where a hex lies in map pixels at each zoom, and which hex is under a point.
#pragma once

#include "platform/windows.h"

// Zoom 0, 1, 2: hexes 16, 32 and 48 pixels wide in a square cell, rows three quarters of a cell
// apart, odd rows shifted half a cell to the right. Map pixels start at the top-left of hex (0, 0).
class HexGeometry {
public:
    HexGeometry(int zoom, int mapWidth, int mapHeight);

    int zoom() const { return m_zoom; }
    int cell() const { return m_cell; }
    int rowPitch() const { return m_cell * 3 / 4; }
    int mapWidth() const { return m_mapWidth; }
    int mapHeight() const { return m_mapHeight; }

    // The top-left corner of the hex's cell in map pixels.
    POINT hexOrigin(int x, int y) const;
    POINT hexCentre(int x, int y) const;
    RECT hexRect(int x, int y) const;
    // The whole map's size in pixels.
    SIZE mapPixelSize() const;
    // The hex under a map pixel; false outside the map or between hexes at its ragged edges.
    bool hexAt(int px, int py, int& x, int& y) const;
    // Every hex whose cell meets the rectangle (map pixels), clipped to the map: first and last
    // column and row, inclusive. False when none does.
    bool hexesIn(const RECT& area, int& firstX, int& firstY, int& lastX, int& lastY) const;
    // A view origin whose first column and row, as hexesIn finds them, are these. hexesIn counts
    // hexes a view shows only in part (an odd row's half cell at the left, a cell's lower quarter
    // in the next row's band), so a view scrolled by whole hexes starts one column and two rows on
    // from them, and comes back exactly where it was.
    POINT viewOriginFor(int firstX, int firstY) const;

private:
    int m_zoom;
    int m_cell;
    int m_mapWidth;
    int m_mapHeight;
};
