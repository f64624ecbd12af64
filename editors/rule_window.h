// RuleWindow and RuleShortWindow: the modeless, read-only window of the rules in force. The main
// window opens it and, on its close request, destroys it.
#pragma once

#include "editors/rule_option_panel.h"
#include "state/rule_block.h"
#include "ui/window_context.h"

class RuleWindow : public RulePanelWindow {
public:
    static constexpr const char* kPlacementPrefix = "VKRC_RULEWINDOW_CNAME";

    RuleWindow(const WindowContext& context, swCWindow* mainWindow);

    int OnInitDialog() override;
    const ui::WindowDescription& description() const override;
    // Every way of closing asks the main window, which owns the window.
    void closeGesture() override;
    int OnMessage(MessageRecord& msg) override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    const RuleBlock& block() const { return m_block; }

protected:
    RuleWindow(const WindowContext& context, swCWindow* mainWindow, bool shortForm);

private:
    void showRules();

    RuleBlock m_block {};
};

class RuleShortWindow : public RuleWindow {
public:
    RuleShortWindow(const WindowContext& context, swCWindow* mainWindow) : RuleWindow(context, mainWindow, true) { }
};
