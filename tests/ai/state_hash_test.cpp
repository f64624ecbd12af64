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
        "7893cd208624cb98 05d1faa9099df517 60626cb0b5e88438 4d003d9be9d513c5 "
        "f8c1b2c8014f643e 27e2a3f32360222a 3a89955a1d3eaa2c 73aaa047006b2127 "
        "125f565f258a40d6 6d5a6c5130f4829e c8ef30c46c5b8eb3 95776bb59c1f6a0d "
        "33217c3d74877f6f cf4286a7a22815a6 91cdd703aba7e80e 0ae7099f8218a47c "
        "dd28b68ddcb992a6 32e93a9f8e7c6e67 ffdfe29676fe63cc c2ddcf32deeb2d31 "
        "720c529ad5085713 55718f7efb63a35f 2e65b1a08fb1a57d 75cec957380041af "
        "07598681fe0894c3 c4844a769180315f b6652db0d51d3351 718d50f2047cd9e7 "
        "ce54289d198a0151 58bdda6d23e8bde1 1589849bc54227fc 8b2d51e69ed0b336 "
        "4643e5f270a6d9fa 74eecb43743bd53c 3322feb3765ea4d3 c0ffa6c1793ce36e "
        "73d4bdfc33932497 dcfe7b47c9ad6954 18dd885241930f56 52d7f20a2e2b91c9 " },
    { "duel.vtm",
        "ccb8fb85c25a5134 86404fbee8f8d800 3a3e027b75ffee4c 53c04bdff056bd28 "
        "036a7620e3eb123c f4ea83b0b9e2e5e2 2377fc030f3d9507 df41fe74578b174e "
        "b9284bd3bc093794 d69c4e11fd739ca9 db294829c5b42126 00a3ddbea5048e01 "
        "d112dca4fc697949 b32b96d9a2e0819e 25fd20914dd5aeb5 1f02c1ba4a9f5883 "
        "b98fce63a69980fa 9ffff39ad30e2f19 3efa9675ff5d6341 cf2be8478eeb12ea "
        "2219ae711d30eedf f9c95327202441df 676e411d3a2c2f93 cb0a643c83f2cb65 " },
    { "octagon.vtm",
        "71807b85f3c38927 1400a73d27937f7a 8b3b367a8b3f1997 ec1fac331cc24207 "
        "c47a72b154f023a7 29ba9bc4f3798fc9 4c22a046aaab34ba e5110f44c8c861c1 "
        "0735f425294998fd 4ffa905af11dd029 ff4c24394534aad8 b24f2649cdf747cd "
        "2f94b6d1081dafaf b0f46db420574f79 b4dcc89f97eb6fb9 136de88414a450dc "
        "38ffb7010de0b2b1 43cea65c669a8672 d915c53ccbfd8453 c4855649db8864e9 "
        "ff519c254bce2ef9 d5a18eba385647bc b07f26675b703021 1716adde7b689292 "
        "bd132d0d5d9a8b74 b0808377b7fafa13 05b8abe0a77385ea 795ca126580a6a22 "
        "54975992ddf41fcb f4ced301d32f5e17 f2cb5598cb7632a7 229b1111a8951bae "
        "6573dfec1ded1cad df1781ade38bfb08 f4838e5ee4dd768a 925d39ef57709edd "
        "f5b8eef17e2e1616 999a80c9749710cc 6ec4b5e91691b5c6 5d08acf1949b8e3f "
        "327d7fb9155dbb54 7894da095aaaac30 6658a65be918f5e6 234049307694be40 "
        "13fb81d9c3bda6d3 ea0d46d8e5cec2fb c867230294603a7d 28a1575aace72a1f "
        "b24d121b8efb3b07 953a5635aa87a31a 3a68789f8315761c 61f62d297e8cacd3 "
        "4c7f1ab8f9f3ae1e " },
    { "pentagon.vtm",
        "a6a9cbbcdc27fa2b 5168f702eccb5414 e4fc7ca2b43ab955 6a05ab5b79bdf63d "
        "7bb55afad22df9c2 93d8fc378ba5d633 32438d9db6a2ceab 4313a8f6484bb1a8 "
        "d22b8507da5711e1 c42a1f3ba07e069a 5b57724d64036e0b 54af1605d54d3a9e "
        "8c56ac2574bee586 9fee846e56ed1842 5003578efc4cac24 9314f41e0fe2bfd4 "
        "27aa8dce2db65785 e61dfd62146bfd9f b8c7ae01a97c8506 13757750023a6b14 "
        "cf67206c28571360 ff5e44f45ae2d947 a1632516ccb10d40 6ba6068f1919e17a "
        "79b7513feb03bf11 d0e98c6c452af5f9 91e377692553e817 d77c65a2ecc3f6ed "
        "7eb8ad22bd7e6938 8ae6b40ebfc1b33e c04fb66db20f45af 4ae8196871f90c37 "
        "8e66e48824639dc9 6bf5527d8d888ad0 2506bae9ae687ef8 c2802aa7e2659bdb "
        "57f70e6dbd31141d 164d54f79893b3e6 1128f9562cafd5d7 6935585dc569902a "
        "be3ba4af66bbd15e " },
    { "riverside.vts",
        "0e0c1dbfb854752c 5bf8296c5917ec43 64b71c3103cb8214 6439e5cd4551c56c "
        "6fd2d3ca7e71d1aa e51741f39dc40035 316d46293db1a9b6 fee1d086876a42af "
        "e2eb5168c5c3b9c5 1eed15d15e626fd0 9012af603c84814a 0d69d0f4962538fb "
        "12f29c6aa85321eb bced2996fa5ed975 16b30c847f5180ac 60d6ce01db2f8ae3 "
        "ca06acf1960691d6 de16f1dc103dc551 40554f19ff805063 1b075c50c0ce8a2d "
        "dd0928639b5a0626 42afbb660f7c24c9 6195a5d95abc64e4 2a054dc9604f551b " },
    { "training.vtm",
        "0f2ea42e8f2841d6 721fcfa3364580bf f5391d46d2296262 cdedd3f5073705a7 "
        "72e39b0d1a318281 ffff1d4592eb22a4 38eb166ca855adb0 7f773ac989d00584 "
        "c04f4885531fc86b d050f8462ba5d530 456cb28727b68f9c 00d408ba20b8ae30 "
        "06b1ef9f114f274a a90166bc29942b39 60263a3ef554ca3f 6efe44642c439951 "
        "6c619e11a2e55952 c6b449771524a534 9142a2fd413d1eef 54484921440a6fb6 "
        "743e05dc28694d92 6170f70c2879a552 e7c91f1365152fc6 87178a7ea43b0d31 " },
};

// Takes the bytes and keeps nothing but their digest.
class DigestSink : public swCFile {
public:
    DWORD Read(void*, DWORD) override { return 0; }
    DWORD Write(const void*, DWORD count) override { return count; }
    DWORD Seek(LONG, int) override { return 0; }
};

// Every block a save holds, and the history.
uint64_t savedBlocksHash(GameState& state)
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
                hashes.push_back(savedBlocksHash(state));
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
