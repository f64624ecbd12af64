// Label rendering through the GDI layer into a 32-bit DIB section, then thresholded.
#include "tools/mkdata/buttons_text.h"

#include "platform/gdi/wingdi.h"
#include "platform/gdi/wingdi_user.h"
#include "platform/kernel/host.h"

#include <stdexcept>
#include <string>

namespace mkdata::buttons {

void drawLabel(Canvas& canvas, int left, int top, int right, int bottom, std::string_view utf8, uint8_t index,
    int pixelHeight, bool bold, Align align)
{
    const int width = right - left;
    const int height = bottom - top;
    if (width <= 0 || height <= 0 || utf8.empty())
        return;
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP target = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dc || !target || !bits)
        throw std::runtime_error("cannot make a canvas for button labels");
    HGDIOBJ oldBitmap = SelectObject(dc, target);
    const std::string face = platform::utf8ToCp932("ＭＳ Ｐゴシック");
    HFONT font = CreateFontA(-pixelHeight, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0,
        NONANTIALIASED_QUALITY, 0, face.c_str());
    HGDIOBJ oldFont = SelectObject(dc, font);
    RECT all { 0, 0, width, height };
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    const std::string text = platform::utf8ToCp932(utf8);
    UINT across = align == Align::Left ? DT_LEFT : align == Align::Right ? DT_RIGHT : DT_CENTER;
    DrawTextA(dc, text.c_str(), int(text.size()), &all, across | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (((pixels[size_t(y) * size_t(width) + size_t(x)] >> 8) & 0xFF) >= 128)
                canvas.set(left + x, top + y, index);
        }
    }
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(font);
    DeleteObject(target);
    DeleteDC(dc);
}

} // namespace mkdata::buttons
