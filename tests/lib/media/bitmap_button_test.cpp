// Bitmap buttons on the headless desktop: the face of each state as pixels, release tracking,
// clicks queued while hidden, and every class's faces inside the strips the data set holds.
#include "button_strips.h"
#include "lib/error.h"
#include "lib/media/bitmap_button.h"
#include "lib/media/picture_services.h"
#include "tests/lib/temp_program_folder.h"
#include "tests/lib/window_test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

using namespace testing_lib;
using testing_buttons::screenPixel;
namespace harness = platform::harness;

namespace {

constexpr COLORREF kNormal = RGB(200, 0, 0);
constexpr COLORREF kPressed = RGB(0, 200, 0);
constexpr COLORREF kDisabled = RGB(0, 0, 200);

class ClickParent : public TopWindow {
public:
    ClickParent() : TopWindow("LibBitmapButtonParent") { }
    int OnCommand(MessageRecord&, UINT id, UINT code) override
    {
        if (code == BN_CLICKED)
            clicks.push_back(id);
        return 0;
    }
    std::vector<UINT> clicks;
};

class BitmapButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        initApplication();
        // Panel buttons 20 × 20, button 1 at x 500: normal rows 72-92, disabled 92-112,
        // pressed 112-132.
        testing_buttons::writeStrip(folder.host("tkbmp/panel_btn.bmp"), 520, 132,
            { { { 500, 72, 520, 92 }, kNormal }, { { 500, 92, 520, 112 }, kDisabled },
                { { 500, 112, 520, 132 }, kPressed } });
        // Check marks 18 × 14, button 0: normal rows 14-28, pressed 0-14.
        testing_buttons::writeStrip(folder.host("tkbmp/cmark18_14.bmp"), 36, 28,
            { { { 0, 14, 18, 28 }, kNormal }, { { 0, 0, 18, 14 }, kPressed } });
        ASSERT_TRUE(parent.Create());
        pump();
    }
    void TearDown() override { destroyAllWindows(); }

    COLORREF centre(const swCWindow& button)
    {
        RECT r {};
        GetClientRect(button.handle(), &r);
        return screenPixel(button.handle(), r.right / 2, r.bottom / 2);
    }
    POINT screenCentre(const swCWindow& button)
    {
        RECT r {};
        GetWindowRect(button.handle(), &r);
        return { (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
    }

    TempProgramFolder folder { "bitmap-button" };
    ClickParent parent;
};

TEST_F(BitmapButtonTest, EachStateShowsItsRowsOfTheStrip)
{
    PanelButton20x20 button(&parent, 1, 500, 10, 10);
    pump();
    RECT size {};
    GetClientRect(button.handle(), &size);
    EXPECT_EQ(size.right, 20);
    EXPECT_EQ(size.bottom, 20);
    EXPECT_EQ(centre(button), kNormal);

    const POINT at = screenCentre(button);
    harness::mouseDown(at.x, at.y);
    pump();
    EXPECT_EQ(centre(button), kPressed);
    harness::mouseUp(at.x, at.y);
    pump();
    EXPECT_EQ(centre(button), kNormal);
    EXPECT_EQ(parent.clicks, std::vector<UINT> { 500 });

    EnableWindow(button.handle(), FALSE);
    pump();
    EXPECT_EQ(centre(button), kDisabled);
}

TEST_F(BitmapButtonTest, ReleaseTrackingKeepsThePressedFaceUntilTheNextChange)
{
    CheckMarkButton mark(&parent, 0, 600, 40, 10);
    pump();
    ASSERT_TRUE(mark.releaseTracking());
    EXPECT_EQ(centre(mark), kNormal);
    const POINT at = screenCentre(mark);
    harness::click(at.x, at.y);
    pump();
    EXPECT_EQ(centre(mark), kPressed);
    EXPECT_EQ(parent.clicks, std::vector<UINT> { 600 });
    InvalidateRect(mark.handle(), nullptr, TRUE);
    pump();
    EXPECT_EQ(centre(mark), kNormal);
}

TEST_F(BitmapButtonTest, AClickQueuedWhileHiddenIsDroppedWhenShown)
{
    PanelButton20x20 button(&parent, 1, 500, 10, 10);
    pump();
    ShowWindow(button.handle(), SW_HIDE);
    PostMessageA(button.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(button.handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ShowWindow(button.handle(), SW_SHOW);
    pump();
    EXPECT_TRUE(parent.clicks.empty());

    const POINT at = screenCentre(button);
    harness::click(at.x, at.y);
    pump();
    EXPECT_EQ(parent.clicks, std::vector<UINT> { 500 });
}

TEST_F(BitmapButtonTest, AMissingStripThrowsAndLeavesNoWindow)
{
    std::vector<HWND> before;
    parent.windowCollectChildren(before);
    bool thrown = false;
    try {
        Button24x20 button(&parent, 0, 700, 10, 10);
    } catch (swCError* error) {
        delete error;
        thrown = true;
    }
    EXPECT_TRUE(thrown);
    pump();
    std::vector<HWND> after;
    parent.windowCollectChildren(after);
    EXPECT_EQ(after.size(), before.size());
}

// Draws hex (x, y) as a square whose colour tells the hex.
class HexPictures : public PictureServices {
public:
    bool drawHexBuilding(HDC dc, int hexX, int hexY) override
    {
        RECT r { 4, 4, 28, 28 };
        HBRUSH brush = CreateSolidBrush(RGB(hexX, hexY, 99));
        FillRect(dc, &r, brush);
        DeleteObject(brush);
        return true;
    }
};

TEST_F(BitmapButtonTest, AHexPictureButtonShowsTheHexOnBlackAndStaysDisabled)
{
    HexPictures pictures;
    setPictureServices(&pictures);
    HexPictureButton hex(&parent, 800, 60, 10, 12, 34);
    setPictureServices(nullptr);
    pump();
    EXPECT_FALSE(IsWindowEnabled(hex.handle()));
    EXPECT_EQ(screenPixel(hex.handle(), 16, 16), RGB(12, 34, 99));
    EXPECT_EQ(screenPixel(hex.handle(), 2, 2), RGB(0, 0, 0));
    const POINT at = screenCentre(hex);
    harness::click(at.x, at.y);
    pump();
    EXPECT_TRUE(parent.clicks.empty());
}

using bitmap_buttons::ButtonKind;
using bitmap_buttons::FaceRect;

TEST(BitmapButtonLayout, FacesLieWhereTheClassesCutThem)
{
    struct Case {
        ButtonKind kind;
        int image;
        FaceRect normal, pressed, disabled;
    };
    const Case cases[] = {
        { ButtonKind::PanelButton20x20, 1, { 500, 72, 520, 92 }, { 500, 112, 520, 132 }, { 500, 92, 520, 112 } },
        { ButtonKind::WeaponListButton, 3, { 360, 0, 408, 24 }, { 360, 24, 408, 48 }, { 360, 24, 408, 48 } },
        { ButtonKind::PanelButton32x20, 3, { 592, 36, 624, 56 }, { 656, 36, 688, 56 }, { 592, 36, 624, 56 } },
        { ButtonKind::ToolButton80x24, 2, { 280, 0, 360, 24 }, { 280, 24, 360, 48 }, { 280, 48, 360, 72 } },
        { ButtonKind::EditGridButton72x24, 4, { 496, 72, 568, 96 }, { 496, 96, 568, 120 }, { 496, 120, 568, 144 } },
        { ButtonKind::EditSheetButton, 15, { 318, 104, 362, 124 }, { 318, 124, 362, 144 }, { 318, 124, 362, 144 } },
        { ButtonKind::AutoMoveSubButton, 3, { 192, 0, 280, 24 }, { 192, 24, 280, 48 }, { 192, 0, 280, 24 } },
        { ButtonKind::MergeButton, 2, { 40, 0, 128, 24 }, { 40, 24, 128, 48 }, { 40, 0, 128, 24 } },
        { ButtonKind::EnvButton172x24, 0, { 160, 0, 332, 24 }, { 160, 24, 332, 48 }, { 160, 0, 332, 24 } },
    };
    for (const Case& c : cases) {
        const auto layout = bitmap_buttons::buttonLayout(c.kind, c.image);
        SCOPED_TRACE(bitmap_buttons::buttonKindName(c.kind));
        EXPECT_EQ(layout.normal, c.normal);
        EXPECT_EQ(layout.pressed, c.pressed);
        EXPECT_EQ(layout.disabled, c.disabled);
        EXPECT_EQ(layout.width, c.normal.width());
        EXPECT_EQ(layout.height, c.normal.height());
    }
    const auto big = bitmap_buttons::buttonLayout(ButtonKind::Button100x26, 2);
    ASSERT_TRUE(big.hasFocusFace);
    EXPECT_EQ(big.focus, (FaceRect { 200, 78, 300, 104 }));
}

// Width and height from a BMP file's info header.
bool bmpSize(const std::string& path, int& width, int& height)
{
    std::ifstream in(path, std::ios::binary);
    unsigned char header[26] = {};
    if (!in.read(reinterpret_cast<char*>(header), sizeof header))
        return false;
    auto i32 = [&](int at) { return int(header[at] | header[at + 1] << 8 | header[at + 2] << 16 | header[at + 3] << 24); };
    width = i32(18);
    height = std::abs(i32(22));
    return header[0] == 'B' && header[1] == 'M';
}

TEST(BitmapButtonLayout, EveryButtonOfTheDataSetLiesInsideItsStrip)
{
    for (int k = 0; k < bitmap_buttons::kButtonKindCount; ++k) {
        const auto kind = ButtonKind(k);
        for (int i = 0; i < bitmap_buttons::buttonImageCount(kind); ++i) {
            const auto layout = bitmap_buttons::buttonLayout(kind, i);
            int width = 0;
            int height = 0;
            // Appended piece by piece: g++ 12 takes a literal-sized string plus a literal for an overflow.
            std::string path = DERAZODO_PROGRAM_DIR;
            path += "/tkbmp/";
            path += layout.file;
            ASSERT_TRUE(bmpSize(path, width, height)) << path;
            SCOPED_TRACE(std::string(bitmap_buttons::buttonKindName(kind)) + " " + std::to_string(i));
            for (const FaceRect& r : { layout.normal, layout.pressed, layout.disabled }) {
                EXPECT_GE(r.left, 0);
                EXPECT_GE(r.top, 0);
                EXPECT_LE(r.right, width);
                EXPECT_LE(r.bottom, height);
                EXPECT_EQ(r.width(), layout.width);
                EXPECT_EQ(r.height(), layout.height);
            }
        }
    }
}

} // namespace
