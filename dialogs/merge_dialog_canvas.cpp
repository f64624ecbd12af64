// MergeDialogBase's canvas: both units' pictures, names, machines and the centre panel of
// experience, fuel and fatigue, drawn over a clean copy of "merge.bmp".
#include "dialogs/merge_dialog.h"

#include "dialogs/bitmap_canvas.h"
#include "dialogs/game_records.h"
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

namespace mglayout = merge_layout;

using game_records::field;

} // namespace

void MergeDialogBase::render()
{
    if (!m_canvas.handle() || !m_cleanPanel.handle() || !m_transfer)
        return;
    SelectedBitmap page(m_canvas.handle());
    HDC dc = page.dc();
    restoreFromClean(dc, m_cleanPanel, 0, 0, mglayout::kWidth, mglayout::kHeight);
    panel::TextScope text(dc, m_look.font(kSmallFont));
    const UnitRecord& left = m_transfer->left();
    const UnitRecord& right = m_transfer->right();
    m_look.drawUnitIcon(dc, mglayout::kLeftIconX, mglayout::kIconY, m_side, left.unitTypeId, 0);
    m_look.drawUnitIcon(dc, mglayout::kRightIconX, mglayout::kIconY, m_side, right.unitTypeId, 1);
    const int columns[2][2] = { { mglayout::kLeftTextLeft, mglayout::kLeftTextRight },
        { mglayout::kRightTextLeft, mglayout::kRightTextRight } };
    const UnitRecord* units[2] = { &left, &right };
    for (int k = 0; k < 2; ++k) {
        panel::text(dc, columns[k][0], mglayout::kNameTop, columns[k][1], mglayout::kNameTop + mglayout::kLineHeight,
            field(units[k]->name).c_str());
        panel::text(dc, columns[k][0], mglayout::kTypeTop, columns[k][1], mglayout::kTypeTop + mglayout::kLineHeight,
            field(units[k]->type().name).c_str());
    }
    drawMachines(dc);
    drawUnitPanel(dc, left, mglayout::kLeftPanelX);
    drawUnitPanel(dc, right, mglayout::kRightPanelX);
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
    const int size = mglayout::kMachineSize;
    const int leftCount = m_transfer->leftCount();
    const int rightCount = m_transfer->rightCount();
    for (int i = 0; i < leftCount; ++i)
        panel::blitKeyed(dc, mglayout::kLeftMachinesLeft + size * i, mglayout::kMachineY, *icons, icon, kPictureKey);
    const int start = mglayout::kRightMachinesRight - size * rightCount;
    for (int i = 0; i < rightCount; ++i)
        panel::blitKeyed(dc, start + size * i, mglayout::kMachineY, *icons, icon, kPictureKey);
}

void MergeDialogBase::drawUnitPanel(HDC dc, const UnitRecord& unit, int x)
{
    if (const swCBitmap* marks = m_look.baseBitmap(kInfoButtons))
        panel::blitCell(dc, x, mglayout::kMarkY, *marks, info_sheet::experienceMark(experienceLevel(unit)));
    const COLORREF colour = 0x02000000 | (playerColourRef(m_side) & 0xFFFFFF);
    const int percent = experiencePercent(unit.experience);
    PaletteHolder holder(dc);
    for (int i = 0; i < percent / 10 && i < 10; ++i) {
        const int left = x + mglayout::kBarDX + mglayout::kBarStep * i;
        holder.fillRectColor(left, mglayout::kBarTop, left + mglayout::kBarSegment - 1, mglayout::kBarBottom - 1, colour);
    }
    const int partial = percent % 10 * (mglayout::kBarSegment + 1) / 10;
    if (percent < 100 && partial > 0) {
        const int left = x + mglayout::kBarDX + mglayout::kBarStep * (percent / 10);
        holder.fillRectColor(left, mglayout::kBarTop, left + partial - 1, mglayout::kBarBottom - 1, colour);
    }
    panel::format(dc, x + mglayout::kFuelDX, mglayout::kFigureTop, x + mglayout::kFuelDX + mglayout::kFigureWidth,
        mglayout::kFigureBottom, DT_CENTER, "%3d", int(unit.fuel));
    panel::format(dc, x + mglayout::kFatigueDX, mglayout::kFigureTop, x + mglayout::kFatigueDX + mglayout::kFigureWidth,
        mglayout::kFigureBottom, DT_CENTER, "%3d", int(unit.fatigue));
}
