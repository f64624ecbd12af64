// The ComboBox control's state: a selection field (drawn, or an edit for CBS_DROPDOWN) and a
// drop-down "ComboLBox" popup driven through ListBox.
#pragma once

#include "platform/controls/combobox.h"
#include "platform/controls/listbox_impl.h"

namespace platform::controls {

class ComboBox {
public:
    ComboBox(HWND hwnd, const CREATESTRUCTA& create)
        : m_hwnd(hwnd)
        , m_parent(create.hwndParent)
        , m_style(DWORD(create.style))
        , m_createHeight(create.cy)
    {
    }
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    // Keys the edit field passes on: arrows, pages, F4, and Enter/Escape while dropped.
    bool takesEditKey(WPARAM key) const;
    void onKey(WPARAM key);

private:
    bool ownerDraw() const { return (m_style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0; }
    // The font the field is measured and drawn in: the one set, else the DC's default font.
    HFONT font() const { return m_font ? m_font : dcDefaultFont(); }
    // The selection field's item is two pixels taller than the font; the window adds six.
    int fontFieldItemHeight() const { return fontLineHeight(font()) + 2; }
    int fieldHeight() const { return m_fieldItemHeight + 6; }
    void resizeToField(UINT flags = 0);
    void onWindowPosChanging(WINDOWPOS& wp);
    void create();
    void drop();
    void closeUp(bool accept);
    void select(int index, bool notifyChange);
    void paint(HDC dc);
    void notify(int code) { notifyCommand(m_parent, m_hwnd, code); }
    LRESULT forward(UINT message, WPARAM wParam, LPARAM lParam) { return SendMessageA(m_list, message, wParam, lParam); }
    void onListCommand(int code);

    // The edit field of CBS_DROPDOWN (combobox_edit.cpp).
    bool hasEdit() const { return m_edit != nullptr; }
    void createEdit();
    void placeEdit();
    void showSelectionInEdit();
    void onEditCommand(int code);
    RECT fieldRect() const;

    HWND m_hwnd;
    HWND m_parent;
    DWORD m_style;
    int m_createHeight;   // field and dropped list together, as the caller sized the combo
    HWND m_list = nullptr;
    HWND m_edit = nullptr;
    ListBox* m_lb = nullptr;
    HFONT m_font = nullptr;
    int m_fieldItemHeight = 12;
    int m_droppedWidth = 0;
    int m_selectionAtDrop = -1;
    bool m_dropped = false;
    bool m_focused = false;
    bool m_settingEdit = false; // the field's own text changes are not the user's edits
    bool m_fitting = false;     // the control sizes itself to its field, no caller's size
};

} // namespace platform::controls
