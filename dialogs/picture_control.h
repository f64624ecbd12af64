// PictureControl: the base of the map information controls (thumbnail, facility table, title strip):
// an owner-drawn button of a fixed size that copies its own picture, drawn beforehand, to the screen.
#pragma once

#include "lib/control.h"
#include "lib/media/bitmap.h"

class GameState;
class Presentation;

class PictureControl : public ChildControl {
public:
    void DrawItem(DRAWITEMSTRUCT* item) override;

    HBITMAP picture() const { return m_picture.handle(); }

protected:
    // Creates the control at (x, y) with a picture of its size.
    PictureControl(swCWindow* parent, const GameState& game, const Presentation& look, UINT controlId, const ControlFrame& frame, DWORD style);

    const GameState& m_game;
    const Presentation& m_look;
    swCBitmap m_picture;

private:
    SIZE m_size;
};
