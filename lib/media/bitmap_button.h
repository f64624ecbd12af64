// BitmapButton, the game's strip-faced owner-drawn button, and its subclasses per strip and size.
#pragma once

#include "lib/media/bitmap_button_layout.h"
#include "lib/media/button.h"

class BitmapButton : public swCButton {
public:
    BitmapButton(swCWindow* parent, UINT controlId, int x, int y, int width, int height);
    BitmapButton(swCWindow* parent, bitmap_buttons::ButtonKind kind, int imageIndex, UINT controlId, int x, int y);

    int OnMessage(MessageRecord& msg) override;
    void DrawItem(DRAWITEMSTRUCT* item) override;

    void setReleaseTracking(bool on) { m_releaseTracking = on; }
    bool releaseTracking() const { return m_releaseTracking; }
    // The face drawn last, repainted when the background is erased.
    swCBitmap* currentFace() const { return m_currentFace; }

private:
    BitmapButton(swCWindow* parent, UINT controlId, int x, int y, const bitmap_buttons::ButtonLayout& layout);

    bool m_drawn = false;
    swCBitmap* m_currentFace = nullptr;
    bool m_released = false;
    bool m_releaseTracking = false;
};

#define DERAZODO_BITMAP_BUTTON(name)                                                                   \
    class name : public BitmapButton {                                                                 \
    public:                                                                                            \
        name(swCWindow* parent, int imageIndex, UINT controlId, int x, int y)                          \
            : BitmapButton(parent, bitmap_buttons::ButtonKind::name, imageIndex, controlId, x, y)      \
        {                                                                                              \
        }                                                                                              \
    }

DERAZODO_BITMAP_BUTTON(CheckMarkButton);
DERAZODO_BITMAP_BUTTON(Button24x20);
DERAZODO_BITMAP_BUTTON(Button28x20);
DERAZODO_BITMAP_BUTTON(Button32x20);
DERAZODO_BITMAP_BUTTON(Button48x16);
DERAZODO_BITMAP_BUTTON(Button48x20);
DERAZODO_BITMAP_BUTTON(ComButton72x24);
DERAZODO_BITMAP_BUTTON(Button68x20);
DERAZODO_BITMAP_BUTTON(EnvButton80x24);
DERAZODO_BITMAP_BUTTON(Button96x20);
DERAZODO_BITMAP_BUTTON(Button100x26);
DERAZODO_BITMAP_BUTTON(EnvButton172x24);
DERAZODO_BITMAP_BUTTON(Button228x20);
DERAZODO_BITMAP_BUTTON(Button272x20);
DERAZODO_BITMAP_BUTTON(PanelButton20x20);
DERAZODO_BITMAP_BUTTON(PanelButton30x20);
DERAZODO_BITMAP_BUTTON(PanelButton32x20);
DERAZODO_BITMAP_BUTTON(ToolButton40x24);
DERAZODO_BITMAP_BUTTON(InfoButton48x16);
DERAZODO_BITMAP_BUTTON(InfoButton56x24);
DERAZODO_BITMAP_BUTTON(PanelButton64x20);
DERAZODO_BITMAP_BUTTON(InfoButton72x24);
DERAZODO_BITMAP_BUTTON(InfoButton80x24);
DERAZODO_BITMAP_BUTTON(PanelButton80x24);
DERAZODO_BITMAP_BUTTON(ToolButton160x24);
DERAZODO_BITMAP_BUTTON(ChangeButton144x40);
DERAZODO_BITMAP_BUTTON(EditGridButton72x24);
DERAZODO_BITMAP_BUTTON(EditButton72x24);
DERAZODO_BITMAP_BUTTON(EditButton96x24);
DERAZODO_BITMAP_BUTTON(WeaponListButton);
DERAZODO_BITMAP_BUTTON(EditSheetButton);
DERAZODO_BITMAP_BUTTON(IncomeButton112x32);
DERAZODO_BITMAP_BUTTON(FillTroopButton72x24);
DERAZODO_BITMAP_BUTTON(SupplyTroopButton72x24);
DERAZODO_BITMAP_BUTTON(FillTroopButton96x24);
DERAZODO_BITMAP_BUTTON(SupplyTroopButton96x24);
DERAZODO_BITMAP_BUTTON(FillTroopButton104x28);
DERAZODO_BITMAP_BUTTON(SupplyTroopButton104x28);
DERAZODO_BITMAP_BUTTON(EndButton88x32);
DERAZODO_BITMAP_BUTTON(AutoMoveSubButton);
DERAZODO_BITMAP_BUTTON(MergeButton);

#undef DERAZODO_BITMAP_BUTTON

// The editors' windows call the edit sheet's buttons by this name.
using EditPanelButton = EditSheetButton;

class ComButton24x24 : public BitmapButton {
public:
    ComButton24x24(swCWindow* parent, int imageIndex, UINT controlId, int x, int y)
        : BitmapButton(parent, bitmap_buttons::ButtonKind::ComButton24x24, imageIndex, controlId, x, y)
    {
    }
    void setCount(bool shown, int count)
    {
        m_countShown = shown;
        m_count = count;
    }
    void DrawItem(DRAWITEMSTRUCT* item) override;

private:
    bool m_countShown = false;
    int m_count = 0;
};

class ToolButton80x24 : public BitmapButton {
public:
    ToolButton80x24(swCWindow* parent, int imageIndex, UINT controlId, int x, int y)
        : BitmapButton(parent, bitmap_buttons::ButtonKind::ToolButton80x24, imageIndex, controlId, x, y)
    {
    }
    void DrawItem(DRAWITEMSTRUCT* item) override;
    bool pressedSeen() const { return m_pressedSeen; }
    void clearPressedSeen() { m_pressedSeen = false; }

private:
    bool m_pressedSeen = false;
};

// Shows the picture of one hex (terrain and building); always disabled.
class HexPictureButton : public swCButton {
public:
    HexPictureButton(swCWindow* parent, UINT controlId, int x, int y, int hexX, int hexY);
};
