// DirectDraw-style surfaces: creation over a GDI DIB section, DCs, locks, colour keys and descriptions.
#include "platform/media/ddraw_surface.h"
#include "platform/gdi/dc_view.h"
#include "platform/gdi/dib_format.h"
#include "platform/gdi/wingdi.h"

#include <cstring>

namespace platform::ddraw {

DDPIXELFORMAT describeFormat(gdi::PixelFormat format)
{
    DDPIXELFORMAT f {};
    f.dwSize = sizeof f;
    f.dwFlags = DDPF_RGB;
    f.dwRGBBitCount = DWORD(gdi::bitsPerPixel(format));
    switch (format) {
    case gdi::PixelFormat::Rgb555:
        f.dwRBitMask = 0x7C00, f.dwGBitMask = 0x03E0, f.dwBBitMask = 0x001F;
        break;
    case gdi::PixelFormat::Rgb565:
        f.dwRBitMask = 0xF800, f.dwGBitMask = 0x07E0, f.dwBBitMask = 0x001F;
        break;
    default:
        f.dwRBitMask = 0xFF0000, f.dwGBitMask = 0x00FF00, f.dwBBitMask = 0x0000FF;
        break;
    }
    return f;
}

std::optional<gdi::PixelFormat> formatOf(const DDPIXELFORMAT& f)
{
    if (!(f.dwFlags & DDPF_RGB))
        return std::nullopt;
    for (gdi::PixelFormat candidate : { gdi::PixelFormat::Xrgb32, gdi::PixelFormat::Rgb24, gdi::PixelFormat::Rgb565,
             gdi::PixelFormat::Rgb555 }) {
        DDPIXELFORMAT d = describeFormat(candidate);
        if (f.dwRGBBitCount == d.dwRGBBitCount && f.dwRBitMask == d.dwRBitMask && f.dwGBitMask == d.dwGBitMask
            && f.dwBBitMask == d.dwBBitMask)
            return candidate;
    }
    return std::nullopt;
}

HRESULT Clipper::GetHWnd(HWND* window)
{
    if (!window)
        return DDERR_INVALIDPARAMS;
    *window = this->window();
    return DD_OK;
}

HRESULT Clipper::SetHWnd(DWORD, HWND window)
{
    std::lock_guard lock(m_mutex);
    m_window = window;
    return DD_OK;
}

HWND Clipper::window() const
{
    std::lock_guard lock(m_mutex);
    return m_window;
}

Surface* Surface::createPrimary(DWORD caps)
{
    Surface* surface = new Surface;
    surface->m_caps = caps;
    return surface;
}

Surface* Surface::createOffscreen(int width, int height, gdi::PixelFormat format, DWORD caps)
{
    struct {
        BITMAPINFOHEADER header;
        DWORD masks[3];
    } info {};
    gdi::describeDib(reinterpret_cast<BITMAPINFO*>(&info), format, width, height, false, {});
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    std::shared_ptr<gdi::Bitmap> pixels = gdi::findBitmap(bitmap);
    if (!pixels) {
        if (bitmap)
            DeleteObject(bitmap);
        return nullptr;
    }
    Surface* surface = new Surface;
    surface->m_caps = caps;
    surface->m_bitmap = bitmap;
    surface->m_pixels = std::move(pixels);
    return surface;
}

Surface::~Surface()
{
    if (m_dc) {
        SelectObject(m_dc, m_previousBitmap);
        DeleteDC(m_dc);
    }
    if (m_bitmap)
        DeleteObject(m_bitmap);
    if (m_clipper)
        m_clipper->Release();
}

int Surface::width() const
{
    return m_pixels ? m_pixels->pixels.width : int(gdi::screenSize().cx);
}

int Surface::height() const
{
    return m_pixels ? m_pixels->pixels.height : int(gdi::screenSize().cy);
}

bool Surface::busy() const
{
    std::lock_guard lock(m_mutex);
    return m_dc || m_locks > 0;
}

std::optional<uint32_t> Surface::sourceKey() const
{
    std::lock_guard lock(m_mutex);
    if (!m_key || !m_pixels)
        return std::nullopt;
    // One pixel holding the key value, read back the way the blit core reads the source.
    uint8_t raw[4];
    std::memcpy(raw, &*m_key, 4);
    gdi::PixelBuffer one;
    one.format = m_pixels->pixels.format;
    one.width = 1;
    one.height = 1;
    one.bits = raw;
    one.stride = 4;
    return gdi::readPixel(one, 0, 0);
}

HRESULT Surface::GetDC(HDC* dc)
{
    if (!dc)
        return DDERR_INVALIDPARAMS;
    *dc = nullptr;
    if (primary())
        return DDERR_UNSUPPORTED;
    std::lock_guard lock(m_mutex);
    if (m_dc)
        return DDERR_DCALREADYCREATED;
    if (m_locks > 0)
        return DDERR_SURFACEBUSY;
    HDC memory = CreateCompatibleDC(nullptr);
    if (!memory)
        return DDERR_CANTCREATEDC;
    m_previousBitmap = SelectObject(memory, m_bitmap);
    if (!m_previousBitmap) {
        DeleteDC(memory);
        return DDERR_CANTCREATEDC;
    }
    m_dc = memory;
    *dc = memory;
    return DD_OK;
}

HRESULT Surface::ReleaseDC(HDC dc)
{
    std::lock_guard lock(m_mutex);
    if (!m_dc || dc != m_dc)
        return DDERR_NODC;
    SelectObject(m_dc, m_previousBitmap);
    DeleteDC(m_dc);
    m_dc = nullptr;
    m_previousBitmap = nullptr;
    return DD_OK;
}

HRESULT Surface::Lock(LPRECT rect, LPDDSURFACEDESC2 desc, DWORD, HANDLE)
{
    if (!desc || desc->dwSize != sizeof(DDSURFACEDESC2))
        return DDERR_INVALIDPARAMS;
    if (primary())
        return DDERR_UNSUPPORTED;
    const gdi::PixelBuffer& buffer = m_pixels->pixels;
    RECT area { 0, 0, buffer.width, buffer.height };
    if (rect) {
        if (rect->left < 0 || rect->top < 0 || rect->right > buffer.width || rect->bottom > buffer.height
            || rect->left >= rect->right || rect->top >= rect->bottom)
            return DDERR_INVALIDRECT;
        area = *rect;
    }
    {
        std::lock_guard lock(m_mutex);
        if (m_dc)
            return DDERR_SURFACEBUSY;
        ++m_locks;
    }
    GetSurfaceDesc(desc);
    desc->dwFlags |= DDSD_LPSURFACE;
    desc->lpSurface = buffer.rowPointer(area.top) + size_t(area.left) * size_t(gdi::bitsPerPixel(buffer.format) / 8);
    return DD_OK;
}

HRESULT Surface::Unlock(LPRECT)
{
    std::lock_guard lock(m_mutex);
    if (m_locks == 0)
        return DDERR_NOTLOCKED;
    --m_locks;
    return DD_OK;
}

// One key value; ranges and destination keys are not offered.
HRESULT Surface::SetColorKey(DWORD flags, LPDDCOLORKEY key)
{
    if (flags != DDCKEY_SRCBLT)
        return DDERR_UNSUPPORTED;
    std::lock_guard lock(m_mutex);
    if (key)
        m_key = key->dwColorSpaceLowValue;
    else
        m_key.reset();
    return DD_OK;
}

HRESULT Surface::GetSurfaceDesc(LPDDSURFACEDESC2 desc)
{
    if (!desc || desc->dwSize != sizeof(DDSURFACEDESC2))
        return DDERR_INVALIDPARAMS;
    std::memset(desc, 0, sizeof *desc);
    desc->dwSize = sizeof *desc;
    desc->dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc->dwWidth = DWORD(width());
    desc->dwHeight = DWORD(height());
    gdi::PixelFormat format = m_pixels ? m_pixels->pixels.format : gdi::PixelFormat::Xrgb32;
    desc->lPitch = m_pixels ? LONG(m_pixels->pixels.stride) : LONG(desc->dwWidth * 4);
    desc->ddpfPixelFormat = describeFormat(format);
    desc->ddsCaps.dwCaps = m_caps;
    std::lock_guard lock(m_mutex);
    if (m_key) {
        desc->dwFlags |= DDSD_CKSRCBLT;
        desc->ddckCKSrcBlt = { *m_key, *m_key };
    }
    return DD_OK;
}

HRESULT Surface::GetPixelFormat(LPDDPIXELFORMAT format)
{
    if (!format || format->dwSize != sizeof(DDPIXELFORMAT))
        return DDERR_INVALIDPARAMS;
    *format = describeFormat(m_pixels ? m_pixels->pixels.format : gdi::PixelFormat::Xrgb32);
    return DD_OK;
}

std::optional<HWND> Surface::clipperWindow() const
{
    std::lock_guard lock(m_mutex);
    if (!m_clipper)
        return std::nullopt;
    return m_clipper->window();
}

// Only the primary surface is clipped: off-screen blits are always clipped to the surfaces.
HRESULT Surface::SetClipper(LPDIRECTDRAWCLIPPER clipper)
{
    if (!primary())
        return DDERR_UNSUPPORTED;
    Clipper* given = static_cast<Clipper*>(clipper);
    if (given)
        given->AddRef();
    Clipper* old;
    {
        std::lock_guard lock(m_mutex);
        old = m_clipper;
        m_clipper = given;
    }
    if (old)
        old->Release();
    return DD_OK;
}

} // namespace platform::ddraw
