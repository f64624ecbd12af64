// OwnerDrawListBox: each row composed in one row bitmap and copied in one blit.
#include "dialogs/owner_draw_list_box.h"

#include "infowin/panel_text.h"
#include "rules/production.h"
#include "state/game_state.h"
#include "state/name_tables.h"
#include "state/unit_facts.h"
#include "ui/presentation.h"
#include "ui/palette_colours.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {


void rowText(HDC dc, int left, int right, const char* text, int length, UINT align)
{
    RECT box { left, 1, right, 15 };
    DrawTextA(dc, text, length, &box, align | DT_SINGLELINE | DT_NOPREFIX);
}

} // namespace

OwnerDrawListBox::OwnerDrawListBox(swCWindow* parent, const GameState& game, const Presentation& look, UINT controlId, int country,
    const std::vector<uint32_t>* typeIds)
    : ChildControl("ListBox", parent, controlId, kStyle)
    , m_game(game)
    , m_look(look)
    , m_country(country)
    , m_typeIds(typeIds)
{
    setStyle(kStyle | WS_CHILD | WS_VISIBLE, WS_EX_CLIENTEDGE);
}

OwnerDrawListBox::~OwnerDrawListBox() = default;

void OwnerDrawListBox::create(int x, int y, int width, int height, Size size)
{
    RECT frame { 0, 0, width, height };
    if (size == Size::Client)
        AdjustWindowRectEx(&frame, kStyle | WS_CHILD, FALSE, WS_EX_CLIENTEDGE);
    controlCreate({ x, y, frame.right - frame.left, frame.bottom - frame.top });
    SendMessageA(handle(), LB_SETITEMHEIGHT, 0, kRowHeight);
}

int OwnerDrawListBox::selectedType() const
{
    const LRESULT item = SendMessageA(handle(), LB_GETCURSEL, 0, 0);
    if (item == LB_ERR || !m_typeIds)
        return 0;
    const size_t position = size_t(SendMessageA(handle(), LB_GETITEMDATA, WPARAM(item), 0));
    return position < m_typeIds->size() ? int((*m_typeIds)[position]) : 0;
}

void OwnerDrawListBox::DrawItem(DRAWITEMSTRUCT* item)
{
    const GameState* state = &m_game;
    if (!item || int(item->itemID) < 0 || !m_typeIds)
        return;
    PaletteHolder target(item->hDC);
    if (!m_row)
        m_row = std::make_unique<swCBitmap>(target, kRowWidth, kRowHeight);
    BitmapDcHolder memory(m_row->handle());
    HDC dc = memory.dc();
    memory.fillRectColor(0, 0, kRowWidth - 1, kRowHeight - 1, kWhite);
    memory.drawPolyline(0, 16, kRowWidth, 16, kGrey);
    // The price keeps its column at the right of a box narrower than the production dialog's (the
    // placement dialog's), where the names give way.
    const int priceRight = std::min<int>(kPriceRight, item->rcItem.right - item->rcItem.left);
    const size_t position = size_t(item->itemData);
    const int typeId = position < m_typeIds->size() ? int((*m_typeIds)[position]) : 0;
    if (typeId > 0 && typeId < kUnitTypeIdMapSize && state->unitTypeIndex(typeId) && m_country >= 0
        && m_country < kCountryCount) {
        const UnitTypeRecord& type = state->unitTypeRecord(typeId);
        if (const swCBitmap* icons = m_look.baseBitmap(kCategorySheet)) {
            const int column = unitBitmapIndex(*state, type);
            const int row = m_country + 1;
            panel::blitKeyed(dc, 0, 0, *icons, RECT { column * 16, row * 16, column * 16 + 16, row * 16 + 16 }, kPictureKey);
        }
        const uint32_t count = uint32_t(m_shownCount > 0 ? machinesMade(type, m_shownCount) : type.members);
        const uint32_t price = unitTypeCost(type, state->country(m_country), count, type.members);
        const bool room = type.domain < 16 && (m_freeSlotMask >> type.domain & 1);
        TextHolder textState(dc, m_look.font(kSmallFont).handle(), !room ? kGrey : int64_t(price) > m_funds ? kRed : kBlack);
        rowText(dc, 16, 128, unitClassName(type.unitClass), -1, DT_LEFT);
        rowText(dc, 103, priceRight - kPriceWidth, type.name, int(strnlen(type.name, sizeof type.name)), DT_LEFT);
        char figure[16];
        std::snprintf(figure, sizeof figure, "%6d", int(price));
        rowText(dc, priceRight - kPriceWidth, priceRight, figure, -1, DT_CENTER);
    }
    memory.drawPolyline(100, 0, 100, kRowHeight - 1, kBlack);
    memory.drawPolyline(priceRight - kPriceWidth + 4, 0, priceRight - kPriceWidth + 4, kRowHeight - 1, kBlack);
    if (item->itemState & ODS_SELECTED) {
        RECT all { 0, 0, kRowWidth, kRowHeight };
        InvertRect(dc, &all);
    }
    BitBlt(item->hDC, item->rcItem.left, item->rcItem.top, item->rcItem.right - item->rcItem.left,
        item->rcItem.bottom - item->rcItem.top, dc, 0, 0, SRCCOPY);
}
