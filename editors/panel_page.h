// The editors' pages: the rule option pages and the victory-condition page.
#pragma once

#include "infowin/panel_page.h"

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
