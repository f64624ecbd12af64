// Hex geometry of the map view.
#include "app/hex_geometry.h"

#include "state/map_sheet_layout.h"

#include <algorithm>

namespace {

int floorDiv(int a, int b)
{
    const int q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

} // namespace

HexGeometry::HexGeometry(int zoom, int mapWidth, int mapHeight)
    : m_zoom(std::clamp(zoom, 0, map_sheet::kZoomCount - 1))
    , m_cell(map_sheet::kHexSize[m_zoom])
    , m_mapWidth(std::max(mapWidth, 0))
    , m_mapHeight(std::max(mapHeight, 0))
{
}

POINT HexGeometry::hexOrigin(int x, int y) const
{
    return POINT { LONG(x * m_cell + (y & 1) * (m_cell / 2)), LONG(y * rowPitch()) };
}

POINT HexGeometry::hexCentre(int x, int y) const
{
    const POINT origin = hexOrigin(x, y);
    return POINT { origin.x + m_cell / 2, origin.y + m_cell / 2 };
}

RECT HexGeometry::hexRect(int x, int y) const
{
    const POINT origin = hexOrigin(x, y);
    return RECT { origin.x, origin.y, origin.x + m_cell, origin.y + m_cell };
}

SIZE HexGeometry::mapPixelSize() const
{
    if (m_mapWidth == 0 || m_mapHeight == 0)
        return SIZE { 0, 0 };
    return SIZE { LONG(m_mapWidth * m_cell + m_cell / 2), LONG((m_mapHeight - 1) * rowPitch() + m_cell) };
}

bool HexGeometry::hexAt(int px, int py, int& x, int& y) const
{
    const int pitch = rowPitch();
    const int half = m_cell / 2;
    int row = floorDiv(py, pitch);
    const int ly = py - row * pitch;
    const int shiftedX = px - (row & 1) * half;
    int column = floorDiv(shiftedX, m_cell);
    const int lx = shiftedX - column * m_cell;
    // The top quarter of a row's band holds the pointed tops; beside them lies the row above.
    if (2 * ly < half - lx) {
        column += (row & 1) - 1;
        --row;
    } else if (2 * ly < lx - half) {
        column += row & 1;
        --row;
    }
    if (row < 0 || row >= m_mapHeight || column < 0 || column >= m_mapWidth)
        return false;
    x = column;
    y = row;
    return true;
}

POINT HexGeometry::viewOriginFor(int firstX, int firstY) const
{
    return POINT { LONG(firstX > 0 ? (firstX + 1) * m_cell : 0), LONG(firstY > 0 ? (firstY + 2) * rowPitch() : 0) };
}

bool HexGeometry::hexesIn(const RECT& area, int& firstX, int& firstY, int& lastX, int& lastY) const
{
    if (area.right <= area.left || area.bottom <= area.top || m_mapWidth == 0 || m_mapHeight == 0)
        return false;
    const int pitch = rowPitch();
    // A cell reaches a quarter cell into the next row's band.
    firstY = std::max(0, floorDiv(area.top - m_cell + 1, pitch) );
    lastY = std::min(m_mapHeight - 1, floorDiv(area.bottom - 1, pitch));
    firstX = std::max(0, floorDiv(area.left - m_cell + 1, m_cell));
    lastX = std::min(m_mapWidth - 1, floorDiv(area.right - 1, m_cell));
    return firstX <= lastX && firstY <= lastY;
}
