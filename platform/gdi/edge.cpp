// DrawEdge: the two one-pixel borders of the 3-D look in system colours.
#include "platform/gdi/paint.h"
#include "platform/gdi/wingdi.h"

using namespace platform;
using namespace platform::gdi;

namespace platform::gdi {

bool fillColour(DeviceContext& dc, const RECT& rect, COLORREF colour)
{
    Brush brush;
    brush.log = { BS_SOLID, colour, 0 };
    return fillWithBrush(dc, rect, &brush);
}

} // namespace platform::gdi

namespace {

// One border: the top and left sides in `light`, the bottom and right in `dark`; the dark
// sides own the top-right and bottom-left corner pixels.
void drawBorder(DeviceContext& dc, const RECT& r, UINT sides, COLORREF light, COLORREF dark)
{
    if (sides & BF_TOP)
        fillColour(dc, { r.left, r.top, r.right - 1, r.top + 1 }, light);
    if (sides & BF_LEFT)
        fillColour(dc, { r.left, r.top, r.left + 1, r.bottom - 1 }, light);
    if (sides & BF_BOTTOM)
        fillColour(dc, { r.left, r.bottom - 1, r.right, r.bottom }, dark);
    if (sides & BF_RIGHT)
        fillColour(dc, { r.right - 1, r.top, r.right, r.bottom }, dark);
}

void shrink(RECT& r, UINT sides)
{
    if (sides & BF_LEFT)
        ++r.left;
    if (sides & BF_TOP)
        ++r.top;
    if (sides & BF_RIGHT)
        --r.right;
    if (sides & BF_BOTTOM)
        --r.bottom;
}

} // namespace

BOOL DrawEdge(HDC hdc, LPRECT qrc, UINT edge, UINT grfFlags)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc || !qrc || (grfFlags & BF_DIAGONAL))
        return FALSE;
    RECT r = *qrc;
    UINT sides = grfFlags & BF_RECT;
    UINT outer = edge & BDR_OUTER;
    UINT inner = edge & BDR_INNER;
    if (outer) {
        COLORREF light, dark;
        if (grfFlags & BF_MONO) {
            light = dark = GetSysColor(COLOR_WINDOWFRAME);
        } else if (grfFlags & BF_FLAT) {
            light = dark = GetSysColor(COLOR_BTNSHADOW);
        } else if (outer & BDR_RAISEDOUTER) {
            light = GetSysColor(COLOR_3DLIGHT);
            dark = GetSysColor(COLOR_3DDKSHADOW);
        } else {
            light = GetSysColor(COLOR_BTNSHADOW);
            dark = GetSysColor(COLOR_BTNHIGHLIGHT);
        }
        drawBorder(*dc, r, sides, light, dark);
        shrink(r, sides);
    }
    if (inner) {
        COLORREF light, dark;
        if (grfFlags & BF_MONO) {
            light = dark = GetSysColor(COLOR_WINDOW);
        } else if (grfFlags & BF_FLAT) {
            light = dark = GetSysColor(COLOR_BTNFACE);
        } else if (inner & BDR_RAISEDINNER) {
            light = GetSysColor(COLOR_BTNHIGHLIGHT);
            dark = GetSysColor(COLOR_BTNSHADOW);
        } else {
            light = GetSysColor(COLOR_3DDKSHADOW);
            dark = GetSysColor(COLOR_3DLIGHT);
        }
        drawBorder(*dc, r, sides, light, dark);
        shrink(r, sides);
    }
    if (grfFlags & BF_MIDDLE)
        fillColour(*dc, r, GetSysColor((grfFlags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
    if (grfFlags & BF_ADJUST)
        *qrc = r;
    return TRUE;
}
