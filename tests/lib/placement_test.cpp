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
        { 1, INT_MAX, INT_MAX, 100, 80, 1, R - 100, B - 80 }, // a kept place: no sum may wrap round
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
