// Shared by the picture tests: a memory DC canvas, pixel read-back and error-code capture.
#pragma once

#include "lib/error.h"
#include "lib/media/dc_holders.h"
#include "platform/gdi/dc_view.h"

#include <utility>

namespace testing_pictures {

// A 32-bit bitmap selected into its own memory DC, filled with one colour.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = RGB(0, 0, 0))
        : m_holder(nullptr)
        , m_bitmap(CreateBitmap(width, height, 1, 32, nullptr))
        , m_old(SelectObject(m_holder.dc(), m_bitmap.get()))
    {
        m_holder.fillRectColor(0, 0, width - 1, height - 1, fill);
    }
    ~Canvas() { SelectObject(m_holder.dc(), m_old); }

    PaletteHolder& holder() { return m_holder; }
    HDC dc() const { return m_holder.dc(); }
    HBITMAP bitmap() const { return static_cast<HBITMAP>(m_bitmap.get()); }
    COLORREF at(int x, int y) const { return GetPixel(m_holder.dc(), x, y); }

private:
    MemoryDcHolder m_holder;
    GdiObjectHolder m_bitmap;
    HGDIOBJ m_old;
};

// 0x00RRGGBB as a COLORREF.
inline COLORREF colorref(uint32_t xrgb) { return RGB((xrgb >> 16) & 255, (xrgb >> 8) & 255, xrgb & 255); }

// The error code of the swCBitmapError the call throws; -1 when it throws none.
template<typename F>
int bitmapErrorCode(F&& call)
{
    try {
        std::forward<F>(call)();
    } catch (swCBitmapError* error) {
        const int code = error->code();
        delete error;
        return code;
    }
    return -1;
}

} // namespace testing_pictures
