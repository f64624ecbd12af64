// The simple DC attributes: colours, modes, origins, device capabilities and palette calls.
#include "platform/gdi/dc.h"
#include "platform/gdi/dc_view.h"
#include "platform/gdi/wingdi.h"

using namespace platform;
using namespace platform::gdi;

namespace {

// Sets one attribute and returns the old value, or `failure` for an unknown DC.
template <class T, class V>
T exchange(HDC hdc, T DcState::*field, V value, T failure)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc)
        return failure;
    T old = dc->state.*field;
    dc->state.*field = T(value);
    return old;
}

template <class T>
T query(HDC hdc, T DcState::*field, T failure)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    return dc ? dc->state.*field : failure;
}

BOOL setPoint(HDC hdc, POINT DcState::*field, int x, int y, LPPOINT old, bool relative)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc)
        return FALSE;
    POINT& p = dc->state.*field;
    if (old)
        *old = p;
    p = relative ? POINT { p.x + x, p.y + y } : POINT { x, y };
    return TRUE;
}

BOOL getPoint(HDC hdc, POINT DcState::*field, LPPOINT out)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc || !out)
        return FALSE;
    *out = dc->state.*field;
    return TRUE;
}

} // namespace

COLORREF SetTextColor(HDC hdc, COLORREF color) { return exchange(hdc, &DcState::textColour, color, COLORREF(CLR_INVALID)); }
COLORREF GetTextColor(HDC hdc) { return query(hdc, &DcState::textColour, COLORREF(CLR_INVALID)); }
COLORREF SetBkColor(HDC hdc, COLORREF color) { return exchange(hdc, &DcState::bkColour, color, COLORREF(CLR_INVALID)); }
COLORREF GetBkColor(HDC hdc) { return query(hdc, &DcState::bkColour, COLORREF(CLR_INVALID)); }

int SetBkMode(HDC hdc, int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    return exchange(hdc, &DcState::bkMode, mode, 0);
}
int GetBkMode(HDC hdc) { return query(hdc, &DcState::bkMode, 0); }

int SetROP2(HDC hdc, int rop2)
{
    if (rop2 < R2_BLACK || rop2 > R2_WHITE)
        return 0;
    return exchange(hdc, &DcState::rop2, rop2, 0);
}
int GetROP2(HDC hdc) { return query(hdc, &DcState::rop2, 0); }

// Every mode stretches by nearest neighbour; the mode is only remembered.
int SetStretchBltMode(HDC hdc, int mode)
{
    if (mode < BLACKONWHITE || mode > HALFTONE)
        return 0;
    return exchange(hdc, &DcState::stretchMode, mode, 0);
}
int GetStretchBltMode(HDC hdc) { return query(hdc, &DcState::stretchMode, 0); }

int SetPolyFillMode(HDC hdc, int mode)
{
    if (mode != ALTERNATE && mode != WINDING)
        return 0;
    return exchange(hdc, &DcState::polyFillMode, mode, 0);
}

UINT SetTextAlign(HDC hdc, UINT align) { return exchange(hdc, &DcState::textAlign, align, UINT(GDI_ERROR)); }
UINT GetTextAlign(HDC hdc) { return query(hdc, &DcState::textAlign, UINT(GDI_ERROR)); }
int SetTextCharacterExtra(HDC hdc, int extra) { return exchange(hdc, &DcState::charExtra, extra, int(0x80000000)); }

BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT lppt) { return setPoint(hdc, &DcState::brushOrigin, x, y, lppt, false); }
BOOL GetBrushOrgEx(HDC hdc, LPPOINT lppt) { return getPoint(hdc, &DcState::brushOrigin, lppt); }
BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) { return setPoint(hdc, &DcState::viewportOrigin, x, y, lppt, false); }
BOOL GetViewportOrgEx(HDC hdc, LPPOINT lppt) { return getPoint(hdc, &DcState::viewportOrigin, lppt); }
BOOL OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) { return setPoint(hdc, &DcState::viewportOrigin, x, y, lppt, true); }
BOOL GetCurrentPositionEx(HDC hdc, LPPOINT lppt) { return getPoint(hdc, &DcState::position, lppt); }

int GetDeviceCaps(HDC hdc, int index)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc)
        return 0;
    bool mono = dc->kind == DeviceContext::Kind::Memory && dc->state.bitmap
        && dc->state.bitmap->pixels.format == PixelFormat::Mono;
    SIZE screen = platform::gdi::screenSize();
    switch (index) {
    case DRIVERVERSION:
        return 0x4000;
    case TECHNOLOGY:
        return 1; // raster display
    case HORZRES:
        return screen.cx;
    case VERTRES:
        return screen.cy;
    case HORZSIZE:
        return screen.cx * 254 / 960;
    case VERTSIZE:
        return screen.cy * 254 / 960;
    case BITSPIXEL:
        return mono ? 1 : 32;
    case PLANES:
        return 1;
    case NUMCOLORS:
        return -1;
    case RASTERCAPS:
        return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96;
    case SIZEPALETTE:
    case NUMRESERVED:
        return 0;
    case COLORRES:
        return 24;
    default:
        return 0;
    }
}

BOOL GdiFlush() { return TRUE; }

HPALETTE CreatePalette(const LOGPALETTE* plpal)
{
    if (!plpal || plpal->palNumEntries == 0)
        return nullptr;
    auto palette = std::make_shared<Palette>();
    palette->entries.assign(plpal->palPalEntry, plpal->palPalEntry + plpal->palNumEntries);
    return static_cast<HPALETTE>(addObject(palette));
}

HPALETTE SelectPalette(HDC hdc, HPALETTE hPal, BOOL)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc || !findObject<Palette>(hPal, ObjectType::Palette))
        return nullptr;
    HPALETTE old = dc->state.paletteHandle;
    dc->state.paletteHandle = hPal;
    return old;
}

// True colour: nothing to map.
UINT RealizePalette(HDC hdc) { return findDC(hdc) ? 0 : UINT(GDI_ERROR); }

COLORREF GetNearestColor(HDC hdc, COLORREF color) { return findDC(hdc) ? (color & 0xFFFFFF) : CLR_INVALID; }

UINT GetPaletteEntries(HPALETTE hpal, UINT iStart, UINT cEntries, LPPALETTEENTRY pPalEntries)
{
    auto palette = findObject<Palette>(hpal, ObjectType::Palette);
    if (!palette)
        return 0;
    UINT size = UINT(palette->entries.size());
    if (!pPalEntries)
        return size;
    UINT n = 0;
    for (; n < cEntries && iStart + n < size; ++n)
        pPalEntries[n] = palette->entries[iStart + n];
    return n;
}
