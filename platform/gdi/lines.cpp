// MoveToEx, LineTo, Polyline, PolylineTo and single pixels.
#include "platform/gdi/paint.h"
#include "platform/gdi/wingdi.h"

using namespace platform;
using namespace platform::gdi;

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc)
        return FALSE;
    if (lppt)
        *lppt = dc->state.position;
    dc->state.position = { x, y };
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc)
        return FALSE;
    Canvas canvas(*dc);
    canvas.lock();
    if (canvas.valid()) {
        Painter painter(*dc, canvas);
        DashState dash = dashFor(dc->state.pen ? dc->state.pen->style() : PS_SOLID);
        drawLine(painter, dc->state.position, { x, y }, dash);
    }
    dc->state.position = { x, y };
    return canvas.valid();
}

BOOL Polyline(HDC hdc, const POINT* apt, int cpt)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc || !apt || cpt < 2)
        return FALSE;
    Canvas canvas(*dc);
    canvas.lock();
    if (!canvas.valid())
        return FALSE;
    Painter painter(*dc, canvas);
    DashState dash = dashFor(dc->state.pen ? dc->state.pen->style() : PS_SOLID);
    for (int i = 1; i < cpt; ++i)
        drawLine(painter, apt[i - 1], apt[i], dash);
    return TRUE;
}

BOOL PolylineTo(HDC hdc, const POINT* apt, DWORD cpt)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc || !apt)
        return FALSE;
    std::vector<POINT> points { dc->state.position };
    points.insert(points.end(), apt, apt + cpt);
    if (cpt == 0)
        return TRUE;
    BOOL ok = Polyline(hdc, points.data(), int(points.size()));
    dc->state.position = apt[cpt - 1];
    return ok;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc)
        return CLR_INVALID;
    Canvas canvas(*dc);
    canvas.lock();
    POINT p = canvas.toBuffer(x, y);
    if (!canvas.valid() || !canvas.clip().contains(p.x, p.y))
        return CLR_INVALID;
    writePixel(canvas.buffer(), p.x, p.y, colorrefToXrgb(color));
    return xrgbToColorref(readPixel(canvas.buffer(), p.x, p.y));
}

BOOL SetPixelV(HDC hdc, int x, int y, COLORREF color) { return SetPixel(hdc, x, y, color) != CLR_INVALID; }

COLORREF GetPixel(HDC hdc, int x, int y)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc)
        return CLR_INVALID;
    Canvas canvas(*dc);
    canvas.lock();
    POINT p = canvas.toBuffer(x, y);
    if (!canvas.valid() || !canvas.clip().contains(p.x, p.y))
        return CLR_INVALID;
    return xrgbToColorref(readPixel(canvas.buffer(), p.x, p.y));
}
