// Window placement: the work-area fit by mode and the placement kept in the ini file.
#include "lib/profile.h"
#include "temp_program_folder.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <climits>

using namespace testing_lib;

namespace {

struct PlacementFixture : ::testing::Test {
    void SetUp() override
    {
        initApplication();
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
        // A popup has no minimum or maximum tracking size to bend the sizes asked for.
        window.setStyle(WS_POPUP | WS_VISIBLE);
        ASSERT_TRUE(window.Create());
    }
    void TearDown() override { destroyAllWindows(); }

    RECT rect() const
    {
        RECT r {};
        GetWindowRect(window.handle(), &r);
        return r;
    }

    TempProgramFolder folder { "placement" };
    RECT area {};
    TopWindow window;
};

using WorkAreaFit = PlacementFixture;
using SavedPlacement = PlacementFixture;

void expectRect(const RECT& r, int left, int top, int right, int bottom)
{
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);
}

} // namespace

TEST_F(WorkAreaFit, EachModeMovesTheWindowAsItPromises)
{
    const int L = area.left, T = area.top, R = area.right, B = area.bottom;
    const struct {
        int mode, x, y, width, height;
        int changed, left, top;
    } cases[] = {
        { 0, -50, -60, 100, 80, 0, -50, -60 },
        { 1, -50, -60, 100, 80, 1, L, T },
        { 1, R - 50, B - 20, 100, 80, 1, R - 100, B - 80 },
        { 1, 10, 10, R - L + 200, B - T + 100, 1, L, T }, // larger than the work area
        { 1, 10, 20, 100, 80, 0, 10, 20 },
        { 2, R + 5, B + 5, 100, 80, 1, R - 1, B - 1 },
        { 2, R - 50, B - 20, 100, 80, 0, R - 50, B - 20 },
        { 2, -5, 10, 100, 80, 1, L, 10 },
        { 3, R + 5, B + 5, 100, 80, 1, L, T },
        { 3, -99, -79, 100, 80, 0, -99, -79 }, // the bottom-right corner is inside
        { 3, -100, -80, 100, 80, 1, L, T },
        // Kept places may hold any int: no sum may wrap round.
        { 1, INT_MAX, INT_MAX, 100, 80, 1, R - 100, B - 80 },
        { 3, INT_MAX - 50, 10, 100, 80, 1, L, T },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(window.windowFitWorkArea(c.x, c.y, c.width, c.height, TRUE, c.mode), c.changed) << "mode " << c.mode;
        RECT r = rect();
        EXPECT_EQ(r.left, c.left) << "mode " << c.mode << " at " << c.x;
        EXPECT_EQ(r.top, c.top) << "mode " << c.mode << " at " << c.y;
        EXPECT_EQ(r.right - r.left, c.width);
    }
}

TEST_F(SavedPlacement, RoundTripsPositionSizeAndZoom)
{
    MoveWindow(window.handle(), 100, 120, 300, 200, TRUE);
    window.windowSavePlacement("Test");
    EXPECT_EQ(swCProfileKey("WindowInfo", "TestWindowPosLeft").profileReadInt(-1), 100);
    EXPECT_EQ(swCProfileKey("WindowInfo", "TestWindowZoomed").profileReadInt(-1), 0);

    MoveWindow(window.handle(), 5, 6, 50, 60, TRUE);
    window.windowRestorePlacement("Test", true, true);
    expectRect(rect(), 100, 120, 400, 320);

    // Without the size, the window keeps its current one at the saved place.
    MoveWindow(window.handle(), 5, 6, 50, 60, TRUE);
    window.windowRestorePlacement("Test", false, true);
    expectRect(rect(), 100, 120, 150, 180);

    ShowWindow(window.handle(), SW_MAXIMIZE);
    window.windowSavePlacement("Zoom");
    ShowWindow(window.handle(), SW_RESTORE);
    window.windowRestorePlacement("Zoom", true, true);
    EXPECT_TRUE(IsZoomed(window.handle()));
}

TEST_F(SavedPlacement, RestoreWithoutShowHidesTheWindow)
{
    MoveWindow(window.handle(), 100, 120, 300, 200, TRUE);
    window.windowSavePlacement("Hidden");
    window.windowRestorePlacement("Hidden", true, false);
    EXPECT_FALSE(IsWindowVisible(window.handle()));
    expectRect(rect(), 100, 120, 400, 320);
}

TEST_F(SavedPlacement, LeftOfMinusOneCountsAsMissing)
{
    MoveWindow(window.handle(), 100, 120, 300, 200, TRUE);
    window.windowSavePlacement("Edge");
    swCProfileKey("WindowInfo", "EdgeWindowPosLeft").profileWriteInt(-1);
    MoveWindow(window.handle(), 5, 6, 50, 60, TRUE);
    ShowWindow(window.handle(), SW_HIDE);
    window.windowRestorePlacement("Edge", true, true);
    // Only shown: the place stays as it was.
    EXPECT_TRUE(IsWindowVisible(window.handle()));
    expectRect(rect(), 5, 6, 55, 66);

    window.windowRestorePlacement("NeverSaved", true, false);
    EXPECT_FALSE(IsWindowVisible(window.handle()));
}

// Whatever the ini holds (a place kept on a larger desktop, a hand-edited number, a size turned
// inside out), the window comes back wholly on the work area, sized between its smallest and the
// work area, and what it keeps next time is as sound.
TEST_F(SavedPlacement, AnyKeptRectangleComesBackWhollyOnTheWorkArea)
{
    const int W = area.right - area.left, H = area.bottom - area.top;
    const int minW = GetSystemMetrics(SM_CXMINTRACK), minH = GetSystemMetrics(SM_CYMINTRACK);
    const struct {
        int left, top, right, bottom;
        RECT expected;
    } cases[] = {
        { 100, 120, 400, 320, { 100, 120, 400, 320 } },
        { INT_MAX, INT_MAX, 5, 5, { area.right - minW, area.bottom - minH, area.right, area.bottom } },
        { 2147483600, 10, INT_MAX, 300, { area.right - minW, 10, area.right, 300 } },
        { -INT_MAX, -INT_MAX, INT_MAX, INT_MAX, { area.left, area.top, area.right, area.bottom } },
        { W + 500, H + 300, W + 800, H + 500, { area.right - 300, area.bottom - 200, area.right, area.bottom } },
        { W - 20, 50, W + 280, 250, { area.right - 300, 50, area.right, 250 } },
        { -250, -5, 50, 195, { area.left, area.top, area.left + 300, area.top + 200 } },
        { 200, 300, 100, 250, { 200, 300, 200 + minW, 300 + minH } },
    };
    for (const auto& c : cases) {
        const std::pair<const char*, int> keys[] = { { "TestWindowZoomed", 0 }, { "TestWindowIconic", 0 },
            { "TestWindowPosLeft", c.left }, { "TestWindowPosTop", c.top }, { "TestWindowPosRight", c.right },
            { "TestWindowPosBottom", c.bottom } };
        for (const auto& [key, value] : keys)
            swCProfileKey("WindowInfo", key).profileWriteInt(value);
        EXPECT_EQ(window.windowRestorePlacement("Test", true, true), SW_SHOWNORMAL);
        const RECT r = rect();
        SCOPED_TRACE(testing::Message() << "kept " << c.left << "," << c.top << "-" << c.right << "," << c.bottom);
        expectRect(r, c.expected.left, c.expected.top, c.expected.right, c.expected.bottom);

        window.windowSavePlacement("Test");
        EXPECT_EQ(swCProfileKey("WindowInfo", "TestWindowPosRight").profileReadInt(-1), r.right);
        // Without the size, the window's own size is placed the same way.
        MoveWindow(window.handle(), 0, 0, 150, 100, TRUE);
        swCProfileKey("WindowInfo", "TestWindowPosLeft").profileWriteInt(c.left);
        swCProfileKey("WindowInfo", "TestWindowPosTop").profileWriteInt(c.top);
        window.windowRestorePlacement("Test", false, true);
        const RECT own = rect();
        EXPECT_TRUE(own.left >= area.left && own.top >= area.top && own.right <= area.right && own.bottom <= area.bottom);
        EXPECT_EQ(own.right - own.left, 150);
    }
}
