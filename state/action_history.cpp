// ActionHistoryLog storage: growth, party filling and the stream block.
#include "state/action_history.h"

#include "lib/file.h"
#include "state/unit_record.h"

#include <algorithm>
#include <cstring>

void ActionHistoryLog::clear()
{
    m_records.reset();
    m_count = 0;
    m_capacity = 0;
}

const HistoryRecord& ActionHistoryLog::record(uint32_t i) const
{
    static const HistoryRecord kNone {};
    return i < m_count ? m_records[i] : kNone;
}

uint32_t ActionHistoryLog::append(const HistoryRecord& record)
{
    if (m_count == m_capacity) {
        std::unique_ptr<HistoryRecord[]> grown(new HistoryRecord[m_capacity + kGrowth]());
        if (m_count > 0)
            std::memcpy(grown.get(), m_records.get(), sizeof(HistoryRecord) * m_count);
        m_records = std::move(grown);
        m_capacity += kGrowth;
    }
    m_records[m_count] = record;
    return ++m_count;
}

bool ActionHistoryLog::fillParty(HistoryRecord& record, int slot, int country, int index, int x, int y) const
{
    record.turn = uint16_t(m_world->currentTurn());
    int side = country >= 100 ? country - 100 : country;
    if (side >= 0 && side < 8)
        record.sideMask |= uint8_t(1u << side);
    (slot == 0 ? record.side0 : record.side1) = uint8_t(side);

    const UnitRecord* unit = m_world->unit(country, index);
    if (!unit)
        return false;
    record.x = unit->x;
    record.y = unit->y;
    std::memcpy(slot == 0 ? record.unit0 : record.unit1, unit->name, sizeof(record.unit0));
    uint8_t seen = 0;
    for (int c = 0; c < 8; ++c) {
        if (!m_world->isCountryPlaying(c))
            continue;
        bool visible = x >= 0 && y >= 0 ? m_world->isHexVisibleTo(c, country, index, x, y)
                                        : m_world->isUnitVisibleTo(c, country, index);
        if (visible)
            seen |= uint8_t(1u << c);
    }
    (slot == 0 ? record.seen0 : record.seen1) |= seen;
    (slot == 0 ? record.type0 : record.type1) = unit->unitTypeId;
    return true;
}

void ActionHistoryLog::write(swCFile& stream) const
{
    uint32_t header[2] = { sizeof(HistoryRecord), m_count };
    stream.Write(header, sizeof(header));
    if (m_count > 0)
        stream.Write(m_records.get(), DWORD(sizeof(HistoryRecord) * m_count));
}

namespace {

// Reads exactly count bytes; a stored size larger than ours is consumed through a bounded buffer.
bool readWhole(swCFile& stream, void* buffer, size_t count)
{
    return count == 0 || stream.Read(buffer, DWORD(count)) == count;
}

bool skipBytes(swCFile& stream, size_t count)
{
    uint8_t scratch[4096];
    while (count > 0) {
        size_t step = std::min(count, sizeof(scratch));
        if (!readWhole(stream, scratch, step))
            return false;
        count -= step;
    }
    return true;
}

} // namespace

// The stored count and size are not trusted: no more records are taken than the bytes after the
// header can hold, so a count past the data only yields the records that are there, and a file
// that would hold more than the program keeps is refused before anything is allocated.
HistoryReadResult ActionHistoryLog::read(swCFile& stream, uint64_t available)
{
    clear();
    uint32_t header[2] = {};
    if (available < sizeof(header) || !readWhole(stream, header, sizeof(header)))
        return HistoryReadResult::Truncated;
    uint32_t record_size = header[0];
    uint32_t stored_count = header[1];
    if (stored_count == 0)
        return HistoryReadResult::Whole;
    if (record_size == 0)
        return HistoryReadResult::Refused;
    const uint64_t held = std::min<uint64_t>(stored_count, (available - sizeof(header)) / record_size);
    if (held > kMaxRecords)
        return HistoryReadResult::Refused;

    size_t kept = std::min<size_t>(record_size, sizeof(HistoryRecord));
    HistoryReadResult result = held < stored_count ? HistoryReadResult::Truncated : HistoryReadResult::Whole;
    uint32_t capacity = uint32_t((held + kGrowth - 1) / kGrowth * kGrowth);
    std::unique_ptr<HistoryRecord[]> records(new HistoryRecord[capacity]());
    uint32_t count = 0;
    for (; count < held; ++count) {
        if (!readWhole(stream, &records[count], kept) || !skipBytes(stream, record_size - kept)) {
            records[count] = HistoryRecord {};
            result = HistoryReadResult::Truncated;
            break;
        }
    }
    if (count == 0)
        return result;
    m_records = std::move(records);
    m_count = count;
    m_capacity = capacity;
    return result;
}
