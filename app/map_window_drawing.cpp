// MapWindow's drawing: the marked hexes, one hex, the whole map, and putting the back picture on screen.
#include "app/map_window.h"

#include "lib/media/dc_holders.h"
#include "state/game_state.h"
#include "state/map_bit_set.h"

namespace {

// Past this share of the view a full redraw is cheaper than hex by hex.
constexpr int kFullRedrawDivisor = 4;

} // namespace

void MapWindow::present(const RECT* viewRect)
{
    if (!handle() || m_client.cx <= 0 || m_client.cy <= 0)
        return;
    const RECT whole { 0, 0, m_client.cx, m_client.cy };
    WindowDcHolder dc(handle());
    m_renderer->present(dc.dc(), viewRect ? *viewRect : whole);
}

void MapWindow::presentHex(int x, int y)
{
    // The hex's neighbours may be redrawn where they overlap its cell: half a cell around it.
    const HexGeometry g = geometry();
    RECT rect = g.hexRect(x, y);
    const int margin = g.cell() / 2;
    rect = { rect.left - m_origin.x - margin, rect.top - m_origin.y - margin, rect.right - m_origin.x + margin,
        rect.bottom - m_origin.y + margin };
    present(&rect);
}

void MapWindow::presentMapRect(const RECT& mapRect)
{
    const RECT shown { mapRect.left - m_origin.x, mapRect.top - m_origin.y, mapRect.right - m_origin.x,
        mapRect.bottom - m_origin.y };
    present(&shown);
}

void MapWindow::drawHexLocked(int x, int y)
{
    m_renderer->drawHex(x, y);
    presentHex(x, y);
}

void MapWindow::updateHex(int x, int y)
{
    if (!m_state.isOnMap(x, y))
        return;
    std::lock_guard lock(m_drawLock);
    drawHexLocked(x, y);
}

void MapWindow::redrawMarked()
{
    std::lock_guard lock(m_drawLock);
    MapBitSet* marked = m_state.redrawSet();
    const int width = m_state.mapWidth();
    const int height = m_state.mapHeight();
    if (!marked || int(marked->width()) != width || int(marked->height()) != height) {
        m_renderer->drawAll();
        present(nullptr);
        return;
    }
    const HexView view = visibleHexRange();
    int count = 0;
    for (int y = view.firstRow; y < view.firstRow + view.rows; ++y)
        for (int x = view.firstColumn; x < view.firstColumn + view.columns; ++x)
            count += marked->test(x, y) ? 1 : 0;
    if (count * kFullRedrawDivisor > view.columns * view.rows) {
        m_renderer->drawAll();
        present(nullptr);
    } else {
        for (int y = view.firstRow; y < view.firstRow + view.rows; ++y)
            for (int x = view.firstColumn; x < view.firstColumn + view.columns; ++x)
                if (marked->test(x, y))
                    drawHexLocked(x, y);
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            marked->clear(x, y);
}

void MapWindow::fullRefresh()
{
    syncScrollBars();
    std::lock_guard lock(m_drawLock);
    m_renderer->drawAll();
    present(nullptr);
}

const uint32_t* MapWindow::backPixels() const
{
    std::lock_guard lock(m_drawLock);
    return m_renderer->pixels();
}
