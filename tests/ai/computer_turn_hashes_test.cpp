// Seeded all-computer games played turn by turn: a hash of the game after every side's action and
// production, folded over the game, must stay what was recorded. Any change to what the computer
// player or the rules decide (a range, a zone, a mark, a draw from the pool) changes the hash; a
// change that only makes them faster does not.
#include "ai/computer_players.h"
#include "rules/game_thread.h"
#include "rules/play.h"
#include "state/game_state.h"
#include "state/saved_game.h"
#include "tests/ai/seeded_worlds.h"
#include "tests/state/small_world.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class Fnv {
public:
    void add(const void* data, size_t size)
    {
        const auto* bytes = static_cast<const uint8_t*>(data);
        for (size_t i = 0; i < size; ++i)
            m_value = (m_value ^ bytes[i]) * 0x100000001b3ull;
    }
    template <typename T> void addAll(const std::vector<T>& items) { add(items.data(), items.size() * sizeof(T)); }
    template <typename T> void addValue(const T& value) { add(&value, sizeof value); }
    uint64_t value() const { return m_value; }

private:
    uint64_t m_value = 0xcbf29ce484222325ull;
};

// Everything a save holds: units, missiles, buildings, cells, countries, the turn, sight and the pool.
uint64_t stateHash(GameState& state)
{
    SavedGameImage image;
    captureSavedGame(state, image);
    Fnv h;
    h.addValue(image.turn);
    h.add(image.countries.data(), sizeof image.countries);
    h.addValue(image.neutral);
    h.addAll(image.cells);
    h.addAll(image.buildings);
    for (const auto& units : image.units)
        h.addAll(units);
    for (const auto& missiles : image.missiles)
        h.addAll(missiles);
    for (const auto& destroyed : image.destroyed)
        h.addAll(destroyed);
    for (const auto& sight : image.sight)
        h.addAll(sight);
    h.addValue(image.pool.cursor());
    h.add(image.pool.bytes(), RandomPool::kPoolSize);
    return h.value();
}

// The computer player, watching what it makes and hashing the game after each of its side turns and
// productions.
class HashingPlayer : public testing_ai::WatchedProduction {
public:
    int playTurn(GameState& state, int side, const std::atomic<BYTE>& stop) override
    {
        const int result = AiComputerPlayer::playTurn(state, side, stop);
        fold(state);
        return result;
    }
    int planProduction(GameState& state, int country) override
    {
        const int result = WatchedProduction::planProduction(state, country);
        fold(state);
        return result;
    }

    uint64_t value() const { return m_game.value(); }
    int steps() const { return m_steps; }

private:
    void fold(GameState& state)
    {
        m_game.addValue(stateHash(state));
        ++m_steps;
    }

    Fnv m_game;
    int m_steps = 0;
};

struct GameHash {
    uint64_t hash = 0;
    int steps = 0;
};

GameHash playHashed(const std::vector<uint8_t>& image, unsigned seed)
{
    testing_state::SmallWorld world(4, 4);
    GameState& state = world.state();
    EXPECT_TRUE(testing_ai::readyComputerGame(state, image, seed));
    startPlay(state);
    HashingPlayer player;
    GameThread thread(state, player, StepYield::None);
    thread.Run();
    EXPECT_EQ(player.misplaced(), std::vector<std::string> {});
    GameHash result { player.value(), player.steps() };
    endPlay(state);
    return result;
}

struct Recorded {
    const char* game;
    unsigned seed;
    GameHash expected;
};

void expectRecorded(const std::string& game, unsigned seed, const GameHash& actual, const std::vector<Recorded>& table)
{
    for (const Recorded& r : table)
        if (game == r.game && seed == r.seed) {
            EXPECT_EQ(actual.steps, r.expected.steps) << game << " seed " << seed;
            EXPECT_EQ(actual.hash, r.expected.hash) << game << " seed " << seed << std::hex << ": 0x" << actual.hash;
            return;
        }
    ADD_FAILURE() << "no recorded hash for " << game << " seed " << seed << ": { \"" << game << "\", " << seed
                  << ", { 0x" << std::hex << actual.hash << std::dec << "ull, " << actual.steps << " } },";
}

// Each seeded game of the sample data: its hash and the number of steps folded into it.
const std::vector<Recorded> kSampleGames = {
    { "training.vtm/0", 1, { 0x7d62fe654d9d7b0dull, 92 } },
    { "training.vtm/0", 2, { 0x89443192c824d771ull, 97 } },
    { "training.vtm/0", 3, { 0xada9220b6404b304ull, 124 } },
    { "riverside.vts/0", 1, { 0x67ad3364b11688a8ull, 87 } },
    { "riverside.vts/0", 2, { 0x4a2f864088974e61ull, 74 } },
    { "riverside.vts/0", 3, { 0x6e6ea65ee46220e3ull, 86 } },
    { "continent.vtm/0", 1, { 0x163ddd873a9fb91dull, 118 } },
    { "continent.vtm/0", 2, { 0xfca093caa0fe8c1cull, 118 } },
    { "continent.vtm/0", 3, { 0x6cdd1f1bb0550f03ull, 129 } },
    { "border.vtc/0", 1, { 0x2d28556ac6fc770eull, 29 } },
    { "border.vtc/0", 2, { 0x9d00a744e75b24b7ull, 33 } },
    { "border.vtc/0", 3, { 0xf4c53d321abea74dull, 29 } },
    { "border.vtc/1", 1, { 0x5235d426ff6a1f43ull, 45 } },
    { "border.vtc/1", 2, { 0x9373a1e1350bbcb6ull, 41 } },
    { "border.vtc/1", 3, { 0x222c23e13990d33aull, 41 } },
    { "duel.vtm/0", 1, { 0x96e68d850c699e1dull, 160 } },
    { "duel.vtm/0", 2, { 0x7ed9cd04126c34b3ull, 35 } },
    { "duel.vtm/0", 3, { 0xd835045885d79515ull, 160 } },
    { "pentagon.vtm/0", 1, { 0x7683ab6de24fc803ull, 69 } },
    { "pentagon.vtm/0", 2, { 0xb0eb8fff447d9031ull, 106 } },
    { "pentagon.vtm/0", 3, { 0x69a640ef1f552cbfull, 80 } },
    { "octagon.vtm/0", 1, { 0x4e03a1a088ae840aull, 105 } },
    { "octagon.vtm/0", 2, { 0xe6c42360485d9db0ull, 105 } },
    { "octagon.vtm/0", 3, { 0x1b691323f5a71492ull, 105 } },
};

const std::vector<Recorded> kLargeGames = {
    { "64x8", 1, { 0x73a8ce93e8005a6ull, 192 } },
    { "64x8", 2, { 0x9e21dd82a184413bull, 192 } },
    { "96x4", 1, { 0xf9fb019618209c6full, 64 } },
    { "96x4", 2, { 0x959fd728a70c39bull, 64 } },
    { "128x2", 1, { 0x81b56570b7a4e232ull, 24 } },
    { "128x2", 2, { 0x849f0588fcca35afull, 24 } },
};

} // namespace

TEST(ComputerTurnHashes, EverySampleMapPlaysAsRecorded)
{
    for (const char* name : { "training.vtm", "riverside.vts", "continent.vtm", "border.vtc", "duel.vtm", "pentagon.vtm",
             "octagon.vtm" }) {
        const auto images = testing_ai::sampleMapImages(name);
        ASSERT_FALSE(images.empty()) << name;
        for (size_t stage = 0; stage < images.size(); ++stage)
            for (unsigned seed = 1; seed <= 3; ++seed) {
                const std::string game = std::string(name) + "/" + std::to_string(stage);
                expectRecorded(game, seed, playHashed(images[stage], seed), kSampleGames);
            }
    }
}

TEST(ComputerTurnHashes, LargeGeneratedWorldsPlayAsRecorded)
{
    struct Large {
        const char* name;
        testing_ai::LargeWorldShape shape;
        int turns;
    };
    for (const Large& large : { Large { "64x8", { 64, 8, 18, 5 }, 12 }, Large { "96x4", { 96, 4, 40, 6 }, 8 },
             Large { "128x2", { 128, 2, 75, 7 }, 6 } }) {
        const std::vector<uint8_t> image = testing_ai::largeWorldBytes(large.shape, large.turns);
        for (unsigned seed = 1; seed <= 2; ++seed)
            expectRecorded(large.name, seed, playHashed(image, seed), kLargeGames);
    }
}
