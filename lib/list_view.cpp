// List-view helpers.
#include "lib/list_view.h"

int listViewInsertColumn(swCWindow& listView, int index, const char* text, int width)
{
    LVCOLUMNA column {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
    if (text) {
        column.mask |= LVCF_TEXT;
        column.pszText = const_cast<LPSTR>(text);
    }
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.iSubItem = index;
    return int(SendMessageA(listView.handle(), LVM_INSERTCOLUMNA, WPARAM(index), reinterpret_cast<LPARAM>(&column)));
}

int listViewSetItem(swCWindow& listView, int item, int subItem, const char* text, LPARAM data)
{
    LVITEMA entry {};
    entry.iItem = item;
    entry.iSubItem = subItem;
    entry.mask = LVIF_TEXT;
    entry.pszText = const_cast<LPSTR>(text);
    if (subItem == 0) {
        entry.mask |= LVIF_PARAM;
        entry.lParam = data;
        return int(SendMessageA(listView.handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&entry)));
    }
    return int(SendMessageA(listView.handle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&entry)));
}

LPARAM listViewGetItemData(swCWindow& listView, int item, int subItem)
{
    LVITEMA entry {};
    entry.mask = LVIF_PARAM;
    entry.iItem = item;
    entry.iSubItem = subItem;
    SendMessageA(listView.handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&entry));
    return entry.lParam;
}

HWND listViewFindHeader(const swCWindow& listView)
{
    if (HWND header = listView.windowFindChildByClass("SysHeader32"))
        return header;
    return GetWindow(listView.handle(), GW_CHILD);
}

void listViewSetHeaderFont(swCWindow& listView, HFONT font)
{
    if (HWND header = listViewFindHeader(listView))
        SendMessageA(header, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}
