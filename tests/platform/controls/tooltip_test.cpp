// Tooltips: a tip appears over a subclassed tool after the hover delay as a topmost popup in
// the info colours, and goes on leave, on a click and when deactivated.
#include "controls_test_util.h"

#include <gtest/gtest.h>


using namespace ctltest;
namespace harness = platform::harness;

namespace {

struct Tooltips : ::testing::Test {
    HWND parent = nullptr;
    HWND button = nullptr;
    HWND tip = nullptr;
    void SetUp() override
    {
        parent = createParent();
        button = createControl(parent, WC_BUTTONA, "tool", BS_PUSHBUTTON, 1, 20, 20, 80, 24);
        createControl(parent, WC_BUTTONA, "other", BS_PUSHBUTTON, 2, 20, 100, 80, 24);
        tip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP, 0, 0, 0, 0, parent, nullptr, nullptr, nullptr);
        TOOLINFOA info {};
        info.cbSize = sizeof(info);
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = parent;
        info.uId = UINT_PTR(button);
        std::string text = sjis("部隊を選ぶ");
        info.lpszText = text.data();
        SendMessageA(tip, TTM_ADDTOOLA, 0, LPARAM(&info));
        pump();
    }
    void TearDown() override { destroyAll(); }
    // Pumps for a while so timers run.
    void pumpFor(int milliseconds)
    {
        pumpUntil([] { return false; }, milliseconds);
    }
    bool tipShown()
    {
        return pumpUntil([this] { return IsWindowVisible(tip) != FALSE; });
    }
    bool tipHidden()
    {
        return pumpUntil([this] { return !IsWindowVisible(tip); });
    }
    void hover(HWND over)
    {
        POINT p = centre(over);
        harness::mouseMove(p.x - 2, p.y);
        harness::mouseMove(p.x, p.y);
        pump();
    }
};

TEST_F(Tooltips, AppearsAfterTheHoverDelayAsATopmostInfoPopup)
{
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    hover(button);
    EXPECT_FALSE(IsWindowVisible(tip));
    ASSERT_TRUE(tipShown());
    EXPECT_TRUE(GetWindowLongA(tip, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongA(tip, GWL_STYLE) & WS_POPUP);
    EXPECT_NE(GetActiveWindow(), tip);
    RECT r;
    GetWindowRect(tip, &r);
    POINT cursor = centre(button);
    EXPECT_GT(r.top, cursor.y);
    harness::Image image = harness::readRect(r);
    COLORREF info = GetSysColor(COLOR_INFOBK);
    uint32_t expected = (GetRValue(info) << 16) | (GetGValue(info) << 8) | GetBValue(info);
    EXPECT_EQ(image.at(2, 2) & 0xFFFFFF, expected);

    hover(GetDlgItem(parent, 2));
    EXPECT_TRUE(tipHidden());
}

TEST_F(Tooltips, ClickOrDeactivationHidesAndUpdatedTextIsShown)
{
    hover(button);
    ASSERT_TRUE(tipShown());
    POINT p = centre(button);
    harness::click(p.x, p.y);
    pump();
    EXPECT_FALSE(IsWindowVisible(tip));
    pumpFor(800);
    EXPECT_FALSE(IsWindowVisible(tip));

    SendMessageA(tip, TTM_ACTIVATE, FALSE, 0);
    hover(GetDlgItem(parent, 2));
    pumpFor(300);
    hover(button);
    pumpFor(800);
    EXPECT_FALSE(IsWindowVisible(tip));

    SendMessageA(tip, TTM_ACTIVATE, TRUE, 0);
    TOOLINFOA info {};
    info.cbSize = sizeof(info);
    info.hwnd = parent;
    info.uId = UINT_PTR(button);
    char wide[] = "a much longer tip text";
    info.lpszText = wide;
    SendMessageA(tip, TTM_UPDATETIPTEXTA, 0, LPARAM(&info));
    EXPECT_EQ(SendMessageA(tip, TTM_SETMAXTIPWIDTH, 0, 60), -1);
    hover(GetDlgItem(parent, 2));
    pumpFor(300);
    hover(button);
    ASSERT_TRUE(tipShown());
    RECT r;
    GetWindowRect(tip, &r);
    EXPECT_LE(r.right - r.left, 60 + 12);
    EXPECT_GT(r.bottom - r.top, 30);   // wrapped onto several lines

    // Removing the tool gives the button its own procedure back.
    SendMessageA(tip, TTM_DELTOOLA, 0, LPARAM(&info));
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 0);
    EXPECT_FALSE(IsWindowVisible(tip));
    WNDCLASSA button_class {};
    GetClassInfoA(nullptr, WC_BUTTONA, &button_class);
    EXPECT_EQ(WNDPROC(GetWindowLongPtrA(button, GWLP_WNDPROC)), button_class.lpfnWndProc);
}

} // namespace
