// ListBox through input: selection modes, owner-drawn rows, multi-column scrolling, the model.
#include "listbox_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace listtest;
namespace harness = platform::harness;

namespace {

void fill(HWND list, int n)
{
    for (int i = 0; i < n; ++i) {
        std::string text = "item " + std::to_string(i);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    pump();
}

std::vector<int> selectedItems(HWND list)
{
    int n = int(SendMessageA(list, LB_GETSELCOUNT, 0, 0));
    std::vector<int> items(size_t(std::max(n, 0)));
    if (n > 0)
        SendMessageA(list, LB_GETSELITEMS, WPARAM(n), reinterpret_cast<LPARAM>(items.data()));
    return items;
}

int rowCenter(HWND list, int index)
{
    RECT r;
    SendMessageA(list, LB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r));
    return (r.top + r.bottom) / 2;
}

} // namespace

TEST(ListBoxSelection, SingleFollowsClicksAndKeysAndNotifies)
{
    Parent parent;
    HWND list = parent.child("ListBox", WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 10, 10, 10, 150, 100);
    fill(list, 20);
    clickAt(list, 20, rowCenter(list, 2));
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(GetFocus(), list);
    std::vector<int> codes = parent.codesFrom(10);
    EXPECT_NE(std::find(codes.begin(), codes.end(), LBN_SETFOCUS), codes.end());
    EXPECT_EQ(std::count(codes.begin(), codes.end(), LBN_SELCHANGE), 1);

    press(VK_DOWN);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 3);
    press(VK_END);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 19);
    EXPECT_GT(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0) << "the last item is scrolled into view";
    RECT last;
    SendMessageA(list, LB_GETITEMRECT, 19, reinterpret_cast<LPARAM>(&last));
    RECT client;
    GetClientRect(list, &client);
    EXPECT_LE(last.bottom, client.bottom);
    press(VK_HOME);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0);

    parent.clear();
    doubleClickAt(list, 20, rowCenter(list, 1));
    codes = parent.codesFrom(10);
    EXPECT_NE(std::find(codes.begin(), codes.end(), LBN_DBLCLK), codes.end());

    // Programmatic selection is silent.
    parent.clear();
    SendMessageA(list, LB_SETCURSEL, 5, 0);
    pump();
    EXPECT_TRUE(parent.codesFrom(10).empty());
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, WPARAM(-1), 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
}

TEST(ListBoxScrolling, WindowScrollBarArrowsAndTrackScrollTheRows)
{
    Parent parent;
    HWND list = parent.child("ListBox", WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 15, 10, 10, 150, 100);
    fill(list, 30);
    RECT frame;
    GetWindowRect(list, &frame);
    int bar = GetSystemMetrics(SM_CXVSCROLL);
    harness::click(frame.right - 1 - bar / 2, frame.bottom - 1 - bar / 2);
    pump();
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 1) << "the down arrow scrolls one row";
    harness::click(frame.right - 1 - bar / 2, frame.top + 1 + bar / 2);
    pump();
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0);

    // Dragging the thumb to the bottom of the bar shows the last rows.
    SCROLLINFO si { sizeof(si), SIF_ALL, 0, 0, 0, 0, 0 };
    GetScrollInfo(list, SB_VERT, &si);
    EXPECT_EQ(si.nMax, 29);
    EXPECT_GT(si.nPage, 0u);
    POINT thumb { frame.right - 1 - bar / 2, frame.top + 1 + bar + 3 };
    // The bar tracks in its own loop, so the whole drag is queued before it runs.
    harness::mouseMove(thumb.x, thumb.y);
    harness::mouseDown(thumb.x, thumb.y);
    harness::mouseMove(thumb.x, frame.bottom - 1);
    harness::mouseUp(thumb.x, frame.bottom - 1);
    pump();
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 30 - int(si.nPage));
}

TEST(ListBoxSelection, ExtendedTakesShiftRangesCtrlTogglesAndDrags)
{
    Parent parent;
    HWND list = parent.child("ListBox", WS_BORDER | LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT, 11, 10, 10, 150, 200);
    fill(list, 10);
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 1, 0), LB_ERR) << "no single selection in a multi-selection list";

    clickAt(list, 20, rowCenter(list, 1));
    clickWith(VK_SHIFT, list, 20, rowCenter(list, 4));
    EXPECT_EQ(selectedItems(list), (std::vector<int> { 1, 2, 3, 4 }));
    clickWith(VK_CONTROL, list, 20, rowCenter(list, 2));
    EXPECT_EQ(selectedItems(list), (std::vector<int> { 1, 3, 4 }));
    clickAt(list, 20, rowCenter(list, 6));
    EXPECT_EQ(selectedItems(list), (std::vector<int> { 6 }));
    pressWith(VK_SHIFT, VK_DOWN);
    pressWith(VK_SHIFT, VK_DOWN);
    EXPECT_EQ(selectedItems(list), (std::vector<int> { 6, 7, 8 }));
    EXPECT_EQ(SendMessageA(list, LB_GETCARETINDEX, 0, 0), 8);

    POINT from = screenPoint(list, 20, rowCenter(list, 0));
    POINT to = screenPoint(list, 20, rowCenter(list, 3));
    harness::mouseMove(from.x, from.y);
    harness::mouseDown(from.x, from.y);
    pump();
    harness::mouseMove(to.x, to.y);
    pump();
    harness::mouseUp(to.x, to.y);
    pump();
    EXPECT_EQ(selectedItems(list), (std::vector<int> { 0, 1, 2, 3 }));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(ListBoxSelection, MultipleTogglesEachClickedItem)
{
    Parent parent;
    HWND list = parent.child("ListBox", LBS_MULTIPLESEL, 12, 10, 10, 150, 203);
    RECT client;
    GetClientRect(list, &client);
    EXPECT_EQ(client.bottom % SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), 0) << "whole rows without LBS_NOINTEGRALHEIGHT";
    fill(list, 5);
    clickAt(list, 20, rowCenter(list, 0));
    clickAt(list, 20, rowCenter(list, 3));
    EXPECT_EQ(selectedItems(list), (std::vector<int> { 0, 3 }));
    clickAt(list, 20, rowCenter(list, 0));
    EXPECT_EQ(selectedItems(list), (std::vector<int> { 3 }));
    press(VK_DOWN);
    press(VK_SPACE);
    EXPECT_EQ(selectedItems(list), (std::vector<int> { 1, 3 })) << "the caret stayed on the last clicked item";
}

TEST(ListBoxSelection, ParentMayTakeKeysFirst)
{
    Parent parent;
    HWND list = parent.child("ListBox", LBS_NOTIFY | LBS_WANTKEYBOARDINPUT, 16, 10, 10, 150, 200);
    fill(list, 8);
    SendMessageA(list, LB_SETCURSEL, 2, 0);
    SetFocus(list);
    std::vector<int> carets;
    parent.onVKeyToItem = [&](WPARAM wParam) -> LRESULT {
        carets.push_back(HIWORD(wParam));
        if (LOWORD(wParam) == VK_DOWN)
            return -2; // handled by the parent
        if (LOWORD(wParam) == VK_END)
            return 5; // go to item 5 instead
        return -1;
    };
    press(VK_DOWN);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
    press(VK_END);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 5);
    press(VK_HOME);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(carets, (std::vector<int> { 2, 2, 5 }));
}

TEST(ListBoxOwnerDraw, MeasuredAtCreationAndDrawnByTheParent)
{
    Parent parent;
    parent.measureHeight = 18;
    DWORD style = WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT | LBS_DISABLENOSCROLL;
    HWND list = parent.child("ListBox", style, 1000, 10, 10, 200, 120);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), 18);

    // An empty list tells the parent where the focus is with item -1.
    parent.clear();
    SetFocus(list);
    pump();
    auto empty = std::find_if(parent.drawn.begin(), parent.drawn.end(), [](const Drawn& d) { return d.itemID == UINT(-1); });
    ASSERT_NE(empty, parent.drawn.end());
    EXPECT_EQ(empty->itemAction, UINT(ODA_FOCUS));
    EXPECT_TRUE(empty->itemState & ODS_FOCUS);
    EXPECT_EQ(empty->ctlType, UINT(ODT_LISTBOX));

    for (int i = 0; i < 3; ++i)
        SendMessageA(list, LB_ADDSTRING, 0, LPARAM(100 + i));
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 1, 0), 101) << "without LBS_HASSTRINGS the value is the item data";
    parent.clear();
    clickAt(list, 30, 18 + 9);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
    auto row = std::find_if(parent.drawn.begin(), parent.drawn.end(),
        [](const Drawn& d) { return d.itemID == 1 && (d.itemState & ODS_SELECTED); });
    ASSERT_NE(row, parent.drawn.end());
    EXPECT_EQ(row->data, ULONG_PTR(101));
    EXPECT_EQ(row->rect.top, 18);
    EXPECT_EQ(row->rect.bottom, 36);

    // The parent's drawing reaches the screen: the selected row is red, the others blue.
    POINT sel = screenPoint(list, 30, 27);
    POINT other = screenPoint(list, 30, 9);
    harness::Image shot = harness::readScreen();
    EXPECT_EQ(shot.at(sel.x, sel.y) & 0xFFFFFF, 0xC80000u);
    EXPECT_EQ(shot.at(other.x, other.y) & 0xFFFFFF, 0x0000C8u);

    SendMessageA(list, LB_SETITEMHEIGHT, 0, MAKELPARAM(24, 0));
    RECT r;
    SendMessageA(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.top, 48);
    EXPECT_EQ(SendMessageA(list, LB_SETITEMHEIGHT, 0, MAKELPARAM(0, 0)), LB_ERR);
}

TEST(ListBoxMultiColumn, ColumnsScrollSidewaysByKeysWheelAndPoint)
{
    Parent parent;
    HWND list = parent.child("ListBox", WS_HSCROLL | LBS_MULTICOLUMN | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY, 13, 10, 10, 160, 100);
    SendMessageA(list, LB_SETCOLUMNWIDTH, 80, 0);
    fill(list, 40);
    int height = int(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    RECT client;
    GetClientRect(list, &client);
    int rows = client.bottom / height;
    ASSERT_GT(rows, 0);

    RECT r;
    SendMessageA(list, LB_GETITEMRECT, WPARAM(rows + 1), reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.left, 80);
    EXPECT_EQ(r.top, height);
    LRESULT hit = SendMessageA(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(85, height + 1));
    EXPECT_EQ(LOWORD(hit), rows + 1);
    EXPECT_EQ(HIWORD(hit), 0);

    clickAt(list, 5, 2);
    press(VK_RIGHT);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), rows);
    press(VK_RIGHT);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2 * rows);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), rows) << "the third column scrolls in whole";
    press(VK_END);
    int top = int(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    EXPECT_EQ(top % rows, 0);
    EXPECT_LE(39 - top, 2 * rows - 1);

    POINT p = screenPoint(list, 40, 20);
    harness::wheel(p.x, p.y, 120);
    pump();
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), top - rows);
    SCROLLINFO si { sizeof(si), SIF_POS, 0, 0, 0, 0, 0 };
    GetScrollInfo(list, SB_HORZ, &si);
    EXPECT_EQ(si.nPos, (top - rows) / rows);
}

TEST(ListBoxMultiColumn, TallMeasuredColumnsKeepTheirScrollBar)
{
    // One item per column, as tall as the list: the measure at creation may pass 255, the
    // message may not; the horizontal bar stays while every column fits.
    Parent parent;
    parent.measureHeight = 300;
    const DWORD style = WS_HSCROLL | LBS_MULTICOLUMN | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_DISABLENOSCROLL;
    HWND list = parent.child("ListBox", style, 14, 10, 10, 200, 300 + GetSystemMetrics(SM_CYHSCROLL));
    EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), 300);
    EXPECT_EQ(SendMessageA(list, LB_SETITEMHEIGHT, 0, MAKELPARAM(300, 0)), LB_ERR);
    SendMessageA(list, LB_SETCOLUMNWIDTH, 20, 0);
    for (int i = 0; i < 4; ++i)
        SendMessageA(list, LB_ADDSTRING, 0, LPARAM(i));
    RECT r;
    SendMessageA(list, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.left, 60);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.bottom, 300);
    RECT client;
    GetClientRect(list, &client);
    EXPECT_EQ(client.bottom, 300) << "the bar stays, disabled";
}

TEST(ListBoxModel, SortsFindsAndKeepsSelectionThroughEdits)
{
    Parent parent;
    HWND list = parent.child("ListBox", LBS_SORT | LBS_NOTIFY, 14, 10, 10, 150, 200);
    for (const char* s : { "pear", "Apple", "banana", "apricot" })
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    char text[32] = {};
    SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Apple");
    SendMessageA(list, LB_GETTEXT, 3, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "pear");
    EXPECT_EQ(SendMessageA(list, LB_GETTEXTLEN, 2, 0), 6);
    EXPECT_EQ(SendMessageA(list, LB_GETTEXTLEN, 9, 0), LB_ERR);

    EXPECT_EQ(SendMessageA(list, LB_FINDSTRING, WPARAM(-1), reinterpret_cast<LPARAM>("AP")), 0);
    EXPECT_EQ(SendMessageA(list, LB_FINDSTRING, 0, reinterpret_cast<LPARAM>("ap")), 1) << "search starts after the index";
    EXPECT_EQ(SendMessageA(list, LB_FINDSTRING, 1, reinterpret_cast<LPARAM>("ap")), 0) << "and wraps";
    EXPECT_EQ(SendMessageA(list, LB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>("ap")), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>("BANANA")), 2);
    EXPECT_EQ(SendMessageA(list, LB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>("pe")), 3);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 3);

    EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, 9, reinterpret_cast<LPARAM>("x")), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("zz")), 0) << "insert does not sort";
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 4);
    SetFocus(list);
    press(VK_UP);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 3) << "keys move from the selection, wherever inserts put it";
    SendMessageA(list, LB_SETCURSEL, 4, 0);
    EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 4, 0), 4);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
    SendMessageA(list, LB_SETCURSEL, 2, 0);
    SendMessageA(list, LB_DELETESTRING, 0, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
    press(VK_DOWN);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
    SendMessageA(list, LB_SETITEMDATA, 1, 77);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 1, 0), 77);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 0, 0), LB_ERR);
}

namespace {

WNDPROC g_listProc = nullptr;
std::vector<int> g_listCommands;

LRESULT CALLBACK subclassedList(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        g_listCommands.push_back(HIWORD(wParam));
    return CallWindowProcA(g_listProc, hwnd, message, wParam, lParam);
}

} // namespace

TEST(ListBoxChildren, ComboInsideTheListReportsToTheListProcedure)
{
    Parent parent;
    HWND list = parent.child("ListBox", WS_BORDER | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT, 1000, 10, 10, 300, 200);
    g_listProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclassedList)));
    g_listCommands.clear();
    HWND combo = CreateWindowExA(0, "ComboBox", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10, 10, 100, 120, list,
        HMENU(1033), nullptr, nullptr);
    for (const char* s : { "1", "2", "3" })
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    pump();
    clickAt(combo, 50, 5);
    EXPECT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    press(VK_ESCAPE);
    EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_NE(std::find(g_listCommands.begin(), g_listCommands.end(), CBN_CLOSEUP), g_listCommands.end());
    EXPECT_TRUE(parent.codesFrom(1033).empty());
}
