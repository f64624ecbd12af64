// ProductionListBox: rows of stored units in grey and of orders in black.
#include "dialogs/production_list_box.h"

#include "dialogs/production_orders.h"
#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "state/rule_block.h"
#include "state/unit_facts.h"
#include "ui/presentation.h"
#include "ui/palette_colours.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr COLORREF kStoredGrey = 0x02A0A0A0;

void text(HDC dc, int left, int top, int right, int bottom, const char* text, int length = -1)
{
    RECT box { left, top, right, bottom };
    DrawTextA(dc, text, length, &box, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
}

void drawNumber(HDC dc, int left, int top, int right, int bottom, const char* format, int value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, value);
    text(dc, left, top, right, bottom, buffer);
}

// The row's words and formats, converted once.
struct Words {
    std::string stored, producing, turns, machines;
};

const Words& words()
{
    static const Words w { platform::utf8ToCp932("収納中"), platform::utf8ToCp932("生産中"),
        platform::utf8ToCp932("%3dﾀｰﾝ"), platform::utf8ToCp932("%2d機") };
    return w;
}

} // namespace

ProductionListBox::ProductionListBox(swCWindow* parent, const GameState& game, const Presentation& look, UINT controlId, int country)
    : ChildControl("ListBox", parent, controlId, kStyle)
    , m_game(game)
    , m_look(look)
    , m_country(country)
{
    setStyle(kStyle | WS_CHILD | WS_VISIBLE, WS_EX_CLIENTEDGE);
}

void ProductionListBox::create(int x, int y, int width, int height)
{
    controlCreate({ x, y, width, height });
    SendMessageA(handle(), LB_SETITEMHEIGHT, 0, kRowHeight);
}

int ProductionListBox::selection() const
{
    const LRESULT item = SendMessageA(handle(), LB_GETCURSEL, 0, 0);
    return item == LB_ERR ? -1 : int(item);
}

void ProductionListBox::DrawItem(DRAWITEMSTRUCT* item)
{
    const GameState* state = &m_game;
    if (!item || int(item->itemID) < 0)
        return;
    HDC dc = item->hDC;
    const RECT r = item->rcItem;
    PaletteHolder holder(dc);
    holder.fillRectColor(r.left, r.top, r.right - 1, r.bottom - 1, kWhite);
    holder.drawPolyline(r.left, r.bottom - 1, r.right - 1, r.bottom - 1, kGrey);
    const int x = r.left;
    const int y = r.top;
    StoredEntry entry;
    entry.data = uint32_t(item->itemData);
    TextHolder textState(dc, m_look.font(kSmallFont).handle(), kBlack);
    if (!entry.isOrder()) {
        const UnitRecord* unit = state->unitOf(entry.side(), entry.unitIndex());
        if (unit) {
            m_look.drawUnitIcon(dc, x, y, entry.side(), unit->unitTypeId, 0);
            SetTextColor(dc, kStoredGrey);
            text(dc, x + 32, y + 2, x + 224, y + 14, unit->name, int(strnlen(unit->name, sizeof unit->name)));
            if (unit->hasFlag(kUnitAwaitingProduction)) {
                text(dc, x + 32, y + 16, x + 224, y + 28, words().producing.c_str());
                drawNumber(dc, x + 116, y + 16, x + 152, y + 28, words().turns.c_str(),
                    unit->productionTurnsLeft);
            } else {
                text(dc, x + 32, y + 16, x + 68, y + 28, words().stored.c_str());
            }
            drawNumber(dc, x + 80, y + 16, x + 104, y + 28, words().machines.c_str(), heldMachines(*unit).now);
        }
    } else if (state->unitTypeIndex(entry.typeId())) {
        const UnitTypeRecord& type = state->unitTypeRecord(entry.typeId());
        m_look.drawUnitIcon(dc, x, y, m_country, entry.typeId(), 0);
        SetTextColor(dc, kBlack);
        text(dc, x + 32, y + 2, x + 224, y + 14, type.name, int(strnlen(type.name, sizeof type.name)));
        text(dc, x + 32, y + 16, x + 224, y + 28, words().producing.c_str());
        if (state->ruleOn(kRuleProductionCount)) {
            const int turns = state->ruleOn(kRuleFirstProduction) && state->turnBlock().turn == 1
                ? 1 : int(type.productionTurns);
            drawNumber(dc, x + 116, y + 16, x + 152, y + 28, words().turns.c_str(), turns);
        }
        drawNumber(dc, x + 80, y + 16, x + 104, y + 28, words().machines.c_str(), entry.machines());
    }
    if (item->itemState & ODS_SELECTED) {
        RECT all = r;
        InvertRect(dc, &all);
    }
}
