// The drawing helpers of the basic DC holder: blits through memory DCs, edges, lines,
// coloured rectangles, pixels and text. Each makes and frees its own DCs, pens and brushes.
#include "lib/media/dc_holders.h"

#include <string>

namespace {

// Selects a bitmap into a fresh memory DC for the length of a scope.
class SelectedBitmap {
public:
    SelectedBitmap(HDC like, HBITMAP bitmap)
        : m_holder(like)
        , m_old(SelectObject(m_holder.dc(), bitmap))
    {
    }
    ~SelectedBitmap()
    {
        if (m_old)
            SelectObject(m_holder.dc(), m_old);
    }
    HDC dc() const { return m_holder.dc(); }

private:
    MemoryDcHolder m_holder;
    HGDIOBJ m_old;
};

int width(const RECT& r) { return r.right - r.left; }
int height(const RECT& r) { return r.bottom - r.top; }

void fillOrFrame(HDC dc, int left, int top, int right, int bottom, COLORREF colour, bool fill)
{
    GdiObjectHolder brush(CreateSolidBrush(colour));
    HGDIOBJ old = SelectObject(dc, brush.get());
    RECT rect { left, top, right + 1, bottom + 1 };
    if (fill)
        FillRect(dc, &rect, static_cast<HBRUSH>(brush.get()));
    else
        FrameRect(dc, &rect, static_cast<HBRUSH>(brush.get()));
    if (old)
        SelectObject(dc, old);
}

} // namespace

void PaletteHolder::blitBitmap(int x, int y, HBITMAP bitmap, const RECT& source)
{
    SelectedBitmap from(m_dc, bitmap);
    BitBlt(m_dc, x, y, width(source), height(source), from.dc(), source.left, source.top, SRCCOPY);
}

void PaletteHolder::stretchBlitBitmap(const RECT& dest, HBITMAP bitmap, const RECT& source)
{
    SelectedBitmap from(m_dc, bitmap);
    StretchBlt(m_dc, dest.left, dest.top, width(dest), height(dest), from.dc(), source.left, source.top,
        width(source), height(source), SRCCOPY);
}

void PaletteHolder::blitTransparent(int x, int y, HBITMAP bitmap, const RECT& source, COLORREF key)
{
    const int w = width(source);
    const int h = height(source);
    GdiObjectHolder maskBitmap(CreateBitmap(w, h, 1, 1, nullptr));
    SelectedBitmap mask(m_dc, static_cast<HBITMAP>(maskBitmap.get()));
    SelectedBitmap from(m_dc, bitmap);

    // The mask is 1 where the source has the key colour.
    const COLORREF oldSourceBack = SetBkColor(from.dc(), key);
    BitBlt(mask.dc(), 0, 0, w, h, from.dc(), source.left, source.top, SRCCOPY);

    // Blitting the mask turns its 1s into the destination's background colour and its 0s into
    // the text colour: white and black are what the AND below needs, whatever the DC held.
    const COLORREF oldText = SetTextColor(m_dc, kNoColour);
    const COLORREF oldBack = SetBkColor(m_dc, RGB(255, 255, 255));
    if (key == kNoColour) {
        BitBlt(m_dc, x, y, w, h, mask.dc(), 0, 0, SRCAND);
        BitBlt(m_dc, x, y, w, h, from.dc(), source.left, source.top, SRCPAINT);
    } else {
        BitBlt(m_dc, x, y, w, h, from.dc(), source.left, source.top, SRCINVERT);
        BitBlt(m_dc, x, y, w, h, mask.dc(), 0, 0, SRCAND);
        BitBlt(m_dc, x, y, w, h, from.dc(), source.left, source.top, SRCINVERT);
    }
    SetBkColor(m_dc, oldBack);
    SetTextColor(m_dc, oldText);
    SetBkColor(from.dc(), oldSourceBack);
}

void PaletteHolder::drawRaisedEdge(const RECT& rect)
{
    RECT r = rect;
    DrawEdge(m_dc, &r, EDGE_RAISED, BF_RECT);
}

void PaletteHolder::drawSunkenEdge(const RECT& rect)
{
    RECT r = rect;
    DrawEdge(m_dc, &r, EDGE_SUNKEN, BF_RECT);
}

void PaletteHolder::drawPolyline(int x1, int y1, int x2, int y2, COLORREF colour, HPEN pen)
{
    GdiObjectHolder own(pen ? nullptr : CreatePen(PS_SOLID, 1, colour));
    HGDIOBJ old = SelectObject(m_dc, pen ? pen : own.get());
    const POINT points[2] = { { x1, y1 }, { x2, y2 } };
    Polyline(m_dc, points, 2);
    // Polyline leaves out the last point; the game's lines include it.
    SetPixel(m_dc, x2, y2, colour);
    if (old)
        SelectObject(m_dc, old);
}

void PaletteHolder::frameRectColor(int left, int top, int right, int bottom, COLORREF colour)
{
    fillOrFrame(m_dc, left, top, right, bottom, colour, false);
}

void PaletteHolder::fillRectColor(int left, int top, int right, int bottom, COLORREF colour)
{
    fillOrFrame(m_dc, left, top, right, bottom, colour, true);
}

void PaletteHolder::drawTextColor(int x, int y, const char* text, COLORREF colour, HFONT font)
{
    HGDIOBJ oldFont = font ? SelectObject(m_dc, font) : nullptr;
    const COLORREF oldColour = SetTextColor(m_dc, colour);
    const int oldMode = SetBkMode(m_dc, TRANSPARENT);
    TextOutA(m_dc, x, y, text, int(std::char_traits<char>::length(text)));
    SetBkMode(m_dc, oldMode);
    SetTextColor(m_dc, oldColour);
    if (oldFont)
        SelectObject(m_dc, oldFont);
}

void PaletteHolder::setPixelColor(int x, int y, COLORREF colour)
{
    SetPixel(m_dc, x, y, colour);
}
