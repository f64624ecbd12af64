// The custom colour dialog's owner-drawn swatch and the panel that holds a tab's swatches.
#pragma once

#include "lib/media/button.h"

class CustomColorSwatch : public swCButton {
public:
    static constexpr int kSize = 64;
    CustomColorSwatch(swCWindow* parent, UINT controlId, int x, int y);

    // The picture is drawn from its rectangle (48, 0)-(96, 48), the overlay from (0, 0)-(48, 48),
    // both with magenta left out. Neither is owned.
    void setPictures(HBITMAP picture, HBITMAP overlay)
    {
        m_picture = picture;
        m_overlay = overlay;
    }
    void setDrawPictures(bool on) { m_drawPictures = on; }
    void setMarkedPressed(bool on) { m_markedPressed = on; }
    bool markedPressed() const { return m_markedPressed; }

    void DrawItem(DRAWITEMSTRUCT* item) override;

private:
    HBITMAP m_picture = nullptr;
    HBITMAP m_overlay = nullptr;
    bool m_drawPictures = true;
    bool m_markedPressed = false;
};

// Hands the commands of its swatches on to the dialog; draws nothing of its own.
class CustomColorWindow : public swCWindow {
public:
    CustomColorWindow(swCWindow* parent, swCWindow* commandTarget);
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

private:
    swCWindow* m_commandTarget = nullptr;
};
