// Trackbars by keys and mouse with their scroll codes, and the silent programmatic position.
#include "controls_test_util.h"

#include <gtest/gtest.h>

using namespace ctltest;
namespace harness = platform::harness;

namespace {

struct Trackbars : ::testing::Test {
    HWND parent = nullptr;
    void SetUp() override { parent = createParent(); }
    void TearDown() override { destroyAll(); }
    HWND trackbar(DWORD style, int width = 200, int height = 30)
    {
        HWND t = createControl(parent, TRACKBAR_CLASSA, "", style, 3, 10, 10, width, height);
        SendMessageA(t, TBM_SETRANGE, TRUE, MAKELPARAM(0, 360));
        SendMessageA(t, TBM_SETTICFREQ, 15, 0);
        SendMessageA(t, TBM_SETPAGESIZE, 0, 30);
        pump();
        return t;
    }
    // The scroll codes (and positions of thumb codes) the parent received.
    static std::vector<std::pair<WORD, WORD>> scrolls(UINT message = WM_HSCROLL)
    {
        std::vector<std::pair<WORD, WORD>> result;
        for (const Notice& n : noticesOf(message))
            result.emplace_back(LOWORD(n.wParam), HIWORD(n.wParam));
        return result;
    }
};

using TrackbarKeys = Trackbars;
using TrackbarMouse = Trackbars;
using TrackbarMessages = Trackbars;

TEST_F(TrackbarKeys, EachKeyStepsAndReportsThenEndsTheTrack)
{
    HWND t = trackbar(TBS_AUTOTICKS);
    SetFocus(t);
    pump();
    notices().clear();
    struct Case { UINT key; WORD code; LRESULT pos; };
    const Case cases[] = {
        { VK_RIGHT, TB_LINEDOWN, 1 }, { VK_NEXT, TB_PAGEDOWN, 31 }, { VK_LEFT, TB_LINEUP, 30 },
        { VK_PRIOR, TB_PAGEUP, 0 }, { VK_END, TB_BOTTOM, 360 }, { VK_DOWN, TB_LINEDOWN, 360 }, { VK_HOME, TB_TOP, 0 },
    };
    for (const Case& c : cases) {
        notices().clear();
        harness::pressKey(c.key);
        pump();
        EXPECT_EQ(SendMessageA(t, TBM_GETPOS, 0, 0), c.pos) << c.key;
        EXPECT_EQ(scrolls(), (std::vector<std::pair<WORD, WORD>> { { c.code, 0 }, { TB_ENDTRACK, 0 } })) << c.key;
        EXPECT_EQ(HWND(noticesOf(WM_HSCROLL).front().lParam), t);
    }
    HWND vertical = trackbar(TBS_VERT, 30, 200);
    SetFocus(vertical);
    pump();
    notices().clear();
    harness::pressKey(VK_DOWN);
    pump();
    EXPECT_EQ(scrolls(WM_VSCROLL), (std::vector<std::pair<WORD, WORD>> { { TB_LINEDOWN, 0 }, { TB_ENDTRACK, 0 } }));
    EXPECT_TRUE(noticesOf(WM_HSCROLL).empty());
}

TEST_F(TrackbarMouse, DraggingTheThumbTracksThenSetsThePosition)
{
    HWND t = trackbar(TBS_AUTOTICKS);
    RECT thumb {};
    SendMessageA(t, TBM_GETTHUMBRECT, 0, LPARAM(&thumb));
    POINT from = screenPoint(t, (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2);
    notices().clear();
    harness::mouseDown(from.x, from.y);
    harness::mouseMove(from.x + 40, from.y);
    pump();
    harness::mouseMove(from.x + 400, from.y);
    pump();
    harness::mouseUp(from.x + 400, from.y);
    pump();
    auto seen = scrolls();
    ASSERT_GE(seen.size(), 4u);
    EXPECT_EQ(seen[0].first, TB_THUMBTRACK);
    EXPECT_GT(seen[0].second, 0);
    EXPECT_EQ(seen[seen.size() - 3], std::make_pair(WORD(TB_THUMBTRACK), WORD(360)));
    EXPECT_EQ(seen[seen.size() - 2], std::make_pair(WORD(TB_THUMBPOSITION), WORD(360)));
    EXPECT_EQ(seen.back(), std::make_pair(WORD(TB_ENDTRACK), WORD(0)));
    EXPECT_EQ(SendMessageA(t, TBM_GETPOS, 0, 0), 360);
    EXPECT_EQ(GetFocus(), t);
}

TEST_F(TrackbarMouse, ClickOnTheChannelPagesTowardIt)
{
    HWND t = trackbar(TBS_AUTOTICKS);
    SendMessageA(t, TBM_SETPOS, TRUE, 100);
    RECT channel {};
    SendMessageA(t, TBM_GETCHANNELRECT, 0, LPARAM(&channel));
    notices().clear();
    clickAt(t, channel.right - 3, (channel.top + channel.bottom) / 2);
    EXPECT_EQ(SendMessageA(t, TBM_GETPOS, 0, 0), 130);
    EXPECT_EQ(scrolls(), (std::vector<std::pair<WORD, WORD>> { { TB_PAGEDOWN, 0 }, { TB_ENDTRACK, 0 } }));
    notices().clear();
    clickAt(t, channel.left + 3, (channel.top + channel.bottom) / 2);
    EXPECT_EQ(SendMessageA(t, TBM_GETPOS, 0, 0), 100);
    EXPECT_EQ(scrolls().front().first, TB_PAGEUP);
}

TEST_F(TrackbarMessages, SettingThePositionIsSilentAndClamped)
{
    HWND t = trackbar(TBS_AUTOTICKS | TBS_BOTH);
    notices().clear();
    SendMessageA(t, TBM_SETPOS, TRUE, 165);
    EXPECT_EQ(SendMessageA(t, TBM_GETPOS, 0, 0), 165);
    SendMessageA(t, TBM_SETPOS, TRUE, 999);
    EXPECT_EQ(SendMessageA(t, TBM_GETPOS, 0, 0), 360);
    SendMessageA(t, TBM_SETRANGEMAX, TRUE, 200);
    EXPECT_EQ(SendMessageA(t, TBM_GETPOS, 0, 0), 200);
    EXPECT_EQ(SendMessageA(t, TBM_GETRANGEMAX, 0, 0), 200);
    EXPECT_EQ(SendMessageA(t, TBM_SETLINESIZE, 0, 5), 1);
    EXPECT_EQ(SendMessageA(t, TBM_GETLINESIZE, 0, 0), 5);
    pump();
    EXPECT_TRUE(noticesOf(WM_HSCROLL).empty());
    EXPECT_EQ(SendMessageA(t, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
}

} // namespace
