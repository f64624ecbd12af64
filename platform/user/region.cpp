// Window regions (shaped windows) and conversions between GDI region handles and regions.
#include "platform/gdi/wingdi.h"
#include "platform/kernel/winbase.h"
#include "platform/user/paint_internal.h"

#include <cstring>
#include <vector>

namespace platform::user {

bool regionFromHandle(HRGN handle, Region& out)
{
    DWORD size = GetRegionData(handle, 0, nullptr);
    if (size < sizeof(RGNDATAHEADER))
        return false;
    std::vector<char> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (GetRegionData(handle, size, data) == 0)
        return false;
    size_t available = (size - sizeof(RGNDATAHEADER)) / sizeof(RECT);
    size_t count = std::min<size_t>(data->rdh.nCount, available);
    std::vector<RECT> rects(count);
    memcpy(rects.data(), buffer.data() + sizeof(RGNDATAHEADER), count * sizeof(RECT));
    out = Region::fromRects(rects);
    return true;
}

HRGN handleFromRegion(const Region& region)
{
    std::vector<RECT> rects = region.rects();
    std::vector<char> buffer(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = DWORD(rects.size());
    data->rdh.nRgnSize = DWORD(rects.size() * sizeof(RECT));
    data->rdh.rcBound = region.isEmpty() ? RECT {} : region.bounds();
    if (!rects.empty())
        memcpy(buffer.data() + sizeof(RGNDATAHEADER), rects.data(), rects.size() * sizeof(RECT));
    return ExtCreateRegion(nullptr, DWORD(buffer.size()), data);
}

bool storeRegionInHandle(const Region& region, HRGN handle)
{
    HRGN copy = handleFromRegion(region);
    if (!copy)
        return false;
    bool ok = CombineRgn(handle, copy, nullptr, RGN_COPY) != ERROR;
    DeleteObject(copy);
    return ok;
}

} // namespace platform::user

using namespace platform;
using namespace platform::user;

int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw)
{
    Region shape;
    if (region && !regionFromHandle(region, shape))
        return 0;
    {
        TreeLock lock;
        Window* w = findWindow(hwnd);
        if (!w)
            return 0;
        if (region)
            w->shape = shape;
        else
            w->shape.reset();
        if (!w->parent)
            refreshLayer(*w);
        if (redraw)
            invalidateRootArea(*rootOf(*w), Region(windowRectInRoot(*w)));
    }
    // The system owns the region from now on.
    if (region)
        DeleteObject(region);
    return 1;
}

int GetWindowRgn(HWND hwnd, HRGN region)
{
    Region shape;
    {
        TreeLock lock;
        Window* w = findWindow(hwnd);
        if (!w || !w->shape)
            return ERROR;
        shape = *w->shape;
    }
    if (!storeRegionInHandle(shape, region))
        return ERROR;
    switch (shape.shape()) {
    case Region::Shape::Empty: return NULLREGION;
    case Region::Shape::Rectangle: return SIMPLEREGION;
    default: return COMPLEXREGION;
    }
}
