// Buttons through input and messages: radio groups, check boxes, push tracking, owner-draw
// states and double clicks, dialog codes.
#include "controls_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace ctltest;
namespace harness = platform::harness;

namespace {

struct Buttons : ::testing::Test {
    HWND parent = nullptr;
    void SetUp() override { parent = createParent(); }
    void TearDown() override { destroyAll(); }
    HWND button(const char* text, DWORD style, int id, int x, int y, int w = 100, int h = 24)
    {
        return createControl(parent, WC_BUTTONA, text, style, id, x, y, w, h);
    }
};

using RadioGroup = Buttons;
using CheckBox = Buttons;
using PushButton = Buttons;
using OwnerDrawButton = Buttons;

TEST_F(RadioGroup, ClickChecksOneAndUnchecksOnlyItsGroup)
{
    HWND a = button("a", BS_AUTORADIOBUTTON | WS_GROUP, 1, 10, 10);
    HWND b = button("b", BS_AUTORADIOBUTTON, 2, 10, 40);
    HWND c = button("c", BS_AUTORADIOBUTTON, 3, 10, 70);
    HWND other = button("d", BS_AUTORADIOBUTTON | WS_GROUP, 4, 10, 100);
    SendMessageA(a, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(other, BM_SETCHECK, BST_CHECKED, 0);
    pump();

    clickAt(b, 5, 12);
    EXPECT_EQ(SendMessageA(a, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(b, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(c, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(other, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(commandCodes(b), std::vector<WORD> { BN_CLICKED });
    EXPECT_EQ(GetFocus(), b);

    // A plain radio button is the caller's to check; setting one leaves the others alone.
    HWND manual = button("m", BS_RADIOBUTTON | WS_GROUP, 5, 150, 10);
    clickAt(manual, 5, 12);
    EXPECT_EQ(SendMessageA(manual, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(commandCodes(manual), std::vector<WORD> { BN_CLICKED });
    EXPECT_EQ(SendMessageA(manual, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_RADIOBUTTON);
}

// An option whose words are a label of its own beside it rings the label's place, not the empty
// text's, while it has the focus.
TEST_F(RadioGroup, AnOptionWithoutTextRingsItsLabelsPlace)
{
    HWND option = button("", BS_AUTORADIOBUTTON | WS_TABSTOP, 1, 10, 10, 96, 12);
    HWND other = button("other", BS_PUSHBUTTON | WS_TABSTOP, 2, 10, 40);
    RECT area {};
    GetWindowRect(option, &area);
    auto picture = [&](HWND focus) {
        SetFocus(focus);
        pump();
        return harness::readRect(area);
    };
    const harness::Image plain = picture(other);
    const harness::Image ringed = picture(option);
    int rightmost = -1;
    for (int y = 0; y < plain.height; ++y)
        for (int x = 0; x < plain.width; ++x)
            rightmost = plain.at(x, y) != ringed.at(x, y) ? std::max(rightmost, x) : rightmost;
    EXPECT_GE(rightmost, 90) << "the ring reaches past the label's words";
}

TEST_F(CheckBox, TogglesByMouseAndSpaceAndThreeStateCycles)
{
    HWND box = button("box", BS_AUTOCHECKBOX, 1, 10, 10);
    clickAt(box, 5, 12);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    harness::pressKey(VK_SPACE);
    pump();
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(commandCodes(box), (std::vector<WORD> { BN_CLICKED, BN_CLICKED }));

    HWND three = button("three", BS_AUTO3STATE, 2, 10, 40);
    std::vector<LRESULT> seen;
    for (int i = 0; i < 3; ++i) {
        SendMessageA(three, BM_CLICK, 0, 0);
        seen.push_back(SendMessageA(three, BM_GETCHECK, 0, 0));
    }
    EXPECT_EQ(seen, (std::vector<LRESULT> { BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED }));
    // A two-state box takes "indeterminate" as checked.
    SendMessageA(box, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(PushButton, ReleaseOutsideDoesNotClickAndStateFollowsTheMouse)
{
    HWND push = button("OK", BS_PUSHBUTTON, 1, 10, 10);
    POINT inside = centre(push);
    harness::mouseDown(inside.x, inside.y);
    pump();
    EXPECT_EQ(SendMessageA(push, BM_GETSTATE, 0, 0) & (BST_PUSHED | BST_FOCUS), BST_PUSHED | BST_FOCUS);
    harness::mouseMove(inside.x + 200, inside.y);
    pump();
    EXPECT_EQ(SendMessageA(push, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    harness::mouseUp(inside.x + 200, inside.y);
    pump();
    EXPECT_TRUE(commandCodes(push).empty());

    clickAt(push, 10, 10);
    EXPECT_EQ(commandCodes(push), std::vector<WORD> { BN_CLICKED });
}

TEST_F(PushButton, ClickMessageGoesThroughMouseAndSkipsDisabledButtons)
{
    HWND push = button("OK", BS_PUSHBUTTON, 7, 10, 10);
    static std::vector<UINT> seen;
    seen.clear();
    static WNDPROC original = nullptr;
    original = WNDPROC(SetWindowLongPtrA(push, GWLP_WNDPROC, LONG_PTR(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_LBUTTONDOWN || m == WM_LBUTTONUP)
            seen.push_back(m);
        return CallWindowProcA(original, h, m, w, l);
    })));
    SendMessageA(push, BM_CLICK, 0, 0);
    EXPECT_EQ(seen, (std::vector<UINT> { WM_LBUTTONDOWN, WM_LBUTTONUP }));
    EXPECT_EQ(commandCodes(push), std::vector<WORD> { BN_CLICKED });
    auto commands = noticesOf(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(LOWORD(commands[0].wParam), 7);

    EnableWindow(push, FALSE);
    SendMessageA(push, BM_CLICK, 0, 0);
    EXPECT_EQ(commandCodes(push).size(), 1u);
}

TEST_F(PushButton, DialogCodesFollowTheDefaultStyle)
{
    HWND push = button("OK", BS_PUSHBUTTON | BS_NOTIFY, 1, 10, 10);
    EXPECT_EQ(SendMessageA(push, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    SendMessageA(push, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(SendMessageA(push, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    EXPECT_TRUE(GetWindowLongA(push, GWL_STYLE) & BS_NOTIFY);
    HWND group = button("group", BS_GROUPBOX, 2, 10, 40);
    EXPECT_EQ(SendMessageA(group, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
    HWND owner = button("", BS_OWNERDRAW, 3, 10, 80);
    EXPECT_EQ(SendMessageA(owner, WM_GETDLGCODE, 0, 0), DLGC_BUTTON);
}

TEST_F(PushButton, BitmapStyleShowsTheImageAndPushLikeBoxStaysDownWhileChecked)
{
    HWND picture = button("", BS_PUSHBUTTON | BS_BITMAP, 1, 10, 10, 40, 30);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP red = CreateCompatibleBitmap(screen, 10, 10);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(memory, red);
    RECT all { 0, 0, 10, 10 };
    HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(memory, &all, brush);
    SelectObject(memory, old);
    DeleteObject(brush);
    DeleteDC(memory);
    EXPECT_EQ(SendMessageA(picture, BM_SETIMAGE, IMAGE_BITMAP, LPARAM(red)), 0);
    EXPECT_EQ(HBITMAP(SendMessageA(picture, BM_GETIMAGE, IMAGE_BITMAP, 0)), red);
    pump();
    POINT centrePoint = centre(picture);
    EXPECT_EQ(harness::readScreen().at(centrePoint.x, centrePoint.y) & 0xFFFFFF, 0xFF0000u);

    HWND like = button("like", BS_AUTOCHECKBOX | BS_PUSHLIKE, 2, 10, 50, 80, 24);
    pump();
    POINT corner = screenPoint(like, 0, 0);
    uint32_t up = harness::readScreen().at(corner.x, corner.y);
    clickAt(like, 10, 10);
    EXPECT_EQ(SendMessageA(like, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_NE(harness::readScreen().at(corner.x, corner.y), up);
    EXPECT_EQ(SendMessageA(like, WM_GETDLGCODE, 0, 0), DLGC_BUTTON);
    DestroyWindow(picture);
    DeleteObject(red);
}

TEST_F(OwnerDrawButton, ParentDrawsEachStateWithTheRightAction)
{
    HWND owner = button("", BS_OWNERDRAW, 9, 10, 10, 48, 20);
    pump();
    auto draws = noticesOf(WM_DRAWITEM);
    ASSERT_FALSE(draws.empty());
    EXPECT_EQ(draws.back().item.CtlType, UINT(ODT_BUTTON));
    EXPECT_EQ(draws.back().item.CtlID, 9u);
    EXPECT_EQ(draws.back().item.itemAction, UINT(ODA_DRAWENTIRE));
    EXPECT_EQ(draws.back().item.rcItem.right, 48);

    notices().clear();
    POINT p = centre(owner);
    harness::mouseDown(p.x, p.y);
    pump();
    draws = noticesOf(WM_DRAWITEM);
    ASSERT_FALSE(draws.empty());
    EXPECT_EQ(draws.front().item.itemAction, UINT(ODA_FOCUS));
    EXPECT_EQ(draws.back().item.itemAction, UINT(ODA_SELECT));
    EXPECT_EQ(draws.back().item.itemState & (ODS_SELECTED | ODS_FOCUS), UINT(ODS_SELECTED | ODS_FOCUS));
    harness::mouseUp(p.x, p.y);
    pump();
    EXPECT_EQ(noticesOf(WM_DRAWITEM).back().item.itemState & ODS_SELECTED, 0u);

    notices().clear();
    EnableWindow(owner, FALSE);
    pump();
    draws = noticesOf(WM_DRAWITEM);
    ASSERT_FALSE(draws.empty());
    EXPECT_TRUE(draws.back().item.itemState & ODS_DISABLED);
}

TEST_F(OwnerDrawButton, DoubleClickNotifiesOnceClickedThenDoubleClicked)
{
    HWND owner = button("", BS_OWNERDRAW, 9, 10, 10, 48, 20);
    HWND plain = button("plain", BS_PUSHBUTTON, 10, 10, 50);
    pump();
    POINT p = centre(owner);
    harness::doubleClick(p.x, p.y);
    pump();
    EXPECT_EQ(commandCodes(owner), (std::vector<WORD> { BN_CLICKED, BN_DOUBLECLICKED }));
    // Without BS_NOTIFY a push button takes the second press as another click.
    p = centre(plain);
    harness::doubleClick(p.x, p.y);
    pump();
    EXPECT_EQ(commandCodes(plain), (std::vector<WORD> { BN_CLICKED, BN_CLICKED }));
}

} // namespace
