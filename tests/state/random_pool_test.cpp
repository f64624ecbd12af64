// The random pool: fill from the runtime generator, draw order, wrap-around and stream form.
#include "state/memory_read_stream.h"
#include "state/random_pool.h"

#include "lib/file.h"
#include "platform/kernel/host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// An independent copy of the runtime's generator as the oracle.
struct Lcg {
    uint32_t state;
    int next()
    {
        state = state * 214013u + 2531011u;
        return int(state >> 16 & 0x7FFF);
    }
};

std::unique_ptr<RandomPool> filledPool(unsigned seed)
{
    auto pool = std::make_unique<RandomPool>();
    platform::crtSrand(seed);
    pool->fill();
    return pool;
}

// A swCFile that collects what is written, for the stream form.
class ByteSink : public swCFile {
public:
    DWORD Write(const void* buffer, DWORD count) override
    {
        auto* p = static_cast<const uint8_t*>(buffer);
        bytes.insert(bytes.end(), p, p + count);
        return count;
    }
    std::vector<uint8_t> bytes;
};

} // namespace

TEST(RandomPool, FillTakesTheLowByteOfEachRuntimeDraw)
{
    auto pool = filledPool(1);
    // The runtime's first numbers for seed 1 are 41, 18467, 6334, 26500.
    EXPECT_EQ(pool->bytes()[0], 41);
    EXPECT_EQ(pool->bytes()[1], uint8_t(18467));
    EXPECT_EQ(pool->bytes()[2], uint8_t(6334));
    EXPECT_EQ(pool->bytes()[3], uint8_t(26500));
    Lcg lcg{ 1 };
    for (int i = 0; i < RandomPool::kPoolSize; ++i)
        ASSERT_EQ(pool->bytes()[i], uint8_t(lcg.next())) << i;
}

TEST(RandomPool, FirstDrawsCombineBytesMostSignificantFirst)
{
    auto pool = filledPool(1);
    const uint8_t* b = pool->bytes();
    for (uint32_t p = 0; p < 3; ++p) {
        uint32_t expected = uint32_t(b[4 * p]) << 24 | uint32_t(b[4 * p + 1]) << 16 | uint32_t(b[4 * p + 2]) << 8 | b[4 * p + 3];
        EXPECT_EQ(pool->draw(0, 0xFFFFFFFEu), expected % 0xFFFFFFFFu);
    }
    EXPECT_EQ(pool->cursor().position, 3u);
}

TEST(RandomPool, Draw4097UsesPositionZeroWithSecondOrder)
{
    auto pool = filledPool(7);
    for (uint32_t i = 0; i < RandomPool::kGroups; ++i)
        pool->draw(0, 0xFFFFFFFEu);
    EXPECT_EQ(pool->cursor().position, 0u);
    EXPECT_EQ(pool->cursor().row, 1u);
    const uint8_t* b = pool->bytes();
    // Row 1 reads the bytes in the order 0 1 3 2.
    uint32_t expected = uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[3]) << 8 | b[2];
    EXPECT_EQ(pool->draw(0, 0xFFFFFFFEu), expected % 0xFFFFFFFFu);
}

TEST(RandomPool, OrderTableHoldsEachPermutationOnce)
{
    std::vector<int> seen;
    for (const auto& row : RandomPool::kOrder) {
        int code = 0;
        for (int i = 0; i < 4; ++i)
            code = code * 4 + row[i];
        seen.push_back(code);
        EXPECT_EQ((1 << row[0]) | (1 << row[1]) | (1 << row[2]) | (1 << row[3]), 15);
    }
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(std::unique(seen.begin(), seen.end()), seen.end());
}

TEST(RandomPool, SequenceRepeatsAfterAllOrders)
{
    auto pool = filledPool(3);
    std::vector<uint32_t> first;
    for (int i = 0; i < 5; ++i)
        first.push_back(pool->draw(0, 0xFFFFFFFEu));
    for (uint32_t i = 5; i < RandomPool::kGroups * RandomPool::kOrderRows; ++i)
        pool->draw(0, 0xFFFFFFFEu);
    EXPECT_EQ(pool->cursor().position, 0u);
    EXPECT_EQ(pool->cursor().row, 0u);
    for (uint32_t v : first)
        EXPECT_EQ(pool->draw(0, 0xFFFFFFFEu), v);
}

TEST(RandomPool, RangesAndTheFullSpan)
{
    auto pool = filledPool(5);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(pool->draw(5, 5), 5u);
    auto copy = std::make_unique<RandomPool>(*pool);
    uint32_t raw = copy->draw(0, 0xFFFFFFFEu);
    EXPECT_EQ(pool->draw(0, 0xFFFFFFFFu), (raw % 0xFFFFFFFFu) % 65535u);
}

TEST(RandomPool, UnusedPoolDrawsFromTheRuntimeWithoutMovingCursors)
{
    RandomPool pool;
    platform::crtSrand(1);
    EXPECT_EQ(pool.draw(0, 99), 41u % 100);
    EXPECT_EQ(pool.draw(10, 19), 18467u % 10 + 10);
    EXPECT_EQ(pool.cursor().position, 0u);
}

TEST(RandomPoolStream, SaveAndLoadContinueTheSameSequence)
{
    auto pool = filledPool(11);
    for (int i = 0; i < 4100; ++i)
        pool->draw(0, 1000);
    ByteSink sink;
    pool->save(sink);
    ASSERT_EQ(sink.bytes.size(), 1u + RandomPool::kPoolSize + 16);

    auto loaded = std::make_unique<RandomPool>();
    MemoryReadStream in(sink.bytes.data(), sink.bytes.size());
    ASSERT_TRUE(loaded->load(in));
    EXPECT_EQ(in.position(), sink.bytes.size());
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(loaded->draw(0, 123456), pool->draw(0, 123456));

    MemoryReadStream skipping(sink.bytes.data(), sink.bytes.size());
    EXPECT_TRUE(RandomPool().skip(skipping));
    EXPECT_EQ(skipping.position(), sink.bytes.size());
}

TEST(RandomPoolStream, UnusedPoolIsOneByte)
{
    RandomPool pool;
    ByteSink sink;
    pool.save(sink);
    EXPECT_EQ(sink.bytes, std::vector<uint8_t>{ 0 });
    MemoryReadStream in(sink.bytes.data(), 1);
    auto loaded = filledPool(2);
    EXPECT_TRUE(loaded->load(in));
    EXPECT_FALSE(loaded->inUse());
    EXPECT_EQ(loaded->bytes()[0], 0);
}

TEST(RandomPoolStream, RefusesShortStreamsAndBadCursors)
{
    auto pool = filledPool(4);
    ByteSink sink;
    pool->save(sink);

    auto loaded = std::make_unique<RandomPool>();
    MemoryReadStream shortStream(sink.bytes.data(), sink.bytes.size() - 1);
    EXPECT_FALSE(loaded->load(shortStream));
    EXPECT_FALSE(loaded->inUse());

    std::vector<uint8_t> badRow = sink.bytes;
    badRow[1 + RandomPool::kPoolSize + 4] = 24;
    MemoryReadStream badStream(badRow.data(), badRow.size());
    EXPECT_FALSE(loaded->load(badStream));
    EXPECT_FALSE(loaded->inUse());
}
