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
        "0d98f433818e0124 e75b0f26e48a8a02 8fb6658474283d07 f4b0e1963a47e1ab "
        "0f29686619b67615 5a8a68faa18b81b8 916e1646d036ea67 6c58b84ea142d3de "
        "8a4a2b387db8bb7a 86a33f1700f2507d d3c08df2e569eabd d38af122b92304ab "
        "c7f26ee555746ec3 c63aae0ffe598c33 a6f9f051ce7cf971 42944aa68dbf2c59 "
        "e4c96bf1f129e0b8 dd49d708c2974dda acebdb1e8c5e6d2a c17c67a2e9a35d09 "
        "8ffc4a05e48ab9da 47df2735da9182c5 e86ee46c3586d093 8d229bd28b6e6156 "
        "8f9e9205bd413b2a b014b83d38e65e25 060ee13c314d33ea 097f81825ba1cc70 "
        "8ee284ea30490c31 ba8e5b665e43dd90 e30f62a7506613ee ef05ff7370a7f88d "
        "00a1e08702a32e17 1d41cf5a50a0c3c5 e67d69df2ed08e04 2289c7ce41bc25d4 "
        "3002eddde878e345 fea6d34a777e8eb0 040c06b339b8c1cb a316c72aed92a9ea " },
    { "riverside.vts",
        "303978dd3fc40138 2ad6b4e270ca670f 38c7cc99f5cbbb7f de0079f0bbed387c "
        "3e5f442de91ccb3d 54a01d4660824004 48f2bb355fed6cff 9491b71df6bdc631 "
        "181ce03cb224f0f7 af118be8e51d3c8e a496cef6e73fa24b a00892af7f3546b4 "
        "f8860a558dc474cf 4f912bbfd9a82088 3a9f29dd0b52e75f babd998cae9933b7 "
        "3eec9d6ef59ccbb1 7457c5d75105b2e4 b78cdddb398212d5 fff8d48a801d96b4 "
        "596df8ff853624bb fcc72e39425caeaf 0f6464f6ee659280 84b718a52c0b641e " },
    { "training.vtm",
        "a1c4305bcf6e8baa 9e70bb764a616194 ab594446b29e6ad8 3f631c782f32539f "
        "3c07bdb88ffbeff7 b4cea5eb4d409f7c 9593ba839124bd10 57c19d50529a697c "
        "ee550f22f125ac46 8849e718fe795a07 eec0d00ae86779f2 63a127deae39092e "
        "b1a7e5f331abc1a4 ecaef9fe129efe25 445edb3e21297b05 d23accf9562dca6b "
        "d851af5f19735508 7731f7f713ff54e0 3e87636d773619c2 251b3dad3378cabe "
        "a099c8cd3d63cf0a 172022637ca50750 6b0bb368df2a7560 aa2434991a61f002 " },
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
