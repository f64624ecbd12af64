// Anthems, the music list, file kinds and the unit-type cost.
#include "state/country_record.h"
#include "state/game_state.h"
#include "state/hex_cells.h"
#include "state/turn_block.h"

#include "tests/state/state_test_support.h"

#include <cstring>
#include <memory>

using namespace testing_state;

TEST(AnthemList, GeneratedListAndWaveLookup)
{
    DataFolder folder;
    auto state = std::make_unique<GameState>();
    std::string wave;
    state->anthemWaveName(0, wave);
    EXPECT_EQ(wave, "Japan1.wav");
    state->loadAnthemList();
    ASSERT_EQ(state->anthemNames().size(), 8u);
    state->anthemWaveName(99, wave);
    EXPECT_EQ(wave, "tkbgm\\anthem8.wav");
    state->anthemWaveName(-1, wave);
    EXPECT_EQ(wave, "tkbgm\\anthem8.wav");
    state->anthemWaveName(2, wave);
    EXPECT_EQ(wave, "tkbgm\\anthem3.wav");
    EXPECT_TRUE(state->isAnthemWave("tkbgm\\anthem1.wav"));
    EXPECT_FALSE(state->isAnthemWave("tkbgm\\ANTHEM1.wav"));
}

TEST(AnthemList, LinesWithOtherFieldCountsAreIgnored)
{
    DataFolder folder;
    folder.writeText("anthem.lst", "a,b\r\nc\r\nd,e,f\r\n\r\ng,h");
    auto state = std::make_unique<GameState>();
    state->loadAnthemList();
    EXPECT_EQ(state->anthemWaves(), (std::vector<std::string>{ "b", "h" }));
    folder.remove("anthem.lst");
    state->loadAnthemList();
    EXPECT_TRUE(state->anthemNames().empty());
}

TEST(MusicList, WavesFirstThenMidiWithoutAnthems)
{
    DataFolder folder;
    folder.write("tkbgm/anthem1.wav", "x");
    folder.write("tkbgm/song.wav", "x");
    folder.write("tkbgm/march.mid", "x");
    folder.write("tkbgm/notes.txt", "x");
    auto state = std::make_unique<GameState>();
    state->loadAnthemList();
    state->listMusicFiles();
    EXPECT_EQ(state->musicNames(), (std::vector<std::string>{ "song.wav", "march.mid" }));
    EXPECT_EQ(state->musicPaths()[1], "tkbgm\\march.mid");
}

TEST(SmallServices, FileKindsStarsAndStrategies)
{
    auto state = std::make_unique<GameState>();
    EXPECT_STREQ(state->fileExtension(1), "wqc");
    EXPECT_STREQ(state->fileExtension(7), "wqm");
    state->setMode(1);
    EXPECT_STREQ(state->fileExtension(2), "wrs");
    EXPECT_EQ(utf8(starRatingText(9)), "★★★★★");
    EXPECT_EQ(utf8(starRatingText(-1)), "☆☆☆☆☆");
    EXPECT_EQ(utf8(starRatingText(2)), "★★☆☆☆");
    EXPECT_EQ(utf8(computerStrategyName(2)), "攻防均衡");
}

TEST(UnitTypeCost, ProportionalWithFloorsOfOneAndNoOverflow)
{
    UnitTypeRecord type;
    std::memset(&type, 0, sizeof type);
    CountryRecord country;
    std::memset(&country, 0, sizeof country);
    type.members = 4;
    type.memberPrice = 50;
    country.marketRate = 100;
    EXPECT_EQ(unitTypeCost(type, country, 2, 4), 100u);
    EXPECT_EQ(unitTypeCost(type, country, 0, 4), 1u);
    EXPECT_EQ(unitTypeCost(type, country, 3, 0), 200u);
    EXPECT_EQ(unitTypeCost(type, country, 9, 4), 200u);
    // 255 x 200 x 100,000,000 / 100 passes 32 bits in the middle but not in the result.
    type.members = 255;
    type.memberPrice = 100000000;
    country.marketRate = 200;
    EXPECT_EQ(unitTypeCost(type, country, 1, 255), 200000000u);
    type.memberPrice = 4000000000u;
    EXPECT_EQ(unitTypeCost(type, country, 255, 255), UINT32_MAX);
}

TEST(HexCells, SideCodesAreNibblesAndTurnPlaces)
{
    TerrainCell cell{};
    for (int d = 0; d < 6; ++d)
        cell.setSideCode(d, d + 9);
    for (int d = 0; d < 6; ++d)
        EXPECT_EQ(cell.sideCode(d), (d + 9) & 0x0F);
    EXPECT_EQ(cell.sideCodes[0], 0xA9);
    cell.owner = 3;
    cell.clearOwnership();
    EXPECT_EQ(cell.owner, 0);
    EXPECT_EQ(cell.sideCode(5), 0);
    // Bits 6 and up pick a substitute only when a river bit is set.
    cell.substitute = 1 << 6;
    EXPECT_FALSE(cell.hasSubstitute());
    cell.substitute |= 2;
    EXPECT_TRUE(cell.hasSubstitute());
    EXPECT_EQ(cell.substituteKind(), 1u);

    TurnBlock turn{};
    for (int p = 0; p < 8; ++p)
        turn.order[p] = uint8_t(7 - p);
    turn.order[7] = 6;
    EXPECT_EQ(turn.placeOf(6), 1);
    EXPECT_EQ(turn.placeOf(0), 8);
    EXPECT_EQ(turn.sideAtPlace(0), 7);
}
