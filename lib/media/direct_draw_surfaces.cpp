// swCDirectDraw's picture surfaces: making them empty or from BMP files, colour keys, and
// restoring surfaces and their pictures.
#include "lib/media/direct_draw.h"

#include "lib/error.h"

namespace {

[[noreturn]] void failSurface(int code) { throw new swCDirectDrawError(code); }

} // namespace

IDirectDrawSurface7* swCDirectDraw::createOffscreen(int width, int height)
{
    DDSURFACEDESC2 desc {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    desc.dwWidth = DWORD(width);
    desc.dwHeight = DWORD(height);
    IDirectDrawSurface7* surface = nullptr;
    if (FAILED(m_ddraw->CreateSurface(&desc, &surface, nullptr))
        && FAILED(m_ddraw->CreateSurface(&desc, &surface, nullptr)))
        failSurface(3);
    return surface;
}

void swCDirectDraw::ddrawCreateSurface(int id, int width, int height)
{
    auto record = std::make_unique<SurfaceRecord>();
    record->id = id;
    record->width = width;
    record->height = height;
    if (m_ddraw)
        record->surface = createOffscreen(width, height);
    m_surfaces.push_back(std::move(record));
}

void swCDirectDraw::ddrawCreateKeyedSurface(int id, int width, int height, COLORREF transparent)
{
    ddrawCreateSurface(id, width, height);
    SurfaceRecord& record = *m_surfaces.back();
    record.transparent = transparent;
    if (m_ddraw)
        surfaceSetKey(record);
}

std::unique_ptr<swCBitmap> swCDirectDraw::loadPicture(const char* fileName, BitmapFactory factory, uint32_t value1,
    uint32_t value2)
{
    std::unique_ptr<swCBitmap> bitmap(factory ? factory(value1, value2) : new swCBitmap);
    bitmap->bitmapLoadFile(fileName, 0);
    return bitmap;
}

SurfaceRecord& swCDirectDraw::addPicture(int id, const char* fileName, BitmapFactory factory, uint32_t value1,
    uint32_t value2)
{
    auto record = std::make_unique<SurfaceRecord>();
    record->fileName = fileName;
    record->id = id;
    record->state = kSurfaceFromFile;
    record->factory = factory;
    record->value1 = value1;
    record->value2 = value2;
    std::unique_ptr<swCBitmap> bitmap = loadPicture(fileName, factory, value1, value2);
    SIZE size = bitmap->bitmapGetSize();
    record->width = size.cx;
    record->height = size.cy;
    if (m_ddraw) {
        record->surface = createOffscreen(size.cx, size.cy);
        surfaceCopyBitmap(record->surface, bitmap->handle(), 0, 0, 0, 0);
    } else {
        record->bitmap = std::move(bitmap);
    }
    m_surfaces.push_back(std::move(record));
    return *m_surfaces.back();
}

void swCDirectDraw::ddrawAddSurface(int id, const char* fileName, BitmapFactory factory, uint32_t value1,
    uint32_t value2)
{
    addPicture(id, fileName, factory, value1, value2);
}

void swCDirectDraw::ddrawLoadSurface(int id, const char* fileName, COLORREF transparent, BitmapFactory factory,
    uint32_t value1, uint32_t value2)
{
    SurfaceRecord& record = addPicture(id, fileName, factory, value1, value2);
    record.transparent = transparent;
    record.state = kSurfaceKeyedFromFile;
    if (m_ddraw)
        surfaceSetKey(record);
}

void swCDirectDraw::surfaceSetKey(SurfaceRecord& record)
{
    DWORD pixel = surfaceColorMatch(record.surface, record.transparent);
    DDCOLORKEY key { pixel, pixel };
    if (FAILED(record.surface->SetColorKey(DDCKEY_SRCBLT, &key)))
        failSurface(7);
}

// The surface's own pixel value for a colour: drawn at (0, 0) through GDI and read back.
DWORD swCDirectDraw::surfaceColorMatch(IDirectDrawSurface7* surface, COLORREF colour)
{
    COLORREF kept = CLR_INVALID;
    HDC dc = nullptr;
    if (colour != CLR_INVALID && SUCCEEDED(surface->GetDC(&dc))) {
        kept = GetPixel(dc, 0, 0);
        SetPixel(dc, 0, 0, colour);
        surface->ReleaseDC(dc);
    }
    DWORD result = DWORD(-1);
    DDSURFACEDESC2 desc {};
    desc.dwSize = sizeof desc;
    HRESULT locked;
    while ((locked = surface->Lock(nullptr, &desc, 0, nullptr)) == DDERR_WASSTILLDRAWING) {
    }
    if (SUCCEEDED(locked)) {
        const DDPIXELFORMAT& format = desc.ddpfPixelFormat;
        result = *static_cast<const DWORD*>(desc.lpSurface) & (format.dwRBitMask | format.dwGBitMask | format.dwBBitMask);
        surface->Unlock(nullptr);
    }
    if (kept != CLR_INVALID && SUCCEEDED(surface->GetDC(&dc))) {
        SetPixel(dc, 0, 0, kept);
        surface->ReleaseDC(dc);
    }
    return result;
}

// dx and dy of 0 take the bitmap's size; the rectangle is stretched onto the whole surface.
void swCDirectDraw::surfaceCopyBitmap(IDirectDrawSurface7* surface, HBITMAP bitmap, int x, int y, int dx, int dy)
{
    surface->Restore();
    MemoryDcHolder memory(nullptr);
    HGDIOBJ previous = SelectObject(memory.dc(), bitmap);
    BITMAP info {};
    GetObjectA(bitmap, sizeof info, &info);
    if (dx == 0)
        dx = info.bmWidth;
    if (dy == 0)
        dy = info.bmHeight;
    DDSURFACEDESC2 desc {};
    desc.dwSize = sizeof desc;
    surface->GetSurfaceDesc(&desc);
    HDC dc = nullptr;
    if (FAILED(surface->GetDC(&dc))) {
        SelectObject(memory.dc(), previous);
        failSurface(4);
    }
    StretchBlt(dc, 0, 0, int(desc.dwWidth), int(desc.dwHeight), memory.dc(), x, y, dx, dy, SRCCOPY);
    surface->ReleaseDC(dc);
    SelectObject(memory.dc(), previous);
}

// A surface made empty has no picture to reload: its content is the caller's to redraw.
void swCDirectDraw::surfaceRestore(SurfaceRecord& record)
{
    if (!record.surface)
        return;
    if (FAILED(record.surface->Restore()))
        failSurface(9);
    if (record.state == kSurfaceEmpty)
        return;
    std::unique_ptr<swCBitmap> bitmap = loadPicture(record.fileName.c_str(), record.factory, record.value1,
        record.value2);
    surfaceCopyBitmap(record.surface, bitmap->handle(), 0, 0, 0, 0);
}

void swCDirectDraw::displayRestore(DirectDrawDisplay& display)
{
    for (IDirectDrawSurface7* surface : { display.primary, display.back }) {
        if (!surface)
            continue;
        HRESULT result;
        while ((result = surface->Restore()) == DDERR_WASSTILLDRAWING) {
        }
        if (FAILED(result))
            failSurface(8);
    }
}
