// The thumbnail's sizes and its choice of terrain per cell.
#include "dialogs/map_thumbnail_layout.h"

#include "state/game_state.h"

namespace {

constexpr int kHalvingAbove = 128;
constexpr int kTwoPixelsUpTo = 72;

int kindOf(std::span<const TerrainRecord> terrain, int type)
{
    return type >= 0 && size_t(type) < terrain.size() ? terrain[size_t(type)].kind : -1;
}

// The substitute of a hex record's substitute bits: 1 gives type 15, 2 gives 26, anything else 14.
int recordTerrain(const FileMapCell& cell)
{
    if ((cell.substituteBits & 0x3F) == 0)
        return cell.terrain;
    switch (cell.substituteBits >> 6) {
    case 1: return 15;
    case 2: return 26;
    default: return 14;
    }
}

} // namespace

std::optional<ThumbnailLayout> thumbnailLayout(int width, int height, ThumbnailSource source)
{
    if (width < 1 || width > int(kMaxMapSide) || height < 1 || height > int(kMaxMapSide))
        return std::nullopt;
    ThumbnailLayout l;
    l.halved = width > kHalvingAbove || height > kHalvingAbove;
    l.columns = l.halved ? width / 2 : width;
    l.rows = l.halved ? height / 2 : height;
    const int w = source == ThumbnailSource::Live ? width : l.columns;
    const int h = source == ThumbnailSource::Live ? height : l.rows;
    l.cell = w <= kTwoPixelsUpTo && h <= kTwoPixelsUpTo ? 2 : 1;
    l.x0 = (kThumbnailSize - l.cell * l.columns) / 2;
    l.y0 = (kThumbnailSize - l.cell * l.rows) / 2;
    return l;
}

ThumbnailCell previewThumbnailCell(std::span<const FileMapCell> cells, int width, int height,
    std::span<const TerrainRecord> terrain, const ThumbnailLayout& layout, int i, int j)
{
    const int x = layout.halved ? 2 * i : i;
    const int y = layout.halved ? 2 * j : j;
    auto at = [&](int dx, int dy) -> const FileMapCell* {
        const int hx = x + dx;
        const int hy = y + dy;
        if (hx >= width || hy >= height)
            return nullptr;
        const size_t index = size_t(hy) * size_t(width) + size_t(hx);
        return index < cells.size() ? &cells[index] : nullptr;
    };
    ThumbnailCell out;
    const FileMapCell* own = at(0, 0);
    if (!own) {
        out.terrain = -1;
        return out;
    }
    out.ownerValue = own->buildingOwnerPlusOne;
    int t = recordTerrain(*own);
    // A halved map keeps its buildings: a neighbour's raw terrain wins when it is one.
    if (layout.halved && kindOf(terrain, t) < kTerrainBuilding) {
        const FileMapCell* right = at(1, 0);
        const FileMapCell* below = at(0, 1);
        const FileMapCell* corner = at(1, 1);
        if (right && kindOf(terrain, right->terrain) >= kTerrainBuilding)
            t = right->terrain;
        else if (below && kindOf(terrain, below->terrain) >= kTerrainBuilding)
            t = below->terrain;
        else if (corner && kindOf(terrain, corner->terrain) >= kTerrainCapital)
            t = corner->terrain;
    }
    out.terrain = kindOf(terrain, t) >= 0 ? t : -1;
    return out;
}

ThumbnailCell liveThumbnailCell(const GameState& state, const ThumbnailLayout& layout, int i, int j)
{
    const int x = layout.halved ? 2 * i : i;
    const int y = layout.halved ? 2 * j : j;
    const auto& types = state.terrainTypes();
    int hx = x;
    int hy = y;
    int t = state.effectiveTerrainAt(x, y);
    if (layout.halved) {
        for (const auto& [dx, dy] : { std::pair { 1, 0 }, std::pair { 0, 1 }, std::pair { 1, 1 } }) {
            const int n = state.effectiveTerrainAt(x + dx, y + dy);
            if (kindOf(types, n) >= kTerrainCapital) {
                t = n;
                hx = x + dx;
                hy = y + dy;
                break;
            }
        }
    }
    ThumbnailCell out;
    out.terrain = kindOf(types, t) >= 0 ? t : -1;
    const UnitCell* units = state.unitCellAt(hx, hy);
    const size_t building = units ? units->building : 0;
    out.hasBuilding = building != 0 && building <= state.buildingCount();
    out.ownerValue = out.hasBuilding ? state.buildingAt(building - 1).ownerPlusOne : 0;
    return out;
}
