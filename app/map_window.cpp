// MapWindow: creation, the view over the map, scroll bars, keys, the wheel and the zoom.
#include "app/map_window.h"

#include "app/map_view_host.h"
#include "app/map_window_link.h"
#include "app/map_window_ui.h"
#include "lib/media/dc_holders.h"
#include "state/game_state.h"
#include "state/master_text.h"
#include "state/rule_block.h"
#include "ui/presentation.h"
#include "ui/private_messages.h"

#include <algorithm>

namespace {

constexpr int kWheelStep = 120;

} // namespace

MapWindow::MapWindow(swCWindow* parent, GameState& state, MapViewHost* host)
    : swCWindow(kClassName, parent)
    , m_state(state)
    , m_host(host)
    , m_renderer(std::make_unique<MapRenderer>(state, presentation()))
{
    // The back picture covers the whole client area; erasing first would only flicker.
    m_windowClass.hbrBackground = nullptr;
    m_orders = makeOrders();
}

MapWindow::~MapWindow()
{
    unregisterMapWindow(this);
}

bool MapWindow::create(const RECT& rect)
{
    setStyle(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL);
    setFrame(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    showUnusableFiles("画像ファイルを読み込めません。", m_renderer->loadSheets(), "マップは読み込めた画像だけで表示します。");
    if (!Create())
        return false;
    registerMapWindow(this);
    reinitialise();
    return true;
}

HexGeometry MapWindow::geometry() const { return HexGeometry(zoom(), m_state.mapWidth(), m_state.mapHeight()); }

int MapWindow::zoom() const
{
    std::lock_guard lock(m_drawLock);
    return m_renderer->zoom();
}

POINT MapWindow::viewOrigin() const
{
    std::lock_guard lock(m_drawLock);
    return m_origin;
}

POINT MapWindow::clampOrigin(POINT origin) const
{
    // A map smaller than the view stays at the top-left.
    const SIZE map = geometry().mapPixelSize();
    origin.x = std::clamp<LONG>(origin.x, 0, std::max<LONG>(0, map.cx - m_client.cx));
    origin.y = std::clamp<LONG>(origin.y, 0, std::max<LONG>(0, map.cy - m_client.cy));
    return origin;
}

void MapWindow::layoutView()
{
    {
        std::lock_guard lock(m_drawLock);
        m_origin = clampOrigin(m_origin);
        m_renderer->setView(m_origin, m_client);
        m_renderer->drawAll();
        present(nullptr);
    }
    syncScrollBars();
    if (m_host && onWindowThread())
        m_host->viewChanged();
}

void MapWindow::syncScrollBars()
{
    if (!handle())
        return;
    // Scroll bars belong to the window's own thread; another thread asks for them by a post.
    if (!onWindowThread()) {
        PostMessageA(handle(), ui_message::kMapSyncScrollBars, 0, 0);
        return;
    }
    const SIZE map = geometry().mapPixelSize();
    const POINT origin = viewOrigin();
    const std::array<LONG, 6> shown { map.cx, map.cy, m_client.cx, m_client.cy, origin.x, origin.y };
    if (shown == m_scrollShown)
        return;
    m_scrollShown = shown;
    SCROLLINFO info {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMax = std::max<int>(0, map.cx - 1);
    info.nPage = UINT(m_client.cx);
    info.nPos = origin.x;
    SetScrollInfo(handle(), SB_HORZ, &info, TRUE);
    info.nMax = std::max<int>(0, map.cy - 1);
    info.nPage = UINT(m_client.cy);
    info.nPos = origin.y;
    SetScrollInfo(handle(), SB_VERT, &info, TRUE);
}

bool MapWindow::onWindowThread() const
{
    return handle() && GetWindowThreadProcessId(handle(), nullptr) == GetCurrentThreadId();
}

void MapWindow::scrollTo(POINT origin)
{
    {
        std::lock_guard lock(m_drawLock);
        origin = clampOrigin(origin);
        if (origin.x == m_origin.x && origin.y == m_origin.y)
            return;
        m_origin = origin;
        noteAim();
    }
    layoutView();
}

void MapWindow::noteAim()
{
    const HexGeometry g = geometry();
    const SIZE map = g.mapPixelSize();
    const int largest = HexGeometry(kZoomCount - 1, 1, 1).cell();
    if (map.cx > m_client.cx)
        m_aim.x = (m_origin.x + m_client.cx / 2) * largest / g.cell();
    if (map.cy > m_client.cy)
        m_aim.y = (m_origin.y + m_client.cy / 2) * largest / g.cell();
}

void MapWindow::setZoom(int zoom)
{
    zoom = std::clamp(zoom, 0, kZoomCount - 1);
    {
        std::lock_guard lock(m_drawLock);
        if (zoom == m_renderer->zoom())
            return;
        m_renderer->setZoom(zoom);
        presentation().mapView().zoom = zoom;
        const int cell = geometry().cell();
        const int largest = HexGeometry(kZoomCount - 1, 1, 1).cell();
        m_origin = { m_aim.x * cell / largest - m_client.cx / 2, m_aim.y * cell / largest - m_client.cy / 2 };
    }
    layoutView();
}

bool MapWindow::scrollByKey(UINT virtualKey)
{
    const HexGeometry g = geometry();
    POINT origin = viewOrigin();
    switch (virtualKey) {
    case VK_LEFT: origin.x -= g.cell(); break;
    case VK_RIGHT: origin.x += g.cell(); break;
    case VK_UP: origin.y -= g.rowPitch(); break;
    case VK_DOWN: origin.y += g.rowPitch(); break;
    default: return false;
    }
    scrollTo(origin);
    return true;
}

void MapWindow::scrollFromBar(int bar, int request)
{
    const HexGeometry g = geometry();
    const bool horizontal = bar == SB_HORZ;
    const int line = horizontal ? g.cell() : g.rowPitch();
    const int page = horizontal ? m_client.cx : m_client.cy;
    POINT origin = viewOrigin();
    LONG& pos = horizontal ? origin.x : origin.y;
    switch (request) {
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = horizontal ? g.mapPixelSize().cx : g.mapPixelSize().cy; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info {};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(handle(), bar, &info);
        pos = info.nTrackPos;
        break;
    }
    default: return;
    }
    scrollTo(origin);
}

bool MapWindow::hexAtClient(POINT client, int& x, int& y) const
{
    const POINT origin = viewOrigin();
    return geometry().hexAt(origin.x + client.x, origin.y + client.y, x, y);
}

HexView MapWindow::visibleHexRange() const
{
    std::lock_guard lock(m_drawLock);
    const POINT origin = m_origin;
    const RECT area { origin.x, origin.y, origin.x + m_client.cx, origin.y + m_client.cy };
    HexView view;
    int last_x = 0, last_y = 0;
    if (geometry().hexesIn(area, view.firstColumn, view.firstRow, last_x, last_y)) {
        view.columns = last_x - view.firstColumn + 1;
        view.rows = last_y - view.firstRow + 1;
        const POINT placed = geometry().viewOriginFor(view.firstColumn, view.firstRow);
        view.offsetX = origin.x - placed.x;
        view.offsetY = origin.y - placed.y;
    }
    return view;
}

void MapWindow::showFrom(int firstColumn, int firstRow, POINT offset)
{
    const POINT placed = geometry().viewOriginFor(firstColumn, firstRow);
    scrollTo({ placed.x + offset.x, placed.y + offset.y });
}

void MapWindow::ensureVisible(int x, int y)
{
    std::unique_lock lock(m_drawLock);
    const RECT hex = geometry().hexRect(x, y);
    const POINT origin = m_origin;
    if (hex.left >= origin.x && hex.top >= origin.y && hex.right <= origin.x + m_client.cx
        && hex.bottom <= origin.y + m_client.cy)
        return;
    lock.unlock();
    centreOn(x, y);
}

void MapWindow::centreOn(int x, int y)
{
    POINT origin {};
    {
        std::lock_guard lock(m_drawLock);
        const POINT centre = geometry().hexCentre(x, y);
        origin = { centre.x - m_client.cx / 2, centre.y - m_client.cy / 2 };
    }
    scrollTo(origin);
}

int MapWindow::fogViewer()
{
    std::lock_guard lock(m_drawLock);
    return m_renderer->fogViewer();
}

bool MapWindow::shownNight() const { return m_state.settings().stageNight && m_state.isNightTurn(); }

void MapWindow::reinitialise()
{
    {
        std::lock_guard lock(m_drawLock);
        m_renderer->setZoom(std::clamp(presentation().mapView().zoom.load(), 0, kZoomCount - 1));
        m_renderer->setNight(shownNight());
        m_renderer->setViewer(m_state.turnBlock().viewer(), m_state.ruleOn(kRuleSearch));
        if (handle()) {
            RECT client {};
            GetClientRect(handle(), &client);
            m_client = { client.right - client.left, client.bottom - client.top };
        }
        // Another map is aimed at where its view starts; the same map keeps its aim.
        m_origin = clampOrigin(m_origin);
        const SIZE hexes { m_state.mapWidth(), m_state.mapHeight() };
        if (hexes.cx != m_aimedMap.cx || hexes.cy != m_aimedMap.cy) {
            const int largest = HexGeometry(kZoomCount - 1, 1, 1).cell();
            const int cell = geometry().cell();
            m_aim = { (m_origin.x + m_client.cx / 2) * largest / cell, (m_origin.y + m_client.cy / 2) * largest / cell };
            m_aimedMap = hexes;
        }
        noteAim();
    }
    layoutView();
}

void MapWindow::checkDayNight()
{
    bool differs = false;
    {
        std::lock_guard lock(m_drawLock);
        differs = m_renderer->night() != shownNight();
    }
    if (differs && handle() && !m_dayNightPosted.exchange(true))
        PostMessageA(handle(), ui_message::kMapDayNight, 0, 0);
}

int MapWindow::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case WM_ERASEBKGND:
        msg.result = 1;
        return 1;
    case WM_PAINT: {
        PaintDcHolder dc(handle());
        std::lock_guard lock(m_drawLock);
        m_renderer->present(dc.dc(), dc.paint().rcPaint);
        return 1;
    }
    case WM_SIZE:
        {
            std::lock_guard lock(m_drawLock);
            m_client = { LOWORD(msg.lParam), HIWORD(msg.lParam) };
        }
        layoutView();
        {
            std::lock_guard lock(m_drawLock);
            noteAim();
        }
        return 1;
    case WM_HSCROLL:
    case WM_VSCROLL:
        scrollFromBar(msg.message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(msg.wParam));
        return 1;
    case WM_MOUSEWHEEL: {
        // A notch scrolls three rows; with Shift it scrolls sideways.
        const int notches = GET_WHEEL_DELTA_WPARAM(msg.wParam) / kWheelStep;
        const HexGeometry g = geometry();
        POINT origin = viewOrigin();
        if (GET_KEYSTATE_WPARAM(msg.wParam) & MK_SHIFT)
            origin.x -= notches * 3 * g.cell();
        else
            origin.y -= notches * 3 * g.rowPitch();
        scrollTo(origin);
        return 1;
    }
    case WM_DESTROY:
        unregisterMapWindow(this);
        releasePostedWaits();
        m_state.handshake().releaseMapWait();
        return 0;
    default:
        return handleInput(msg) || handleUserMessage(msg);
    }
}
