// List view and header through input: columns resized by dragging the divider, divider
// double-click, owner-drawn rows, selection notices and scrolling.
#include "listbox_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace listtest;
namespace harness = platform::harness;

namespace {

HWND makeList(Parent& parent, DWORD style, int rows, int width = 300, int height = 200)
{
    HWND list = parent.child(WC_LISTVIEWA, LVS_REPORT | WS_BORDER | style, 40, 10, 10, width, height);
    const char* titles[] = { "name", "count", "fuel" };
    int widths[] = { 60, 80, 50 };
    for (int c = 0; c < 3; ++c) {
        LVCOLUMNA col {};
        col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        col.cx = widths[c];
        col.pszText = const_cast<char*>(titles[c]);
        col.iSubItem = c;
        SendMessageA(list, LVM_INSERTCOLUMNA, WPARAM(c), reinterpret_cast<LPARAM>(&col));
    }
    for (int i = 0; i < rows; ++i) {
        std::string name = "unit " + std::to_string(i);
        LVITEMA item {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = i;
        item.pszText = name.data();
        item.lParam = 500 + i;
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        std::string count = std::to_string(i * 3);
        item.mask = LVIF_TEXT;
        item.iSubItem = 1;
        item.pszText = count.data();
        SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    pump();
    return list;
}

RECT subItemRect(HWND list, int item, int subItem, int code = LVIR_BOUNDS)
{
    RECT r {};
    r.top = subItem;
    r.left = code;
    SendMessageA(list, LVM_GETSUBITEMRECT, WPARAM(item), reinterpret_cast<LPARAM>(&r));
    return r;
}

HWND headerOf(HWND list)
{
    return reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
}

} // namespace

TEST(ListViewItems, SubItemTextRectanglesAndParams)
{
    Parent parent;
    HWND list = makeList(parent, 0, 5);
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 5);
    char text[16] = {};
    LVITEMA item {};
    item.iSubItem = 1;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMTEXTA, 3, reinterpret_cast<LPARAM>(&item)), 1);
    EXPECT_STREQ(text, "9");
    item.iSubItem = 2;
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMTEXTA, 3, reinterpret_cast<LPARAM>(&item)), 0);

    LVITEMA get {};
    get.mask = LVIF_PARAM;
    get.iItem = 4;
    ASSERT_TRUE(SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&get)));
    EXPECT_EQ(get.lParam, 504);

    RECT bounds { LVIR_BOUNDS, 0, 0, 0 };
    SendMessageA(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&bounds));
    RECT label { LVIR_LABEL, 0, 0, 0 };
    SendMessageA(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&label));
    EXPECT_EQ(bounds.right - bounds.left, 190);
    EXPECT_EQ(label.right - label.left, 60);
    RECT second = subItemRect(list, 1, 1);
    EXPECT_EQ(second.left, 60);
    EXPECT_EQ(second.right, 140);
    EXPECT_EQ(second.top, bounds.top);
    RECT headerRect;
    GetWindowRect(headerOf(list), &headerRect);
    RECT first { LVIR_BOUNDS, 0, 0, 0 };
    SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    EXPECT_EQ(first.top, headerRect.bottom - headerRect.top) << "rows start under the header";
    HFONT big = CreateFontA(-24, 0, 0, 0, FW_BOLD, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "");
    SendMessageA(headerOf(list), WM_SETFONT, reinterpret_cast<WPARAM>(big), TRUE);
    pump();
    RECT taller;
    GetWindowRect(headerOf(list), &taller);
    EXPECT_GT(taller.bottom - taller.top, headerRect.bottom - headerRect.top);
    SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    EXPECT_EQ(first.top, taller.bottom - taller.top) << "a header font moves the rows down";

    EXPECT_TRUE(SendMessageA(list, LVM_DELETEITEM, 0, 0));
    get.iItem = 0;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&get));
    EXPECT_EQ(get.lParam, 501);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 0);
    SendMessageA(headerOf(list), WM_SETFONT, 0, FALSE);
    DeleteObject(big);
    EXPECT_FALSE(SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&get)));
}

TEST(ListViewColumns, DividerDragResizesWithTrackingNotices)
{
    Parent parent;
    HWND list = makeList(parent, 0, 3);
    HWND header = headerOf(list);
    ASSERT_NE(header, nullptr);
    parent.clear();
    POINT from = screenPoint(header, 60, 5);
    harness::mouseMove(from.x, from.y);
    harness::mouseDown(from.x, from.y);
    pump();
    harness::mouseMove(from.x + 25, from.y);
    pump();
    harness::mouseMove(from.x + 40, from.y);
    pump();
    harness::mouseUp(from.x + 40, from.y);
    pump();
    EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0), 100);
    EXPECT_EQ(subItemRect(list, 0, 1).left, 100) << "the list view follows the header";
    ASSERT_FALSE(parent.notices.empty());
    EXPECT_EQ(parent.notices.front(), UINT(HDN_BEGINTRACKA));
    EXPECT_EQ(parent.notices.back(), UINT(HDN_ENDTRACKA));
    EXPECT_EQ(std::count(parent.notices.begin(), parent.notices.end(), UINT(HDN_TRACKA)), 2);
    EXPECT_EQ(std::count(parent.notices.begin(), parent.notices.end(), UINT(HDN_ITEMCHANGEDA)), 2);

    parent.onNotify = [](NMHDR* nm) -> LRESULT { return nm->code == HDN_BEGINTRACKA; };
    from = screenPoint(header, 100, 5);
    harness::mouseMove(from.x, from.y);
    harness::mouseDown(from.x, from.y);
    harness::mouseMove(from.x + 30, from.y);
    harness::mouseUp(from.x + 30, from.y);
    pump();
    EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0), 100) << "a refused track leaves the width";
}

TEST(ListViewColumns, DividerDoubleClickNotifiesAndFitsTheColumn)
{
    Parent parent;
    HWND list = makeList(parent, 0, 3);
    HWND header = headerOf(list);
    parent.clear();
    doubleClickAt(header, 140, 5);
    EXPECT_NE(std::find(parent.notices.begin(), parent.notices.end(), UINT(HDN_DIVIDERDBLCLICKA)), parent.notices.end());
    int fitted = int(SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0));
    EXPECT_GT(fitted, 12);
    EXPECT_LT(fitted, 80) << "narrowed to its widest text";

    parent.clear();
    POINT p = screenPoint(header, 20, 5);
    harness::click(p.x, p.y);
    pump();
    EXPECT_NE(std::find(parent.notices.begin(), parent.notices.end(), UINT(LVN_COLUMNCLICK)), parent.notices.end());
}

TEST(ListViewOwnerDraw, RowsMeasuredAndDrawnByTheParentWithSelection)
{
    Parent parent;
    parent.measureHeight = 20;
    HWND list = makeList(parent, LVS_OWNERDRAWFIXED | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 4);
    RECT r = subItemRect(list, 1, 0);
    EXPECT_EQ(r.bottom - r.top, 20);
    auto rows = std::count_if(parent.drawn.begin(), parent.drawn.end(), [](const Drawn& d) { return d.ctlType == ODT_LISTVIEW; });
    EXPECT_GE(rows, 4);

    parent.clear();
    clickAt(list, 120, (r.top + r.bottom) / 2);
    auto drawn = std::find_if(parent.drawn.begin(), parent.drawn.end(),
        [](const Drawn& d) { return d.itemID == 1 && (d.itemState & ODS_SELECTED); });
    ASSERT_NE(drawn, parent.drawn.end()) << "full row of an owner-drawn list is clickable";
    EXPECT_EQ(drawn->data, ULONG_PTR(501));
    EXPECT_NE(std::find(parent.notices.begin(), parent.notices.end(), UINT(LVN_ITEMCHANGED)), parent.notices.end());
    EXPECT_EQ(parent.notices.back(), UINT(NM_CLICK));
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED), 1);

    LVITEMA state {};
    state.state = state.stateMask = LVIS_SELECTED;
    SendMessageA(list, LVM_SETITEMSTATE, 3, reinterpret_cast<LPARAM>(&state));
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED), 3);
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, 3, LVNI_SELECTED), -1) << "single selection";
    press(VK_UP);
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED), 0) << "keys move from the focused row";
}

TEST(ListViewScrolling, KeysEnsureVisibleAndScrollBothWays)
{
    Parent parent;
    HWND list = makeList(parent, LVS_SHOWSELALWAYS, 50, 150, 200);
    int page = int(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0));
    ASSERT_GT(page, 2);
    SendMessageA(list, LVM_ENSUREVISIBLE, 40, FALSE);
    EXPECT_EQ(SendMessageA(list, LVM_GETTOPINDEX, 0, 0), 40 - page + 1);
    RECT row = subItemRect(list, 0, 0);
    int height = row.bottom - row.top;
    SendMessageA(list, LVM_SCROLL, 0, -3 * height);
    EXPECT_EQ(SendMessageA(list, LVM_GETTOPINDEX, 0, 0), 40 - page - 2);

    clickAt(list, 20, subItemRect(list, 40 - page - 2, 0).top + 2);
    press(VK_END);
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED), 49);
    EXPECT_EQ(SendMessageA(list, LVM_GETTOPINDEX, 0, 0), 50 - page);

    RECT before;
    GetWindowRect(headerOf(list), &before);
    SendMessageA(list, LVM_SCROLL, 30, 0);
    RECT after;
    GetWindowRect(headerOf(list), &after);
    EXPECT_EQ(after.left, before.left - 30) << "the header scrolls with the columns";
    EXPECT_EQ(subItemRect(list, 49, 1).left, 60 - 30);
}
