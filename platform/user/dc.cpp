// Window device contexts: views into the top-level window's backing store, clipped to the
// window's visible area, usable from any thread.
#include "platform/gdi/dc_view.h"
#include "platform/gdi/wingdi.h"
#include "platform/kernel/winbase.h"
#include "platform/user/paint_internal.h"

#include <unordered_map>

namespace platform::user {

namespace {

struct OpenDC {
    HWND root = nullptr;
    RECT bounds {};   // root coordinates: what drawing through the DC may have changed
};

std::mutex g_dcMutex;
std::unordered_map<HDC, OpenDC>& openDCs()
{
    static auto* map = new std::unordered_map<HDC, OpenDC>();
    return *map;
}

} // namespace

HDC openWindowDC(HWND hwnd, bool wholeWindow, const Region* clip, bool clipChildren)
{
    TreeLock lock;
    Window* w = findWindow(hwnd);
    if (!w)
        return nullptr;
    Window* root = rootOf(*w);
    if (!root->surface)
        return nullptr;
    Region visible = visibleRegion(*w, !wholeWindow, clipChildren);
    RECT base = wholeWindow ? windowRectInRoot(*w) : clientRectInRoot(*w);
    if (clip) {
        Region c = *clip;
        c.offset(base.left, base.top);
        visible.intersect(c);
    }
    HDC dc = gdi::createViewDC(root->surface, POINT { base.left, base.top }, visible, hwnd);
    if (dc) {
        std::lock_guard dcLock(g_dcMutex);
        openDCs()[dc] = OpenDC { root->handle, visible.bounds() };
    }
    return dc;
}

bool closeWindowDC(HDC dc)
{
    OpenDC record;
    {
        std::lock_guard dcLock(g_dcMutex);
        auto it = openDCs().find(dc);
        if (it == openDCs().end())
            return false;
        record = it->second;
        openDCs().erase(it);
    }
    if (!record.root)
        return DeleteDC(dc) != FALSE;   // a screen DC
    gdi::releaseViewDC(dc);
    TreeLock lock;
    if (Window* root = peekWindow(record.root))
        presentRootArea(*root, record.bounds);
    return true;
}

HDC openScreenDC()
{
    HDC dc = gdi::createScreenDC();
    if (dc) {
        std::lock_guard dcLock(g_dcMutex);
        openDCs()[dc] = OpenDC {};
    }
    return dc;
}

} // namespace platform::user

using namespace platform;
using namespace platform::user;

HDC GetDC(HWND hwnd)
{
    if (!hwnd)
        return openScreenDC();
    bool clipChildren;
    {
        TreeLock lock;
        Window* w = findWindow(hwnd);
        if (!w)
            return nullptr;
        clipChildren = (w->style & WS_CLIPCHILDREN) != 0;
    }
    return openWindowDC(hwnd, false, nullptr, clipChildren);
}

HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags)
{
    if (!hwnd)
        return openScreenDC();
    bool clipChildren = (flags & DCX_CLIPCHILDREN) != 0;
    {
        TreeLock lock;
        Window* w = findWindow(hwnd);
        if (!w)
            return nullptr;
        if (!(flags & (DCX_CLIPCHILDREN)) && (w->style & WS_CLIPCHILDREN))
            clipChildren = true;
    }
    platform::Region region;
    bool haveClip = false;
    if (clip && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
        if (!regionFromHandle(clip, region))
            return nullptr;
        haveClip = true;
        if (flags & DCX_EXCLUDERGN) {
            TreeLock lock;
            Window* w = findWindow(hwnd);
            if (!w)
                return nullptr;
            RECT all = (flags & DCX_WINDOW)
                ? RECT { 0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top }
                : RECT { 0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top };
            region = platform::Region(all).subtracted(region);
        }
    }
    return openWindowDC(hwnd, (flags & DCX_WINDOW) != 0, haveClip ? &region : nullptr, clipChildren);
}

HDC GetWindowDC(HWND hwnd)
{
    if (!hwnd)
        return openScreenDC();
    return openWindowDC(hwnd, true, nullptr, false);
}

int ReleaseDC(HWND, HDC dc)
{
    return closeWindowDC(dc) ? 1 : 0;
}

HWND WindowFromDC(HDC dc) { return platform::gdi::windowOfDC(dc); }
