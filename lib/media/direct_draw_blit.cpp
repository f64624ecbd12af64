// swCDirectDraw's drawing: blits between the back buffer and picture surfaces, presenting, DCs
// and locks, with the result handling shared by every DirectDraw call.
#include "lib/media/direct_draw.h"

#include "lib/error.h"
#include "lib/window.h"

namespace {

// DDBLTFAST_SRCCOLORKEY and DDBLT_KEYSRC both ask the GDI path for the transparent colour.
constexpr DWORD kGdiKeyFlags = 0x0001 | 0x8000;

HWND handleOf(const DirectDrawDisplay& display) { return display.owner ? display.owner->handle() : nullptr; }

} // namespace

// Lost surfaces are restored and the call tried again; a busy surface drops the call.
template <class Operation>
HRESULT swCDirectDraw::retry(DirectDrawDisplay* display, SurfaceRecord* source, bool backDC, Operation operation)
{
    for (;;) {
        HRESULT result = operation();
        if (result == DD_OK)
            return 0;
        if (result == DDERR_SURFACELOST) {
            if (display)
                displayRestore(*display);
            if (source)
                surfaceRestore(*source);
        } else if (result == DDERR_SURFACEBUSY || (backDC && result == DDERR_CANTCREATEDC)) {
            return result;
        } else if (result != DDERR_WASSTILLDRAWING) {
            throw new swCDirectDrawError(7);
        }
    }
}

int swCDirectDraw::gdiBlit(swCBitmap* dest, POINT at, SurfaceRecord& source, const RECT& rect, DWORD flags)
{
    if (!dest || !dest->handle() || !source.bitmap)
        return 0;
    if (flags & kGdiKeyFlags)
        dest->bitmapBlitTransparent(at.x, at.y, source.bitmap->handle(), rect, source.transparent);
    else
        dest->bitmapBlit(at.x, at.y, source.bitmap->handle(), rect);
    return 0;
}

int swCDirectDraw::ddrawBlit(int, POINT at, int id, const RECT& source, DWORD flags)
{
    DirectDrawDisplay* display = firstDisplaySlot();
    SurfaceRecord* record = surfaceAt(ddrawFindSurface(id));
    if (!display || !record)
        return -1;
    if (!m_ddraw)
        return gdiBlit(display->gdiBack.get(), at, *record, source, flags);
    RECT rect = source;
    return retry(display, record, false,
        [&] { return display->back->BltFast(DWORD(at.x), DWORD(at.y), record->surface, &rect, flags); });
}

int swCDirectDraw::ddrawBlitWrap(int display, int x, int y, int id, int left, int top, int right, int bottom,
    DWORD flags)
{
    return ddrawBlit(display, POINT { x, y }, id, RECT { left, top, right, bottom }, flags);
}

int swCDirectDraw::ddrawBlitSurface(int destId, POINT at, int id, const RECT& source, DWORD flags)
{
    DirectDrawDisplay* display = firstDisplaySlot();
    SurfaceRecord* dest = surfaceAt(ddrawFindSurface(destId));
    SurfaceRecord* record = surfaceAt(ddrawFindSurface(id));
    if (!dest || !record)
        return -1;
    if (!m_ddraw)
        return gdiBlit(dest->bitmap.get(), at, *record, source, flags);
    RECT rect = source;
    return retry(display, record, false,
        [&] { return dest->surface->BltFast(DWORD(at.x), DWORD(at.y), record->surface, &rect, flags); });
}

int swCDirectDraw::ddrawBlitSurfaceWrap(int destId, int x, int y, int id, int left, int top, int right, int bottom,
    DWORD flags)
{
    return ddrawBlitSurface(destId, POINT { x, y }, id, RECT { left, top, right, bottom }, flags);
}

int swCDirectDraw::ddrawGrabToSurface(int, POINT at, int id, const RECT& source, DWORD flags)
{
    DirectDrawDisplay* display = firstDisplaySlot();
    SurfaceRecord* record = surfaceAt(ddrawFindSurface(id));
    if (!display || !record)
        return -1;
    if (!m_ddraw) {
        if (record->bitmap && display->gdiBack)
            record->bitmap->bitmapBlit(at.x, at.y, display->gdiBack->handle(), source);
        return 0;
    }
    RECT rect = source;
    return retry(display, nullptr, false,
        [&] { return record->surface->BltFast(DWORD(at.x), DWORD(at.y), display->back, &rect, flags); });
}

int swCDirectDraw::ddrawPresent()
{
    DirectDrawDisplay* display = firstDisplaySlot();
    if (!display)
        return -1;
    return ddrawPresentRect(0, RECT { 0, 0, display->width, display->height });
}

int swCDirectDraw::ddrawPresentRect(int, const RECT& source)
{
    DirectDrawDisplay* display = firstDisplaySlot();
    if (!display)
        return -1;
    if (!m_ddraw) {
        if (display->gdiBack) {
            WindowDcHolder holder(handleOf(*display));
            holder.stretchBlitBitmap(display->dest, display->gdiBack->handle(), source);
        }
        return 0;
    }
    RECT rect = source;
    return retry(display, nullptr, false,
        [&] { return display->primary->Blt(&display->dest, display->back, &rect, DDBLT_WAIT, nullptr); });
}

HDC swCDirectDraw::ddrawGetMemDC(int)
{
    DirectDrawDisplay* display = firstDisplaySlot();
    if (!display)
        return nullptr;
    if (!m_ddraw) {
        if (!display->gdiBack)
            return nullptr;
        HWND window = handleOf(*display);
        HDC windowDC = GetDC(window);
        HDC memory = CreateCompatibleDC(windowDC);
        ReleaseDC(window, windowDC);
        display->previousBitmap = SelectObject(memory, display->gdiBack->handle());
        return memory;
    }
    HDC dc = nullptr;
    retry(display, nullptr, true, [&] { return display->back->GetDC(&dc); });
    return dc;
}

void swCDirectDraw::ddrawReleaseMemDC(int, HDC dc)
{
    DirectDrawDisplay* display = firstDisplaySlot();
    if (!display || !dc)
        return;
    if (!m_ddraw) {
        SelectObject(dc, display->previousBitmap);
        DeleteDC(dc);
        display->previousBitmap = nullptr;
        return;
    }
    retry(display, nullptr, false, [&] { return display->back->ReleaseDC(dc); });
}

// In GDI mode a picture's DC is a memory DC with its bitmap selected; surfaces made empty have none.
HDC swCDirectDraw::ddrawSurfaceGetDC(int id)
{
    DirectDrawDisplay* display = firstDisplaySlot();
    SurfaceRecord* record = surfaceAt(ddrawFindSurface(id));
    if (!record)
        return nullptr;
    if (!m_ddraw) {
        if (!record->bitmap)
            return nullptr;
        HDC memory = CreateCompatibleDC(nullptr);
        SelectObject(memory, record->bitmap->handle());
        return memory;
    }
    HDC dc = nullptr;
    retry(display, nullptr, false, [&] { return record->surface->GetDC(&dc); });
    return dc;
}

void swCDirectDraw::ddrawSurfaceReleaseDC(int id, HDC dc)
{
    DirectDrawDisplay* display = firstDisplaySlot();
    SurfaceRecord* record = surfaceAt(ddrawFindSurface(id));
    if (!record || !dc)
        return;
    if (!m_ddraw) {
        DeleteDC(dc);
        return;
    }
    retry(display, nullptr, false, [&] { return record->surface->ReleaseDC(dc); });
}

HRESULT swCDirectDraw::lockSurface(IDirectDrawSurface7* surface, const RECT* rect, DDSURFACEDESC2& desc)
{
    desc = {};
    desc.dwSize = sizeof desc;
    if (!surface)
        return E_FAIL;
    RECT area = rect ? *rect : RECT {};
    HRESULT result;
    while ((result = surface->Lock(rect ? &area : nullptr, &desc, 0, nullptr)) == DDERR_WASSTILLDRAWING) {
    }
    return result;
}

HRESULT swCDirectDraw::ddrawDisplayLock(const RECT* rect, DDSURFACEDESC2& desc)
{
    DirectDrawDisplay* display = firstDisplaySlot();
    return lockSurface(display ? display->back : nullptr, rect, desc);
}

HRESULT swCDirectDraw::ddrawDisplayUnlock()
{
    DirectDrawDisplay* display = firstDisplaySlot();
    if (!display || !display->back)
        return E_FAIL;
    return display->back->Unlock(nullptr);
}

HRESULT swCDirectDraw::ddrawSurfaceLock(SurfaceRecord& record, const RECT* rect, DDSURFACEDESC2& desc)
{
    return lockSurface(record.surface, rect, desc);
}

HRESULT swCDirectDraw::ddrawSurfaceUnlock(SurfaceRecord& record)
{
    if (!record.surface)
        return E_FAIL;
    return record.surface->Unlock(nullptr);
}
