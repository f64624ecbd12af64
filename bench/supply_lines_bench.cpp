// Supply-line and threat-mark time on a 256 × 256 map: eight countries, a road grid with dead-end
// stubs, a headquarters and 40 cities each, and 200 armed units each.
#include "bench/program_folder.h"
#include "rules/supply_lines.h"
#include "rules/turn_marks.h"
#include "state/game_state.h"
#include "state/sight_maps.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

constexpr int kSize = 256;
constexpr int kHeadquarters = 31;

struct World {
    std::unique_ptr<GameState> game = std::make_unique<GameState>();

    World()
    {
        prepareBenchProgramFolder();
        game->startUp();
        g_gameState = game.get();
        game->mapHeader().width = kSize;
        game->mapHeader().height = kSize;
        game->ruleBlock().switches[kRuleSupplyLines] = 1;
        game->recreateSightMaps();
        for (int i = 0; i < kSize * kSize; ++i)
            game->terrainGrid()[i].terrain = 1;
        layRoads();
        std::mt19937 random(5);
        for (int c = 0; c < kCountryCount; ++c) {
            game->country(c).controller = 2;
            game->country(c).inPlay = 1;
            const int band = c * (kSize / kCountryCount);
            game->country(c).capitalX = 4;
            game->country(c).capitalY = uint16_t(band);
            addBuilding(kHeadquarters, c, 4, band);
            for (int i = 0; i < 40; ++i) {
                // One draw a statement, so every compiler builds the same map.
                const int kind = game->terrainRoles().largeCity + int(random() % 4);
                const int x = int(random() % kSize);
                const int y = band + int(random() % 8) * 4;
                addBuilding(kind, c, x, y);
            }
            addUnits(c, random);
        }
        game->turnBlock().currentCountry = 0;
    }

    void link(int ax, int ay, int bx, int by)
    {
        for (int d = 0; d < kHexDirections; ++d)
            if (game->hexNeighbour(ax, ay, d) == HexPos { bx, by }) {
                game->terrainCellAt(ax, ay)->overlay |= uint8_t(1u << d);
                game->terrainCellAt(bx, by)->overlay |= uint8_t(1u << oppositeDirection(d));
            }
    }

    // East-west roads on every fourth row, joined north-south every eighth column; every other
    // column has a gap each eighth row, leaving dead-end stubs that the search prunes.
    void layRoads()
    {
        for (int y = 0; y < kSize; y += 4)
            for (int x = 0; x + 1 < kSize; ++x)
                link(x, y, x + 1, y);
        for (int x = 0; x < kSize; x += 8)
            for (int y = 0; y + 1 < kSize; ++y)
                if (y % 8 != 3 || x % 16 == 0)
                    link(x, y, game->hexNeighbour(x, y, y & 1 ? 1 : 2).x, y + 1);
    }

    void addBuilding(int type, int owner, int x, int y)
    {
        BuildingRecord record {};
        record.type = uint8_t(type);
        record.ownerPlusOne = uint8_t(owner + 1);
        record.x = uint32_t(x);
        record.y = uint32_t(y);
        game->buildings().push_back(record);
        game->unitCellAt(x, y)->building = uint16_t(game->buildings().size());
    }

    void addUnits(int c, std::mt19937& random)
    {
        std::vector<int> types;
        for (const UnitTypeRecord& t : game->unitTypes())
            if (t.available && t.id > 0 && t.domain <= 4)
                types.push_back(t.id);
        for (int i = 0; i < 200; ++i) {
            UnitRecord& unit = *game->unitOf(c, i);
            const UnitTypeRecord& type = game->unitTypeRecord(types[random() % types.size()]);
            unit = UnitRecord {};
            unit.stateLow = 1;
            unit.unitTypeId = type.id;
            unit.x = uint8_t(random() % kSize);
            unit.y = uint8_t(random() % kSize);
            for (int s = 0; s < kWeaponSlotCount; ++s)
                unit.ammunition[s] = type.model[0].ammo[s];
            unit.memberStrengths[0] = type.memberStrength;
        }
        game->setUnitCount(c, 200);
    }
};

World& world()
{
    static World w;
    return w;
}

void updateAllSupplyLines(benchmark::State& state)
{
    World& w = world();
    for (auto _ : state) {
        updateSupplyLines(*w.game);
        benchmark::DoNotOptimize(w.game->buildings().front().supplyBits);
    }
    int supplied = 0, lines = 0;
    for (const BuildingRecord& b : w.game->buildings())
        supplied += b.supplyBits & 1;
    for (int i = 0; i < kSize * kSize; ++i)
        lines += w.game->unitGrid()[i].supplyLineMask != 0;
    state.counters["supplied"] = supplied;
    state.counters["line_hexes"] = lines;
}
BENCHMARK(updateAllSupplyLines)->Unit(benchmark::kMillisecond);

void resetAllTurnMarks(benchmark::State& state)
{
    World& w = world();
    for (auto _ : state) {
        resetHexTurnMarks(*w.game);
        benchmark::DoNotOptimize(w.game->unitCellAt(0, 0)->turnMark);
    }
    int marked = 0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            marked += w.game->hexLayers()->cellByte(x, y, 3) != 0;
    state.counters["land_threat_hexes"] = marked;
}
BENCHMARK(resetAllTurnMarks)->Unit(benchmark::kMillisecond);

} // namespace
