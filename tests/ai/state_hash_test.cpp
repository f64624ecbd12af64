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
        "23cf00547cae4834 45a0bc7a12cfcccb f856c14ec648986c 7f89492d954dc919 "
        "bd203fa116b41352 270daeae70031fe6 70dfc235deafcf98 10db99526260481b "
        "17f6addcc34592c2 61af6664ba5bcac7 1a1a192476c09c66 ea931b6688f53588 "
        "3b5ffc09bfa7650e 12c79ef6d5ff64c3 30b3de7a97931870 f0d069b68778eba2 "
        "3cfed4672f0df934 229562d54ab81d61 fc66058d12f26956 359831f9a589ec7f "
        "d52a9aab728056fd 541751ce7aebffc1 125623a2e033fab7 87710ff34c455cad "
        "0e40679f55dd01b1 d951957e4208913d 085dd25d01d34ca3 e45cb91e9dc1aac1 "
        "ebb8fdb42242d43b 9d0e4488ba380923 6c3dcaedaf52478a f8eb6e1769ece488 "
        "f9dac6a12cfdb58c 7718f2021ca69d32 6661c24dc12f5a41 0f5c02bf55283e14 "
        "61f7a04b67cbdd45 3bbfa2dfe4084676 f4531ad80ea0a030 794f0b4e9b0f4a9f " },
    { "duel.vtm",
        "e773a740f8c286b8 4dc5a66a6c3c5004 1554112f137b8870 ba528e183f1a8d94 "
        "ef493bef6c2e0f58 073215f05abb5dae 132efef5ee7281eb f122a5b0a63f51ea "
        "ca21187fcf7939c0 0047a423bc4f5025 2b369a3a7656cb52 1ca9ccb766f55905 "
        "2b311ca3bc59747d 826de73878494f5a d51569aebc8cd149 624ec051f910d107 "
        "b9aeed0cbfa74476 0e313db1b50d103d 68f4afc9e0e59a15 c586eadce25eab6e "
        "e5b8dca78dd1b313 ed35c42c1997b613 9efa12b7d4b30f1f 3a80990e3565a251 " },
    { "octagon.vtm",
        "27e9168a71974e6b ffddaebfd235ee26 65867d4141189b03 8f8b1f6fc5d304eb "
        "f014c391f40e4823 fa4f14d30ba38c3d 60e554fe2e6baf86 96db353272bf1855 "
        "7782a6a4c6de3371 e34cea03e9034685 39aba83e3787036c 5dd32b7e3f06d529 "
        "a2cac8d6d695124b 2f307a1a3c2e29fd 2b8a1ee503b1873d 4153b26482121400 "
        "d9018f89eac7c45d 29ab3d9bdc676726 077b5ef08da23677 b083b0233f24a345 "
        "e6216c49dbe8ad15 b861fb60ccf21428 3815a53588ef070d 43566fed7301673e "
        "6985ebabebbdf978 509d89df3258cf67 20cd14d9db2b38ee 0615c39791db2d76 "
        "a5c99eae7399a28f 0256d2aff219f44b 617da30e5d0ae94b d31de725bc7ffc6a "
        "614bd366ae72aaf1 e986fe1d0786eef4 7c53b23f0c6d1236 3ed69bb839cbd3a1 "
        "8911a6f01ffa7e0a ce08c30da80567c0 cd75d01b417ff28a 0aba1dbdb09382b3 "
        "3b719dff10d904f0 db0358fa9c42a0c4 2c1d2a1755682efa 54edd7e85c39bc4c "
        "82e7d39529ce8f57 68b9ee32da43ba0f e719935a0c79e371 beaa963277418a9b "
        "34703e94c9a28083 8d3979dfa764b036 df62bad7c2dba838 7cc2b7437ad5b7e7 "
        "8c3f1a7d4ea39ea2 " },
    { "pentagon.vtm",
        "2b616e98d79a5fe7 12e05a9e83b54138 22cb52e34c4d7771 086ea65c20578fd9 "
        "ffc656d067bca4e6 4940b7219013087f 9c4b896f54d80e27 7e36bbf37feb7194 "
        "bb058e25b4507f9d ca5cf950fa80b076 8086a27b9242a30f fa87a1992e26d83a "
        "6eefd4f5b200c712 02449e182cbfb1ae d4501639f06aa880 6e1376fb87302bd0 "
        "4a20cc20860c45e1 36b80d19470a5953 6e8be7ac644df8fa 954ecfe91cf88b60 "
        "28497af695b5771c 974b0d777de61c6b 4927157418bf7a1c 4bf3cc0149b81a2e "
        "3333e818da4bbfc5 52ef1f0d0a6afced 4dba91b7034584d3 92975be8393ca4c1 "
        "1b97dd72c81bafdc b99e9614c9cfefe2 3dbe968781331dd3 f538e72c61e6f02b "
        "3dfc2a4999a02d85 f815510125d49464 1a5913ddf53375cc a7e10b88a65ee99f "
        "b1879cc37e2e6ee1 60be3ad47ff6a94a 626da12a6f779793 2e400881abe17cee "
        "87c6a84ff62874c2 " },
    { "riverside.vts",
        "c44e3069138db440 8339d0ab40435cc7 305b941bed4b8d08 1400eeede6a8bad0 "
        "62778055fc1639de fa5d5640805ffdf9 01c479379a79de0a 212adf147d3b0e6b "
        "88227d3a91baaa88 82a89bac020165dd ab618ac5deeb8cb3 4e96d72132aca20a "
        "447c35378781bcbe cad8af01991eb548 bf55e354462a0a72 a2109318296c5d39 "
        "21b31bda1d47eebc 63e91b27a8e25a4f 68a5224c3b8dc86d 18ff87f7658ced17 "
        "fe4838549b0706f5 d4da00a44f285782 9e3b21018870f7af 635d6a729679f817 " },
    { "training.vtm",
        "28294fa236c266c2 e2c03acc1de569e3 e86f7cb37f0d1536 31f1ebae0658a37b "
        "1f226100d84ae57d 6c68e9a0b95b0448 6ffe7a45a0c7ea9c 1e661f0575ccd730 "
        "d14db5ee90634b77 f5afc46339e48524 1e90ebef8bd08398 9f442cdd7fe4e559 "
        "e1c0dbdd3dfcc62f 6c3c2e5916e02b4c 2415db1a37c73a02 08522790d26fb768 "
        "5e94382c6cef9e73 d9610a68af45a221 72b293b65f65e342 5dbc67f01c24489f "
        "0d2de82af6ec26ca 8124e4c7f169ca1a 9202cfad18562c06 8f32a712ccc4b299 " },
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
