// ProductionListBox: the building's stored units and the orders placed beside them, one 33-pixel
// row each with the unit's picture, name, state and machines. Item data: StoredEntry::data.
#pragma once

#include "lib/control.h"

class GameState;
class Presentation;

class ProductionListBox : public ChildControl {
public:
    static constexpr DWORD kStyle = WS_VSCROLL | WS_BORDER | WS_TABSTOP | LBS_NOINTEGRALHEIGHT | LBS_USETABSTOPS
        | LBS_NOTIFY | LBS_OWNERDRAWFIXED;
    static constexpr int kRowHeight = 33;

    // Orders are drawn in the country's colours.
    ProductionListBox(swCWindow* parent, const GameState& game, const Presentation& look, UINT controlId, int country);

    void create(int x, int y, int width, int height);
    // -1 when nothing is selected.
    int selection() const;

    void DrawItem(DRAWITEMSTRUCT* item) override;

private:
    const GameState& m_game;
    const Presentation& m_look;
    int m_country = 0;
};
