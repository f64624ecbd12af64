// ActionHistoryLog storage: growth, party filling and the stream block.
#include "state/action_history.h"

#include "lib/file.h"
#include "platform/kernel/host.h"
#include "state/application_link.h"
#include "state/unit_record.h"

#include <algorithm>
#include <cstring>

void ActionHistoryLog::clear()
{
    m_records.reset();
    m_count = 0;
    m_capacity = 0;
    m_toldFull = false;
}

const HistoryRecord& ActionHistoryLog::record(uint32_t i) const
{
    static const HistoryRecord kNone {};
    return i < m_count ? m_records[i] : kNone;
}

void ActionHistoryLog::reserve(uint32_t capacity)
{
    std::unique_ptr<HistoryRecord[]> grown(new HistoryRecord[capacity]());
    if (m_count > 0)
        std::memcpy(grown.get(), m_records.get(), sizeof(HistoryRecord) * m_count);
    m_records = std::move(grown);
    m_capacity = capacity;
}

// Doubling keeps a long game's appends linear; a step of fixed size copied the whole log each time.
uint32_t ActionHistoryLog::append(const HistoryRecord& record)
{
    if (m_count >= kMaxRecords) {
        if (!m_toldFull)
            applicationLink().tell(platform::utf8ToCp932("行動履歴が上限の" + std::to_string(kMaxRecords)
                                       + "件に達しました。\nこれより後の出来事は行動履歴に残りません。"),
                platform::utf8ToCp932("注意"), NoticeIcon::None, NoticeOwner::MainWindow);
        m_toldFull = true;
        return m_count;
    }
    if (m_count == m_capacity)
        reserve(m_capacity == 0 ? kFirstCapacity : std::min(kMaxRecords, m_capacity * 2));
    m_records[m_count] = record;
    return ++m_count;
}

void ActionHistoryLog::copyRecords(const ActionHistoryLog& other)
{
    clear();
    if (other.m_count == 0)
        return;
    reserve(other.m_count);
    std::memcpy(m_records.get(), other.m_records.get(), sizeof(HistoryRecord) * other.m_count);
    m_count = other.m_count;
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
// that would hold more than the program keeps is refused before anything is allocated. A record
// takes a whole slot whatever its stored size, so short records are taken only while their slots
// stay within a few times the bytes they come from.
HistoryReadResult ActionHistoryLog::read(swCFile& stream, uint64_t available)
{
    constexpr uint64_t kSlotBytesPerByte = 4;
    constexpr uint64_t kSmallLogBytes = uint64_t(1) << 20;
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
    if (held > kMaxRecords || held * sizeof(HistoryRecord) > kSlotBytesPerByte * held * record_size + kSmallLogBytes)
        return HistoryReadResult::Refused;

    size_t kept = std::min<size_t>(record_size, sizeof(HistoryRecord));
    HistoryReadResult result = held < stored_count ? HistoryReadResult::Truncated : HistoryReadResult::Whole;
    if (held == 0)
        return result;
    reserve(uint32_t(held));
    for (; m_count < held; ++m_count) {
        if (!readWhole(stream, &m_records[m_count], kept) || !skipBytes(stream, record_size - kept)) {
            m_records[m_count] = HistoryRecord {};
            result = HistoryReadResult::Truncated;
            break;
        }
    }
    if (m_count == 0)
        clear();
    return result;
}
