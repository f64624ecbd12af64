// Desktop layers of top-level windows: one backing store per top-level window, kept in step with
// the window's position, size, visibility, shape and z-order.
#include "platform/desktop/desktop.h"
#include "platform/gdi/surface.h"
#include "platform/user/input_sink.h"
#include "platform/user/window_state.h"

#include <algorithm>

namespace platform::user {

namespace {

desktop::LayerState layerState(const Window& top)
{
    desktop::LayerState state;
    state.surface = top.surface;
    state.screenRect = top.rect;
    state.visible = (top.style & WS_VISIBLE) && top.showState != ShowState::Minimized && !top.destroyed;
    state.shape = top.shape;
    return state;
}

} // namespace

desktop::Desktop& theDesktop()
{
    auto& desktop = desktop::Desktop::instance();
    connectInputSink(desktop);
    return desktop;
}

void attachLayer(Window& top)
{
    int width = std::max<int>(top.rect.right - top.rect.left, 0);
    int height = std::max<int>(top.rect.bottom - top.rect.top, 0);
    top.surface = std::make_shared<Surface>(width, height);
    top.layer = theDesktop().addLayer(layerState(top));
    syncLayerOrder();
}

void detachLayer(Window& top)
{
    if (top.layer)
        theDesktop().removeLayer(top.layer);
    top.layer = 0;
}

void refreshLayer(Window& top)
{
    if (!top.layer || !top.surface)
        return;
    int width = std::max<int>(top.rect.right - top.rect.left, 0);
    int height = std::max<int>(top.rect.bottom - top.rect.top, 0);
    if (top.surface->width() != width || top.surface->height() != height)
        top.surface->resize(width, height);
    theDesktop().updateLayer(top.layer, layerState(top));
}

void syncLayerOrder()
{
    auto& desktop = theDesktop();
    desktop::LayerId below = 0;
    auto& tops = windowSystem().topLevels;
    // The captions of minimised windows lie on the desktop, under every window.
    for (Window* w : tops)
        if (w->iconLayer) {
            desktop.placeLayer(w->iconLayer, below);
            below = w->iconLayer;
        }
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        if (!(*it)->layer)
            continue;
        desktop.placeLayer((*it)->layer, below);
        below = (*it)->layer;
    }
}

void presentRootArea(Window& root, const RECT& rootRect)
{
    if (root.layer && rootRect.left < rootRect.right && rootRect.top < rootRect.bottom)
        theDesktop().invalidateLayer(root.layer, rootRect);
}

} // namespace platform::user
