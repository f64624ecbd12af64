// Clipping: the DC's clip region (device coordinates) and the calls that set and query it.
#include "platform/gdi/dc.h"
#include "platform/gdi/wingdi.h"

using namespace platform;
using namespace platform::gdi;

namespace {

// "No clip region" behaves as a region covering every coordinate a DC can reach.
const RECT kEverything { -(1 << 28), -(1 << 28), 1 << 28, 1 << 28 };

// The clip area drawing actually sees, in device coordinates.
Region effectiveClip(DeviceContext& dc)
{
    Canvas canvas(dc);
    canvas.lock();
    Region clip = canvas.clip();
    POINT origin = deviceOrigin(dc);
    clip.offset(-origin.x, -origin.y);
    return clip;
}

RECT logicalToDevice(const DeviceContext& dc, int left, int top, int right, int bottom)
{
    POINT v = dc.state.viewportOrigin;
    return { left + v.x, top + v.y, right + v.x, bottom + v.y };
}

} // namespace

namespace platform::gdi {

int selectClipRegion(DeviceContext& dc, const Region* region, int mode)
{
    std::optional<Region>& clip = dc.state.clip;
    if (mode == RGN_COPY) {
        if (region)
            clip = *region;
        else
            clip.reset();
        return complexityOf(effectiveClip(dc));
    }
    if (!region)
        return ERROR;
    Region current = clip ? *clip : Region(kEverything);
    switch (mode) {
    case RGN_AND:
        current = current.intersected(*region);
        break;
    case RGN_OR:
        current = current.united(*region);
        break;
    case RGN_XOR:
        current = current.xored(*region);
        break;
    case RGN_DIFF:
        current = current.subtracted(*region);
        break;
    default:
        return ERROR;
    }
    clip = std::move(current);
    return complexityOf(effectiveClip(dc));
}

} // namespace platform::gdi

int ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc)
        return ERROR;
    std::shared_ptr<RegionObject> region = findRegion(hrgn);
    if (hrgn && !region)
        return ERROR;
    return selectClipRegion(*dc, region ? &region->region : nullptr, mode);
}

int SelectClipRgn(HDC hdc, HRGN hrgn) { return ExtSelectClipRgn(hdc, hrgn, RGN_COPY); }

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc)
        return ERROR;
    Region rect(logicalToDevice(*dc, left, top, right, bottom));
    return selectClipRegion(*dc, &rect, RGN_AND);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc)
        return ERROR;
    Region rect(logicalToDevice(*dc, left, top, right, bottom));
    return selectClipRegion(*dc, &rect, RGN_DIFF);
}

int OffsetClipRgn(HDC hdc, int x, int y)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc)
        return ERROR;
    if (dc->state.clip)
        dc->state.clip->offset(x, y);
    return complexityOf(effectiveClip(*dc));
}

int GetClipBox(HDC hdc, LPRECT lprect)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc || !lprect)
        return ERROR;
    Region clip = effectiveClip(*dc);
    RECT box = clip.bounds();
    POINT v = dc->state.viewportOrigin;
    *lprect = { box.left - v.x, box.top - v.y, box.right - v.x, box.bottom - v.y };
    return complexityOf(clip);
}

// 1 with a copy of the clip region, 0 when the DC has none, -1 on error.
int GetClipRgn(HDC hdc, HRGN hrgn)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    std::shared_ptr<RegionObject> region = findRegion(hrgn);
    if (!dc || !region)
        return -1;
    if (!dc->state.clip)
        return 0;
    region->region = *dc->state.clip;
    return 1;
}

BOOL PtVisible(HDC hdc, int x, int y)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc)
        return FALSE;
    RECT r = logicalToDevice(*dc, x, y, x, y);
    return effectiveClip(*dc).contains(r.left, r.top);
}

BOOL RectVisible(HDC hdc, const RECT* lprect)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc || !lprect)
        return FALSE;
    return effectiveClip(*dc).intersects(logicalToDevice(*dc, lprect->left, lprect->top, lprect->right, lprect->bottom));
}
