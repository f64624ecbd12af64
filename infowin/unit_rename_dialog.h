// UnitRenameDialog ("部隊名の変更"): a new name for one unit of the troop list.
#pragma once

#include "lib/dialog.h"
#include "ui/window_context.h"
#include "ui/window_kit.h"

#include <string>

class GameState;
struct UnitRecord;

// Copies the CP932 text into the unit's name field: at most kUnitNameBytes bytes without splitting
// a double-byte character, always terminated.
constexpr int kUnitNameBytes = 32;
void setUnitName(UnitRecord& unit, const std::string& cp932);

class UnitRenameDialog : public ui::KitWindow<swCDialog> {
public:
    static constexpr int kClientWidth = 246;
    static constexpr int kClientHeight = 74;

    UnitRenameDialog(const WindowContext& context, swCWindow* owner, int country, int unitIndex);

    // Runs modally; 1 when a name was stored.
    INT_PTR run();

    int OnInitDialog() override;
    const ui::WindowDescription& description() const override;
    // Stores the name; a blank one keeps the dialog open.
    std::optional<INT_PTR> okResult() override;

private:
    UnitRecord* unit() const;

    GameState& m_game;
    const Presentation& m_look;
    int m_country = -1;
    int m_unitIndex = -1;
};
