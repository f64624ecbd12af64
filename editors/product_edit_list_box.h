// The production-type editor's two unit-type lists: owner-drawn rows over the editor's background
// with icon, class, name and (on the left) cost. Row data is the unit-type id + 1.
#pragma once

#include "lib/control.h"
#include "lib/media/bitmap.h"

#include <vector>

class GameState;

namespace product_edit_id {
constexpr int kName = 1008;
constexpr int kAdd = 1009;
constexpr int kRemove = 1010;
// Domain toggles 1011..1016 for domains 0..5.
constexpr int kFirstDomain = 1011;
constexpr int kRightList = 1002;
constexpr int kLeftList = 1017;
constexpr int kSave = 1018;
constexpr int kClose = 1019;
constexpr int kUnitInfo = 1020;
// Sort keys: right class and name, left class, name and cost.
constexpr int kRightByClass = 1021;
constexpr int kRightByName = 1022;
constexpr int kLeftByClass = 1023;
constexpr int kLeftByName = 1024;
constexpr int kLeftByCost = 1025;
constexpr int kClassFilter = 1029;
} // namespace product_edit_id

// The right list: the unit types the production type holds.
class ProductEditListBox : public ChildControl {
public:
    static constexpr int kRowHeight = 18;
    static constexpr int kTop = 140;

    ProductEditListBox(swCWindow* parent, const GameState& game, const swCBitmap& background, const swCBitmap& strips);

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
    ProductEditListBox(swCWindow* parent, const GameState& game, int controlId, const swCBitmap& background,
        const swCBitmap& strips,
        int left, int rowWidth, RECT selectedStrip, bool showsCost);

private:
    const GameState& m_game;
    const swCBitmap& m_background;
    const swCBitmap& m_strips;
    int m_left = 0;
    RECT m_selectedStrip {};
    bool m_showsCost = false;
};

// The left list: the unit types that may still be added, with their cost.
class ProductEditListBox2 : public ProductEditListBox {
public:
    ProductEditListBox2(swCWindow* parent, const GameState& game, const swCBitmap& background, const swCBitmap& strips);
};
