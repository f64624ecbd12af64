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

void MapWindow::redrawChangedLocked()
{
    const std::vector<HexPos> changed = m_renderer->changedHexes();
    if (changed.empty())
        return;
    const HexView view = visibleHexRange();
    if (int(changed.size()) * kFullRedrawDivisor > view.columns * view.rows) {
        m_renderer->drawAll();
        present(nullptr);
        return;
    }
    for (const HexPos& hex : changed)
        drawHexLocked(hex.x, hex.y);
}

void MapWindow::redrawMarked()
{
    std::lock_guard lock(m_drawLock);
    // The renderer knows every hex whose look changed, the marked ones among them.
    redrawChangedLocked();
    if (MapBitSet* marked = m_state.redrawSet())
        for (uint32_t y = 0; y < marked->height(); ++y)
            for (uint32_t x = 0; x < marked->width(); ++x)
                marked->clear(x, y);
}

void MapWindow::refresh()
{
    syncScrollBars();
    std::lock_guard lock(m_drawLock);
    redrawChangedLocked();
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
