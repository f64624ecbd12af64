// The campaign's next map: won, the survivors are carried over and deployed; a changed file stops it.
#include "rules/campaign_next_map.h"

#include "rules/carry_over.h"
#include "rules/headless_links.h"
#include "rules/links.h"
#include "state/campaign_file.h"
#include "state/campaign_progress.h"
#include "state/map_file.h"
#include "state/unit_facts.h"
#include "tests/state/map_file_fixture.h"
#include "tests/state/small_world.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>

namespace {

namespace fs = std::filesystem;

constexpr char kPath[] = "tkmap\\border.vtc";

// The generated campaign started for country 0 on its first map, with recorded windows.
class CampaignWorld : public testing_state::SmallWorld {
public:
    CampaignWorld()
        : SmallWorld(4, 4)
    {
        fs::create_directories(host("tkmap"));
        fs::copy_file(fs::path(DERAZODO_PROGRAM_DIR) / "tkmap" / "border.vtc", host("tkmap/border.vtc"));
        setRulesLinks({ &window, nullptr, &dialogs, nullptr });
        started = startCampaign(state(), kPath, 0);
    }
    ~CampaignWorld() { setRulesLinks({}); }

    // The player wins the first map and its units go into the carry-over list.
    void winFirstMap()
    {
        CountryRecord& player = state().country(0);
        player.inPlay = 1;
        player.outcome = 3;
        state().nextCampaignStage() = campaignNextMapIndex(state());
        collectCarryOver(state());
    }
    bool onDeploymentHex(const UnitRecord& unit) { return state().terrainCellAt(unit.x, unit.y)->turnMarks[0] & 1; }
    std::vector<HexPos> deploymentHexes()
    {
        std::vector<HexPos> hexes;
        for (int y = 0; y < state().mapHeight(); ++y)
            for (int x = 0; x < state().mapWidth(); ++x)
                if (state().terrainCellAt(x, y)->turnMarks[0] & 1)
                    hexes.push_back({ x, y });
        return hexes;
    }
    void openDeployment()
    {
        compactCarryOverList(state());
        carryOverDeployment(state()) = { state().carryOverCount(), 0xFF };
    }

    HeadlessMainWindow window;
    HeadlessDialogs dialogs;
    bool started = false;
};

TEST(CampaignNextMap, WinCarriesTheUnitsOverToBePlacedByHandAndAutomatically)
{
    CampaignWorld world;
    ASSERT_TRUE(world.started);
    GameState& s = world.state();
    // The file's record follows the block's flag byte.
    EXPECT_EQ(std::string(s.campaignBlock().name), platform::utf8ToCp932("北辺戦役"));
    EXPECT_EQ(s.campaignBlock().experienceDivisor, 2);
    EXPECT_EQ(s.campaignBlock().currentStage, 1);
    const int survivors = s.liveUnitCount(0);
    world.winFirstMap();
    EXPECT_EQ(s.nextCampaignStage(), 1);
    const uint32_t carried = s.carryOverCount();
    ASSERT_EQ(int(carried), survivors);
    s.appendTurnStats(TurnStatsRecord {});

    ASSERT_TRUE(loadNextCampaignMap(s));
    EXPECT_EQ(s.campaignBlock().currentStage, 2);
    EXPECT_EQ(s.turnStatsCount(), 0u) << "the first map's turns in the graphs of the next";
    EXPECT_EQ(world.dialogs.callsOf("showBriefing").size(), 1u);
    EXPECT_TRUE(world.dialogs.callsOf("showMapSettings").empty());
    EXPECT_EQ(world.window.callsOf("setTitle").size(), 1u);
    EXPECT_TRUE(world.window.messages().empty());
    ASSERT_EQ(s.carryOverCount(), carried);

    world.openDeployment();
    const int before = s.liveUnitCount(0);
    std::vector<HexPos> hexes = world.deploymentHexes();
    ASSERT_FALSE(hexes.empty());
    ASSERT_TRUE(canDeployCarryOverEntry(s, 0));
    ASSERT_TRUE(deployCarriedOverUnit(s, 0, 0, hexes.back().x, hexes.back().y, false));
    EXPECT_EQ(carryOverDeployment(s).unitsLeft, carried - 1);
    autoDeployCarryOver(s);
    EXPECT_EQ(carryOverDeployment(s).unitsLeft, 0u);
    for (uint32_t i = 0; i < carried; ++i) {
        const UnitRecord& entry = *carryOverEntry(s, int(i));
        ASSERT_EQ(unitState(entry), kCarryOverPlaced) << "entry " << i;
        const UnitRecord& unit = *s.unitOf(0, entry.placedUnitIndex);
        EXPECT_TRUE(unitInPlay(unit));
        EXPECT_TRUE(world.onDeploymentHex(unit)) << int(unit.x) << "," << int(unit.y);
        if (i == 0) {
            EXPECT_EQ((HexPos { unit.x, unit.y }), hexes.back());
        }
    }
    EXPECT_EQ(s.liveUnitCount(0), before + int(carried));
}

TEST(CampaignNextMap, TheCampaignsOwnFileGoesOnWhateverItsTimeAndAnyOtherIsToldWithTheStageKept)
{
    const std::string unread = "キャンペーンマップファイルを読み込めないため、中止します。";
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> change;
        int index = 1;
        // Empty: the campaign goes on.
        std::string told, reason;
    };
    const Case cases[] = {
        { "touched", [](const fs::path& f) { fs::last_write_time(f, fs::last_write_time(f) + std::chrono::seconds(1)); }, 1, "", "" },
        { "missing", [](const fs::path& f) { fs::remove(f); }, 1, "キャンペーンマップファイルが存在しないため、中止します。", "" },
        // The first byte of the record's name, after the 632 bytes of the header.
        { "another campaign", [](const fs::path& f) { std::fstream(f, std::ios::in | std::ios::out | std::ios::binary).seekp(632).put('X'); },
            1, "キャンペーンマップファイルの内容が開始時と異なるため、中止します。", "" },
        { "cut in its last map", [](const fs::path& f) { fs::resize_file(f, fs::file_size(f) - 100); }, 1, unread,
            "ファイルが途中で切れています。" },
        { "a map the file does not hold", [](const fs::path&) { }, 5, unread, "ファイルの内容が壊れています（92バイト目）。" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CampaignWorld world;
        ASSERT_TRUE(world.started);
        GameState& s = world.state();
        world.winFirstMap();
        s.nextCampaignStage() = c.index;
        c.change(world.host("tkmap/border.vtc"));
        const int units = s.liveUnitCount(0);
        if (c.told.empty()) {
            EXPECT_TRUE(loadNextCampaignMap(s));
            EXPECT_EQ(s.campaignBlock().currentStage, 2);
            EXPECT_TRUE(world.window.messages().empty());
            continue;
        }
        EXPECT_FALSE(loadNextCampaignMap(s));
        const auto messages = world.window.messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(platform::cp932ToUtf8(messages[0].first), c.told + "\n" + kPath + (c.reason.empty() ? "" : "\n理由: " + c.reason));
        EXPECT_EQ(messages[0].second, platform::utf8ToCp932("中止"));
        // The stage that ended is still there.
        EXPECT_EQ(s.campaignBlock().currentStage, 1);
        EXPECT_EQ(s.liveUnitCount(0), units);
    }
}

TEST(CampaignNextMap, AnthemPastTheMusicListFallsBackToTheBuiltInTune)
{
    CampaignWorld world;
    GameState& s = world.state();
    // The second map asks for entries 0 and 7 of a one-entry music list.
    ScenarioFile first = smallScenarioFile();
    first.units = {};
    ScenarioFile second = first;
    second.countries[0].anthemCode = 50;
    second.countries[1].anthemCode = 57;
    std::vector<uint8_t> bytes = writeCampaignBytes(CampaignRecord {}, { writeScenarioBytes(first), writeScenarioBytes(second) });
    std::ofstream(world.host("tkmap/music.vtc"), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    fs::create_directories(world.host("tkbgm"));
    std::ofstream(world.host("tkbgm/march.mid")) << "MThd";
    s.listMusicFiles();

    ASSERT_TRUE(startCampaign(s, "tkmap\\music.vtc", 0));
    s.nextCampaignStage() = 1;
    ASSERT_TRUE(loadNextCampaignMap(s));
    EXPECT_STREQ(s.turnBlock().anthemFiles[0], "march.mid");
    EXPECT_EQ(s.country(0).anthemCode, 50);
    EXPECT_EQ(s.turnBlock().anthemFiles[1][0], 0);
    EXPECT_EQ(s.country(1).anthemCode, 0);
}

} // namespace
