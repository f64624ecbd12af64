// The map view: the hex under the mouse at each zoom and scroll, the scrolling limits and the zoom's centre.
#include "ui/private_messages.h"
#include "tests/app/map_window_world.h"
#include "tests/rules/commands_world.h"
#include "tests/ui/looked_world.h"

#include <gtest/gtest.h>

using testing_app::MapWindowHarness;

namespace {

SIZE clientSize(HWND window)
{
    RECT rect {};
    GetClientRect(window, &rect);
    return { rect.right, rect.bottom };
}

POINT scrollBarPositions(HWND window)
{
    SCROLLINFO info {};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    GetScrollInfo(window, SB_HORZ, &info);
    POINT pos { info.nPos, 0 };
    GetScrollInfo(window, SB_VERT, &info);
    pos.y = info.nPos;
    return pos;
}

bool samePoint(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }

} // namespace

TEST(MapView, ClickShowsTheHexUnderTheMouseAtEveryZoomAndScroll)
{
    testing_rules::CommandWorld world(60, 40);
    testing_ui::StartedLook look { world.state() };
    MapWindowHarness view(world.state());
    for (int zoom = 0; zoom < MapWindow::kZoomCount; ++zoom) {
        view.window->setZoom(zoom);
        const HexGeometry g(zoom, 60, 40);
        for (POINT origin : { POINT { 0, 0 }, POINT { 37, 53 }, POINT { 100000, 100000 } }) {
            view.window->scrollTo(origin);
            const HexView range = view.window->visibleHexRange();
            ASSERT_GT(range.columns, 2);
            ASSERT_GT(range.rows, 2);
            // Every hex wholly inside the view is a candidate; a spread of them is clicked, both row parities.
            const POINT at = view.window->viewOrigin();
            const SIZE client = clientSize(view.window->handle());
            std::vector<HexPos> inside;
            for (int y = range.firstRow; y < range.firstRow + range.rows; ++y)
                for (int x = range.firstColumn; x < range.firstColumn + range.columns; ++x) {
                    const RECT r = g.hexRect(x, y);
                    if (r.left >= at.x && r.top >= at.y && r.right <= at.x + client.cx && r.bottom <= at.y + client.cy)
                        inside.push_back({ x, y });
                }
            ASSERT_GT(inside.size(), 20u);
            for (size_t i = 0; i < inside.size(); i += inside.size() / 9) {
                const HexPos hex = i + inside.size() / 9 < inside.size() ? inside[i] : inside.back();
                // A quarter cell left and right of the centre still lies inside the hex.
                for (int dx : { -g.cell() / 4, 0, g.cell() / 4 }) {
                    POINT p = view.screenPointOf(hex.x, hex.y);
                    platform::harness::click(p.x + dx, p.y);
                    testing_lib::pump();
                    ASSERT_FALSE(view.host.shown.empty()) << "zoom " << zoom << " hex " << hex.x << "," << hex.y;
                    EXPECT_EQ(view.host.shown.back(), hex) << "zoom " << zoom << " origin " << origin.x << "," << origin.y;
                    view.host.shown.clear();
                }
            }
        }
    }
}

TEST(MapView, ScrollingStopsAtTheMapEdgesAtEveryZoom)
{
    testing_rules::CommandWorld world(60, 40);
    testing_ui::StartedLook look { world.state() };
    MapWindowHarness view(world.state());
    MapWindow& map = *view.window;
    const SIZE client = clientSize(map.handle());
    for (int zoom = 0; zoom < MapWindow::kZoomCount; ++zoom) {
        map.setZoom(zoom);
        const HexGeometry g(zoom, 60, 40);
        const POINT last { g.mapPixelSize().cx - client.cx, g.mapPixelSize().cy - client.cy };
        ASSERT_GT(last.x, 0);
        ASSERT_GT(last.y, 0);

        map.scrollTo({ -50, -70 });
        EXPECT_TRUE(samePoint(map.viewOrigin(), { 0, 0 }));
        EXPECT_TRUE(map.scrollByKey(VK_LEFT));
        EXPECT_TRUE(map.scrollByKey(VK_UP));
        EXPECT_TRUE(samePoint(map.viewOrigin(), { 0, 0 })) << "zoom " << zoom;
        EXPECT_TRUE(map.scrollByKey(VK_RIGHT));
        EXPECT_TRUE(map.scrollByKey(VK_DOWN));
        EXPECT_TRUE(samePoint(map.viewOrigin(), { g.cell(), g.rowPitch() })) << "an arrow scrolls by one hex";
        EXPECT_FALSE(map.scrollByKey(VK_SPACE));

        map.scrollTo({ 1 << 20, 1 << 20 });
        EXPECT_TRUE(samePoint(map.viewOrigin(), last)) << "zoom " << zoom;
        map.scrollByKey(VK_RIGHT);
        map.scrollByKey(VK_DOWN);
        EXPECT_TRUE(samePoint(map.viewOrigin(), last));
        testing_lib::pump();
        EXPECT_TRUE(samePoint(scrollBarPositions(map.handle()), last)) << "the scroll bars follow the view";
        const HexView range = map.visibleHexRange();
        EXPECT_EQ(range.firstColumn + range.columns, 60);
        EXPECT_EQ(range.firstRow + range.rows, 40);

        // The view a save keeps comes back exactly: at the far corner and part of a hex in.
        for (POINT origin : { last, POINT { 37, 53 } }) {
            map.scrollTo(origin);
            const HexView kept = map.visibleHexRange();
            map.scrollTo({ 0, 0 });
            map.showFrom(kept.firstColumn, kept.firstRow, { kept.offsetX, kept.offsetY });
            EXPECT_TRUE(samePoint(map.viewOrigin(), origin)) << "zoom " << zoom << " origin " << origin.x;
        }
    }
}

TEST(MapView, MapSmallerThanTheViewIsDrawnFromTheTopLeft)
{
    testing_rules::CommandWorld world(6, 5);
    testing_ui::StartedLook look { world.state() };
    MapWindowHarness view(world.state());
    for (int zoom = 0; zoom < MapWindow::kZoomCount; ++zoom) {
        view.window->setZoom(zoom);
        view.window->scrollTo({ 500, 500 });
        view.window->scrollByKey(VK_RIGHT);
        EXPECT_TRUE(samePoint(view.window->viewOrigin(), { 0, 0 })) << "zoom " << zoom;
    }
    const HexView range = view.window->visibleHexRange();
    EXPECT_EQ(range.firstColumn, 0);
    EXPECT_EQ(range.columns, 6);
    EXPECT_EQ(range.rows, 5);
}

TEST(MapView, ZoomKeepsTheCentreHexAndTheWheelScrollsRows)
{
    testing_rules::CommandWorld world(60, 40);
    testing_ui::StartedLook look { world.state() };
    MapWindowHarness view(world.state());
    MapWindow& map = *view.window;
    const SIZE client = clientSize(map.handle());
    map.setZoom(1);
    map.centreOn(30, 21);
    for (int zoom : { 2, 0, 1 }) {
        view.send(ui_message::kMapSetZoom, WPARAM(zoom));
        EXPECT_EQ(map.zoom(), zoom);
        EXPECT_EQ(look.look().mapView().zoom.load(), zoom);
        int x = -1, y = -1;
        ASSERT_TRUE(map.hexAtClient({ client.cx / 2, client.cy / 2 }, x, y));
        EXPECT_EQ((HexPos { x, y }), (HexPos { 30, 21 })) << "zoom " << zoom;
    }

    const POINT before = map.viewOrigin();
    // The wheel goes to the window with the focus, as a click on the map gives it.
    SetFocus(map.handle());
    POINT centre { client.cx / 2, client.cy / 2 };
    ClientToScreen(map.handle(), &centre);
    platform::harness::wheel(centre.x, centre.y, -120);
    testing_lib::pump();
    const HexGeometry g(1, 60, 40);
    EXPECT_TRUE(samePoint(map.viewOrigin(), { before.x, before.y + 3 * g.rowPitch() }));
}
