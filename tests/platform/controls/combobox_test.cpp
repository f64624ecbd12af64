// ComboBox through input: drop-down choice by mouse and keys, cancelling, and the notices.
#include "listbox_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace listtest;

namespace {

HWND makeCombo(Parent& parent, int items, int dropHeight = 120)
{
    HWND combo = parent.child("ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 20, 20, 20, 160, dropHeight);
    for (int i = 0; i < items; ++i) {
        std::string s = "choice " + std::to_string(i);
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
    }
    pump();
    return combo;
}

// The visible drop-down list of the thread, found as the popup listed under the combo's position.
HWND droppedList(HWND combo)
{
    RECT r;
    GetWindowRect(combo, &r);
    POINT below { r.left + 5, r.bottom + 5 };
    return WindowFromPoint(below);
}

} // namespace

TEST(ComboBoxDropDown, MouseChoiceNotifiesInOrder)
{
    Parent parent;
    HWND combo = makeCombo(parent, 20);
    RECT field;
    GetWindowRect(combo, &field);
    EXPECT_LT(field.bottom - field.top, 40) << "the window keeps only the selection field";
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);

    parent.clear();
    clickAt(combo, 80, 5);
    ASSERT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(parent.codesFrom(20), (std::vector<int> { CBN_SETFOCUS, CBN_DROPDOWN }));
    HWND list = droppedList(combo);
    ASSERT_NE(list, nullptr);
    ASSERT_NE(list, combo);
    RECT drop;
    GetWindowRect(list, &drop);
    EXPECT_EQ(drop.top, field.bottom);
    EXPECT_LE(drop.bottom - drop.top, 120 - (field.bottom - field.top)) << "the creation height bounds the list";

    int h = int(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0));
    parent.clear();
    POINT onThird { 20, h * 2 + h / 2 };
    clickAt(list, onThird.x, onThird.y);
    EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(parent.codesFrom(20), (std::vector<int> { CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE }));
    char text[32] = {};
    GetWindowTextA(combo, text, sizeof(text));
    EXPECT_STREQ(text, "choice 2");
    EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXTLEN, 2, 0), 8);
}

TEST(ComboBoxDropDown, KeysChooseWhileClosedAndEscapeRestores)
{
    Parent parent;
    HWND combo = makeCombo(parent, 5);
    SetFocus(combo);
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    pump();
    parent.clear();
    press(VK_DOWN);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(parent.codesFrom(20).front(), CBN_SELCHANGE);
    press(VK_END);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 4);
    press(VK_DOWN);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 4) << "stops at the last item";

    press(VK_F4);
    ASSERT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    press(VK_UP);
    press(VK_UP);
    parent.clear();
    press(VK_ESCAPE);
    EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 4);
    EXPECT_EQ(parent.codesFrom(20), (std::vector<int> { CBN_SELENDCANCEL, CBN_CLOSEUP }));

    press(VK_F4);
    press(VK_UP);
    parent.clear();
    press(VK_RETURN);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(parent.codesFrom(20), (std::vector<int> { CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE }));
}

TEST(ComboBoxDropDown, ClickOutsideCancels)
{
    Parent parent;
    HWND combo = makeCombo(parent, 5);
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    clickAt(combo, 80, 5);
    HWND list = droppedList(combo);
    ASSERT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    int h = int(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0));
    POINT over = screenPoint(list, 20, h * 3 + 2);
    platform::harness::mouseMove(over.x, over.y);
    pump();
    parent.clear();
    clickAt(parent.hwnd, 400, 300);
    EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0) << "hovering does not choose";
    EXPECT_EQ(parent.codesFrom(20), (std::vector<int> { CBN_SELENDCANCEL, CBN_CLOSEUP }));
}

TEST(ComboBoxModel, ItemsDataAndSearch)
{
    Parent parent;
    HWND combo = makeCombo(parent, 3);
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(combo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("first")), 0);
    SendMessageA(combo, CB_SETITEMDATA, 0, 42);
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 0, 0), 42);
    EXPECT_EQ(SendMessageA(combo, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>("CHOICE 1")), 2);
    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 9, 0), CB_ERR);
    SendMessageA(combo, CB_SETCURSEL, 3, 0);
    EXPECT_EQ(SendMessageA(combo, CB_DELETESTRING, 3, 0), 3);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(GetWindowTextLengthA(combo), 0);
}

TEST(ComboBoxEditField, TypingNotifiesAndArrowsShowTheChosenItem)
{
    Parent parent;
    HWND combo = parent.child("ComboBox", CBS_DROPDOWN | WS_VSCROLL, 21, 20, 20, 160, 120);
    for (const char* s : { "north", "south" })
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    pump();
    clickAt(combo, 20, 8);
    platform::harness::typeText("we");
    pump();
    char text[32] = {};
    GetWindowTextA(combo, text, sizeof(text));
    EXPECT_STREQ(text, "we");
    std::vector<int> codes = parent.codesFrom(21);
    EXPECT_NE(std::find(codes.begin(), codes.end(), CBN_EDITCHANGE), codes.end());
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR) << "typed text chooses nothing";

    parent.clear();
    press(VK_DOWN);
    GetWindowTextA(combo, text, sizeof(text));
    EXPECT_STREQ(text, "north");
    codes = parent.codesFrom(21);
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.front(), CBN_SELCHANGE);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), CBN_EDITCHANGE), 0) << "showing the item is not an edit";
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    GetWindowTextA(combo, text, sizeof(text));
    EXPECT_STREQ(text, "south");
}

TEST(ComboBoxOwnerDraw, FieldAndListRowsAreDrawnByTheParent)
{
    Parent parent;
    parent.measureHeight = 20;
    HWND combo = parent.child("ComboBox", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, 22, 20, 20, 160, 150);
    for (int i = 0; i < 3; ++i)
        SendMessageA(combo, CB_ADDSTRING, 0, LPARAM(700 + i));
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    pump();
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0), 20);
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMHEIGHT, WPARAM(-1), 0), 20);
    auto field = std::find_if(parent.drawn.rbegin(), parent.drawn.rend(),
        [](const Drawn& d) { return (d.itemState & ODS_COMBOBOXEDIT) != 0; });
    ASSERT_NE(field, parent.drawn.rend());
    EXPECT_EQ(field->itemID, 1u);
    EXPECT_EQ(field->data, ULONG_PTR(701));

    parent.clear();
    clickAt(combo, 80, 5);
    ASSERT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    auto rows = std::count_if(parent.drawn.begin(), parent.drawn.end(), [](const Drawn& d) {
        return d.ctlType == ODT_COMBOBOX && !(d.itemState & ODS_COMBOBOXEDIT) && d.data >= 700;
    });
    EXPECT_EQ(rows, 3);
    press(VK_ESCAPE);
}

TEST(ComboBoxDropDown, ListScrollBarScrollsWithoutClosing)
{
    Parent parent;
    HWND combo = makeCombo(parent, 20);
    clickAt(combo, 80, 5);
    HWND list = droppedList(combo);
    ASSERT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    RECT frame;
    GetWindowRect(list, &frame);
    int bar = GetSystemMetrics(SM_CXVSCROLL);
    platform::harness::click(frame.right - 1 - bar / 2, frame.bottom - 1 - bar / 2);
    pump();
    EXPECT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 1);
    EXPECT_EQ(GetCapture(), list) << "the list keeps the mouse after the bar let it go";
    int h = int(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0));
    clickAt(list, 20, h / 2);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1) << "rows count from the scrolled top";
}
