// Scoped holders of device contexts and GDI objects, and the drawing helpers every picture of
// the program goes through (methods of the basic holder).
#pragma once

#include "platform/gdi/wingdi.h"
#include "platform/user/winuser.h"

// The library's "no colour": black given palette-relative.
constexpr COLORREF kNoColour = 0x02000000;
// The transparent colour of the program's own pictures.
constexpr COLORREF kPictureKey = 0x02FF00FF;

// A 32-bit picture of the size with its first row at the top, as the program's drawing buffers are made.
BITMAPINFO topDownBitmapInfo(int width, int height);

// Wraps a DC it does not own; the derived holders give theirs back on destruction.
class PaletteHolder {
public:
    explicit PaletteHolder(HDC dc = nullptr) : m_dc(dc) { }
    PaletteHolder(const PaletteHolder&) = delete;
    PaletteHolder& operator=(const PaletteHolder&) = delete;
    virtual ~PaletteHolder() = default;

    // For holders built before their DC is known (owner-draw handlers).
    void selectPaletteInto(HDC dc) { m_dc = dc; }
    HDC dc() const { return m_dc; }

    void blitBitmap(int x, int y, HBITMAP bitmap, const RECT& source);
    void stretchBlitBitmap(const RECT& dest, HBITMAP bitmap, const RECT& source);
    // Copies source to (x, y), leaving the destination where the source has the key colour.
    void blitTransparent(int x, int y, HBITMAP bitmap, const RECT& source, COLORREF key);
    void drawRaisedEdge(const RECT& rect);
    void drawSunkenEdge(const RECT& rect);
    // Both end points are drawn. With no pen, a one-pixel solid pen of the colour is made for the call.
    void drawPolyline(int x1, int y1, int x2, int y2, COLORREF colour, HPEN pen = nullptr);
    // Right and bottom inclusive.
    void frameRectColor(int left, int top, int right, int bottom, COLORREF colour);
    void fillRectColor(int left, int top, int right, int bottom, COLORREF colour);
    // Transparent background; the DC's font, text colour and mode are restored afterwards.
    void drawTextColor(int x, int y, const char* text, COLORREF colour, HFONT font = nullptr);
    void setPixelColor(int x, int y, COLORREF colour);

protected:
    HDC m_dc = nullptr;
};

class WindowDcHolder : public PaletteHolder {
public:
    explicit WindowDcHolder(HWND window);
    ~WindowDcHolder() override;

private:
    HWND m_window = nullptr;
};

class PaintDcHolder : public PaletteHolder {
public:
    explicit PaintDcHolder(HWND window);
    ~PaintDcHolder() override;
    const PAINTSTRUCT& paint() const { return m_paint; }

private:
    HWND m_window = nullptr;
    PAINTSTRUCT m_paint {};
};

class MemoryDcHolder : public PaletteHolder {
public:
    explicit MemoryDcHolder(HDC like);
    ~MemoryDcHolder() override;
};

// A memory DC with the bitmap selected into it while it lives: what is drawn on the DC is drawn on
// the bitmap.
class BitmapDcHolder : public MemoryDcHolder {
public:
    explicit BitmapDcHolder(HBITMAP bitmap);
    ~BitmapDcHolder() override;

private:
    HGDIOBJ m_old = nullptr;
};

// Selects the font (none: the DC's), transparent text and the text colour while it lives.
class TextHolder {
public:
    TextHolder(HDC dc, HFONT font, COLORREF colour);
    ~TextHolder();
    TextHolder(const TextHolder&) = delete;
    TextHolder& operator=(const TextHolder&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_oldFont = nullptr;
    int m_oldMode = 0;
    COLORREF m_oldColour = 0;
};

class GdiObjectHolder {
public:
    explicit GdiObjectHolder(HGDIOBJ object = nullptr) : m_object(object) { }
    GdiObjectHolder(const GdiObjectHolder&) = delete;
    GdiObjectHolder& operator=(const GdiObjectHolder&) = delete;
    ~GdiObjectHolder() { release(); }

    void release();
    HGDIOBJ get() const { return m_object; }

private:
    HGDIOBJ m_object = nullptr;
};
