// Saved games: round trips, sight bitmaps, places, campaigns, versions, history siblings and previews.
#include "tests/state/saved_game_world.h"

#include "lib/file.h"
#include "state/map_file_layout.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <tuple>

namespace {

using testing_state::SavedGameWorld;

void wreck(GameState& s)
{
    s.clearPlayTables();
    s.resetMapPart();
}

std::unique_ptr<SavedGameImage> imageOf(const SavedGameWorld& world, const std::string& name)
{
    auto image = std::make_unique<SavedGameImage>();
    swCFile file(world.path(name).c_str(), 0);
    EXPECT_FALSE(readSavedGameImage(file, *image));
    return image;
}

TEST(SavedGameRoundTrip, LoadedGameSavesToTheSameBytesAndRelinksTheMap)
{
    SavedGameWorld world;
    GameState& s = world.state();
    ASSERT_TRUE(world.save("a.dat"));
    uint32_t cursor = s.randomPool().cursor().position;
    wreck(s);
    ASSERT_EQ(s.unitCount(0), 0u);

    ASSERT_TRUE(world.load("a.dat"));
    ASSERT_TRUE(world.save("b.dat"));
    EXPECT_EQ(world.read("a.dat"), world.read("b.dat"));
    EXPECT_EQ(world.read("a.hat"), world.read("b.hat"));

    // What is not stored but rebuilt: hex links of units, buildings and places, counts.
    UnitRef ref {};
    EXPECT_TRUE(s.unitRefInHex(10, 4, 0, ref));
    EXPECT_EQ(s.unitCellAt(2, 2)->building, 1);
    EXPECT_EQ(s.unitCellAt(11, 5)->building, 2);
    EXPECT_EQ(s.unitCellAt(4, 3)->place, 2);
    EXPECT_EQ(s.missileCount(2), 1u);
    EXPECT_EQ(s.randomPool().cursor().position, cursor);
    EXPECT_TRUE(s.fogMap()->testBit(0, 12, 5, 0));
    EXPECT_FALSE(s.fogMap()->testBit(0, 11, 5, 0));
    EXPECT_EQ(s.historyLog().count(), 2u);
    EXPECT_NE(s.unitCellAt(2, 2)->borderMask, 0);
}

TEST(SavedGameRoundTrip, SightBitmapsFollowRulesThreeAndFour)
{
    struct Case {
        bool fog;
        bool layered;
        size_t bytes;
    };
    // 13 hexes wide: two bytes a row, six rows, one or six layers.
    for (Case c : { Case { false, false, 0 }, Case { true, false, 12 }, Case { true, true, 72 } }) {
        SavedGameWorld world(c.fog, c.layered);
        ASSERT_TRUE(world.save("s.dat"));
        auto image = imageOf(world, "s.dat");
        for (int country = 0; country < 8; ++country)
            EXPECT_EQ(image->sight[size_t(country)].size(), country < 3 ? c.bytes : 0) << c.fog << c.layered << country;
        if (!c.fog)
            continue;
        EXPECT_EQ(image->sight[0][5 * 2 + 1], 1 << 4) << "bit x mod 8 of byte x div 8";
        wreck(world.state());
        ASSERT_TRUE(world.load("s.dat"));
        EXPECT_TRUE(world.state().fogMap()->testBit(1, 0, 0, c.layered ? 3 : 0));
        if (c.layered) {
            EXPECT_FALSE(world.state().fogMap()->testBit(1, 0, 0, 0));
        }
    }
}

TEST(SavedGameRoundTrip, PlacesAreWrittenToTheLastUsedAndCloseUpOnLoading)
{
    SavedGameWorld world;
    GameState& s = world.state();
    PlaceRecord moved = s.placeTable()[1];
    moved.x = 9;
    s.placeTable()[1] = PlaceRecord {};
    s.placeTable()[3] = moved;
    ASSERT_TRUE(world.save("p.dat"));
    EXPECT_EQ(imageOf(world, "p.dat")->places.size(), 4u);

    wreck(s);
    ASSERT_TRUE(world.load("p.dat"));
    EXPECT_TRUE(s.isPlaceUsed(1));
    EXPECT_FALSE(s.isPlaceUsed(3));
    EXPECT_EQ(s.placeTable()[1].x, 9);
    EXPECT_EQ(s.unitCellAt(9, 3)->place, 2);
}

TEST(SavedGameRoundTrip, CarryOverListIsKeptOnlyInCampaignGames)
{
    SavedGameWorld world;
    GameState& s = world.state();
    ASSERT_TRUE(world.save("c.dat"));
    s.campaignBlock().campaignFlag = 0;
    ASSERT_TRUE(world.save("n.dat"));
    EXPECT_EQ(world.read("c.dat").size(), world.read("n.dat").size() + 8 + sizeof(UnitRecord));

    ASSERT_TRUE(world.load("n.dat"));
    EXPECT_EQ(s.carryOverCount(), 0u);
    ASSERT_TRUE(world.load("c.dat"));
    EXPECT_EQ(s.carryOverCount(), 1u);
    EXPECT_EQ(s.carryOverTable()[0].unitTypeId, 3);
}

TEST(SavedGameRoundTrip, AnthemCodesFollowTheMusicList)
{
    SavedGameWorld world;
    GameState& s = world.state();
    s.country(0).anthemCode = 60;
    std::strcpy(s.turnBlock().anthemFiles[0], "gone.mid");
    s.country(1).anthemCode = 12;
    ASSERT_TRUE(world.save("m.dat"));
    ASSERT_TRUE(world.load("m.dat"));
    EXPECT_EQ(s.country(0).anthemCode, 0) << "not in the music list";
    EXPECT_EQ(s.country(1).anthemCode, 12) << "a built-in anthem is kept";
}

TEST(SavedGameVersions, MagicsNameVersionsAndVersionOneGetsTheIdentityNextOrder)
{
    EXPECT_EQ(savedGameVersion("ZAFRONGDE0000001"), 1);
    EXPECT_EQ(savedGameVersion("ZAFRONGDE0000002"), 2);
    EXPECT_EQ(savedGameVersion("ZAFRONGDE0000003"), -1);

    SavedGameWorld world;
    GameState& s = world.state();
    auto image = std::make_unique<SavedGameImage>();
    captureSavedGame(s, *image);
    image->version = 1;
    {
        swCFile file(world.path("v1.dat").c_str(), 1);
        writeSavedGameImage(*image, file);
    }
    wreck(s);
    swCFile file(world.path("v1.dat").c_str(), 0);
    ASSERT_TRUE(readSavedGame(s, file));
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(s.turnBlock().nextOrder[i], i);
    EXPECT_TRUE(s.temporaryBridgeHexes().empty());
    ASSERT_EQ(s.pillboxHexes().size(), 1u);
    EXPECT_EQ(s.pillboxHexes()[0].x, 4u);
    EXPECT_EQ(s.unitCount(1), 1u);

    // A view block of four bytes, as written before the zoom and the offset were kept: the column
    // and row come back, the rest is left to the window.
    ASSERT_TRUE(world.save("zoomed.dat"));
    std::string bytes = world.read("zoomed.dat");
    const size_t carryOver = 8 + sizeof(UnitRecord), productionTypes = 4 + 8 * sizeof(ProductionTypeRecord);
    const size_t view = bytes.size() - 21 - carryOver - productionTypes - 4 - sizeof(SavedView);
    uint32_t length = 0;
    std::memcpy(&length, bytes.data() + view, 4);
    ASSERT_EQ(length, sizeof(SavedView));
    const uint32_t older = 4;
    std::memcpy(bytes.data() + view, &older, 4);
    bytes.erase(view + 8, sizeof(SavedView) - 4);
    world.write("older.dat", bytes);
    s.savedView() = { 9, 9, 9, 9, 9 };
    ASSERT_TRUE(world.load("older.dat"));
    EXPECT_EQ(int(s.savedView().firstColumn), 2);
    EXPECT_EQ(int(s.savedView().firstRow), 1);
    EXPECT_EQ(int(s.savedView().zoomPlusOne), 0);
    EXPECT_EQ(int(s.savedView().offsetX), 0);
    ASSERT_TRUE(world.load("zoomed.dat"));
    EXPECT_EQ(int(s.savedView().zoomPlusOne), 3);
    EXPECT_EQ(int(s.savedView().offsetY), -1);

    // The kind is kept in the turn block; saves from before hold a map's there and take their
    // name's, or in simple mode a scenario's.
    using Kind = std::tuple<uint8_t, const char*, uint16_t, uint16_t>;
    for (auto [mode, name, stored, loaded] : { Kind { 0, "k.wqs", 0, 2 }, Kind { 0, "k.WQC", 0, 1 }, Kind { 0, "k.wqm", 2, 2 }, Kind { 1, "k.wrm", 0, 2 } }) {
        s.setMode(mode);
        s.turnBlock().gameKind = stored;
        ASSERT_TRUE(world.save(name) && world.load(name));
        EXPECT_EQ(s.turnBlock().gameKind, loaded) << name;
    }
    s.setMode(0);
}

TEST(SavedGameHistory, SiblingNameNeverEqualsTheSave)
{
    struct Case {
        const char* path;
        char letter;
        const char* sibling;
    };
    for (Case c : { Case { "save\\a.dat", 'h', "save\\a.hat" }, Case { "save\\a.dat", 'i', "save\\a.iat" },
             Case { "a.hat", 'h', "a.hat.h" }, Case { "a.HAT", 'h', "a.HAT.h" }, Case { "game", 'h', "game.h" },
             Case { "d.x\\ab", 'i', "d.x\\ab.i" }, Case { "", 'h', ".h" } })
        EXPECT_EQ(historySiblingPath(c.path, c.letter), c.sibling) << c.path;
}

TEST(SavedGameHistory, SiblingIsReadOnlyWhenTheSaveRecordsIt)
{
    SavedGameWorld world;
    GameState& s = world.state();
    s.setMode(1);
    ASSERT_TRUE(world.save("g.dat"));
    EXPECT_TRUE(std::filesystem::exists(world.host("g.iat")));
    EXPECT_FALSE(std::filesystem::exists(world.host("g.hat")));
    s.historyLog().clear();
    ASSERT_TRUE(world.load("g.dat"));
    EXPECT_EQ(s.historyLog().count(), 2u);

    // The history goes with every save, the setting off or on.
    s.settings().writeHistory = false;
    ASSERT_TRUE(world.save("g.dat"));
    s.historyLog().clear();
    ASSERT_TRUE(world.load("g.dat"));
    EXPECT_EQ(s.historyLog().count(), 2u);

    // A save that names no history: the sibling on disk belongs to another game.
    std::string none = world.read("g.dat");
    none[none.size() - 13] = 0;
    world.write("g.dat", none);
    ASSERT_TRUE(world.load("g.dat"));
    EXPECT_EQ(s.historyLog().count(), 0u);

    // A sibling of another save is never joined to this game: it resumes without one.
    s.settings().writeHistory = true;
    s.historyLog().append(HistoryRecord {});
    ASSERT_TRUE(world.save("g.dat"));
    std::string other = world.read("g.iat");
    s.historyLog().append(HistoryRecord {});
    ASSERT_TRUE(world.save("h.dat"));
    world.write("h.iat", other);
    ASSERT_TRUE(world.load("h.dat"));
    EXPECT_EQ(s.historyLog().count(), 0u);

    // Records of older versions without the generation: a sibling of another count is not this game's.
    std::string bytes = world.read("g.dat");
    std::string older = bytes.substr(0, bytes.size() - 21);
    uint32_t length = 9;
    older.append(reinterpret_cast<const char*>(&length), 4);
    older += "HIST";
    older += 'i';
    uint32_t count = 2;
    older.append(reinterpret_cast<const char*>(&count), 4);
    world.write("nine.dat", older);
    world.write("nine.iat", other);
    ASSERT_TRUE(world.load("nine.dat"));
    EXPECT_EQ(s.historyLog().count(), 0u);

    // Saves without the record (older files) take the sibling when it exists.
    world.write("old.dat", bytes.substr(0, bytes.size() - 21));
    world.write("old.iat", other);
    ASSERT_TRUE(world.load("old.dat"));
    EXPECT_EQ(s.historyLog().count(), 1u);
}

TEST(SavedGameSave, FailedSaveLeavesTheOldFilesIntact)
{
    SavedGameWorld world;
    GameState& s = world.state();
    ASSERT_TRUE(world.save("k.dat"));
    std::string before = world.read("k.dat");
    std::string history = world.read("k.hat");
    s.turnBlock().turn = 9;
    s.historyLog().append(HistoryRecord {});

    // A folder where the temporary file would go makes the write fail.
    std::filesystem::create_directory(world.host("k.dat.tmp"));
    EXPECT_FALSE(world.save("k.dat"));
    EXPECT_EQ(world.read("k.dat"), before);
    EXPECT_EQ(world.read("k.hat"), history);
    std::filesystem::remove(world.host("k.dat.tmp"));

    std::filesystem::create_directory(world.host("k.hat.tmp"));
    EXPECT_FALSE(world.save("k.dat"));
    EXPECT_EQ(world.read("k.dat"), before);
    std::filesystem::remove(world.host("k.hat.tmp"));

    EXPECT_TRUE(saveGameFile(s, world.path("k.dat").c_str(), true));
    EXPECT_NE(world.read("k.dat"), before);
    EXPECT_EQ(s.savePath(), world.path("k.dat"));
    EXPECT_FALSE(std::filesystem::exists(world.host("k.dat.tmp")));
}

TEST(SaveFilePreview, ReadsBlocksCountsAndBuildingOwners)
{
    SavedGameWorld world;
    ASSERT_TRUE(world.save("v.dat"));
    MapHeader header {};
    TurnBlock turn {};
    auto cells = std::make_unique<FileMapCell[]>(65536);
    SaveFileInfo info;
    info.header = &header;
    info.turn = &turn;
    info.cells = cells.get();
    ASSERT_TRUE(readSaveFileInfo(world.path("v.dat").c_str(), info));
    EXPECT_EQ(header.width, 13);
    EXPECT_EQ(turn.turn, 4);
    EXPECT_EQ(info.countriesInPlay, 3);
    EXPECT_EQ(info.countriesAlive, 2);
    EXPECT_EQ(cells[2 * 13 + 2].buildingOwnerPlusOne, 1);
    EXPECT_EQ(cells[5 * 13 + 11].buildingOwnerPlusOne, 2);
    EXPECT_EQ(cells[2 * 13 + 2].terrain, world.cell(2, 2).terrain);
    EXPECT_EQ(cells[0].buildingOwnerPlusOne, 0);

    EXPECT_FALSE(readSaveFileInfo(world.path("none.dat").c_str(), info));
    std::string bytes = world.read("v.dat");
    bytes[15] = '9';
    world.write("w.dat", bytes);
    EXPECT_FALSE(readSaveFileInfo(world.path("w.dat").c_str(), info));
}

} // namespace
