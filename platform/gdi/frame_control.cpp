// DrawFrameControl: push, check and radio buttons, scroll arrows, caption buttons and menu marks
// in the layer's plain look.
#include "platform/gdi/paint.h"
#include "platform/gdi/wingdi.h"

#include <algorithm>

using namespace platform;
using namespace platform::gdi;

namespace {

enum class Arrow { Up, Down, Left, Right };

// Glyphs are drawn a line at a time; their size is capped so a huge rectangle stays cheap.
constexpr int kGlyphLimit = 256;
int width(const RECT& r) { return std::min<int>(r.right - r.left, kGlyphLimit); }
int height(const RECT& r) { return std::min<int>(r.bottom - r.top, kGlyphLimit); }

// A filled triangle pointing `direction`, centred in r, sized to the smaller side.
void drawArrow(DeviceContext& dc, const RECT& r, Arrow direction, COLORREF colour)
{
    int size = std::min(width(r), height(r));
    int depth = std::max(1, (size + 2) / 4);
    int cx = r.left + width(r) / 2, cy = r.top + height(r) / 2;
    for (int i = 0; i < depth; ++i) {
        int half = (direction == Arrow::Up || direction == Arrow::Left) ? i : depth - 1 - i;
        if (direction == Arrow::Up || direction == Arrow::Down) {
            int y = cy - depth / 2 + i;
            fillColour(dc, { cx - half, y, cx + half + 1, y + 1 }, colour);
        } else {
            int x = cx - depth / 2 + i;
            fillColour(dc, { x, cy - half, x + 1, cy + half + 1 }, colour);
        }
    }
}

void drawCross(DeviceContext& dc, const RECT& r, COLORREF colour)
{
    int size = std::min(width(r), height(r));
    int extent = std::max(2, size / 2 - 1);
    // Two-pixel strokes fill a small box's cross in: there the strokes are one pixel over an odd
    // span, so that they meet in one pixel.
    int stroke = 2;
    if (extent < 6) {
        stroke = 1;
        extent = (size / 2) | 1;
    }
    int x0 = r.left + (width(r) - extent) / 2, y0 = r.top + (height(r) - extent) / 2;
    for (int i = 0; i < extent; ++i) {
        fillColour(dc, { x0 + i, y0 + i, x0 + i + stroke, y0 + i + 1 }, colour);
        fillColour(dc, { x0 + extent - stroke - i, y0 + i, x0 + extent - i, y0 + i + 1 }, colour);
    }
}

void drawCheckMark(DeviceContext& dc, const RECT& box, COLORREF colour)
{
    // Seven columns: down two, then up four, three pixels tall.
    int x0 = box.left + (width(box) - 7) / 2, y0 = box.top + (height(box) - 7) / 2 + 2;
    const int rise[7] = { 2, 3, 4, 3, 2, 1, 0 };
    for (int i = 0; i < 7; ++i)
        fillColour(dc, { x0 + i, y0 + rise[i], x0 + i + 1, y0 + rise[i] + 3 }, colour);
}

void drawButtonFrame(HDC hdc, RECT r, UINT state)
{
    UINT edge = (state & (DFCS_PUSHED | DFCS_CHECKED)) ? EDGE_SUNKEN : EDGE_RAISED;
    DrawEdge(hdc, &r, edge, BF_RECT | BF_MIDDLE | ((state & DFCS_FLAT) ? BF_FLAT : 0));
}

COLORREF glyphColour(UINT state)
{
    return GetSysColor((state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
}

RECT squareAtLeft(const RECT& r, int size)
{
    size = std::min({ size, width(r), height(r) });
    int top = r.top + (height(r) - size) / 2;
    return { r.left, top, r.left + size, top + size };
}

void drawCheckBox(DeviceContext& dc, HDC hdc, const RECT& r, UINT state)
{
    RECT box = squareAtLeft(r, 13);
    RECT inside = box;
    DrawEdge(hdc, &inside, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    bool dim = state & (DFCS_INACTIVE | DFCS_PUSHED);
    fillColour(dc, inside, GetSysColor(dim ? COLOR_BTNFACE : COLOR_WINDOW));
    if (state & DFCS_CHECKED)
        drawCheckMark(dc, inside, GetSysColor((state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
}

void drawRadio(DeviceContext& dc, const RECT& r, UINT state)
{
    RECT box = squareAtLeft(r, 12);
    Canvas canvas(dc);
    canvas.lock();
    if (!canvas.valid())
        return;
    Painter painter(dc, canvas);
    RECT b = canvas.toBuffer(box);
    auto solid = [&](COLORREF c) {
        Pattern p;
        p.solid = painter.colourOf(c);
        return p;
    };
    Region outer = Region::fromEllipse(b);
    Region inner = Region::fromEllipse({ b.left + 1, b.top + 1, b.right - 1, b.bottom - 1 });
    Region ring = outer.subtracted(inner);
    // The ring is dark above the rising diagonal and light below it, like a sunken edge.
    Region upperLeft;
    for (LONG y = b.top; y < b.bottom; ++y)
        upperLeft.unite(Region(RECT { b.left, y, b.left + (b.bottom - y), y + 1 }));
    painter.fillRegion(ring.intersected(upperLeft), solid(GetSysColor(COLOR_BTNSHADOW)), R2_COPYPEN);
    painter.fillRegion(ring.subtracted(upperLeft), solid(GetSysColor(COLOR_BTNHIGHLIGHT)), R2_COPYPEN);
    bool dim = state & (DFCS_INACTIVE | DFCS_PUSHED);
    painter.fillRegion(inner, solid(GetSysColor(dim ? COLOR_BTNFACE : COLOR_WINDOW)), R2_COPYPEN);
    if (state & DFCS_CHECKED) {
        int d = std::max(2, (b.right - b.left) / 3);
        int cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2;
        painter.fillRegion(Region::fromEllipse({ cx - d / 2, cy - d / 2, cx - d / 2 + d, cy - d / 2 + d }),
            solid(GetSysColor((state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT)), R2_COPYPEN);
    }
}

void drawSizeGrip(DeviceContext& dc, const RECT& r)
{
    fillColour(dc, r, GetSysColor(COLOR_BTNFACE));
    int size = std::min(width(r), height(r));
    for (int line = 0; line < 3; ++line) {
        int offset = 3 + line * 4;
        for (int i = 0; i < offset && i < size; ++i) {
            int x = r.right - offset + i, y = r.bottom - 1 - i;
            fillColour(dc, { x, y, x + 1, y + 1 }, GetSysColor(COLOR_BTNHIGHLIGHT));
            fillColour(dc, { x + 1, y, x + 3, y + 1 }, GetSysColor(COLOR_BTNSHADOW));
        }
    }
}

void drawCaptionGlyph(DeviceContext& dc, const RECT& r, UINT kind, COLORREF colour)
{
    int w = width(r), h = height(r);
    int cx = r.left + w / 2, cy = r.top + h / 2;
    int s = std::max(4, std::min(w, h) / 2);
    switch (kind) {
    case DFCS_CAPTIONCLOSE:
        drawCross(dc, r, colour);
        break;
    case DFCS_CAPTIONMIN:
        fillColour(dc, { cx - s / 2, cy + s / 2 - 2, cx + s / 2, cy + s / 2 }, colour);
        break;
    case DFCS_CAPTIONMAX:
    case DFCS_CAPTIONRESTORE: {
        RECT box { cx - s / 2, cy - s / 2, cx + s / 2, cy + s / 2 };
        fillColour(dc, { box.left, box.top, box.right, box.top + 2 }, colour);
        fillColour(dc, { box.left, box.top, box.left + 1, box.bottom }, colour);
        fillColour(dc, { box.right - 1, box.top, box.right, box.bottom }, colour);
        fillColour(dc, { box.left, box.bottom - 1, box.right, box.bottom }, colour);
        break;
    }
    default:
        fillColour(dc, { cx - 1, cy - s / 2, cx + 1, cy + s / 4 }, colour);
        fillColour(dc, { cx - 1, cy + s / 2 - 2, cx + 1, cy + s / 2 }, colour);
        break;
    }
}

} // namespace

BOOL DrawFrameControl(HDC hdc, LPRECT lprc, UINT uType, UINT uState)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc || !lprc)
        return FALSE;
    RECT r = *lprc;
    UINT kind = uState & 0xFF;
    switch (uType) {
    case DFC_BUTTON:
        if (kind & DFCS_BUTTONPUSH) {
            drawButtonFrame(hdc, r, uState);
            if (uState & DFCS_ADJUSTRECT) {
                lprc->left += 2, lprc->top += 2, lprc->right -= 2, lprc->bottom -= 2;
            }
        } else if (kind & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE)) {
            drawRadio(*dc, r, uState);
        } else {
            drawCheckBox(*dc, hdc, r, uState);
        }
        return TRUE;
    case DFC_SCROLL: {
        if (kind == DFCS_SCROLLSIZEGRIP) {
            drawSizeGrip(*dc, r);
            return TRUE;
        }
        drawButtonFrame(hdc, r, uState);
        RECT glyph = r;
        if (uState & DFCS_PUSHED)
            OffsetViewportOrgEx(hdc, 1, 1, nullptr);
        Arrow arrow = kind == DFCS_SCROLLUP ? Arrow::Up
            : kind == DFCS_SCROLLLEFT       ? Arrow::Left
            : kind == DFCS_SCROLLRIGHT      ? Arrow::Right
                                            : Arrow::Down;
        drawArrow(*dc, glyph, arrow, glyphColour(uState));
        if (uState & DFCS_PUSHED)
            OffsetViewportOrgEx(hdc, -1, -1, nullptr);
        return TRUE;
    }
    case DFC_CAPTION:
        drawButtonFrame(hdc, r, uState);
        if (uState & DFCS_PUSHED)
            OffsetViewportOrgEx(hdc, 1, 1, nullptr);
        drawCaptionGlyph(*dc, r, kind, glyphColour(uState));
        if (uState & DFCS_PUSHED)
            OffsetViewportOrgEx(hdc, -1, -1, nullptr);
        return TRUE;
    case DFC_MENU:
        if (kind == DFCS_MENUARROW)
            drawArrow(*dc, r, Arrow::Right, GetSysColor(COLOR_MENUTEXT));
        else if (kind == DFCS_MENUCHECK)
            drawCheckMark(*dc, r, GetSysColor(COLOR_MENUTEXT));
        else {
            int d = std::max(2, std::min(width(r), height(r)) / 3);
            int cx = r.left + width(r) / 2, cy = r.top + height(r) / 2;
            fillColour(*dc, { cx - d / 2, cy - d / 2, cx - d / 2 + d, cy - d / 2 + d }, GetSysColor(COLOR_MENUTEXT));
        }
        return TRUE;
    default:
        return FALSE;
    }
}
