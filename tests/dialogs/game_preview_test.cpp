// Reading list titles header-only and previews through the state's readers, and damaged files.
#include "dialogs/game_file_list.h"
#include "dialogs/game_preview.h"
#include "dialogs/map_preview_fields.h"

#include "state/map_file_layout.h"
#include "state/saved_game_file.h"
#include "tests/dialogs/dialog_test_world.h"
#include "tests/state/packed_value.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <sys/stat.h>

using namespace testing_dialogs;

namespace {

std::string bytesOf(const std::vector<uint8_t>& v) { return std::string(v.begin(), v.end()); }

TEST(ReadScenarioHeader, AgreesWithTheWholeFileReaderOnGoodAndDamagedFiles)
{
    MapFilesWorld world;
    MapFacts facts;
    facts.name = "alpha";
    const std::string good = bytesOf(writeScenarioBytes(MapFilesWorld::scenario(facts)));
    auto damaged = [&](size_t at, uint8_t value) {
        std::string b = good;
        b[at] = char(value);
        return b;
    };
    std::string bigMap = good;
    const auto* entry = reinterpret_cast<const MapDirectoryEntry*>(good.data() + sizeof(MapFileHeader) + kSectionMapHeader * sizeof(MapDirectoryEntry));
    bigMap[entry->offset + 580] = char(1);
    bigMap[entry->offset + 581] = char(1); // width 257
    std::string shortHeader = good;
    uint32_t length = 8;
    std::memcpy(shortHeader.data() + 16, &length, 4);
    std::string badTrailer = good;
    const uint32_t far = uint32_t(good.size()) + 10;
    std::memcpy(badTrailer.data() + good.size() - 4, &far, 4);
    const struct {
        const char* what;
        std::string bytes;
    } files[] = {
        { "good", good },
        { "magic", damaged(3, 'X') },
        { "header length", shortHeader },
        { "map size", bigMap },
        { "trailer", badTrailer },
        { "cut short", good.substr(0, 200) },
        { "empty", "" },
    };
    for (const auto& f : files) {
        world.write("f.vtm", f.bytes);
        ScenarioFile whole;
        const bool wholeOk = !readScenarioBytes(std::span(reinterpret_cast<const uint8_t*>(f.bytes.data()), f.bytes.size()), whole);
        MapHeader header {};
        const bool headerOk = !readScenarioHeader(world.gamePath("f.vtm").c_str(), header);
        EXPECT_EQ(headerOk, wholeOk) << f.what;
        EXPECT_EQ(headerOk, std::string(f.what) == "good") << f.what;
        if (headerOk) {
            EXPECT_EQ(mapName(header), "alpha");
        }
    }
    MapHeader untouched {};
    EXPECT_TRUE(readScenarioHeader(world.gamePath("missing.vtm").c_str(), untouched));
}

TEST(GamePreview, TitlesAndPreviewsOfMapsCampaignsAndSavesAndTheirDamage)
{
    MapFilesWorld world;
    MapFacts facts;
    facts.name = "north";
    facts.style = 2;
    facts.shade = 4;
    facts.width = 12;
    facts.height = 9;
    world.writeMap("games/a.vtm", facts);
    world.writeCampaign("games/c.vtc", "campaign one", 3, facts);
    world.write("games/bad.vtm", "not a map at all, only some bytes");
    world.write("games/bad.vtc", "ZAFRONCAMP000001 and nothing after");
    world.state().turnBlock().turn = 7;
    world.state().turnBlock().currentCountry = 9;
    ASSERT_TRUE(saveGameFile(world.state(), world.gamePath("games/s.wqm").c_str(), false));
    world.write("games/bad.wqm", "broken save");

    const auto map = readEntryTitle(world.gamePath("games/a.vtm"), false);
    ASSERT_TRUE(map.has_value());
    EXPECT_EQ(map->text, "north");
    EXPECT_EQ(map->style, 2);
    EXPECT_EQ(map->shade, 4);
    const auto campaign = readEntryTitle(world.gamePath("games/c.vtc"), true);
    ASSERT_TRUE(campaign.has_value());
    EXPECT_EQ(campaign->text, "campaign one");
    EXPECT_EQ(campaign->style, 3);
    EXPECT_FALSE(readEntryTitle(world.gamePath("games/bad.vtm"), false).has_value());
    EXPECT_FALSE(readEntryTitle(world.gamePath("games/bad.vtc"), true).has_value());

    PreviewBuffers buffers;
    ASSERT_TRUE(readMapPreview(world.gamePath("games/a.vtm"), buffers));
    EXPECT_EQ(packed(buffers.header.width), 12);
    ASSERT_TRUE(readCampaignPreview(world.gamePath("games/c.vtc"), buffers));
    EXPECT_EQ(buffers.campaign.mapCount, 3);
    EXPECT_EQ(packed(buffers.header.height), 9);
    ASSERT_TRUE(readSavedGamePreview(world.gamePath("games/s.wqm"), buffers));
    EXPECT_EQ(buffers.turn.turn, 7);
    EXPECT_EQ(packed(buffers.header.width), 8);
    EXPECT_FALSE(readMapPreview(world.gamePath("games/bad.vtm"), buffers));
    EXPECT_FALSE(readCampaignPreview(world.gamePath("games/bad.vtc"), buffers));
    EXPECT_FALSE(readSavedGamePreview(world.gamePath("games/bad.wqm"), buffers));
    // Past the map reader's cap a map is not previewed: a file of 4 GiB + n bytes was once read as
    // its first n, here a whole map.
    const std::string big = world.host("games/big.vtm");
    std::filesystem::copy_file(world.host("games/a.vtm"), big);
    std::filesystem::resize_file(big, (uintmax_t(1) << 32) + std::filesystem::file_size(big));
    EXPECT_FALSE(readMapPreview(world.gamePath("games/big.vtm"), buffers));

    // The saved-game data: a side of 9 (before the first) is shown empty.
    const std::string text = savedGameDataText(world.gamePath("games/s.wqm"), buffers.turn);
    EXPECT_NE(text.find(platform::utf8ToCp932("ターン：7\r\n")), std::string::npos) << text;
    EXPECT_EQ(text.substr(text.size() - platform::utf8ToCp932("担　当：").size()), platform::utf8ToCp932("担　当："));
    TurnBlock red {};
    red.currentCountry = 1;
    EXPECT_NE(savedGameDataText(world.gamePath("games/s.wqm"), red).find("RED"), std::string::npos);
}

TEST(GameFileList, PatternsSortingAndTheFolderSeparator)
{
    MapFilesWorld world;
    for (const char* name : { "b.vtm", "B.vtm", "a.VTM", "c.vts", "x.vtm.bak" })
        world.write(std::string("list/") + name, "x");
    std::filesystem::create_directories(world.host("list/folder.vtm"));
    const std::string folder = world.gamePath("list");
    const std::vector<std::string> names = listGameFiles(folder, "*.vtm");
    std::vector<std::string> sorted = names;
    std::stable_sort(sorted.begin(), sorted.end(), [](const std::string& a, const std::string& b) { return lstrcmpA(a.c_str(), b.c_str()) < 0; });
    EXPECT_EQ(names, sorted);
    EXPECT_EQ(names.size(), 4u) << "case-insensitive match, the folder listed too";
    EXPECT_EQ(listGameFiles(folder + "\\", "*.vtm"), names);
    sorted.insert(sorted.begin() + 3, "c.vts");
    EXPECT_EQ(listGameFiles(folder, "*.vts;*.vtm"), sorted) << "each pattern's names, sorted together";
    EXPECT_EQ(folderWithSeparator("a\\"), "a\\");
    EXPECT_EQ(folderWithSeparator("a"), "a\\");
    // The second byte of "表" has the separator's value: the folder still needs one.
    const std::string table = platform::utf8ToCp932("表");
    EXPECT_EQ(folderWithSeparator(table), table + "\\");

    GameState& s = world.state();
    struct Case {
        GameListMode mode;
        uint8_t gameMode;
        const char* pattern;
    } cases[] = {
        { { false, 0, 0, kCategoryMap }, 0, "*.vtm" },
        { { false, 0, 0, kCategoryScenario }, 0, "*.vts" },
        { { false, 0, 0, kCategoryCampaign }, 0, "*.vtc" },
        { { true, 0, 0, kCategoryMap }, 0, "*.wqm" },
        { { true, 0, 0, kCategoryScenario }, 0, "*.wqs" },
        { { true, 0, 0, kCategoryCampaign }, 0, "*.wqc" },
        { { true, 1, 0, kCategoryMap }, 0, "*.p2n" },
        { { true, 0, 1, kCategoryMap }, 0, "*.mvs" },
        { { false, 0, 0, kCategoryMap }, 1, "*.smp" },
        { { true, 0, 0, kCategoryMap }, 1, "*.wrs;*.wrm" },
    };
    for (const Case& c : cases) {
        s.setMode(c.gameMode);
        EXPECT_EQ(gameFilePattern(c.mode, s), c.pattern);
    }
    s.setMode(0);
}

} // namespace

TEST(GamePreview, APipeOrAFolderNamedAsAGameFileHasNoTitleNorPreviewAndNothingWaits)
{
    MapFilesWorld world;
    std::filesystem::create_directories(world.host("games/folder.vtc"));
    PreviewBuffers buffers;
    for (const char* name : { "games/pipe.vtm", "games/pipe.vtc", "games/pipe.wqm" })
        ASSERT_EQ(mkfifo(world.host(name).c_str(), 0644), 0) << name;
    // Opening a pipe for reading would wait for a writer that never comes.
    EXPECT_FALSE(readEntryTitle(world.gamePath("games/pipe.vtm"), false).has_value());
    EXPECT_FALSE(readEntryTitle(world.gamePath("games/pipe.vtc"), true).has_value());
    EXPECT_FALSE(readEntryTitle(world.gamePath("games/folder.vtc"), true).has_value());
    EXPECT_FALSE(readMapPreview(world.gamePath("games/pipe.vtm"), buffers));
    EXPECT_FALSE(readCampaignPreview(world.gamePath("games/pipe.vtc"), buffers));
    EXPECT_FALSE(readSavedGamePreview(world.gamePath("games/pipe.wqm"), buffers));
}
