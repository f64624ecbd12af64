// The per-turn graph shared by the ending and condition windows: the turn range and its ticks, the
// value scale, and the averaged segments per country.
#include "infowin/turn_graph.h"

#include <gtest/gtest.h>

#include <vector>

using namespace turn_graph;

namespace {

// Records whose field 1 (income) of each country is given per record.
std::vector<TurnStatsRecord> incomes(const std::vector<std::vector<uint32_t>>& perRecord)
{
    std::vector<TurnStatsRecord> records(perRecord.size());
    for (size_t i = 0; i < perRecord.size(); ++i)
        for (size_t c = 0; c < perRecord[i].size(); ++c)
            records[i].country[c].income = perRecord[i][c];
    return records;
}

std::vector<Segment> segmentsOf(const Graph& graph, int country)
{
    std::vector<Segment> out;
    for (const Segment& s : graph.segments)
        if (s.country == country)
            out.push_back(s);
    return out;
}

} // namespace

TEST(TurnGraph, RangeIsTheFirstStepNotBelowTheTurn)
{
    const std::pair<int, int> cases[] = { { 0, 50 }, { 1, 50 }, { 50, 50 }, { 51, 100 }, { 100, 100 }, { 101, 250 },
        { 250, 250 }, { 251, 500 }, { 500, 500 }, { 501, 1000 }, { 1000, 1000 }, { 1001, 1000 }, { 60000, 1000 } };
    for (auto [turn, range] : cases)
        EXPECT_EQ(turnRange(turn), range) << "turn " << turn;
    EXPECT_EQ(computeGraph(std::vector<TurnStatsRecord>(60), 1, 0xFF, 7).range, 100) << "records past the turn";
}

TEST(TurnGraph, TurnTicksFollowTheRange)
{
    struct Case {
        int turn, count, spacing, firstLabel;
    };
    // Steps 1 (every 10 labelled) up to 100 turns, 5 at 250, 10 at 500 and 1000 (every 50 labelled).
    for (const Case& c : { Case { 51, 100, 5, 10 }, Case { 30, 50, 10, 10 }, Case { 200, 50, 10, 50 },
             Case { 400, 50, 10, 50 }, Case { 1001, 100, 5, 50 } }) {
        const Graph graph = computeGraph({}, 0, 0xFF, c.turn);
        ASSERT_EQ(int(graph.turnTicks.size()), c.count) << "turn " << c.turn;
        EXPECT_EQ(graph.turnTicks[0].offset, c.spacing);
        EXPECT_EQ(graph.turnTicks.back().offset, c.count * c.spacing);
        for (const Tick& tick : graph.turnTicks) {
            if (tick.labelled) {
                EXPECT_EQ(tick.value, uint32_t(c.firstLabel));
                break;
            }
        }
    }
}

TEST(TurnGraph, ScaleRowIsTheFirstWhoseMaximumCoversTheValues)
{
    EXPECT_EQ(scaleFor(0).maximum, 50u) << "a maximum of 0 takes the first row";
    EXPECT_EQ(scaleFor(50).maximum, 50u);
    EXPECT_EQ(scaleFor(51).maximum, 100u);
    EXPECT_EQ(scaleFor(801).maximum, 2000u);
    EXPECT_EQ(scaleFor(801).step, 20u);
    EXPECT_EQ(scaleFor(801).labelEvery, 100u);
    EXPECT_EQ(scaleFor(1000000).maximum, 1000000u);
    EXPECT_EQ(scaleFor(1000001).maximum, 2000000u) << "prices run past a million";
    EXPECT_GE(scaleFor(UINT32_MAX).maximum, uint64_t(UINT32_MAX));

    // The value ticks fill the 400 pixels; 2000 in steps of 20 is 100 ticks 4 apart, labelled each 100.
    const Graph graph = computeGraph(incomes({ { 801 } }), 1, 0xFF, 1);
    ASSERT_EQ(graph.valueTicks.size(), 100u);
    EXPECT_EQ(graph.valueTicks[0].offset, 4);
    EXPECT_EQ(graph.valueTicks.back().offset, 400);
    int labelled = 0;
    for (const Tick& tick : graph.valueTicks)
        labelled += tick.labelled;
    EXPECT_EQ(labelled, 20);
}

TEST(TurnGraph, OneRecordDrawsAxesButNoLines)
{
    const Graph graph = computeGraph(incomes({ { 30, 20 } }), 1, 0xFF, 1);
    EXPECT_TRUE(graph.segments.empty());
    EXPECT_FALSE(graph.turnTicks.empty());
    EXPECT_EQ(graph.scale.maximum, 50u);
}

TEST(TurnGraph, SegmentsJoinEachTurnsHeightInTheCountrysColumn)
{
    // Range 50: ten pixels a turn; scale 50: eight pixels a unit.
    const Graph graph = computeGraph(incomes({ { 10, 0, 5 }, { 20, 0, 5 }, { 25, 0, 0 } }), 1, 0xFF, 3);
    const std::vector<Segment> first = segmentsOf(graph, 0);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].x0, 0);
    EXPECT_EQ(first[0].height0, 80);
    EXPECT_EQ(first[0].x1, 10);
    EXPECT_EQ(first[0].height1, 160);
    EXPECT_EQ(first[1].x1, 20);
    EXPECT_EQ(first[1].height1, 200);
    EXPECT_TRUE(segmentsOf(graph, 1).empty()) << "zero throughout draws nothing";
    // A line falling to 0 is drawn; only a segment with both ends at 0 is left out.
    ASSERT_EQ(segmentsOf(graph, 2).size(), 2u);
    EXPECT_EQ(segmentsOf(graph, 2)[1].height1, 0);
}

TEST(TurnGraph, RecordsSharingAPixelColumnAreAveraged)
{
    // Range 1000 gives half a pixel a turn: record 1 still stands in column 0, so its value waits and
    // is averaged with record 2's when column 1 opens.
    std::vector<std::vector<uint32_t>> values { { 0 }, { 100 }, { 300 }, { 0 }, { 0 } };
    const Graph graph = computeGraph(incomes(values), 1, 0x01, 1001);
    ASSERT_EQ(graph.scale.maximum, 400u);
    const std::vector<Segment> line = segmentsOf(graph, 0);
    ASSERT_GE(line.size(), 1u);
    EXPECT_EQ(line[0].x0, 0);
    EXPECT_EQ(line[0].height0, 0);
    EXPECT_EQ(line[0].x1, 1);
    EXPECT_EQ(line[0].height1, 200) << "(100 + 300) / 2 of 400 is half the height";
    ASSERT_EQ(line.size(), 2u);
    EXPECT_EQ(line[1].x1, 2);
    EXPECT_EQ(line[1].height1, 0);
}

TEST(TurnGraph, CountriesSwitchedOffDrawNothingButStillSetTheScale)
{
    const Graph graph = computeGraph(incomes({ { 10, 900 }, { 20, 900 } }), 1, 0x01, 2);
    EXPECT_EQ(graph.scale.maximum, 2000u);
    EXPECT_TRUE(segmentsOf(graph, 1).empty());
    ASSERT_EQ(segmentsOf(graph, 0).size(), 1u);
    EXPECT_EQ(segmentsOf(graph, 0)[0].height1, 4);
}

TEST(TurnGraph, ValuesPastThirtyTwoBitsKeepTheirHeights)
{
    // 20,000,000 × 400 does not fit 32 bits.
    const Graph big = computeGraph(incomes({ { 5000000 }, { 20000000 }, { 10000000 } }), 1, 0x01, 2);
    ASSERT_EQ(big.scale.maximum, 20000000u);
    const std::vector<Segment> line = segmentsOf(big, 0);
    ASSERT_EQ(line.size(), 2u);
    EXPECT_EQ(line[0].height0, 100);
    EXPECT_EQ(line[0].height1, 400);
    EXPECT_EQ(line[1].height1, 200);

    // Two values just past 2^31: a 32-bit sum would wrap to 200.
    const Graph shared = computeGraph(incomes({ { 0 }, { 2147483748u }, { 2147483748u } }), 1, 0x01, 1001);
    ASSERT_FALSE(segmentsOf(shared, 0).empty());
    EXPECT_EQ(segmentsOf(shared, 0)[0].height1, int(2147483748ull * 400 / shared.scale.maximum));
}

TEST(TurnGraph, FieldsAreReadInTheirRecordOrder)
{
    TurnStatsEntry entry { 1, 2, 3, 4, 5, 6, 7 };
    for (int field = 0; field < kFieldCount; ++field)
        EXPECT_EQ(fieldValue(entry, field), uint32_t(field + 1));
    std::vector<TurnStatsRecord> records(2);
    records[1].country[7].valueLost = 77;
    EXPECT_EQ(fieldMaximum(records, 6), 77u);
    EXPECT_EQ(fieldMaximum({}, 6), 0u);
}
