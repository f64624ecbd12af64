// The per-turn statistics graph shared by the end-of-game window and the condition window: the
// turn range and its ticks, the vertical scale, and each country's line as averaged segments.
// The windows only draw what computeTurnGraph returns, each at its own place.
#pragma once

#include "platform/windows.h"
#include "state/turn_stats.h"

#include <cstdint>
#include <span>
#include <vector>

class GameState;

namespace turn_graph {

// The chart the lines are computed for: the turns played across 500 pixels, the values shown up 400.
constexpr int kChartWidth = 500;
constexpr int kChartHeight = 400;
constexpr int kFieldCount = 7;

// The vertical scale: the axis maximum, the tick step and the labelled multiple.
struct Scale {
    uint64_t maximum = 0;
    uint64_t step = 0;
    uint64_t labelEvery = 0;
};

// A tick: its distance in pixels from the axis origin and the value it marks.
struct Tick {
    int offset = 0;
    uint64_t value = 0;
    bool labelled = false;
};

// A line of a country's colour between two chart points; heights count up from the chart's foot.
struct Segment {
    int country = 0;
    int x0 = 0;
    int height0 = 0;
    int x1 = 0;
    int height1 = 0;
};

struct Graph {
    int range = 0;
    Scale scale;
    std::vector<Tick> turnTicks;
    std::vector<Tick> valueTicks;
    std::vector<Segment> segments;
};

// The turns the records cover (the turn given when there are none), at least 1.
int turnRange(std::span<const TurnStatsRecord> records, int turn);
// The value rounded up to a labelled step of 1, 2 or 5 times a power of ten, with at most 10 labels
// and 50 ticks; at least 1.
Scale scaleFor(uint64_t maximum);
// Value `field` (0..6 as TurnStatsEntry holds them) of a country's entry.
uint32_t fieldValue(const TurnStatsEntry& entry, int field);
// The largest value of the field over every record and the countries of the mask; 0 without records.
uint32_t fieldMaximum(std::span<const TurnStatsRecord> records, int field, uint8_t countryMask = 0xFF);

// Masks of countries (bit c = country c): those whose lines are drawn, and those whose figures set
// the value axis. A country the window may show but is switched off keeps the axis as it was; one
// the window hides sets nothing, so its figures show nowhere.
struct Countries {
    uint8_t drawn = 0;
    uint8_t scaled = 0;
};

// The graph of the field across the turns played. Records that fall in one pixel column are
// averaged, and a segment whose two ends are both 0 is left out.
Graph computeGraph(std::span<const TurnStatsRecord> records, int field, Countries countries, int turn);

// The game's statistics records as one span (empty without any).
std::span<const TurnStatsRecord> statsRecords(GameState& state);

// Where a window puts the graph: the foot of the chart (where height 0 and turn 0 meet), and where
// the axis ticks and labels stand relative to it.
struct Frame {
    POINT chartFoot {};
    // x of turn tick 0, and the x at which the value ticks end.
    int turnTickX = 0;
    int valueTickX = 0;
    // The value labels are right-aligned between these two.
    int valueLabelLeft = 0;
    int valueLabelRight = 0;
    COLORREF colour = 0;
};

// The ticks and their labels (in the DC's font) of both axes.
void drawAxes(HDC dc, const Frame& frame, const Graph& graph);
// The segments, each in its country's colour, with the chart foot at `foot`.
void drawSegments(HDC dc, POINT foot, const std::vector<Segment>& segments);

} // namespace turn_graph
