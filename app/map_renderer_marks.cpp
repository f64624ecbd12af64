// The map renderer's fog of the viewing country and the mark grid's pictures.
#include "app/map_renderer_impl.h"

#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/rule_block.h"
#include "state/sight_maps.h"

using namespace map_render;

namespace {

constexpr uint32_t kAllLayers = 0x3F;

// The ranges and routes lie on the ground under the units; targets, the selection and the blink
// go over them. Each group is drawn in this order.
constexpr MarkPicture kGroundMarks[] = {
    { kMarkMoveRange | kMarkInterceptRange, map_sheet::kMoveRange },
    { kMarkExtendedBand, map_sheet::kSecondRange },
    { kMarkPath | kMarkPathEnd | kMarkAutoMoveRoute | kMarkAutoMoveEnd, map_sheet::kRoute },
};
constexpr MarkPicture kTopMarks[] = {
    { kMarkCommandTarget | kMarkCommandTarget2 | kMarkCommandTarget3, map_sheet::kTarget },
    { kMarkActingUnit | kMarkHighlighted | kMarkAutoMoveGroup, map_sheet::kSelected },
    { kMarkBlink, map_sheet::kBlink },
};

} // namespace

bool MapRenderer::Impl::fogActive() const
{
    return fog && viewer >= 0 && viewer < kCountryCount && state.ruleOn(kRuleSearch) && state.fogMap();
}

bool MapRenderer::Impl::hexSeen(int x, int y) const
{
    return state.fogMap()->isSeenInLayers(viewer, x, y, kAllLayers);
}

void MapRenderer::Impl::drawFog(const Canvas& c, int x, int y) const
{
    if (!fogActive() || hexSeen(x, y))
        return;
    const ZoomSheets& s = current();
    c.blitCell(s.map, s.mapPlain, map_sheet::kFog, map_sheet::kMarks, map_sheet::kHexSize[zoom], geometry().hexOrigin(x, y));
}

void MapRenderer::Impl::drawMarkGroup(const Canvas& c, int x, int y, std::span<const MarkPicture> group) const
{
    const uint16_t* grid = state.markGrid();
    if (!grid)
        return;
    const uint16_t marks = grid[size_t(y) * size_t(state.mapWidth()) + size_t(x)];
    // Another country's selection and targets show only where the viewer sees.
    if (!marks || !ViewerView(state).showsMarksAt(x, y))
        return;
    const ZoomSheets& s = current();
    const int size = map_sheet::kHexSize[zoom];
    const POINT at = geometry().hexOrigin(x, y);
    for (const MarkPicture& m : group)
        if (marks & m.bits)
            c.blitCell(s.map, s.mapPlain, m.column, map_sheet::kMarks, size, at);
}

void MapRenderer::Impl::drawGroundMarks(const Canvas& c, int x, int y) const { drawMarkGroup(c, x, y, kGroundMarks); }

void MapRenderer::Impl::drawTopMarks(const Canvas& c, int x, int y) const { drawMarkGroup(c, x, y, kTopMarks); }
