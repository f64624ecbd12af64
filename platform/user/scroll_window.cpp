// ScrollWindowEx: moves the pixels of a client area, shifts its pending update region and
// invalidates what the move uncovered.
#include "platform/gdi/wingdi.h"
#include "platform/user/paint_internal.h"

namespace platform::user {

namespace {

RECT intersect(const RECT& a, const RECT& b)
{
    RECT r { std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom) };
    if (r.right < r.left)
        r.right = r.left;
    if (r.bottom < r.top)
        r.bottom = r.top;
    return r;
}

RECT offsetBy(RECT r, int dx, int dy) { return { r.left + dx, r.top + dy, r.right + dx, r.bottom + dy }; }

// Copies through a scratch bitmap, so overlapping source and destination stay correct.
void movePixels(HWND hwnd, const RECT& destination, int dx, int dy, const RECT& clip)
{
    int width = destination.right - destination.left, height = destination.bottom - destination.top;
    if (width <= 0 || height <= 0)
        return;
    Region clipRegion(clip);
    HDC dc = openWindowDC(hwnd, false, &clipRegion, false);
    if (!dc)
        return;
    HDC scratch = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ old = SelectObject(scratch, bitmap);
    BitBlt(scratch, 0, 0, width, height, dc, destination.left - dx, destination.top - dy, SRCCOPY);
    BitBlt(dc, destination.left, destination.top, width, height, scratch, 0, 0, SRCCOPY);
    SelectObject(scratch, old);
    DeleteObject(bitmap);
    DeleteDC(scratch);
    closeWindowDC(dc);
}

} // namespace

} // namespace platform::user

using namespace platform;
using namespace platform::user;

int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update, LPRECT updateRect,
    UINT flags)
{
    RECT client;
    if (!GetClientRect(hwnd, &client))
        return ERROR;
    RECT source = scroll ? intersect(*scroll, client) : client;
    RECT bounds = clip ? intersect(*clip, client) : client;
    RECT destination = intersect(offsetBy(source, dx, dy), bounds);
    movePixels(hwnd, destination, dx, dy, bounds);

    // What was scrolled in from outside the source, and what the source left behind.
    Region exposed = Region(source).intersected(Region(bounds));
    exposed.subtract(Region(destination));
    Region moved;
    {
        TreeLock lock;
        Window* w = findWindow(hwnd);
        if (!w)
            return ERROR;
        // Pending updates inside the source travel with the pixels.
        Region inside = w->update.intersected(Region(source));
        if (!inside.isEmpty()) {
            w->update.subtract(inside);
            inside.offset(dx, dy);
            w->update.unite(inside.intersected(Region(bounds)));
        }
        if (flags & SW_INVALIDATE)
            invalidateClient(*w, &exposed, (flags & SW_ERASE) != 0);
        else
            updatePaintCount(*w);
    }
    if (flags & SW_SCROLLCHILDREN) {
        std::vector<std::pair<HWND, RECT>> children;
        {
            TreeLock lock;
            if (Window* w = peekWindow(hwnd))
                for (Window* c : w->children)
                    children.emplace_back(c->handle, c->rect);
        }
        for (auto& [child, r] : children)
            if (!scroll || intersect(r, source).right > intersect(r, source).left)
                SetWindowPos(child, nullptr, r.left + dx, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (updateRect)
        *updateRect = exposed.isEmpty() ? RECT {} : exposed.bounds();
    if (update && !storeRegionInHandle(exposed, update))
        return ERROR;
    switch (exposed.shape()) {
    case Region::Shape::Empty: return NULLREGION;
    case Region::Shape::Rectangle: return SIMPLEREGION;
    default: return COMPLEXREGION;
    }
}

BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip)
{
    return ScrollWindowEx(hwnd, dx, dy, scroll, clip, nullptr, nullptr,
               SW_INVALIDATE | SW_ERASE | (scroll ? 0 : SW_SCROLLCHILDREN)) != ERROR;
}
