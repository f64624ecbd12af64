// PanelPage: a static that holds a page of controls and hands their commands to its parent window.
#pragma once

#include "lib/control.h"

// What a page sends its parent for each command of its children, with the same parameters; the
// carrying window runs it through its own command handler.
constexpr UINT WM_PANEL_COMMAND = WM_USER + 205;

class PanelPage : public swCControl {
public:
    // A hidden static with WS_EX_CONTROLPARENT, so dialog navigation reaches its controls. Children
    // with an id below transparentBelow are drawn without a background.
    PanelPage(swCWindow* parent, UINT controlId, UINT transparentBelow = 0);

    int OnMessage(MessageRecord& msg) override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

private:
    UINT m_transparentBelow = 0;
};

// The rule option pages: labels and radio buttons show the page through, the choice texts do not.
class RuleLabel : public PanelPage {
public:
    static constexpr UINT kTransparentBelow = 1202;
    RuleLabel(swCWindow* parent, UINT controlId) : PanelPage(parent, controlId, kTransparentBelow) { }
};

// The victory-condition page shared by the eight country tabs.
class WinCondLabel : public PanelPage {
public:
    WinCondLabel(swCWindow* parent, UINT controlId) : PanelPage(parent, controlId) { }
};

// A carrying window's handler: runs a page's forwarded command as its own. True when it was one.
bool runPanelCommand(swCWindow& window, MessageRecord& msg);
