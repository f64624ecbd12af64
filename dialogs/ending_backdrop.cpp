// EndingBackdrop: set-up, picture drawing and presenting of the end-of-game window's back buffer.
#include "dialogs/ending_backdrop.h"

#include "lib/error.h"
#include "ui/presentation.h"

EndingBackdrop::EndingBackdrop(swCWindow* window, const Presentation& look)
    : swCDirectDraw(window, false)
    , m_look(look)
{
    ddrawAttachWindow(window, 0, kWidth, kHeight, -1, -1);
    fillBlack();
    drawPicture("end1_bg1.bmp", 0, 0);
    ddrawCreateSurface(kPreviousPage, kWidth, kHeight);
}

// The surfaces go with the base's release of everything it made.
EndingBackdrop::~EndingBackdrop() = default;

void EndingBackdrop::fillBlack()
{
    if (HDC dc = beginDraw()) {
        RECT all { 0, 0, kWidth, kHeight };
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        endDraw(dc);
    }
}

bool EndingBackdrop::drawPicture(const char* fileName, int x, int y)
{
    swCBitmap picture;
    try {
        picture.bitmapLoadFile(m_look.bitmapPath(fileName).c_str());
    } catch (swCError* error) {
        delete error;
        return false;
    }
    HDC dc = beginDraw();
    if (!dc)
        return false;
    const SIZE size = picture.bitmapGetSize();
    PaletteHolder(dc).blitBitmap(x, y, picture.handle(), RECT { 0, 0, size.cx, size.cy });
    endDraw(dc);
    return true;
}

void EndingBackdrop::present()
{
    try {
        ddrawPresent();
    } catch (swCError* error) {
        delete error;
    }
}

void EndingBackdrop::moveTo(POINT clientOrigin)
{
    // Without DirectDraw the back buffer is copied through the window's own DC, in client coordinates.
    if (usesDirectDraw())
        ddrawMoveOrigin(clientOrigin.x, clientOrigin.y);
}
