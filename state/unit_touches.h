// UnitTouches: which unit records were handed out writable since a reader last looked, so that a
// reader keeping what it derived from the records can look again only at those.
#pragma once

#include <array>
#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

class UnitTouches {
public:
    static constexpr int kSides = 9;
    static constexpr int kRecords = 1000;

    UnitTouches()
        : m_records(new std::atomic<uint32_t>[size_t(kSides) * kRecords]())
        , m_blocks(new std::atomic<uint32_t>[size_t(kSides) * kBlocksPerSide]())
        , m_identity(newIdentity())
    {
    }

    // Differs between any two made while the program runs, so a reader can tell the records of a
    // new game state from those of an old one at the same address.
    uint64_t identity() const { return m_identity; }

    // Noted with the serial of the look to come; nothing for a side or index outside the tables.
    void touch(int side, int index)
    {
        if (side < 0 || side >= kSides || index < 0 || index >= kRecords)
            return;
        const uint32_t serial = m_serial.load(std::memory_order_relaxed);
        m_records[size_t(side) * kRecords + size_t(index)].store(serial, std::memory_order_relaxed);
        m_blocks[size_t(side) * kBlocksPerSide + size_t(index >> kBlockShift)].store(serial, std::memory_order_relaxed);
    }
    // Every record of the side, as when its whole table is handed out.
    void touchTable(int side)
    {
        if (side >= 0 && side < kSides)
            m_tables[size_t(side)].store(m_serial.load(std::memory_order_relaxed), std::memory_order_relaxed);
    }
    void touchAll()
    {
        for (int side = 0; side < kSides; ++side)
            touchTable(side);
    }
    // A look: what was touched up to now is after the previous look's serial and not after the one
    // returned; 0 is before every touch.
    uint32_t look() const { return m_serial.fetch_add(1, std::memory_order_relaxed); }
    bool tableTouchedAfter(int side, uint32_t look) const { return m_tables[size_t(side)].load(std::memory_order_relaxed) > look; }
    bool touchedAfter(int side, int index, uint32_t look) const
    {
        return m_records[size_t(side) * kRecords + size_t(index)].load(std::memory_order_relaxed) > look;
    }
    // Calls touched(i) in increasing order for each record i < count of the side touched after the
    // look (the table's own touch aside), passing over runs of records none of which was.
    template <typename Touched> void forEachTouchedAfter(int side, uint32_t look, size_t count, Touched&& touched) const
    {
        count = count < size_t(kRecords) ? count : size_t(kRecords);
        const std::atomic<uint32_t>* blocks = m_blocks.get() + size_t(side) * kBlocksPerSide;
        const std::atomic<uint32_t>* records = m_records.get() + size_t(side) * kRecords;
        for (size_t block = 0; block << kBlockShift < count; ++block) {
            if (blocks[block].load(std::memory_order_relaxed) <= look)
                continue;
            const size_t first = block << kBlockShift, end = std::min(count, first + (size_t(1) << kBlockShift));
            for (size_t i = first; i < end; ++i)
                if (records[i].load(std::memory_order_relaxed) > look)
                    touched(i);
        }
    }

private:
    static constexpr int kBlockShift = 6;
    static constexpr int kBlocksPerSide = (kRecords + (1 << kBlockShift) - 1) >> kBlockShift;

    static uint64_t newIdentity()
    {
        static std::atomic<uint64_t> last { 0 };
        return ++last;
    }

    mutable std::atomic<uint32_t> m_serial { 1 };
    std::array<std::atomic<uint32_t>, kSides> m_tables {};
    std::unique_ptr<std::atomic<uint32_t>[]> m_records;
    // The latest touch of each run of 64 records.
    std::unique_ptr<std::atomic<uint32_t>[]> m_blocks;
    uint64_t m_identity;
};
