// PictureCanvas: the two copies of a drawn window's picture (the canvas that is drawn on and shown,
// and the clean copy areas are restored from), with the drawing the play windows share.
#pragma once

#include "lib/media/bitmap.h"

#include <mutex>
#include <string>

class Presentation;

class PictureCanvas {
public:
    // Cuts the rectangle of the file of the presentation's bitmap folder into both copies; false (and
    // nothing kept) when the file cannot be read. The picture then stays black, so a window still
    // shows and closes.
    bool load(const Presentation& look, const char* fileName, const RECT& source);
    // A black picture of the size, for a window whose file is missing.
    void makeBlank(int width, int height);
    // Cuts a rectangle of the whole file into a separate bitmap (faces, bars, animation frames).
    static bool loadPart(const Presentation& look, swCBitmap& into, const char* fileName, const RECT& source);

    SIZE size() const { return m_size; }
    HBITMAP canvas() const { return m_canvas.handle(); }
    HBITMAP clean() const { return m_clean.handle(); }

    // Copies the clean picture's rectangle back over the canvas.
    void restore(const RECT& area);
    void blit(int x, int y, HBITMAP source, const RECT& sourceRect);
    // The same, leaving out the program's transparent colour (icon sheets).
    void blitKeyed(int x, int y, HBITMAP source, const RECT& sourceRect);
    void fill(const RECT& area, COLORREF colour);
    // Text in the rectangle with the font, transparent background; format as DrawTextA takes it.
    void text(const RECT& area, const std::string& text, COLORREF colour, HFONT font, UINT format = DT_LEFT);
    // The same with a one-pixel black outline around white-on-picture figures.
    void outlinedText(const RECT& area, const std::string& text, COLORREF colour, HFONT font, UINT format);
    // Draws on the canvas through a memory DC (the call gets the DC).
    template <class Draw>
    void draw(Draw&& paint)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        HDC dc = beginDraw();
        paint(dc);
        endDraw(dc);
    }

    // Copies the canvas (or the part named) to the window's DC at the same place.
    void copyTo(HDC dc, const RECT& area);
    void copyTo(HDC dc) { copyTo(dc, { 0, 0, m_size.cx, m_size.cy }); }
    // The WM_PAINT answer: the update rectangle from the canvas.
    void paint(HWND window);

private:
    HDC beginDraw();
    void endDraw(HDC dc);

    swCBitmap m_canvas;
    swCBitmap m_clean;
    SIZE m_size {};
    HGDIOBJ m_old = nullptr;
    // A watcher thread and the window's own thread may both draw and copy.
    std::mutex m_lock;
};
