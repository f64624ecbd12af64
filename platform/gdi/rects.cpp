// Rectangle and region fills: FillRect, FrameRect, InvertRect, DrawFocusRect, FillRgn, FrameRgn,
// InvertRgn and PaintRgn.
#include "platform/gdi/paint.h"
#include "platform/gdi/wingdi.h"

#include <algorithm>

using namespace platform;
using namespace platform::gdi;

namespace platform::gdi {

bool fillWithBrush(DeviceContext& dc, const RECT& rect, const Brush* brush)
{
    Canvas canvas(dc);
    canvas.lock();
    if (!canvas.valid() || !brush)
        return false;
    std::vector<uint32_t> tile;
    Pattern pattern = brushPattern(dc, brush, tile);
    Painter painter(dc, canvas);
    painter.fillRect(canvas.toBuffer(rect), pattern, R2_COPYPEN);
    return true;
}

} // namespace platform::gdi

namespace {

bool fillRegionWith(HDC hdc, HRGN hrgn, const Brush* brush, int rop2)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    std::shared_ptr<RegionObject> region = findRegion(hrgn);
    if (!dc || !region || !brush)
        return false;
    Canvas canvas(*dc);
    canvas.lock();
    if (!canvas.valid())
        return false;
    std::vector<uint32_t> tile;
    Pattern pattern = brushPattern(*dc, brush, tile);
    Region area = region->region;
    area.offset(canvas.offsetX(), canvas.offsetY());
    Painter(*dc, canvas).fillRegion(area, pattern, rop2);
    return true;
}

} // namespace

int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr)
{
    std::shared_ptr<DeviceContext> dc = findDC(hDC);
    std::shared_ptr<Brush> brush = brushArgument(hbr);
    if (!dc || !lprc || !brush)
        return 0;
    return fillWithBrush(*dc, *lprc, brush.get());
}

// One pixel wide, inside the rectangle.
int FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr)
{
    std::shared_ptr<DeviceContext> dc = findDC(hDC);
    std::shared_ptr<Brush> brush = brushArgument(hbr);
    if (!dc || !lprc || !brush)
        return 0;
    const RECT& r = *lprc;
    if (r.left >= r.right || r.top >= r.bottom)
        return TRUE;
    fillWithBrush(*dc, { r.left, r.top, r.right, r.top + 1 }, brush.get());
    fillWithBrush(*dc, { r.left, r.bottom - 1, r.right, r.bottom }, brush.get());
    fillWithBrush(*dc, { r.left, r.top + 1, r.left + 1, r.bottom - 1 }, brush.get());
    return fillWithBrush(*dc, { r.right - 1, r.top + 1, r.right, r.bottom - 1 }, brush.get());
}

BOOL InvertRect(HDC hDC, const RECT* lprc)
{
    if (!lprc)
        return FALSE;
    return PatBlt(hDC, lprc->left, lprc->top, lprc->right - lprc->left, lprc->bottom - lprc->top, DSTINVERT);
}

// A dotted frame drawn with XOR, so drawing it twice removes it.
BOOL DrawFocusRect(HDC hDC, const RECT* lprc)
{
    std::shared_ptr<DeviceContext> dc = findDC(hDC);
    if (!dc || !lprc)
        return FALSE;
    Canvas canvas(*dc);
    canvas.lock();
    if (!canvas.valid())
        return FALSE;
    Painter painter(*dc, canvas);
    const RECT& r = *lprc;
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0) {
            POINT p = canvas.toBuffer(x, y);
            painter.plot(p.x, p.y, 0xFFFFFF, R2_XORPEN);
        }
    };
    // Only the part inside the clip is walked.
    RECT visible = canvas.clip().bounds();
    int x0 = std::max<LONG>(r.left, visible.left - canvas.offsetX());
    int x1 = std::min<LONG>(r.right, visible.right - canvas.offsetX());
    int y0 = std::max<LONG>(r.top + 1, visible.top - canvas.offsetY());
    int y1 = std::min<LONG>(r.bottom - 1, visible.bottom - canvas.offsetY());
    for (int x = x0; x < x1; ++x) {
        dot(x, r.top);
        if (r.bottom - 1 > r.top)
            dot(x, r.bottom - 1);
    }
    for (int y = y0; y < y1; ++y) {
        dot(r.left, y);
        if (r.right - 1 > r.left)
            dot(r.right - 1, y);
    }
    return TRUE;
}

BOOL FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr)
{
    std::shared_ptr<Brush> brush = brushArgument(hbr);
    return fillRegionWith(hdc, hrgn, brush.get(), R2_COPYPEN);
}

BOOL PaintRgn(HDC hdc, HRGN hrgn)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc)
        return FALSE;
    std::shared_ptr<Brush> brush = dc->state.brush;
    return fillRegionWith(hdc, hrgn, brush.get(), dc->state.rop2);
}

BOOL InvertRgn(HDC hdc, HRGN hrgn)
{
    Brush black;
    black.log = { BS_SOLID, 0, 0 };
    return fillRegionWith(hdc, hrgn, &black, R2_NOT);
}

// The frame is the region less the region shrunk by w horizontally and h vertically.
BOOL FrameRgn(HDC hdc, HRGN hrgn, HBRUSH hbr, int w, int h)
{
    std::shared_ptr<RegionObject> region = findRegion(hrgn);
    std::shared_ptr<Brush> brush = brushArgument(hbr);
    if (!region || !brush || w < 0 || h < 0)
        return FALSE;
    Region inner = region->region;
    for (POINT shift : { POINT { w, 0 }, POINT { -w, 0 }, POINT { 0, h }, POINT { 0, -h } }) {
        Region moved = region->region;
        moved.offset(shift.x, shift.y);
        inner.intersect(moved);
    }
    auto frame = std::make_shared<RegionObject>();
    frame->region = region->region.subtracted(inner);
    HRGN handle = static_cast<HRGN>(addObject(frame));
    BOOL ok = fillRegionWith(hdc, handle, brush.get(), R2_COPYPEN);
    DeleteObject(handle);
    return ok;
}
