// The simplified battle window on the test clock: the counters' after-before-after steps, the
// crosses, the blinking hit mark, its closing by itself, by its button and by a click elsewhere, and
// what an unseen side keeps hidden. The window runs modally on this thread as on the UI thread; a
// second thread moves the clock and clicks, as the person would.
#include "battle/live_clash_easy_window.h"
#include "rules/combat_pair.h"
#include "state/rule_block.h"
#include "tests/lib/window_test_support.h"
#include "tests/ui/looked_world.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>

namespace {

namespace harness = platform::harness;
using harness::Image;

class WatchedEasyWindow : public LiveClashEasyWindow {
public:
    using LiveClashEasyWindow::LiveClashEasyWindow;
    int OnInitDialog() override
    {
        const int result = LiveClashEasyWindow::OnInitDialog();
        opened = handle();
        return result;
    }
    std::atomic<HWND> opened { nullptr };
};

struct EasyWorld {
    EasyWorld()
    {
        testing_lib::initApplication();
        owner.Create();
        GameState& s = state();
        const int a = world.placeUnit(0, 3, 2, 2);
        const int d = world.placeUnit(1, 2, 3, 2);
        CombatPair& pair = currentCombat(s);
        pair.setAttacker(s, 0, a);
        pair.setDefender(s, 1, d);
        pair.side[0].weaponSlot = 0;
        pair.side[1].weaponSlot = 0;
    }
    ~EasyWorld() { testing_lib::destroyAllWindows(); }
    GameState& state() { return world.state(); }
    CombatSide& side(int k) { return currentCombat(state()).side[k]; }

    // Opens the window modally here while `drive` runs on a second thread once it is open.
    int run(const std::function<void(HWND)>& drive, int viewer = 0)
    {
        state().turnBlock().viewingCountry = int8_t(viewer);
        WatchedEasyWindow window(makeWindowContext(state()), &owner);
        std::atomic<bool> driven { false };
        std::thread driver([&] {
            while (!window.opened)
                std::this_thread::yield();
            harness::waitIdle();
            drive(window.opened);
            driven = true;
        });
        window.Create();
        // The driver's last step may still wait for this thread to be idle.
        while (!driven)
            testing_lib::pump();
        driver.join();
        return int(window.result());
    }

    testing_ui::LookedWorld world { 8, 8, -1, testing_ui::LookedWorld::Pictures::Linked };
    testing_lib::TopWindow owner;
};

Image client(HWND window)
{
    harness::waitIdle();
    RECT r {};
    GetClientRect(window, &r);
    POINT origin { 0, 0 };
    ClientToScreen(window, &origin);
    return harness::readRect(RECT { origin.x, origin.y, origin.x + r.right, origin.y + r.bottom });
}

// The pixels of a rectangle of the client area, for comparing steps.
std::vector<uint32_t> area(const Image& image, int x, int y, int w, int h)
{
    std::vector<uint32_t> out;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            out.push_back(image.at(i, j) & 0xFFFFFF);
    return out;
}

int redPixels(const Image& image, int x, int y, int w, int h)
{
    int n = 0;
    for (uint32_t p : area(image, x, y, w, h))
        n += (p >> 16 & 0xFF) > 180 && (p >> 8 & 0xFF) < 90 && (p & 0xFF) < 90;
    return n;
}

void clickClient(HWND window, int x, int y, harness::Button button = harness::Button::Left)
{
    POINT p { x, y };
    ClientToScreen(window, &p);
    harness::click(p.x, p.y, button);
}

// Counter i of side k and the category icon beside it.
struct Place {
    int x, y;
};
Place counter(int k, int i) { return { k * 300 + (i % 5 + 2) * 44, (i / 5) * 24 + 76 }; }
Place icon(int k, int i) { return { k * 300 + 68 + (i % 5) * 44, (i / 5 + 3) * 24 }; }

void keep(const Image& image, const std::string& name)
{
    const char* folder = std::getenv("DERAZODO_SHOTS");
    if (folder && *folder) {
        std::filesystem::create_directories(folder);
        harness::writePng(image, (std::filesystem::path(folder) / (name + ".png")).string());
    }
}

} // namespace

TEST(EasyBattleWindow, CountersStepAfterBeforeAfterThenCrossesThenClosesAtTwoAndAHalfSeconds)
{
    EasyWorld w;
    harness::TestClock clock;
    // Infantry counter 0 falls and counter 1 loses half.
    w.side(1).strengthAfter[0] = 0;
    w.side(1).strengthAfter[1] = uint16_t(w.side(1).strengthBefore[1] / 2);
    std::atomic<bool> closed_early { false };
    const int result = w.run([&](HWND window) {
        const Image opening = client(window);
        keep(opening, "easy_battle_opening");
        ASSERT_TRUE(harness::advanceClock(200));
        const Image step0 = client(window);
        ASSERT_TRUE(harness::advanceClock(200));
        const Image step1 = client(window);
        ASSERT_TRUE(harness::advanceClock(200));
        const Image step2 = client(window);
        for (int i : { 0, 1 }) {
            const Place c = counter(1, i);
            EXPECT_NE(area(step0, c.x, c.y, 12, 12), area(step1, c.x, c.y, 12, 12)) << "after, then before: counter " << i;
            EXPECT_EQ(area(step0, c.x, c.y, 12, 12), area(step2, c.x, c.y, 12, 12)) << "after again: counter " << i;
            EXPECT_EQ(area(opening, c.x, c.y, 12, 12), area(step1, c.x, c.y, 12, 12)) << "the panel opens with before";
        }
        const Place same = counter(1, 2);
        EXPECT_EQ(area(step0, same.x, same.y, 12, 12), area(step1, same.x, same.y, 12, 12)) << "an unchanged counter";
        const Place fallen = icon(1, 0);
        const Place hurt = icon(1, 1);
        EXPECT_EQ(area(opening, fallen.x, fallen.y, 16, 16), area(step2, fallen.x, fallen.y, 16, 16));
        ASSERT_TRUE(harness::advanceClock(200));
        const Image step3 = client(window);
        keep(step3, "easy_battle_crossed");
        EXPECT_NE(area(step2, fallen.x, fallen.y, 16, 16), area(step3, fallen.x, fallen.y, 16, 16)) << "the fallen figure is crossed out";
        EXPECT_GT(redPixels(step3, fallen.x, fallen.y, 16, 16), 10);
        EXPECT_EQ(area(step2, hurt.x, hurt.y, 16, 16), area(step3, hurt.x, hurt.y, 16, 16)) << "a figure still standing is not";
        // Timer 2 stops at 1 s and the window closes 1.5 s later.
        ASSERT_TRUE(harness::advanceClock(2499 - 800));
        closed_early = !IsWindow(window);
        ASSERT_TRUE(harness::advanceClock(1));
    });
    EXPECT_FALSE(closed_early);
    EXPECT_EQ(result, 1);
}

TEST(EasyBattleWindow, NoLossClosesByItselfAfterTwoAndAHalfSeconds)
{
    EasyWorld w;
    harness::TestClock clock;
    std::atomic<bool> open_at_2499 { false };
    Image before;
    Image after;
    const int result = w.run([&](HWND window) {
        before = client(window);
        ASSERT_TRUE(harness::advanceClock(1000));
        after = client(window);
        ASSERT_TRUE(harness::advanceClock(1499));
        open_at_2499 = IsWindow(window) != 0;
        ASSERT_TRUE(harness::advanceClock(1));
    });
    EXPECT_TRUE(open_at_2499);
    EXPECT_EQ(result, 1);
    const Place c = counter(0, 0);
    EXPECT_EQ(area(before, c.x, c.y, 12, 12), area(after, c.x, c.y, 12, 12)) << "nothing is counted";
}

TEST(EasyBattleWindow, TheHitMarkBlinksForASideThatStruckHard)
{
    EasyWorld w;
    harness::TestClock clock;
    w.side(0).critical = 1;
    w.side(1).critical = 0;
    const int result = w.run([&](HWND window) {
        const Image opening = client(window);
        ASSERT_TRUE(harness::advanceClock(100));
        const Image odd = client(window);
        ASSERT_TRUE(harness::advanceClock(100));
        const Image even = client(window);
        keep(odd, "easy_battle_hit_mark");
        EXPECT_GT(redPixels(odd, 212, 52, 76, 16), 300) << "side 0's mark on odd ticks";
        EXPECT_EQ(area(even, 212, 52, 76, 16), area(opening, 212, 52, 76, 16)) << "the clean panel on even ones";
        EXPECT_EQ(area(odd, 512, 52, 76, 16), area(opening, 512, 52, 76, 16)) << "side 1 did not strike hard";
        clickClient(window, 412 + 40, 268 + 12);
    });
    EXPECT_EQ(result, 1) << "the button closes with 1";
}

TEST(EasyBattleWindow, AnUnseenSideKeepsItsPlaceholders)
{
    EasyWorld w;
    w.world.setRule(kRuleSearch, 1);
    harness::TestClock clock;
    w.side(1).critical = 1;
    w.side(1).strengthAfter[0] = 0;
    w.side(0).strengthAfter[0] = 0;
    const int result = w.run([&](HWND window) {
        const Image opening = client(window);
        ASSERT_TRUE(harness::advanceClock(800));
        const Image crossed = client(window);
        keep(crossed, "easy_battle_unseen_defender");
        EXPECT_GT(redPixels(crossed, icon(0, 0).x, icon(0, 0).y, 16, 16), 10) << "the viewer's own side is counted";
        const Place c = counter(1, 0);
        EXPECT_EQ(area(opening, c.x, c.y, 12, 12), area(crossed, c.x, c.y, 12, 12));
        EXPECT_EQ(area(opening, icon(1, 0).x, icon(1, 0).y, 16, 16), area(crossed, icon(1, 0).x, icon(1, 0).y, 16, 16));
        ASSERT_TRUE(harness::advanceClock(100));
        EXPECT_EQ(area(client(window), 512, 52, 76, 16), area(opening, 512, 52, 76, 16)) << "no blinking for an unseen side";
        clickClient(window, 100, 200, harness::Button::Right);
    });
    EXPECT_EQ(result, 0) << "a right click closes with 0";
}

TEST(EasyBattleWindow, ALeftClickOutsideTheButtonClosesWithZero)
{
    EasyWorld w;
    const int result = w.run([&](HWND window) { clickClient(window, 150, 140); });
    EXPECT_EQ(result, 0);
}
