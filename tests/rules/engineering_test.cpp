// Engineering executors: restoring and reinforcing works, pillboxes, bridges, roads and jamming.
#include "rules/engineering.h"

#include "rules/current_action.h"
#include "rules/headless_links.h"
#include "rules/links.h"
#include "rules/rules_context.h"
#include "state/action_history.h"
#include "state/turn_stats.h"
#include "state/unit_facts.h"
#include "state/weapon_record.h"
#include "tests/rules/commands_world.h"
#include "tests/state/packed_value.h"

#include <gtest/gtest.h>

using testing_rules::CommandWorld;

namespace {

class SupplyLinesWatch : public ActionSettlement {
public:
    void missileImpact(int, int) override { }
    void checkEndOfGame(int) override { }
    void resetHexTurnMarks() override { }
    void updateSupplyLines() override { ++supplyLines; }
    void answerUi(int) override { }
    int supplyLines = 0;
};

// An engineer of country 0 with four counters and ten rounds of material, acting.
class WorksWorld : public CommandWorld {
public:
    WorksWorld()
    {
        setActionSettlement(&settlement);
        giveWeapon(plain, kWeaponEngineering, 10);
        engineer = placeUnit(0, plain, 3, 3);
        currentAction(state()).beginAction(0, engineer);
    }
    ~WorksWorld() { setActionSettlement(nullptr); }

    UnitRecord& actor() { return unit(0, engineer); }
    int material() { return actor().engineeringAmmoTotal(); }
    // Finishing the action recomputes the supply lines only when a work marked them outdated.
    bool supplyLinesRecomputed()
    {
        currentAction(state()).finishActionQuiet();
        return settlement.supplyLines > 0;
    }

    SupplyLinesWatch settlement;
    int engineer = 0;
};

} // namespace

TEST(RestoreWork, DestroyedBuildingRestoredToFullStandsAgainAndIsResupplied)
{
    WorksWorld world;
    const int town = world.terrainOfKind(kTerrainBuilding);
    world.editTerrain(town).durability = 10;
    world.editTerrain(town).income = 7;
    int b = world.placeBuilding(town, 0, 4, 3);
    world.building(b).durability = 2;
    world.building(b).destroyed = 1;
    world.state().appendTurnStats(TurnStatsRecord {});
    const uint32_t records = world.state().historyLog().count();

    execRestore(world.state(), 4, 3);
    EXPECT_EQ(world.building(b).durability, 6) << "four counters";
    EXPECT_FALSE(world.building(b).isIntact());
    EXPECT_EQ(world.state().historyLog().count(), records + 1);
    EXPECT_EQ(world.state().turnStatsAt(0)->country[0].income, 0u) << "still destroyed, still no income";

    world.editType(world.plain).unitClass = 38;
    execRestore(world.state(), 4, 3);
    EXPECT_EQ(world.building(b).durability, 10) << "an engineer class restores twice its counters, up to the maximum";
    EXPECT_TRUE(world.building(b).isIntact());
    EXPECT_EQ(world.state().turnStatsAt(0)->country[0].income, 7u) << "its income is booked again";
    EXPECT_EQ(world.material(), 10) << "restoring uses no material";
    EXPECT_TRUE(world.supplyLinesRecomputed());
}

TEST(RestoreWork, NeverLowersAReinforcedDurability)
{
    WorksWorld world;
    const int town = world.terrainOfKind(kTerrainBuilding);
    world.editTerrain(town).durability = 10;
    int b = world.placeBuilding(town, 0, 4, 3);
    world.building(b).durability = 14;
    execRestore(world.state(), 4, 3);
    EXPECT_EQ(world.building(b).durability, 14);
    EXPECT_FALSE(world.supplyLinesRecomputed());
}

TEST(RestoreWork, ListedPillboxGainsUpToItsMaximumAndBareGroundIsLeftAlone)
{
    WorksWorld world;
    GameState& s = world.state();
    const int pillbox = s.terrainRoles().pillbox;
    world.editTerrain(pillbox).durability = 20;
    world.cell(2, 3).terrain = uint8_t(pillbox);
    s.pillboxHexes().push_back(PillboxHex { 2, 3, 18, 0 });
    execRestore(s, 2, 3);
    EXPECT_EQ(s.pillboxHexes()[0].durability, 20);

    const uint32_t records = s.historyLog().count();
    const uint16_t experience = world.actor().experience;
    execRestore(s, 5, 5);
    EXPECT_EQ(s.historyLog().count(), records) << "nothing to restore on open ground";
    EXPECT_EQ(world.actor().experience, experience);
}

TEST(ReinforceWork, RaisesToTheReinforcedMaximumAndSpendsOneRound)
{
    WorksWorld world;
    const int town = world.terrainOfKind(kTerrainBuilding);
    world.editTerrain(town).durability = 10;
    world.editTerrain(town).reinforcedDurability = 12;
    int b = world.placeBuilding(town, 0, 4, 3);
    execReinforce(world.state(), 4, 3);
    EXPECT_EQ(world.building(b).durability, 12);
    EXPECT_EQ(world.material(), 9);
}

TEST(PillboxWork, BuiltOnSuitableGroundAndDemolishedToWasteland)
{
    WorksWorld world;
    GameState& s = world.state();
    const int ground = world.cell(3, 3).terrain;
    world.editTerrain(ground).flags |= 0x40;
    const int pillbox = s.terrainRoles().pillbox;
    world.editTerrain(pillbox).durability = 30;
    s.pillboxHexes().push_back(PillboxHex { 0, 0, 5, 0 });

    execBuildPillbox(s);
    EXPECT_EQ(world.cell(3, 3).terrain, pillbox);
    EXPECT_EQ(world.cell(3, 3).displayCode, s.terrainTypes()[size_t(pillbox)].defaultDisplayCode);
    ASSERT_EQ(s.pillboxHexes().size(), 2u);
    EXPECT_EQ(packed(s.pillboxHexes()[1].x), 3u);
    EXPECT_EQ(s.pillboxHexes()[1].durability, 30);
    EXPECT_EQ(world.material(), 8);

    world.cell(3, 3).overlay = 0x09;
    demolishPillbox(s, 3, 3);
    EXPECT_EQ(world.cell(3, 3).terrain, s.terrainRoles().wasteland);
    ASSERT_EQ(s.pillboxHexes().size(), 1u);
    EXPECT_EQ(s.pillboxHexes()[0].x, 0u) << "only the demolished pillbox's record goes";
    EXPECT_EQ(world.cell(3, 3).overlay, 0);
    EXPECT_TRUE(world.supplyLinesRecomputed());
}

TEST(BridgeWork, DisplayCodeFollowsTheFarBankOrGoesStraightAcross)
{
    WorksWorld world;
    GameState& s = world.state();
    const int river = world.terrainOfKind(kTerrainRiver);
    world.editTerrain(river).flags |= 0x20;
    const uint8_t rounds = world.actor().ammunition[0];
    for (int d = 0; d < 6; ++d) {
        for (int k = 0; k < 6; ++k) {
            world.cell(3, 3).terrain = uint8_t(river);
            world.cell(3, 3).displayCode = 77;
            s.temporaryBridgeHexes().clear();
            world.actor().ammunition[0] = rounds;
            // The engineer stands in direction d of the bridge hex; the far bank lies k steps round.
            const HexPos builder = s.hexNeighbour(3, 3, d);
            world.actor().x = uint8_t(builder.x);
            world.actor().y = uint8_t(builder.y);
            const HexPos far = s.hexNeighbour(3, 3, (d + k) % 6);
            execBuildBridge(s, 3, 3, far.x, far.y);

            const int e = k >= 2 && k <= 4 ? (d + k) % 6 : (d + 3) % 6;
            EXPECT_EQ(world.cell(3, 3).displayCode, bridgeDisplayCode(d, e)) << "d " << d << " k " << k;
            EXPECT_EQ(world.cell(3, 3).terrain, 53);
            ASSERT_EQ(s.temporaryBridgeHexes().size(), 1u);
            EXPECT_EQ(s.temporaryBridgeHexes()[0].formerTerrain, river);
            EXPECT_EQ(s.temporaryBridgeHexes()[0].formerDisplayCode, 77);
            EXPECT_EQ(world.material(), 7);
        }
    }
    EXPECT_EQ(bridgeDisplayCode(0, 2), 8);
    EXPECT_EQ(bridgeDisplayCode(5, 3), 5);
    EXPECT_EQ(bridgeDisplayCode(2, 0), 8);
}

TEST(BridgeWork, NotBuiltFromAHexBesideNothing)
{
    WorksWorld world;
    GameState& s = world.state();
    const int river = world.terrainOfKind(kTerrainRiver);
    world.editTerrain(river).flags |= 0x20;
    world.cell(6, 6).terrain = uint8_t(river);
    execBuildBridge(s, 6, 6, 7, 6);
    EXPECT_EQ(world.cell(6, 6).terrain, river) << "the engineer is not beside the hex";
    EXPECT_TRUE(s.temporaryBridgeHexes().empty());
}

TEST(RoadWork, LinksBothRoadEndsAndFinishingSpendsOneRound)
{
    WorksWorld world;
    GameState& s = world.state();
    const int road = world.terrainOfKind(kTerrainRoad);
    world.editTerrain(road).flags |= 0x80;
    world.cell(3, 3).terrain = world.cell(4, 3).terrain = uint8_t(road);

    EXPECT_FALSE(layRoadLink(s, { 3, 3 }, { 5, 3 })) << "not neighbours";
    EXPECT_TRUE(layRoadLink(s, { 3, 3 }, { 4, 3 }));
    EXPECT_EQ(world.cell(3, 3).overlay, 1 << 3);
    EXPECT_EQ(world.cell(4, 3).overlay, 1 << 0);
    EXPECT_EQ(s.command().roadBuilt, 1);

    finishRoadWork(s);
    EXPECT_EQ(world.material(), 9);
    EXPECT_TRUE(world.supplyLinesRecomputed());
}

TEST(JammingWork, MarksUnitsWithinReachButNotSubmarines)
{
    WorksWorld world;
    GameState& s = world.state();
    world.setRule(kRuleStacking, 1);
    world.giveWeapon(world.other, kWeaponEcm, 2);
    const int ecm = world.weaponOfKind(kWeaponEcm);
    world.editWeapon(ecm).reach = 2;
    int jammer = world.placeUnit(2, world.other, 3, 3);
    currentAction(s).beginAction(2, jammer);
    int near = world.placeUnit(1, world.plain, 5, 3);
    int far = world.placeUnit(1, world.plain, 6, 3);
    int sub_type = 0;
    for (const UnitTypeRecord& type : s.unitTypes())
        if (type.domain == 5 && type.available && !sub_type)
            sub_type = type.id;
    ASSERT_NE(sub_type, 0);
    int sub = world.placeUnit(1, sub_type, 4, 3);

    ASSERT_TRUE(execJamming(s));
    EXPECT_EQ(world.unit(1, near).jammedSides, 1 << 2);
    EXPECT_EQ(world.unit(1, far).jammedSides, 0);
    EXPECT_EQ(world.unit(1, sub).jammedSides, 0);
    EXPECT_EQ(world.unit(2, jammer).ammunition[0], 1);

    world.unit(2, jammer).ammunition[0] = 0;
    EXPECT_FALSE(execJamming(s)) << "no rounds left";
}

namespace {

class VisibleMainWindow : public HeadlessMainWindow {
public:
    bool isVisible() const override { return true; }
};

} // namespace

TEST(RestoreWork, ResultWindowGoesToAPersonWhenTheSettingAsks)
{
    WorksWorld world;
    GameState& s = world.state();
    VisibleMainWindow main;
    HeadlessDialogs dialogs;
    setRulesLinks({ &main, nullptr, &dialogs, nullptr });
    const int town = world.terrainOfKind(kTerrainBuilding);
    world.editTerrain(town).durability = 40;
    int b = world.placeBuilding(town, 1, 4, 3);
    world.building(b).durability = 1;

    execRestore(s, 4, 3);
    EXPECT_TRUE(dialogs.callsOf("showBuildingResult").empty()) << "two computer countries";
    s.country(1).controller = 1;
    s.turnBlock().viewingCountry = 2;
    execRestore(s, 4, 3);
    EXPECT_TRUE(dialogs.callsOf("showBuildingResult").empty()) << "the owner, a person, is not the one watching";
    s.turnBlock().viewingCountry = 1;
    execRestore(s, 4, 3);
    EXPECT_EQ(dialogs.callsOf("showBuildingResult").size(), 1u) << "the building's owner is the person watching";
    s.settings().showBuildDialog = false;
    execRestore(s, 4, 3);
    EXPECT_EQ(dialogs.callsOf("showBuildingResult").size(), 1u);
    setRulesLinks({});
}
