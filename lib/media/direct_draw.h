// swCDirectDraw: a window's double-buffered drawing surface and its picture surfaces by id, on
// DirectDraw in windowed mode or, when that cannot be had, on GDI bitmaps.
#pragma once

#include "lib/media/bitmap.h"
#include "platform/media/ddraw.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class swCWindow;

// Makes the bitmap object a picture is loaded into (a ColourFilter, for example).
using BitmapFactory = swCBitmap* (*)(uint32_t value1, uint32_t value2);

// One attached window. The surfaces are null in GDI mode, the GDI back buffer null otherwise.
struct DirectDrawDisplay {
    DirectDrawDisplay() = default;
    DirectDrawDisplay(const DirectDrawDisplay&) = delete;
    DirectDrawDisplay& operator=(const DirectDrawDisplay&) = delete;
    ~DirectDrawDisplay();

    swCWindow* owner = nullptr;
    IDirectDrawSurface7* primary = nullptr;
    IDirectDrawSurface7* back = nullptr;
    IDirectDrawClipper* clipper = nullptr;
    IDirectDrawPalette* palette = nullptr;
    int width = 0;
    int height = 0;
    intptr_t value = 0;
    std::unique_ptr<swCBitmap> gdiBack;
    HGDIOBJ previousBitmap = nullptr;
    // Where presenting puts the back buffer: screen coordinates with DirectDraw, client ones without.
    RECT dest {};
};

enum SurfaceState : uint32_t { kSurfaceEmpty = 0, kSurfaceFromFile = 1, kSurfaceKeyedFromFile = 2 };

// One picture surface. The surface is null in GDI mode, the GDI bitmap null otherwise (and for
// surfaces made empty in GDI mode).
struct SurfaceRecord {
    SurfaceRecord() = default;
    SurfaceRecord(const SurfaceRecord&) = delete;
    SurfaceRecord& operator=(const SurfaceRecord&) = delete;
    ~SurfaceRecord();

    std::string fileName;
    IDirectDrawSurface7* surface = nullptr;
    std::unique_ptr<swCBitmap> bitmap;
    COLORREF transparent = 0;
    int id = 0;
    int width = 0;
    int height = 0;
    uint32_t state = kSurfaceEmpty;
    BitmapFactory factory = nullptr;
    uint32_t value1 = 0;
    uint32_t value2 = 0;
};

// Failures throw swCDirectDrawError (by pointer) with the codes: 0 cooperative level, 2 display
// set-up, 3 off-screen surface, 4 GetDC while copying a picture, 7 a blit, DC or key call,
// 8 display restore, 9 picture restore. Operations taking a display number use the first display;
// operations taking an unknown id do nothing and return -1 where they return a value.
class swCDirectDraw {
public:
    swCDirectDraw(swCWindow* owner, bool emulationOnly);
    swCDirectDraw(const swCDirectDraw&) = delete;
    swCDirectDraw& operator=(const swCDirectDraw&) = delete;
    virtual ~swCDirectDraw();

    virtual DirectDrawDisplay* firstDisplaySlot();

    void ddrawReleaseAll();
    // Back width or height -1 takes the display's. A failing DirectDraw set-up leaves the
    // manager in GDI mode for good; the error is not shown.
    void ddrawAttachWindow(swCWindow* window, intptr_t value, int width, int height, int backWidth, int backHeight);
    bool usesDirectDraw() const { return m_ddraw != nullptr; }

    int ddrawFindSurface(int id) const;
    SurfaceRecord* surfaceAt(int position);
    int surfaceCount() const { return int(m_surfaces.size()); }

    void ddrawCreateSurface(int id, int width, int height);
    void ddrawCreateKeyedSurface(int id, int width, int height, COLORREF transparent);
    void ddrawAddSurface(int id, const char* fileName, BitmapFactory factory = nullptr, uint32_t value1 = 0,
        uint32_t value2 = 0);
    void ddrawLoadSurface(int id, const char* fileName, COLORREF transparent, BitmapFactory factory = nullptr,
        uint32_t value1 = 0, uint32_t value2 = 0);
    void ddrawFreeSurface(int id);

    // The blits return 0, the DirectDraw code of a busy surface (the blit is dropped), or -1
    // for an unknown id. Flag 1 (DDBLTFAST_SRCCOLORKEY) leaves out the transparent colour.
    int ddrawBlit(int display, POINT at, int id, const RECT& source, DWORD flags);
    int ddrawBlitWrap(int display, int x, int y, int id, int left, int top, int right, int bottom, DWORD flags);
    int ddrawBlitSurface(int destId, POINT at, int id, const RECT& source, DWORD flags);
    int ddrawBlitSurfaceWrap(int destId, int x, int y, int id, int left, int top, int right, int bottom, DWORD flags);
    int ddrawGrabToSurface(int display, POINT at, int id, const RECT& source, DWORD flags);
    int ddrawPresent();
    int ddrawPresentRect(int display, const RECT& source);

    void ddrawDisplaySize(int display, SIZE& size) const;
    HDC ddrawGetMemDC(int display);
    HDC ddrawGetDisplayDC(int display) { return ddrawGetMemDC(display); }
    void ddrawReleaseMemDC(int display, HDC dc);
    HDC ddrawSurfaceGetDC(int id);
    void ddrawSurfaceReleaseDC(int id, HDC dc);

    // Fill `desc` for the locked rectangle (whole surface when null); E_FAIL without a surface.
    HRESULT ddrawDisplayLock(const RECT* rect, DDSURFACEDESC2& desc);
    HRESULT ddrawDisplayUnlock();
    HRESULT ddrawSurfaceLock(SurfaceRecord& record, const RECT* rect, DDSURFACEDESC2& desc);
    HRESULT ddrawSurfaceUnlock(SurfaceRecord& record);

    void ddrawMoveOrigin(int x, int y);
    void ddrawSetDisplaySize(int width, int height);

    // Blends rectangle A and rectangle B into the destination (id -1: the back buffer), per
    // channel (A * (16 - weight) + B * weight) / 16. With the row flag only rows where
    // (weight + row) % 4 == 0 change, unless the weight is 16.
    void ddrawCompose(int destId, const RECT& destRect, int idA, const RECT& rectA, int idB, const RECT& rectB,
        int weight, bool rowFlag);

    // Restores a picture surface, reloading its picture when it came from a file.
    void surfaceRestore(SurfaceRecord& record);
    void displayRestore(DirectDrawDisplay& display);

private:
    void ddrawInit();
    void displaySetUp(DirectDrawDisplay& display, swCWindow* window, intptr_t value, int width, int height,
        int backWidth, int backHeight);
    IDirectDrawSurface7* createOffscreen(int width, int height);
    std::unique_ptr<swCBitmap> loadPicture(const char* fileName, BitmapFactory factory, uint32_t value1,
        uint32_t value2);
    SurfaceRecord& addPicture(int id, const char* fileName, BitmapFactory factory, uint32_t value1, uint32_t value2);
    void surfaceSetKey(SurfaceRecord& record);
    DWORD surfaceColorMatch(IDirectDrawSurface7* surface, COLORREF colour);
    void surfaceCopyBitmap(IDirectDrawSurface7* surface, HBITMAP bitmap, int x, int y, int dx, int dy);
    template <class Operation>
    HRESULT retry(DirectDrawDisplay* display, SurfaceRecord* source, bool backDC, Operation operation);
    HRESULT lockSurface(IDirectDrawSurface7* surface, const RECT* rect, DDSURFACEDESC2& desc);
    int gdiBlit(swCBitmap* dest, POINT at, SurfaceRecord& source, const RECT& rect, DWORD flags);

    IDirectDraw7* m_ddraw = nullptr;
    std::vector<std::unique_ptr<DirectDrawDisplay>> m_displays;
    std::vector<std::unique_ptr<SurfaceRecord>> m_surfaces;
    swCWindow* m_owner = nullptr;
    bool m_emulationOnly = false;
};
