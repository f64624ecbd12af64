// Reads map and scenario files: the header, the directory and each section, checked against the file.
#include "state/map_file.h"
#include "state/map_file_checks.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

const char* const kSectionNames[kMapSectionCount] = {
    "scenario block", "map header", "countries", "rule block", "map cells", "place table",
    "units of side 0", "units of side 1", "units of side 2", "units of side 3", "units of side 4",
    "units of side 5", "units of side 6", "units of side 7", "units of side 8",
    "production types", "neutral block", "first image", "second image",
};

// One directory entry, checked to lie inside the file; whole bytes = size x count.
struct Section {
    uint32_t offset = 0;
    uint32_t size = 0;
    uint32_t count = 0;
    bool present = false;
};

class Reader {
public:
    explicit Reader(std::span<const uint8_t> bytes) : m_bytes(bytes) {}

    MapFileError run(ScenarioFile& out);

private:
    MapFileError fail(int section, int64_t offset, std::string what, FileFault fault = FileFault::Damaged) const
    {
        return mapFileFault(section, offset, std::move(what), fault);
    }
    void entry(int index, Section& section) const;
    // Checks size x count records of at most slot bytes, at most limit records.
    MapFileError records(int index, const Section& s, uint32_t slot, uint32_t limit) const;
    MapFileError block(int index, const Section& s, uint32_t limit) const;
    const uint8_t* at(uint32_t offset) const { return m_bytes.data() + offset; }

    std::span<const uint8_t> m_bytes;
    ScenarioHead m_head;
    std::unique_ptr<ScenarioFile> m_file;
};

void Reader::entry(int index, Section& section) const
{
    const MapDirectoryEntry e = scenarioDirectoryEntry(m_bytes, m_head, index);
    section.offset = e.offset;
    section.size = e.size;
    section.count = e.count;
    section.present = e.size != 0;
}

MapFileError Reader::records(int index, const Section& s, uint32_t slot, uint32_t limit) const
{
    if (s.size > slot)
        return fail(index, s.offset, "record size " + std::to_string(s.size) + " exceeds " + std::to_string(slot));
    if (s.count > limit)
        return fail(index, s.offset, "record count " + std::to_string(s.count) + " exceeds " + std::to_string(limit));
    uint64_t end = uint64_t(s.offset) + uint64_t(s.size) * s.count;
    if (end > m_bytes.size())
        return fail(index, s.offset, "section ends at " + std::to_string(end) + " past the file's " + std::to_string(m_bytes.size()) + " bytes",
            FileFault::Truncated);
    return {};
}

MapFileError Reader::block(int index, const Section& s, uint32_t limit) const
{
    return checkScenarioBlock(index, MapDirectoryEntry { s.offset, s.size, s.count }, limit, m_bytes.size());
}

MapFileError Reader::run(ScenarioFile& out)
{
    if (auto e = checkScenarioHead(m_bytes, m_bytes.size(), m_head))
        return e;
    const int version = m_head.version;

    m_file = std::make_unique<ScenarioFile>();
    ScenarioFile& f = *m_file;
    f.version = version;
    Section s;

    entry(kSectionScenario, s);
    if (s.present) {
        if (version < 4) {
            if (auto e = block(kSectionScenario, s, kOldScenarioBlockSize))
                return e;
            uint8_t old[kOldScenarioBlockSize] = {};
            std::memcpy(old, at(s.offset), s.size);
            for (const OldScenarioPiece& p : kOldScenarioPieces)
                std::memcpy(f.scenario.bytes + p.newOffset, old + p.oldOffset, p.length);
        } else {
            if (auto e = block(kSectionScenario, s, sizeof(ScenarioBlock)))
                return e;
            std::memcpy(f.scenario.bytes, at(s.offset), s.size);
        }
    }

    entry(kSectionMapHeader, s);
    if (s.present) {
        if (auto e = block(kSectionMapHeader, s, sizeof(MapHeader)))
            return e;
        std::memcpy(&f.header, at(s.offset), s.size);
    }
    if (version == 1)
        f.header.buildingIncome = 1;
    if (auto e = checkMapSize(f.header, s.offset))
        return e;

    entry(kSectionCountries, s);
    if (s.present) {
        if (auto e = records(kSectionCountries, s, sizeof(FileCountryRecord), kMaxCountryRecords))
            return e;
        for (uint32_t i = 0; i < s.count; ++i) {
            FileCountryRecord& c = f.countries[i];
            std::memcpy(&c, at(s.offset + i * s.size), s.size);
            if (version == 1 && c.controller != 0)
                c.fundsLimit = 99999999;
        }
    }

    entry(kSectionRules, s);
    if (s.present) {
        // A longer rule section is cut: nothing past the switches has a meaning.
        uint32_t size = std::min(s.size, kRuleSectionSize);
        if (uint64_t(s.offset) + size > m_bytes.size())
            return fail(kSectionRules, s.offset, "rule block runs past the end of the file", FileFault::Truncated);
        std::memcpy(&f.rules, at(s.offset), size);
        if (version <= 2 && f.rules.lead > 2)
            ++f.rules.lead;
    }

    uint32_t hexes = uint32_t(f.header.width) * f.header.height;
    entry(kSectionCells, s);
    f.cells.assign(hexes, FileMapCell {});
    if (s.present) {
        if (auto e = records(kSectionCells, s, sizeof(FileMapCell), kMaxMapCells))
            return e;
        if (s.count > hexes)
            return fail(kSectionCells, s.offset, std::to_string(s.count) + " cells for a map of " + std::to_string(hexes) + " hexes");
        for (uint32_t i = 0; i < s.count; ++i)
            std::memcpy(&f.cells[i], at(s.offset + i * s.size), s.size);
    }

    entry(kSectionPlaces, s);
    if (s.present) {
        uint64_t total = uint64_t(s.size) * s.count;
        if (total > kMaxPlaceBytes)
            return fail(kSectionPlaces, s.offset, "place table of " + std::to_string(total) + " bytes exceeds " + std::to_string(kMaxPlaceBytes));
        if (auto e = block(kSectionPlaces, Section {s.offset, uint32_t(total), 1, true}, kMaxPlaceBytes))
            return e;
        f.places.assign((total + sizeof(PlaceRecord) - 1) / sizeof(PlaceRecord), PlaceRecord {});
        // An empty table has no storage to copy into.
        if (total > 0)
            std::memcpy(f.places.data(), at(s.offset), total);
    }

    for (int side = 0; side < kMapSideCount; ++side) {
        int index = kSectionUnits + side;
        entry(index, s);
        if (!s.present)
            continue;
        if (auto e = records(index, s, sizeof(UnitRecord), kMaxSideUnits))
            return e;
        std::vector<UnitRecord>& units = f.units[size_t(side)];
        units.assign(s.count, UnitRecord {});
        for (uint32_t i = 0; i < s.count; ++i) {
            std::memcpy(&units[i], at(s.offset + i * s.size), s.size);
            units[i].troopNumber = uint16_t(i + 1);
        }
    }

    entry(kSectionProductionTypes, s);
    if (s.present) {
        if (auto e = records(kSectionProductionTypes, s, sizeof(ProductionTypeRecord), kMaxProductionTypes))
            return e;
        f.productionTypes.assign(s.count, ProductionTypeRecord {});
        for (uint32_t i = 0; i < s.count; ++i)
            std::memcpy(&f.productionTypes[i], at(s.offset + i * s.size), s.size);
    }

    entry(kSectionNeutral, s);
    if (s.present) {
        uint64_t total = uint64_t(s.size) * s.count;
        if (total > kNeutralBlockSize)
            return fail(kSectionNeutral, s.offset, "neutral block of " + std::to_string(total) + " bytes exceeds 10");
        if (auto e = block(kSectionNeutral, Section {s.offset, uint32_t(total), 1, true}, kNeutralBlockSize))
            return e;
        if (total > 0)
            std::memcpy(f.neutral.data(), at(s.offset), total);
    }

    for (int i = 0; i < 2; ++i) {
        int index = kSectionFirstImage + i;
        entry(index, s);
        if (!s.present)
            continue;
        if (auto e = block(index, s, kMaxEmbeddedImage))
            return e;
        f.images[size_t(i)].assign(at(s.offset), at(s.offset) + s.size);
    }

    uint32_t trailer = 0;
    if (m_bytes.size() >= 4)
        std::memcpy(&trailer, m_bytes.data() + m_bytes.size() - 4, 4);
    if (auto e = checkTrailerOffset(m_head, m_bytes.size(), trailer))
        return e;

    out = std::move(f);
    return {};
}

}

std::string MapFileError::describe() const
{
    std::string text;
    if (section >= 0 && section < kMapSectionCount)
        text = std::string(kSectionNames[section]) + ": ";
    text += what;
    if (offset >= 0)
        text += " (at byte " + std::to_string(offset) + ")";
    return text;
}

int scenarioBytesVersion(std::span<const uint8_t> bytes)
{
    if (bytes.size() < kScenarioMagicSize)
        return -1;
    return scenarioFileVersion(reinterpret_cast<const char*>(bytes.data()));
}

MapFileError readScenarioBytes(std::span<const uint8_t> bytes, ScenarioFile& out)
{
    Reader reader(bytes);
    return reader.run(out);
}
