// Update regions: invalidation, validation, visible areas, and which window paints next.
#include "platform/user/paint_internal.h"
#include "platform/user/window_state.h"

namespace platform::user {

RECT windowRectInRoot(const Window& w)
{
    const Window* root = &w;
    while (root->parent)
        root = root->parent;
    POINT o = windowOrigin(w);
    POINT r = windowOrigin(*root);
    LONG x = o.x - r.x, y = o.y - r.y;
    return { x, y, x + (w.rect.right - w.rect.left), y + (w.rect.bottom - w.rect.top) };
}

RECT clientRectInRoot(const Window& w)
{
    RECT wr = windowRectInRoot(w);
    return { wr.left + w.client.left, wr.top + w.client.top, wr.left + w.client.right, wr.top + w.client.bottom };
}

Region visibleRegion(const Window& w, bool clientOnly, bool clipChildren)
{
    if (!isReallyVisible(w))
        return {};
    Region area(clientOnly ? clientRectInRoot(w) : windowRectInRoot(w));
    for (const Window* c = &w; c->parent; c = c->parent) {
        const Window* p = c->parent;
        area.intersect(Region(clientRectInRoot(*p)));
        // Siblings above cover this window, except transparent ones (group boxes) that show
        // the siblings beneath them.
        for (const Window* s : p->children) {
            if (s == c)
                break;
            if ((s->style & WS_VISIBLE) && !(s->exStyle & WS_EX_TRANSPARENT))
                area.subtract(Region(windowRectInRoot(*s)));
        }
    }
    if (clipChildren)
        for (const Window* child : w.children)
            if (child->style & WS_VISIBLE)
                area.subtract(Region(windowRectInRoot(*child)));
    // Shapes of the window and its ancestors, each in its own window coordinates.
    for (const Window* c = &w; c; c = c->parent)
        if (c->shape) {
            RECT wr = windowRectInRoot(*c);
            Region shape = *c->shape;
            shape.offset(wr.left, wr.top);
            area.intersect(shape);
        }
    return area;
}

void updatePaintCount(Window& w)
{
    bool needs = !w.update.isEmpty() || w.framePending || w.internalPaint;
    if (w.destroyed)
        needs = false;
    if (needs == w.paintCounted)
        return;
    w.paintCounted = needs;
    w.queue->onPaintPending(needs ? 1 : -1);
}

void invalidateClient(Window& w, const Region* clientArea, bool erase)
{
    if (!isReallyVisible(w))
        return;
    RECT bounds { 0, 0, w.client.right - w.client.left, w.client.bottom - w.client.top };
    Region area = clientArea ? clientArea->intersected(bounds) : Region(bounds);
    if (area.isEmpty())
        return;
    w.update.unite(area);
    if (erase)
        w.erasePending = true;
    updatePaintCount(w);
}

void invalidateFrame(Window& w)
{
    if (!isReallyVisible(w))
        return;
    RECT c = w.client;
    if (c.left == 0 && c.top == 0 && c.right == w.rect.right - w.rect.left && c.bottom == w.rect.bottom - w.rect.top)
        return;   // no non-client area
    w.framePending = true;
    updatePaintCount(w);
}

static void invalidateAreaIn(Window& w, const Region& rootArea)
{
    if (!isReallyVisible(w))
        return;
    Region hit = visibleRegion(w, false, false).intersected(rootArea);
    if (!hit.isEmpty()) {
        RECT client = clientRectInRoot(w);
        if (!Region(client).containsRect(hit.bounds()))
            invalidateFrame(w);
        Region inside = hit.intersected(client);
        inside.offset(-client.left, -client.top);
        invalidateClient(w, &inside, true);
    }
    for (Window* child : w.children)
        invalidateAreaIn(*child, rootArea);
}

void invalidateRootArea(Window& root, const Region& rootArea) { invalidateAreaIn(root, rootArea); }

void invalidateChildrenIn(Window& w, const Region& rootArea)
{
    for (Window* child : w.children)
        invalidateAreaIn(*child, rootArea);
}

void invalidateWhole(Window& w) { invalidateAreaIn(w, Region(windowRectInRoot(w))); }

void clearPaintState(Window& w)
{
    w.update.clear();
    w.erasePending = false;
    w.framePending = false;
    w.internalPaint = false;
    updatePaintCount(w);
}

void clearPaintStateTree(Window& w)
{
    clearPaintState(w);
    for (Window* child : w.children)
        clearPaintStateTree(*child);
}

static Window* firstToPaint(Window& w, DWORD threadId, Window* filter)
{
    if (w.threadId == threadId && w.paintCounted && (!filter || &w == filter || isDescendant(*filter, w)))
        return &w;
    for (bool transparent : { false, true })
        for (Window* child : w.children)
            if (paintsAfterSiblings(*child) == transparent)
                if (Window* found = firstToPaint(*child, threadId, filter))
                    return found;
    return nullptr;
}

static HWND findCandidate(DWORD threadId, HWND filter, HWND& frameOnly)
{
    TreeLock lock;
    Window* filterWindow = nullptr;
    if (filter && filter != (HWND)-1) {
        filterWindow = peekWindow(filter);
        if (!filterWindow)
            return nullptr;
    } else if (filter == (HWND)-1) {
        return nullptr;
    }
    for (Window* top : windowSystem().topLevels)
        if (Window* found = firstToPaint(*top, threadId, filterWindow)) {
            if (found->update.isEmpty() && !found->internalPaint) {
                found->framePending = false;
                updatePaintCount(*found);
                frameOnly = found->handle;
            }
            return found->handle;
        }
    return nullptr;
}

HWND findWindowToPaint(DWORD threadId, HWND filter)
{
    for (;;) {
        HWND frameOnly = nullptr;
        HWND found = findCandidate(threadId, filter, frameOnly);
        if (!frameOnly)
            return found;
        // Only the frame is dirty: it is drawn now, and no WM_PAINT goes out for it.
        sendMessage(frameOnly, WM_NCPAINT, 1, 0);
    }
}

} // namespace platform::user
