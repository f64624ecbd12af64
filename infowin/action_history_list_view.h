// ActionHistoryListView: the history's owner-drawn report list. Each item's data is the index of
// its log record; the rows are painted from the record through one row bitmap, never from the
// placeholder texts the items carry for the list's own column fitting.
#pragma once

#include "lib/control.h"
#include "lib/media/bitmap.h"

#include <cstdint>

class GameState;
class Presentation;

class ActionHistoryListView : public ChildControl {
public:
    static constexpr UINT kId = 1000;
    static constexpr int kRowHeight = 18;
    static constexpr int kRowBitmapWidth = 2048;
    static constexpr int kColumnCount = 4;

    ActionHistoryListView(swCWindow* parent, GameState& game, const Presentation& look);

    // After the control's window exists: the fonts, the four columns at the given widths and the
    // row bitmap.
    void setUp(const int (&widths)[kColumnCount]);
    // The viewing country the rows are drawn for.
    void setViewer(int viewer) { m_viewer = viewer; }
    // Appends an item for record i with its placeholder texts.
    void addRecord(uint32_t record);
    void clear();
    int itemCount() const;
    // Item i's record index, -1 outside the list.
    int itemRecord(int item) const;
    int columnWidth(int column) const;

    void DrawItem(DRAWITEMSTRUCT* item) override;

private:
    // Paints item i's row into the row bitmap, selected into dc, in the list's client coordinates.
    void paintRow(HDC dc, int item, int top) const;
    RECT labelRect(int item, int column) const;

    GameState& m_game;
    const Presentation& m_look;
    swCBitmap m_row;
    int m_viewer = -1;
};
