// The per-turn graph: range, ticks, scale and averaged segments, and the drawing both windows share.
#include "infowin/turn_graph.h"

#include "lib/media/dc_holders.h"
#include "state/game_state.h"
#include "state/name_tables.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace turn_graph {

namespace {

// Ticks at least 10 pixels apart (8 up the value axis), labels at least 50 (40) apart.
constexpr uint64_t kMostTicks = 50;
constexpr uint64_t kMostLabels = 10;

// The first of 1, 2, 5, 10, 20, 50, ... that cuts the span into at most `parts` steps.
uint64_t roundStep(uint64_t span, uint64_t parts)
{
    uint64_t decade = 1;
    for (;;) {
        for (uint64_t step : { decade, 2 * decade, 5 * decade })
            if ((span + step - 1) / step <= parts)
                return step;
        decade *= 10;
    }
}

// Values reach 32 bits, so value × 400 is taken in 64.
int heightOf(uint64_t value, uint64_t maximum)
{
    return int(std::min<uint64_t>(kChartHeight, value * kChartHeight / maximum));
}

// Each tick stands at its own rounded place, so the last one meets the end of the axis.
std::vector<Tick> ticksAlong(uint64_t range, uint64_t step, uint64_t labelEvery, int length)
{
    std::vector<Tick> ticks;
    for (uint64_t value = step; value <= range; value += step)
        ticks.push_back({ int(value * uint64_t(length) / range), value, value % labelEvery == 0 });
    return ticks;
}

} // namespace

int turnRange(std::span<const TurnStatsRecord> records, int turn)
{
    // Record 0 holds the figures before the first turn, record n those of turn n.
    const int played = records.empty() ? turn : int(std::min<size_t>(records.size() - 1, INT32_MAX));
    return std::max(played, 1);
}

Scale scaleFor(uint64_t maximum)
{
    Scale scale;
    scale.labelEvery = roundStep(std::max<uint64_t>(maximum, 1), kMostLabels);
    scale.maximum = std::max<uint64_t>((maximum + scale.labelEvery - 1) / scale.labelEvery * scale.labelEvery, 1);
    scale.step = roundStep(scale.maximum, kMostTicks);
    return scale;
}

uint32_t fieldValue(const TurnStatsEntry& entry, int field)
{
    switch (field) {
    case 0: return entry.threadValue;
    case 1: return entry.income;
    case 2: return entry.damageDealt;
    case 3: return entry.damageTaken;
    case 4: return entry.unitCount;
    case 5: return entry.forces;
    case 6: return entry.valueLost;
    default: return 0;
    }
}

uint32_t fieldMaximum(std::span<const TurnStatsRecord> records, int field, uint8_t countryMask)
{
    uint32_t most = 0;
    for (const TurnStatsRecord& record : records)
        for (int c = 0; c < kCountryCount; ++c)
            if (countryMask & (1u << c))
                most = std::max(most, fieldValue(record.country[c], field));
    return most;
}

Graph computeGraph(std::span<const TurnStatsRecord> records, int field, Countries countries, int turn)
{
    Graph graph;
    graph.range = turnRange(records, turn);
    graph.scale = scaleFor(fieldMaximum(records, field, countries.scaled));
    const uint64_t range = uint64_t(graph.range);
    graph.turnTicks = ticksAlong(range, roundStep(range, kMostTicks), roundStep(range, kMostLabels), kChartWidth);
    graph.valueTicks = ticksAlong(graph.scale.maximum, graph.scale.step, graph.scale.labelEvery, kChartHeight);
    if (records.empty())
        return graph;

    const uint64_t maximum = graph.scale.maximum;
    std::array<int, kCountryCount> previousHeight {};
    std::array<uint64_t, kCountryCount> sum {};
    for (int c = 0; c < kCountryCount; ++c)
        previousHeight[size_t(c)] = heightOf(fieldValue(records[0].country[c], field), maximum);
    int previousX = 0;
    uint64_t count = 0;
    for (size_t i = 1; i < records.size(); ++i) {
        const int x = int(uint64_t(i) * kChartWidth / uint64_t(graph.range));
        ++count;
        for (int c = 0; c < kCountryCount; ++c) {
            if (!(countries.drawn & (1u << c)))
                continue;
            sum[size_t(c)] += fieldValue(records[i].country[c], field);
            if (x == previousX)
                continue;
            const int height = heightOf(sum[size_t(c)] / count, maximum);
            int& previous = previousHeight[size_t(c)];
            if (previous > 0 || height > 0)
                graph.segments.push_back({ c, previousX, previous, x, height });
            previous = height;
            sum[size_t(c)] = 0;
        }
        if (x != previousX) {
            count = 0;
            previousX = x;
        }
    }
    return graph;
}

std::span<const TurnStatsRecord> statsRecords(GameState& state)
{
    const size_t count = state.turnStatsCount();
    // The records are one vector in the state.
    return count ? std::span<const TurnStatsRecord>(state.turnStatsAt(0), count) : std::span<const TurnStatsRecord>();
}

void drawAxes(HDC dc, const Frame& frame, const Graph& graph)
{
    HPEN pen = CreatePen(PS_SOLID, 1, frame.colour);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, frame.colour);
    const int baseY = frame.chartFoot.y;
    char label[16];
    for (const Tick& tick : graph.turnTicks) {
        const int x = frame.turnTickX + tick.offset;
        MoveToEx(dc, x, baseY, nullptr);
        LineTo(dc, x, baseY + (tick.labelled ? 4 : 2));
        if (!tick.labelled)
            continue;
        std::snprintf(label, sizeof label, "%llu", static_cast<unsigned long long>(tick.value));
        RECT box { x - 12, baseY + 6, x + 12, baseY + 18 };
        DrawTextA(dc, label, -1, &box, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    for (const Tick& tick : graph.valueTicks) {
        const int y = baseY - tick.offset;
        MoveToEx(dc, frame.valueTickX - (tick.labelled ? 4 : 2), y, nullptr);
        LineTo(dc, frame.valueTickX, y);
        if (!tick.labelled)
            continue;
        std::snprintf(label, sizeof label, "%llu", static_cast<unsigned long long>(tick.value));
        RECT box { frame.valueLabelLeft, y - 6, frame.valueLabelRight, y + 6 };
        DrawTextA(dc, label, -1, &box, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX);
    }
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

void drawSegments(HDC dc, POINT foot, const std::vector<Segment>& segments)
{
    std::array<HPEN, kCountryCount> pens {};
    HGDIOBJ oldPen = nullptr;
    for (const Segment& segment : segments) {
        HPEN& pen = pens[size_t(segment.country)];
        if (!pen)
            pen = CreatePen(PS_SOLID, 1, playerColourRef(segment.country));
        HGDIOBJ previous = SelectObject(dc, pen);
        if (!oldPen)
            oldPen = previous;
        MoveToEx(dc, foot.x + segment.x0, foot.y - segment.height0, nullptr);
        LineTo(dc, foot.x + segment.x1, foot.y - segment.height1);
    }
    if (oldPen)
        SelectObject(dc, oldPen);
    for (HPEN pen : pens)
        if (pen)
            DeleteObject(pen);
}

} // namespace turn_graph
