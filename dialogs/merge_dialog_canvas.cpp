// MergeDialogBase's canvas: both units' pictures, names, machines and the centre panel of
// experience, fuel and fatigue, drawn over a clean copy of "merge.bmp".
#include "dialogs/merge_dialog.h"

#include "dialogs/bitmap_canvas.h"
#include "dialogs/merge_layout.h"
#include "infowin/panel_text.h"
#include "infowin/sheet_layout.h"
#include "rules/machine_transfer.h"
#include "state/game_state.h"
#include "state/name_tables.h"
#include "state/unit_facts.h"
#include "ui/presentation.h"

#include <cstring>
#include <string>

namespace {

namespace layout = merge_layout;

template <size_t N>
std::string field(const char (&text)[N])
{
    return std::string(text, strnlen(text, N));
}

void restore(HDC dc, const swCBitmap& clean, int left, int top, int right, int bottom)
{
    PaletteHolder(dc).blitBitmap(left, top, clean.handle(), RECT { left, top, right, bottom });
}

} // namespace

void MergeDialogBase::render()
{
    if (!m_canvas.handle() || !m_cleanPanel.handle() || !m_transfer)
        return;
    SelectedBitmap page(m_canvas.handle());
    HDC dc = page.dc();
    restore(dc, m_cleanPanel, 0, 0, layout::kWidth, layout::kHeight);
    panel::TextScope text(dc, m_look.font(kSmallFont));
    const UnitRecord& left = m_transfer->left();
    const UnitRecord& right = m_transfer->right();
    m_look.drawUnitIcon(dc, layout::kLeftIconX, layout::kIconY, m_side, left.unitTypeId, 0);
    m_look.drawUnitIcon(dc, layout::kRightIconX, layout::kIconY, m_side, right.unitTypeId, 1);
    const int columns[2][2] = { { layout::kLeftTextLeft, layout::kLeftTextRight },
        { layout::kRightTextLeft, layout::kRightTextRight } };
    const UnitRecord* units[2] = { &left, &right };
    for (int k = 0; k < 2; ++k) {
        panel::text(dc, columns[k][0], layout::kNameTop, columns[k][1], layout::kNameTop + layout::kLineHeight,
            field(units[k]->name).c_str());
        panel::text(dc, columns[k][0], layout::kTypeTop, columns[k][1], layout::kTypeTop + layout::kLineHeight,
            field(units[k]->type().name).c_str());
    }
    drawMachines(dc);
    drawUnitPanel(dc, left, layout::kLeftPanelX);
    drawUnitPanel(dc, right, layout::kRightPanelX);
}

void MergeDialogBase::drawMachines(HDC dc)
{
    const swCBitmap* icons = m_look.baseBitmap(kCategorySheet);
    if (!icons)
        return;
    const UnitRecord& left = m_transfer->left();
    const int column = unitBitmapIndex(m_state, left.type());
    const int row = m_side >= 0 && m_side < kCountryCount ? m_side + 1 : 0;
    const RECT icon { column * 16, row * 16, column * 16 + 16, row * 16 + 16 };
    const int size = layout::kMachineSize;
    const int leftCount = m_transfer->leftCount();
    const int rightCount = m_transfer->rightCount();
    for (int i = 0; i < leftCount; ++i)
        panel::blitKeyed(dc, layout::kLeftMachinesLeft + size * i, layout::kMachineY, *icons, icon, kPictureKey);
    const int start = layout::kRightMachinesRight - size * rightCount;
    for (int i = 0; i < rightCount; ++i)
        panel::blitKeyed(dc, start + size * i, layout::kMachineY, *icons, icon, kPictureKey);
}

void MergeDialogBase::drawUnitPanel(HDC dc, const UnitRecord& unit, int x)
{
    if (const swCBitmap* marks = m_look.baseBitmap(kInfoButtons))
        panel::blitCell(dc, x, layout::kMarkY, *marks, info_sheet::experienceMark(experienceLevel(unit)));
    const COLORREF colour = 0x02000000 | (playerColourRef(m_side) & 0xFFFFFF);
    const int percent = experiencePercent(unit.experience);
    PaletteHolder holder(dc);
    for (int i = 0; i < percent / 10 && i < 10; ++i) {
        const int left = x + layout::kBarDX + layout::kBarStep * i;
        holder.fillRectColor(left, layout::kBarTop, left + layout::kBarSegment - 1, layout::kBarBottom - 1, colour);
    }
    const int partial = percent % 10 * (layout::kBarSegment + 1) / 10;
    if (percent < 100 && partial > 0) {
        const int left = x + layout::kBarDX + layout::kBarStep * (percent / 10);
        holder.fillRectColor(left, layout::kBarTop, left + partial - 1, layout::kBarBottom - 1, colour);
    }
    panel::format(dc, x + layout::kFuelDX, layout::kFigureTop, x + layout::kFuelDX + layout::kFigureWidth,
        layout::kFigureBottom, DT_CENTER, "%3d", int(unit.fuel));
    panel::format(dc, x + layout::kFatigueDX, layout::kFigureTop, x + layout::kFatigueDX + layout::kFigureWidth,
        layout::kFigureBottom, DT_CENTER, "%3d", int(unit.fatigue));
}
