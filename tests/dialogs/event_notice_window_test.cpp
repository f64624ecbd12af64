// The event notice: its words by kind, and closing at a click from whichever thread raised it.
#include "dialogs/event_notice_window.h"

#include "tests/dialogs/dialog_world.h"

#include <gtest/gtest.h>

using namespace dialogs_test;

TEST(EventNoticeWindow, EachKindHasItsWordsAndNamesTheUnitOrTheTwoCountries)
{
    DialogWorld world;
    const int unit = world.placeUnit(0, world.landType(), 2, 2);
    world.nameUnit(0, unit, "第一中隊");
    struct Case {
        int kind;
        int a, b;
        const char* first;
        const char* second;
    } cases[] = {
        { 0, 0, unit, "燃料切れで墜落しました。", "第一中隊" },
        { 2, 0, unit, "民間人を目標地点に輸送しました。", "第一中隊" },
        { 4, 0, unit, "避難目標地点に到着しました。", "第一中隊" },
        { 5, 0, unit, "誤射が発生しました。", "第一中隊" },
        { 8, 0, unit, "輸送目標地点に到着しました。", "第一中隊" },
        { 9, 0, unit, "オート移動で移動できませんでした。", "第一中隊" },
        { 10, 0, unit, "オート追尾目標部隊を見失いました。", "第一中隊" },
        { 13, 1, 2, "赤国陣営が", "緑国陣営領に進入しました。" },
        { 14, 3, 0, "黄国陣営のミサイルが", "青国陣営領に着弾しました。" },
        { 16, 0, unit, "機雷原に進入しました。", "第一中隊" },
        // A unit that is gone leaves the second line empty.
        { 1, 0, 99, "増援部隊が到着しました。", "" },
        // Kinds without words show only the icon.
        { 17, 0, unit, "", "" },
        { -1, 0, unit, "", "" },
    };
    for (const Case& c : cases) {
        auto [first, second] = EventNoticeWindow::lines(world.state(), c.kind, c.a, c.b);
        EXPECT_EQ(platform::cp932ToUtf8(first), c.first) << "kind " << c.kind;
        EXPECT_EQ(platform::cp932ToUtf8(second), c.second) << "kind " << c.kind;
    }
}

TEST(EventNoticeWindow, RaisedOnTheGameThreadItClosesAtAClickWithResultOne)
{
    DialogWorld world;
    const int unit = world.placeUnit(0, world.landType(), 2, 2);
    for (auto button : { harness::Button::Left, harness::Button::Right }) {
        RECT frame {};
        const INT_PTR result = popup_test::driveOnSecondThread([&] {
            EventNoticeWindow notice(makeWindowContext(world.state()), world.owner(), 0, 0, unit);
            notice.run();
            return notice.result();
        }, [&](HWND popup) {
            GetWindowRect(popup, &frame);
            popup_test::clickClient(popup, 100, 30, button);
            EXPECT_TRUE(popup_test::waitGone(popup, 2s)) << "well before its three seconds";
        });
        EXPECT_EQ(result, 1);
        RECT client {};
        GetClientRect(world.ownerHandle(), &client);
        POINT centre { client.right / 2, client.bottom / 2 };
        ClientToScreen(world.ownerHandle(), &centre);
        EXPECT_EQ((frame.left + frame.right) / 2, centre.x) << "centred over the main window";
    }
    // The close message is not a click.
    const INT_PTR closed = popup_test::driveOnSecondThread([&] {
        EventNoticeWindow notice(makeWindowContext(world.state()), world.owner(), 13, 0, 1);
        notice.run();
        return notice.result();
    }, [](HWND popup) { PostMessageA(popup, WM_CLOSE, 0, 0); });
    EXPECT_EQ(closed, 0);
}
