// The compositor: layers in z-order onto the screen buffer, dirty rectangles only.
#include "platform/desktop/compositor.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <sys/mman.h>

namespace platform::desktop {

namespace {

bool sameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Asks for huge pages over the 2 MiB blocks inside the table, where the kernel gives them for the
// asking: a frame touches every page of the screen, and each 4 KiB page costs a translation.
void adviseHugePages(const void* table, size_t bytes)
{
    constexpr uintptr_t hugePage = uintptr_t(2) << 20;
    const uintptr_t begin = (uintptr_t(table) + hugePage - 1) & ~(hugePage - 1);
    const uintptr_t end = (uintptr_t(table) + bytes) & ~(hugePage - 1);
    if (begin < end)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

// The surfaces a compose reads, held together, taken in the order of their addresses. A painting
// thread holds one at a time, or two through std::lock, which lets go of both when it cannot have
// the second: neither can wait on a surface the compose holds while holding one it waits for.
class SurfaceLocks {
public:
    explicit SurfaceLocks(std::vector<std::recursive_mutex*> mutexes)
        : m_mutexes(std::move(mutexes))
    {
        std::sort(m_mutexes.begin(), m_mutexes.end());
        m_mutexes.erase(std::unique(m_mutexes.begin(), m_mutexes.end()), m_mutexes.end());
        for (std::recursive_mutex* m : m_mutexes)
            m->lock();
    }
    SurfaceLocks(const SurfaceLocks&) = delete;
    SurfaceLocks& operator=(const SurfaceLocks&) = delete;
    ~SurfaceLocks()
    {
        for (std::recursive_mutex* m : m_mutexes)
            m->unlock();
    }

private:
    std::vector<std::recursive_mutex*> m_mutexes;
};

} // namespace

Compositor::Compositor(SIZE size, uint32_t backgroundXrgb)
    : m_size(size)
    , m_backgroundRow(size_t(std::max<LONG>(size.cx, 0)), backgroundXrgb)
    , m_screen(makeZeroedTable<uint32_t>(size_t(std::max<LONG>(size.cx, 0)) * size_t(std::max<LONG>(size.cy, 0))))
{
    adviseHugePages(m_screen.get(), size_t(std::max<LONG>(size.cx, 0)) * size_t(std::max<LONG>(size.cy, 0)) * sizeof(uint32_t));
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
    // the layers below, so every pixel but those under a shaped layer is copied once and the
    // background fills only what no layer covers. A shaped layer hides nothing: what lies below shows around
    // its shape, so the layers below are drawn under its whole box and it is drawn over them.
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

    // The screen is written row after row, each row from every part crossing it: writing a large
    // buffer in order is far quicker than down one column of it after another. That needs every
    // surface held at once.
    std::vector<std::recursive_mutex*> mutexes;
    for (const Part& part : parts)
        mutexes.push_back(&part.layer->surface->mutex());
    const SurfaceLocks locks(std::move(mutexes));

    // Runs in drawing order: background first, then the parts bottom up.
    std::vector<Run> runs;
    uncovered.forEachRectIn(uncovered.bounds(), [&](const RECT& r) {
        runs.push_back({ r, m_backgroundRow.data() + r.left, 0 });
    });
    for (auto part = parts.rbegin(); part != parts.rend(); ++part) {
        const Layer& layer = *part->layer;
        const Surface& surface = *layer.surface;
        const LONG dx = layer.screenRect.left, dy = layer.screenRect.top;
        // The store may lag behind a resize; what it does not cover keeps what lies below.
        const RECT store = rectOffset(RECT { 0, 0, surface.width(), surface.height() }, dx, dy);
        const auto add = [&](const RECT& r) {
            runs.push_back({ r, surface.pixels() + size_t(r.top - dy) * surface.stride() + (r.left - dx), size_t(surface.stride()) });
        };
        part->area.forEachRectIn(rectIntersect(part->area.bounds(), store), [&](const RECT& r) {
            if (!layer.shape)
                return add(r);
            layer.shape->forEachRectIn(rectOffset(r, -dx, -dy), [&](const RECT& inWindow) { add(rectOffset(inWindow, dx, dy)); });
        });
    }
    drawRuns(runs);
}

void Compositor::drawRuns(const std::vector<Run>& runs)
{
    std::vector<const Run*> byTop;
    for (const Run& run : runs)
        byTop.push_back(&run);
    std::stable_sort(byTop.begin(), byTop.end(), [](const Run* a, const Run* b) { return a->rect.top < b->rect.top; });
    // The runs crossing the current rows, in drawing order (their order in `runs`).
    std::vector<const Run*> crossing;
    size_t next = 0;
    for (LONG y = 0;;) {
        if (crossing.empty()) {
            if (next == byTop.size())
                break;
            y = byTop[next]->rect.top;
        }
        for (; next < byTop.size() && byTop[next]->rect.top <= y; ++next)
            crossing.insert(std::upper_bound(crossing.begin(), crossing.end(), byTop[next]), byTop[next]);
        // The set stays the same until a run starts or ends.
        LONG until = next < byTop.size() ? byTop[next]->rect.top : std::numeric_limits<LONG>::max();
        for (const Run* run : crossing)
            until = std::min(until, run->rect.bottom);
        for (; y < until; ++y) {
            uint32_t* row = &m_screen[size_t(y) * m_size.cx];
            for (const Run* run : crossing)
                std::memcpy(row + run->rect.left, run->source + size_t(y - run->rect.top) * run->stride,
                    size_t(run->rect.right - run->rect.left) * sizeof(uint32_t));
        }
        std::erase_if(crossing, [y](const Run* run) { return run->rect.bottom <= y; });
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
