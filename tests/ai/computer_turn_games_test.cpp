// All-computer games on every sample map, a dozen pools each: a game ends in a victory or at the
// turn limit with the map's result for every country still in play, and the computer players win
// often enough that a player who never takes anything would fail; what they make can stand and move
// off where it was made. The simple-mode map is played in simple mode.
#include "ai/computer_players.h"
#include "rules/game_thread.h"
#include "rules/home_hex.h"
#include "rules/play.h"
#include "rules/production.h"
#include "rules/production_types.h"
#include "rules/supply_lines.h"
#include "rules/victory.h"
#include "state/game_settings.h"
#include "state/game_state.h"
#include "state/memory_read_stream.h"
#include "state/unit_facts.h"
#include "state/unit_type_record.h"
#include "tests/ai/seeded_worlds.h"
#include "tests/state/packed_value.h"
#include "tests/state/small_world.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <ostream>

namespace {

constexpr unsigned kGames = 12;

struct Outcome {
    bool victory = false;
    // Ended by passing the turn limit, every country still in play holding the map's result for it.
    bool limitWithResults = false;
    int turn = 0;
    uint32_t bought = 0;
    int64_t income = 0;
};

bool isSimpleMap(const char* file) { return std::strstr(file, ".smp") != nullptr; }

// The world started again in the mode the map is for: simple mode has its own unit types and rules.
void startInModeOf(testing_state::SmallWorld& world, const char* file)
{
    if (!isSimpleMap(file))
        return;
    makeNamedValue("SimpleMode").profileWriteInt(1);
    world.state().startUp();
}

Outcome play(const char* file, const std::vector<uint8_t>& image, unsigned seed, uint16_t turn_limit)
{
    testing_state::SmallWorld world(4, 4);
    startInModeOf(world, file);
    GameState& state = world.state();
    EXPECT_TRUE(testing_ai::readyComputerGame(state, image, seed));
    EXPECT_EQ(state.isSimpleMode(), isSimpleMap(file));
    if (turn_limit)
        state.mapHeader().turnLimit = turn_limit;
    startPlay(state);
    std::vector<uint32_t> funds_at_start;
    for (int c = 0; c < kCountryCount; ++c)
        funds_at_start.push_back(uint32_t(state.country(c).funds)); // a packed field, read by value
    testing_ai::WatchedProduction player;
    GameThread thread(state, player, StepYield::None);
    thread.Run();
    EXPECT_EQ(player.misplaced(), std::vector<std::string> {}) << "seed " << seed;

    Outcome outcome;
    const TurnBlock& turn = state.turnBlock();
    outcome.turn = turn.turn;
    bool every_result = turn.turn > mapTurnLimit(state);
    for (int c = 0; c < kCountryCount; ++c) {
        const CountryRecord& country = state.country(c);
        outcome.victory |= turn.decided && country.outcome >= 1 && country.outcome <= 99 && country.outcome != 4;
        outcome.bought += country.unitsBought;
        outcome.income += int64_t(country.runningTotal) - int64_t(funds_at_start[size_t(c)]);
        if (state.countryTakesPart(c) && country.turnLimitResult != 0) {
            const int expected = country.turnLimitResult == 1 ? kOutcomeTurnLimitVictory : kOutcomeTurnLimitDefeat;
            every_result = every_result && country.outcome == expected;
        } else if (state.countryTakesPart(c)) {
            every_result = false;
        }
    }
    outcome.limitWithResults = !outcome.victory && every_result;

    // 終了ターン数 of each country the report may be about agrees with the graphs' last turn. In
    // simple mode the game is decided in the turn the last enemy fell: the side left has won.
    const int graphs_end = int(state.turnStatsCount()) - 1;
    for (int c = 0; c < kCountryCount; ++c) {
        const CountryRecord& country = state.country(c);
        if (country.controller == 0 || (!state.isSimpleMode() && !state.countryTakesPart(c)))
            continue;
        EXPECT_EQ(finalTurnOf(state, c), graphs_end) << "seed " << seed << " country " << c;
        if (state.isSimpleMode() && turn.decided) {
            EXPECT_EQ(isVictoryOutcome(country.outcome), state.countryTakesPart(c)) << "seed " << seed << " country " << c;
        }
    }
    endPlay(state);
    return outcome;
}

struct SampleMap {
    const char* file;
    // Per map of the file, at least this many of the games end in a victory before the limit.
    std::array<unsigned, 2> victories;
    // A turn limit cut so short that every game reaches it; 0 keeps the map's.
    uint16_t turnLimit = 0;
};

void PrintTo(const SampleMap& sample, std::ostream* out) { *out << sample.file; }

class ComputerTurnGames : public ::testing::TestWithParam<SampleMap> { };

} // namespace

TEST_P(ComputerTurnGames, EveryGameEndsInAVictoryOrAtTheLimitWithTheMapsResult)
{
    const SampleMap sample = GetParam();
    const auto images = testing_ai::sampleMapImages(sample.file);
    ASSERT_FALSE(images.empty()) << sample.file;
    for (size_t stage = 0; stage < images.size(); ++stage) {
        unsigned victories = 0, at_limit = 0, without_production = 0;
        long turns = 0, bought = 0;
        int64_t income = 0;
        for (unsigned seed = 1; seed <= kGames; ++seed) {
            const Outcome o = play(sample.file, images[stage], seed, sample.turnLimit);
            victories += o.victory;
            at_limit += o.limitWithResults;
            without_production += o.bought == 0;
            turns += o.turn, bought += o.bought, income += o.income;
        }
        std::printf("%s stage %zu: %u of %u won, %u at the limit; mean turn %.1f, bought %.1f, income %.0f\n", sample.file,
            stage, victories, kGames, at_limit, double(turns) / kGames, double(bought) / kGames, double(income) / kGames);
        EXPECT_EQ(victories + at_limit, kGames) << sample.file << " stage " << stage << ": a game ended with no result";
        EXPECT_GE(victories, sample.victories.at(stage)) << sample.file << " stage " << stage;
        EXPECT_TRUE(!sample.turnLimit || at_limit == kGames) << sample.file << " stage " << stage;
        EXPECT_GT(income, 0) << "the buildings pay";
        EXPECT_EQ(without_production, 0u) << "and every game spends it";
    }
}

// A turn's income is what the country's intact buildings earn, and every country in play has a
// result for the turn limit.
TEST_P(ComputerTurnGames, EveryCountryEarnsItsBuildingsIncomeAndHasAResultAtTheLimit)
{
    const SampleMap sample = GetParam();
    for (const std::vector<uint8_t>& image : testing_ai::sampleMapImages(sample.file)) {
        testing_state::SmallWorld world(4, 4);
        startInModeOf(world, sample.file);
        GameState& state = world.state();
        ASSERT_TRUE(state.loadMapImage(image.data(), image.size()));
        for (int c = 0; c < kCountryCount; ++c)
            if (state.country(c).controller != 0)
                state.country(c).controller = 2;
        startPlay(state);
        AiComputerPlayer player;
        GameThread thread(state, player, StepYield::None);
        int countries = 0;
        for (int c = 0; c < kCountryCount; ++c) {
            if (!state.countryTakesPart(c))
                continue;
            ++countries;
            const CountryRecord& country = state.country(c);
            EXPECT_TRUE(country.turnLimitResult == 1 || country.turnLimitResult == 2) << sample.file << " country " << c;
            // As the simple map's description promises: red, holding out, wins.
            if (isSimpleMap(sample.file)) {
                EXPECT_EQ(country.turnLimitResult, c == 1 ? 1 : 2) << sample.file << " country " << c;
            }
            uint32_t expected = 0;
            for (const BuildingRecord& b : state.buildings())
                if (b.ownerPlusOne == c + 1 && b.isIntact())
                    expected += state.terrainTypes()[b.type].income;
            EXPECT_GT(expected, 0u) << sample.file << " country " << c << " owns nothing that pays";
            EXPECT_GT(packed(country.funds), 0u) << "opening funds";
            TurnBlock& turn = state.turnBlock();
            turn.turn = 2;
            turn.phase = kPhaseIncome;
            turn.currentCountry = uint16_t(c);
            const uint32_t before = country.funds;
            thread.runStep();
            EXPECT_EQ(packed(country.funds), before + expected) << sample.file << " country " << c;
        }
        EXPECT_GE(countries, 2);
        endPlay(state);
    }
}

// Every building of every shipped map and stage, lent in turn to the first country and supplied,
// with no distance to home asked, offers only what its kind serves: no ship where the kind has no
// sea marks, no aircraft where it has none for aircraft. And each country with a home to produce
// near (the campaign's garrisons have none) has a building of its own for each domain it starts in.
TEST(ComputerTurnGames, BuildingsMakeOnlyWhatTheyServeAndEachCountryWhatItStartsWith)
{
    for (const char* file : { "training.vtm", "riverside.vts", "continent.vtm", "border.vtc", "duel.vtm", "pentagon.vtm",
             "octagon.vtm" })
        for (const std::vector<uint8_t>& image : testing_ai::sampleMapImages(file)) {
            testing_state::SmallWorld world(4, 4);
            GameState& state = world.state();
            ASSERT_TRUE(state.loadMapImage(image.data(), image.size())) << file;
            startPlay(state);
            updateSupplyLines(state);
            for (int c = 0; c < kCountryCount; ++c) {
                std::vector<HexPos> home;
                collectHomeAnchors(state, c, home);
                if (home.empty())
                    continue;
                uint16_t needed = 0, offered = 0;
                for (uint32_t i = 0; i < state.unitCount(c); ++i)
                    if (const UnitRecord& unit = *state.unitOf(c, int(i)); unitExists(unit))
                        needed |= uint16_t(1u << state.unitTypeOf(unit)->domain);
                for (const BuildingRecord& b : state.buildings())
                    if (b.ownerPlusOne == c + 1)
                        offered |= productionCategoriesAt(state, int(b.x), int(b.y), c, 1);
                EXPECT_EQ(needed & ~offered, 0) << file << " country " << c << " starts with what it cannot make";
            }
            state.ruleBlock().switches[kRuleProductionAnyDistance] = 1;
            int offers = 0;
            for (BuildingRecord& building : state.buildings()) {
                const BuildingRecord kept = building;
                building.ownerPlusOne = 1;
                building.supplyBits |= 1;
                const TerrainRecord& kind = *building.terrain();
                const uint16_t served = kind.refuelMask | kind.rearmMask | kind.replenishMask | kind.repairMask;
                for (uint32_t id : producibleTypesAt(state, int(building.x), int(building.y), 0)) {
                    ++offers;
                    EXPECT_TRUE(served >> unitTypeGroup(state.unitTypeRecord(int(id))) & 1)
                        << file << ": terrain " << int(building.type) << " at " << building.x << "," << building.y
                        << " offers type " << id;
                }
                building = kept;
            }
            EXPECT_GT(offers, 0) << file;
            endPlay(state);
        }
}

INSTANTIATE_TEST_SUITE_P(SampleMaps, ComputerTurnGames,
    ::testing::Values(SampleMap { "training.vtm", { 4, 0 } }, SampleMap { "training.smp", { 4, 0 } },
        SampleMap { "training.smp", { 0, 0 }, 3 }, SampleMap { "riverside.vts", { 5, 0 } },
        SampleMap { "continent.vtm", { 6, 0 } }, SampleMap { "border.vtc", { 5, 1 } }),
    [](const ::testing::TestParamInfo<SampleMap>& info) {
        std::string name = info.param.file;
        if (info.param.turnLimit)
            name += "_limit" + std::to_string(info.param.turnLimit);
        for (char& c : name)
            if (c == '.')
                c = '_';
        return name;
    });
