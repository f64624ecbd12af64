// AnnouncementWindow: the base of the picture windows that announce an event of play (an event
// notice, a phase's result, a game's end). A click of either button is the person's "seen" and
// ends it with 1 (a window may make a click do something else first); the close box ends it with 0;
// keys do not end it, its timers and the mouse do.
#pragma once

#include "ui/drawn_dialog.h"
#include "ui/window_context.h"

class AnnouncementWindow : public DrawnDialog {
public:
    AnnouncementWindow(UINT templateId, swCWindow* parent);

    int OnMessage(MessageRecord& msg) override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

protected:
    // A left or right click on the picture.
    virtual void clicked() { closeWith(1); }
    // One of the window's timers went off; false when the timer is none of its own.
    virtual bool timerFired(UINT_PTR) { return false; }
};
