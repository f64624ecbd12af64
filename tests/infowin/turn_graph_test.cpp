// The per-turn graph shared by the ending and condition windows: the turn range and its ticks, the
// value scale, and the averaged segments per country.
#include "infowin/turn_graph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
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

TEST(TurnGraph, TheTurnAxisSpansTheTurnsPlayed)
{
    struct Case { size_t records; int turn, range; };
    // Record 0 is the start; a game over at its turn limit has its turn one past the last record;
    // a campaign keeps its earlier maps' records.
    for (const Case& c : { Case { 0, 0, 1 }, Case { 0, 7, 7 }, Case { 1, 5, 1 }, Case { 10, 9, 9 }, Case { 10, 10, 9 },
             Case { 60, 7, 59 } })
        EXPECT_EQ(turnRange(std::vector<TurnStatsRecord>(c.records), c.turn), c.range) << c.records << " records";

    // A game of nine turns: a labelled tick a turn, the last at the chart's right edge, and its
    // lines reach that edge too.
    std::vector<std::vector<uint32_t>> nine(10, std::vector<uint32_t> { 5 });
    const Graph graph = computeGraph(incomes(nine), 1, { 0x01, 0x01 }, 9);
    ASSERT_EQ(graph.turnTicks.size(), 9u);
    EXPECT_EQ(graph.turnTicks[0].offset, 55);
    EXPECT_EQ(graph.turnTicks.back().offset, kChartWidth);
    EXPECT_TRUE(std::all_of(graph.turnTicks.begin(), graph.turnTicks.end(), [](const Tick& t) { return t.labelled; }));
    ASSERT_FALSE(graph.segments.empty());
    EXPECT_EQ(graph.segments.back().x1, kChartWidth);
}

TEST(TurnGraph, TicksOfEveryRangeStayApartAndCoverIt)
{
    for (int range = 1; range <= 3000; ++range) {
        const Graph graph = computeGraph({}, 0, { 0xFF, 0xFF }, range);
        const uint64_t step = graph.turnTicks[0].value;
        int lastLabel = -kChartWidth;
        for (size_t k = 0; k < graph.turnTicks.size(); ++k) {
            const Tick& tick = graph.turnTicks[k];
            ASSERT_EQ(tick.value, step * (k + 1)) << range;
            ASSERT_GE(tick.offset - (k ? graph.turnTicks[k - 1].offset : 0), 9) << range << " ticks crowd";
            if (tick.labelled) {
                ASSERT_GE(tick.offset - lastLabel, 49) << range << " labels crowd";
                lastLabel = tick.offset;
            }
        }
        EXPECT_GT(graph.turnTicks.back().value + step, uint64_t(range)) << range << " left uncovered";
        EXPECT_NE(lastLabel, -kChartWidth) << range << " without a label";
    }
}

TEST(TurnGraph, TheValueAxisFitsTheValuesShown)
{
    struct Case { uint64_t value, maximum, step, labelEvery; };
    for (const Case& c : { Case { 0, 1, 1, 1 }, Case { 2, 2, 1, 1 }, Case { 20, 20, 1, 2 }, Case { 21, 25, 1, 5 },
             Case { 801, 900, 20, 100 }, Case { 1000000, 1000000, 20000, 100000 }, Case { 1000001, 1200000, 50000, 200000 } }) {
        const Scale scale = scaleFor(c.value);
        EXPECT_EQ(std::tie(scale.maximum, scale.step, scale.labelEvery), std::tie(c.maximum, c.step, c.labelEvery)) << c.value;
    }
    EXPECT_GE(scaleFor(UINT32_MAX).maximum, uint64_t(UINT32_MAX));

    // The value ticks fill the 400 pixels; 900 in steps of 20 is 45 ticks, labelled each 100.
    const Graph graph = computeGraph(incomes({ { 801 } }), 1, { 0xFF, 0xFF }, 1);
    ASSERT_EQ(graph.valueTicks.size(), 45u);
    EXPECT_EQ(graph.valueTicks[0].offset, 8);
    EXPECT_EQ(graph.valueTicks.back().offset, kChartHeight);
    EXPECT_EQ(std::count_if(graph.valueTicks.begin(), graph.valueTicks.end(), [](const Tick& t) { return t.labelled; }), 9);
}

TEST(TurnGraph, OneRecordDrawsAxesButNoLines)
{
    const Graph graph = computeGraph(incomes({ { 30, 20 } }), 1, { 0xFF, 0xFF }, 1);
    EXPECT_TRUE(graph.segments.empty());
    EXPECT_FALSE(graph.turnTicks.empty());
    EXPECT_EQ(graph.scale.maximum, 30u);
}

TEST(TurnGraph, SegmentsJoinEachTurnsHeightInTheCountrysColumn)
{
    // Two turns: 250 pixels a turn; scale 25: sixteen pixels a unit.
    const Graph graph = computeGraph(incomes({ { 10, 0, 5 }, { 20, 0, 5 }, { 25, 0, 0 } }), 1, { 0xFF, 0xFF }, 3);
    const std::vector<Segment> first = segmentsOf(graph, 0);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].x0, 0);
    EXPECT_EQ(first[0].height0, 160);
    EXPECT_EQ(first[0].x1, 250);
    EXPECT_EQ(first[0].height1, 320);
    EXPECT_EQ(first[1].x1, 500);
    EXPECT_EQ(first[1].height1, 400);
    EXPECT_TRUE(segmentsOf(graph, 1).empty()) << "zero throughout draws nothing";
    // A line falling to 0 is drawn; only a segment with both ends at 0 is left out.
    ASSERT_EQ(segmentsOf(graph, 2).size(), 2u);
    EXPECT_EQ(segmentsOf(graph, 2)[1].height1, 0);
}

TEST(TurnGraph, RecordsSharingAPixelColumnAreAveraged)
{
    // A thousand turns give half a pixel a turn: record 1 still stands in column 0, so its value
    // waits and is averaged with record 2's when column 1 opens.
    std::vector<std::vector<uint32_t>> values(1001, { 0 });
    values[1] = { 100 };
    values[2] = { 300 };
    const Graph graph = computeGraph(incomes(values), 1, { 0x01, 0x01 }, 1000);
    ASSERT_EQ(graph.scale.maximum, 300u);
    const std::vector<Segment> line = segmentsOf(graph, 0);
    ASSERT_EQ(line.size(), 2u);
    EXPECT_EQ(line[0].x0, 0);
    EXPECT_EQ(line[0].height0, 0);
    EXPECT_EQ(line[0].x1, 1);
    EXPECT_EQ(line[0].height1, 200 * 400 / 300) << "(100 + 300) / 2";
    EXPECT_EQ(line[1].x1, 2);
    EXPECT_EQ(line[1].height1, 0);
}

TEST(TurnGraph, CountriesSwitchedOffDrawNothingAndOnlyThoseShownSetTheScale)
{
    const std::vector<TurnStatsRecord> records = incomes({ { 10, 900 }, { 20, 900 } });
    const Graph off = computeGraph(records, 1, { 0x01, 0x03 }, 2);
    EXPECT_EQ(off.scale.maximum, 900u) << "switched off, country 1 keeps the axis";
    EXPECT_TRUE(segmentsOf(off, 1).empty());
    ASSERT_EQ(segmentsOf(off, 0).size(), 1u);
    EXPECT_EQ(segmentsOf(off, 0)[0].height1, 20 * 400 / 900);
    // A country the window hides would otherwise tell its figures by the axis.
    const Graph hidden = computeGraph(records, 1, { 0x01, 0x01 }, 2);
    EXPECT_EQ(hidden.scale.maximum, 20u);
    EXPECT_EQ(segmentsOf(hidden, 0)[0].height1, kChartHeight);
}

TEST(TurnGraph, ValuesPastThirtyTwoBitsKeepTheirHeights)
{
    // 20,000,000 × 400 does not fit 32 bits.
    const Graph big = computeGraph(incomes({ { 5000000 }, { 20000000 }, { 10000000 } }), 1, { 0x01, 0x01 }, 2);
    ASSERT_EQ(big.scale.maximum, 20000000u);
    const std::vector<Segment> line = segmentsOf(big, 0);
    ASSERT_EQ(line.size(), 2u);
    EXPECT_EQ(line[0].height0, 100);
    EXPECT_EQ(line[0].height1, 400);
    EXPECT_EQ(line[1].height1, 200);

    // Two values just past 2^31 in one pixel column: a 32-bit sum would wrap to 200.
    std::vector<std::vector<uint32_t>> values(1001, { 0 });
    values[1] = values[2] = { 2147483748u };
    const Graph shared = computeGraph(incomes(values), 1, { 0x01, 0x01 }, 1000);
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
    EXPECT_EQ(fieldMaximum(records, 6, 0x7F), 0u) << "country 7 not asked for";
    EXPECT_EQ(fieldMaximum({}, 6), 0u);
}
