// ToolPalette: the strip of tool buttons across the top of the main window.
#pragma once

#include "lib/window.h"

#include <functional>
#include <memory>
#include <vector>

class BitmapButton;

// Each button posts WM_COMMAND with its menu id to the parent (the main window). kToolPaletteRefresh
// re-reads every button's state from the menu's own answer, so that a button is enabled exactly
// when its menu item is.
class ToolPalette : public swCWindow {
public:
    static constexpr const char* kClassName = "DERAZODO_TOOLPALETTE_CNAME";
    static constexpr int kHeight = 28;
    static constexpr int kWidth = 960;

    // Whether the menu command of that id may be chosen now.
    using CommandEnabled = std::function<bool(unsigned menuId)>;
    ToolPalette(swCWindow* parent, CommandEnabled enabled);
    ~ToolPalette() override;

    BOOL Create() override;
    int OnMessage(MessageRecord& msg) override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    void refreshEnableStates();
    HWND button(unsigned menuId) const;

private:
    struct Tool {
        unsigned menuId;
        std::unique_ptr<BitmapButton> button;
        // A button with its name as text, when the strip's picture could not be read.
        HWND plain = nullptr;
        HWND handle() const;
    };

    CommandEnabled m_enabled;
    std::vector<Tool> m_tools;
};
