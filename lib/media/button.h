// swCButton: an owner-drawn button with normal, pressed, disabled and focus faces from pictures.
#pragma once

#include "lib/control.h"
#include "lib/media/bitmap.h"

#include <memory>

class swCButton : public swCControl {
public:
    swCButton(swCWindow* parent, UINT controlId, DWORD style);

    // Cuts the three faces from the file (rectangles left, top, right, bottom); the face
    // rectangle becomes the size of the normal one. Throws the picture loader's error, and
    // then keeps the faces it had.
    void buttonSetFaces(const char* imageFile, const RECT& normal, const RECT& pressed, const RECT& disabled);
    void buttonSetFocusFace(const char* imageFile, const RECT& rect);
    void buttonSetNormalFace(std::unique_ptr<swCBitmap> face, const RECT& faceRect);

    void DrawItem(DRAWITEMSTRUCT* item) override;

    void setTransparent(bool on, COLORREF key = kPictureKey)
    {
        m_transparent = on;
        m_transparentColour = key;
    }
    // While set the button is drawn pressed whatever its state.
    void setHeldPressed(bool on) { m_heldPressed = on; }
    // Held pressed or released, and drawn again.
    void holdPressed(bool on);
    bool heldPressed() const { return m_heldPressed; }
    void setIgnoreDisabled(bool on) { m_ignoreDisabled = on; }
    void setDrawText(bool on) { m_drawText = on; }
    const RECT& faceRect() const { return m_faceRect; }

    swCBitmap* normalFace() const { return m_normal.get(); }
    swCBitmap* pressedFace() const { return m_pressed.get(); }
    swCBitmap* disabledFace() const { return m_disabled.get(); }
    swCBitmap* focusFace() const { return m_focus.get(); }

protected:
    // The face for the item state when both the normal and the pressed face exist, else null.
    swCBitmap* chooseFace(UINT itemState) const;
    void drawFace(PaletteHolder& holder, const swCBitmap& face, int x, int y);
    // A button without a focus face shows the focus by a frame inside its edge, in a colour that
    // stands out from the face.
    void drawFocusFrame(PaletteHolder& holder, UINT itemState);

    std::unique_ptr<swCBitmap> m_normal;
    std::unique_ptr<swCBitmap> m_pressed;
    std::unique_ptr<swCBitmap> m_disabled;
    std::unique_ptr<swCBitmap> m_focus;
    COLORREF m_transparentColour = kPictureKey;
    bool m_transparent = false;
    bool m_heldPressed = false;
    bool m_ignoreDisabled = false;
    bool m_drawText = false;
    RECT m_faceRect {};
};

std::unique_ptr<swCBitmap> loadFace(const char* imageFile, const RECT& rect);

// A column header sorts its list at a click; Tab passes it by, as it passes a list's own header.
template <class Button>
Button* columnHeader(Button* button)
{
    button->setTabStop(false);
    return button;
}

// Holds the chosen button of a row (a sorting header, a page) pressed and releases the others;
// empty places in the row are passed over.
template <class Row>
void latchOne(const Row& row, int chosen)
{
    int index = 0;
    for (swCButton* button : row) {
        if (button)
            button->holdPressed(index == chosen);
        ++index;
    }
}
