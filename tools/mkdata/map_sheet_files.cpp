// Writes "map16.bmp", "map32.bmp" and "map48.bmp": ground, buildings, lines, borders, marks and
// effects of the map view, one sheet per zoom.
#include "tools/mkdata/generator.h"
#include "tools/mkdata/map_sheet.h"
#include "state/map_sheet_layout.h"

namespace mkdata::sheet {

MapSheet::MapSheet(int zoom)
    : m_size(map_sheet::kHexSize[zoom])
    , m_canvas(map_sheet::kColumns * m_size, map_sheet::kRows * m_size, m_inks.index(kMagenta))
{
}

void MapSheet::settle()
{
    m_inks.settle();
    m_canvas = Canvas(m_canvas.width(), m_canvas.height(), m_inks.index(kMagenta));
}

namespace {

void drawSheet(MapSheet& sheet)
{
    for (int id = 0; id < map_sheet::kColumns; ++id) {
        Cell day = sheet.cell(id, map_sheet::kGroundDay, Light::Day, true);
        drawGround(day, id);
        Cell night = sheet.cell(id, map_sheet::kGroundNight, Light::Night, true);
        drawGround(night, id);
        Cell buildingDay = sheet.cell(id, map_sheet::kBuildingDay, Light::Day, true);
        drawBuilding(buildingDay, id);
        Cell buildingNight = sheet.cell(id, map_sheet::kBuildingNight, Light::Night, true);
        drawBuilding(buildingNight, id);
    }
    drawLines(sheet);
    drawBorders(sheet);
    drawMarks(sheet);
    drawEffects(sheet);
}

void writeMapSheets(const std::filesystem::path& folder)
{
    for (int zoom = 0; zoom < map_sheet::kZoomCount; ++zoom) {
        MapSheet sheet(zoom);
        drawSheet(sheet);
        sheet.settle();
        drawSheet(sheet);
        writeFile(folder / "tkbmp" / map_sheet::kMapSheetFile[zoom], encodeBmp8(sheet.canvas(), sheet.palette()));
    }
}

} // namespace

MKDATA_GENERATOR("map_sheets", writeMapSheets);

} // namespace mkdata::sheet
