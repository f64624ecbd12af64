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

// Recorded before the range and the turn marks were made cheaper.
const std::vector<Recorded> kSampleGames = {
    { "training.vtm/0", 1, { 0x3c518d4d5fd933beull, 100 } },
    { "training.vtm/0", 2, { 0x152ecf95a5ddb648ull, 117 } },
    { "training.vtm/0", 3, { 0x440be25e092d278ull, 150 } },
    { "riverside.vts/0", 1, { 0x5cf19bb4b2dd8f3aull, 58 } },
    { "riverside.vts/0", 2, { 0xe55180dad5ff791aull, 63 } },
    { "riverside.vts/0", 3, { 0x705758041d51c537ull, 87 } },
    { "continent.vtm/0", 1, { 0x7a2023c2947fea33ull, 115 } },
    { "continent.vtm/0", 2, { 0x357d98aa26a5b9ffull, 97 } },
    { "continent.vtm/0", 3, { 0x39ce6a3c3902b755ull, 88 } },
    { "border.vtc/0", 1, { 0xd8a9654afe82e76aull, 33 } },
    { "border.vtc/0", 2, { 0xb2407c66bc77b09ull, 58 } },
    { "border.vtc/0", 3, { 0xaa6b002a6bb9badfull, 37 } },
    { "border.vtc/1", 1, { 0x2f74c5ec3c4a7a25ull, 70 } },
    { "border.vtc/1", 2, { 0x8d549ce28c4036e0ull, 68 } },
    { "border.vtc/1", 3, { 0xc73ccdd87a61ef9full, 74 } },
    { "duel.vtm/0", 1, { 0xadc2d2d38bbf808cull, 109 } },
    { "duel.vtm/0", 2, { 0xcc7eaa4f01385b83ull, 160 } },
    { "duel.vtm/0", 3, { 0x4ceec94065774ca7ull, 160 } },
    { "pentagon.vtm/0", 1, { 0xbd45764d799bc6baull, 86 } },
    { "pentagon.vtm/0", 2, { 0x463994f2c44e7e19ull, 86 } },
    { "pentagon.vtm/0", 3, { 0xe602be42e548ff84ull, 75 } },
    { "octagon.vtm/0", 1, { 0x10318538b2185639ull, 95 } },
    { "octagon.vtm/0", 2, { 0x9acf7f5034399467ull, 95 } },
    { "octagon.vtm/0", 3, { 0xedd530be7a3d11beull, 111 } },
};

const std::vector<Recorded> kLargeGames = {
    { "64x8", 1, { 0x42a88d1d63726bbbull, 182 } },
    { "64x8", 2, { 0x56eba114dada6c97ull, 182 } },
    { "96x4", 1, { 0x3eef51ba8104655ull, 64 } },
    { "96x4", 2, { 0x3f7a11ff72eefccbull, 64 } },
    { "128x2", 1, { 0x25355346cded0c11ull, 24 } },
    { "128x2", 2, { 0x3147d9b883a08c87ull, 24 } },
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
