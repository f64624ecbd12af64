// The auto-move window: which steps it offers in each stage of the set-up and what it asks of the
// main window.
#include "dialogs/auto_move_set_window.h"

#include "rules/current_action.h"
#include "rules/rules_context.h"
#include "rules/rules_install.h"
#include "tests/dialogs/dialog_world.h"
#include "ui/private_messages.h"

#include <gtest/gtest.h>

using namespace dialogs_test;

namespace {

struct AutoMoveWorld : DialogWorld {
    AutoMoveWorld()
    {
        installRules(state());
        state().turnBlock().currentCountry = 0;
        unitIndex = placeUnit(0, landType(), 2, 2);
        nameUnit(0, unitIndex, "先導隊");
        window = new AutoMoveSetWindow(makeWindowContext(state()), owner());
        EXPECT_TRUE(window->Create());
        handle = window->handle();
        testing_lib::pump();
        owner()->clear();
    }
    ~AutoMoveWorld()
    {
        currentAction(state()).endAutoMoveSetup();
        if (IsWindow(handle))
            DestroyWindow(handle);
        state().handshake().setWaitingForAnswer(false);
        state().handshake().setPlayRunning(false);
        testing_lib::pump();
    }
    void personWaits(int phase)
    {
        state().turnBlock().phase = int16_t(phase);
        state().handshake().setPlayRunning(true);
        state().handshake().setWaitingForAnswer(true);
        refresh();
    }
    void refresh()
    {
        SendMessageA(handle, ui_message::kAutoMoveWindowRefresh, 0, 0);
        testing_lib::pump();
    }
    bool enabled(UINT id) const { return IsWindowEnabled(GetDlgItem(handle, int(id))); }
    void click(UINT id)
    {
        popup_test::clickItem(handle, int(id));
        testing_lib::pump();
    }

    AutoMoveSetWindow* window = nullptr;
    HWND handle = nullptr;
    int unitIndex = 0;
};

} // namespace

TEST(AutoMoveSetWindow, OutsideThePersonsActionPhaseNothingIsOfferedAndClicksPostNothing)
{
    AutoMoveWorld world;
    world.unit(0, world.unitIndex).hasAutoRoute = 1;
    for (int phase : { 4, 6 }) {
        world.personWaits(phase);
        EXPECT_FALSE(world.enabled(AutoMoveSetWindow::kBegin)) << "phase " << phase;
        EXPECT_FALSE(world.enabled(AutoMoveSetWindow::kRun)) << "phase " << phase;
    }
    world.personWaits(5);
    world.state().handshake().setWaitingForAnswer(false);
    world.refresh();
    EXPECT_FALSE(world.enabled(AutoMoveSetWindow::kBegin)) << "the game thread is not waiting for the person";
    // A click that comes anyway asks nothing.
    SendMessageA(world.handle, WM_COMMAND, AutoMoveSetWindow::kBegin, 0);
    SendMessageA(world.handle, WM_COMMAND, AutoMoveSetWindow::kRun, 0);
    testing_lib::pump();
    EXPECT_TRUE(world.owner()->posts().empty());
}

TEST(AutoMoveSetWindow, TheStagesOfTheSetUpOfferTheirStepsAndPostThem)
{
    AutoMoveWorld world;
    world.personWaits(5);
    EXPECT_TRUE(world.enabled(AutoMoveSetWindow::kBegin));
    EXPECT_FALSE(world.enabled(AutoMoveSetWindow::kRouteStage));
    EXPECT_FALSE(world.enabled(AutoMoveSetWindow::kSetRoute));
    EXPECT_FALSE(world.enabled(AutoMoveSetWindow::kEnd));
    EXPECT_FALSE(world.enabled(AutoMoveSetWindow::kRun)) << "no unit has an order yet";
    world.click(AutoMoveSetWindow::kBegin);
    EXPECT_EQ(world.owner()->count(ui_message::kAutoMoveBegin), 1);

    // The main window began the set-up; a unit joins the group.
    CurrentAction& action = currentAction(world.state());
    action.beginAutoMoveSetup();
    world.refresh();
    EXPECT_FALSE(world.enabled(AutoMoveSetWindow::kBegin));
    EXPECT_TRUE(world.enabled(AutoMoveSetWindow::kEnd));
    EXPECT_FALSE(world.enabled(AutoMoveSetWindow::kRouteStage)) << "an empty group has no route";
    action.addAutoMoveUnit(0, world.unitIndex);
    SendMessageA(world.handle, ui_message::kAutoMoveUnitAdded, 0, 0);
    EXPECT_TRUE(world.enabled(AutoMoveSetWindow::kRouteStage));
    world.click(AutoMoveSetWindow::kRouteStage);
    EXPECT_EQ(world.owner()->count(ui_message::kAutoMoveRouteStage), 1);

    action.beginAutoMoveRouteStage();
    world.refresh();
    EXPECT_TRUE(world.enabled(AutoMoveSetWindow::kSetRoute));
    EXPECT_FALSE(world.enabled(AutoMoveSetWindow::kRouteStage));
    world.click(AutoMoveSetWindow::kSetRoute);
    world.click(AutoMoveSetWindow::kEnd);
    EXPECT_EQ(world.owner()->count(ui_message::kAutoMoveSetRoute), 1);
    EXPECT_EQ(world.owner()->count(ui_message::kAutoMoveEnd), 1);
}

TEST(AutoMoveSetWindow, RunIsGreyedAtOnceWhenClickedAndTheCloseBoxAsksTheMainWindow)
{
    AutoMoveWorld world;
    world.unit(0, world.unitIndex).hasAutoRoute = 1;
    world.personWaits(5);
    ASSERT_TRUE(world.enabled(AutoMoveSetWindow::kRun));
    world.click(AutoMoveSetWindow::kRun);
    EXPECT_FALSE(world.enabled(AutoMoveSetWindow::kRun)) << "before the auto move has run";
    EXPECT_EQ(world.owner()->count(ui_message::kAutoMoveRun), 1);

    SendMessageA(world.handle, WM_CLOSE, 0, 0);
    testing_lib::pump();
    EXPECT_TRUE(IsWindow(world.handle)) << "the main window closes it through its member";
    EXPECT_EQ(world.owner()->count(ui_message::kAutoMoveWindow), 1);
}
