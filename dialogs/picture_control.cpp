// PictureControl: creating the control with its picture, and painting it.
#include "dialogs/picture_control.h"

#include "dialogs/bitmap_canvas.h"
#include "lib/media/dc_holders.h"

PictureControl::PictureControl(swCWindow* parent, const GameState& game, const Presentation& look, UINT controlId, const ControlFrame& frame,
    DWORD style)
    : ChildControl("Button", parent, controlId, BS_OWNERDRAW | style)
    , m_game(game)
    , m_look(look)
    , m_size { frame.width, frame.height }
{
    controlCreate(frame);
    m_picture.bitmapCreateCompatible(WindowDcHolder(nullptr), frame.width, frame.height);
}

void PictureControl::DrawItem(DRAWITEMSTRUCT* item)
{
    SelectedBitmap picture(m_picture.handle());
    BitBlt(item->hDC, item->rcItem.left, item->rcItem.top, m_size.cx, m_size.cy, picture.dc(), 0, 0, SRCCOPY);
}
