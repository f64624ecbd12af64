// Roads, rivers and the owners' borders of the map sheets, one picture per hex edge.
#include "tools/mkdata/map_sheet.h"
#include "state/map_sheet_layout.h"

#include <algorithm>
#include <cmath>

namespace mkdata::sheet {
namespace {

const Rgb kRoadEdge { 96, 84, 70 };
const Rgb kRoadSurface { 204, 190, 158 };
const Rgb kRiverBank { 40, 84, 150 };
const Rgb kRiverWater { 70, 128, 204 };
const Rgb kRiverGlint { 140, 186, 236 };
const Rgb kBorderDark { 24, 44, 140 };
const Rgb kBorderLight { 90, 130, 236 };

void road(Cell& c, int direction)
{
    const double centre = c.size() / 2.0;
    const auto [ex, ey] = edgeMiddle(c.size(), direction);
    // Overshoot the edge a little so that neighbouring hexes' halves meet without a seam.
    const double tx = centre + (ex - centre) * 1.1;
    const double ty = centre + (ey - centre) * 1.1;
    const double width = std::max(2.0, 4.5 * c.unit());
    c.stroke(centre, centre, tx, ty, width + std::max(1.0, c.unit() * 1.5), c.ink(kRoadEdge));
    c.stroke(centre, centre, tx, ty, width - std::max(0.0, c.unit()), c.ink(kRoadSurface));
}

void roadCentre(Cell& c)
{
    const double centre = c.size() / 2.0;
    const double r = std::max(1.5, 3.2 * c.unit());
    c.disc(centre, centre, r + std::max(1.0, c.unit() * 1.2), c.ink(kRoadEdge));
    c.disc(centre, centre, r, c.ink(kRoadSurface));
}

// A band along one edge, widest at the edge itself; the neighbour draws the other half.
void edgeBand(Cell& c, int direction, double inner, double outer, Rgb innerColour, Rgb outerColour)
{
    const auto [a, b] = edgeEnds(c.size(), direction);
    c.stroke(a.first, a.second, b.first, b.second, 2 * inner, c.ink(innerColour));
    c.stroke(a.first, a.second, b.first, b.second, 2 * outer, c.ink(outerColour));
}

void river(Cell& c, int direction)
{
    const double u = c.unit();
    edgeBand(c, direction, std::max(2.0, 4 * u), std::max(1.5, 3 * u), kRiverBank, kRiverWater);
    if (c.size() >= 32) {
        const auto [a, b] = edgeEnds(c.size(), direction);
        const auto [mx, my] = edgeMiddle(c.size(), direction);
        const double cx = c.size() / 2.0 - mx;
        const double cy = c.size() / 2.0 - my;
        const double inward = 1.5 / std::max(1.0, std::hypot(cx, cy)) * u;
        c.stroke(a.first * 0.7 + b.first * 0.3 + cx * inward, a.second * 0.7 + b.second * 0.3 + cy * inward,
            a.first * 0.45 + b.first * 0.55 + cx * inward, a.second * 0.45 + b.second * 0.55 + cy * inward, 1, c.ink(kRiverGlint));
    }
}

} // namespace

void drawLines(MapSheet& sheet)
{
    for (const Light light : { Light::Day, Light::Night }) {
        const int offset = light == Light::Night ? map_sheet::kLinesNight : 0;
        for (int d = 0; d < 6; ++d) {
            Cell roadCell = sheet.cell(offset + map_sheet::kRoad + d, map_sheet::kLines, light, true);
            road(roadCell, d);
            Cell riverCell = sheet.cell(offset + map_sheet::kRiver + d, map_sheet::kLines, light, true);
            river(riverCell, d);
        }
        Cell centre = sheet.cell(offset + map_sheet::kRoadCentre, map_sheet::kLines, light, true);
        roadCentre(centre);
    }
}

void drawBorders(MapSheet& sheet)
{
    for (int d = 0; d < 6; ++d) {
        Cell c = sheet.cell(d, map_sheet::kBorders, Light::Day, true);
        const double u = c.unit();
        edgeBand(c, d, std::max(2.0, 3 * u), std::max(1.0, 1.5 * u), kBorderLight, kBorderDark);
    }
}

} // namespace mkdata::sheet
