// Small drawing helpers of the map information controls: a bitmap selected into a memory DC for a
// scope, and colours given palette-relative so they map to the palette of a 256-colour display.
#pragma once

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
