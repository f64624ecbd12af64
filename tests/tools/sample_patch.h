// Composes a patch of a sample map from the generated sheets as the map view lays hexes out:
// ground, roads, borders and buildings turned to their owners' colours, and units.
#pragma once

#include "app/hex_geometry.h"
#include "lib/media/colour_filter.h"
#include "lib/media/custom_color_table.h"
#include "state/hex_geometry.h"
#include "state/map_file.h"
#include "state/map_sheet_layout.h"
#include "tests/tools/sheet_pictures.h"

#include <map>

namespace testing_sheets {

class SamplePatch {
public:
    SamplePatch(const ScenarioFile& map, int left, int top, int width, int height, int zoom)
        : m_map(map)
        , m_left(left)
        , m_top(top)
        , m_geometry(zoom, width, height)
        , m_size(map_sheet::kHexSize[zoom])
        , m_extent(m_geometry.mapPixelSize())
        , m_image(size_t(m_extent.cx) * size_t(m_extent.cy), kMagenta)
        , m_covered(m_image.size(), 0)
    {
    }

    const HexGeometry& geometry() const { return m_geometry; }
    int width() const { return m_extent.cx; }
    int height() const { return m_extent.cy; }
    const std::vector<uint32_t>& image() const { return m_image; }
    // How many ground pictures covered the pixel.
    int covered(int px, int py) const { return m_covered[size_t(py) * size_t(m_extent.cx) + size_t(px)]; }

    void ground(const Picture& sheet, bool night)
    {
        forEachHex([&](int x, int y, const FileMapCell& cell) {
            blit(sheet, cell.terrain, night ? map_sheet::kGroundNight : map_sheet::kGroundDay, x, y, -1, true);
        });
    }

    // The grid, roads from the road bits, borders where the neighbour's owner differs, then
    // buildings.
    void overlays(const Picture& sheet, bool night)
    {
        forEachHex([&](int x, int y, const FileMapCell& cell) {
            blit(sheet, map_sheet::kGridOutline, map_sheet::kMarks, x, y, -1, false);
            if (cell.terrain == kRoadTerrain) {
                for (int d = 0; d < 6; ++d)
                    if (cell.overlay & 1 << d)
                        blit(sheet, map_sheet::kRoad + d, map_sheet::kLines, x, y, -1, false);
                if ((cell.overlay & 63) == 0)
                    blit(sheet, map_sheet::kRoadCentre, map_sheet::kLines, x, y, -1, false);
            }
            if (cell.hexOwner == 0)
                return;
            for (int d = 0; d < 6; ++d) {
                const HexPos n = hexNeighbour(m_left + x, m_top + y, d, m_map.width(), m_map.height());
                if (!n.valid() || m_map.cellAt(n.x, n.y).hexOwner != cell.hexOwner)
                    blit(sheet, d, map_sheet::kBorders, x, y, cell.hexOwner - 1, false);
            }
        });
        forEachHex([&](int x, int y, const FileMapCell& cell) {
            blit(sheet, cell.terrain, night ? map_sheet::kBuildingNight : map_sheet::kBuildingDay, x, y,
                cell.buildingOwnerPlusOne - 1, false);
        });
    }

    // Units of each side at their hexes, by the imageNumber of their type.
    void units(const Picture& unitSheet, const std::map<int, int>& pictureOfType)
    {
        for (int side = 0; side < kMapSideCount; ++side)
            for (const UnitRecord& unit : m_map.units[size_t(side)]) {
                const int x = unit.x - m_left, y = unit.y - m_top;
                const auto picture = pictureOfType.find(unit.unitTypeId);
                if (x < 0 || y < 0 || x >= m_geometry.mapWidth() || y >= m_geometry.mapHeight() || picture == pictureOfType.end())
                    continue;
                blit(unitSheet, picture->second, 0, x, y, side < 8 ? side : -1, false);
            }
    }

private:
    static constexpr int kRoadTerrain = 52;

    template <class F>
    void forEachHex(F f)
    {
        for (int y = 0; y < m_geometry.mapHeight(); ++y)
            for (int x = 0; x < m_geometry.mapWidth(); ++x)
                f(x, y, m_map.cellAt(m_left + x, m_top + y));
    }

    // Copies one cell, magenta left out; `owner` >= 0 turns its hue as that country's colour.
    void blit(const Picture& sheet, int column, int row, int x, int y, int owner, bool ground)
    {
        const POINT origin = m_geometry.hexOrigin(x, y);
        const uint32_t hue = owner >= 0 ? CustomColorTable::defaultEntry(CustomColorTable::kFirstCountryEntry + owner).hue : 0;
        for (int cy = 0; cy < m_size; ++cy)
            for (int cx = 0; cx < m_size; ++cx) {
                const int px = origin.x + cx, py = origin.y + cy;
                if (sheet.clear(column * m_size + cx, row * m_size + cy) || px >= m_extent.cx || py >= m_extent.cy)
                    continue;
                uint32_t c = sheet.at(column * m_size + cx, row * m_size + cy);
                if (owner >= 0) {
                    int r = int(c >> 16), g = int(c >> 8 & 255), b = int(c & 255);
                    hueRotate(hue, r, g, b);
                    c = uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
                }
                const size_t at = size_t(py) * size_t(m_extent.cx) + size_t(px);
                m_image[at] = c;
                m_covered[at] += ground;
            }
    }

    const ScenarioFile& m_map;
    int m_left;
    int m_top;
    HexGeometry m_geometry;
    int m_size;
    SIZE m_extent;
    std::vector<uint32_t> m_image;
    std::vector<int> m_covered;
};

} // namespace testing_sheets
