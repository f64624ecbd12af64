// The control panel after its messages: the side's, the unit's and the hex's lines, and its drawing.
#include "app/control_panel.h"
#include "state/name_tables.h"
#include "state/unit_facts.h"
#include "tests/app/app_test_support.h"
#include "tests/lib/window_test_support.h"
#include "tests/ui/looked_world.h"
#include "ui/private_messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using testing_state::SmallWorld;

namespace {

using testing_app::cp;
using testing_app::kInfantry;

constexpr int kPlain = 1;

std::vector<std::string> texts(const std::vector<PanelLine>& lines)
{
    std::vector<std::string> out;
    for (const PanelLine& line : lines)
        out.push_back(line.text);
    return out;
}

bool contains(const std::vector<PanelLine>& lines, const std::string& text)
{
    return std::any_of(lines.begin(), lines.end(), [&](const PanelLine& l) { return l.text == text; });
}

class PanelWorld : public testing_ui::LookedWorld {
public:
    PanelWorld()
        : LookedWorld(8, 6, kPlain)
    {
        std::strcpy(state().country(0).name, cp("青国").c_str());
        std::strcpy(state().country(1).name, cp("赤国").c_str());
        state().country(0).funds = 4321;
        TurnBlock& turn = state().turnBlock();
        turn.turn = 3;
        turn.phase = 5;
        turn.currentCountry = 0;
        turn.viewingCountry = 0;
    }
};

class ControlPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing_lib::initApplication();
        ASSERT_TRUE(parent.Create());
        panel = new ControlPanel(&parent, world.state());
        ASSERT_TRUE(panel->Create());
        testing_lib::pump();
    }
    void TearDown() override { testing_lib::destroyAllWindows(); }

    void post(UINT message, WPARAM wParam = 0)
    {
        PostMessageA(panel->handle(), message, wParam, 0);
        testing_lib::pump();
    }

    PanelWorld world;
    testing_lib::TopWindow parent;
    ControlPanel* panel = nullptr;
};

} // namespace

TEST_F(ControlPanelTest, SideFactsNameTheCountryInItsColourWithTurnPhaseAndFunds)
{
    post(ui_message::kPanelSideFacts);
    const auto& lines = panel->sideLines();
    ASSERT_EQ(texts(lines),
        (std::vector<std::string> { cp("青国"), cp("第3ターン　昼"), cp("行動フェイズ"), cp("資金　4321") }));
    EXPECT_EQ(lines[0].colour, playerColourRef(0));
    RECT r {};
    GetWindowRect(panel->handle(), &r);
    const platform::harness::Image heading = platform::harness::readRect({ r.left, r.top, r.right, r.top + 22 });
    const COLORREF c = playerColourRef(0);
    const uint32_t drawn = uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
    EXPECT_TRUE(
        std::any_of(heading.pixels.begin(), heading.pixels.end(), [&](uint32_t p) { return (p & 0xFFFFFF) == drawn; }));

    // Another country's funds are shown only while the camps' information is open, as 陣営情報 does.
    world.state().turnBlock().currentCountry = 1;
    world.state().turnBlock().phase = 6;
    world.state().country(1).funds = 7;
    post(ui_message::kPanelSideFacts);
    EXPECT_EQ(texts(panel->sideLines()),
        (std::vector<std::string> { cp("赤国"), cp("第3ターン　昼"), cp("生産フェイズ"), cp("資金　????????") }));
    world.setRule(kRuleOpenCampInfo, 1);
    post(ui_message::kPanelSideFacts);
    EXPECT_EQ(texts(panel->sideLines())[3], cp("資金　7"));

    // A game that ran out of turns counts one past the map's limit; the last turn played is shown.
    MapHeader& header = world.state().mapHeader();
    header.turnLimit = 20;
    world.state().turnBlock().turn = 21;
    world.state().turnBlock().phase = 7;
    post(ui_message::kPanelSideFacts);
    EXPECT_EQ(texts(panel->sideLines())[1], cp("第20ターン　昼"));
}

TEST_F(ControlPanelTest, AShownUnitListsItsFactsAndARefreshRereadsThem)
{
    const int index = world.placeUnit(0, kInfantry, 2, 3);
    UnitRecord& unit = world.unit(0, index);
    const UnitTypeRecord& type = unit.type();
    unit.memberLimit = type.members;
    post(ui_message::kPanelShowUnit, WPARAM(0 | index << 16));
    const auto& lines = panel->unitLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].text, std::string(type.name, strnlen(type.name, sizeof type.name)));
    EXPECT_TRUE(lines[0].heading);
    const std::string limit = "/" + std::to_string(unit.memberLimit);
    EXPECT_TRUE(contains(lines, cp("機数　") + std::to_string(unit.memberLimit) + limit));
    EXPECT_TRUE(contains(lines, cp("練度　") + experienceMark(0) + " (0)"));
    EXPECT_TRUE(contains(lines, cp("未行動")));

    unit.flags |= kUnitActed;
    unit.memberStrengths[0] = 0;
    unit.experience = 500;
    post(ui_message::kPanelRefreshUnit);
    EXPECT_TRUE(contains(panel->unitLines(), cp("行動済")));
    EXPECT_TRUE(contains(panel->unitLines(), cp("機数　") + std::to_string(unit.memberLimit - 1) + limit));
    EXPECT_TRUE(contains(panel->unitLines(), cp("練度　") + experienceMark(experienceLevel(unit)) + " (500)"));

    // The machines are the unit's own, whatever its type's record claims.
    world.editType(kInfantry).members = 40;
    post(ui_message::kPanelRefreshUnit);
    EXPECT_TRUE(contains(panel->unitLines(), cp("機数　") + std::to_string(unit.memberLimit - 1) + limit));
}

TEST_F(ControlPanelTest, AShownHexListsTerrainBuildingOwnerAndTheShownUnitsDefence)
{
    const int town = world.terrainOfKind(kTerrainBuilding);
    ASSERT_GE(town, 0);
    const int b = world.placeBuilding(town, 1, 4, 2);
    world.building(b).durability = 3;
    const int index = world.placeUnit(0, kInfantry, 4, 2);
    post(ui_message::kPanelShowUnit, WPARAM(0 | index << 16));
    post(ui_message::kPanelShowHex, WPARAM(2 << 16 | 4));

    const TerrainRecord& plain = world.state().terrainTypes()[kPlain];
    const auto& lines = panel->hexLines();
    EXPECT_EQ(lines[0].text, std::string(plain.name, strnlen(plain.name, sizeof plain.name)));
    EXPECT_TRUE(contains(lines, cp("座標　(4, 2)")));
    const TerrainRecord& building = world.state().terrainTypes()[size_t(town)];
    EXPECT_TRUE(
        contains(lines, cp("建物　") + std::string(building.name, strnlen(building.name, sizeof building.name))));
    EXPECT_TRUE(contains(lines, cp("所属　赤国")));
    EXPECT_TRUE(contains(lines, cp("耐久　3/") + std::to_string(building.durability)));
    const int evasion = plain.evasion[world.unit(0, index).type().movementType];
    EXPECT_TRUE(contains(lines, cp("防御　+") + std::to_string(evasion) + "%"));

    world.building(b).ownerPlusOne = 0;
    post(ui_message::kPanelRefreshHex);
    EXPECT_TRUE(contains(panel->hexLines(), cp("所属　なし")));

    // Under fog the enemy's unit the panel kept tells nothing of itself: no defence, no page.
    world.setRule(kRuleSearch, 1);
    const int hidden = world.placeUnit(1, kInfantry, 5, 2);
    post(ui_message::kPanelShowUnit, WPARAM(1 | hidden << 16));
    post(ui_message::kPanelShowHex, WPARAM(2 << 16 | 5));
    EXPECT_FALSE(contains(panel->hexLines(), cp("防御　+") + std::to_string(evasion) + "%"));
    EXPECT_EQ(panel->seenUnit(), nullptr);
}

TEST_F(ControlPanelTest, UnitsAndHexesThatDoNotExistShowTheEmptyLines)
{
    post(ui_message::kPanelValue, 1);
    EXPECT_EQ(panel->panelValue(), 1);
    const std::vector<std::string> noUnit { cp("部隊未選択") };
    const std::vector<std::string> noHex { cp("ヘックス未選択") };
    // A free table slot, an index past the table, a side past the sides.
    for (WPARAM unit : { WPARAM(0 | 5 << 16), WPARAM(0 | 4000 << 16), WPARAM(12) }) {
        post(ui_message::kPanelShowUnit, unit);
        EXPECT_EQ(texts(panel->unitLines()), noUnit) << unit;
    }
    post(ui_message::kPanelShowHex, WPARAM(1 << 16 | 8));
    EXPECT_EQ(texts(panel->hexLines()), noHex);

    // The start of a game view forgets what was shown.
    const int index = world.placeUnit(0, kInfantry, 1, 1);
    post(ui_message::kPanelShowUnit, WPARAM(0 | index << 16));
    post(ui_message::kPanelShowHex, WPARAM(1 << 16 | 1));
    ASSERT_NE(texts(panel->unitLines()), noUnit);
    post(ui_message::kPanelStartGameView);
    EXPECT_EQ(texts(panel->unitLines()), noUnit);
    EXPECT_EQ(texts(panel->hexLines()), noHex);
    EXPECT_EQ(panel->unitSide(), -1);
}
