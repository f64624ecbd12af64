// The same game from the same random pool on any build: seeded all-computer games on every sample
// map, the state hashed after every side's turn and compared with the table below, which holds for
// every compiler. When the sample maps or the rules change on purpose, print the new table with
//   DERAZODO_PRINT_STATE_HASHES=1 build/test/tests/ai/ai_tests --gtest_filter='StateHash*'
// and paste it over kExpected.
#include "ai/computer_players.h"
#include "rules/game_thread.h"
#include "rules/play.h"
#include "state/action_history.h"
#include "state/game_state.h"
#include "state/memory_read_stream.h"
#include "state/saved_game.h"
#include "state/saved_game_stream.h"
#include "tests/state/small_world.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// Turns played on each map: enough for production, movement and fights to begin everywhere.
constexpr int kTurns = 8;

struct ExpectedGame {
    const char* map;
    // The hash after each side's turn, in order.
    const char* hashes;
};

const ExpectedGame kExpected[] = {
    { "continent.vtm",
        "4afee9fec805cb5e aadadc1a4c62a64c ec574493aab9146b 0a0a71210f4ac14f "
        "02b6990b586a1f57 bd695db6bd695467 776143b74498df2a 101291f2c99dd3e3 "
        "ef8411f98ffd238a 6f9b40adf2bb422c fab089631a02450c 5676ee59f5800558 "
        "00abd53527cdd1ce df1cee641ddee282 a1a2c93f3c1c28da 2f8017e064da2430 "
        "82b3ce6c25dd0437 58d06895d453f2d6 15641fd81483fcc2 baab3a70e0bae6cb "
        "96d4bc03e80cac51 5dac781e70b6fc84 66245d5dbdcb256d 01eee23955c55acc "
        "fb0feda910c462ae 5026ce919a43090f 569e0397c9a67feb 2680d3f46c03b085 "
        "7421bcbbe9e19ecb 9c944858a23cd12c 31a838e638e59dd0 25c6aa971de56d8b "
        "2d7157cd5aea7cd3 ba06a0bd3ef78d02 f4c2369c5b50578d 3bae588e426dec13 "
        "e31a98e0c3c6b439 a03fc9c3dbddd389 35d13a6ea5d44ea8 2c09e2c6039a5960 " },
    { "duel.vtm",
        "e82d02c07854133a 6e51cc8242dd7a93 3396fc5ec20bef11 b2b65c74f17be667 "
        "cfe43b3968cc84fc 9e6962d6c0b1a7de 6bbc8e0860bcc536 6150ba8628c9553b "
        "640c0dc2f7dc25b6 dab401a5852c558f d74d8bb9b7c82e6d 858a03a5c5c52b15 "
        "1f18243f0cd0a480 e2175a9325a5c1b2 13fa36f2822b3647 e6a802ae96d07705 "
        "fa728b1c69abfd37 c3409711507692da 7d79ee045a00b2f0 229c2fbfdffb2c92 "
        "a1f443c5ad306877 3965a2e9fc76074c 7ba28893b3616966 178441fd6c4a325e " },
    { "octagon.vtm",
        "724dc934f7db8d21 2440c042db420bf5 9b5333dda4b42381 3d68ff40dea9cf6c "
        "2b0b5a38b29d9a22 154a83fd94fec560 b12dfa825ed3a626 0e3f1202169ed31a "
        "342f09d7f510b7ef acd123eecadba921 03f449d040eddf52 5320cb60ba62f235 "
        "974ce98803ff29c0 a18e85a9d6ecc7bb 162bac53faab6778 8f038db0294b2cda "
        "c9f5920ce4c15b85 cd70a373ed9e57e9 8a3d5e0f4d282d85 8826a7434e6ba121 "
        "69f4b59052bd8a01 c19b990b13ae4e13 ef2f2b4628d9e913 7d4edaf16f4f3677 "
        "cf8496d3a53a0e1d 20a27a5ecd175819 d5991e3d5b6cffd7 5a342f567d5c006a "
        "1619d88eedbc3c63 a1686b61751d411f 8e996f6488252a1f 54efe7e5583dffa7 "
        "65ea4023e5cf3e26 7b95f37225f1111d 43da57eb23395e15 cce0a59847ad0a6e "
        "5c0cc07391c66062 a7d7409789546616 629214aaeff2e5a8 577857d03f20f3ce "
        "e76c6708457ad52c f2f20cb3e5eb1889 8bdc473d66bfe0c7 3e93e2206394b3e0 "
        "246d1d53dd88f8eb 1f1ec8afe3873e83 180039ad24b986f5 f9f367e916a62121 "
        "2660b339298ca804 5dda4aae2dc3b40f c5db277246cdd886 74b2e3c05bee6462 "
        "f78d9354ca17f6a1 edbe4ea9bc1732f1 33758b11190b03da accfde67ef62aee9 "
        "7230184881144a28 9b75221037f2a19f c246c3428406c3a2 62a5a82d8a1954da "
        "8985bba9c32b910b 9abedc6f13f70414 47ca25e0929ef7f2 e56dca124d9eb4d0 "
        "ba51bde4dc8cce2c ec7f83c216b8b733 46dfbbd084a76b62 1aaae51ec59d3403 " },
    { "pentagon.vtm",
        "ec877b1b25f8ce13 19ab24886bb643db da63318ea914f93b d13ea2c1de1938c0 "
        "a1fc0c61c71de897 b75f600d7c98b1fb e559ceb3e828874b 925a565b45dc1364 "
        "74414ce56831caea 17b50efbe90f64ae ac679a161a9b2edc 216631afdd915fae "
        "9eb207d427186482 a3d46f88ac0eefde b041fd9222a14f66 3f2ab6ec13d8aab8 "
        "b30208ec4d1c8a4d 9b8959ef776ad7a6 11c18e9ebcbf37a2 66637cb58da9347a "
        "dbde7fd6d5d2b4fe 78a829ed18e6f15c af1385e7a2b5f897 e6b9b804c8b0f87a "
        "3abbdc603f568f61 f5872285785893f1 3c24e62e9420da51 1ba15370695c4dc0 "
        "6a2e74c38e472119 022368057bac9108 dd5c99fd60a5abb5 78c20abfbfa94e8c "
        "bfaf1e3df4de1038 3e3aebf0c55ab2ff 4c4ca45afbb9da94 503c7dd1679ceb34 "
        "e410f6c1c01cfbfb e5c56c8806279a61 155c3aad845451c8 268bde8b361e6588 "
        "b287426325f7a56e 3b183c6817ec36e7 8a459f5184007907 fa62982acaaef004 "
        "56c1a91b3bd8edfd f4e652ba31873cac f16bc33a952c56f0 " },
    { "riverside.vts",
        "cb19194fd319d980 41356fb5a1041f0e fdd8c68e03fdceb7 fb83171075670b0c "
        "ffe2aa6e10fc4bd4 dd2be919a9300bb5 9073699ca5fdaa37 35a320fa5a10ece9 "
        "184bc1bfbaefe2e5 cf68cd249c9a2fa7 b897de3ffdcb4303 57a4987865c4a886 "
        "7e8c9bd7c96184d1 9b0f665f5c0aa447 af7e0f5718202525 84ef4112b13cde90 "
        "a0bbb2f64a58aa4b 7a1cc48fce83b920 8f136805196ff74d fac0d75cbad3696c "
        "6e410cc376ffeecd d654a1690af2cad6 c616a300466b2205 76b00ce141773443 " },
    { "training.vtm",
        "85bcdf726de933e2 f039bf2e9984308f c9c8dcc42416f0f0 900e59c3b09e9ff3 "
        "47fc76add3aab237 43e47d90452f4b0d 25c6713db38b672a 6b8d477c53bd61f5 "
        "458f2c6187f9b984 e0959d41ff19faeb 32e0e9b2ab342efd b96352c8c1266f2b "
        "05ec1d68a91658c6 f3fcdca706529dd3 54ea833726793d10 f161a38124abff9c "
        "c700370682bbf309 5228c8a413d138c7 15da56a4c2238f3f 9f4c2763b5b8d207 "
        "da3984c35c4e9f5d ebb5d5dc4ec56add f1900c4087c23fd4 7748238598cfe244 " },
};

// Takes the bytes and keeps nothing but their digest.
class DigestSink : public swCFile {
public:
    DWORD Read(void*, DWORD) override { return 0; }
    DWORD Write(const void*, DWORD count) override { return count; }
    DWORD Seek(LONG, int) override { return 0; }
};

// Every block a save holds, and the history.
uint64_t stateHash(GameState& state)
{
    auto image = std::make_unique<SavedGameImage>();
    captureSavedGame(state, *image);
    DigestSink sink;
    SavedGameOutput out(sink);
    writeSavedGameBlocks(*image, out);
    state.historyLog().write(out);
    return out.digest();
}

// The pool bytes from a fixed generator written out here, so no library's generator is involved.
RandomPool fixedPool(uint32_t seed)
{
    std::vector<uint8_t> bytes(1 + RandomPool::kPoolSize + 16, 0);
    bytes[0] = 1;
    uint32_t x = seed;
    for (int i = 0; i < RandomPool::kPoolSize; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        bytes[size_t(1 + i)] = uint8_t(x >> 11);
    }
    MemoryReadStream stream(bytes.data(), bytes.size());
    RandomPool pool;
    pool.load(stream);
    return pool;
}

std::vector<uint64_t> playAndHash(const fs::path& map)
{
    testing_state::SmallWorld world(4, 4);
    GameState& state = world.state();
    std::ifstream in(map, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_TRUE(state.loadMapImage(bytes.data(), bytes.size())) << map;
    for (int c = 0; c < kCountryCount; ++c)
        if (state.country(c).controller != 0)
            state.country(c).controller = 2;
    state.settings().playChime = false;
    state.settings().showIncome = false;
    state.settings().writeHistory = true;
    state.randomPool() = fixedPool(20240601u);
    startPlay(state);

    std::vector<uint64_t> hashes;
    {
        AiComputerPlayer player;
        GameThread thread(state, player, StepYield::None);
        const TurnBlock& turn = state.turnBlock();
        for (int step = 0; step < 200000 && !thread.gameOver() && turn.turn <= kTurns; ++step) {
            const int side = turn.currentCountry;
            const int number = turn.turn;
            thread.runStep();
            if (number > 0 && (turn.currentCountry != side || turn.turn != number))
                hashes.push_back(stateHash(state));
        }
    }
    endPlay(state);
    return hashes;
}

std::string joined(const std::vector<uint64_t>& hashes)
{
    std::string text;
    char word[24];
    for (uint64_t hash : hashes) {
        std::snprintf(word, sizeof word, "%s%016" PRIx64, text.empty() ? "" : " ", hash);
        text += word;
    }
    return text;
}

// The hashes as string literals of four hashes a line, for the table.
std::string wrapped(const std::string& hashes)
{
    std::istringstream in(hashes);
    std::string text, hash;
    for (int i = 0; in >> hash; ++i)
        text += (i % 4 == 0 ? std::string(i ? "\"\n        \"" : "        \"") : std::string()) + hash + " ";
    return (text.empty() ? "        \"" : text) + "\"";
}

TEST(StateHash, EverySampleMapPlaysTheSameGameOnEveryBuild)
{
    const bool print = std::getenv("DERAZODO_PRINT_STATE_HASHES") != nullptr;
    std::vector<std::string> maps;
    for (const auto& entry : fs::directory_iterator(fs::path(DERAZODO_PROGRAM_DIR) / "tkmap"))
        if (entry.path().extension() == ".vtm" || entry.path().extension() == ".vts")
            maps.push_back(entry.path().filename().string());
    std::sort(maps.begin(), maps.end());

    std::ostringstream table;
    for (const std::string& name : maps) {
        const std::string got = joined(playAndHash(fs::path(DERAZODO_PROGRAM_DIR) / "tkmap" / name));
        table << "    { \"" << name << "\",\n" << wrapped(got) << " },\n";
        if (print)
            continue;
        const ExpectedGame* expected = nullptr;
        for (const ExpectedGame& game : kExpected)
            if (name == game.map)
                expected = &game;
        ASSERT_NE(expected, nullptr) << name << " has no row in the table";
        std::istringstream want(expected->hashes), have(got);
        std::string a, b;
        for (int side_turn = 1; want >> a; ++side_turn) {
            ASSERT_TRUE(have >> b) << name << ": the game ended before side turn " << side_turn;
            ASSERT_EQ(b, a) << name << ": the games part after side turn " << side_turn;
        }
        EXPECT_FALSE(have >> b) << name << ": more side turns than the table holds";
    }
    if (print)
        std::printf("const ExpectedGame kExpected[] = {\n%s};\n", table.str().c_str());
    EXPECT_EQ(maps.size(), std::size(kExpected)) << "maps in the table that are no longer shipped";
}

} // namespace
