// The ring walk's order and coverage, ring-end mode, and the hit list's sorts and shuffle.
#include "rules/hex_scan.h"

#include "platform/kernel/host.h"
#include "state/game_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace {

struct Visit {
    int x, y, ring;
    friend bool operator==(const Visit&, const Visit&) = default;
};

std::unique_ptr<GameState> bareMap(int width, int height)
{
    auto state = std::make_unique<GameState>();
    state->mapHeader().width = uint16_t(width);
    state->mapHeader().height = uint16_t(height);
    return state;
}

class RecordingScan : public HexScan {
public:
    using HexScan::HexScan;
    using HexScan::addHit;
    using HexScan::setMinimumRadius;
    using HexScan::setRingEndMode;
    std::vector<Visit> visits;
    int keepGoingInRing = -1;
    int stopAfter = -1;
    int begins = 0;
    int finishes = 0;

protected:
    void begin() override { ++begins; }
    void finish() override { ++finishes; }
    void visit(int x, int y) override
    {
        visits.push_back({ x, y, ring() });
        if (ring() == keepGoingInRing)
            keepGoing();
        if (int(visits.size()) == stopAfter)
            stop();
    }
};

std::vector<Visit> walk(GameState& state, int x, int y, int radius, int minimum = 0)
{
    RecordingScan scan(state);
    scan.setMinimumRadius(minimum);
    scan.scan(x, y, radius);
    EXPECT_EQ(scan.begins, 1);
    EXPECT_EQ(scan.finishes, 1);
    return scan.visits;
}

} // namespace

TEST(HexScanWalk, FirstRingAroundEvenRowEndsAtItsSouthWestCorner)
{
    auto state = bareMap(20, 20);
    std::vector<Visit> expected { { 5, 6, 0 }, { 4, 6, 1 }, { 4, 5, 1 }, { 5, 5, 1 }, { 6, 6, 1 }, { 5, 7, 1 }, { 4, 7, 1 } };
    EXPECT_EQ(walk(*state, 5, 6, 1), expected);
}

TEST(HexScanWalk, FirstRingAroundOddRowIsShiftedRight)
{
    auto state = bareMap(20, 20);
    std::vector<Visit> expected { { 4, 5, 1 }, { 5, 4, 1 }, { 6, 4, 1 }, { 6, 5, 1 }, { 6, 6, 1 }, { 5, 6, 1 } };
    EXPECT_EQ(walk(*state, 5, 5, 1, 1), expected);
}

TEST(HexScanWalk, RadiusZeroVisitsOnlyTheCentreOrNothing)
{
    auto state = bareMap(8, 8);
    EXPECT_EQ(walk(*state, 3, 3, 0), (std::vector<Visit> { { 3, 3, 0 } }));
    EXPECT_TRUE(walk(*state, 3, 3, 0, 1).empty());
}

// Every hex within the radius once, ring r exactly at distance r, rings in order, for centres on
// both row parities, at edges and in corners.
TEST(HexScanWalk, VisitsEachHexWithinRadiusOnceAtItsRingDistance)
{
    const int width = 11, height = 9;
    auto state = bareMap(width, height);
    const std::vector<std::pair<int, int>> centres { { 5, 4 }, { 5, 5 }, { 0, 0 }, { 10, 8 }, { 0, 7 }, { 10, 0 }, { 3, 8 } };
    for (auto [cx, cy] : centres) {
        for (int radius : { 1, 2, 4, 7 }) {
            SCOPED_TRACE(testing::Message() << "centre " << cx << "," << cy << " radius " << radius);
            std::map<std::pair<int, int>, int> seen;
            int last_ring = 0;
            for (const Visit& v : walk(*state, cx, cy, radius)) {
                EXPECT_EQ(hexDistance({ cx, cy }, { v.x, v.y }), v.ring);
                EXPECT_GE(v.ring, last_ring);
                last_ring = v.ring;
                ++seen[{ v.x, v.y }];
            }
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    const bool inside = hexDistance({ cx, cy }, { x, y }) <= radius;
                    const int count = seen.count({ x, y }) ? seen[{ x, y }] : 0;
                    EXPECT_EQ(count, inside ? 1 : 0) << x << "," << y;
                }
        }
    }
}

TEST(HexScanWalk, CornerCentreKeepsTheOrderOfTheOpenMap)
{
    // The same ring walk on a large map, shifted so the centre lands on (0, 0) of the small one.
    auto open = bareMap(40, 40);
    auto small = bareMap(6, 6);
    std::vector<Visit> expected;
    for (const Visit& v : walk(*open, 20, 20, 4))
        if (v.x >= 20 && v.y >= 20 && v.x < 26 && v.y < 26)
            expected.push_back({ v.x - 20, v.y - 20, v.ring });
    EXPECT_EQ(walk(*small, 0, 0, 4), expected);
}

TEST(HexScanWalk, MinimumRadiusSkipsInnerRings)
{
    auto state = bareMap(20, 20);
    auto visits = walk(*state, 10, 10, 3, 2);
    ASSERT_EQ(visits.size(), 12u + 18u);
    EXPECT_EQ(visits.front().ring, 2);
}

TEST(HexScanWalk, StopEndsTheScanAtOnce)
{
    auto state = bareMap(20, 20);
    RecordingScan scan(*state);
    scan.stopAfter = 3;
    scan.scan(10, 10, 5);
    EXPECT_EQ(scan.visits.size(), 3u);
    EXPECT_EQ(scan.finishes, 1);
}

TEST(HexScanWalk, RingEndModeGoesOneRingPastTheLastFlag)
{
    auto state = bareMap(20, 20);
    RecordingScan scan(*state);
    scan.setRingEndMode(true);
    scan.keepGoingInRing = 1;
    scan.scan(10, 10, 5);
    ASSERT_FALSE(scan.visits.empty());
    EXPECT_EQ(scan.visits.back().ring, 2);
    EXPECT_EQ(scan.visits.size(), 1u + 6u + 12u);

    RecordingScan never(*state);
    never.setRingEndMode(true);
    never.scan(10, 10, 5);
    EXPECT_EQ(never.visits.size(), 1u + 6u);
}

namespace {

std::vector<std::pair<int, uint32_t>> order(const HexScan& scan)
{
    std::vector<std::pair<int, uint32_t>> out;
    for (const HexScanHit& hit : scan.hits())
        out.push_back({ hit.x, hit.key });
    return out;
}

} // namespace

TEST(HexScanHits, SelectionSortsTakeTheLastOfEqualKeysAtEachPosition)
{
    auto state = bareMap(4, 4);
    RecordingScan scan(*state);
    const uint32_t keys[] = { 5, 2, 9, 2, 5, 1 };
    for (int i = 0; i < 6; ++i)
        scan.addHit(i, 0, keys[i]);
    scan.sortAscending();
    using P = std::pair<int, uint32_t>;
    EXPECT_EQ(order(scan), (std::vector<P> { { 5, 1 }, { 3, 2 }, { 1, 2 }, { 0, 5 }, { 4, 5 }, { 2, 9 } }));
    scan.sortDescending();
    EXPECT_EQ(order(scan), (std::vector<P> { { 2, 9 }, { 4, 5 }, { 0, 5 }, { 3, 2 }, { 1, 2 }, { 5, 1 } }));
    EXPECT_TRUE(lessByCost(scan.hits()[5], scan.hits()[4]));
    EXPECT_FALSE(lessByCost(scan.hits()[3], scan.hits()[4]));

    int x = 0, y = 0;
    EXPECT_TRUE(scan.hitAt(0, x, y));
    EXPECT_EQ(x, 2);
    EXPECT_FALSE(scan.hitAt(6, x, y));
    EXPECT_FALSE(scan.hitAt(-1, x, y));
}

TEST(HexScanHits, ShuffleMovesOnlyTheLeadingTiesAndRepeatsWithTheSeed)
{
    auto state = bareMap(4, 4);
    auto shuffled = [&](unsigned seed, std::vector<uint32_t> keys) {
        platform::crtSrand(seed);
        state->randomPool().fill();
        RecordingScan scan(*state);
        for (size_t i = 0; i < keys.size(); ++i)
            scan.addHit(int(i), 0, keys[i]);
        scan.shuffleTopTies();
        return order(scan);
    };
    using P = std::pair<int, uint32_t>;
    EXPECT_EQ(shuffled(1, { 4, 3, 2, 1 }), (std::vector<P> { { 0, 4 }, { 1, 3 }, { 2, 2 }, { 3, 1 } }));

    const std::vector<uint32_t> ties { 7, 7, 7, 7, 7, 7, 3, 7 };
    bool moved = false;
    for (unsigned seed = 1; seed < 20; ++seed) {
        auto result = shuffled(seed, ties);
        EXPECT_EQ(result, shuffled(seed, ties));
        std::vector<int> front;
        for (int i = 0; i < 6; ++i)
            front.push_back(result[size_t(i)].first);
        std::sort(front.begin(), front.end());
        EXPECT_EQ(front, (std::vector<int> { 0, 1, 2, 3, 4, 5 }));
        EXPECT_EQ(result[6], P(6, 3));
        EXPECT_EQ(result[7], P(7, 7));
        moved = moved || result[0].first != 0 || result[1].first != 1;
    }
    EXPECT_TRUE(moved);
}

TEST(HexScanHits, ListGrowsPastItsFirstAllocation)
{
    auto state = bareMap(30, 30);
    RecordingScan scan(*state);
    for (int i = 0; i < 25; ++i)
        scan.addHit(i, i, uint32_t(i), uint32_t(100 + i));
    ASSERT_EQ(scan.hitCount(), 25);
    EXPECT_EQ(scan.hits()[24].extra, 124u);
    EXPECT_EQ(scan.hits()[3].y, 3);
}
