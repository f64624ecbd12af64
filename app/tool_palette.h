// ToolPalette: the strip of tool buttons across the top of the main window.
#pragma once

#include "lib/window.h"

#include <memory>
#include <vector>

class BitmapButton;
class GameState;

// Each button posts WM_COMMAND with its menu id to the parent (the main window). WM_USER+115
// re-reads the enable states from wParam: kCanInterrupt while the game may be interrupted
// (canInterruptGame), kCanEndGame while a running game may be ended or saved (canEndGame),
// kCanShowTroops while a game is played or the troop list is open (so its button can close it).
class ToolPalette : public swCWindow {
public:
    static constexpr const char* kClassName = "DERAZODO_TOOLPALETTE_CNAME";
    static constexpr UINT kRefreshMessage = WM_USER + 115;
    static constexpr unsigned kCanInterrupt = 1;
    static constexpr unsigned kCanEndGame = 2;
    static constexpr unsigned kCanShowTroops = 4;
    static constexpr int kHeight = 28;
    static constexpr int kWidth = 960;

    explicit ToolPalette(swCWindow* parent);
    ~ToolPalette() override;

    BOOL Create() override;
    int OnMessage(MessageRecord& msg) override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    // Before the first refresh: no game runs, so it may be interrupted and not ended.
    void setEnableStates(unsigned bits);
    unsigned enableStates() const { return m_states; }
    HWND button(unsigned menuId) const;

private:
    struct Tool {
        unsigned menuId;
        unsigned needs;
        std::unique_ptr<BitmapButton> button;
    };

    std::vector<Tool> m_tools;
    unsigned m_states = kCanInterrupt;
};

// The enable bits of WM_USER+115 for the game's state now, with no troop list open.
unsigned toolEnableBits(GameState& state);
