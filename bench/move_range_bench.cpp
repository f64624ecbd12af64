// Movement range time: a unit's range over a 256 × 256 map of mixed terrain, a bare Dijkstra over
// the same entry costs, and both timed in one run with their ratio.
#include "bench/program_folder.h"
#include "rules/move_range.h"
#include "state/game_state.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <queue>
#include <random>

namespace {

constexpr int kSize = 256;

// A started game with a 256 × 256 map of random natural terrain and one land unit in the middle.
struct World {
    std::unique_ptr<GameState> game = std::make_unique<GameState>();
    int moveType = 0;

    World()
    {
        prepareBenchProgramFolder();
        game->startUp();
        g_gameState = game.get();
        game->mapHeader().width = kSize;
        game->mapHeader().height = kSize;
        std::vector<int> natural;
        for (size_t i = 0; i < game->terrainTypes().size(); ++i)
            if (game->terrainTypes()[i].kind < 11)
                natural.push_back(int(i));
        std::mt19937 random(11);
        for (int i = 0; i < kSize * kSize; ++i)
            game->terrainGrid()[i].terrain = uint8_t(natural[random() % natural.size()]);
        int type = 0;
        for (const UnitTypeRecord& t : game->unitTypes())
            if (t.domain == 3 && t.available && t.id > 0) {
                type = t.id;
                break;
            }
        moveType = game->unitTypeRecord(type).movementType;
        game->country(0).controller = 2;
        game->country(0).inPlay = 1;
        UnitRecord& unit = *game->unitOf(0, 0);
        unit = UnitRecord {};
        unit.stateLow = 1;
        unit.unitTypeId = uint16_t(type);
        unit.x = unit.y = kSize / 2;
        game->setUnitCount(0, 1);
    }
};

World& world()
{
    static World w;
    return w;
}

int floodUnitRange(GameState& game)
{
    MoveRangeMap range(game, 0, 0);
    range.setCostLimit(1 << 20);
    range.setBuildUnitFlags(true);
    range.compute();
    return range.costAt(0, 0, -1);
}

std::vector<uint8_t> entryCosts(const GameState& game, int move_type)
{
    std::vector<uint8_t> costs(kSize * kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            costs[size_t(y * kSize + x)] = uint8_t(game.terrainValueAt(x, y, move_type));
    return costs;
}

int bareDijkstra(const std::vector<uint8_t>& costs, std::vector<int>& dist)
{
    dist.assign(costs.size(), -1);
    using Entry = std::pair<int, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
    const int start = kSize / 2 * kSize + kSize / 2;
    dist[size_t(start)] = 0;
    open.push({ 0, start });
    while (!open.empty()) {
        auto [c, i] = open.top();
        open.pop();
        if (c != dist[size_t(i)])
            continue;
        for (int d = 0; d < kHexDirections; ++d) {
            const HexPos n = hexNeighbour(i % kSize, i / kSize, d, kSize, kSize);
            if (!n.valid())
                continue;
            const int j = n.y * kSize + n.x;
            const int k = costs[size_t(j)];
            if (k && (dist[size_t(j)] < 0 || c + k < dist[size_t(j)])) {
                dist[size_t(j)] = c + k;
                open.push({ c + k, j });
            }
        }
    }
    return dist[0];
}

void unitRangeFlood(benchmark::State& state)
{
    World& w = world();
    for (auto _ : state)
        benchmark::DoNotOptimize(floodUnitRange(*w.game));
}
BENCHMARK(unitRangeFlood)->Unit(benchmark::kMillisecond);

void bareDijkstraFlood(benchmark::State& state)
{
    World& w = world();
    std::vector<uint8_t> costs = entryCosts(*w.game, w.moveType);
    std::vector<int> dist;
    for (auto _ : state)
        benchmark::DoNotOptimize(bareDijkstra(costs, dist));
}
BENCHMARK(bareDijkstraFlood)->Unit(benchmark::kMillisecond);

// Both in alternation, so the ratio compares like with like on the same machine state.
void rangeToDijkstraRatio(benchmark::State& state)
{
    using Clock = std::chrono::steady_clock;
    World& w = world();
    std::vector<uint8_t> costs = entryCosts(*w.game, w.moveType);
    std::vector<int> dist;
    double flood_s = 0, dijkstra_s = 0;
    int64_t rounds = 0;
    for (auto _ : state) {
        auto t0 = Clock::now();
        const int a = floodUnitRange(*w.game);
        auto t1 = Clock::now();
        const int b = bareDijkstra(costs, dist);
        auto t2 = Clock::now();
        if (a != b)
            state.SkipWithError("the range and the bare search disagree");
        flood_s += std::chrono::duration<double>(t1 - t0).count();
        dijkstra_s += std::chrono::duration<double>(t2 - t1).count();
        ++rounds;
    }
    state.counters["range_ms"] = flood_s * 1000 / double(rounds);
    state.counters["dijkstra_ms"] = dijkstra_s * 1000 / double(rounds);
    state.counters["ratio"] = flood_s / dijkstra_s;
}
BENCHMARK(rangeToDijkstraRatio)->Unit(benchmark::kMillisecond);

} // namespace
