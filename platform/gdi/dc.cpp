// Device context table, default state, object selection and the per-call canvas.
#include "platform/gdi/dc.h"

#include "platform/gdi/wingdi.h"

namespace platform::gdi {

HandleTable<DeviceContext>& dcTable()
{
    static HandleTable<DeviceContext> table(HandleKind::DC);
    return table;
}

std::shared_ptr<DeviceContext> findDC(HDC dc) { return dcTable().get(handleValue(dc)); }

HDC addDC(std::shared_ptr<DeviceContext> dc) { return makeHandle<HDC>(dcTable().add(std::move(dc))); }

std::shared_ptr<DeviceContext> makeDC(DeviceContext::Kind kind)
{
    auto dc = std::make_shared<DeviceContext>();
    dc->kind = kind;
    DcState& s = dc->state;
    s.brushHandle = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    s.brush = findBrush(s.brushHandle);
    s.penHandle = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    s.pen = findPen(s.penHandle);
    s.fontHandle = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    s.font = findFont(s.fontHandle);
    s.paletteHandle = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    if (kind == DeviceContext::Kind::Memory)
        selectBitmap(*dc, defaultBitmap(), findBitmap(defaultBitmap()));
    return dc;
}

void selectBitmap(DeviceContext& dc, HBITMAP handle, std::shared_ptr<Bitmap> bitmap)
{
    if (dc.state.bitmap && !dc.state.bitmap->stock)
        --dc.state.bitmap->selectedCount;
    if (bitmap && !bitmap->stock)
        ++bitmap->selectedCount;
    dc.state.bitmapHandle = handle;
    dc.state.bitmap = std::move(bitmap);
}

void releaseState(DcState& state)
{
    if (state.bitmap && !state.bitmap->stock)
        --state.bitmap->selectedCount;
    state.bitmap.reset();
}

POINT deviceOrigin(const DeviceContext& dc)
{
    return dc.kind == DeviceContext::Kind::Memory ? POINT { 0, 0 } : dc.viewOrigin;
}

Canvas::Canvas(DeviceContext& dc)
{
    const DcState& s = dc.state;
    POINT origin = deviceOrigin(dc);
    m_offset = { origin.x + s.viewportOrigin.x, origin.y + s.viewportOrigin.y };
    if (dc.kind == DeviceContext::Kind::Memory) {
        m_bitmap = s.bitmap;
        if (m_bitmap)
            m_mutex = &m_bitmap->mutex;
    } else {
        m_surface = dc.surface;
        if (m_surface)
            m_mutex = &m_surface->mutex();
    }
    m_dc = &dc;
}

void Canvas::prepare()
{
    const DeviceContext& dc = *m_dc;
    RECT bounds {};
    if (m_bitmap) {
        m_buffer = m_bitmap->pixels;
        bounds = { 0, 0, m_buffer.width, m_buffer.height };
    } else if (m_surface) {
        m_buffer.format = PixelFormat::Xrgb32;
        m_buffer.width = m_surface->width();
        m_buffer.height = m_surface->height();
        m_buffer.bits = reinterpret_cast<uint8_t*>(m_surface->pixels());
        m_buffer.stride = size_t(m_surface->stride()) * 4;
        bounds = { 0, 0, m_buffer.width, m_buffer.height };
    }
    if (dc.viewClip) {
        // Usually the view's clip already lies inside the surface: no need to intersect.
        RECT v = dc.viewClip->bounds();
        bool inside = v.left >= bounds.left && v.top >= bounds.top && v.right <= bounds.right && v.bottom <= bounds.bottom;
        m_clip = inside ? *dc.viewClip : dc.viewClip->intersected(bounds);
    } else {
        m_clip = Region(bounds);
    }
    if (dc.state.clip) {
        Region clip = *dc.state.clip;
        POINT origin = deviceOrigin(dc);
        clip.offset(origin.x, origin.y);
        m_clip.intersect(clip);
    }
}

void Canvas::lock()
{
    if (m_mutex)
        m_lock = std::unique_lock(*m_mutex);
    prepare();
}

void Canvas::lockPair(Canvas& a, Canvas& b)
{
    if (a.m_mutex && b.m_mutex && a.m_mutex != b.m_mutex) {
        std::lock(*a.m_mutex, *b.m_mutex);
        a.m_lock = std::unique_lock(*a.m_mutex, std::adopt_lock);
        b.m_lock = std::unique_lock(*b.m_mutex, std::adopt_lock);
        a.prepare();
        b.prepare();
        return;
    }
    a.lock();
    b.lock();
}

Pattern brushPattern(const DeviceContext& dc, const Brush* brush, std::vector<uint32_t>& storage)
{
    Pattern pattern;
    if (!brush || brush->log.lbStyle == BS_NULL) {
        pattern.hollow = true;
        return pattern;
    }
    POINT origin = deviceOrigin(dc);
    pattern.originX = origin.x + dc.state.brushOrigin.x;
    pattern.originY = origin.y + dc.state.brushOrigin.y;
    uint32_t text = colorrefToXrgb(dc.state.textColour);
    uint32_t background = colorrefToXrgb(dc.state.bkColour);
    switch (brush->log.lbStyle) {
    case BS_HATCHED: {
        uint32_t ink = colorrefToXrgb(brush->log.lbColor);
        storage.resize(64);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                bool on = false;
                switch (brush->log.lbHatch) {
                case HS_HORIZONTAL:
                    on = y == 0;
                    break;
                case HS_VERTICAL:
                    on = x == 0;
                    break;
                case HS_FDIAGONAL:
                    on = x == y;
                    break;
                case HS_BDIAGONAL:
                    on = x + y == 7;
                    break;
                case HS_CROSS:
                    on = x == 0 || y == 0;
                    break;
                default:
                    on = x == y || x + y == 7;
                    break;
                }
                storage[size_t(y * 8 + x)] = on ? ink : background;
            }
        pattern.pixels = storage.data();
        pattern.width = pattern.height = 8;
        break;
    }
    case BS_PATTERN:
        if (brush->monoPattern) {
            storage.resize(brush->pattern.size());
            for (size_t i = 0; i < storage.size(); ++i)
                storage[i] = brush->pattern[i] ? background : text;
            pattern.pixels = storage.data();
        } else {
            pattern.pixels = brush->pattern.data();
        }
        pattern.width = brush->patternWidth;
        pattern.height = brush->patternHeight;
        break;
    default:
        pattern.solid = colorrefToXrgb(brush->log.lbColor);
        break;
    }
    return pattern;
}

BlitColours blitColours(const DeviceContext& dest, const DeviceContext* source)
{
    BlitColours colours;
    colours.destText = colorrefToXrgb(dest.state.textColour);
    colours.destBackground = colorrefToXrgb(dest.state.bkColour);
    colours.sourceBackground = source ? colorrefToXrgb(source->state.bkColour) : 0xFFFFFF;
    return colours;
}

} // namespace platform::gdi
