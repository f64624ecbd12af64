// Minimised top-level windows on a desktop without a taskbar: each leaves a small caption along
// the bottom of the screen, a layer of its own below every window, which brings it back.
#include "platform/desktop/desktop.h"
#include "platform/gdi/dc_view.h"
#include "platform/user/input_sink.h"
#include "platform/user/nonclient.h"
#include "platform/user/window_state.h"

#include <algorithm>

namespace platform::user {

namespace {

uint64_t g_minimizedCount = 0;

bool wantsIcon(const Window& w)
{
    return !w.parent && !w.destroyed && !w.destroying && (w.style & WS_VISIBLE) && w.showState == ShowState::Minimized;
}

// The first place along the bottom that no other caption takes. Tree lock held.
RECT freeIconSlot(const Window& self)
{
    RECT work = theDesktop().workArea();
    int width = GetSystemMetrics(SM_CXMINIMIZED);
    int height = GetSystemMetrics(SM_CYMINIMIZED);
    for (int left = work.left;; left += width) {
        bool taken = false;
        for (Window* w : windowSystem().topLevels)
            taken = taken || (w != &self && w->iconLayer && w->iconRect.left == left);
        if (!taken || left + 2 * width > work.right)
            return { left, work.bottom - height, left + width, work.bottom };
    }
}

} // namespace

void dropMinimizedIcon(Window& w)
{
    if (w.iconLayer)
        theDesktop().removeLayer(w.iconLayer);
    w.iconLayer = 0;
}

void syncMinimizedIcon(HWND hwnd)
{
    std::string title;
    RECT slot {};
    {
        TreeLock lock;
        Window* w = peekWindow(hwnd);
        if (!w)
            return;
        if (!wantsIcon(*w)) {
            dropMinimizedIcon(*w);
            return;
        }
        if (w->iconLayer)
            return;
        title = w->text;
        slot = freeIconSlot(*w);
    }
    auto surface = std::make_shared<Surface>(slot.right - slot.left, slot.bottom - slot.top);
    HDC dc = gdi::createViewDC(surface, POINT {}, Region(RECT { 0, 0, surface->width(), surface->height() }), nullptr);
    paintMinimizedCaption(dc, RECT { 0, 0, surface->width(), surface->height() }, title);
    gdi::releaseViewDC(dc);
    TreeLock lock;
    Window* w = peekWindow(hwnd);
    if (!w || !wantsIcon(*w) || w->iconLayer)
        return;
    w->iconRect = slot;
    w->minPosition = { slot.left, slot.top };
    w->minimizedOrder = ++g_minimizedCount;
    desktop::LayerState state;
    state.surface = surface;
    state.screenRect = slot;
    state.visible = true;
    w->iconLayer = theDesktop().addLayer(state);
    syncLayerOrder();
}

HWND minimizedIconAt(POINT screen)
{
    TreeLock lock;
    for (Window* w : windowSystem().topLevels)
        if (w->iconLayer && PtInRect(&w->iconRect, screen))
            return w->handle;
    return nullptr;
}

std::vector<HWND> minimizedWindows()
{
    TreeLock lock;
    std::vector<Window*> shown;
    for (Window* w : windowSystem().topLevels)
        if (w->iconLayer)
            shown.push_back(w);
    std::sort(shown.begin(), shown.end(), [](Window* a, Window* b) { return a->minimizedOrder < b->minimizedOrder; });
    std::vector<HWND> handles;
    for (Window* w : shown)
        handles.push_back(w->handle);
    return handles;
}

bool nothingShownButIcons()
{
    TreeLock lock;
    auto& tops = windowSystem().topLevels;
    return std::none_of(tops.begin(), tops.end(), [](Window* w) {
        return (w->style & WS_VISIBLE) && w->showState != ShowState::Minimized && !w->destroyed;
    });
}

} // namespace platform::user
