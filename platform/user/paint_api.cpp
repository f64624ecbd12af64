// BeginPaint/EndPaint, invalidation and validation calls, UpdateWindow and RedrawWindow.
#include "platform/gdi/wingdi.h"
#include "platform/kernel/winbase.h"
#include "platform/user/paint_internal.h"

#include <cstring>

namespace platform::user {

namespace {

std::vector<Window*> affectedWindows(Window& w, bool children)
{
    std::vector<Window*> result { &w };
    if (children)
        for (size_t i = 0; i < result.size(); ++i)
            for (bool transparent : { false, true })
                for (Window* c : result[i]->children)
                    if (paintsAfterSiblings(*c) == transparent)
                        result.push_back(c);
    return result;
}

bool childrenAffected(const Window& w, UINT flags)
{
    if (flags & RDW_NOCHILDREN)
        return false;
    // A parent that does not clip its children paints over them, so they repaint too.
    return (flags & RDW_ALLCHILDREN) || !(w.style & WS_CLIPCHILDREN);
}

// Transparent siblings above the window show it through them: they paint again over the part of
// it that changed (`rootArea`, in its top-level window's coordinates).
void invalidateTransparentAbove(Window& w, const Region& rootArea, bool erase)
{
    if (!w.parent)
        return;
    for (Window* s : w.parent->children) {
        if (s == &w)
            break;
        if (!paintsAfterSiblings(*s))
            continue;
        const RECT client = clientRectInRoot(*s);
        Region hit = rootArea.intersected(Region(client));
        hit.offset(-client.left, -client.top);
        invalidateClient(*s, &hit, erase);
    }
}

void redraw(Window& w, const Region* area, UINT flags)
{
    RECT root = clientRectInRoot(w);
    Region rootArea = area ? *area : Region(RECT { 0, 0, w.client.right - w.client.left, w.client.bottom - w.client.top });
    rootArea.offset(root.left, root.top);
    for (Window* t : affectedWindows(w, childrenAffected(w, flags))) {
        RECT client = clientRectInRoot(*t);
        Region local = t == &w ? rootArea : rootArea.intersected(Region(windowRectInRoot(*t)));
        Region inClient = local.intersected(Region(client));
        inClient.offset(-client.left, -client.top);
        if (flags & RDW_INVALIDATE) {
            invalidateClient(*t, &inClient, (flags & RDW_ERASE) != 0);
            invalidateTransparentAbove(*t, local.intersected(Region(client)), (flags & RDW_ERASE) != 0);
            if ((flags & RDW_FRAME) && (t == &w || !local.isEmpty()))
                invalidateFrame(*t);
        }
        if (flags & RDW_INTERNALPAINT)
            t->internalPaint = isReallyVisible(*t);
        if (flags & RDW_VALIDATE) {
            t->update.subtract(inClient);
            if (flags & RDW_NOFRAME)
                t->framePending = false;
            if (flags & RDW_NOERASE)
                t->erasePending = false;
            if (t->update.isEmpty())
                t->erasePending = false;
        }
        if (flags & RDW_NOINTERNALPAINT)
            t->internalPaint = false;
        updatePaintCount(*t);
    }
}

} // namespace

void paintNow(HWND hwnd, bool children)
{
    std::vector<HWND> targets;
    {
        TreeLock lock;
        Window* w = peekWindow(hwnd);
        if (!w)
            return;
        for (Window* t : affectedWindows(*w, children))
            targets.push_back(t->handle);
    }
    for (HWND t : targets) {
        // A handler that never validates gets one WM_PAINT here, not an endless series.
        bool needs;
        {
            TreeLock lock;
            Window* w = peekWindow(t);
            needs = w && w->paintCounted;
        }
        if (needs)
            sendMessage(t, WM_PAINT, 0, 0);
    }
}

} // namespace platform::user

using namespace platform;
using namespace platform::user;

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT paint)
{
    if (!paint)
        return nullptr;
    bool frame;
    {
        TreeLock lock;
        Window* w = findWindow(hwnd);
        if (!w)
            return nullptr;
        frame = w->framePending;
        w->framePending = false;
        updatePaintCount(*w);
    }
    if (frame)
        sendMessage(hwnd, WM_NCPAINT, 1, 0);
    Region area;
    bool erase, clipChildren;
    {
        TreeLock lock;
        Window* w = findWindow(hwnd);
        if (!w)
            return nullptr;
        area = w->update;
        erase = w->erasePending;
        w->erasePending = false;
        w->internalPaint = false;
        clipChildren = (w->style & WS_CLIPCHILDREN) != 0;
        updatePaintCount(*w);
        // A window that does not clip its children paints over them, so those in the painted
        // area paint again after it, even when they were painted since it was invalidated.
        if (!clipChildren && !area.isEmpty()) {
            Region rootArea = area;
            const RECT client = clientRectInRoot(*w);
            rootArea.offset(client.left, client.top);
            invalidateChildrenIn(*w, rootArea);
        }
    }
    memset(paint, 0, sizeof(*paint));
    paint->rcPaint = area.bounds();
    HDC dc = openWindowDC(hwnd, false, &area, clipChildren);
    paint->hdc = dc;
    paint->fErase = erase ? TRUE : FALSE;
    // The update region is still reported while the background is erased; it is validated after.
    if (erase && dc)
        paint->fErase = sendMessage(hwnd, WM_ERASEBKGND, WPARAM(dc), 0) ? FALSE : TRUE;
    TreeLock lock;
    if (Window* w = peekWindow(hwnd)) {
        w->update.subtract(area);
        updatePaintCount(*w);
    }
    return dc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* paint)
{
    if (!paint || !paint->hdc)
        return FALSE;
    closeWindowDC(paint->hdc);
    return TRUE;
}

BOOL RedrawWindow(HWND hwnd, const RECT* update, HRGN region, UINT flags)
{
    Region area;
    bool haveArea = false;
    if (region) {
        if (!regionFromHandle(region, area))
            return FALSE;
        haveArea = true;
    } else if (update) {
        area = Region(*update);
        haveArea = true;
    }
    std::vector<HWND> targets;
    {
        TreeLock lock;
        if (!hwnd) {
            for (Window* top : windowSystem().topLevels)
                targets.push_back(top->handle);
            flags |= RDW_ALLCHILDREN;
            haveArea = false;
        } else {
            if (!findWindow(hwnd))
                return FALSE;
            targets.push_back(hwnd);
        }
        for (HWND t : targets)
            if (Window* w = peekWindow(t))
                redraw(*w, haveArea ? &area : nullptr, flags);
    }
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW))
        for (HWND t : targets)
            paintNow(t, !(flags & RDW_NOCHILDREN));
    return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase)
{
    return RedrawWindow(hwnd, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL InvalidateRgn(HWND hwnd, HRGN region, BOOL erase)
{
    return RedrawWindow(hwnd, nullptr, region, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND hwnd, const RECT* rect)
{
    return RedrawWindow(hwnd, rect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL ValidateRgn(HWND hwnd, HRGN region)
{
    return RedrawWindow(hwnd, nullptr, region, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL UpdateWindow(HWND hwnd)
{
    if (!IsWindow(hwnd)) {
        setInvalidWindowHandle();
        return FALSE;
    }
    paintNow(hwnd, true);
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase)
{
    Region area;
    bool pendingErase;
    {
        TreeLock lock;
        Window* w = findWindow(hwnd);
        if (!w)
            return FALSE;
        area = w->update;
        pendingErase = w->erasePending;
        if (erase)
            w->erasePending = false;
    }
    if (rect)
        *rect = area.isEmpty() ? RECT {} : area.bounds();
    if (erase && pendingErase && !area.isEmpty()) {
        if (HDC dc = openWindowDC(hwnd, false, &area, false)) {
            sendMessage(hwnd, WM_ERASEBKGND, WPARAM(dc), 0);
            closeWindowDC(dc);
        }
    }
    return area.isEmpty() ? FALSE : TRUE;
}

int GetUpdateRgn(HWND hwnd, HRGN region, BOOL)
{
    Region area;
    {
        TreeLock lock;
        Window* w = findWindow(hwnd);
        if (!w)
            return ERROR;
        area = w->update;
    }
    if (!storeRegionInHandle(area, region))
        return ERROR;
    switch (area.shape()) {
    case Region::Shape::Empty: return NULLREGION;
    case Region::Shape::Rectangle: return SIMPLEREGION;
    default: return COMPLEXREGION;
    }
}
