// The ListBox control's state and behaviour; the combo box drives its drop-down list through it.
#pragma once

#include "platform/controls/listbox.h"
#include "platform/controls/listbox_support.h"

#include <string>
#include <vector>

namespace platform::controls {

class ListBox {
public:
    ListBox(HWND hwnd, const CREATESTRUCTA& create);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    // Model.
    int count() const { return int(m_items.size()); }
    int insert(int index, LPARAM value);
    int remove(int index);
    void reset();
    int setCount(int wanted);
    int getText(int index, char* out) const;
    int textLength(int index) const;
    const std::string& text(int index) const { return m_items[size_t(index)].text; }
    int find(int start, LPARAM value, bool exact) const;
    int currentSelection() const;
    int setCurrentSelection(int index);
    int caret() const { return m_caret; }
    // The font rows are measured and drawn in: the one set, else the DC's default font.
    HFONT font() const { return m_font ? m_font : dcDefaultFont(); }

    // Geometry. Rows of a variable owner-drawn list each have the height their parent measured.
    int itemHeight() const { return m_itemHeight; }
    int itemHeight(int index) const;
    int setItemHeight(int height);
    RECT itemRect(int index) const;
    int itemFromPoint(POINT point, bool* outside) const;
    int topIndex() const { return m_top; }
    int setTopIndex(int index);
    void ensureVisible(int index);

    // Drop-down use: notices go to the combo box and the mouse behaves as a menu.
    void beginTracking() { m_tracking = true; }

private:
    struct Item {
        std::string text;
        ULONG_PTR data = 0;
        int height = 0; // variable owner-drawn lists only
        bool selected = false;
    };

    bool hasStrings() const;
    bool ownerDraw() const { return (m_style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }
    bool multiSelect() const { return (m_style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
    bool multiColumn() const { return (m_style & LBS_MULTICOLUMN) != 0; }
    bool noData() const { return (m_style & LBS_NODATA) != 0; }
    bool variable() const { return (m_style & LBS_OWNERDRAWVARIABLE) != 0; }
    void measure(int index);
    // The distance from the top of row `from` to the top of row `to` (negative above it).
    int rowsHeight(int from, int to) const;
    int maxTop() const;
    bool isSelected(int index) const;
    int rowsPerColumn() const;
    int visibleCount() const;
    int pageStep() const;
    void notify(int code);

    // Selection changes that come from the user; true when the selection changed. Keys notify
    // LBN_SELCHANGE at once, a mouse press when it ends.
    bool userSelect(int index, bool shift, bool ctrl, bool toggle);
    void selectRange(int from, int to, bool value);
    void setCaret(int index);
    bool setSelection(int index, bool value);
    // LB_SETSEL, LB_SELITEMRANGE and LB_SELITEMRANGEEX.
    LRESULT setSel(bool value, int index);
    LRESULT selItemRange(int first, int last, bool value);

    void updateScrollBars();
    void scrollTo(int top);
    void scrollSideways(int left);   // rows wider than the list (LB_SETHORIZONTALEXTENT)
    void invalidateItem(int index);

    // Drawing (listbox_paint.cpp).
    void paint(HDC dc);
    void drawItem(HDC dc, int index, const RECT& rect, UINT action);
    void drawText(HDC dc, const std::string& text, const RECT& rect);
    void drawEmptyFocus(HDC dc);

    // Input (listbox_input.cpp).
    LRESULT onKeyDown(WPARAM key);
    void onChar(WPARAM ch);
    void onButtonDown(POINT point, bool doubleClick);
    void onMouseMove(POINT point);
    void onButtonUp(POINT point);
    void onScroll(int bar, int code);
    void onSidewaysScroll(int code);
    void onWheel(int delta);
    void onFocus(bool gained);
    void moveCaretTo(int index);
    // The mouse press ended (button up, focus or capture lost): LBN_SELCHANGE for the click.
    void endTracking();

    int setTabStops(int count, const int* stops);

    HWND m_hwnd;
    HWND m_parent;
    HWND m_combo = nullptr;
    DWORD m_style;
    HFONT m_font = nullptr;
    std::vector<Item> m_items;
    std::vector<int> m_tabStops; // pixels
    int m_itemHeight = 16;
    int m_columnWidth = 0;
    int m_top = 0;
    int m_selected = -1; // single selection
    int m_caret = 0;     // the focus item: 0 until something moves it, also with nothing selected
    int m_anchor = -1;
    int m_horizontalExtent = 0;
    int m_left = 0;      // horizontal scroll position in pixels
    bool m_focused = false;
    bool m_tracking = false;
    bool m_trackValue = true; // extended drag: select or deselect the range
    bool m_clickPending = false; // a press on an item whose LBN_SELCHANGE comes when it ends
    bool m_redraw = true;
};

// The list-box object of a window of class "ListBox" or "ComboLBox", or null.
ListBox* listBoxOf(HWND hwnd);

} // namespace platform::controls
