// The saved-game reader: every block in its order, each stored size and count checked before use.
#include "state/saved_game.h"

#include "state/saved_game_stream.h"

#include <cstring>
#include <numeric>

namespace {

// Limits of the format beyond the record sizes: one building or listed hex per hex at most, and one
// statistics record per turn.
constexpr uint32_t kMaxHexes = 65536;
constexpr uint32_t kMaxStatsRecords = 65536;
// The sibling record without and with the generation.
constexpr uint32_t kSiblingRecordLength = 9;
constexpr uint32_t kPairedSiblingRecordLength = 17;
constexpr char kSiblingTag[4] = { 'H', 'I', 'S', 'T' };

class ImageReader {
public:
    ImageReader(swCFile& stream, SavedGameImage& out) : m_in(stream), m_out(out) { }

    SavedGameError run();

private:
    bool fail(const std::string& what, FileFault fault = FileFault::Damaged)
    {
        if (!m_error)
            m_error = { what, m_in.offset(), fault };
        return false;
    }
    bool u32(uint32_t& value, const char* what)
    {
        return m_in.readU32(value) || fail(std::string("file ends in ") + what, FileFault::Truncated);
    }

    // len + bytes into a zeroed record; a stored length above the record is refused.
    template <typename R>
    bool lengthBlock(R& record, const char* what)
    {
        uint32_t length = 0;
        if (!u32(length, what))
            return false;
        if (length > sizeof(R))
            return fail(std::string(what) + ": stored length " + std::to_string(length) + " exceeds " + std::to_string(sizeof(R)));
        std::memset(static_cast<void*>(&record), 0, sizeof(R));
        return m_in.readExact(&record, length) || fail(std::string("file ends in ") + what, FileFault::Truncated);
    }

    // A stored record size: 0 only where no record follows, never above the record.
    template <typename R>
    bool recordSize(uint32_t& size, const char* what)
    {
        if (!u32(size, what))
            return false;
        if (size > sizeof(R))
            return fail(std::string(what) + ": record size " + std::to_string(size) + " exceeds " + std::to_string(sizeof(R)));
        return true;
    }

    template <typename R>
    bool records(std::vector<R>& list, uint32_t size, uint32_t count, const char* what)
    {
        if (count > 0 && size == 0)
            return fail(std::string(what).append(": record size 0"));
        // Grown record by record: a count the file cannot hold ends at the file's end, not in memory.
        list.clear();
        for (uint32_t i = 0; i < count; ++i) {
            R record {};
            std::memset(static_cast<void*>(&record), 0, sizeof(R));
            if (!m_in.readExact(&record, size))
                return fail(std::string("file ends in ") + what, FileFault::Truncated);
            list.push_back(record);
        }
        return true;
    }

    template <typename R>
    bool countedTable(std::vector<R>& list, uint32_t limit, const char* what)
    {
        uint32_t size = 0;
        uint32_t count = 0;
        if (!recordSize<R>(size, what) || !u32(count, what))
            return false;
        if (count > limit)
            return fail(std::string(what) + ": count " + std::to_string(count) + " exceeds " + std::to_string(limit));
        return records(list, size, count, what);
    }

    bool header();
    bool mapCells();
    bool sideTables();
    bool sight();
    bool tail();

    SavedGameInput m_in;
    SavedGameImage& m_out;
    SavedGameError m_error;
};

bool ImageReader::header()
{
    char magic[kSavedGameMagicSize];
    if (!m_in.readExact(magic, sizeof magic))
        return fail("file ends in the magic", FileFault::Truncated);
    m_out.version = savedGameVersion(magic);
    if (m_out.version < 0)
        return fail("unknown magic", FileFault::Format);
    if (!lengthBlock(m_out.campaign, "campaign block") || !lengthBlock(m_out.scenario, "scenario block")
        || !lengthBlock(m_out.header, "map header") || !lengthBlock(m_out.turn, "turn block"))
        return false;
    if (m_out.version == 1)
        std::iota(std::begin(m_out.turn.nextOrder), std::end(m_out.turn.nextOrder), uint8_t(0));
    // The game thread has no step for a phase or a side it does not know.
    if (std::string fault = turnBlockFault(m_out.turn); !fault.empty())
        return fail(fault);

    uint32_t size = 0;
    if (!recordSize<CountryRecord>(size, "country records"))
        return false;
    if (size == 0)
        return fail("country records: record size 0");
    for (CountryRecord& country : m_out.countries) {
        country = CountryRecord {};
        if (!m_in.readExact(&country, size))
            return fail("file ends in country records", FileFault::Truncated);
    }
    return lengthBlock(m_out.neutral, "neutral block") && lengthBlock(m_out.rules, "rule block");
}

bool ImageReader::mapCells()
{
    uint32_t width = m_out.header.width;
    uint32_t height = m_out.header.height;
    if (width == 0 || height == 0 || width * height > kMaxHexes)
        return fail("map size " + std::to_string(width) + " x " + std::to_string(height) + " out of range");
    uint32_t size = 0;
    if (!recordSize<TerrainCell>(size, "terrain cells"))
        return false;
    if (!records(m_out.cells, size, width * height, "terrain cells"))
        return false;
    if (!m_out.pool.load(m_in))
        return fail("random pool damaged or cut short");

    if (!countedTable(m_out.buildings, width * height, "buildings"))
        return false;
    for (const BuildingRecord& b : m_out.buildings)
        if (b.x >= width || b.y >= height)
            return fail("building off the map");
    if (!countedTable(m_out.places, kPlaceRecordCount, "places") || !countedTable(m_out.pillboxHexes, kMaxHexes, "listed hexes"))
        return false;
    if (m_out.version >= 2 && !countedTable(m_out.temporaryBridgeHexes, kMaxHexes, "construction hexes"))
        return false;
    return countedTable(m_out.turnStats, kMaxStatsRecords, "turn statistics");
}

bool ImageReader::sideTables()
{
    uint32_t size = 0;
    auto table = [&](std::vector<UnitRecord>& list, const char* what) {
        uint32_t count = 0;
        if (!u32(count, what))
            return false;
        if (count > uint32_t(kUnitTableSize))
            return fail(std::string(what) + ": count " + std::to_string(count) + " exceeds 1000");
        return records(list, size, count, what);
    };
    if (!recordSize<UnitRecord>(size, "unit tables"))
        return false;
    for (auto& list : m_out.units)
        if (!table(list, "unit tables"))
            return false;
    if (!recordSize<UnitRecord>(size, "missile tables"))
        return false;
    for (auto& list : m_out.missiles)
        if (!table(list, "missile tables"))
            return false;

    if (!recordSize<DestroyedUnitRecord>(size, "destroyed-unit tables"))
        return false;
    for (auto& list : m_out.destroyed) {
        uint32_t count = 0;
        if (!u32(count, "destroyed-unit tables"))
            return false;
        if (count > uint32_t(kDestroyedUnitsPerCountry))
            return fail("destroyed-unit tables: count " + std::to_string(count) + " exceeds 100");
        if (!records(list, size, count, "destroyed-unit tables"))
            return false;
    }
    return true;
}

bool ImageReader::sight()
{
    size_t bytes = size_t(m_out.sightLayers()) * m_out.header.height * m_out.rowBytes();
    for (size_t c = 0; c < m_out.sight.size(); ++c) {
        auto& bitmap = m_out.sight[c];
        bitmap.clear();
        if (bytes == 0 || m_out.countries[c].controller == 0)
            continue;
        bitmap.resize(bytes);
        if (!m_in.readExact(bitmap.data(), bytes))
            return fail("file ends in sight bitmaps", FileFault::Truncated);
    }
    return true;
}

bool ImageReader::tail()
{
    if (!lengthBlock(m_out.view, "view position"))
        return false;
    uint32_t size = 0;
    if (!recordSize<ProductionTypeRecord>(size, "production types"))
        return false;
    if (size == 0)
        return fail("production types: record size 0");
    for (ProductionTypeRecord& type : m_out.productionTypes) {
        std::memset(static_cast<void*>(&type), 0, sizeof type);
        if (!m_in.readExact(&type, size))
            return fail("file ends in production types", FileFault::Truncated);
    }
    m_out.carryOver.clear();
    if (m_out.campaign.campaignFlag == 1 && !countedTable(m_out.carryOver, kUnitTableSize, "carry-over list"))
        return false;

    m_out.sibling = {};
    uint8_t first[4];
    DWORD got = m_in.Read(first, sizeof first);
    if (got == 0)
        return true;
    uint32_t length = 0;
    std::memcpy(&length, first, sizeof length);
    char tag[4];
    uint8_t letter = 0;
    uint32_t count = 0;
    uint64_t generation = 0;
    bool paired = length == kPairedSiblingRecordLength;
    if (got != sizeof first || (length != kSiblingRecordLength && !paired) || !m_in.readExact(tag, 4)
        || std::memcmp(tag, kSiblingTag, 4) != 0 || !m_in.readExact(&letter, 1) || !m_in.readU32(count)
        || (letter != 0 && letter != 'h' && letter != 'i') || (paired && !m_in.readExact(&generation, sizeof generation)))
        return fail("unknown data after the last block");
    uint8_t extra;
    if (m_in.Read(&extra, 1) != 0)
        return fail("unknown data after the last block");
    m_out.sibling = { true, char(letter), count, generation };
    return true;
}

SavedGameError ImageReader::run()
{
    if (header() && mapCells() && sideTables() && sight())
        tail();
    return m_error;
}

} // namespace

int savedGameVersion(const char* magic)
{
    if (std::memcmp(magic, kSavedGameMagic2, kSavedGameMagicSize) == 0)
        return 2;
    if (std::memcmp(magic, kSavedGameMagic1, kSavedGameMagicSize) == 0)
        return 1;
    return -1;
}

SavedGameError readSavedGameImage(swCFile& stream, SavedGameImage& out)
{
    return ImageReader(stream, out).run();
}
