// Owned top-level windows: a chain main -> defender -> attacker stays in order above its owner
// through raising and SetWindowPos, a circle of owners does not hang, and minimising the owner
// hides exactly its visible owned windows until it is restored.
#include "user_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace usertest;

namespace {

struct OwnedWindows : ::testing::Test {
    void TearDown() override { destroyAll(); }
};

BOOL CALLBACK collectTop(HWND hwnd, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
    return TRUE;
}

// Where each window stands in the z-order of the top-level windows, 0 at the top.
int depth(HWND hwnd)
{
    std::vector<HWND> tops;
    EnumWindows(collectTop, LPARAM(&tops));
    return int(std::find(tops.begin(), tops.end(), hwnd) - tops.begin());
}

struct Chain {
    HWND main = createFrame("main", 0, 0, 600, 400);
    HWND defender = createFrame("defender", 50, 50, 300, 200, WS_POPUP | WS_VISIBLE, 0, main);
    HWND attacker = createFrame("attacker", 100, 100, 300, 200, WS_POPUP | WS_VISIBLE, 0, defender);
    HWND other = createFrame("other", 200, 200, 300, 200, WS_POPUP | WS_VISIBLE);

    // attacker directly above defender directly above main.
    bool inOrder() const { return depth(attacker) + 1 == depth(defender) && depth(defender) + 1 == depth(main); }
};

const UINT kNoMove = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

TEST_F(OwnedWindows, ChainStaysAboveItsOwnerWhenTheOwnerIsRaised)
{
    Chain c;
    ASSERT_LT(depth(c.other), depth(c.main));
    SetWindowPos(c.main, HWND_TOP, 0, 0, 0, 0, kNoMove);
    EXPECT_TRUE(c.inOrder());
    EXPECT_EQ(depth(c.attacker), 0) << "the owner's raise lifts the whole chain to the top";
    EXPECT_GT(depth(c.other), depth(c.main));

    SetActiveWindow(c.other);
    EXPECT_EQ(depth(c.other), 0);
    SetActiveWindow(c.main);
    pump();
    EXPECT_TRUE(c.inOrder()) << "activation raises the owned windows of owned windows too";
    EXPECT_EQ(depth(c.attacker), 0);
}

TEST_F(OwnedWindows, SetWindowPosBelowTheOwnerPlacesTheWindowDirectlyAboveIt)
{
    Chain c;
    SetWindowPos(c.defender, HWND_BOTTOM, 0, 0, 0, 0, kNoMove);
    EXPECT_TRUE(c.inOrder());
    SetWindowPos(c.defender, c.main, 0, 0, 0, 0, kNoMove);   // after the owner: below it
    EXPECT_TRUE(c.inOrder());
    SetWindowPos(c.main, HWND_BOTTOM, 0, 0, 0, 0, kNoMove);
    EXPECT_TRUE(c.inOrder()) << "what it owns goes down with the owner";
    EXPECT_GT(depth(c.defender), depth(c.other));
    SetWindowPos(c.attacker, c.other, 0, 0, 0, 0, kNoMove);   // still above its owner: taken as asked
    EXPECT_EQ(depth(c.attacker), depth(c.other) + 1);
    EXPECT_LT(depth(c.attacker), depth(c.defender));
}

TEST_F(OwnedWindows, ACircleOfOwnersEndsTheLift)
{
    Chain c;
    SetWindowLongPtrA(c.main, GWLP_HWNDPARENT, LONG_PTR(c.attacker));
    SetWindowPos(c.main, HWND_TOP, 0, 0, 0, 0, kNoMove);
    SetActiveWindow(c.defender);
    SetWindowPos(c.attacker, HWND_BOTTOM, 0, 0, 0, 0, kNoMove);
    std::vector<HWND> tops;
    EnumWindows(collectTop, LPARAM(&tops));
    for (HWND w : { c.main, c.defender, c.attacker, c.other })
        EXPECT_EQ(std::count(tops.begin(), tops.end(), w), 1) << "each window once in the order";
    SetWindowLongPtrA(c.main, GWLP_HWNDPARENT, 0);
}

TEST_F(OwnedWindows, MinimisingHidesOnlyTheVisibleOwnedWindowsAndRestoringShowsThem)
{
    Chain c;
    HWND hidden = createFrame("hidden", 10, 10, 100, 100, WS_POPUP, 0, c.main);
    Recorder::instance().clear();
    ShowWindow(c.main, SW_MINIMIZE);
    pump();
    EXPECT_TRUE(IsIconic(c.main));
    EXPECT_FALSE(IsWindowVisible(c.defender));
    EXPECT_FALSE(IsWindowVisible(c.attacker)) << "the whole chain goes with its owner";
    EXPECT_TRUE(IsWindowVisible(c.other));
    auto showMessages = [](HWND w) {
        std::vector<std::pair<WPARAM, LPARAM>> shows;
        for (const Entry& e : Recorder::instance().entries())
            if (e.hwnd == w && e.message == WM_SHOWWINDOW)
                shows.emplace_back(e.wParam, e.lParam);
        return shows;
    };
    using Shows = std::vector<std::pair<WPARAM, LPARAM>>;
    EXPECT_EQ(showMessages(c.defender), (Shows { { FALSE, SW_PARENTCLOSING } }));
    EXPECT_EQ(showMessages(c.attacker), (Shows { { FALSE, SW_PARENTCLOSING } }));
    EXPECT_TRUE(showMessages(hidden).empty());
    EXPECT_NE(GetActiveWindow(), c.defender);

    Recorder::instance().clear();
    ShowWindow(c.main, SW_RESTORE);
    pump();
    EXPECT_FALSE(IsIconic(c.main));
    EXPECT_TRUE(IsWindowVisible(c.defender));
    EXPECT_TRUE(IsWindowVisible(c.attacker));
    EXPECT_FALSE(IsWindowVisible(hidden)) << "hidden before, hidden after";
    EXPECT_EQ(showMessages(c.defender), (Shows { { TRUE, SW_PARENTOPENING } }));
    EXPECT_EQ(showMessages(c.attacker), (Shows { { TRUE, SW_PARENTOPENING } }));
    EXPECT_TRUE(showMessages(hidden).empty());
    EXPECT_TRUE(c.inOrder());
    EXPECT_LT(depth(c.main), depth(c.other));
}

TEST_F(OwnedWindows, AWindowHiddenOnPurposeWhileTheOwnerIsMinimisedStaysHidden)
{
    Chain c;
    ShowWindow(c.main, SW_MINIMIZE);
    ShowWindow(c.defender, SW_HIDE);
    ShowWindow(c.main, SW_RESTORE);
    pump();
    EXPECT_FALSE(IsWindowVisible(c.defender));
}

} // namespace
