// PictureCanvas: loading, restoring and drawing on a drawn window's picture.
#include "ui/picture_canvas.h"

#include "lib/error.h"
#include "ui/presentation.h"

bool PictureCanvas::loadPart(const Presentation& look, swCBitmap& into, const char* fileName, const RECT& source)
{
    const std::string path = look.bitmapPath(fileName);
    try {
        into.bitmapLoadRect(path.c_str(), source.left, source.top, source.right, source.bottom);
        return true;
    } catch (swCError* error) {
        delete error;
        return false;
    }
}

bool PictureCanvas::load(const Presentation& look, const char* fileName, const RECT& source)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_size = { source.right - source.left, source.bottom - source.top };
    if (loadPart(look, m_canvas, fileName, source) && loadPart(look, m_clean, fileName, source))
        return true;
    WindowDcHolder screen(nullptr);
    m_canvas.bitmapCreateCompatible(screen, int(m_size.cx), int(m_size.cy));
    m_clean.bitmapCreateCompatible(screen, int(m_size.cx), int(m_size.cy));
    return false;
}

void PictureCanvas::makeBlank(int width, int height)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_size = { width, height };
    WindowDcHolder screen(nullptr);
    m_canvas.bitmapCreateCompatible(screen, width, height);
    m_clean.bitmapCreateCompatible(screen, width, height);
}

HDC PictureCanvas::beginDraw()
{
    HDC dc = CreateCompatibleDC(nullptr);
    m_old = SelectObject(dc, m_canvas.handle());
    return dc;
}

void PictureCanvas::endDraw(HDC dc)
{
    SelectObject(dc, m_old);
    DeleteDC(dc);
}

void PictureCanvas::restore(const RECT& area)
{
    blit(area.left, area.top, m_clean.handle(), area);
}

void PictureCanvas::blit(int x, int y, HBITMAP source, const RECT& sourceRect)
{
    draw([&](HDC dc) {
        PaletteHolder holder(dc);
        holder.blitBitmap(x, y, source, sourceRect);
    });
}

void PictureCanvas::blitKeyed(int x, int y, HBITMAP source, const RECT& sourceRect)
{
    draw([&](HDC dc) {
        PaletteHolder holder(dc);
        holder.blitTransparent(x, y, source, sourceRect, kPictureKey);
    });
}

void PictureCanvas::fill(const RECT& area, COLORREF colour)
{
    draw([&](HDC dc) {
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc, &area, brush);
        DeleteObject(brush);
    });
}

namespace {

void drawTextIn(HDC dc, RECT area, const std::string& text, COLORREF colour, HFONT font, UINT format)
{
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, colour);
    DrawTextA(dc, text.c_str(), int(text.size()), &area, format | DT_NOPREFIX);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    if (oldFont)
        SelectObject(dc, oldFont);
}

} // namespace

void PictureCanvas::text(const RECT& area, const std::string& text, COLORREF colour, HFONT font, UINT format)
{
    draw([&](HDC dc) { drawTextIn(dc, area, text, colour, font, format); });
}

void PictureCanvas::outlinedText(const RECT& area, const std::string& text, COLORREF colour, HFONT font, UINT format)
{
    draw([&](HDC dc) {
        for (POINT d : { POINT { -1, 0 }, POINT { 1, 0 }, POINT { 0, -1 }, POINT { 0, 1 } }) {
            RECT shifted { area.left + d.x, area.top + d.y, area.right + d.x, area.bottom + d.y };
            drawTextIn(dc, shifted, text, RGB(0, 0, 0), font, format);
        }
        drawTextIn(dc, area, text, colour, font, format);
    });
}

void PictureCanvas::copyTo(HDC target, const RECT& area)
{
    std::lock_guard<std::mutex> lock(m_lock);
    HDC dc = CreateCompatibleDC(target);
    HGDIOBJ old = SelectObject(dc, m_canvas.handle());
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc, area.left, area.top, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
}

void PictureCanvas::paint(HWND window)
{
    PaintDcHolder holder(window);
    if (holder.dc())
        copyTo(holder.dc(), holder.paint().rcPaint);
}
