// TroopListBox: the owner-drawn list box of the troop tables, one unit per 18-pixel row in up to ten
// columns, for troop keys of a country's unit table or keys of the campaign's carry-over list.
#pragma once

#include "lib/control.h"
#include "lib/media/bitmap.h"

#include <cstdint>
#include <vector>

class BitmapButton;
class GameState;
class Presentation;

constexpr int kTroopColumnCount = 10;
// Troop number, type icon, state, position, unit name, type name, members, level, fatigue, fuel;
// the list box, the header buttons over it and the grid lines all read these widths.
constexpr int kTroopColumnWidths[kTroopColumnCount] = { 24, 24, 48, 48, 228, 228, 32, 28, 32, 32 };
constexpr int kTroopRowWidth = 724;
constexpr int kTroopRowHeight = 18;
constexpr UINT kTroopNumberComboId = 1033;

// The troop list's column mask: "TroopListOption" without the level column while rule 12 is off
// and without the fatigue column while rule 11 is off.
uint32_t troopListColumnMask(GameState& state);
// The column's label as the display-item window shows it ("部隊番号" .. "燃料"), CP932.
const char* troopColumnLabel(int column);

// The header button of a column, at (0, 0): its strip and face as every troop table has them.
BitmapButton* makeTroopColumnHeader(swCWindow* parent, int column, UINT controlId);

class TroopListBox : public ChildControl {
public:
    static constexpr DWORD kStyle = WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_USETABSTOPS
        | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_DISABLENOSCROLL;

    // keys: the rows' keys, owned by the caller; null shows empty rows.
    TroopListBox(swCWindow* owner, GameState& game, const Presentation& look, UINT controlId, const std::vector<uint32_t>* keys);

    // The owner resets and refills the items after a change.
    void setKeys(const std::vector<uint32_t>* keys) { m_keys = keys; }
    const std::vector<uint32_t>* keys() const { return m_keys; }
    // 1: the keys index the carry-over list and every column is drawn.
    void setCarryOverMode(uint8_t mode) { m_carryOverMode = mode; }
    uint8_t carryOverMode() const { return m_carryOverMode; }

    // True when the last input the box took was a press of the mouse button rather than a key:
    // the selection it tells of was made by a click.
    bool chosenByMouse() const { return m_chosenByMouse; }

    void DrawItem(DRAWITEMSTRUCT* item) override;
    int OnMessage(MessageRecord& msg) override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

private:
    bool m_chosenByMouse = false;
    swCWindow* m_owner = nullptr;
    GameState& m_game;
    const Presentation& m_look;
    const std::vector<uint32_t>* m_keys = nullptr;
    uint8_t m_carryOverMode = 0;
    swCBitmap m_rowBitmap;
};
