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

// Past a million the rows go on in the same 1-2-5 steps until every 32-bit value fits.
constexpr std::array<Scale, 25> kScales { {
    { 50, 1, 10 },
    { 100, 1, 10 },
    { 200, 5, 50 },
    { 400, 5, 50 },
    { 800, 10, 50 },
    { 2000, 20, 100 },
    { 4000, 50, 200 },
    { 5000, 50, 200 },
    { 10000, 100, 500 },
    { 20000, 200, 1000 },
    { 50000, 500, 2000 },
    { 100000, 1000, 5000 },
    { 200000, 2000, 10000 },
    { 500000, 5000, 20000 },
    { 1000000, 10000, 100000 },
    { 2000000, 20000, 200000 },
    { 5000000, 50000, 500000 },
    { 10000000, 100000, 1000000 },
    { 20000000, 200000, 2000000 },
    { 50000000, 500000, 5000000 },
    { 100000000, 1000000, 10000000 },
    { 200000000, 2000000, 20000000 },
    { 500000000, 5000000, 50000000 },
    { 1000000000, 10000000, 100000000 },
    { 5000000000, 50000000, 500000000 },
} };

// Values reach 32 bits, so value × 400 is taken in 64.
int heightOf(uint64_t value, uint64_t maximum)
{
    return int(std::min<uint64_t>(kChartHeight, value * kChartHeight / maximum));
}

std::vector<Tick> turnTicks(int range)
{
    const int step = range <= 100 ? 1 : range == 250 ? 5 : 10;
    const int labelEvery = range <= 100 ? 10 : 50;
    const int spacing = step * kChartWidth / range;
    std::vector<Tick> ticks;
    for (int k = 1; k * step <= range; ++k)
        ticks.push_back({ k * spacing, uint64_t(k * step), (k * step) % labelEvery == 0 });
    return ticks;
}

std::vector<Tick> valueTicks(const Scale& scale)
{
    const int spacing = int(scale.step * kChartHeight / scale.maximum);
    std::vector<Tick> ticks;
    for (uint64_t k = 1; k * scale.step <= scale.maximum; ++k)
        ticks.push_back({ int(k) * spacing, k * scale.step, (k * scale.step) % scale.labelEvery == 0 });
    return ticks;
}

} // namespace

int turnRange(int turn)
{
    for (int range : { 50, 100, 250, 500 })
        if (range >= turn)
            return range;
    return 1000;
}

Scale scaleFor(uint64_t maximum)
{
    for (const Scale& scale : kScales)
        if (scale.maximum >= maximum)
            return scale;
    return kScales.back();
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

uint32_t fieldMaximum(std::span<const TurnStatsRecord> records, int field)
{
    uint32_t most = 0;
    for (const TurnStatsRecord& record : records)
        for (const TurnStatsEntry& entry : record.country)
            most = std::max(most, fieldValue(entry, field));
    return most;
}

Graph computeGraph(std::span<const TurnStatsRecord> records, int field, uint8_t countryMask, int turn)
{
    Graph graph;
    // More records than turns (a campaign game saved with its earlier maps' records) widen it too.
    const int lastRecord = int(std::min<size_t>(records.size(), 1001)) - 1;
    graph.range = turnRange(std::max(turn, lastRecord));
    graph.scale = scaleFor(fieldMaximum(records, field));
    graph.turnTicks = turnTicks(graph.range);
    graph.valueTicks = valueTicks(graph.scale);
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
            if (!(countryMask & (1u << c)))
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
