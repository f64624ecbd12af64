// Blt and BltFast of DirectDraw-style surfaces: copies between surfaces through the GDI blit core,
// and presentation on the primary surface through the clipper window's DC.
#include "platform/gdi/blit.h"
#include "platform/gdi/wingdi.h"
#include "platform/media/ddraw_surface.h"
#include "platform/user/winuser.h"

#include <cstring>
#include <vector>

namespace platform::ddraw {
namespace {

constexpr DWORD kPatCopy = 0x00F00021;

uint32_t pixelToXrgb(gdi::PixelFormat format, DWORD value)
{
    uint8_t raw[4];
    std::memcpy(raw, &value, 4);
    gdi::PixelBuffer one;
    one.format = format;
    one.width = 1;
    one.height = 1;
    one.bits = raw;
    one.stride = 4;
    return gdi::readPixel(one, 0, 0);
}

bool wellFormed(const RECT& r) { return r.left <= r.right && r.top <= r.bottom; }

bool empty(const RECT& r) { return r.left == r.right || r.top == r.bottom; }

} // namespace

HRESULT Surface::BltFast(DWORD x, DWORD y, IDirectDrawSurface7* source, LPRECT sourceRect, DWORD flags)
{
    Surface* from = static_cast<Surface*>(source);
    if (!from)
        return DDERR_INVALIDPARAMS;
    if (primary() || from->primary() || (flags & DDBLTFAST_DESTCOLORKEY))
        return DDERR_UNSUPPORTED;
    RECT area = sourceRect ? *sourceRect : RECT { 0, 0, from->width(), from->height() };
    if (!wellFormed(area))
        return DDERR_INVALIDRECT;
    RECT dest { LONG(x), LONG(y), LONG(x) + (area.right - area.left), LONG(y) + (area.bottom - area.top) };
    return blitFrom(*from, dest, area, (flags & DDBLTFAST_SRCCOLORKEY) != 0);
}

HRESULT Surface::Blt(LPRECT destRect, IDirectDrawSurface7* source, LPRECT sourceRect, DWORD flags, LPDDBLTFX fx)
{
    constexpr DWORD kHandled = DDBLT_COLORFILL | DDBLT_KEYSRC | DDBLT_WAIT | DDBLT_DONOTWAIT | DDBLT_ASYNC;
    if (flags & ~kHandled)
        return DDERR_UNSUPPORTED;
    Surface* from = static_cast<Surface*>(source);
    bool filling = (flags & DDBLT_COLORFILL) != 0;
    if (filling ? (!fx || fx->dwSize != sizeof(DDBLTFX)) : !from)
        return DDERR_INVALIDPARAMS;
    if (!filling && from->primary())
        return DDERR_UNSUPPORTED;
    RECT area {};
    if (!filling)
        area = sourceRect ? *sourceRect : RECT { 0, 0, from->width(), from->height() };
    if (!wellFormed(area) || (destRect && !wellFormed(*destRect)))
        return DDERR_INVALIDRECT;
    if (primary()) {
        std::optional<HWND> clipped = clipperWindow();
        if (!clipped)
            return DDERR_NOCLIPPERATTACHED;
        HWND window = *clipped;
        if (!IsWindow(window))
            return DDERR_NOCLIPLIST;
        RECT dest;
        if (destRect) {
            dest = *destRect;
        } else {
            GetClientRect(window, &dest);
            MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&dest), 2);
        }
        return bltToWindow(window, dest, filling ? nullptr : from, area, flags, filling ? fx->dwFillColor : 0);
    }
    RECT dest = destRect ? *destRect : RECT { 0, 0, width(), height() };
    if (filling)
        return fill(dest, fx->dwFillColor);
    return blitFrom(*from, dest, area, (flags & DDBLT_KEYSRC) != 0);
}

// Both rectangles are clipped to their surfaces by the blit core; a source without a key is
// copied whole even when a keyed blit is asked for.
HRESULT Surface::blitFrom(Surface& source, const RECT& dest, const RECT& from, bool keyed)
{
    if (busy() || (&source != this && source.busy()))
        return DDERR_SURFACEBUSY;
    if (empty(dest) || empty(from))
        return DD_OK;
    std::optional<uint32_t> key = keyed ? source.sourceKey() : std::nullopt;
    gdi::BlitRequest request;
    request.dest = &m_pixels->pixels;
    request.destX = dest.left;
    request.destY = dest.top;
    request.destWidth = dest.right - dest.left;
    request.destHeight = dest.bottom - dest.top;
    request.sourceX = from.left;
    request.sourceY = from.top;
    request.sourceWidth = from.right - from.left;
    request.sourceHeight = from.bottom - from.top;
    request.transparent = key;
    if (&source == this) {
        // Overlapping copies within one surface read from a snapshot of the pixels.
        std::lock_guard lock(m_pixels->mutex);
        const gdi::PixelBuffer& own = m_pixels->pixels;
        std::vector<uint8_t> snapshot(own.bits, own.bits + own.stride * size_t(own.height));
        gdi::PixelBuffer copy = own;
        copy.bits = snapshot.data();
        request.source = &copy;
        gdi::blit(request);
        return DD_OK;
    }
    std::scoped_lock lock(m_pixels->mutex, source.m_pixels->mutex);
    request.source = &source.m_pixels->pixels;
    gdi::blit(request);
    return DD_OK;
}

HRESULT Surface::fill(const RECT& dest, DWORD pixel)
{
    if (busy())
        return DDERR_SURFACEBUSY;
    gdi::Pattern pattern;
    pattern.solid = pixelToXrgb(m_pixels->pixels.format, pixel);
    gdi::BlitRequest request;
    request.dest = &m_pixels->pixels;
    request.destX = dest.left;
    request.destY = dest.top;
    request.destWidth = dest.right - dest.left;
    request.destHeight = dest.bottom - dest.top;
    request.rop = kPatCopy;
    request.pattern = &pattern;
    std::lock_guard lock(m_pixels->mutex);
    gdi::blit(request);
    return DD_OK;
}

// The window DC clips to the visible client area; releasing it puts the pixels on the screen.
HRESULT Surface::bltToWindow(HWND window, const RECT& screenDest, Surface* source, const RECT& from, DWORD flags,
    DWORD fillPixel)
{
    if (source && source->busy())
        return DDERR_SURFACEBUSY;
    RECT dest = screenDest;
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&dest), 2);
    HDC target = ::GetDC(window);
    if (!target)
        return DDERR_NOCLIPLIST;
    HRESULT result = DD_OK;
    if (!source) {
        HBRUSH brush = CreateSolidBrush(gdi::xrgbToColorref(pixelToXrgb(gdi::PixelFormat::Xrgb32, fillPixel)));
        FillRect(target, &dest, brush);
        DeleteObject(brush);
    } else {
        std::optional<uint32_t> key = (flags & DDBLT_KEYSRC) ? source->sourceKey() : std::nullopt;
        HDC memory = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = memory ? SelectObject(memory, source->m_bitmap) : nullptr;
        if (!previous) {
            result = DDERR_SURFACEBUSY;
        } else {
            int w = dest.right - dest.left, h = dest.bottom - dest.top;
            int sw = from.right - from.left, sh = from.bottom - from.top;
            if (key)
                TransparentBlt(target, dest.left, dest.top, w, h, memory, from.left, from.top, sw, sh,
                    gdi::xrgbToColorref(*key));
            else
                StretchBlt(target, dest.left, dest.top, w, h, memory, from.left, from.top, sw, sh, SRCCOPY);
            SelectObject(memory, previous);
        }
        if (memory)
            DeleteDC(memory);
    }
    ::ReleaseDC(window, target);
    return result;
}

} // namespace platform::ddraw
