// A small scenario file built in memory for the map reader, writer and loader tests.
#pragma once

#include "state/map_file.h"

#include <cstring>

inline ScenarioFile smallScenarioFile(int width = 6, int height = 5)
{
    ScenarioFile f;
    f.header.width = uint16_t(width);
    f.header.height = uint16_t(height);
    std::strcpy(reinterpret_cast<char*>(f.scenario.bytes), "test");
    f.scenario.bytes[16062] = 7;
    for (int c = 0; c < 2; ++c) {
        FileCountryRecord& r = f.countries[size_t(c)];
        std::strcpy(r.name, c ? "B" : "A");
        r.controller = uint8_t(c + 1);
        r.allianceMask = uint8_t(1 << c);
        r.funds = 1000u * uint32_t(c + 1);
        r.fundsLimit = 5000;
        r.unitSlots = 20;
    }
    f.rules.lead = 2;
    f.rules.switches[kRuleStacking] = 1;
    f.cells.assign(size_t(width) * size_t(height), FileMapCell {});
    for (size_t i = 0; i < f.cells.size(); ++i)
        f.cells[i].terrain = 1;
    f.places.assign(3, PlaceRecord {});
    f.places[0].used = 1;
    f.places[0].x = 2;
    f.places[0].y = 3;
    for (int side = 0; side < 2; ++side) {
        f.units[size_t(side)].assign(3, UnitRecord {});
        UnitRecord& u = f.units[size_t(side)][1];
        u.stateLow = 1;
        u.unitTypeId = 1;
        u.x = uint8_t(side * 3);
        u.y = 1;
    }
    f.productionTypes.assign(2, ProductionTypeRecord {});
    f.productionTypes[1].name[0] = 'P';
    f.neutral[0] = 0x80;
    f.images[0] = {1, 2, 3, 4, 5};
    return f;
}

// The directory entry of a section in a written file, for damaging it in place.
inline MapDirectoryEntry* directoryEntry(std::vector<uint8_t>& bytes, int section)
{
    return reinterpret_cast<MapDirectoryEntry*>(bytes.data() + sizeof(MapFileHeader) + size_t(section) * sizeof(MapDirectoryEntry));
}
