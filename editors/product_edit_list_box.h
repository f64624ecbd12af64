// The production-type editor's two unit-type lists: owner-drawn rows over the editor's background
// with icon, class, name and (on the left) cost. Row data is the unit-type id + 1.
#pragma once

#include "lib/control.h"
#include "lib/media/bitmap.h"

#include <vector>

class GameState;
class Presentation;

namespace product_edit_id {
enum : int {
    kName = 1008, kAdd, kRemove,
    // Domain toggles 1011..1016 for domains 0..5.
    kFirstDomain = 1011, kRightList = 1002, kLeftList = 1017, kSave, kClose, kUnitInfo,
    // Sort keys: right class and name, left class, name and cost.
    kRightByClass = 1021, kRightByName, kLeftByClass, kLeftByName, kLeftByCost, kClassFilter = 1029,
};
} // namespace product_edit_id

// The right list: the unit types the production type holds.
class ProductEditListBox : public ChildControl {
public:
    static constexpr int kRowHeight = 18;
    static constexpr int kTop = 140;

    ProductEditListBox(swCWindow* parent, const GameState& game, const Presentation& look, const swCBitmap& background, const swCBitmap& strips);

    void DrawItem(DRAWITEMSTRUCT* item) override;
    // Every scroll repaints the whole list: the rows are drawn over the window's background.
    int OnMessage(MessageRecord& msg) override;

    // Replaces the rows; the ids in `selected` stay selected and the top row becomes `top`.
    void setRows(const std::vector<int>& ids, const std::vector<int>& selected, int top);
    std::vector<int> selectedRows() const;
    std::vector<int> selectedIds() const;
    int rowCount() const;
    int topRow() const;
    // Below the last row of a short list the background is copied in, as the list paints no
    // background of its own.
    void paintBelowRows(HDC dc) const;

protected:
    ProductEditListBox(swCWindow* parent, const GameState& game, const Presentation& look, int controlId, const swCBitmap& background,
        const swCBitmap& strips,
        int left, int rowWidth, RECT selectedStrip, bool showsCost);

private:
    const GameState& m_game;
    const Presentation& m_look;
    const swCBitmap& m_background;
    const swCBitmap& m_strips;
    int m_left = 0;
    RECT m_selectedStrip {};
    bool m_showsCost = false;
};

// The left list: the unit types that may still be added, with their cost.
class ProductEditListBox2 : public ProductEditListBox {
public:
    ProductEditListBox2(swCWindow* parent, const GameState& game, const Presentation& look, const swCBitmap& background, const swCBitmap& strips);
};
