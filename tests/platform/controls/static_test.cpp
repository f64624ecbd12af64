// Statics: clicks pass through unless SS_NOTIFY, the parent's colours, a static as the panel of
// buttons, bitmaps.
#include "controls_test_util.h"

#include <gtest/gtest.h>

using namespace ctltest;
namespace harness = platform::harness;

namespace {

struct Statics : ::testing::Test {
    HWND parent = nullptr;
    void SetUp() override { parent = createParent(); }
    void TearDown() override { destroyAll(); }
};

using StaticClicks = Statics;
using StaticLook = Statics;
using StaticPanel = Statics;

TEST_F(StaticClicks, PlainLabelLetsClicksThroughAndNotifyLabelReports)
{
    HWND label = createControl(parent, WC_STATICA, "label", SS_LEFT, 1, 10, 10, 100, 20);
    HWND notify = createControl(parent, WC_STATICA, "notify", SS_LEFT | SS_NOTIFY, 2, 10, 40, 100, 20);
    pump();
    clickAt(label, 5, 5);
    EXPECT_EQ(noticesOf(WM_LBUTTONDOWN).size(), 1u);
    EXPECT_TRUE(noticesOf(WM_COMMAND).empty());
    clickAt(notify, 5, 5);
    EXPECT_EQ(commandCodes(notify), std::vector<WORD> { STN_CLICKED });
    EXPECT_EQ(SendMessageA(label, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

TEST_F(StaticLook, UsesTheParentsBrushAndTextColour)
{
    static HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    parentHandler = [](HWND, UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
        if (message != WM_CTLCOLORSTATIC)
            return false;
        SetTextColor(HDC(wParam), RGB(0, 0, 255));
        *result = LRESULT(red);
        return true;
    };
    HWND label = createControl(parent, WC_STATICA, "WWWW", SS_LEFT, 1, 10, 10, 100, 20);
    pump();
    RECT r;
    GetWindowRect(label, &r);
    harness::Image image = harness::readRect(r);
    EXPECT_EQ(image.at(90, 15) & 0xFFFFFF, 0xFF0000u);
    bool blueText = false;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < 40; ++x)
            blueText = blueText || (image.at(x, y) & 0xFFFFFF) == 0x0000FFu;
    EXPECT_TRUE(blueText);

    // Disabled text is grey whatever the parent asks for.
    EnableWindow(label, FALSE);
    pump();
    image = harness::readRect(r);
    uint32_t grey = GetSysColor(COLOR_GRAYTEXT);
    uint32_t greyXrgb = ((grey & 0xFF) << 16) | (grey & 0xFF00) | ((grey >> 16) & 0xFF);
    bool greyText = false;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < 40; ++x)
            greyText = greyText || (image.at(x, y) & 0xFFFFFF) == greyXrgb;
    EXPECT_TRUE(greyText);
}

TEST_F(StaticPanel, ChildButtonCommandsReachTheStaticsProcedure)
{
    HWND panel = createControl(parent, WC_STATICA, "", SS_LEFT, 1, 10, 10, 200, 100);
    HWND child = createControl(panel, WC_BUTTONA, "in", BS_PUSHBUTTON, 77, 10, 10, 60, 24);
    static std::vector<WPARAM> commands;
    commands.clear();
    static WNDPROC original = nullptr;
    original = WNDPROC(SetWindowLongPtrA(panel, GWLP_WNDPROC, LONG_PTR(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_COMMAND)
            commands.push_back(w);
        return CallWindowProcA(original, h, m, w, l);
    })));
    pump();
    clickAt(child, 5, 5);
    EXPECT_EQ(commands, std::vector<WPARAM> { MAKEWPARAM(77, BN_CLICKED) });
}

TEST_F(StaticLook, BitmapStaticTakesThePicturesSizeAndReturnsTheOldOne)
{
    HWND picture = createControl(parent, WC_STATICA, "", SS_BITMAP, 1, 10, 10, 5, 5);
    HDC screen = GetDC(nullptr);
    HBITMAP first = CreateCompatibleBitmap(screen, 30, 20);
    HBITMAP second = CreateCompatibleBitmap(screen, 10, 10);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, LPARAM(first)), 0);
    RECT r;
    GetClientRect(picture, &r);
    EXPECT_EQ(r.right, 30);
    EXPECT_EQ(r.bottom, 20);
    EXPECT_EQ(HBITMAP(SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, LPARAM(second))), first);
    EXPECT_EQ(HBITMAP(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0)), second);
    DestroyWindow(picture);
    DeleteObject(first);
    DeleteObject(second);
}

} // namespace
