// The thinking-progress window: what a click on its stop button does in each state of play, the
// progress it shows before it lets the game thread go on, and its drag by any other point.
#include "dialogs/think_progress_window.h"

#include "tests/dialogs/dialog_world.h"
#include "ui/private_messages.h"

#include <gtest/gtest.h>

#include <future>

using namespace dialogs_test;

namespace {

// A computer's turn in play with the window over it, shown at a known place.
struct ThinkWorld : DialogWorld {
    ThinkWorld()
    {
        state().handshake().setPlayRunning(true);
        window = new ThinkProgressWindow(makeWindowContext(state()), owner(), 1);
        EXPECT_TRUE(window->Create());
        handle = window->handle();
        SetWindowPos(handle, nullptr, 300, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ShowWindow(handle, SW_SHOW);
        testing_lib::pump();
        owner()->clear();
    }
    ~ThinkWorld()
    {
        if (IsWindow(handle))
            DestroyWindow(handle);
        Handshake& handshake = state().handshake();
        handshake.replyToGame(0);
        handshake.setPlayRunning(false);
        testing_lib::pump();
    }
    POINT stopButton() const { return popup_test::screenPoint(handle, 250, 24); }
    // A click on the stop button, and time for the watcher's poll and the window's answer.
    void clickStop()
    {
        const POINT p = stopButton();
        harness::click(p.x, p.y);
        pumpFor(350ms);
    }
    static void pumpFor(std::chrono::milliseconds span)
    {
        const auto end = std::chrono::steady_clock::now() + span;
        while (std::chrono::steady_clock::now() < end) {
            testing_lib::pump();
            std::this_thread::sleep_for(5ms);
        }
    }

    ThinkProgressWindow* window = nullptr;
    HWND handle = nullptr;
};

} // namespace

TEST(ThinkProgressWindow, TwoClicksOnTheStopButtonPauseTheTurnAndThenResumeIt)
{
    ThinkWorld world;
    Handshake& handshake = world.state().handshake();
    world.clickStop();
    EXPECT_TRUE(handshake.isUiLinkReady()) << "the game thread pauses at its next hand-shake";
    ThinkWorld::pumpFor(600ms);
    EXPECT_TRUE(world.window->stopPressed()) << "the button shows the pause";
    EXPECT_EQ(world.owner()->count(ui_message::kResumeGame), 0);

    world.clickStop();
    EXPECT_EQ(world.owner()->count(ui_message::kResumeGame), 1) << "the second click resumes";
    EXPECT_EQ(world.owner()->count(ui_message::kCancelDelegation), 0);
}

TEST(ThinkProgressWindow, ADelegatedTurnIsHandedBackAndAnEngagementIsOnlyInterrupted)
{
    ThinkWorld world;
    Handshake& handshake = world.state().handshake();
    handshake.setDelegation(true);
    world.clickStop();
    EXPECT_EQ(world.owner()->count(ui_message::kCancelDelegation), 1);
    EXPECT_FALSE(handshake.isUiLinkReady()) << "the main window, not the button, ends the delegation";

    world.owner()->clear();
    ThinkWorld::pumpFor(600ms);
    handshake.beginCombat();
    world.clickStop();
    EXPECT_TRUE(handshake.interruptRequested());
    EXPECT_TRUE(handshake.delegation()) << "the delegation stays as it was";
    EXPECT_TRUE(world.owner()->posts().empty());
    handshake.endCombat();
}

TEST(ThinkProgressWindow, ClicksCountOnlyOnTheButtonWhileActiveAndSwallowedClicksCountToo)
{
    ThinkWorld world;
    Handshake& handshake = world.state().handshake();
    // While a file dialog of the main window is open.
    world.window->setActiveFlag(false);
    world.clickStop();
    EXPECT_FALSE(handshake.isUiLinkReady());
    world.window->setActiveFlag(true);

    // A click elsewhere on the window drags it and pauses nothing.
    RECT before {};
    GetWindowRect(world.handle, &before);
    const POINT grip = popup_test::screenPoint(world.handle, 150, 70);
    harness::mouseDown(grip.x, grip.y);
    harness::mouseMove(grip.x + 40, grip.y + 10);
    harness::mouseUp(grip.x + 40, grip.y + 10);
    ThinkWorld::pumpFor(300ms);
    RECT after {};
    GetWindowRect(world.handle, &after);
    EXPECT_EQ(after.left - before.left, 40);
    EXPECT_FALSE(handshake.isUiLinkReady());
    EXPECT_EQ(SendMessageA(world.handle, WM_NCHITTEST, 0, MAKELPARAM(world.stopButton().x, world.stopButton().y)), HTCLIENT);

    // The computer's sequencer took the press: its flag counts with the cursor on the button.
    const POINT p = world.stopButton();
    harness::mouseMove(p.x, p.y);
    handshake.setClickSwallowed();
    ThinkWorld::pumpFor(350ms);
    EXPECT_TRUE(handshake.isUiLinkReady());
    EXPECT_FALSE(handshake.takeClickSwallowed()) << "the watcher took it";
}

TEST(ThinkProgressWindow, TheGameThreadGoesOnOnlyOnceTheProgressIsShown)
{
    ThinkWorld world;
    Handshake& handshake = world.state().handshake();
    std::promise<void> opened;
    auto waited = std::async(std::launch::async, [&] {
        auto wait = handshake.openSlot(HandshakeSlot::PendingUi, UiWaitKind::ThinkProgress);
        opened.set_value();
        wait->wait();
        handshake.closeSlot(HandshakeSlot::PendingUi, wait);
    });
    opened.get_future().wait();
    EXPECT_EQ(waited.wait_for(50ms), std::future_status::timeout) << "nothing shown yet";
    ASSERT_TRUE(ThinkProgressWindow::postProgress(world.handle, 64));
    testing_lib::pump();
    EXPECT_EQ(waited.wait_for(2s), std::future_status::ready);
    EXPECT_EQ(world.window->progress(), 64);
    EXPECT_EQ(ThinkProgressWindow::shownProgress(world.handle), 64);
}

TEST(ThinkProgressWindow, ItsEndReleasesAWaitingGameThread)
{
    ThinkWorld world;
    Handshake& handshake = world.state().handshake();
    auto wait = handshake.openSlot(HandshakeSlot::PendingUi, UiWaitKind::ThinkProgress);
    DestroyWindow(world.handle);
    EXPECT_TRUE(wait->done()) << "a progress that will never be shown does not hold the game";
    handshake.closeSlot(HandshakeSlot::PendingUi, wait);
}
