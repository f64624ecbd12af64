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

// The computer player, hashing the game after each of its side turns and productions.
class HashingPlayer : public AiComputerPlayer {
public:
    int playTurn(GameState& state, int side, const std::atomic<BYTE>& stop) override
    {
        const int result = AiComputerPlayer::playTurn(state, side, stop);
        fold(state);
        return result;
    }
    int planProduction(GameState& state, int country) override
    {
        const int result = AiComputerPlayer::planProduction(state, country);
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
    { "training.vtm/0", 1, { 0xa16199a452edc389ull, 91 } },
    { "training.vtm/0", 2, { 0x2e6de0b842bd614cull, 104 } },
    { "training.vtm/0", 3, { 0x5813d25e204376a3ull, 128 } },
    { "riverside.vts/0", 1, { 0x2ea3596d1d97f9d4ull, 64 } },
    { "riverside.vts/0", 2, { 0x15df658f93572081ull, 88 } },
    { "riverside.vts/0", 3, { 0x37d85e2bf224084bull, 86 } },
    { "continent.vtm/0", 1, { 0x9a835b0d19df900cull, 115 } },
    { "continent.vtm/0", 2, { 0x9e152d5f3b924228ull, 106 } },
    { "continent.vtm/0", 3, { 0x6c9544d1545ac3dcull, 127 } },
    { "border.vtc/0", 1, { 0xc9f41b782f6402d4ull, 29 } },
    { "border.vtc/0", 2, { 0x7c6da9d68a236344ull, 29 } },
    { "border.vtc/0", 3, { 0xcc162599128016a9ull, 25 } },
    { "border.vtc/1", 1, { 0xd4e478a3e0cbc333ull, 70 } },
    { "border.vtc/1", 2, { 0x33c082e028c66310ull, 70 } },
    { "border.vtc/1", 3, { 0x300c1f98b21c5297ull, 68 } },
    { "duel.vtm/0", 1, { 0x29b8b1fcc7958725ull, 160 } },
    { "duel.vtm/0", 2, { 0xed5e0aa0edc60c3dull, 41 } },
    { "duel.vtm/0", 3, { 0x9751db8fbb683d27ull, 83 } },
    { "pentagon.vtm/0", 1, { 0x6b2fd715863ed2ceull, 75 } },
    { "pentagon.vtm/0", 2, { 0x54a88c38b7ccb59dull, 75 } },
    { "pentagon.vtm/0", 3, { 0xb3a6a66cc1504887ull, 69 } },
    { "octagon.vtm/0", 1, { 0x9e2f5ff1e93c8118ull, 121 } },
    { "octagon.vtm/0", 2, { 0x5f9a172635488325ull, 95 } },
    { "octagon.vtm/0", 3, { 0xed13a17af27377ccull, 105 } },
};

const std::vector<Recorded> kLargeGames = {
    { "64x8", 1, { 0xd8b0f74774a28385ull, 192 } },
    { "64x8", 2, { 0x5312767f9c2d933cull, 188 } },
    { "96x4", 1, { 0xbaee0a0a81bdd048ull, 64 } },
    { "96x4", 2, { 0xb40470e5b9ec4af7ull, 64 } },
    { "128x2", 1, { 0x5faa041049fe0d01ull, 24 } },
    { "128x2", 2, { 0xc9fe098627c2a259ull, 24 } },
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
