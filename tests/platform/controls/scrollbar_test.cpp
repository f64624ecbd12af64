// Scroll bar controls: the SB_CTL calls reach them, and the mouse on arrows, track and thumb
// reports the window scroll bars' codes with auto-repeat and an end.
#include "controls_test_util.h"

#include <gtest/gtest.h>


using namespace ctltest;
namespace harness = platform::harness;

namespace {

struct ScrollBars : ::testing::Test {
    HWND parent = nullptr;
    HWND bar = nullptr;
    void SetUp() override
    {
        parent = createParent();
        bar = createControl(parent, WC_SCROLLBARA, "", SBS_HORZ, 4, 10, 10, 200, 17);
        SCROLLINFO info { sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 20, 0 };
        SetScrollInfo(bar, SB_CTL, &info, TRUE);
        pump();
        notices().clear();
    }
    void TearDown() override { destroyAll(); }
    static std::vector<std::pair<WORD, WORD>> scrolls()
    {
        std::vector<std::pair<WORD, WORD>> result;
        for (const Notice& n : noticesOf(WM_HSCROLL))
            result.emplace_back(LOWORD(n.wParam), HIWORD(n.wParam));
        return result;
    }
};

using ScrollBarControl = ScrollBars;

TEST_F(ScrollBarControl, ControlCallsSetAndReadItsState)
{
    SCROLLINFO info { sizeof(info), SIF_ALL, 0, 0, 0, 0, 0 };
    ASSERT_TRUE(GetScrollInfo(bar, SB_CTL, &info));
    EXPECT_EQ(info.nMax, 99);
    EXPECT_EQ(info.nPage, 10u);
    EXPECT_EQ(info.nPos, 20);
    EXPECT_EQ(SetScrollPos(bar, SB_CTL, 500, TRUE), 20);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 90);   // the last position shows a whole page
    EXPECT_EQ(SendMessageA(bar, SBM_SETRANGE, 0, 40), 90);
    int low = -1, high = -1;
    EXPECT_TRUE(GetScrollRange(bar, SB_CTL, &low, &high));
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 40);
    EXPECT_EQ(SendMessageA(bar, SBM_GETPOS, 0, 0), 31);
    EXPECT_TRUE(noticesOf(WM_HSCROLL).empty());
}

TEST_F(ScrollBarControl, ArrowsPagesAndThumbReportTheirCodes)
{
    RECT client;
    GetClientRect(bar, &client);
    clickAt(bar, 3, 8);
    EXPECT_EQ(scrolls(), (std::vector<std::pair<WORD, WORD>> { { SB_LINEUP, 0 }, { SB_ENDSCROLL, 0 } }));
    notices().clear();
    clickAt(bar, client.right - 25, 8);
    EXPECT_EQ(scrolls(), (std::vector<std::pair<WORD, WORD>> { { SB_PAGEDOWN, 0 }, { SB_ENDSCROLL, 0 } }));

    // Held on an arrow, the step repeats after a pause.
    notices().clear();
    POINT arrow = screenPoint(bar, client.right - 3, 8);
    harness::mouseDown(arrow.x, arrow.y);
    EXPECT_TRUE(pumpUntil([] { return noticesOf(WM_HSCROLL).size() >= 3; }));
    harness::mouseUp(arrow.x, arrow.y);
    pump();
    auto seen = scrolls();
    ASSERT_GE(seen.size(), 3u);
    EXPECT_TRUE(std::all_of(seen.begin(), seen.end() - 1, [](auto s) { return s.first == SB_LINEDOWN; }));
    EXPECT_EQ(seen.back().first, SB_ENDSCROLL);

    // The thumb drags to the far end: tracking positions, then the final one.
    notices().clear();
    SetScrollPos(bar, SB_CTL, 0, TRUE);
    POINT thumb = screenPoint(bar, 17 + 4, 8);
    harness::mouseDown(thumb.x, thumb.y);
    harness::mouseMove(thumb.x + 300, thumb.y);
    harness::mouseUp(thumb.x + 300, thumb.y);
    pump();
    seen = scrolls();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], std::make_pair(WORD(SB_THUMBTRACK), WORD(90)));
    EXPECT_EQ(seen[1], std::make_pair(WORD(SB_THUMBPOSITION), WORD(90)));
    EXPECT_EQ(seen[2].first, SB_ENDSCROLL);
    EXPECT_EQ(HWND(noticesOf(WM_HSCROLL)[0].lParam), bar);
}

} // namespace
