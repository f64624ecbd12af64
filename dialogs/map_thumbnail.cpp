// Drawing the map thumbnail from the colour strips.
#include "dialogs/map_thumbnail.h"

#include "dialogs/bitmap_canvas.h"
#include "state/game_state.h"
#include "ui/presentation.h"

namespace {

struct Strip {
    const swCBitmap* bitmap = nullptr;
    SIZE size {};
};

Strip stripOf(const Presentation& look, int index)
{
    Strip s;
    s.bitmap = look.baseBitmap(index);
    if (s.bitmap && s.bitmap->handle())
        s.size = s.bitmap->bitmapGetSize();
    return s;
}

bool holds(const Strip& strip, int x, int y, int cell)
{
    return x >= 0 && y >= 0 && x + cell <= strip.size.cx && y + cell <= strip.size.cy;
}

} // namespace

MapThumbnail::MapThumbnail(swCWindow* parent, const GameState& game, const Presentation& look, UINT controlId, int x, int y, DWORD style)
    : PictureControl(parent, game, look, controlId, { x, y, kThumbnailSize, kThumbnailSize }, style)
{
    EnableWindow(handle(), FALSE);
    clear();
}

void MapThumbnail::clear()
{
    SelectedBitmap canvas(m_picture.handle());
    PaletteHolder(canvas.dc()).fillRectColor(0, 0, kThumbnailSize - 1, kThumbnailSize - 1, kNoColour);
}

void MapThumbnail::render()
{
    const GameState* state = &m_game;
    if (ready != 1)
        return;
    const bool live = liveSource == 1;
    if (!live && (!header || !cells))
        return;
    const int width = live ? state->mapWidth() : header->width;
    const int height = live ? state->mapHeight() : header->height;
    clear();
    const auto layout = thumbnailLayout(width, height, live ? ThumbnailSource::Live : ThumbnailSource::Preview);
    if (!layout)
        return;
    const int s = layout->cell;
    const Strip terrain = stripOf(m_look, s == 1 ? kTerrainStrip1 : kTerrainStrip2);
    const Strip owners = stripOf(m_look, s == 1 ? kOwnerStrip1 : kOwnerStrip2);
    if (!terrain.bitmap || !owners.bitmap || !terrain.bitmap->handle() || !owners.bitmap->handle())
        return;
    const int row = viewMode == 0 ? 0 : s;
    const auto& types = state->terrainTypes();
    const std::span<const FileMapCell> records(cells ? cells : nullptr, cells ? size_t(kMaxMapCells) : 0);

    SelectedBitmap canvas(m_picture.handle());
    SelectedBitmap terrainDc(terrain.bitmap->handle());
    SelectedBitmap ownerDc(owners.bitmap->handle());
    for (int j = 0; j < layout->rows; ++j) {
        for (int i = 0; i < layout->columns; ++i) {
            const ThumbnailCell c = live ? liveThumbnailCell(*state, *layout, i, j)
                                         : previewThumbnailCell(records, width, height, types, *layout, i, j);
            if (c.terrain < 0)
                continue;
            const int x = layout->x0 + s * i;
            const int y = layout->y0 + s * j;
            if (types[size_t(c.terrain)].kind < kTerrainCapital) {
                const int sx = thumbnailColourColumn(c.terrain) * s;
                if (holds(terrain, sx, row, s))
                    BitBlt(canvas.dc(), x, y, s, s, terrainDc.dc(), sx, row, SRCCOPY);
                continue;
            }
            const int column = thumbnailOwnerColumn(c.ownerValue);
            if (!c.hasBuilding || column < 0 || !holds(owners, column * s, 0, s))
                continue;
            BitBlt(canvas.dc(), x, y, s, s, ownerDc.dc(), column * s, 0, SRCCOPY);
        }
    }
}
