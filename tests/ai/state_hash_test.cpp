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
        "e9e97c57fc6dbac6 1f49b37c7ac9ac85 a41acae6db647c62 c546b51579fac0fd "
        "4a67c9068297d472 5c354014efef4d66 9f921d3c8cdebbd2 f0f477520c0b5fe3 "
        "ca8ed1d5ab8e1ab8 04d4cf9317fbcd58 d27be28dd9398ff5 beccef6a6b0ece69 "
        "6808413c8dcbac9b 76a0cc49f607de88 51f5898d1f037cf4 f630335ec9611ba6 "
        "9228af13c0dde6d5 128797e714e6c02a 6182b981cfef7f7a 3766ce6d934d7c44 "
        "ed5b79a5996120e6 d992ce65577b0e12 323f9a1722f65ffb 1655e13fd5a4fd5d "
        "552f503e7dabde21 e28ca2c0b82728dd 720a20cc7266575b 9b6b81fc6ae71f83 "
        "7c4d44b1af29601b a95cf2930983aa11 e239b017c029e750 2276bdb40d57456c "
        "2159d0f29e76d7c8 a7cd5cf41509b9cf 13c6a5261938a136 e364c0087ef124bf "
        "bb7c777c5152c9e0 25926c27b6372c95 d6648415e5c0737b 17eb0f59cf90b312 " },
    { "duel.vtm",
        "b86d4a858f1770c2 1346401eb363dbce fecf1482e24183ce 078bc7135f31f6da "
        "8759e265ee1eb50a 88d4f00d778cadea 02d4df983fad28df 55e66fc8c18920dc "
        "1fda59083946e13a c60b61b109bb0c7f f2b850b182a59036 f319f7339c62daa7 "
        "76b99774dcbecbcf 51f2db474e33a214 1634c718b1571cc1 eb2db56cd8d86b1f "
        "005e92f15aa62508 2ca724ec3f60052b 8cd04a17a16655c3 9a3546a0df4eefb2 "
        "5ae5dd534854b689 c54c3d2cb461a859 a1fc48a67704dc29 2bec3408752e064b " },
    { "octagon.vtm",
        "7491a73318b01191 de9e7c5512716808 b8f4947f9c351b29 c264cd9a903a0501 "
        "586c72cee095feb1 91bf05641c79bd6b f81b559fd3636e84 f4bd807ab6df8ce3 "
        "209b518f37250407 b9a926c0fc63d443 223d11b5beecf65c 73e4cd9254edc36d "
        "99c47944478bad81 3aeaab390b38d54b b823846d06e1a333 6ac2c3c195a1fbe8 "
        "ac8c415dee7560b9 9606288a07ddd8b6 37f77deb9ece2c37 136e478ae5134107 "
        "c89fcfdf6baf3c77 6038aa8baa308b30 10fc29575d57c53b 7e642d7e03294e28 "
        "df7f0a3e0f33b88a 244ac28e1064dedb 4680d92e92a0830e 0d0829d946ac177a "
        "8413989b5f444ce1 9c75138ee1f835b3 70140b3402e670eb c7a7a5546226d7be "
        "3e77923712c2d3f5 fef1b67a1e5f94c4 30d912b6a041e02c c5b244c7dc703127 "
        "8ff8a66462f82354 92c037fbb0dc9578 376f5ae713d1d05a 79b674b0dbb10499 "
        "e97f460509398d26 8eb4fee2ea64c326 c7ed1d2a4dadca84 8762c6cf82b4e40a "
        "8cb0819559c0eb8f 86f8102012a3df9f 7cc268b219a1954f b3184a80054fc159 "
        "bb9960ad12e761b5 c2bad71cca3a23ca f361d2dc4ffecacc 40cdf5d95239dc55 "
        "8572b81237429184 " },
    { "pentagon.vtm",
        "18de5cf04d04f005 00ace25116746bf6 2a9492ab20a02eb3 ccc97ae552e0042b "
        "7ce7a529a759be74 2eab5c6f949d93c1 810d2028b9b60179 f31bd506c2a8fbaa "
        "979938b64c472fe3 7cf47abeaa47c2dc 79f55436e736d017 eb02aa3c20949466 "
        "312fe9ef26394726 16afba08c43c50f2 a1c1fde1814bcef4 d66f000a3b7ac1b2 "
        "72c6cae62c57438d 51433facf5f32049 a4e7adcb40b5d498 9818a3a4e875eef4 "
        "5a067ae6e6967d50 b1e9840f2dc169fb e5d71d827e4dd7f8 3edc9c3eae016396 "
        "662f93cd8c756f91 78aacc0b8189c45b 674f192cb670f3b7 238d5f18fb080233 "
        "35ddb55527fb6420 293f3068291b5b98 3c2f951e7f60c891 71fc18b79d4f9a91 "
        "6b7b7314f37cc035 f16124a3615f57d2 d6788754c70b4334 64e7561867b9c211 "
        "058f862e111f0357 d73ae7f911fb24b0 a8bd7d8f9077c09b a010b78abeb69dd4 "
        "fe2debc12f589f7d " },
    { "riverside.vts",
        "009c4beed1579cfa 78cff5096f72ae99 e5c5e1efcf807c1c a19b1d2e357a8b90 "
        "f558a3f9926de8de c5415b70b6877455 715646c9a8fb14c2 5355dbb48fe14f39 "
        "acf28a4c3d7eb7fd 02a5907e1a83f004 c015015b1628f172 bee9d07d3a3f5ab9 "
        "cb9b1e64a687d4e9 e66b5f0eb8a48781 e1ae717755df2190 bb1f9f56a0fb158b "
        "c5eb6234d0374460 5e82c6eba3aebb2b fd0c6d4bc06ab319 758042c14e1f3139 "
        "1a75b784040f7854 a121b3b95331c58b c98e04d515d50110 c2ece2751036cb03 " },
    { "training.vtm",
        "6425afa66da74988 355c43d2444e1dc5 4c0d4d13128a807c 5f449c486627f2f9 "
        "84f2684475f22c87 3ac263ab05a49f7c 535be2e1ebe3ab50 e6fa5416f38389d2 "
        "950d9ddca24dec27 9499dc9595705c38 1c7b4fee8d03400a b012b540d25f2da4 "
        "9a213219de30d17a f682a1cac80f3333 55d7b6f09a117297 a4d781c10206b2d1 "
        "75fc00253ab2ad32 3a5a715d2048f9df 48dd84fb233a94e0 4e99ac7ad1f6737b "
        "f3e112601da0e71d 01618ab59b481169 2ef9eb52fbceade5 21a4bda85837bcc8 " },
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
