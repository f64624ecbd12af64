// The compositor: layers in z-order onto the screen buffer, dirty rectangles only.
#include "platform/desktop/compositor.h"

#include <algorithm>
#include <cstring>

namespace platform::desktop {

namespace {

bool sameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace

Compositor::Compositor(SIZE size, uint32_t backgroundXrgb)
    : m_size(size)
    , m_background(backgroundXrgb)
    , m_screen(makeZeroedTable<uint32_t>(size_t(std::max<LONG>(size.cx, 0)) * size_t(std::max<LONG>(size.cy, 0))))
{
    // The first compose lays the background where no window covers it; until the screen is read,
    // its memory is not touched.
    m_dirty.add(RECT { 0, 0, size.cx, size.cy });
}

Compositor::Layer* Compositor::find(LayerId layer)
{
    for (Layer& l : m_layers)
        if (l.id == layer)
            return &l;
    return nullptr;
}

void Compositor::invalidateLayerArea(const Layer& layer)
{
    if (layer.visible)
        m_dirty.add(rectIntersect(layer.screenRect, RECT { 0, 0, m_size.cx, m_size.cy }));
}

LayerId Compositor::addLayer(const LayerState& state)
{
    std::lock_guard lock(m_mutex);
    Layer layer;
    layer.id = m_nextId++;
    layer.surface = state.surface;
    layer.screenRect = state.screenRect;
    layer.visible = state.visible;
    if (state.shape)
        layer.shape = std::make_shared<const Region>(*state.shape);
    m_layers.push_back(layer);
    invalidateLayerArea(m_layers.back());
    return layer.id;
}

void Compositor::removeLayer(LayerId id)
{
    std::lock_guard lock(m_mutex);
    auto it = std::find_if(m_layers.begin(), m_layers.end(), [id](const Layer& l) { return l.id == id; });
    if (it == m_layers.end())
        return;
    invalidateLayerArea(*it);
    m_layers.erase(it);
}

void Compositor::updateLayer(LayerId id, const LayerState& state)
{
    std::lock_guard lock(m_mutex);
    Layer* layer = find(id);
    if (!layer)
        return;
    bool sameShape = layer->shape ? (state.shape && *layer->shape == *state.shape) : !state.shape;
    bool unchanged = layer->surface == state.surface && sameRect(layer->screenRect, state.screenRect)
        && layer->visible == state.visible && sameShape;
    if (unchanged)
        return;
    invalidateLayerArea(*layer);
    layer->surface = state.surface;
    layer->screenRect = state.screenRect;
    layer->visible = state.visible;
    layer->shape = state.shape ? std::make_shared<const Region>(*state.shape) : nullptr;
    invalidateLayerArea(*layer);
}

void Compositor::placeLayer(LayerId id, LayerId below)
{
    std::lock_guard lock(m_mutex);
    auto it = std::find_if(m_layers.begin(), m_layers.end(), [id](const Layer& l) { return l.id == id; });
    if (it == m_layers.end() || id == below)
        return;
    // The window system restacks every layer after each change; one already in place stays clean.
    bool inPlace = below == ~0u ? it + 1 == m_layers.end()
        : below == 0            ? it == m_layers.begin()
                                : it != m_layers.begin() && (it - 1)->id == below;
    if (inPlace)
        return;
    Layer moved = *it;
    m_layers.erase(it);
    if (below == ~0u) {
        m_layers.push_back(moved);
    } else if (below == 0) {
        m_layers.insert(m_layers.begin(), moved);
    } else {
        auto anchor = std::find_if(m_layers.begin(), m_layers.end(), [below](const Layer& l) { return l.id == below; });
        m_layers.insert(anchor == m_layers.end() ? m_layers.end() : anchor + 1, moved);
    }
    invalidateLayerArea(moved);
}

void Compositor::invalidateLayer(LayerId id, const RECT& windowRect)
{
    std::lock_guard lock(m_mutex);
    Layer* layer = find(id);
    if (!layer || !layer->visible)
        return;
    RECT onScreen = rectOffset(windowRect, layer->screenRect.left, layer->screenRect.top);
    onScreen = rectIntersect(onScreen, layer->screenRect);
    m_dirty.add(rectIntersect(onScreen, RECT { 0, 0, m_size.cx, m_size.cy }));
}

void Compositor::invalidateScreen(const RECT& screenRect)
{
    std::lock_guard lock(m_mutex);
    m_dirty.add(rectIntersect(screenRect, RECT { 0, 0, m_size.cx, m_size.cy }));
}

bool Compositor::hasDirty() const
{
    std::lock_guard lock(m_mutex);
    return !m_dirty.empty();
}

std::vector<LayerId> Compositor::zOrder() const
{
    std::lock_guard lock(m_mutex);
    std::vector<LayerId> ids;
    for (const Layer& l : m_layers)
        ids.push_back(l.id);
    return ids;
}

std::vector<RECT> Compositor::compose()
{
    std::lock_guard screenLock(m_screenMutex);
    std::vector<RECT> dirty;
    std::vector<Layer> layers;
    {
        // Never hold the layer mutex while taking a surface's: a painting thread may invalidate
        // while it holds its surface.
        std::lock_guard lock(m_mutex);
        dirty = m_dirty.take();
        if (dirty.empty())
            return dirty;
        for (const Layer& l : m_layers)
            if (l.visible && l.surface && !rectIsEmpty(l.screenRect))
                layers.push_back(l);
    }
    for (Layer& l : layers) {
        std::lock_guard lock(l.surface->mutex());
        RECT store { 0, 0, l.surface->width(), l.surface->height() };
        l.storeRect = rectIntersect(rectOffset(store, l.screenRect.left, l.screenRect.top), l.screenRect);
    }
    composeArea(Region::fromRects(dirty), layers);
    return dirty;
}

void Compositor::composeArea(Region uncovered, const std::vector<Layer>& layers)
{
    // Top down, each unshaped layer takes what is still uncovered of its store and hides it from
    // the layers below, so every pixel is copied once and the background fills only what no layer
    // covers. A shaped layer hides nothing: what lies below shows around its shape, so the layers
    // below are drawn under its whole box and it is drawn over them.
    struct Part {
        const Layer* layer;
        Region area;
    };
    std::vector<Part> parts;
    for (size_t i = layers.size(); i-- > 0 && !uncovered.isEmpty();) {
        const Layer& layer = layers[i];
        const RECT box = layer.shape ? rectIntersect(layer.storeRect, rectOffset(layer.shape->bounds(),
                                           layer.screenRect.left, layer.screenRect.top))
                                     : layer.storeRect;
        if (rectIsEmpty(box) || !uncovered.intersects(box))
            continue;
        parts.push_back({ &layer, uncovered.intersected(box) });
        if (!layer.shape)
            uncovered.subtract(Region(box));
    }
    uncovered.forEachRectIn(uncovered.bounds(), [&](const RECT& r) {
        // One row filled, the others copied from it: a copy moves far more pixels per step.
        const size_t width = size_t(r.right - r.left);
        uint32_t* first = &m_screen[size_t(r.top) * m_size.cx + r.left];
        std::fill_n(first, width, m_background);
        for (LONG y = r.top + 1; y < r.bottom; ++y)
            std::memcpy(&m_screen[size_t(y) * m_size.cx + r.left], first, width * sizeof(uint32_t));
    });
    for (auto part = parts.rbegin(); part != parts.rend(); ++part) {
        const Layer& layer = *part->layer;
        part->area.forEachRectIn(part->area.bounds(), [&](const RECT& r) {
            if (!layer.shape) {
                blitLayer(layer, r);
                return;
            }
            const LONG dx = layer.screenRect.left, dy = layer.screenRect.top;
            layer.shape->forEachRectIn(rectOffset(r, -dx, -dy), [&](const RECT& inWindow) { blitLayer(layer, rectOffset(inWindow, dx, dy)); });
        });
    }
}

void Compositor::blitLayer(const Layer& layer, const RECT& screenPart)
{
    Surface& surface = *layer.surface;
    std::lock_guard lock(surface.mutex());
    // The store may lag behind a resize; what it does not cover keeps what lies below.
    RECT store = rectOffset(RECT { 0, 0, surface.width(), surface.height() }, layer.screenRect.left, layer.screenRect.top);
    RECT part = rectIntersect(screenPart, store);
    if (rectIsEmpty(part))
        return;
    const uint32_t* pixels = surface.pixels();
    size_t stride = surface.stride();
    size_t width = size_t(part.right - part.left);
    for (LONG y = part.top; y < part.bottom; ++y) {
        const uint32_t* source = pixels + size_t(y - layer.screenRect.top) * stride + (part.left - layer.screenRect.left);
        std::memcpy(&m_screen[size_t(y) * m_size.cx + part.left], source, width * sizeof(uint32_t));
    }
}

void Compositor::withScreen(const std::function<void(const uint32_t* pixels)>& f) const
{
    std::lock_guard lock(m_screenMutex);
    f(m_screen.get());
}

std::vector<uint32_t> Compositor::copyScreen(const RECT& screenRect)
{
    compose();
    RECT r = rectIntersect(screenRect, RECT { 0, 0, m_size.cx, m_size.cy });
    std::vector<uint32_t> out;
    if (rectIsEmpty(r))
        return out;
    out.reserve(size_t(rectArea(r)));
    std::lock_guard lock(m_screenMutex);
    for (LONG y = r.top; y < r.bottom; ++y) {
        const uint32_t* row = &m_screen[size_t(y) * m_size.cx];
        out.insert(out.end(), row + r.left, row + r.right);
    }
    return out;
}

} // namespace platform::desktop
