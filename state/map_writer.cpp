// Writes map and scenario files in the layout the reader checks; used by tools and tests.
#include "state/map_file.h"

#include <cstring>

namespace {

class Writer {
public:
    explicit Writer(int version)
    {
        m_out.resize(kMapHeaderCapacity);
        std::memcpy(m_out.data(), scenarioMagic(version), kScenarioMagicSize);
        uint32_t length = kMapHeaderCapacity;
        std::memcpy(m_out.data() + 16, &length, 4);
    }

    void section(int index, const void* data, uint32_t size, uint32_t count)
    {
        MapDirectoryEntry e {uint32_t(m_out.size()), size, count};
        std::memcpy(m_out.data() + sizeof(MapFileHeader) + size_t(index) * sizeof e, &e, sizeof e);
        const uint8_t* p = static_cast<const uint8_t*>(data);
        m_out.insert(m_out.end(), p, p + size_t(size) * count);
    }

    // The trailer is empty: its offset is the position of the offset itself.
    void trailer()
    {
        uint32_t at = uint32_t(m_out.size());
        const uint8_t* p = reinterpret_cast<const uint8_t*>(&at);
        m_out.insert(m_out.end(), p, p + 4);
    }

    std::vector<uint8_t> take() { return std::move(m_out); }

private:
    std::vector<uint8_t> m_out;
};

}

std::vector<uint8_t> writeScenarioBytes(const ScenarioFile& f)
{
    int version = f.version >= 1 && f.version <= 4 ? f.version : 4;
    Writer w(version);
    if (version < 4) {
        uint8_t old[kOldScenarioBlockSize] = {};
        for (const OldScenarioPiece& p : kOldScenarioPieces)
            std::memcpy(old + p.oldOffset, f.scenario.bytes + p.newOffset, p.length);
        w.section(kSectionScenario, old, sizeof old, 1);
    } else {
        w.section(kSectionScenario, &f.scenario, sizeof f.scenario, 1);
    }
    w.section(kSectionMapHeader, &f.header, sizeof f.header, 1);
    w.section(kSectionCountries, f.countries.data(), sizeof(FileCountryRecord), kMaxCountryRecords);
    w.section(kSectionRules, &f.rules, sizeof f.rules, 1);
    w.section(kSectionCells, f.cells.data(), sizeof(FileMapCell), uint32_t(f.cells.size()));
    if (!f.places.empty())
        w.section(kSectionPlaces, f.places.data(), sizeof(PlaceRecord), uint32_t(f.places.size()));
    for (int side = 0; side < kMapSideCount; ++side) {
        const std::vector<UnitRecord>& units = f.units[size_t(side)];
        if (!units.empty())
            w.section(kSectionUnits + side, units.data(), sizeof(UnitRecord), uint32_t(units.size()));
    }
    if (!f.productionTypes.empty())
        w.section(kSectionProductionTypes, f.productionTypes.data(), sizeof(ProductionTypeRecord), uint32_t(f.productionTypes.size()));
    w.section(kSectionNeutral, f.neutral.data(), kNeutralBlockSize, 1);
    for (int i = 0; i < 2; ++i)
        if (!f.images[size_t(i)].empty())
            w.section(kSectionFirstImage + i, f.images[size_t(i)].data(), uint32_t(f.images[size_t(i)].size()), 1);
    if (version >= 3)
        w.trailer();
    return w.take();
}
