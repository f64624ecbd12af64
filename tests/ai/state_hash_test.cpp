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
        "e9e97c57fc6dbac6 1f49b37c7ac9ac85 a41acae6db647c62 be9c8819438a7363 "
        "07fdea181aaab450 622b52d3c92797dc acb14c5d45c20232 ba304baef91b3179 "
        "3d0e94ebd1672a8c 74ab7b80647dae84 0b681633e2d68999 87f94fddc5831333 "
        "6492efe7b91fe091 68fafbc91fa447a0 cc81da2e11b0ffcc d69b63c82dd4324e "
        "490d66f6e61eac34 7d740e2f02ab01f1 b179931a9d0c5d9e 9ed3978f57242807 "
        "9ce79560f4b2debd 1c0f5b203797e629 bfc610786659736f 24b50da38251bb71 "
        "9d4b873f8c6c8121 5bf5cd74150683cd 5b082efa1d30675b e81a86ed9358b44d "
        "517c379a510d18fb 5b5bd5ae334ab9e3 6df46ee7214eb2f6 bad88b7e34b824c0 "
        "70a3d01d7723c760 0fb779c71b7fd506 b3d3053914707dc5 1e6523e68d352240 "
        "d8f7ba0569e91fe5 7568f0b7d68ffac6 85892e8692df9854 b8fb3c783d69cb0b " },
    { "duel.vtm",
        "b86d4a858f1770c2 1346401eb363dbce fecf1482e24183ce 078bc7135f31f6da "
        "8759e265ee1eb50a 119fb5b24cb7661c e50a9c0ab74d35a1 e7cd0ade28ef9bcc "
        "d515a6a9ab0fd8e2 c99966981d3b773f ffa3e2fde11a8b48 6e2ab8cedd376903 "
        "d91bd5d51f50356b 030122cb0d9a56bc 61c71e8eccef6033 968724b091659e65 "
        "b6b2515c8d213e14 c17098cd15e3adb7 7d513e16b779c2df c175002c9b0fb9f0 "
        "7fb12b8dc16134dd 4fafd1309c2f4fdd f7f54cba0de0327d 589d77d258be6cff " },
    { "octagon.vtm",
        "7491a73318b01191 de9e7c5512716808 b8f4947f9c351b29 c264cd9a903a0501 "
        "586c72cee095feb1 91bf05641c79bd6b f81b559fd3636e84 f4bd807ab6df8ce3 "
        "209b518f37250407 b9a926c0fc63d443 e5267d73114b14f6 8e537541e9d7ec7b "
        "4862a42bd2c732b9 760b4adde0b0ea73 a6ddf2584eeadfb3 93fedec0798d03fa "
        "1e2739da90975df7 3f7e2580b3a31b64 748ebc64c21a8ced 6a7476f20543815b "
        "697f4e6db2297697 f5e4004811a52192 0f1383cc230a9fbb 107a5b40a1f0b628 "
        "376353d2c8dd3ba6 fa6b4ec83aff2811 12f2b8403632929c d9ddb0a2d5cab774 "
        "18d1ac80e2a6f289 5f815539ba230065 613b619165a178a5 910d128e6df0eb94 "
        "e4f45e9655cd6733 98c8a4cd3031a16a 5f2422da65a0c73c 2f0d0c8c63a446ef "
        "568f928bc4905b7c e2b394870d2e8062 9cae3ad295d395a0 6ec89399964cdd29 "
        "5a981839a3b141ae 10ce421d96370a5e 9e36a5f64640b750 afa97999693f580e "
        "aaec4f391866b849 0c418f0e80ff76b1 29e215942d3b41db 97c9e8a0860abcd1 "
        "5dd31ca6f71e85bd 0f739f7b7ce8d47c c4a66ca5e2510f46 d9f8d7f164cae811 "
        "ae06d05f84f89d00 " },
    { "pentagon.vtm",
        "18de5cf04d04f005 00ace25116746bf6 2a9492ab20a02eb3 ccc97ae552e0042b "
        "7ce7a529a759be74 2eab5c6f949d93c1 810d2028b9b60179 f31bd506c2a8fbaa "
        "5c5f348a5ba4fbf3 00cd0e2904273f2c 242a55cee72ec47d d16e2127d3fce978 "
        "6457c83727c6f320 8db0ad5936ef9d98 b85949cc6f2b7f56 aaac7775cee110f6 "
        "20d53473dad95f0b b51a1f6a210d0c7d 8c640055b433b2e4 5f1ced1d28ea7772 "
        "c47d3abe868d062e 9577055434832269 483639cda6365c26 311e3bddc20d3fec "
        "35e51a146b3c4ea7 36fa0036fc44592b 55c9084bb02adee1 375c323ffb590aef "
        "172db1cd92b2d71a 09f39db0ac54ef60 456fc2aa500cc829 37b6171a46ad911d "
        "12c439266fc5bbdb e6ad219e95f574ee 6cd9d03c4adf424a 09d602f0adb5cfe5 "
        "5387844b8c1eac03 14abbd77d99ab264 fe9aa88244fda991 421b1a2866f33f9c "
        "1d49efc34590e278 " },
    { "riverside.vts",
        "009c4beed1579cfa 78cff5096f72ae99 425db9fd02f978ce 39f40a4aa2fb4546 "
        "e2ce0298dbc628b0 854a6e61ede34807 8d005809c587d52c 733c887f1965a6a9 "
        "feeebbd53fb0835f 9a6ffbf929618c9a b51155002ac4f380 e557a1ee941c3179 "
        "1463025d544939a9 8ea6703f7db025f3 860eb86cfd1b66f2 89c69df83d304bfd "
        "c18b344836e73a7c 79056d1693333f87 bdf9790a18d058cd e596bec5adb500e3 "
        "d06a8062b7e87b34 a4054a5f1720fafb 07c99d7606ad709a 285910d55f02b339 " },
    { "training.vtm",
        "6425afa66da74988 355c43d2444e1dc5 4c0d4d13128a807c 5f449c486627f2f9 "
        "84f2684475f22c87 15fd9c60efac9dfa 5910e5a26d0ce3a6 b44d3ede6bebdd3a "
        "7ef2d6748734166d b64b3e6baa666646 cfe365dcbad532d2 afaf17d4eb5c42ce "
        "c5f58a37162dc3cc bcec44a21ad840af 170f691f1d989f9d 0c304bad727790d3 "
        "0c97551a22fdcb54 21bdcf2f7ce123fa 224c1fad28cf7651 2a8b422b0e68fe0c "
        "6e79c73bedcbaea4 9ea5c78681689164 cc6af7a52427e0d0 1b3a8c7e8d9bd367 " },
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
