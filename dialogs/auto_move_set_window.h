// AutoMoveSetWindow: the small tool window through which a person sets up auto-move orders for a
// group of units and starts the auto move. It only offers the steps and posts them to the main
// window, which does the work; it shows the group's first unit and size.
#pragma once

#include "lib/window.h"
#include "ui/info_window_frame.h"
#include "ui/picture_canvas.h"
#include "ui/window_context.h"
#include "ui/window_kit.h"

class GameState;

class AutoMoveSetWindow : public ui::KitWindow<swCWindow> {
public:
    static constexpr const char* kClassName = "VKRC_AUTOMOVESETWINDOW_CNAME";
    static constexpr int kWidth = 296;
    static constexpr int kHeight = 100;

    // Buttons: begin the set-up, go on to the route, set the route, run the auto moves, end.
    enum : UINT { kBegin = 1002, kRouteStage = 1000, kSetRoute, kRun = 1004, kEnd = 1003 };

    AutoMoveSetWindow(const WindowContext& context, swCWindow* owner);

    // Creates the window at its kept placement (else centred over the main window).
    BOOL Create() override;
    int OnMessage(MessageRecord& msg) override;
    const ui::WindowDescription& description() const override;
    void showPicture(HDC dc, const RECT& area) override { m_canvas.copyTo(dc, area); }
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    // 1002 may begin a set-up: the action phase, the game thread waits for the person's orders and
    // no unit command is being set. Disables 1000 and 1001 as it goes.
    bool reevaluateBegin();
    // 1004 may run the orders: the action phase, some unit of the current country has one, no
    // unit command is being set and no set-up is on.
    void reevaluateRun();
    void fullRefresh();
    void drawDisplay();

private:
    void enable(UINT id, bool on);
    void holdPressed(UINT id, bool on);
    void postToMain(UINT message);

    GameState& m_game;
    const Presentation& m_look;
    PictureCanvas m_canvas;
    info_window::DialogKeys m_dialogKeys;
};

// The game-state tests the window's buttons follow.
bool autoMoveCanBegin(GameState& state);
bool autoMoveCanRun(GameState& state);
