// RuleListWindow: the twenty user rules (rule slots 4 to 23) with the time of their last change;
// an edited rule is stored in the game state and written to its rule file at once.
#pragma once

#include "lib/control.h"
#include "lib/media/bitmap.h"
#include "state/rule_block.h"
#include "ui/window_context.h"
#include "editors/window_frame.h"

#include <array>
#include <memory>

class GameState;

namespace rule_list_id {
constexpr int kClose = 1000;
constexpr int kEdit = 1001;
constexpr int kFirstRow = 1002;
constexpr int kRowCount = 20;
// Row r lists rule slot r + 4; the first four slots are the fixed rules.
constexpr int kFirstListedSlot = 4;
} // namespace rule_list_id

// One row: the slot's name, date and time over the window's background, or over the pressed
// strip when it is the selection. The rows work as one list: the selected row is its Tab stop,
// Up and Down click the row beside it, and Enter double-clicks the row.
class RuleSlotButton : public swCControl {
public:
    static constexpr int kWidth = 232;
    static constexpr int kHeight = 20;

    RuleSlotButton(swCWindow* parent, const GameState& game, const Presentation& look, int row, const swCBitmap& background,
        const swCBitmap& buttons, int x, int y);

    int OnMessage(MessageRecord& msg) override;
    void DrawItem(DRAWITEMSTRUCT* item) override;
    // Pressed is the selection, and the list's Tab stop.
    void setPressed(bool pressed);
    bool pressed() const { return m_pressed; }

private:
    const GameState& m_game;
    const Presentation& m_look;
    int m_row = 0;
    const swCBitmap& m_background;
    const swCBitmap& m_buttons;
    int m_x = 0;
    int m_y = 0;
    bool m_pressed = false;
};

class RuleListWindow : public DrawnEditorWindow {
public:
    static constexpr const char* kPlacementPrefix = "RuleList";

    // Loads the two pictures; throws the picture loader's error when one is missing.
    RuleListWindow(const WindowContext& context, swCWindow* owner);

    int OnInitDialog() override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    int selectedRow() const { return m_selected; }

private:
    void select(int row);
    // Runs the rule dialog in edit mode on the row's slot and stores the result.
    void edit(int row);

    // The rule dialog opened from the list is handed it too.
    WindowContext m_context;
    // An edited rule is stored here and written to its rule file.
    GameState& m_game;
    int m_selected = 0;
    std::array<RuleSlotButton*, rule_list_id::kRowCount> m_rows {};
};

// The local date and time as a rule slot stores them: "%04d/%02d/%02d" and "%02d:%02d:%02d".
void stampRuleSlot(RuleSlot& slot, const SYSTEMTIME& now);
