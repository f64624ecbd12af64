// List and combo boxes as Win32 keeps them, written as tables: each row is a message sent to a
// single-, a multiple- and an extended-selection list box with the answer each must give, after
// the row's action (a message or a piece of input) was done to all three.
#include "listbox_test_util.h"
#include "platform/kernel/winbase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>

using namespace listtest;

namespace {

struct Ask {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT single, multiple, extended;
};

struct Row {
    const char* action;
    std::function<LRESULT(HWND)> act;      // may be empty; its answer is checked when `answers` is set
    std::vector<LRESULT> answers;          // single, multiple, extended answers of `act`
    std::vector<Ask> asks;
};

std::function<LRESULT(HWND)> send(UINT message, WPARAM wParam, LPARAM lParam)
{
    return [=](HWND list) { return SendMessageA(list, message, wParam, lParam); };
}

int rowCentre(HWND list, int index)
{
    RECT r;
    SendMessageA(list, LB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r));
    return (r.top + r.bottom) / 2;
}

class ThreeLists {
public:
    // `added` goes to the styles of all three lists; `extended` is the third list's selection style.
    explicit ThreeLists(DWORD added = 0, DWORD extended = LBS_EXTENDEDSEL)
    {
        const DWORD styles[] = { 0, LBS_MULTIPLESEL, extended };
        for (int i = 0; i < 3; ++i) {
            lists[i] = parent.child("ListBox", WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | styles[i] | added, 30 + i,
                10 + 160 * i, 10, 150, 120);
            for (int n = 0; n < 5; ++n) {
                std::string text = "row " + std::to_string(n);
                SendMessageA(lists[i], LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
            }
        }
        pump();
    }

    void run(const std::vector<Row>& table)
    {
        static const char* const names[] = { "single", "multiple", "extended" };
        for (const Row& row : table)
            for (int i = 0; i < 3; ++i) {
                if (row.act) {
                    LRESULT got = row.act(lists[i]);
                    if (!row.answers.empty()) {
                        EXPECT_EQ(got, row.answers[size_t(i)]) << row.action << " on the " << names[i] << " list";
                    }
                }
                for (const Ask& ask : row.asks) {
                    LRESULT want = i == 0 ? ask.single : i == 1 ? ask.multiple : ask.extended;
                    EXPECT_EQ(SendMessageA(lists[i], ask.message, ask.wParam, ask.lParam), want)
                        << "after " << row.action << ", message 0x" << std::hex << ask.message << std::dec << " ("
                        << ask.wParam << ") on the " << names[i] << " list";
                }
            }
    }

    Parent parent { 20, 20, 520, 160 };
    HWND lists[3] {};
};

constexpr LRESULT ERR = LB_ERR;

TEST(ListBoxTable, SelectionMessagesMoveCaretAndAnchorAsWin32Does)
{
    ThreeLists boxes;
    boxes.run({
        { "nothing", nullptr, {}, {
            { LB_GETCURSEL, 0, 0, ERR, 0, 0 },
            { LB_GETCARETINDEX, 0, 0, 0, 0, 0 },
            { LB_GETANCHORINDEX, 0, 0, ERR, ERR, ERR },
            { LB_GETSELCOUNT, 0, 0, ERR, 0, 0 },
        } },
        { "LB_SETSEL TRUE 2", send(LB_SETSEL, TRUE, 2), { ERR, 0, 0 }, {
            { LB_GETCURSEL, 0, 0, ERR, 2, 2 },
            { LB_GETCARETINDEX, 0, 0, 0, 2, 2 },
            { LB_GETANCHORINDEX, 0, 0, ERR, 2, 2 },
            { LB_GETSELCOUNT, 0, 0, ERR, 1, 1 },
            { LB_GETSEL, 2, 0, 0, 1, 1 },
        } },
        { "LB_SETSEL FALSE 3", send(LB_SETSEL, FALSE, 3), { ERR, 0, 0 }, {
            { LB_GETCARETINDEX, 0, 0, 0, 3, 3 },
            { LB_GETANCHORINDEX, 0, 0, ERR, 3, 3 },
            { LB_GETSELCOUNT, 0, 0, ERR, 1, 1 },
        } },
        { "LB_SETSEL TRUE -1", send(LB_SETSEL, TRUE, -1), { ERR, 0, 0 }, {
            { LB_GETSELCOUNT, 0, 0, ERR, 5, 5 },
            { LB_GETCARETINDEX, 0, 0, 0, 3, 3 },
            { LB_GETANCHORINDEX, 0, 0, ERR, 3, 3 },
        } },
        { "LB_SETSEL past the end", send(LB_SETSEL, TRUE, 5), { ERR, ERR, ERR }, {} },
        { "LB_SELITEMRANGE off 1..3", send(LB_SELITEMRANGE, FALSE, MAKELPARAM(1, 3)), { ERR, 0, 0 }, {
            { LB_GETSELCOUNT, 0, 0, ERR, 2, 2 },
            { LB_GETSEL, 2, 0, 0, 0, 0 },
            { LB_GETCARETINDEX, 0, 0, 0, 3, 3 },
            { LB_GETANCHORINDEX, 0, 0, ERR, 3, 3 },
        } },
        { "LB_SELITEMRANGEEX 4..0 (backwards: off)", send(LB_SELITEMRANGEEX, 4, 0), { ERR, 0, 0 }, {
            { LB_GETSELCOUNT, 0, 0, ERR, 0, 0 },
        } },
        { "LB_SELITEMRANGEEX 1..2", send(LB_SELITEMRANGEEX, 1, 2), { ERR, 0, 0 }, {
            { LB_GETSELCOUNT, 0, 0, ERR, 2, 2 },
            { LB_GETSEL, 1, 0, 0, 1, 1 },
            { LB_GETCARETINDEX, 0, 0, 0, 3, 3 },
        } },
        { "LB_SELITEMRANGE on 3..60", send(LB_SELITEMRANGE, TRUE, MAKELPARAM(3, 60)), { ERR, 0, 0 }, {
            { LB_GETSELCOUNT, 0, 0, ERR, 4, 4 },
        } },
        { "LB_SETCURSEL 1", send(LB_SETCURSEL, 1, 0), { 1, ERR, ERR }, {
            { LB_GETCURSEL, 0, 0, 1, 3, 3 },
            { LB_GETCARETINDEX, 0, 0, 1, 3, 3 },
        } },
    });
}

// Without data an owner-drawn list keeps only its count; selection, caret and anchor go as in
// any other list.
TEST(ListBoxTable, NoDataListsKeepACountAndSelectAsOtherLists)
{
    ThreeLists boxes(LBS_NODATA | LBS_OWNERDRAWFIXED);
    boxes.run({
        { "nothing", nullptr, {}, {
            { LB_GETCOUNT, 0, 0, 5, 5, 5 },
            { LB_GETITEMDATA, 1, 0, 0, 0, 0 },
            { LB_FINDSTRING, WPARAM(-1), 0, ERR, ERR, ERR },
            { LB_GETANCHORINDEX, 0, 0, ERR, ERR, ERR },
            { LB_GETSELCOUNT, 0, 0, ERR, 0, 0 },
        } },
        { "LB_SETITEMDATA 1 (taken, not kept)", send(LB_SETITEMDATA, 1, 77), { TRUE, TRUE, TRUE }, {
            { LB_GETITEMDATA, 1, 0, 0, 0, 0 },
        } },
        { "LB_SELECTSTRING: its error", [](HWND list) -> LRESULT {
              SetLastError(0);
              return SendMessageA(list, LB_SELECTSTRING, 0, 0) == LB_ERR ? LRESULT(GetLastError()) : 0;
          }, { ERROR_INVALID_PARAMETER, ERROR_INVALID_PARAMETER, ERROR_INVALID_PARAMETER }, {} },
        { "LB_SETCOUNT 40", send(LB_SETCOUNT, 40, 0), { 0, 0, 0 }, {
            { LB_GETCOUNT, 0, 0, 40, 40, 40 },
        } },
        { "LB_SETSEL TRUE 30", send(LB_SETSEL, TRUE, 30), { ERR, 0, 0 }, {
            { LB_GETCURSEL, 0, 0, ERR, 30, 30 },
            { LB_GETANCHORINDEX, 0, 0, ERR, 30, 30 },
            { LB_GETSELCOUNT, 0, 0, ERR, 1, 1 },
        } },
        { "LB_SETCURSEL 35", send(LB_SETCURSEL, 35, 0), { 35, ERR, ERR }, {
            { LB_GETCURSEL, 0, 0, 35, 30, 30 },
            { LB_GETCARETINDEX, 0, 0, 35, 30, 30 },
        } },
        { "LB_SETCOUNT 3", send(LB_SETCOUNT, 3, 0), { 0, 0, 0 }, {
            { LB_GETCURSEL, 0, 0, ERR, 2, 2 },
            { LB_GETANCHORINDEX, 0, 0, ERR, ERR, ERR },
            { LB_GETSELCOUNT, 0, 0, ERR, 0, 0 },
        } },
    });
    Parent parent;
    HWND strings = parent.child("ListBox", LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, 39, 10, 10, 100, 100);
    EXPECT_EQ(SendMessageA(strings, LB_SETCOUNT, 10, 0), ERR) << "a list holding strings has data";
}

// A list whose items cannot be selected is a single-selection list whatever else it asks for:
// clicks and LB_SETCURSEL still move the one selection and the anchor.
TEST(ListBoxTable, NoSelListsKeepOneSelectionInEveryMode)
{
    ThreeLists boxes(LBS_NOSEL);
    boxes.run({
        { "nothing", nullptr, {}, {
            { LB_GETCURSEL, 0, 0, ERR, ERR, ERR },
            { LB_GETANCHORINDEX, 0, 0, ERR, ERR, ERR },
            { LB_GETSELCOUNT, 0, 0, ERR, ERR, ERR },
        } },
        { "LB_SETSEL TRUE 2", send(LB_SETSEL, TRUE, 2), { ERR, ERR, ERR }, {
            { LB_GETSEL, 2, 0, 0, 0, 0 },
        } },
        { "LB_SELITEMRANGE on 1..3", send(LB_SELITEMRANGE, TRUE, MAKELPARAM(1, 3)), { ERR, ERR, ERR }, {} },
        { "LB_SETCURSEL 1", send(LB_SETCURSEL, 1, 0), { ERR, ERR, ERR }, {
            { LB_GETCURSEL, 0, 0, 1, 1, 1 },
            { LB_GETCARETINDEX, 0, 0, 1, 1, 1 },
        } },
        { "click on row 3", [](HWND list) -> LRESULT {
              clickAt(list, 20, rowCentre(list, 3));
              return 0;
          }, {}, {
            { LB_GETCURSEL, 0, 0, 3, 3, 3 },
            { LB_GETANCHORINDEX, 0, 0, 3, 3, 3 },
            { LB_GETSELCOUNT, 0, 0, ERR, ERR, ERR },
            { LB_GETSEL, 3, 0, 1, 1, 1 },
        } },
    });
}

// The anchor follows the caret but in a plain multiple-selection list; a list that asks for both
// kinds of multiple selection is an extended one.
TEST(ListBoxTable, ClicksSetTheAnchorAndArrowsMoveItInExtendedLists)
{
    auto clickRow = [](int index) {
        return [index](HWND list) -> LRESULT {
            clickAt(list, 20, rowCentre(list, index));
            return 0;
        };
    };
    auto key = [](UINT modifier, UINT vk) {
        return [modifier, vk](HWND list) -> LRESULT {
            SetFocus(list);
            if (modifier)
                pressWith(modifier, vk);
            else
                press(vk);
            return 0;
        };
    };
    const std::vector<Row> table {
        { "click on row 2", clickRow(2), {}, {
            { LB_GETCURSEL, 0, 0, 2, 2, 2 },
            { LB_GETCARETINDEX, 0, 0, 2, 2, 2 },
            { LB_GETANCHORINDEX, 0, 0, 2, 2, 2 },
            { LB_GETSELCOUNT, 0, 0, ERR, 1, 1 },
        } },
        { "VK_DOWN", key(0, VK_DOWN), {}, {
            { LB_GETCURSEL, 0, 0, 3, 3, 3 },
            { LB_GETCARETINDEX, 0, 0, 3, 3, 3 },
            { LB_GETANCHORINDEX, 0, 0, 3, 2, 3 },
            { LB_GETSEL, 3, 0, 1, 0, 1 },
            { LB_GETSELCOUNT, 0, 0, ERR, 1, 1 },
        } },
        { "Shift+VK_DOWN", key(VK_SHIFT, VK_DOWN), {}, {
            { LB_GETCARETINDEX, 0, 0, 4, 4, 4 },
            { LB_GETANCHORINDEX, 0, 0, 4, 2, 3 },
            { LB_GETSELCOUNT, 0, 0, ERR, 1, 2 },
        } },
        { "Ctrl+click on row 0", [](HWND list) -> LRESULT {
              clickWith(VK_CONTROL, list, 20, rowCentre(list, 0));
              return 0;
          }, {}, {
            { LB_GETCURSEL, 0, 0, 0, 0, 0 },
            { LB_GETANCHORINDEX, 0, 0, 0, 0, 0 },
            { LB_GETSELCOUNT, 0, 0, ERR, 2, 3 },
        } },
    };
    for (DWORD extended : { LBS_EXTENDEDSEL, LBS_EXTENDEDSEL | LBS_MULTIPLESEL }) {
        SCOPED_TRACE(extended & LBS_MULTIPLESEL ? "extended and multiple" : "extended");
        ThreeLists(0, extended).run(table);
    }
}

TEST(ListBoxMouse, APressHoldsTheCaptureUntilTheFocusLeavesWithOneSelChange)
{
    Parent parent;
    HWND list = parent.child("ListBox", WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 40, 10, 10, 150, 120);
    HWND other = parent.child("ListBox", WS_BORDER | LBS_NOINTEGRALHEIGHT, 41, 200, 10, 150, 120);
    for (const char* s : { "a", "b", "c" })
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    pump();
    parent.clear();
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, rowCentre(list, 1)));
    EXPECT_EQ(GetCapture(), list);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
    std::vector<int> codes = parent.codesFrom(40);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), LBN_SELCHANGE), 0) << "the press has not ended";
    SetFocus(other);
    EXPECT_EQ(GetCapture(), nullptr);
    codes = parent.codesFrom(40);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), LBN_SELCHANGE), 1);
    EXPECT_EQ(codes.back(), LBN_KILLFOCUS);
}

TEST(ListBoxMouse, NoSelListsStillMoveTheSelectionOnAClick)
{
    Parent parent;
    HWND list = parent.child("ListBox", WS_BORDER | LBS_NOSEL | LBS_NOINTEGRALHEIGHT, 42, 10, 10, 150, 120);
    for (const char* s : { "a", "b", "c", "d" })
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    pump();
    clickAt(list, 20, rowCentre(list, 3));
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), LB_ERR) << "a single-selection list counts no selection";
}

TEST(ListBoxTable, HorizontalExtentSetsTheScrollRangeAndShowsTheBarOnlyWhenWider)
{
    Parent parent;
    HWND scrolled = parent.child("ListBox", WS_BORDER | WS_HSCROLL | LBS_NOINTEGRALHEIGHT, 43, 10, 10, 150, 120);
    HWND plain = parent.child("ListBox", WS_BORDER | LBS_NOINTEGRALHEIGHT, 44, 200, 10, 150, 120);
    auto hasBar = [](HWND w) { return (GetWindowLongPtrA(w, GWL_STYLE) & WS_HSCROLL) != 0; };
    auto range = [](HWND w) {
        SCROLLINFO si { sizeof(si), SIF_RANGE, 0, 0, 0, 0, 0 };
        GetScrollInfo(w, SB_HORZ, &si);
        return std::pair<int, int>(si.nMin, si.nMax);
    };
    EXPECT_EQ(SendMessageA(scrolled, LB_GETHORIZONTALEXTENT, 0, 0), 0);
    EXPECT_FALSE(hasBar(scrolled)) << "nothing to scroll yet";

    struct Step {
        int extent;
        std::pair<int, int> range;
        bool bar;
    };
    for (Step step : { Step { 300, { 0, 299 }, true }, Step { 100, { 0, 99 }, false }, Step { 151, { 0, 150 }, true } }) {
        EXPECT_EQ(SendMessageA(scrolled, LB_SETHORIZONTALEXTENT, WPARAM(step.extent), 0), 0);
        EXPECT_EQ(SendMessageA(scrolled, LB_GETHORIZONTALEXTENT, 0, 0), step.extent);
        EXPECT_EQ(range(scrolled), step.range) << step.extent;
        EXPECT_EQ(hasBar(scrolled), step.bar) << step.extent;
    }
    SendMessageA(scrolled, LB_SETHORIZONTALEXTENT, 300, 0);
    for (const char* s : { "a row far wider than the list box that shows it", "short" })
        SendMessageA(scrolled, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    SendMessageA(scrolled, WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_GT(GetScrollPos(scrolled, SB_HORZ), 0);
    SendMessageA(scrolled, WM_HSCROLL, SB_RIGHT, 0);
    RECT client;
    GetClientRect(scrolled, &client);
    EXPECT_EQ(GetScrollPos(scrolled, SB_HORZ), 300 - client.right) << "the last column of the extent shows";
    pump();
    platform::harness::keepShot("listbox_extent.png");

    SendMessageA(plain, LB_SETHORIZONTALEXTENT, 300, 0);
    EXPECT_EQ(SendMessageA(plain, LB_GETHORIZONTALEXTENT, 0, 0), 300);
    EXPECT_FALSE(hasBar(plain)) << "without WS_HSCROLL there is no bar to show";

    HWND columns = parent.child("ListBox", WS_HSCROLL | LBS_MULTICOLUMN, 45, 10, 200, 150, 60);
    SendMessageA(columns, LB_SETHORIZONTALEXTENT, 300, 0);
    EXPECT_EQ(SendMessageA(columns, LB_GETHORIZONTALEXTENT, 0, 0), 0) << "columns scroll by columns";
}

// LB_ITEMFROMPOINT names the nearest item; its high word says the point is on no item.
TEST(ListBoxTable, ItemFromPointOffTheItemsNamesTheNearestOne)
{
    Parent parent;
    HWND list = parent.child("ListBox", WS_BORDER | LBS_NOINTEGRALHEIGHT, 46, 10, 10, 150, 120);
    EXPECT_EQ(SendMessageA(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 5)), 0x1FFFF) << "empty list";
    for (const char* s : { "a", "b", "c" })
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    const int row = int(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    const struct {
        POINT at;
        LRESULT answer;
    } table[] = {
        { { 5, row + 2 }, MAKELONG(1, 0) },
        { { 5, 3 * row + 2 }, MAKELONG(2, 1) },  // below the last item, inside the list
        { { 400, row + 2 }, MAKELONG(1, 1) },    // right of the list
        { { 5, -20 }, MAKELONG(0, 1) },          // above it
    };
    for (const auto& probe : table)
        EXPECT_EQ(SendMessageA(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(probe.at.x, probe.at.y)), probe.answer)
            << probe.at.x << ", " << probe.at.y;
}

// A variable list asks for each row's height as the row comes in and stacks the rows by them; a
// row outside the list answers 0 for its rectangle.
TEST(ListBoxTable, VariableRowsAreMeasuredAsAddedAndStackedByTheirHeights)
{
    Parent parent;
    parent.measureByData = true;
    HWND list = parent.child("ListBox", LBS_OWNERDRAWVARIABLE, 47, 10, 10, 150, 60);
    for (LPARAM height : { 10, 30, 15, 25, 20 })
        SendMessageA(list, LB_ADDSTRING, 0, height);
    EXPECT_EQ(parent.measured, (std::vector<UINT> { 0, 1, 2, 3, 4 }));
    // Top asked, row, answer, row top and bottom: a top of 4 stops at 2, whose rows fill the list.
    const LONG table[][5] = { { 0, 1, TRUE, 10, 40 }, { 0, 3, TRUE, 55, 80 }, { 0, 4, 0, 80, 100 }, { 4, 4, TRUE, 40, 60 },
        { 4, 0, 0, -40, -30 } };
    for (const auto& p : table) {
        SendMessageA(list, LB_SETTOPINDEX, WPARAM(p[0]), 0);
        RECT r {};
        const LRESULT answer = SendMessageA(list, LB_GETITEMRECT, WPARAM(p[1]), reinterpret_cast<LPARAM>(&r));
        EXPECT_EQ(std::tuple(answer, r.top, r.bottom), std::tuple(LRESULT(p[2]), p[3], p[4])) << p[1];
    }
}

int defaultFontHeight()
{
    HDC dc = GetDC(nullptr);
    TEXTMETRICA tm {};
    GetTextMetricsA(dc, &tm);
    ReleaseDC(nullptr, dc);
    return tm.tmHeight;
}

int windowHeight(HWND w)
{
    RECT r;
    GetWindowRect(w, &r);
    return r.bottom - r.top;
}

TEST(ComboBoxTable, UnfontedControlsAreMeasuredInTheDcsDefaultFont)
{
    Parent parent;
    HWND list = parent.child("ListBox", WS_BORDER, 50, 10, 10, 150, 120);
    HWND combo = parent.child("ComboBox", CBS_DROPDOWNLIST, 51, 200, 10, 150, 120);
    const int font = defaultFontHeight();
    EXPECT_EQ(font, 16);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), font);
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0), font);
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMHEIGHT, WPARAM(-1), 0), font + 2);
    EXPECT_EQ(windowHeight(combo), 24) << "the field is the font and eight pixels";
    for (const char* s : { "first", "second" }) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    }
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    pump();
    platform::harness::keepShot("unfonted_lists.png");
    SendMessageA(combo, CB_SETITEMHEIGHT, WPARAM(-1), 30);
    EXPECT_EQ(windowHeight(combo), 36);
}

// The field is as high as the font plus two, the window six more, whatever frame the caller
// asked for; list rows are the font's height, and the drop-down shows whole rows only.
TEST(ComboBoxTable, FieldAndRowsFollowTheFontWhateverTheFrame)
{
    Parent parent;
    struct Frame {
        const char* name;
        DWORD style, exStyle;
    };
    const Frame frames[] = { { "plain", 0, 0 }, { "border", WS_BORDER, 0 }, { "client edge", WS_BORDER, WS_EX_CLIENTEDGE } };
    HFONT small = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "");
    HFONT large = CreateFontA(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "");
    int id = 60;
    for (const Frame& frame : frames)
        for (HFONT font : { HFONT(nullptr), small, large }) {
            HWND combo = parent.child("ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL | frame.style, id++, 10, 10, 160, 150, frame.exStyle);
            for (int i = 0; i < 20; ++i)
                SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("USER"));
            if (font)
                SendMessageA(combo, WM_SETFONT, WPARAM(font), FALSE);
            HDC dc = GetDC(combo);
            if (font)
                SelectObject(dc, font);
            TEXTMETRICA tm {};
            GetTextMetricsA(dc, &tm);
            ReleaseDC(combo, dc);
            const std::string what = std::string(frame.name) + ", font " + std::to_string(tm.tmHeight);
            RECT client {};
            GetClientRect(combo, &client);
            EXPECT_EQ(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0), tm.tmHeight) << what;
            EXPECT_EQ(SendMessageA(combo, CB_GETITEMHEIGHT, WPARAM(-1), 0), tm.tmHeight + 2) << what;
            EXPECT_EQ(client.bottom, tm.tmHeight + 8) << what;
            EXPECT_EQ(windowHeight(combo), tm.tmHeight + 8) << what;

            SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
            RECT field, list;
            GetWindowRect(combo, &field);
            GetWindowRect(WindowFromPoint(POINT { field.left + 5, field.bottom + 5 }), &list);
            const int rows = (150 - (tm.tmHeight + 8) - 2) / tm.tmHeight;
            EXPECT_EQ(list.bottom - list.top, rows * tm.tmHeight + 2) << what;
            SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
            DestroyWindow(combo);
        }
    DeleteObject(small);
    DeleteObject(large);
}

TEST(ComboBoxTable, MovingOrSizingKeepsTheFieldHeightAndSizesTheList)
{
    Parent parent;
    HWND combo = parent.child("ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL, 52, 10, 10, 160, 150);
    for (int i = 0; i < 30; ++i) {
        std::string s = "entry " + std::to_string(i);
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
    }
    const int field = windowHeight(combo);
    auto droppedHeight = [&] {
        RECT r;
        SendMessageA(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&r));
        return int(r.bottom - r.top);
    };
    struct Step {
        const char* how;
        std::function<void()> act;
        int width, dropped;
    };
    const Step steps[] = {
        { "MoveWindow 170 x 200", [&] { MoveWindow(combo, 30, 40, 170, 200, TRUE); }, 170, 200 },
        { "SetWindowPos 180 x 90", [&] { SetWindowPos(combo, nullptr, 0, 0, 180, 90, SWP_NOMOVE | SWP_NOZORDER); }, 180, 90 },
        { "SetWindowPos move only", [&] { SetWindowPos(combo, nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER); }, 180, 90 },
        { "SetWindowPos below the field", [&] { SetWindowPos(combo, nullptr, 0, 0, 180, field - 4, SWP_NOMOVE | SWP_NOZORDER); },
            180, 90 },
        { "a field set below the font, then sized", [&] {
             SendMessageA(combo, CB_SETITEMHEIGHT, WPARAM(-1), 4);
             EXPECT_EQ(windowHeight(combo), 10);
             SetWindowPos(combo, nullptr, 0, 0, 180, field, SWP_NOMOVE | SWP_NOZORDER);
         }, 180, 90 },
    };
    for (const Step& step : steps) {
        step.act();
        RECT r;
        GetWindowRect(combo, &r);
        EXPECT_EQ(r.bottom - r.top, field) << step.how;
        EXPECT_EQ(r.right - r.left, step.width) << step.how;
        EXPECT_EQ(droppedHeight(), step.dropped) << step.how;
    }
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    RECT field2, list;
    GetWindowRect(combo, &field2);
    HWND dropped = WindowFromPoint(POINT { field2.left + 5, field2.bottom + 5 });
    ASSERT_NE(dropped, nullptr);
    GetWindowRect(dropped, &list);
    EXPECT_LE(list.bottom - list.top, 90 - field);
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
}

TEST(ComboBoxTable, DroppedWidthNeverGoesBelowTheComboAndAnswersTheWidthInForce)
{
    Parent parent;
    HWND combo = parent.child("ComboBox", CBS_DROPDOWNLIST, 53, 10, 10, 160, 120);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("x"));
    struct Pair {
        UINT message;
        WPARAM wParam;
        LRESULT answer;
    };
    const Pair table[] = {
        { CB_GETDROPPEDWIDTH, 0, 160 },
        { CB_SETDROPPEDWIDTH, 50, 160 },
        { CB_GETDROPPEDWIDTH, 0, 160 },
        { CB_SETDROPPEDWIDTH, 220, 220 },
        { CB_SETDROPPEDWIDTH, 0, 220 },
        { CB_SETDROPPEDWIDTH, WPARAM(-1), 220 },
        { CB_GETDROPPEDWIDTH, 0, 220 },
        { CB_SETDROPPEDWIDTH, 170, 170 },
    };
    for (const Pair& p : table)
        EXPECT_EQ(SendMessageA(combo, p.message, p.wParam, 0), p.answer)
            << (p.message == CB_SETDROPPEDWIDTH ? "set " : "get ") << int(p.wParam);
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    RECT field, list;
    GetWindowRect(combo, &field);
    GetWindowRect(WindowFromPoint(POINT { field.left + 5, field.bottom + 5 }), &list);
    EXPECT_EQ(list.right - list.left, 170);
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
}

TEST(ComboBoxKeys, SelChangeArrivesWhileTheEditStillShowsThePreviousText)
{
    Parent parent;
    HWND combo = parent.child("ComboBox", CBS_DROPDOWN | WS_VSCROLL, 54, 10, 10, 160, 120);
    for (const char* s : { "alpha", "beta" })
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    std::string textAtChange;
    LRESULT selectionAtChange = CB_ERR;
    parent.onCommand = [&](int id, int code) {
        if (id != 54 || code != CBN_SELCHANGE)
            return;
        char text[32] = {};
        GetWindowTextA(combo, text, sizeof text);
        textAtChange = text;
        selectionAtChange = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    };
    SetFocus(combo);
    press(VK_DOWN);
    EXPECT_EQ(selectionAtChange, 1);
    EXPECT_EQ(textAtChange, "alpha");
    char text[32] = {};
    GetWindowTextA(combo, text, sizeof text);
    EXPECT_STREQ(text, "beta") << "shown once the parent has heard";
    parent.onCommand = nullptr;
}

} // namespace
