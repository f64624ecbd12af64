// Plain map and unit sheets of the shared layout, one flat colour per kind of picture, written into
// a test's program folder so the renderer's output can be told apart by colour.
#pragma once

#include "state/map_sheet_layout.h"
#include "tests/lib/temp_program_folder.h"

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

namespace testing_app {

// Palette indices of the placeholder sheets, with their colours (0x00RRGGBB) below.
enum Placeholder : uint8_t {
    kKey, kGroundDay, kGroundNight, kBuilding, kRoad, kRiver, kBorder, kFog, kRange, kSecond,
    kTargetMark, kRouteMark, kBlinkMark, kSelectedMark, kEffect, kUnit, kRoadNight, kRiverNight, kPlaceholderCount
};
constexpr uint32_t kPlaceholderColours[kPlaceholderCount] = {
    0xFF00FF, 0x00A000, 0x003C00, 0x0000C8, 0x808080, 0x0080FF, 0x0000A0, 0x141414, 0xFFFFFF, 0xFFC896,
    0xFF0000, 0xC8C800, 0xFFFF00, 0xFAFAFA, 0xFF8000, 0x0000FF, 0x404040, 0x004080,
};

inline bool insideHex(int px, int py, int size)
{
    const double cx = px + 0.5 - size / 2.0, cy = py + 0.5 - size / 2.0;
    return std::fabs(cy) <= size / 2.0 - std::fabs(cx) / 2.0;
}

// An 8-bit BMP file, rows given top-down.
inline std::vector<uint8_t> encodeBmp8(int width, int height, const std::vector<uint8_t>& pixels)
{
    const uint32_t stride = uint32_t(width + 3) & ~3u;
    const uint32_t offset = 14 + 40 + 256 * 4;
    std::vector<uint8_t> out;
    auto put16 = [&](uint32_t v) { out.push_back(uint8_t(v)), out.push_back(uint8_t(v >> 8)); };
    auto put32 = [&](uint32_t v) { put16(v & 0xFFFF), put16(v >> 16); };
    out.push_back('B'), out.push_back('M');
    put32(offset + stride * uint32_t(height)), put32(0), put32(offset);
    put32(40), put32(uint32_t(width)), put32(uint32_t(height)), put16(1), put16(8);
    put32(0), put32(stride * uint32_t(height)), put32(2835), put32(2835), put32(256), put32(0);
    for (int i = 0; i < 256; ++i) {
        const uint32_t c = i < kPlaceholderCount ? kPlaceholderColours[i] : 0;
        out.push_back(uint8_t(c)), out.push_back(uint8_t(c >> 8)), out.push_back(uint8_t(c >> 16)), out.push_back(0);
    }
    for (int y = height - 1; y >= 0; --y) {
        out.insert(out.end(), pixels.begin() + ptrdiff_t(y) * width, pixels.begin() + ptrdiff_t(y + 1) * width);
        out.resize(out.size() + (stride - uint32_t(width)), 0);
    }
    return out;
}

class PlaceholderSheet {
public:
    PlaceholderSheet(int columns, int rows, int size)
        : m_size(size), m_width(columns * size), m_height(rows * size), m_pixels(size_t(m_width) * size_t(m_height), kKey)
    {
    }
    // The whole hex of a cell, or the square from `from` to `to` (in cell pixels).
    void hex(int column, int row, uint8_t index)
    {
        for (int y = 0; y < m_size; ++y)
            for (int x = 0; x < m_size; ++x)
                if (insideHex(x, y, m_size))
                    at(column, row, x, y) = index;
    }
    // Every other pixel of the hex, so what lies under it still shows.
    void stipple(int column, int row, uint8_t index)
    {
        for (int y = 0; y < m_size; ++y)
            for (int x = 0; x < m_size; ++x)
                if (insideHex(x, y, m_size) && (x + y) % 2 == 0)
                    at(column, row, x, y) = index;
    }
    void square(int column, int row, int from, int to, uint8_t index) { square(column, row, from, from, to - from, index); }
    void square(int column, int row, int left, int top, int side, uint8_t index)
    {
        for (int y = top; y < top + side; ++y)
            for (int x = left; x < left + side; ++x)
                at(column, row, x, y) = index;
    }
    void write(const std::string& hostPath) const
    {
        const std::vector<uint8_t> bytes = encodeBmp8(m_width, m_height, m_pixels);
        std::filesystem::create_directories(std::filesystem::path(hostPath).parent_path());
        std::ofstream(hostPath, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

private:
    uint8_t& at(int column, int row, int x, int y)
    {
        return m_pixels[size_t(row * m_size + y) * size_t(m_width) + size_t(column * m_size + x)];
    }
    int m_size;
    int m_width;
    int m_height;
    std::vector<uint8_t> m_pixels;
};

// The top-left corner of a square of an eighth of the cell inside the hex at the middle of edge d
// (0 west, then counter-clockwise by the map's directions).
inline std::pair<int, int> edgeSquare(int s, int d)
{
    static constexpr double kMiddles[6][2] = { { 0, 0.5 }, { 0.25, 0.875 }, { 0.75, 0.875 }, { 1, 0.5 }, { 0.75, 0.125 }, { 0.25, 0.125 } };
    const double x = kMiddles[d][0] + (0.5 - kMiddles[d][0]) * 0.15, y = kMiddles[d][1] + (0.5 - kMiddles[d][1]) * 0.15;
    return { int(x * s) - s / 16, int(y * s) - s / 16 };
}

// Ground as whole hexes, everything else as squares around the centre of the cell; the lines and
// borders as small squares set off toward their edge.
inline void writePlaceholderSheets(const testing_lib::TempProgramFolder& folder)
{
    namespace m = map_sheet;
    for (int z = 0; z < m::kZoomCount; ++z) {
        const int s = m::kHexSize[z];
        PlaceholderSheet map(m::kColumns, m::kRows, s);
        for (int c = 0; c < m::kColumns; ++c) {
            map.hex(c, m::kGroundDay, kGroundDay);
            map.hex(c, m::kGroundNight, kGroundNight);
            map.square(c, m::kBuildingDay, s / 4, s * 3 / 4, kBuilding);
            map.square(c, m::kBuildingNight, s / 4, s * 3 / 4, kBuilding);
        }
        for (int d = 0; d < 6; ++d) {
            map.square(m::kRoad + d, m::kLines, s / 8, s / 4, kRoad);
            map.square(m::kRiver + d, m::kLines, s / 8, s / 4, kRiver);
            map.square(m::kLinesNight + m::kRoad + d, m::kLines, s / 8, s / 4, kRoadNight);
            map.square(m::kLinesNight + m::kRiver + d, m::kLines, s / 8, s / 4, kRiverNight);
            const auto [bx, by] = edgeSquare(s, d);
            map.square(d, m::kBorders, bx, by, s / 8, kBorder);
        }
        map.square(m::kRoadCentre, m::kLines, s / 8, s / 4, kRoad);
        map.square(m::kLinesNight + m::kRoadCentre, m::kLines, s / 8, s / 4, kRoadNight);
        map.stipple(m::kFog, m::kMarks, kFog);
        const int markFrom = s * 3 / 8, markTo = s * 5 / 8;
        map.square(m::kMoveRange, m::kMarks, markFrom, markTo, kRange);
        map.square(m::kSecondRange, m::kMarks, markFrom, markTo, kSecond);
        map.square(m::kTarget, m::kMarks, markFrom, markTo, kTargetMark);
        map.square(m::kRoute, m::kMarks, markFrom, markTo, kRouteMark);
        map.square(m::kBlink, m::kMarks, markFrom, markTo, kBlinkMark);
        map.square(m::kSelected, m::kMarks, markFrom, markTo, kSelectedMark);
        for (int c = 0; c < m::kColumns; ++c)
            map.hex(c, m::kEffects, kEffect);
        map.write(folder.host(std::string("tkbmp/") + m::kMapSheetFile[z]));

        PlaceholderSheet units(m::kUnitCells, 1, s);
        for (int c = 0; c < m::kUnitCells; ++c)
            units.square(c, 0, s / 4, s * 3 / 4, kUnit);
        units.write(folder.host(std::string("tkbmp/") + m::kUnitSheetFile[z]));
    }
}

} // namespace testing_app
