// Dirty rectangle bookkeeping and the scaling of the screen into the host window.
#include "platform/desktop/rect_list.h"
#include "platform/desktop/viewport.h"

#include <gtest/gtest.h>

using namespace platform::desktop;

namespace {

bool covered(const std::vector<RECT>& rects, LONG x, LONG y)
{
    for (const RECT& r : rects)
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom)
            return true;
    return false;
}

} // namespace

TEST(RectList, EveryAddedPixelStaysCoveredWhileTheListStaysShort)
{
    RectList list;
    std::vector<RECT> added;
    // A scatter of small rectangles, some overlapping, some touching.
    for (int i = 0; i < 60; ++i) {
        LONG x = (i * 37) % 500, y = (i * 53) % 400;
        RECT r { x, y, x + 5 + i % 7, y + 3 + i % 5 };
        list.add(r);
        added.push_back(r);
        EXPECT_LE(list.rects().size(), RectList::maxRects);
    }
    for (const RECT& r : added)
        for (LONG y = r.top; y < r.bottom; ++y)
            for (LONG x = r.left; x < r.right; ++x)
                ASSERT_TRUE(covered(list.rects(), x, y)) << x << "," << y;
}

TEST(RectList, MergesContainedAndAdjacentButKeepsDistantApart)
{
    RectList list;
    list.add(RECT { 0, 0, 10, 10 });
    list.add(RECT { 2, 2, 5, 5 });
    list.add(RECT { 10, 0, 20, 10 });
    ASSERT_EQ(list.rects().size(), 1u);
    EXPECT_EQ(list.rects()[0].right, 20);
    list.add(RECT { 500, 500, 510, 510 });
    EXPECT_EQ(list.rects().size(), 2u);
    list.add(RECT { 5, 5, 5, 50 }); // empty
    EXPECT_EQ(list.rects().size(), 2u);
}

TEST(Viewport, LetterboxesKeepingTheScreenAspect)
{
    SIZE screen { 1280, 960 };
    Viewport wide = fitViewport(1920, 960, screen);
    EXPECT_EQ(wide.width, 1280);
    EXPECT_EQ(wide.height, 960);
    EXPECT_EQ(wide.x, 320);
    EXPECT_EQ(wide.y, 0);
    Viewport tall = fitViewport(640, 1000, screen);
    EXPECT_EQ(tall.width, 640);
    EXPECT_EQ(tall.height, 480);
    EXPECT_EQ(tall.y, 260);
    Viewport none = fitViewport(0, 100, screen);
    EXPECT_EQ(none.width, 0);
}

TEST(Viewport, MapsWindowPositionsBackToScreenPixels)
{
    SIZE screen { 1280, 960 };
    Viewport half = fitViewport(640 + 100, 480, screen); // 50 px bars left and right
    POINT p = windowToScreen(half, screen, 50 + 320, 240);
    EXPECT_EQ(p.x, 640);
    EXPECT_EQ(p.y, 480);
    // Clicks on the bars land on the nearest screen edge, never outside the screen.
    POINT left = windowToScreen(half, screen, 10, -5);
    EXPECT_EQ(left.x, 0);
    EXPECT_EQ(left.y, 0);
    POINT right = windowToScreen(half, screen, 739, 479);
    EXPECT_EQ(right.x, 1279);
    EXPECT_EQ(right.y, 958);
}
