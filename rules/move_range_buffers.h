// The movement range's working storage: the flood's cost queue and the per-hex arrays, lent by a
// per-thread pool so that ranges computed one after another reuse the memory of those before them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// The hexes waiting to be expanded, taken cheapest first and, among equal costs, first in first out.
// Entries are never dropped: every bucket grows as the flood needs, however often a hex is pushed
// again after an improvement.
class CoordQueue {
public:
    // Entry costs lie in 1..255, so 256 buckets cover every pending cost at once.
    static constexpr int kBuckets = 256;

    void push(uint32_t entry, int cost)
    {
        // A cost below the bucket being read cannot come from a cheapest-first flood; keep it anyway.
        m_buckets[unsigned(cost > m_cost ? cost : m_cost) & (kBuckets - 1)].push_back(entry);
        ++m_pending;
    }
    bool empty() const { return m_pending == 0; }
    // The next entry of the lowest pending cost; callers check empty() first.
    uint32_t pop(int& cost)
    {
        for (;;) {
            const unsigned b = unsigned(m_cost) & (kBuckets - 1);
            std::vector<uint32_t>& bucket = m_buckets[b];
            if (m_reads[b] < bucket.size()) {
                --m_pending;
                cost = m_cost;
                return bucket[m_reads[b]++];
            }
            bucket.clear();
            m_reads[b] = 0;
            ++m_cost;
        }
    }
    // Pops every entry in turn into expand(entry, cost) until none is left; expand may push. A bucket
    // is read straight through, which is what keeps the flood's inner loop tight. The queue is left as
    // new, every bucket read having been emptied, so a flood need not clear it.
    template <class Expand>
    void drain(Expand&& expand)
    {
        for (; m_pending; ++m_cost) {
            const unsigned b = unsigned(m_cost) & (kBuckets - 1);
            std::vector<uint32_t>& bucket = m_buckets[b];
            // By index: an entry pushed at the cost being read joins the end of this bucket.
            size_t r = m_reads[b];
            for (; r < bucket.size(); ++r)
                expand(bucket[r], m_cost);
            m_pending -= r - m_reads[b];
            bucket.clear();
            m_reads[b] = 0;
        }
        m_cost = 0;
    }
    void clear();

private:
    std::vector<uint32_t> m_buckets[kBuckets];
    size_t m_reads[kBuckets] = {};
    size_t m_pending = 0;
    int m_cost = 0;
};

// One range's arrays over its window. The first four are what the range answers from; the rest are
// only used while it is computed.
struct MoveRangeBuffers {
    std::vector<uint8_t> entryCosts;
    std::vector<uint32_t> flags;
    std::vector<uint8_t> exitDirs;
    std::vector<int32_t> costs[2];
    // Sides each hex closes from its own cell.
    std::vector<uint8_t> closed;
    // Sides a hex may be left through, in the flood's direction order, and its row's parity.
    std::vector<uint8_t> leave;
    // The flood's per-hex tests, one word a hex.
    std::vector<uint32_t> gates;
    // Hexes of known mines, closed once the exits are set when mines are impassable.
    std::vector<uint32_t> mines;
    // Null in a set that is not lent out.
    std::unique_ptr<CoordQueue> queue;
};

// A set from this thread's pool (its arrays empty, their capacity kept), or a new one.
MoveRangeBuffers borrowMoveRangeBuffers();
// Empties the set and keeps it for the next range computed on this thread.
void returnMoveRangeBuffers(MoveRangeBuffers&& buffers);
