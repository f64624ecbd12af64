// randomRange over the runtime generator.
#include "lib/random_range.h"
#include "platform/kernel/host.h"

#include <gtest/gtest.h>

#include <set>

TEST(RandomRange, StaysInsideInclusiveBounds)
{
    platform::crtSrand(12345);
    EXPECT_EQ(randomRange(5, 5), 5u);
    std::set<unsigned> seen;
    for (int i = 0; i < 1000; ++i) {
        unsigned v = randomRange(0, 9);
        ASSERT_LE(v, 9u);
        seen.insert(v);
    }
    EXPECT_EQ(seen.size(), 10u);
    for (int i = 0; i < 100; ++i) {
        unsigned v = randomRange(100, 102);
        ASSERT_GE(v, 100u);
        ASSERT_LE(v, 102u);
    }
}

TEST(RandomRange, FollowsTheGeneratorModuloTheSpan)
{
    platform::crtSrand(99);
    int first = platform::crtRand();
    platform::crtSrand(99);
    EXPECT_EQ(randomRange(10, 16), unsigned(first) % 7 + 10);
    // The whole 32-bit span would divide by zero; 65535 stands in.
    platform::crtSrand(99);
    EXPECT_EQ(randomRange(0, 0xFFFFFFFFu), unsigned(first) % 65535);
}
