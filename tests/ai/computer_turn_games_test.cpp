// All-computer games on every sample map over twenty pools; slow, so run only by name
// (--gtest_also_run_disabled_tests --gtest_filter='*ComputerTurnGames*').
#include "ai/computer_players.h"
#include "rules/game_thread.h"
#include "rules/play.h"
#include "rules/victory.h"
#include "state/game_state.h"
#include "state/memory_read_stream.h"
#include "tests/state/small_world.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> sampleMaps()
{
    std::vector<fs::path> maps;
    for (const auto& entry : fs::directory_iterator(fs::path(DERAZODO_PROGRAM_DIR) / "tkmap"))
        if (entry.path().extension() == ".vtm" || entry.path().extension() == ".vts")
            maps.push_back(entry.path());
    std::sort(maps.begin(), maps.end());
    return maps;
}

// A recorded pool drawn from the seed, so a game is the seed's and no other's.
RandomPool seededPool(unsigned seed)
{
    std::mt19937 generator(seed);
    std::vector<uint8_t> bytes(1 + RandomPool::kPoolSize + 16, 0);
    bytes[0] = 1;
    for (int i = 0; i < RandomPool::kPoolSize; ++i)
        bytes[size_t(1 + i)] = uint8_t(generator());
    MemoryReadStream stream(bytes.data(), bytes.size());
    RandomPool pool;
    pool.load(stream);
    return pool;
}

struct Outcome {
    bool victory = false;
    // Every country still in play belongs to one alliance: nobody is left to fight.
    bool oneAllianceLeft = false;
    int turn = 0;
    uint32_t destroyed = 0;
    uint32_t bought = 0;
    int buildingsChanged = 0;
};

Outcome play(const fs::path& map, unsigned seed)
{
    testing_state::SmallWorld world(4, 4);
    GameState& state = world.state();
    std::ifstream in(map, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_TRUE(state.loadMapImage(bytes.data(), bytes.size())) << map;
    std::vector<int> owners;
    for (size_t i = 0; i < state.buildingCount(); ++i)
        owners.push_back(state.buildingAt(i).owner());
    for (int c = 0; c < kCountryCount; ++c)
        if (state.country(c).controller != 0)
            state.country(c).controller = 2;
    state.settings().playChime = false;
    state.settings().showIncome = false;
    state.randomPool() = seededPool(seed);
    startPlay(state);
    AiComputerPlayer player;
    GameThread thread(state, player, StepYield::None);
    thread.Run();

    Outcome outcome;
    outcome.turn = state.turnBlock().turn;
    for (int c = 0; c < kCountryCount; ++c) {
        const CountryRecord& country = state.country(c);
        outcome.victory |= state.turnBlock().decided && country.outcome >= 1 && country.outcome <= 99;
        outcome.destroyed += country.enemyUnitsDestroyed;
        outcome.bought += country.unitsBought;
    }
    int first = -1;
    outcome.oneAllianceLeft = true;
    for (int c = 0; c < kCountryCount; ++c) {
        if (!isCountryInPlay(state, c))
            continue;
        if (first < 0)
            first = c;
        else if (!state.isAllied(first, c))
            outcome.oneAllianceLeft = false;
    }
    for (size_t i = 0; i < state.buildingCount() && i < owners.size(); ++i)
        outcome.buildingsChanged += state.buildingAt(i).owner() != owners[i];
    endPlay(state);
    return outcome;
}

} // namespace

TEST(ComputerTurnGames, DISABLED_VictoriesBeforeTheTurnLimitOnEverySampleMap)
{
    for (const fs::path& map : sampleMaps()) {
        int victories = 0, decisive = 0;
        long turns = 0, destroyed = 0, bought = 0, changed = 0;
        for (unsigned seed = 1; seed <= 20; ++seed) {
            const Outcome o = play(map, seed);
            victories += o.victory;
            decisive += o.oneAllianceLeft;
            turns += o.turn, destroyed += o.destroyed, bought += o.bought, changed += o.buildingsChanged;
        }
        std::printf("%s: %d of 20 won, %d of 20 with one alliance left; mean turn %.1f, destroyed %.1f, bought %.1f, "
                    "buildings taken %.1f\n",
            map.filename().c_str(), victories, decisive, turns / 20.0, destroyed / 20.0, bought / 20.0, changed / 20.0);
        EXPECT_GT(destroyed + changed, 0) << map << ": nobody fought or occupied";
    }
}
