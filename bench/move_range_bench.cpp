// Movement range time on maps of 64², 128² and 256² of mixed natural terrain, one land unit in the
// middle: the whole-map range (limit beyond any cost), a bare bucket-queue Dijkstra over the same entry
// costs with its neighbours inlined (the baseline), both alternated in one run with their ratio, and
// the range of a unit with 3 move points (unit flags and the second layer on, as the computer asks),
// which should cost the same whatever the map's size. Each range is a new MoveRangeMap, computed right
// after the one before as the computer player computes them, so its arrays come from the thread's pool.
#include "bench/program_folder.h"
#include "rules/move_range.h"
#include "state/game_state.h"

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <map>
#include <memory>
#include <random>

namespace {

// A started game whose map is made size × size of random natural terrain the unit crosses, with one
// land unit in the middle. The game state is one per process; the map is redrawn when the size changes.
struct World {
    std::unique_ptr<GameState> game = std::make_unique<GameState>();
    int size = 0;
    int moveType = 0;
    std::vector<int> natural;

    World()
    {
        prepareBenchProgramFolder();
        game->startUp();
        g_gameState = game.get();
        int type = 0;
        for (const UnitTypeRecord& t : game->unitTypes())
            if (t.domain == 3 && t.available && t.id > 0) {
                type = t.id;
                break;
            }
        moveType = game->unitTypeRecord(type).movementType;
        for (size_t i = 0; i < game->terrainTypes().size(); ++i)
            if (game->terrainTypes()[i].kind < 11 && game->terrainTypes()[i].moveCost[moveType] > 0)
                natural.push_back(int(i));
        game->country(0).controller = 2;
        game->country(0).inPlay = 1;
        UnitRecord& unit = *game->unitOf(0, 0);
        unit = UnitRecord {};
        unit.stateLow = 1;
        unit.unitTypeId = uint16_t(type);
        game->setUnitCount(0, 1);
    }

    void resize(int map_size)
    {
        if (size == map_size)
            return;
        size = map_size;
        game->mapHeader().width = uint16_t(size);
        game->mapHeader().height = uint16_t(size);
        std::mt19937 random(11);
        for (int i = 0; i < size * size; ++i)
            game->terrainGrid()[i].terrain = uint8_t(natural[random() % natural.size()]);
        UnitRecord& unit = *game->unitOf(0, 0);
        unit.x = unit.y = uint8_t(size / 2);
    }
};

World& world(int size)
{
    static World w;
    w.resize(size);
    return w;
}

int unitRange(GameState& game, int limit, bool as_computer)
{
    MoveRangeMap range(game, 0, 0);
    range.setCostLimit(limit);
    range.setBuildUnitFlags(true);
    range.setSecondLayer(as_computer);
    range.compute();
    return range.costAt(0, 0, -1);
}

std::vector<uint8_t> entryCosts(const World& w)
{
    std::vector<uint8_t> costs(size_t(w.size * w.size));
    for (int y = 0; y < w.size; ++y)
        for (int x = 0; x < w.size; ++x)
            costs[size_t(y * w.size + x)] = uint8_t(w.game->terrainValueAt(x, y, w.moveType));
    return costs;
}

// Cheapest-first over 256 cost buckets, neighbour offsets by row parity, no division per entry.
class BucketDijkstra {
public:
    int run(const std::vector<uint8_t>& costs, int size, std::vector<int>& dist)
    {
        dist.assign(costs.size(), -1);
        for (auto& b : m_buckets)
            b.clear();
        const int start = size / 2 * size + size / 2;
        dist[size_t(start)] = 0;
        m_buckets[0].push_back({ uint32_t(start), uint32_t(size / 2) });
        size_t pending = 1;
        // Offsets of directions 0..5 on even and odd rows.
        const std::array<std::array<int, 2>, 6> even { { { -1, 0 }, { -1, 1 }, { 0, 1 }, { 1, 0 }, { 0, -1 }, { -1, -1 } } };
        const std::array<std::array<int, 2>, 6> odd { { { -1, 0 }, { 0, 1 }, { 1, 1 }, { 1, 0 }, { 1, -1 }, { 0, -1 } } };
        for (int c = 0; pending; ++c) {
            auto& bucket = m_buckets[size_t(c & 255)];
            for (size_t r = 0; r < bucket.size(); ++r) {
                const auto [i, y] = bucket[r];
                --pending;
                if (dist[i] != c)
                    continue;
                const int x = int(i) - int(y) * size;
                const auto& offsets = (y & 1) ? odd : even;
                for (const auto& [dx, dy] : offsets) {
                    const int nx = x + dx, ny = int(y) + dy;
                    if (nx < 0 || ny < 0 || nx >= size || ny >= size)
                        continue;
                    const size_t j = size_t(ny * size + nx);
                    const int k = costs[j];
                    if (k && (dist[j] < 0 || c + k < dist[j])) {
                        dist[j] = c + k;
                        m_buckets[size_t((c + k) & 255)].push_back({ uint32_t(j), uint32_t(ny) });
                        ++pending;
                    }
                }
            }
            bucket.clear();
        }
        return dist[0];
    }

private:
    std::array<std::vector<std::pair<uint32_t, uint32_t>>, 256> m_buckets;
};

void wholeMapRange(benchmark::State& state)
{
    World& w = world(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(unitRange(*w.game, 1 << 20, false));
}
BENCHMARK(wholeMapRange)->Arg(64)->Arg(128)->Arg(256)->Unit(benchmark::kMicrosecond);

void bucketDijkstra(benchmark::State& state)
{
    World& w = world(int(state.range(0)));
    const std::vector<uint8_t> costs = entryCosts(w);
    std::vector<int> dist;
    BucketDijkstra search;
    for (auto _ : state)
        benchmark::DoNotOptimize(search.run(costs, w.size, dist));
}
BENCHMARK(bucketDijkstra)->Arg(64)->Arg(128)->Arg(256)->Unit(benchmark::kMicrosecond);

// Both in alternation, so the ratio compares like with like on the same machine state.
void rangeToDijkstraRatio(benchmark::State& state)
{
    using Clock = std::chrono::steady_clock;
    World& w = world(int(state.range(0)));
    const std::vector<uint8_t> costs = entryCosts(w);
    std::vector<int> dist;
    BucketDijkstra search;
    double range_s = 0, dijkstra_s = 0;
    int64_t rounds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        const int a = unitRange(*w.game, 1 << 20, false);
        const auto t1 = Clock::now();
        const int b = search.run(costs, w.size, dist);
        const auto t2 = Clock::now();
        if (a != b)
            state.SkipWithError("the range and the bare search disagree");
        range_s += std::chrono::duration<double>(t1 - t0).count();
        dijkstra_s += std::chrono::duration<double>(t2 - t1).count();
        ++rounds;
    }
    state.counters["range_us"] = range_s * 1e6 / double(rounds);
    state.counters["dijkstra_us"] = dijkstra_s * 1e6 / double(rounds);
    state.counters["ratio"] = range_s / dijkstra_s;
}
BENCHMARK(rangeToDijkstraRatio)->Arg(64)->Arg(128)->Arg(256)->Unit(benchmark::kMicrosecond);

void threeMovePointRange(benchmark::State& state)
{
    World& w = world(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(unitRange(*w.game, 3, true));
}
BENCHMARK(threeMovePointRange)->Arg(64)->Arg(128)->Arg(256)->Unit(benchmark::kMicrosecond);

} // namespace
