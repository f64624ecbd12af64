// EndingBackdrop: the end-of-game window's drawing surfaces, a 640 x 520 back buffer presented in
// the window's client area, and the picture surfaces of the evaluation page by id.
#pragma once

#include "lib/media/direct_draw.h"

class Presentation;

class EndingBackdrop : public swCDirectDraw {
public:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 520;
    // The picture of the page shown before the evaluation, which fades from it.
    static constexpr int kPreviousPage = 7;

    // Attaches the window, fills the back buffer black with the first background over it, and makes
    // the previous-page surface. Throws the library's error when a surface cannot be made. The
    // pictures are read from the presentation's bitmap folder.
    EndingBackdrop(swCWindow* window, const Presentation& look);
    ~EndingBackdrop() override;

    // A memory DC on the back buffer for GDI drawing; give it back before presenting.
    HDC beginDraw() { return ddrawGetMemDC(0); }
    void endDraw(HDC dc) { ddrawReleaseMemDC(0, dc); }
    // Copies a picture of the bitmap folder to (x, y) of the back buffer; false when it cannot be read.
    bool drawPicture(const char* fileName, int x, int y);
    void fillBlack();

    // Shows the back buffer in the window. A library error while presenting is dropped: the window
    // goes on and shows the picture at its next paint.
    void present();
    // The client area's origin on the screen, where a DirectDraw back buffer is presented.
    void moveTo(POINT clientOrigin);

private:
    const Presentation& m_look;
};
