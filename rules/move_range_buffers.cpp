// The per-thread pool of movement range buffers.
#include "rules/move_range_buffers.h"

#include <utility>

namespace {

// More sets than ranges a thread holds at once only keep memory; beyond this many they are freed.
constexpr size_t kKeptSets = 8;

// Set when this thread's pool is gone, so a range destroyed later (a static one at exit) frees its own.
thread_local bool t_poolClosed = false;

struct Pool {
    std::vector<MoveRangeBuffers> sets;
    ~Pool() { t_poolClosed = true; }
};

Pool* threadPool()
{
    if (t_poolClosed)
        return nullptr;
    thread_local Pool pool;
    return &pool;
}

} // namespace

void CoordQueue::clear()
{
    for (int i = 0; i < kBuckets; ++i) {
        m_buckets[i].clear();
        m_reads[i] = 0;
    }
    m_pending = 0;
    m_cost = 0;
}

MoveRangeBuffers borrowMoveRangeBuffers()
{
    Pool* pool = threadPool();
    if (pool && !pool->sets.empty()) {
        MoveRangeBuffers set = std::move(pool->sets.back());
        pool->sets.pop_back();
        return set;
    }
    MoveRangeBuffers set;
    set.queue = std::make_unique<CoordQueue>();
    return set;
}

void returnMoveRangeBuffers(MoveRangeBuffers&& buffers)
{
    Pool* pool = threadPool();
    if (!buffers.queue || !pool || pool->sets.size() >= kKeptSets)
        return;
    MoveRangeBuffers set = std::move(buffers);
    set.entryCosts.clear();
    set.flags.clear();
    set.exitDirs.clear();
    set.costs[0].clear();
    set.costs[1].clear();
    set.closed.clear();
    set.leave.clear();
    set.gates.clear();
    set.mines.clear();
    // A flood leaves its queue clear; only one cut short would not.
    if (!set.queue->empty())
        set.queue->clear();
    pool->sets.push_back(std::move(set));
}
