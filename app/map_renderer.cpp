// MapRenderer: the back picture, the view, the redraw of regions in passes, and the record of what
// each hex shows, so that a refresh redraws only the hexes whose look changed since they were drawn.
#include "app/map_renderer_impl.h"
#include "ui/presentation.h"

#include "lib/media/dc_holders.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>

using namespace map_render;

namespace {

RECT intersect(const RECT& a, const RECT& b)
{
    RECT r { std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom) };
    if (r.right <= r.left || r.bottom <= r.top)
        return RECT {};
    return r;
}

bool isEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

bool contains(const RECT& outer, const RECT& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom;
}

} // namespace

MapRenderer::Impl::~Impl()
{
    if (back)
        DeleteObject(back);
}

HexGeometry MapRenderer::Impl::geometry() const { return HexGeometry(zoom, state.mapWidth(), state.mapHeight()); }

RECT MapRenderer::Impl::viewRect() const { return RECT { origin.x, origin.y, origin.x + size.cx, origin.y + size.cy }; }

Canvas MapRenderer::Impl::canvas(const RECT& mapClip) const
{
    return Canvas { bits, int(size.cx), int(size.cy), origin, mapClip };
}

void MapRenderer::Impl::resizeBack(SIZE newSize)
{
    if (back && newSize.cx == size.cx && newSize.cy == size.cy)
        return;
    if (back)
        DeleteObject(back);
    back = nullptr;
    bits = nullptr;
    size = SIZE { std::max<LONG>(newSize.cx, 0), std::max<LONG>(newSize.cy, 0) };
    if (size.cx == 0 || size.cy == 0)
        return;
    BITMAPINFO info = topDownBitmapInfo(size.cx, size.cy);
    void* memory = nullptr;
    back = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    bits = static_cast<uint32_t*>(memory);
    if (!back || !bits) {
        if (back)
            DeleteObject(back);
        back = nullptr;
        bits = nullptr;
        size = SIZE {};
        return;
    }
    std::fill_n(bits, size_t(size.cx) * size_t(size.cy), kMapBackground);
}

void MapRenderer::Impl::drawRegion(const RECT& mapRect)
{
    const RECT clip = intersect(mapRect, viewRect());
    if (!bits || isEmpty(clip))
        return;
    const Canvas c = canvas(clip);
    c.fill(clip, kMapBackground);
    int x0, y0, x1, y1;
    if (!geometry().hexesIn(clip, x0, y0, x1, y1) || !state.terrainGrid() || !state.unitGrid())
        return;
    // Taken before drawing: a change made meanwhile shows at the next look.
    std::vector<HexLook> looks;
    looks.reserve(size_t(x1 - x0 + 1) * size_t(y1 - y0 + 1));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            looks.push_back(lookOf(x, y));
    // Pass by pass, so that what spills over a neighbour's corner is not painted over again.
    auto each = [&](auto pass) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                (this->*pass)(c, x, y);
    };
    each(&Impl::drawTerrain);
    each(&Impl::drawGroundMarks);
    each(&Impl::drawUnits);
    each(&Impl::drawFog);
    each(&Impl::drawTopMarks);
    each(&Impl::drawUnitNumbers);
    noteDrawn(clip, x0, y0, x1, y1, looks);
}

// Reads what drawTerrain, drawGroundMarks, drawUnits, drawFog, drawTopMarks and drawUnitNumbers
// read for the hex; a pass that reads something new must add it here.
HexLook MapRenderer::Impl::lookOf(int x, int y) const
{
    HexLook look;
    look.known = true;
    const TerrainCell* cell = state.terrainCellAt(x, y);
    const UnitCell* unitCell = state.unitCellAt(x, y);
    if (!cell || !unitCell)
        return look;
    look.ground = state.effectiveTerrainAt(x, y);
    look.terrain = cell->terrain;
    look.rivers = uint8_t(cell->substitute & 0x3F);
    look.roads = uint8_t(cell->overlay & 0x3F);
    look.owner = cell->owner;
    for (int d = 0; cell->owner && d < kHexDirections; ++d) {
        const HexPos n = state.hexNeighbour(x, y, d);
        if (n.valid() && state.terrainCellAt(n.x, n.y)->owner != cell->owner)
            look.borders = uint8_t(look.borders | 1u << d);
    }
    if (unitCell->building && unitCell->building <= state.buildingCount()) {
        const BuildingRecord& b = state.buildingAt(unitCell->building - 1u);
        look.building = b.type;
        look.buildingTint = tintOfOwner(b.ownerPlusOne);
    }
    look.fogged = fogActive() && !hexSeen(x, y);
    if (const uint16_t* grid = state.markGrid())
        look.marks = grid[size_t(y) * size_t(state.mapWidth()) + size_t(x)];
    std::vector<UnitRef> units;
    look.units = visibleUnits(x, y, units);
    if (look.units > 0) {
        const UnitRecord& unit = *state.unitOf(units[0].table, units[0].index);
        const UnitTypeRecord* type = state.unitTypeOf(unit);
        look.topTable = units[0].table;
        look.picture = type ? type->imageNumber : 0;
        if (zoom != 0 && state.settings().mapOnTroopNum && type)
            look.strength = strengthTenths(unit, *type);
    }
    return look;
}

HexLook& MapRenderer::Impl::drawnLook(int x, int y)
{
    const int width = state.mapWidth();
    const size_t hexes = size_t(std::max(width, 0)) * size_t(std::max(state.mapHeight(), 0));
    if (drawnWidth != width || drawn.size() != hexes) {
        drawn.assign(hexes, HexLook {});
        drawnWidth = width;
    }
    return drawn[size_t(y) * size_t(width) + size_t(x)];
}

void MapRenderer::Impl::forgetLooks() { std::fill(drawn.begin(), drawn.end(), HexLook {}); }

void MapRenderer::Impl::noteDrawn(const RECT& clip, int x0, int y0, int x1, int y1, const std::vector<HexLook>& looks)
{
    const HexGeometry g = geometry();
    const RECT view = viewRect();
    size_t i = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x, ++i) {
            HexLook& shown = drawnLook(x, y);
            if (contains(clip, intersect(g.hexRect(x, y), view)))
                shown = looks[i];
            else if (shown != looks[i])
                shown.known = false;
        }
}

std::vector<HexPos> MapRenderer::changedHexes()
{
    std::vector<HexPos> changed;
    int x0, y0, x1, y1;
    if (!m_impl->bits || !m_impl->geometry().hexesIn(m_impl->viewRect(), x0, y0, x1, y1))
        return changed;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const HexLook& shown = m_impl->drawnLook(x, y);
            if (!shown.known || shown != m_impl->lookOf(x, y))
                changed.push_back(HexPos { x, y });
        }
    return changed;
}

MapRenderer::MapRenderer(GameState& state, const Presentation& look)
    : m_impl(std::make_unique<Impl>(state, look))
{
}

MapRenderer::~MapRenderer() = default;

std::vector<std::pair<std::string, FileFault>> MapRenderer::loadSheets()
{
    std::vector<std::pair<std::string, FileFault>> unread;
    auto read = [&](const char* name, IndexedSheet& sheet) {
        if (FileFault fault = readSheetFile(name, sheet); fault != FileFault::None)
            unread.emplace_back(name, fault);
    };
    for (int z = 0; z < map_sheet::kZoomCount; ++z) {
        ZoomSheets& sheets = m_impl->sheets[size_t(z)];
        sheets = ZoomSheets {};
        read(map_sheet::kMapSheetFile[z], sheets.map);
        read(map_sheet::kUnitSheetFile[z], sheets.units);
        sheets.mapPlain = plainColours(sheets.map);
        for (int t = 0; t < kTintCount; ++t) {
            sheets.mapTinted[size_t(t)] = tintedColours(sheets.map, m_impl->look.customColors(), t);
            sheets.unitTinted[size_t(t)] = tintedColours(sheets.units, m_impl->look.customColors(), t);
        }
    }
    m_impl->forgetLooks();
    return unread;
}

void MapRenderer::setZoom(int zoom)
{
    m_impl->zoom = std::clamp(zoom, 0, map_sheet::kZoomCount - 1);
    m_impl->forgetLooks();
}

int MapRenderer::zoom() const { return m_impl->zoom; }

HexGeometry MapRenderer::geometry() const { return m_impl->geometry(); }

void MapRenderer::setNight(bool night)
{
    m_impl->night = night;
    m_impl->forgetLooks();
}

bool MapRenderer::night() const { return m_impl->night; }

int MapRenderer::fogViewer() const { return m_impl->fogActive() ? m_impl->viewer : -1; }

bool MapRenderer::showsUnit(int side, int index, int x, int y) const
{
    std::vector<UnitRef> units;
    m_impl->visibleUnits(x, y, units);
    return std::any_of(units.begin(), units.end(), [&](const UnitRef& u) { return u.table == side && u.index == index; });
}

void MapRenderer::setViewer(int side, bool fog)
{
    m_impl->viewer = side;
    m_impl->fog = fog;
    m_impl->forgetLooks();
}

void MapRenderer::setView(POINT origin, SIZE size)
{
    m_impl->origin = origin;
    m_impl->resizeBack(size);
    m_impl->forgetLooks();
}

POINT MapRenderer::viewOrigin() const { return m_impl->origin; }

SIZE MapRenderer::viewSize() const { return m_impl->size; }

void MapRenderer::drawAll() { m_impl->drawRegion(m_impl->viewRect()); }

void MapRenderer::drawMapRect(const RECT& mapRect) { m_impl->drawRegion(mapRect); }

void MapRenderer::drawHex(int x, int y)
{
    if (!m_impl->state.isOnMap(x, y))
        return;
    // The western and eastern neighbours draw their borders (and rivers) with this hex just
    // beyond its cell, up to a quarter cell in.
    const HexGeometry g = m_impl->geometry();
    RECT r = g.hexRect(x, y);
    r.left -= g.cell() / 4;
    r.right += g.cell() / 4;
    m_impl->drawRegion(r);
}

void MapRenderer::drawEffect(int x, int y, MapEffect effect, int frame)
{
    if (!m_impl->state.isOnMap(x, y))
        return;
    const HexGeometry g = m_impl->geometry();
    const POINT centre = g.hexCentre(x, y);
    drawEffectAt(centre, effect, frame);
}

void MapRenderer::drawEffectAt(POINT mapPixel, MapEffect effect, int frame)
{
    const ZoomSheets& sheets = m_impl->current();
    const int e = int(effect);
    if (!m_impl->bits || e < 0 || e >= map_sheet::kEffectFrames || frame < 0 || frame >= map_sheet::kEffectFrames)
        return;
    const int cell = map_sheet::kHexSize[m_impl->zoom];
    const POINT at { mapPixel.x - cell / 2, mapPixel.y - cell / 2 };
    m_impl->canvas(m_impl->viewRect())
        .blitCell(sheets.map, sheets.mapPlain, e * map_sheet::kEffectFrames + frame, map_sheet::kEffects, cell, at);
}

void MapRenderer::present(HDC dc, const RECT& viewRect) const
{
    if (!m_impl->back || !dc)
        return;
    const RECT r = intersect(viewRect, RECT { 0, 0, m_impl->size.cx, m_impl->size.cy });
    if (isEmpty(r))
        return;
    HDC memory = CreateCompatibleDC(dc);
    if (!memory)
        return;
    HGDIOBJ old = SelectObject(memory, m_impl->back);
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, memory, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

const uint32_t* MapRenderer::pixels() const { return m_impl->bits; }
