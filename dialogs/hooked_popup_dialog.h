// HookedPopupDialog: the menu-like popup over a hex that lets the person pick one of the units,
// buildings or the hex itself, with nested popups for the units a carrier holds. A thread mouse
// hook closes it at a right click anywhere in the program's thread.
#pragma once

#include "dialogs/popup_entries.h"
#include "lib/dialog_base.h"
#include "ui/window_context.h"
#include "ui/window_kit.h"
#include "ui/window_services.h"

#include <cstdint>
#include <string>
#include <vector>

class GameState;
class ProductionStatusList;
struct UnitRecord;

class HookedPopupDialog : public ui::KitWindow<DialogBase> {
public:
    // Purposes: 2 board a carrier, 3 pick among a hex's units, 4 add to the auto-move group,
    // 5 a way-point target of the auto move.
    enum Purpose : int { kBoard = 2, kMoveTarget = 3, kAutoMoveGroup = 4, kAutoMoveTarget = 5 };

    enum : UINT {
        kFirstUpperRow = 1100, kFirstLowerRow = 1201, kSeparator = 1302, kFirstUpperCell, kFirstLowerCell = 1404,
        kFocusSink = 1505,
    };

    // (x, y): the screen position of the popup's top-left corner.
    HookedPopupDialog(const WindowContext& context, swCWindow* owner, int purpose, int x, int y,
        std::vector<uint32_t> upperEntries, std::vector<uint32_t> lowerEntries);

    int OnInitDialog() override;
    int OnMessage(MessageRecord& msg) override;
    void destroying() override;
    // The close box, a right click and Escape choose nothing.
    const ui::WindowDescription& description() const override
    {
        static constexpr ui::WindowDescription kDescription { .escapeClosesEnterIgnored = true };
        return kDescription;
    }
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    // Result 1: the entry chosen; else popup_entry::kNone.
    uint32_t chosenEntry() const { return m_chosenEntry; }
    int purpose() const { return m_purpose; }
    const std::vector<uint32_t>& upperEntries() const { return m_upperEntries; }
    const std::vector<uint32_t>& lowerEntries() const { return m_lowerEntries; }

    // Whether the entry's row, or its status cell, may be chosen for this purpose.
    bool rowEnabled(uint32_t entry) const;
    bool cellEnabled(uint32_t entry) const;
    // The unit is drawn green: it has an auto-move order, or it is grouped during the set-up.
    bool autoMoveMarked(uint32_t entry) const;
    // The prompt's words (CP932); empty for an unknown number.
    static std::string promptText(int number);

    // The popup the mouse hook tells of a right click; null when none is open.
    static HookedPopupDialog* activePopup();
    static bool hookInstalled();

    GameState& game() const { return m_game; }
    const Presentation& look() const { return m_look; }
    // The entry's unit when it is one in play; else null.
    const UnitRecord* entryUnit(uint32_t entry) const;

    // Opens the nested popup of the cell's unit: the units it carries.
    void openNested(ProductionStatusList* cell);

private:
    void makeRows(const std::vector<uint32_t>& entries, UINT firstRow, UINT firstCell, int top);
    void installHook();
    static void removeHook();
    static LRESULT CALLBACK mouseHook(int code, WPARAM wParam, LPARAM lParam);

    GameState& m_game;
    MainWindowServices& m_main;
    Presentation& m_look;
    ModalIdleOff m_idle;
    std::vector<uint32_t> m_upperEntries;
    std::vector<uint32_t> m_lowerEntries;
    int m_x;
    int m_y;
    int m_purpose;
    uint32_t m_chosenEntry = popup_entry::kNone;
};
