// The map renderer's terrain pass: ground, grid, rivers, roads, borders and the building or bridge.
#include "app/map_renderer_impl.h"

#include "state/game_state.h"

using namespace map_render;

namespace {

constexpr unsigned kDirectionBits = 0x3F;

// Hexes that show a building picture although no building record stands there (works built by
// units, villages): their own terrain id, drawn as nobody's.
bool showsStructure(const TerrainRecord& terrain)
{
    return terrain.kind == kTerrainPillbox || terrain.kind == kTerrainTemporaryBridge || terrain.kind >= kTerrainBuilding;
}

} // namespace

void MapRenderer::Impl::drawTerrain(const Canvas& c, int x, int y) const
{
    const ZoomSheets& s = current();
    const TerrainCell* cell = state.terrainCellAt(x, y);
    const UnitCell* units = state.unitCellAt(x, y);
    if (!cell || !units)
        return;
    const int size = map_sheet::kHexSize[zoom];
    const POINT at = geometry().hexOrigin(x, y);

    c.blitCell(s.map, s.mapPlain, state.effectiveTerrainAt(x, y), night ? map_sheet::kGroundNight : map_sheet::kGroundDay,
        size, at);
    c.blitCell(s.map, s.mapPlain, map_sheet::kGridOutline, map_sheet::kMarks, size, at);

    const unsigned rivers = cell->substitute & kDirectionBits;
    const unsigned roads = cell->overlay & kDirectionBits;
    const int lines = night ? map_sheet::kLinesNight : 0;
    for (int d = 0; d < kHexDirections; ++d) {
        if (rivers >> d & 1)
            c.blitCell(s.map, s.mapPlain, lines + map_sheet::kRiver + d, map_sheet::kLines, size, at);
        if (roads >> d & 1)
            c.blitCell(s.map, s.mapPlain, lines + map_sheet::kRoad + d, map_sheet::kLines, size, at);
    }
    const auto& types = state.terrainTypes();
    const TerrainRecord* own = cell->terrain < types.size() ? &types[cell->terrain] : nullptr;
    if (!roads && own && own->kind == kTerrainRoad)
        c.blitCell(s.map, s.mapPlain, lines + map_sheet::kRoadCentre, map_sheet::kLines, size, at);

    // Computed here rather than read from the cell's border mask, which is only rebuilt at load.
    if (cell->owner) {
        const ColourTable& colours = s.mapTinted[size_t(tintOfOwner(cell->owner))];
        for (int d = 0; d < kHexDirections; ++d) {
            const HexPos n = state.hexNeighbour(x, y, d);
            if (n.valid() && state.terrainCellAt(n.x, n.y)->owner != cell->owner)
                c.blitCell(s.map, colours, d, map_sheet::kBorders, size, at);
        }
    }

    const int row = night ? map_sheet::kBuildingNight : map_sheet::kBuildingDay;
    if (units->building) {
        const BuildingRecord* b = units->building <= state.buildingCount() ? &state.buildingAt(units->building - 1u) : nullptr;
        if (b)
            c.blitCell(s.map, s.mapTinted[size_t(tintOfOwner(b->ownerPlusOne))], b->type, row, size, at);
    } else if (own && showsStructure(*own)) {
        c.blitCell(s.map, s.mapTinted[kGreyTint], cell->terrain, row, size, at);
    }
}
