// The rows of the hex contents popup: the row button of an entry (CommandPromptBar) and the
// status cell beside it (ProductionStatusList), both owner-drawn push buttons.
#pragma once

#include "lib/control.h"

#include <cstdint>

class GameState;
class HookedPopupDialog;

class CommandPromptBar : public swCControl {
public:
    static constexpr int kWidth = 260;
    static constexpr int kHeight = 18;

    CommandPromptBar(HookedPopupDialog* popup, UINT controlId, uint32_t entry, int x, int y);
    void DrawItem(DRAWITEMSTRUCT* item) override;
    uint32_t entry() const { return m_entry; }

private:
    HookedPopupDialog* m_popup;
    uint32_t m_entry;
};

class ProductionStatusList : public swCControl {
public:

    // 67 pixels wide with production counting (rule 45) on, else 25.
    static int width(const GameState& game);

    ProductionStatusList(HookedPopupDialog* popup, UINT controlId, uint32_t entry, int x, int y);
    int OnMessage(MessageRecord& msg) override;
    void DrawItem(DRAWITEMSTRUCT* item) override;
    uint32_t entry() const { return m_entry; }
    void setMenuBackground(bool on) { m_menuBackground = on; }

private:
    HookedPopupDialog* m_popup;
    uint32_t m_entry;
    bool m_menuBackground = false;
    // The last mouse position seen; x -1: none.
    POINT m_lastMouse { -1, -1 };
};
