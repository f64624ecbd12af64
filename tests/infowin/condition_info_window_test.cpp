// The condition window: its tab kept across reopenings, the countries seen under rule 32 with their
// toggles, the keyboard starting at the tabs and reaching the page's buttons, and the graph drawn from the statistics.
#include "infowin/condition_info_window.h"

#include "infowin/country_info_window.h"
#include "lib/application.h"
#include "platform/controls/commctrl.h"
#include "state/name_tables.h"
#include "tests/infowin/info_world.h"
#include "ui/private_messages.h"

#include <algorithm>
#include <chrono>
#include <thread>

using namespace info_test;

namespace {

uint32_t xrgb(uint32_t ref) { return (ref & 0xFF) << 16 | (ref & 0xFF00) | (ref >> 16 & 0xFF); }

class ConditionWindow : public ::testing::Test {
protected:
    ConditionWindow()
    {
        for (int c = 0; c < 4; ++c) {
            s.country(c).controller = c == 0 ? 1 : 2;
            s.country(c).inPlay = 1;
        }
        for (int c = 4; c < kCountryCount; ++c)
            s.country(c).controller = 0;
        // Countries 0 and 1 are allies; 2 and 3 stand alone.
        s.country(0).allianceMask = 0x03;
        s.country(1).allianceMask = 0x03;
        s.turnBlock().currentCountry = 0;
        s.turnBlock().turn = 5;
        info.world.setRule(kRuleOpenCampInfo, 0);
        for (uint32_t i = 0; i < 5; ++i) {
            TurnStatsRecord record {};
            for (int c = 0; c < 4; ++c)
                record.country[c].threadValue = 10 + 5 * uint32_t(c) + i;
            s.appendTurnStats(record);
        }
    }
    ConditionInfoWindow* open()
    {
        ConditionInfoWindow* window = ConditionInfoWindow::open(info.context(), &info.owner);
        testing_lib::pump();
        return window;
    }
    static void click(HWND window, int x, int y, harness::Button button = harness::Button::Left)
    {
        const POINT p = screenOf(window, x, y);
        harness::click(p.x, p.y, button);
        testing_lib::pump();
    }
    static bool shown(const ConditionInfoWindow& window, int country) { return IsWindowVisible(window.countryButton(country)) != FALSE; }

    InfoWorld info;
    GameState& s = info.state();
};

} // namespace

TEST_F(ConditionWindow, TheTabLastChosenIsShownOnReopening)
{
    ConditionInfoWindow* window = open();
    ASSERT_NE(window, nullptr);
    HWND tabs = GetDlgItem(window->handle(), int(condition_info_id::kTabs));
    RECT item {};
    SendMessageA(tabs, TCM_GETITEMRECT, 3, LPARAM(&item));
    click(tabs, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
    EXPECT_EQ(ConditionInfoWindow::storedTab(), 3);
    DestroyWindow(window->handle());
    testing_lib::pump();

    window = open();
    ASSERT_NE(window, nullptr);
    tabs = GetDlgItem(window->handle(), int(condition_info_id::kTabs));
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 3);
    SendMessageA(tabs, TCM_GETITEMRECT, 0, LPARAM(&item));
    click(tabs, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
    EXPECT_EQ(ConditionInfoWindow::storedTab(), 0);
}

TEST_F(ConditionWindow, Rule32DecidesWhoIsSeenAndTogglesSurviveTheirHiding)
{
    ConditionInfoWindow* window = open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->visibleMask(), 0x01) << "the viewer's own country: an ally's figures are not known";
    EXPECT_EQ(window->toggleMask(), 0x0F);
    EXPECT_FALSE(shown(*window, 1));
    EXPECT_FALSE(shown(*window, 2));
    EXPECT_EQ(window->countryButton(4), nullptr);
    s.turnBlock().currentCountry = 2;
    SendMessageA(window->handle(), ui_message::kConditionInfoRefresh, 0, 0);
    EXPECT_EQ(window->visibleMask(), 0x01) << "whoever's turn it is";

    // Country 1 switched off, then out of sight and back.
    info.world.setRule(kRuleOpenCampInfo, 1);
    SendMessageA(window->handle(), ui_message::kConditionInfoRefresh, 0, 0);
    EXPECT_EQ(window->visibleMask(), 0x0F);
    RECT button {};
    GetWindowRect(window->countryButton(1), &button);
    harness::click(button.left + 8, button.top + 6);
    testing_lib::pump();
    EXPECT_EQ(window->toggleMask(), 0x0D);
    info.world.setRule(kRuleOpenCampInfo, 0);
    SendMessageA(window->handle(), ui_message::kConditionInfoRefresh, 0, 0);
    EXPECT_FALSE(shown(*window, 1));
    info.world.setRule(kRuleOpenCampInfo, 1);
    SendMessageA(window->handle(), ui_message::kConditionInfoRefresh, 0, 0);
    EXPECT_TRUE(shown(*window, 1));
    EXPECT_TRUE(shown(*window, 3));
    EXPECT_EQ(window->toggleMask(), 0x0D) << "still off when seen again";
}

TEST_F(ConditionWindow, LinesOfTheSeenAndSwitchedOnCountriesOnly)
{
    ConditionInfoWindow* window = open();
    ASSERT_NE(window, nullptr);
    HWND tabs = GetDlgItem(window->handle(), int(condition_info_id::kTabs));
    RECT item {};
    SendMessageA(tabs, TCM_GETITEMRECT, 0, LPARAM(&item));
    click(tabs, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ASSERT_EQ(ConditionInfoWindow::storedTab(), 0);
    const Image page = clientImage(window->page());
    saveShot(clientImage(window->handle()), "condition_window");
    auto pixels = [&](int c) { return countColour(page, 62, 0, 582, 406, xrgb(playerColourRef(c))); };
    EXPECT_GT(pixels(0), 5);
    EXPECT_EQ(pixels(1), 0) << "an ally's figures are not known";
    EXPECT_EQ(pixels(2), 0);
    // The axes' labels stand on the menu-coloured margin in black.
    EXPECT_GT(countColour(page, 0, 0, 60, 406, kBlackPixel), 10);
}

TEST_F(ConditionWindow, BeforeAnyRecordOnlyTheAxesAreDrawn)
{
    s.turnBlock().turn = 0;
    s.clearPlayTables();
    ConditionInfoWindow* window = open();
    ASSERT_NE(window, nullptr);
    const Image page = clientImage(window->page());
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(countColour(page, 62, 0, 582, 406, xrgb(playerColourRef(c))), 0) << c;
}

TEST_F(ConditionWindow, TheKeysStartAtTheTabsWhereAnArrowTurnsThePageAndTabReachesItsButtons)
{
    ConditionInfoWindow* window = open();
    ASSERT_NE(window, nullptr);
    const auto listed = theApplication().modelessWindows();
    ASSERT_NE(std::find(listed.begin(), listed.end(), window), listed.end()) << "the loop's dialog navigation runs on it";
    // The program's loop, dialog navigation first. (Waiting for idle on this thread would hand
    // the keys on without it.)
    auto pump = [&] {
        for (int i = 0; i < 100; ++i) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT || IsDialogMessageA(window->handle(), &msg))
                    continue;
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    };
    SetForegroundWindow(window->handle());
    pump();
    EXPECT_EQ(GetFocus(), GetDlgItem(window->handle(), int(condition_info_id::kTabs)));
    harness::pressKey(VK_RIGHT);
    pump();
    EXPECT_EQ(ConditionInfoWindow::storedTab(), 1) << "the first arrow turns the page";
    harness::pressKey(VK_TAB);
    pump();
    EXPECT_EQ(GetFocus(), window->countryButton(0)) << "navigation walks into the page";
    harness::pressKey(VK_SPACE);
    pump();
    EXPECT_EQ(window->toggleMask() & 1, 0);
}

TEST_F(ConditionWindow, RightClickOnThePageAsksToClose)
{
    ConditionInfoWindow* window = open();
    ASSERT_NE(window, nullptr);
    click(window->page(), 300, 200, harness::Button::Right);
    EXPECT_EQ(info.owner.count(ui_message::kCloseConditionInfo), 1);
}
