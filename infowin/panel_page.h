// PanelPage: a child window that holds a page of controls and hands their commands to its parent.
#pragma once

#include "lib/control.h"

// The page sends its parent each command of its children (ui_message::kPanelPageCommand); the
// carrying window runs it through its own command handler with runPanelCommand.
class PanelPage : public swCControl {
public:
    // A hidden child with WS_EX_CONTROLPARENT, so dialog navigation reaches its controls; a static
    // unless a window class of its own is named. Children with an id below transparentBelow are drawn
    // without a background.
    PanelPage(swCWindow* parent, UINT controlId, UINT transparentBelow = 0, const char* className = "Static");

    int OnMessage(MessageRecord& msg) override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

private:
    UINT m_transparentBelow = 0;
};

// A carrying window's handler: runs a page's forwarded command as its own. True when it was one.
bool runPanelCommand(swCWindow& window, MessageRecord& msg);
