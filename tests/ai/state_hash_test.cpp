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
        "23cf00547cae4834 c63f9a340c9e412f a3cdc6169439c788 3499d89b9d14a109 "
        "04b90f97dca43e88 e97c7fe7350e7560 0e87e392c7a871b9 e72ccc50d417050a "
        "78d056815a459b3e d162df83eb0aa26f aab622026280ac6a 83d5db0abc6cfbe1 "
        "79f5d7696f2133de 1a081849eaa1ace1 87d173443afa30d3 27fa0655e79cac07 "
        "e087ee396e4f997d 6e42d030e140e820 b9d7c8065b995dad 4406c29a5439ff81 "
        "8a5e74c6d6523a79 7c085aebbafb423f 79929d01c962eb14 f4e85b50a8ba84e8 "
        "37b76b5cda283f13 748604fc192f6497 205b57786d2db4e1 3c6d6392660ddc2b "
        "f3eac3236ac03910 9184f65ff3b24e52 5458cfd5be0fa94f 1239db62f2412ac6 "
        "ecbf0525d4404e0c 80c75e755e90f0b6 bc5591a388d41064 9a587f521dc35d23 "
        "3b142c36b4f5a816 fcdc3343a35c46e5 910dadd21c247c7b 8adeece1767eb0e8 " },
    { "duel.vtm",
        "e773a740f8c286b8 7123558511a2a571 1bba277e62823546 f77decf4382be5d1 "
        "7ed21da3c6186e56 596952f97aa63ab8 fa28bc97b919b368 3f36b28994abb481 "
        "142437e815359307 6c6b69b96dbbcced 168c784cff0a58e1 f19ee4f7cd114c68 "
        "68d91d97f59b1f5a 42a97d684f3dcbb2 7db98441e9129db0 06ac3f628c0fdad7 "
        "ef77a291f6841c8b 9ec9380bb57fb76e b1706ef22841446d 448e6edbc14f4650 "
        "a1bfee59d5ca994c 1f2c8612c3b212cf 5a5b20b563ebf6ab ec2f6b27b4e0f165 " },
    { "octagon.vtm",
        "27e9168a71974e6b 52faa78b66c5fbe7 b2e57e293314d99f f651f1335a5b97cb "
        "c75cbe15eacc1543 8ad303afa8abc9f4 e035390bce7801ac 66055d53064d0bf0 "
        "06d4935f23b22a40 5c072226f2c63283 16d6bcf65ab13794 b47217d25aa822d3 "
        "b19eacb400de950d a7d691780958b6e5 258a5ad7b3a40bf4 57092226ab7cac19 "
        "cfac839e11e9da03 825be4c7767bb9ba 7aae009233b0cae1 7c07c44ae204c057 "
        "35dafa02aabb2feb 80256c5e8fe2ed9f 135f870a621ee0e1 e8d0c3f3508b850b "
        "54705c685c471fc0 101baca48371c5cf ee90d230ff45cd15 3afd73986ce27b18 "
        "0e3d1d129f64e93c 112ac9debf14e4d3 398abbfb3b0739bd f66ef14421fd10d8 "
        "9a9dcff6b2807e38 a4527b88427bcf1d 68755ea814384152 666180a59f3b055a "
        "79415c9e2287a891 70c5ec2d02abfbb2 66ec15f91a493bf5 da149de9c5a290cf "
        "27af10942505e934 13ec93413b299771 92195b3558a1ce5c a6e33ede7a1425ff "
        "74bb3d34abffd274 75f420226f8df0c6 b2265c14bae1ca7e 2fe0095705e23580 "
        "9257835da2e289ba c160757fa8245c40 4ddda8d7d9673e4d 82a50961f32f4d1c "
        "a1b7053ee15e91bf 4be86ad562a2f7da b1dfe31727026989 10ef939477444fe9 "
        "f3ab77b6b406bca8 33e96225f521ad11 db4e2b7a94e9b7d2 " },
    { "pentagon.vtm",
        "2b616e98d79a5fe7 7d46615324a94d6f d58fb7abb9bebb35 ced8d074b2f7a0cb "
        "5d3dd3ce809e3efc 9f4261ab672c2cae d504b5e128276a83 9f7c3329dfa7c5fe "
        "255f2adb4214a545 d8843c444159a941 10ae4c59d72b11cb 51d127efaaff60db "
        "714a2b98c9866205 14b5a33abcb3db06 a84d4496d1463d67 871856ffe36f2623 "
        "9950e3804e6c9a1c 77d2a1355dd7a9e2 ed2fa1f13c73b7be 77b2c51e51e312bb "
        "d8aae1feadc4e0ef a1843a3f9af6c8eb 4aacb8e3c6043abb 09df88b140e4bb29 "
        "6ea5268bdaf55aba e41a8a87e51df928 c6cf799d8ddd9078 2977fca75b8e9749 "
        "097cbd6017fa5ffd cf20c99977653d25 ca44a9628011c3fd 294cbea0676ac03e "
        "16c752199ad9765d fc4677934761dbb0 e7a96ee7590c98fa bd2ea6815c909984 "
        "4a3641c3b8478dcf a4dbae2e1b58f508 66017370e063603a 06910903b27a7d93 "
        "ed095423a648a2c7 de696bbae3a23f93 cb5ceb5490aab535 bb5b69665f869cd0 "
        "23b763e3fcbcdde8 cd6bd4d9d9868bc2 3ff56e171609fa42 ee5b27354842924a " },
    { "riverside.vts",
        "c44e3069138db440 8339d0ab40435cc7 305b941bed4b8d08 1400eeede6a8bad0 "
        "62778055fc1639de fa5d5640805ffdf9 01c479379a79de0a 212adf147d3b0e6b "
        "88227d3a91baaa88 82a89bac020165dd b3cbbd5a8e1d95df b6da2b05a0b80c0a "
        "a927647d64b3d752 e7e7598e268789b6 6942859e59d425b9 f4c7cdc07ad5dff6 "
        "b3b487fcb55b27eb 84e6cfd539c8dcaa 45583a4a1c51916b d33bfcb23d92a7bb "
        "e2d9950c3f25a790 b2ac77a81871e7d6 d0111d10e7b45447 e01e3ce2fd561716 " },
    { "training.vtm",
        "28294fa236c266c2 e2c03acc1de569e3 e86f7cb37f0d1536 31f1ebae0658a37b "
        "1f226100d84ae57d 6c68e9a0b95b0448 6ffe7a45a0c7ea9c 1e661f0575ccd730 "
        "d14db5ee90634b77 f5afc46339e48524 1e90ebef8bd08398 0275dbccac006ddd "
        "87a08ced77778c8b 2816bd8563801518 8149914523db0f9a 0493657677118818 "
        "14c2e1dd485dcebf 4264d722bab56e3c bf62115b2a503c73 3f76baedacd00381 "
        "05d15056fb239912 94a1d4ce1eb9007c e5321554c2b3dd25 15e5c384d62c74d9 " },
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
