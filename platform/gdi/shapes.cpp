// Filled and outlined shapes: Rectangle, Ellipse, RoundRect and Polygon.
#include "platform/gdi/paint.h"
#include "platform/gdi/wingdi.h"

#include <algorithm>

using namespace platform;
using namespace platform::gdi;

namespace {

RECT orderedBox(int l, int t, int r, int b) { return { std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b) }; }

RECT inset(const RECT& r, int d) { return { r.left + d, r.top + d, r.right - d, r.bottom - d }; }

// Paints a shape given as a function from bounding box to area: the interior with the brush and,
// for solid pens, a border as wide as the pen inside the box. A null pen fills a box one pixel
// smaller on the right and bottom, as Win32 does.
template <class ShapeOf>
BOOL paintShape(HDC hdc, RECT box, ShapeOf shapeOf, bool closedOutline, const POINT* outline, int outlineCount)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc)
        return FALSE;
    Canvas canvas(*dc);
    canvas.lock();
    if (!canvas.valid())
        return FALSE;
    const DcState& s = dc->state;
    Painter painter(*dc, canvas);
    std::vector<uint32_t> tile;
    Pattern fill = brushPattern(*dc, s.brush.get(), tile);
    box = canvas.toBuffer(box);
    const RECT rows = canvas.clip().bounds();
    int style = s.pen ? s.pen->style() : PS_NULL;
    if (style == PS_NULL) {
        painter.fillRegion(shapeOf(RECT { box.left, box.top, box.right - 1, box.bottom - 1 }, rows), fill, s.rop2);
        return TRUE;
    }
    int width = s.pen->width();
    Region outer = shapeOf(box, rows);
    Region inner = shapeOf(inset(box, width), rows);
    painter.fillRegion(inner, fill, s.rop2);
    if (style == PS_SOLID || style == PS_INSIDEFRAME || !closedOutline) {
        Pattern ink;
        ink.solid = painter.colourOf(s.pen->log.lopnColor);
        painter.fillRegion(outer.subtracted(inner), ink, s.rop2);
    } else {
        DashState dash = dashFor(style);
        for (int i = 0; i < outlineCount; ++i)
            drawLine(painter, outline[i], outline[(i + 1) % outlineCount], dash);
    }
    return TRUE;
}

Region roundRectRegion(const RECT& box, int ew, int eh, const RECT& rows)
{
    ew = std::min<int>(ew, box.right - box.left);
    eh = std::min<int>(eh, box.bottom - box.top);
    if (ew <= 1 || eh <= 1)
        return Region(box);
    int rx = ew / 2, ry = eh / 2;
    Region area(RECT { box.left + rx, box.top, box.right - rx, box.bottom });
    area.unite(Region(RECT { box.left, box.top + ry, box.right, box.bottom - ry }));
    area.unite(Region::fromEllipse({ box.left, box.top, box.left + ew, box.top + eh }, rows));
    area.unite(Region::fromEllipse({ box.right - ew, box.top, box.right, box.top + eh }, rows));
    area.unite(Region::fromEllipse({ box.left, box.bottom - eh, box.left + ew, box.bottom }, rows));
    area.unite(Region::fromEllipse({ box.right - ew, box.bottom - eh, box.right, box.bottom }, rows));
    return area;
}

} // namespace

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom)
{
    RECT box = orderedBox(left, top, right, bottom);
    POINT corners[] = { { box.left, box.top }, { box.right - 1, box.top }, { box.right - 1, box.bottom - 1 },
        { box.left, box.bottom - 1 } };
    return paintShape(hdc, box, [](const RECT& r, const RECT&) { return Region(r); }, true, corners, 4);
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom)
{
    return paintShape(hdc, orderedBox(left, top, right, bottom), [](const RECT& r, const RECT& rows) { return Region::fromEllipse(r, rows); },
        false, nullptr, 0);
}

BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height)
{
    return paintShape(hdc, orderedBox(left, top, right, bottom),
        [width, height](const RECT& r, const RECT& rows) { return roundRectRegion(r, width, height, rows); }, false, nullptr, 0);
}

// The interior by the DC's fill mode, then the closed outline with the pen.
BOOL Polygon(HDC hdc, const POINT* apt, int cpt)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc || !apt || cpt < 2)
        return FALSE;
    Canvas canvas(*dc);
    canvas.lock();
    if (!canvas.valid())
        return FALSE;
    const DcState& s = dc->state;
    Painter painter(*dc, canvas);
    std::vector<uint32_t> tile;
    Pattern fill = brushPattern(*dc, s.brush.get(), tile);
    RECT rows = canvas.clip().bounds();
    rows.top -= canvas.offsetY();
    rows.bottom -= canvas.offsetY();
    Region area = Region::fromPolygon(apt, size_t(cpt), s.polyFillMode == WINDING, rows);
    area.offset(canvas.offsetX(), canvas.offsetY());
    painter.fillRegion(area, fill, s.rop2);
    DashState dash = dashFor(s.pen ? s.pen->style() : PS_SOLID);
    for (int i = 0; i < cpt; ++i)
        drawLine(painter, apt[i], apt[(i + 1) % cpt], dash);
    return TRUE;
}
