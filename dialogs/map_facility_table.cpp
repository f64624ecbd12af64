// Drawing the facility table: the grid, its labels and column marks, and the counts.
#include "dialogs/map_facility_table.h"

#include "lib/error.h"
#include "platform/kernel/host.h"
#include "state/data_path.h"
#include "dialogs/bitmap_canvas.h"
#include "state/game_state.h"
#include "ui/presentation.h"
#include "ui/palette_colours.h"

#include <cstdio>

namespace {

constexpr int kMarkWidth = 18;
constexpr int kMarkHeight = 14;
// The marks' plain row: a box in the side's colour without a tick.
constexpr int kMarkRow = 14;
constexpr uint32_t kMostShown = 999;

const char* const kFacilityRowLabels[kFacilityRows] = { "首 都", "都 市", "空 港", "工 場", "港", "施 設" };

void drawCentred(HDC dc, HFONT font, RECT rect, const std::string& text, COLORREF colour)
{
    TextHolder textState(dc, font, colour);
    DrawTextA(dc, text.c_str(), int(text.size()), &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

} // namespace

MapFacilityTable::MapFacilityTable(swCWindow* parent, const GameState& game, const Presentation& look, UINT controlId, int x, int y, DWORD style)
    : PictureControl(parent, game, look, controlId, { x, y, kWidth, kHeight }, style)
{
    EnableWindow(handle(), FALSE);
    drawTable();
}

RECT MapFacilityTable::cellRect(int owner_value, int row)
{
    const int x = owner_value == 0 ? 190 : 19 * owner_value + 19;
    const int y = 16 + 15 * row;
    return RECT { x, y, x + 17, y + 13 };
}

void MapFacilityTable::drawTable()
{
    SelectedBitmap canvas(m_picture.handle());
    PaletteHolder holder(canvas.dc());
    holder.fillRectColor(0, 0, kWidth - 1, kHeight - 1, GetSysColor(COLOR_BTNFACE));
    holder.fillRectColor(0, 0, kWidth - 1, kTableHeight - 1, kWhite);
    for (int x : { 0, 37, 56, 75, 94, 113, 132, 151, 170, 189, 208 })
        holder.drawPolyline(x, 0, x, kTableHeight - 1, kBlack);
    for (int y = 0; y < kTableHeight; y += 15)
        holder.drawPolyline(0, y, kWidth - 1, y, kBlack);
    const HFONT font = m_look.font(kSmallFont).handle();
    for (int r = 0; r < kFacilityRows; ++r) {
        const int y = 30 + 15 * r;
        drawCentred(canvas.dc(), font, RECT { 1, y - 14, 37, y }, platform::utf8ToCp932(kFacilityRowLabels[r]), kBlack);
    }
    // Column marks: the eight countries, then the unowned column.
    swCBitmap marks;
    try {
        marks.bitmapLoadFile(dataPath("cmark18_14.bmp", kFolderBitmap).c_str());
    } catch (swCError* error) {
        delete error;
        return;
    }
    for (int i = 0; i < kFacilityOwners; ++i)
        holder.blitBitmap(38 + 19 * i, 1, marks.handle(), RECT { kMarkWidth * i, kMarkRow, kMarkWidth * (i + 1), kMarkRow + kMarkHeight });
}

void MapFacilityTable::refresh()
{
    m_counts = {};
    if (liveSource == 1) {
        m_counts = countLiveFacilities(m_game);
    } else if (header && cells) {
        const size_t hexes = header->width <= kMaxMapSide && header->height <= kMaxMapSide
            ? size_t(header->width) * size_t(header->height) : 0;
        m_counts = countPreviewFacilities(std::span(cells, hexes), m_game.terrainTypes());
    }
    SelectedBitmap canvas(m_picture.handle());
    PaletteHolder holder(canvas.dc());
    const HFONT font = m_look.font(kSmallFont).handle();
    for (int v = 0; v < kFacilityOwners; ++v) {
        for (int r = 0; r < kFacilityRows; ++r) {
            const RECT cell = cellRect(v, r);
            holder.fillRectColor(cell.left, cell.top, cell.right, cell.bottom, kWhite);
            const uint32_t n = m_counts[size_t(v)][size_t(r)];
            char text[16];
            std::snprintf(text, sizeof text, "%3u", n > kMostShown ? kMostShown : n);
            drawCentred(canvas.dc(), font, RECT { cell.left, cell.top, cell.left + 18, cell.top + 14 }, text,
                n > kMostShown ? kRed : kBlack);
        }
    }
}

void MapFacilityTable::clearCells()
{
    m_counts = {};
    SelectedBitmap canvas(m_picture.handle());
    PaletteHolder holder(canvas.dc());
    for (int v = 0; v < kFacilityOwners; ++v)
        for (int r = 0; r < kFacilityRows; ++r) {
            const RECT cell = cellRect(v, r);
            holder.fillRectColor(cell.left, cell.top, cell.right, cell.bottom, kWhite);
        }
}
