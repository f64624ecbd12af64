// Small drawing helpers of the map information controls and the drawn panels: a bitmap selected
// into a memory DC for a scope, colours given palette-relative so they map to the palette of a
// 256-colour display, and a part of a panel put back from its clean picture.
#pragma once

#include "lib/media/bitmap.h"
#include "platform/windows.h"

constexpr COLORREF paletteRgb(int r, int g, int b) { return 0x02000000 | RGB(r, g, b); }
constexpr COLORREF paletteGrey(int level) { return paletteRgb(level, level, level); }

class SelectedBitmap {
public:
    explicit SelectedBitmap(HBITMAP bitmap) : m_dc(CreateCompatibleDC(nullptr)), m_old(SelectObject(m_dc, bitmap)) { }
    ~SelectedBitmap()
    {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
    }
    SelectedBitmap(const SelectedBitmap&) = delete;
    SelectedBitmap& operator=(const SelectedBitmap&) = delete;
    HDC dc() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// Copies the rectangle of the clean picture back onto the drawing in the DC, which then draws it anew.
inline void restoreFromClean(HDC dc, const swCBitmap& clean, int left, int top, int right, int bottom)
{
    PaletteHolder(dc).blitBitmap(left, top, clean.handle(), RECT { left, top, right, bottom });
}
