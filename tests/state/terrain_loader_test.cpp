// land.dat: the generated file, role indexes and damaged copies.
#include "state/game_state.h"

#include "tests/state/state_test_support.h"

#include <algorithm>
#include <cstring>
#include <memory>

using namespace testing_state;

namespace {

// A land.dat line of 108 columns: name, number, kind, then the given numeric/marked columns.
std::string landLine(const std::string& name, const std::string& kind, int durability = 0)
{
    std::string line = name + ",0," + kind;
    for (int c = 4; c <= 108; ++c)
        line += c == 56 ? "," + std::to_string(durability) : ",1";
    return line;
}

} // namespace

TEST(TerrainLoader, GeneratedLandHasTheRolesTheRulesNameById)
{
    DataFolder folder;
    auto state = std::make_unique<GameState>();
    state->loadTerrainData();
    const auto& types = state->terrainTypes();
    ASSERT_EQ(types.size(), 56u);
    const TerrainRoles& roles = state->terrainRoles();
    EXPECT_EQ(roles.river, 14);
    EXPECT_EQ(roles.deepRiver, 15);
    EXPECT_EQ(roles.frozenRiver, 26);
    EXPECT_EQ(roles.sea, 28);
    EXPECT_EQ(roles.shallows, 29);
    EXPECT_EQ(roles.largeCity, 32);
    EXPECT_EQ(roles.missileBase, 44);
    EXPECT_EQ(roles.pillbox, 50);
    EXPECT_EQ(roles.bridge, 51);
    EXPECT_EQ(roles.road, 52);
    EXPECT_EQ(roles.snowfield, 10);
    EXPECT_EQ(roles.wasteland, 11);
    EXPECT_EQ(roles.bridgeValue, types[51].defaultDisplayCode);
    EXPECT_EQ(types[31].kind, kTerrainCapital);
    EXPECT_EQ(types[53].kind, kTerrainTemporaryBridge);
    EXPECT_EQ(utf8(types[31].name), "首都");
    // Every building kind has at least one type.
    for (int kind = kTerrainBuilding; kind < kTerrainKindCount; ++kind)
        EXPECT_TRUE(std::any_of(types.begin(), types.end(), [&](const TerrainRecord& t) { return t.kind == kind; })) << kind;
    // The airport refuels aircraft, VTOL and helicopters; sea takes sea mines only.
    EXPECT_EQ(types[35].refuelMask, 0x07);
    EXPECT_EQ(types[28].mineFlags, 0x02);
    EXPECT_EQ(types[1].moveCost[3], 1);
    EXPECT_EQ(types[28].moveCost[3], 0);
    EXPECT_TRUE(shownTexts().empty());
}

TEST(TerrainLoader, LaterTypeOfAKindTakesTheRoleAndFieldsMapToColumns)
{
    DataFolder folder;
    std::string marked = landLine("印", "基本地形");
    // Column 61 is the third column of the refuel block: bit 2.
    {
        std::vector<std::string> cols;
        std::string text = marked;
        size_t start = 0;
        for (size_t p; (p = text.find(',', start)) != std::string::npos; start = p + 1)
            cols.push_back(text.substr(start, p - start));
        cols.push_back(text.substr(start));
        for (int c = 59; c <= 64; ++c)
            cols[c - 1] = "";
        cols[61 - 1] = "○";
        cols[99 - 1] = "○";
        cols[100 - 1] = "x";
        marked.clear();
        for (size_t i = 0; i < cols.size(); ++i)
            marked += (i ? "," : "") + cols[i];
    }
    folder.writeText("land.dat", landLine("道A", "道路") + "\r\n" + landLine("街", "大都市") + "\n\n" + landLine("道B", "道路")
            + "\r\n" + landLine("空白", "道路 ") + "\r\n" + marked + "\r\n" + landLine("橋", "橋", 300));
    auto state = std::make_unique<GameState>();
    state->loadTerrainData();
    const auto& types = state->terrainTypes();
    ASSERT_EQ(types.size(), 6u);
    EXPECT_EQ(state->terrainRoles().road, 2);
    // A kind text with a trailing blank matches no kind.
    EXPECT_EQ(types[3].kind, kTerrainBasic);
    EXPECT_EQ(types[4].refuelMask, 0x04);
    EXPECT_EQ(types[4].flags, 0x01);
    // 300 keeps its low byte.
    EXPECT_EQ(types[5].durability, 300 & 0xFF);
    EXPECT_EQ(state->terrainRoles().bridge, 5);
    EXPECT_EQ(state->terrainRoles().sea, 0);
}

TEST(TerrainLoader, ShortLinesReadAsEmptyAndLongNamesAreCut)
{
    DataFolder folder;
    folder.writeText("land.dat", "とても長い名前の地形です,7,大都市\r\nabcdefghijklmnopq\r\n");
    auto state = std::make_unique<GameState>();
    state->loadTerrainData();
    const auto& types = state->terrainTypes();
    ASSERT_EQ(types.size(), 2u);
    // Six double-byte characters fit in 13 bytes; the seventh would not.
    EXPECT_EQ(utf8(types[0].name), "とても長い名");
    EXPECT_EQ(types[0].number, 7);
    EXPECT_EQ(types[0].kind, kTerrainLargeCity);
    EXPECT_EQ(types[0].capacity, 0);
    EXPECT_EQ(std::string(types[1].name), "abcdefghijklm");
}

TEST(TerrainLoader, RefusesMissingFileAndFileWithoutLargeCity)
{
    DataFolder folder;
    folder.remove("land.dat");
    auto state = std::make_unique<GameState>();
    auto missing = testing_lib::thrownError([&] { state->loadTerrainData(); });
    EXPECT_TRUE(missing.thrown);
    EXPECT_EQ(missing.code, 0);
    EXPECT_TRUE(state->terrainTypes().empty());
    ASSERT_EQ(shownTexts().size(), 1u);
    EXPECT_EQ(shownTexts()[0], "地形データ land.dat が見つかりません");
    EXPECT_EQ(utf8(noticeLog().notices()[0].caption.c_str()), "警告");

    noticeLog().clear();
    folder.writeText("land.dat", landLine("平地", "基本地形") + "\r\n" + landLine("首都", "首都"));
    EXPECT_TRUE(testing_lib::thrownError([&] { state->loadTerrainData(); }).thrown);
    ASSERT_EQ(shownTexts().size(), 1u);
    EXPECT_NE(shownTexts()[0].find("大都市"), std::string::npos);

    folder.write("land.dat", "");
    EXPECT_TRUE(testing_lib::thrownError([&] { state->loadTerrainData(); }).thrown);
}

TEST(TerrainLoader, SkipsTypesBeyondWhatACellCanName)
{
    DataFolder folder;
    std::string text = landLine("街", "大都市") + "\r\n";
    for (int i = 0; i < 300; ++i)
        text += "t" + std::to_string(i) + "\r\n";
    folder.writeText("land.dat", text);
    auto state = std::make_unique<GameState>();
    state->loadTerrainData();
    EXPECT_EQ(state->terrainTypes().size(), 256u);
    ASSERT_EQ(shownTexts().size(), 1u);
    EXPECT_NE(shownTexts()[0].find("land.dat の 257行目から 45行"), std::string::npos);
}
