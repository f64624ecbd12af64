// The marks of the map sheets: grid, fog, ranges, targets, route, blink and selection.
#include "tools/mkdata/map_sheet.h"
#include "state/map_sheet_layout.h"

#include <algorithm>

namespace mkdata::sheet {
namespace {

// True for a hex pixel with a pixel outside the hex within `reach` (a square neighbourhood).
bool nearHexEdge(int size, int x, int y, int reach)
{
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if (!inHex(size, x + dx, y + dy))
                return true;
    return false;
}

// Only the west and upper edges: neighbours draw the others, so a grid of hexes gets
// lines one pixel wide. Every other pixel, so that the grid stays light over the land.
void gridOutline(Cell& c, uint8_t ink)
{
    const int s = c.size();
    for (int y = 0; y < s; ++y)
        for (int x = 0; x < s; ++x)
            if (inHex(s, x, y) && (!inHex(s, x - 1, y) || !inHex(s, x, y - 1)) && (x + y) % 2 == 0)
                c.set(x, y, ink);
}

void stipple(Cell& c, uint8_t ink, int phase)
{
    for (int y = 0; y < c.size(); ++y)
        for (int x = 0; x < c.size(); ++x)
            if ((x + y + phase) % 2 == 0)
                c.set(x, y, ink);
}

void thickOutline(Cell& c, uint8_t ink, uint8_t edge)
{
    const int s = c.size();
    const int reach = std::max(1, s / 16);
    for (int y = 0; y < s; ++y)
        for (int x = 0; x < s; ++x) {
            if (!inHex(s, x, y) || !nearHexEdge(s, x, y, reach + 1))
                continue;
            c.set(x, y, nearHexEdge(s, x, y, reach) ? ink : edge);
        }
}

void target(Cell& c)
{
    const double s = c.size();
    const double centre = s / 2;
    const uint8_t red = c.raw({ 232, 32, 24 });
    const uint8_t dark = c.raw({ 60, 0, 0 });
    const double r = s * 0.3;
    const double w = std::max(1.0, s / 16.0);
    c.ring(centre, centre, r - w - 0.8, r + 0.8, dark);
    c.ring(centre, centre, r - w, r, red);
    // The smallest zoom keeps only the ring, which the ticks would blur into a blob.
    const double tick = s * 0.16;
    if (s >= 32)
        for (auto [dx, dy] : { std::pair { 1, 0 }, { -1, 0 }, { 0, 1 }, { 0, -1 } })
            c.stroke(centre + dx * (r - tick), centre + dy * (r - tick), centre + dx * (r + tick), centre + dy * (r + tick), w, red);
    c.disc(centre, centre, std::max(1.0, s / 20.0), red);
}

void routeStep(Cell& c)
{
    const double centre = c.size() / 2.0;
    const double r = std::max(2.0, c.size() * 0.14);
    c.disc(centre, centre, r + 1, c.raw({ 40, 30, 0 }));
    c.disc(centre, centre, r, c.raw({ 255, 214, 0 }));
    c.disc(centre - r * 0.3, centre - r * 0.3, r * 0.35, c.raw({ 255, 250, 200 }));
}

} // namespace

void drawMarks(MapSheet& sheet)
{
    auto cell = [&](int mark) { return sheet.cell(mark, map_sheet::kMarks, Light::Day, true); };
    Cell grid = cell(map_sheet::kGridOutline);
    gridOutline(grid, grid.raw({ 40, 40, 40 }));
    Cell fog = cell(map_sheet::kFog);
    stipple(fog, fog.raw({ 12, 12, 28 }), 0);
    Cell range = cell(map_sheet::kMoveRange);
    stipple(range, range.raw({ 250, 250, 220 }), 0);
    Cell second = cell(map_sheet::kSecondRange);
    stipple(second, second.raw({ 255, 150, 40 }), 0);
    Cell aim = cell(map_sheet::kTarget);
    target(aim);
    Cell route = cell(map_sheet::kRoute);
    routeStep(route);
    Cell blink = cell(map_sheet::kBlink);
    thickOutline(blink, blink.raw({ 255, 240, 0 }), blink.raw({ 120, 60, 0 }));
    Cell selected = cell(map_sheet::kSelected);
    thickOutline(selected, selected.raw({ 255, 255, 255 }), selected.raw({ 20, 20, 20 }));
}

} // namespace mkdata::sheet
