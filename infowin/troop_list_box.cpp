// TroopListBox: rows of live, reserve and empty units drawn into one row bitmap and copied at once.
#include "infowin/troop_list_box.h"

#include "infowin/panel_text.h"
#include "lib/media/bitmap_button.h"
#include "rules/carry_over.h"
#include "state/game_state.h"
#include "state/unit_facts.h"
#include "platform/kernel/host.h"
#include "ui/private_messages.h"
#include "ui/presentation.h"
#include "ui/palette_colours.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr COLORREF kLightGrey = 0x02C8C8C8;

enum class RowKind { Live, Reserve, Empty };

struct Row {
    RowKind kind = RowKind::Empty;
    const UnitRecord* unit = nullptr;
    int iconCountry = 8;
};

// Draws the cells left to right, as the columns move the text rectangle.
class RowPainter {
public:
    RowPainter(HDC dc, uint32_t mask, const swCBitmap* categories) : m_dc(dc), m_mask(mask), m_categories(categories) { }

    bool shown(int column) const { return (m_mask >> column & 1) != 0; }
    int left() const { return m_x; }
    void move(int width) { m_x += width; }
    void setColour(COLORREF colour) { SetTextColor(m_dc, colour); }
    // A name field of 34 bytes, cut at its end when it has no terminator.
    void name(const char (&field)[34])
    {
        m_x += 2;
        text(field, 226, DT_LEFT, true, int(strnlen(field, sizeof field)));
    }
    // Text in a box from the running x; the box moves on only when advance is set.
    void text(const char* text, int width, UINT align, bool advance = true, int length = -1)
    {
        RECT box { m_x, 2, m_x + width, 16 };
        DrawTextA(m_dc, text, length, &box, align | DT_NOPREFIX | DT_SINGLELINE);
        if (advance)
            m_x += width;
    }
    void number(const char* format, int value, int width)
    {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, format, value);
        text(buffer, width, DT_CENTER);
    }
    // The position column: two 21-pixel boxes with a dot between them.
    void position(const char* x, const char* y)
    {
        const int c = m_x;
        text(x, 21, DT_CENTER, false);
        SetPixel(m_dc, c + 24, 15, kBlack);
        m_x += 26;
        text(y, 21, DT_CENTER, false);
        m_x += 22;
    }
    HDC dc() const { return m_dc; }
    // The category sheet of the icon column; null when it was not loaded.
    const swCBitmap* categories() const { return m_categories; }

private:
    HDC m_dc;
    uint32_t m_mask;
    const swCBitmap* m_categories;
    int m_x = 0;
};

// The words of the state column, converted once.
enum Word { kProducing, kAboard, kStored, kCarrying, kActed, kAuto, kNotYet, kWordCount };

const char* word(Word w)
{
    static const std::string words[kWordCount] = { platform::utf8ToCp932("生産中"), platform::utf8ToCp932("搭乗中"),
        platform::utf8ToCp932("収納中"), platform::utf8ToCp932("搭載中"), platform::utf8ToCp932("行動済"),
        platform::utf8ToCp932("オート"), platform::utf8ToCp932("未登場") };
    return words[w].c_str();
}

const UnitTypeRecord& typeOf(const GameState& state, const UnitRecord& unit)
{
    static const UnitTypeRecord none {};
    const UnitTypeRecord* type = state.unitTypeOf(unit);
    return type ? *type : none;
}

Row classify(GameState& state, uint32_t key, bool carryOver)
{
    Row row;
    if (carryOver) {
        if (key >= state.carryOverCount() || !state.carryOverTable())
            return row;
        row.unit = &state.carryOverTable()[key];
        const int st = unitState(*row.unit);
        row.kind = st == 0 ? RowKind::Empty : st == 1000 ? RowKind::Reserve : RowKind::Live;
        row.iconCountry = state.campaignBlock().playerCountry;
        return row;
    }
    const int country = int(key & 0xFFFF);
    const uint32_t index = key >> 16;
    if (country >= kSideCount || index >= state.unitCount(country))
        return row;
    row.unit = state.unitOf(country, int(index));
    const int st = row.unit ? unitState(*row.unit) : 0;
    row.kind = st == 1 ? RowKind::Live : st == 1000 ? RowKind::Reserve : RowKind::Empty;
    row.iconCountry = country;
    return row;
}

void drawIcon(RowPainter& p, const GameState& state, const Row& row)
{
    const swCBitmap* sheet = p.categories();
    if (sheet && sheet->handle()) {
        const int column = unitBitmapIndex(state, typeOf(state, *row.unit));
        const int line = row.iconCountry >= 0 && row.iconCountry < kCountryCount ? row.iconCountry + 1 : 0;
        const RECT cell { column * 16, line * 16, column * 16 + 16, line * 16 + 16 };
        panel::blitKeyed(p.dc(), p.left() + 4, 1, *sheet, cell, kPictureKey);
    }
    p.move(kTroopColumnWidths[1]);
}

COLORREF shareColour(int value, int whole)
{
    return value <= whole / 4 ? kRed : value <= whole / 2 ? kOrange : kBlack;
}

const char* stateWord(const UnitRecord& unit, COLORREF& colour)
{
    colour = unit.hasFlag(kUnitActed) ? kRed : kBlack;
    if (unit.hasFlag(kUnitAwaitingProduction)) {
        colour = kBlack;
        return word(kProducing);
    }
    if (unit.hasFlag(kUnitAboard))
        return word(kAboard);
    if (unit.hasFlag(kUnitStored))
        return word(kStored);
    if (unit.hasFlag(kUnitCarrying))
        return word(kCarrying);
    if (unit.hasFlag(kUnitActed))
        return word(kActed);
    colour = kBlack;
    return unit.hasAutoRoute == 1 ? word(kAuto) : "";
}

void drawLiveRow(RowPainter& p, const GameState& state, const Row& row)
{
    const UnitRecord& u = *row.unit;
    const UnitTypeRecord& type = typeOf(state, u);
    if (p.shown(0))
        p.number("%3d", u.troopNumber, kTroopColumnWidths[0]);
    if (p.shown(1))
        drawIcon(p, state, row);
    if (p.shown(2)) {
        COLORREF colour = kBlack;
        const char* text = stateWord(u, colour);
        p.setColour(colour);
        p.text(text, kTroopColumnWidths[2], DT_CENTER);
        p.setColour(kBlack);
    }
    if (p.shown(3)) {
        char x[8], y[8];
        std::snprintf(x, sizeof x, "%3d", u.x);
        std::snprintf(y, sizeof y, "%3d", u.y);
        p.position(x, y);
    }
    if (p.shown(4))
        p.name(u.name);
    if (p.shown(5))
        p.name(type.name);
    if (p.shown(6)) {
        const HeldFigure machines = heldMachines(u);
        p.setColour(shareColour(machines.now, machines.most));
        p.number("%2d", machines.now, kTroopColumnWidths[6]);
        p.setColour(kBlack);
    }
    if (p.shown(7))
        p.text(experienceMark(experienceLevel(u)), kTroopColumnWidths[7], DT_CENTER);
    if (p.shown(8)) {
        p.setColour(u.fatigue >= 37 ? kRed : u.fatigue >= 25 ? kOrange : kBlack);
        p.number("%2d", u.fatigue, kTroopColumnWidths[8]);
        p.setColour(kBlack);
    }
    if (p.shown(9)) {
        const HeldFigure fuel = heldFuel(u);
        p.setColour(shareColour(fuel.now, fuel.most));
        p.number("%3d", fuel.now, kTroopColumnWidths[9]);
        p.setColour(kBlack);
    }
}

void drawReserveRow(RowPainter& p, const GameState& state, const Row& row, COLORREF colour)
{
    const UnitRecord& u = *row.unit;
    p.setColour(colour);
    if (p.shown(0))
        p.number("%3d", u.troopNumber, kTroopColumnWidths[0]);
    if (p.shown(1))
        drawIcon(p, state, row);
    if (p.shown(2))
        p.text(word(kNotYet), kTroopColumnWidths[2], DT_CENTER);
    if (p.shown(3))
        p.position("---", "---");
    if (p.shown(4))
        p.name(u.name);
    if (p.shown(5))
        p.name(typeOf(state, u).name);
    if (p.shown(6))
        p.number("%2d", heldMachines(u).now, kTroopColumnWidths[6]);
    if (p.shown(7))
        p.text(experienceMark(experienceLevel(u)), kTroopColumnWidths[7], DT_CENTER);
    if (p.shown(8))
        p.number("%2d", u.fatigue, kTroopColumnWidths[8]);
    if (p.shown(9))
        p.number("%3d", u.fuel, kTroopColumnWidths[9]);
}

void drawEmptyRow(RowPainter& p)
{
    static const char* const kDashes[kTroopColumnCount] = { "---", nullptr, "------", nullptr,
        "--------------------------------", "--------------------------------", "--", "--", "--", "---" };
    for (int column = 0; column < kTroopColumnCount; ++column) {
        if (!p.shown(column))
            continue;
        if (column == 1)
            p.move(kTroopColumnWidths[1]);
        else if (column == 3)
            p.position("---", "---");
        else if (column == 4 || column == 5) {
            p.move(2);
            p.text(kDashes[column], 226, DT_LEFT);
        } else
            p.text(kDashes[column], kTroopColumnWidths[column], DT_CENTER);
    }
}

COLORREF reserveColour(GameState& state, uint32_t key, bool carryOver)
{
    if (!carryOver)
        return kGrey;
    if (!carryOverEntryAllowed(state, int(key)))
        return kLightGrey;
    return canDeployCarryOverEntry(state, int(key)) ? kBlack : kGrey;
}

} // namespace

uint32_t troopListColumnMask(GameState& state)
{
    uint32_t mask = uint32_t(state.settings().troopListOption);
    if (!state.ruleOn(kRuleExperience))
        mask &= ~(1u << 7);
    if (!state.ruleOn(kRuleFatigue))
        mask &= ~(1u << 8);
    return mask;
}

const char* troopColumnLabel(int column)
{
    static const std::string labels[kTroopColumnCount] = { platform::utf8ToCp932("部隊番号"),
        platform::utf8ToCp932("兵器ﾀｲﾌﾟ"), platform::utf8ToCp932("状態"), platform::utf8ToCp932("座標"),
        platform::utf8ToCp932("部隊名"), platform::utf8ToCp932("兵器名"), platform::utf8ToCp932("機数"),
        platform::utf8ToCp932("レベル"), platform::utf8ToCp932("疲労"), platform::utf8ToCp932("燃料") };
    return column >= 0 && column < kTroopColumnCount ? labels[column].c_str() : "";
}

BitmapButton* makeTroopColumnHeader(swCWindow* parent, int column, UINT controlId)
{
    switch (column) {
    case 0: return columnHeader(new Button24x20(parent, 0, controlId, 0, 0));
    case 1: return columnHeader(new Button24x20(parent, 1, controlId, 0, 0));
    case 2: return columnHeader(new Button48x20(parent, 4, controlId, 0, 0));
    case 3: return columnHeader(new Button48x20(parent, 5, controlId, 0, 0));
    case 4: return columnHeader(new Button228x20(parent, 1, controlId, 0, 0));
    case 5: return columnHeader(new Button228x20(parent, 0, controlId, 0, 0));
    case 6: return columnHeader(new Button32x20(parent, 0, controlId, 0, 0));
    case 7: return columnHeader(new Button28x20(parent, 0, controlId, 0, 0));
    case 8: return columnHeader(new Button32x20(parent, 1, controlId, 0, 0));
    default: return columnHeader(new Button32x20(parent, 2, controlId, 0, 0));
    }
}

TroopListBox::TroopListBox(swCWindow* owner, GameState& game, const Presentation& look, UINT controlId, const std::vector<uint32_t>* keys)
    : ChildControl("ListBox", owner, controlId, kStyle)
    , m_owner(owner)
    , m_game(game)
    , m_look(look)
    , m_keys(keys)
{
    HDC screen = GetDC(nullptr);
    {
        PaletteHolder holder(screen);
        m_rowBitmap.bitmapCreateCompatible(holder, kTroopRowWidth, kTroopRowHeight);
    }
    ReleaseDC(nullptr, screen);
}

int TroopListBox::OnMessage(MessageRecord& msg)
{
    if (msg.message == WM_LBUTTONDOWN || msg.message == WM_LBUTTONDBLCLK)
        m_chosenByMouse = true;
    else if (msg.message == WM_KEYDOWN)
        m_chosenByMouse = false;
    return ChildControl::OnMessage(msg);
}

int TroopListBox::OnCommand(MessageRecord&, UINT id, UINT code)
{
    if (id == kTroopNumberComboId && code == CBN_CLOSEUP && m_owner && m_owner->handle()) {
        PostMessageA(m_owner->handle(), ui_message::kTroopListNumberChosen, 0, 0);
        return 1;
    }
    // A key that changes the closed combo chooses too: the number shown is the unit's.
    if (id == kTroopNumberComboId && code == CBN_SELCHANGE && m_owner && m_owner->handle()
        && !SendDlgItemMessageA(handle(), int(id), CB_GETDROPPEDSTATE, 0, 0)) {
        PostMessageA(m_owner->handle(), ui_message::kTroopListNumberChosen, 1, 0);
        return 1;
    }
    return 0;
}

void TroopListBox::DrawItem(DRAWITEMSTRUCT* item)
{
    GameState* state = &m_game;
    if (!item || int(item->itemID) < 0 || !m_rowBitmap.handle())
        return;
    const int right = item->rcItem.right;
    const int width = std::min(right, kTroopRowWidth);
    BitmapDcHolder memory(m_rowBitmap.handle());
    HDC dc = memory.dc();
    TextHolder textState(dc, m_look.font(kFont14).handle(), kBlack);
    memory.fillRectColor(0, 0, width - 1, kTroopRowHeight - 1, kWhite);

    const bool carryOver = m_carryOverMode == 1;
    const uint32_t mask = carryOver ? 0x3FFu : troopListColumnMask(m_game);
    const size_t rowIndex = size_t(item->itemID);
    const bool hasKey = m_keys && rowIndex < m_keys->size();
    const uint32_t key = hasKey ? (*m_keys)[rowIndex] : 0;
    const Row row = hasKey ? classify(*state, key, carryOver) : Row {};
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    RowPainter painter(dc, mask, m_look.baseBitmap(kCategorySheet));
    bool invert = false;
    switch (row.kind) {
    case RowKind::Live:
        drawLiveRow(painter, *state, row);
        invert = selected;
        break;
    case RowKind::Reserve:
        drawReserveRow(painter, *state, row, reserveColour(*state, key, carryOver));
        invert = selected && carryOver;
        break;
    case RowKind::Empty:
        drawEmptyRow(painter);
        break;
    }
    if (invert) {
        RECT all { 0, 0, right, kTroopRowHeight };
        InvertRect(dc, &all);
    }
    // Grid lines after each shown column, except one that would fall near the right edge.
    int x = 0;
    for (int column = 0; column < kTroopColumnCount; ++column) {
        if (!(mask >> column & 1))
            continue;
        x += kTroopColumnWidths[column];
        if (x < right - 8)
            memory.drawPolyline(x - 1, 0, x - 1, kTroopRowHeight - 1, kBlack);
    }
    const int count = int(SendMessageA(handle(), LB_GETCOUNT, 0, 0));
    if (int(item->itemID) == count - 1)
        memory.drawPolyline(0, kTroopRowHeight - 1, right - 1, kTroopRowHeight - 1, kBlack);
    BitBlt(item->hDC, item->rcItem.left, item->rcItem.top, width, kTroopRowHeight, dc, 0, 0, SRCCOPY);
    if (right > width) {
        // Past the row bitmap the row stays plain.
        RECT rest { item->rcItem.left + width, item->rcItem.top, item->rcItem.left + right, item->rcItem.top + kTroopRowHeight };
        FillRect(item->hDC, &rest, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
}
