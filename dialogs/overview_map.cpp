// Drawing the overview map from the colour strips, and its marks.
#include "dialogs/overview_map.h"

#include "dialogs/bitmap_canvas.h"
#include "state/game_state.h"
#include "ui/presentation.h"

#include <algorithm>

namespace {

// Owner strip column 8 is the colour of nobody.
constexpr int kUnownedColumn = 8;

bool isBuildingTerrain(const GameState& state, int terrain)
{
    const auto& types = state.terrainTypes();
    return terrain >= 0 && size_t(terrain) < types.size() && types[size_t(terrain)].kind > kTerrainBuilding;
}

int ownerColumnAt(const GameState& state, int x, int y)
{
    const UnitCell* cell = state.unitCellAt(x, y);
    if (!cell || cell->building == 0 || cell->building > state.buildingCount())
        return kUnownedColumn;
    const int owner = state.buildingAt(size_t(cell->building - 1)).ownerPlusOne;
    return owner >= 1 && owner <= 8 ? owner - 1 : kUnownedColumn;
}

// What a sampled hex shows: a building (owner column) or a terrain (terrain column).
struct OverviewCell {
    bool building = false;
    int column = -1;
};

OverviewCell cellAt(const GameState& state, int x, int y, int step)
{
    const int terrain = state.effectiveTerrainAt(x, y);
    if (isBuildingTerrain(state, terrain))
        return { true, ownerColumnAt(state, x, y) };
    // Every second hex is drawn: a building next to it on the right or below would vanish, so it
    // takes the sampled hex's place.
    if (step == 2) {
        const POINT around[3] = { { x + 1, y }, { x, y + 1 }, { x + 1, y + 1 } };
        for (const POINT& p : around)
            if (state.isOnMap(p.x, p.y) && isBuildingTerrain(state, state.effectiveTerrainAt(p.x, p.y)))
                return { true, ownerColumnAt(state, p.x, p.y) };
    }
    return { false, terrain };
}

bool stripHolds(const swCBitmap* strip, int x, int y, int cell)
{
    if (!strip || !strip->handle())
        return false;
    const SIZE size = strip->bitmapGetSize();
    return x >= 0 && y >= 0 && x + cell <= size.cx && y + cell <= size.cy;
}

} // namespace

OverviewScale overviewScale(int mapWidth, int mapHeight)
{
    OverviewScale s;
    s.pixels = mapWidth <= 96 && mapHeight <= 96 ? 2 : 1;
    s.step = mapWidth > 128 || mapHeight >= 129 ? 2 : 1;
    s.width = std::max(0, mapWidth) * s.pixels / s.step;
    s.height = std::max(0, mapHeight) * s.pixels / s.step;
    return s;
}

int blinkGrey(int counter)
{
    const int phase = (counter % 25 + 25) % 25;
    return phase < 13 ? 15 * (17 - phase) : 5 * (3 * phase - 21);
}

POINT overviewMarkPosition(const OverviewScale& scale, HexPos hex)
{
    const int x = hex.x * scale.pixels / scale.step - 2;
    const int y = hex.y * scale.pixels / scale.step - 2;
    return { std::clamp(x, 0, std::max(0, scale.width - 3)), std::clamp(y, 0, std::max(0, scale.height - 3)) };
}

OverviewMap::OverviewMap(const GameState& state, const Presentation& look, OverviewRow row)
    : m_scale(overviewScale(state.mapWidth(), state.mapHeight()))
{
    draw(state, look, row);
}

POINT OverviewMap::originIn(POINT square) const
{
    return { square.x + (kOverviewSquare - m_scale.width) / 2, square.y + (kOverviewSquare - m_scale.height) / 2 };
}

void OverviewMap::draw(const GameState& state, const Presentation& look, OverviewRow row)
{
    if (m_scale.width <= 0 || m_scale.height <= 0)
        return;
    m_picture.bitmapCreateCompatible(WindowDcHolder(nullptr), m_scale.width, m_scale.height);
    if (!m_picture.handle())
        return;
    const int s = m_scale.pixels;
    const swCBitmap* terrainStrip = look.baseBitmap(s == 1 ? kTerrainStrip1 : kTerrainStrip2);
    const swCBitmap* ownerStrip = look.baseBitmap(s == 1 ? kOwnerStrip1 : kOwnerStrip2);
    SelectedBitmap canvas(m_picture.handle());
    PaletteHolder(canvas.dc()).fillRectColor(0, 0, m_scale.width - 1, m_scale.height - 1, kNoColour);
    if (!terrainStrip || !terrainStrip->handle() || !ownerStrip || !ownerStrip->handle())
        return;
    SelectedBitmap terrain(terrainStrip->handle());
    SelectedBitmap owners(ownerStrip->handle());
    const int stripRow = row == OverviewRow::Image ? 0 : s;
    for (int y = 0; y < state.mapHeight(); y += m_scale.step) {
        for (int x = 0; x < state.mapWidth(); x += m_scale.step) {
            const OverviewCell cell = cellAt(state, x, y, m_scale.step);
            const int px = x * s / m_scale.step;
            const int py = y * s / m_scale.step;
            if (cell.building) {
                if (stripHolds(ownerStrip, cell.column * s, 0, s))
                    BitBlt(canvas.dc(), px, py, s, s, owners.dc(), cell.column * s, 0, SRCCOPY);
            } else if (stripHolds(terrainStrip, cell.column * s, stripRow, s)) {
                BitBlt(canvas.dc(), px, py, s, s, terrain.dc(), cell.column * s, stripRow, SRCCOPY);
            }
        }
    }
}

void OverviewMap::setMarks(const std::vector<HexPos>& marks, const std::vector<HexPos>& goals)
{
    m_marks.clear();
    m_goals.clear();
    for (HexPos hex : marks)
        m_marks.push_back(overviewMarkPosition(m_scale, hex));
    for (HexPos hex : goals)
        m_goals.push_back(overviewMarkPosition(m_scale, hex));
}

void OverviewMap::drawMarks(int counter)
{
    if (!m_picture.handle())
        return;
    SelectedBitmap canvas(m_picture.handle());
    PaletteHolder holder(canvas.dc());
    const int grey = blinkGrey(counter);
    for (const POINT& p : m_goals)
        holder.fillRectColor(p.x, p.y, p.x + 3, p.y + 3, paletteGrey(255));
    for (const POINT& p : m_marks)
        holder.fillRectColor(p.x, p.y, p.x + 4, p.y + 4, paletteGrey(grey));
}
