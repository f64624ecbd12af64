// The popup's row buttons and status cells: what each entry kind shows, and the hover that opens
// a nested popup.
#include "dialogs/popup_rows.h"

#include "dialogs/game_records.h"
#include "dialogs/hooked_popup_dialog.h"
#include "dialogs/popup_entries.h"
#include "dialogs/start_arrow.h"
#include "lib/media/bitmap.h"
#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "state/unit_facts.h"
#include "ui/private_messages.h"
#include "ui/presentation.h"
#include "ui/palette_colours.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr COLORREF kGreen = RGB(0, 128, 0);

using game_records::field;

std::string number(const char* format, int value)
{
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

void drawIn(HDC dc, RECT area, const std::string& text, COLORREF colour, UINT format = DT_LEFT | DT_SINGLELINE)
{
    SetTextColor(dc, colour);
    DrawTextA(dc, text.c_str(), int(text.size()), &area, format | DT_NOPREFIX);
}

using game_records::terrainType;

bool ofCurrentCountry(const GameState& state, uint32_t entry)
{
    return popup_entry::isUnit(entry) && int(popup_entry::kindOf(entry)) == state.turnBlock().currentCountry;
}

// The entry's name and its figure (durability or machines; -1 none).
struct RowWords {
    std::string name;
    int figure = -1;
    COLORREF colour = kBlack;
};

RowWords rowWords(const HookedPopupDialog& popup, uint32_t entry)
{
    GameState& state = popup.game();
    const uint32_t kind = popup_entry::kindOf(entry);
    const int value = int(popup_entry::valueOf(entry));
    RowWords words;
    if (kind == popup_entry::kBuilding) {
        if (const BuildingRecord* building = state.building(value)) {
            const TerrainRecord* type = building->terrain();
            words.name = type ? field(type->name) : std::string();
            words.figure = building->durability;
        }
    } else if (kind == popup_entry::kPillboxHex) {
        const TerrainRecord* type = terrainType(state, state.terrainRoles().pillbox);
        words.name = type ? field(type->name) : std::string();
        if (const PillboxHex* record = state.pillboxHex(value))
            words.figure = record->durability;
    } else if (kind == popup_entry::kHex) {
        const TerrainRecord* type = terrainType(state, state.effectiveTerrainAt(value & 0xFF, value >> 8 & 0xFF));
        words.name = type ? field(type->name) : std::string();
    } else if (const UnitRecord* unit = popup.entryUnit(entry)) {
        words.name = field(unit->name);
        words.figure = heldMachines(*unit).now;
        if (unit->hasFlag(kUnitAwaitingProduction))
            words.colour = kGrey;
        else if (ofCurrentCountry(state, entry) && popup.autoMoveMarked(entry))
            words.colour = kGreen;
    }
    return words;
}

void finishItem(const DRAWITEMSTRUCT* item)
{
    if (item->itemState & ODS_FOCUS)
        InvertRect(item->hDC, &item->rcItem);
}

} // namespace

CommandPromptBar::CommandPromptBar(HookedPopupDialog* popup, UINT controlId, uint32_t entry, int x, int y)
    : swCControl("Button", popup, controlId, BS_OWNERDRAW | WS_TABSTOP)
    , m_popup(popup)
    , m_entry(entry)
{
    setStyle(m_style & ~DWORD(WS_BORDER));
    setHoverFocus(true);
    controlCreate({ x, y, kWidth, kHeight });
}

void CommandPromptBar::DrawItem(DRAWITEMSTRUCT* item)
{
    HDC dc = item->hDC;
    const RECT all = item->rcItem;
    HGDIOBJ oldFont = SelectObject(dc, m_popup->look().font(kSmallFont).handle());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    if (popup_entry::kindOf(m_entry) == popup_entry::kPrompt) {
        FillRect(dc, &all, GetSysColorBrush(COLOR_MENU));
        drawIn(dc, all, HookedPopupDialog::promptText(int(popup_entry::valueOf(m_entry))), GetSysColor(COLOR_MENUTEXT),
            DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    } else {
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        const RowWords words = rowWords(*m_popup, m_entry);
        if (const UnitRecord* unit = m_popup->entryUnit(m_entry)) {
            const GameState& state = m_popup->game();
            const int side = int(popup_entry::kindOf(m_entry));
            // The neutral side has the sheet's first row, as units of no country.
            const int row = side < kCountryCount ? side + 1 : 0;
            const int column = unitBitmapIndex(state, unit->type());
            if (const swCBitmap* sheet = m_popup->look().baseBitmap(kCategorySheet)) {
                PaletteHolder holder(dc);
                holder.blitTransparent(0, 1, sheet->handle(), { column * 16, row * 16, column * 16 + 16, row * 16 + 16 }, kPictureKey);
            }
        }
        drawIn(dc, { 18, 2, 242, 16 }, words.name, words.colour);
        if (words.figure >= 0)
            drawIn(dc, { 244, 2, 258, 16 }, number("%2d", words.figure), kBlack, DT_RIGHT | DT_SINGLELINE);
    }
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
    finishItem(item);
}

int ProductionStatusList::width(const GameState& game) { return game.ruleOn(kRuleProductionCount) ? 67 : 25; }

ProductionStatusList::ProductionStatusList(HookedPopupDialog* popup, UINT controlId, uint32_t entry, int x, int y)
    : swCControl("Button", popup, controlId, BS_OWNERDRAW | WS_TABSTOP)
    , m_popup(popup)
    , m_entry(entry)
{
    setStyle(m_style & ~DWORD(WS_BORDER));
    setHoverFocus(true);
    controlCreate({ x, y, width(popup->game()), CommandPromptBar::kHeight });
}

int ProductionStatusList::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case WM_MOUSEMOVE: {
        const POINT at { short(LOWORD(msg.lParam)), short(HIWORD(msg.lParam)) };
        if (at.x != m_lastMouse.x || at.y != m_lastMouse.y) {
            m_lastMouse = at;
            PostMessageA(m_popup->handle(), ui_message::kPopupCellPointed, 0, reinterpret_cast<LPARAM>(this));
        }
        break;
    }
    case WM_KILLFOCUS:
        m_lastMouse = { -1, -1 };
        break;
    default:
        break;
    }
    return swCControl::OnMessage(msg);
}

void ProductionStatusList::DrawItem(DRAWITEMSTRUCT* item)
{
    HDC dc = item->hDC;
    const RECT all = item->rcItem;
    FillRect(dc, &all, m_menuBackground ? GetSysColorBrush(COLOR_MENU) : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HGDIOBJ oldFont = SelectObject(dc, m_popup->look().font(kSmallFont).handle());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    if (const UnitRecord* unit = m_popup->entryUnit(m_entry)) {
        if (unit->hasFlag(kUnitAwaitingProduction)) {
            drawIn(dc, { 2, 2, 58, 16 }, platform::utf8ToCp932("生産") + number("%3dt", unit->productionTurnsLeft), kGrey);
        } else if (ofCurrentCountry(m_popup->game(), m_entry)) {
            if (unit->hasFlag(kUnitActed))
                drawIn(dc, { 2, 2, 16, 16 }, platform::utf8ToCp932("済"), kRed);
            else
                drawIn(dc, { 2, 2, 16, 16 }, platform::utf8ToCp932("未"),
                    m_popup->autoMoveMarked(m_entry) ? kGreen : kBlack);
        }
    }
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
    if (!(item->itemState & ODS_DISABLED))
        if (const swCBitmap* arrow = startArrowBitmap(); arrow && arrow->handle()) {
            PaletteHolder holder(dc);
            holder.blitTransparent(width(m_popup->game()) == 67 ? 58 : 16, 0, arrow->handle(), { 0, 0, 9, 18 }, kPictureKey);
        }
    finishItem(item);
}
