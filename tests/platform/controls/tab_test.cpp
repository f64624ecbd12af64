// Tab control through input: change by click and keys with notices, the silent programmatic
// selection, a refused change, and rows of a multi-line control.
#include "listbox_test_util.h"
#include "platform/kernel/host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace listtest;

namespace {

HWND makeTabs(Parent& parent, DWORD style, int width, int count)
{
    HWND tabs = parent.child(WC_TABCONTROLA, style, 30, 10, 10, width, 200);
    for (int i = 0; i < count; ++i) {
        std::string text = i % 2 ? "タブ" + std::to_string(i) : "page " + std::to_string(i);
        TCITEMA item {};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = text.data();
        item.lParam = 100 + i;
        SendMessageA(tabs, TCM_INSERTITEMA, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    }
    pump();
    return tabs;
}

POINT centerOf(HWND tabs, int index)
{
    RECT r;
    SendMessageA(tabs, TCM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r));
    return POINT { (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
}

} // namespace

TEST(TabSelection, ClickNotifiesWhileSetCurSelIsSilent)
{
    Parent parent;
    HWND tabs = makeTabs(parent, 0, 400, 3);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 0) << "the first tab inserted is selected";
    parent.clear();
    POINT p = centerOf(tabs, 2);
    clickAt(tabs, p.x, p.y);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(parent.notices, (std::vector<UINT> { TCN_SELCHANGING, TCN_SELCHANGE }));
    EXPECT_EQ(parent.noticeHeaders.back().idFrom, UINT_PTR(30));

    parent.clear();
    EXPECT_EQ(SendMessageA(tabs, TCM_SETCURSEL, 1, 0), 2);
    pump();
    EXPECT_TRUE(parent.notices.empty());
    EXPECT_EQ(SendMessageA(tabs, TCM_SETCURSEL, 7, 0), -1);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 1);

    parent.onNotify = [](NMHDR* nm) -> LRESULT { return nm->code == TCN_SELCHANGING; };
    parent.clear();
    p = centerOf(tabs, 0);
    clickAt(tabs, p.x, p.y);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 1) << "a refused change keeps the selection";
    EXPECT_EQ(parent.notices, (std::vector<UINT> { TCN_SELCHANGING }));
}

TEST(TabSelection, ArrowsAndCtrlTabMoveTheSelection)
{
    Parent parent;
    HWND tabs = makeTabs(parent, WS_TABSTOP, 400, 3);
    SetFocus(tabs);
    pump();
    press(VK_RIGHT);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 1);
    pressWith(VK_CONTROL, VK_TAB);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 2);
    pressWith(VK_CONTROL, VK_TAB);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 0) << "Ctrl+Tab wraps";
    press(VK_LEFT);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(std::count(parent.notices.begin(), parent.notices.end(), TCN_SELCHANGE), 3);
}

TEST(TabLayout, MultiLineRowsKeepTheSelectedRowInFront)
{
    Parent parent;
    HWND tabs = makeTabs(parent, TCS_MULTILINE, 180, 8);
    int rows = int(SendMessageA(tabs, TCM_GETROWCOUNT, 0, 0));
    ASSERT_GT(rows, 1);
    RECT display { 0, 0, 180, 200 };
    SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    RECT first;
    SendMessageA(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    EXPECT_GE(display.top, first.bottom) << "the display area lies below every row";
    RECT back = display;
    SendMessageA(tabs, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&back));
    EXPECT_EQ(back.top, 0);
    EXPECT_EQ(back.right, 180);

    auto bottomOf = [&](int index) {
        RECT r;
        SendMessageA(tabs, TCM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r));
        return r.bottom;
    };
    int front = bottomOf(0);
    for (int i = 1; i < 8; ++i)
        EXPECT_LE(bottomOf(i), front);
    POINT p = centerOf(tabs, 7);
    clickAt(tabs, p.x, p.y);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 7);
    EXPECT_EQ(bottomOf(7), front) << "the clicked tab's row moved next to the display area";
}

TEST(TabItems, TextAndParamRoundTripAndDeletionShiftsSelection)
{
    Parent parent;
    HWND tabs = makeTabs(parent, 0, 400, 4);
    SendMessageA(tabs, TCM_SETCURSEL, 3, 0);
    char text[16] = {};
    TCITEMA item {};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = text;
    item.cchTextMax = 4;
    ASSERT_TRUE(SendMessageA(tabs, TCM_GETITEMA, 2, reinterpret_cast<LPARAM>(&item)));
    EXPECT_STREQ(text, "pag") << "the copy respects the buffer size";
    EXPECT_EQ(item.lParam, 102);

    // A short buffer never ends on half a double-byte character.
    std::string kana = platform::utf8ToCp932("タブ");
    TCITEMA named {};
    named.mask = TCIF_TEXT;
    named.pszText = kana.data();
    SendMessageA(tabs, TCM_SETITEMA, 0, reinterpret_cast<LPARAM>(&named));
    item.mask = TCIF_TEXT;
    ASSERT_TRUE(SendMessageA(tabs, TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(std::string(text), kana.substr(0, 2));

    EXPECT_TRUE(SendMessageA(tabs, TCM_DELETEITEM, 1, 0));
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 2);
    EXPECT_FALSE(SendMessageA(tabs, TCM_DELETEITEM, 5, 0));
    SendMessageA(tabs, TCM_DELETEALLITEMS, 0, 0);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), -1);
}
