// The list view's state (report view): rows of sub-item texts under a header that owns the columns.
#pragma once

#include "platform/controls/commctrl.h"
#include "platform/controls/listbox_support.h"

#include <string>
#include <vector>


namespace platform::controls {

// A colour the caller has not set: the system colour is used.
constexpr COLORREF kDefaultColor = 0xFF000000;

class ListView {
public:
    ListView(HWND hwnd, const CREATESTRUCTA& create);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Item {
        std::vector<std::string> texts; // by sub-item
        LPARAM param = 0;
        UINT state = 0;
    };

    int count() const { return int(m_items.size()); }
    int columnCount() const;
    int columnWidth(int column) const;
    int columnOfSubItem(int subItem) const;
    int totalWidth() const;
    int headerHeight() const;
    RECT contentRect() const;
    int rowsPerPage() const;

    // Model (listview.cpp).
    void create();
    int insertColumn(int index, const LVCOLUMNA* column);
    BOOL setColumn(int index, const LVCOLUMNA* column);
    BOOL getColumn(int index, LVCOLUMNA* column) const;
    BOOL deleteColumn(int index);
    BOOL setColumnWidth(int index, int width);
    int insertItem(const LVITEMA* item);
    BOOL setItem(const LVITEMA* item);
    BOOL getItem(LVITEMA* item) const;
    int getItemText(int index, LVITEMA* item) const;
    BOOL setItemText(int index, const LVITEMA* item);
    BOOL deleteItem(int index);
    void deleteAll();
    int nextItem(int start, UINT flags) const;
    // Changes state bits with LVN_ITEMCHANGING/LVN_ITEMCHANGED; -1 means every item.
    BOOL setState(int index, UINT state, UINT mask);
    bool changeState(int index, UINT state, UINT mask);
    LRESULT onHeaderNotify(NMHDR* header);
    LRESULT notifyItem(UINT code, int index, int subItem, UINT newState, UINT oldState, UINT changed, POINT point);

    // View (listview_view.cpp).
    RECT rowRect(int index) const;
    RECT subItemRect(int index, int column, int code) const;
    int hitTest(POINT point, int* column, UINT* flags) const;
    void layoutHeader();
    void updateScrollBars();
    void scrollRows(int top);
    void scrollPixels(int x);
    void ensureVisible(int index);
    void invalidateRow(int index);
    void paint(HDC dc);
    void drawRow(HDC dc, int index, const RECT& row);
    void onButtonDown(POINT point, bool doubleClick, bool right);
    void onKeyDown(WPARAM key);
    void onScroll(int bar, int code);
    void selectOnly(int index);
    void focusItem(int index);

    HWND m_hwnd;
    HWND m_parent;
    DWORD m_style;
    DWORD m_exStyle = 0;
    HWND m_header = nullptr;
    HFONT m_font = nullptr;
    std::vector<int> m_subItems; // per column
    std::vector<Item> m_items;
    int m_rowHeight = 16;
    int m_top = 0;
    int m_scrollX = 0;
    int m_anchor = -1;
    bool m_focused = false;
    COLORREF m_backColor = kDefaultColor;
    COLORREF m_textColor = kDefaultColor;
    COLORREF m_textBackColor = kDefaultColor;
};

} // namespace platform::controls
