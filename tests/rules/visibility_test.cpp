// Whether a side sees a unit: fog of war, allies, units off their hex, concealed types and revealers.
#include "rules/fog.h"
#include "rules/visibility.h"

#include "tests/rules/fog_world.h"

#include <gtest/gtest.h>

namespace {

using testing_rules::FogWorld;

TEST(Visibility, RuleOffShowsEveryUnitOnTheMap)
{
    FogWorld world;
    world.setRule(kRuleSearch, 0);
    int hidden = world.placeUnit(4, world.landType, 10, 10);
    world.editType(world.landType).concealRadius = 2;
    for (int viewer = 0; viewer <= 8; ++viewer)
        EXPECT_TRUE(isUnitVisibleTo(world.state(), viewer, 4, hidden)) << viewer;
}

TEST(Visibility, UnitsOffTheirHexAreSeenOnlyByTheirCountryAndAllies)
{
    FogWorld world;
    world.ally(4, 1);
    const uint16_t off_hex[] = { kUnitAboard, kUnitStored, kUnitOffMap };
    for (int rule3 : { 0, 1 }) {
        world.setRule(kRuleSearch, rule3);
        for (uint16_t flag : off_hex) {
            int index = world.addUnit(4, world.landType, 3, 3);
            world.unit(4, index).flags = flag;
            EXPECT_TRUE(isUnitVisibleTo(world.state(), 4, 4, index));
            EXPECT_TRUE(isUnitVisibleTo(world.state(), 1, 4, index));
            EXPECT_FALSE(isUnitVisibleTo(world.state(), 0, 4, index)) << "flag " << flag << " rule 3 " << rule3;
        }
    }
}

TEST(Visibility, EnemyIsSeenInsideTheViewersOrAnAlliesSight)
{
    FogWorld world;
    world.setSight(world.landType, 2);
    world.ally(0, 1);
    int enemy = world.placeUnit(4, world.landType, 8, 5);
    world.placeUnit(0, world.landType, 2, 5);
    rebuildSightMaps(world.state());
    EXPECT_FALSE(isUnitVisibleTo(world.state(), 0, 4, enemy));
    EXPECT_TRUE(isUnitVisibleTo(world.state(), 4, 4, enemy)) << "a country sees its own units";

    world.placeUnit(1, world.landType, 6, 5);
    rebuildSightMaps(world.state());
    EXPECT_TRUE(isUnitVisibleTo(world.state(), 0, 4, enemy)) << "an ally's sight counts";
    EXPECT_TRUE(isUnitVisibleTo(world.state(), 1, 4, enemy));
    EXPECT_FALSE(isUnitVisibleTo(world.state(), 3, 4, enemy));
    EXPECT_FALSE(isHexVisibleTo(world.state(), 0, 4, enemy, 11, 11)) << "the same unit elsewhere";
}

TEST(Visibility, SeenTestsTheLayerOfTheUnitsDomainOnlyWithLayeredSight)
{
    FogWorld world;
    world.setRule(kRuleSightLayers, 1);
    int ship = world.placeUnit(4, world.seaType, 5, 5);
    world.fog().setBit(0, 5, 5, 3);
    EXPECT_FALSE(isUnitVisibleTo(world.state(), 0, 4, ship));
    world.fog().setBit(0, 5, 5, world.state().unitTypeRecord(world.seaType).domain);
    EXPECT_TRUE(isUnitVisibleTo(world.state(), 0, 4, ship));

    world.setRule(kRuleSightLayers, 0);
    world.fog().clearLayer(0);
    world.fog().setBit(0, 5, 5, 5);
    EXPECT_TRUE(isUnitVisibleTo(world.state(), 0, 4, ship)) << "every layer is layer 0";
}

TEST(Visibility, ConcealedUnitIsFoundOnlyByAnEnemyCloseEnough)
{
    FogWorld world;
    world.setSight(world.landType, 3);
    world.editType(world.landType).concealRadius = 1;
    int hidden = world.placeUnit(4, world.landType, 6, 6);
    int scout = world.placeUnit(0, world.landType, 3, 6);
    rebuildSightMaps(world.state());
    ASSERT_TRUE(world.fog().isSeenBy(0, 6, 6, 3));
    EXPECT_FALSE(isUnitVisibleTo(world.state(), 0, 4, hidden)) << "seen but concealed at distance 3";

    // Adjacent: distance 1 is within the concealment radius and the scout's sight.
    world.unitCell(3, 6) = UnitCell {};
    world.unit(0, scout).x = 5;
    world.placeUnit(0, world.landType, 5, 6);
    EXPECT_TRUE(isUnitVisibleTo(world.state(), 0, 4, hidden));

    // A revealer must see at least its own distance in the hidden unit's layer.
    world.setRule(kRuleSightLayers, 1);
    world.editType(world.landType).sight[3] = 0;
    world.fog().setBit(0, 6, 6, 3);
    EXPECT_FALSE(isUnitVisibleTo(world.state(), 0, 4, hidden));
}

TEST(Visibility, RevealerMustBeTheViewersFriendAndNotTheHiddenUnits)
{
    FogWorld world;
    world.setSight(world.landType, 3);
    world.editType(world.landType).concealRadius = 1;
    int hidden = world.placeUnit(4, world.landType, 6, 6);
    world.placeUnit(2, world.landType, 5, 6);
    world.placeUnit(0, world.landType, 3, 6);
    rebuildSightMaps(world.state());
    EXPECT_FALSE(isUnitVisibleTo(world.state(), 0, 4, hidden)) << "country 2 is no friend of the viewer";
    world.ally(0, 2);
    world.ally(2, 4);
    EXPECT_FALSE(isUnitVisibleTo(world.state(), 0, 4, hidden)) << "country 2 is the hidden unit's ally";
    world.state().country(2).allianceMask &= uint8_t(~(1u << 4));
    EXPECT_TRUE(isUnitVisibleTo(world.state(), 0, 4, hidden));
}

TEST(Visibility, ConcealmentRadiusFallsBackToTheSecondAndTheTerrainRadius)
{
    FogWorld world;
    world.setSight(world.landType, 4);
    UnitTypeRecord& type = world.editType(world.landType);
    int hidden = world.placeUnit(4, world.landType, 6, 6);
    world.placeUnit(0, world.landType, 4, 6);
    rebuildSightMaps(world.state());

    type.secondConcealRadius = 1;
    EXPECT_FALSE(isUnitVisibleTo(world.state(), 0, 4, hidden));
    type.secondConcealRadius = 2;
    EXPECT_TRUE(isUnitVisibleTo(world.state(), 0, 4, hidden));

    // The terrain radius needs rule 10 and a concealing hex.
    type.secondConcealRadius = 0;
    type.terrainConcealRadius = 1;
    int open = world.cell(6, 6).terrain;
    int cover = open == 0 ? 1 : 0;
    world.editTerrain(open).flags &= uint8_t(~1u);
    world.editTerrain(cover).flags |= 1;
    EXPECT_TRUE(isUnitVisibleTo(world.state(), 0, 4, hidden));
    world.cell(6, 6).terrain = uint8_t(cover);
    EXPECT_TRUE(isUnitVisibleTo(world.state(), 0, 4, hidden)) << "rule 10 is off";
    world.setRule(kRuleConcealment, 1);
    EXPECT_FALSE(isUnitVisibleTo(world.state(), 0, 4, hidden));
}

TEST(Visibility, BuildingsRevealWithinTheirWidestSightOrOnlyOnTheirHexWithLayers)
{
    FogWorld world;
    ASSERT_GE(world.buildingTerrain, 0);
    world.setBuildingSight(2);
    world.editType(world.landType).concealRadius = 2;
    int hidden = world.placeUnit(4, world.landType, 6, 6);
    int base = world.placeBuilding(world.buildingTerrain, 0, 5, 6);
    rebuildSightMaps(world.state());
    EXPECT_TRUE(isUnitVisibleTo(world.state(), 0, 4, hidden));

    world.building(base).destroyed = 1;
    EXPECT_FALSE(isUnitVisibleTo(world.state(), 0, 4, hidden)) << "a destroyed building reveals nothing";
    world.building(base).destroyed = 0;

    world.setRule(kRuleSightLayers, 1);
    rebuildSightMaps(world.state());
    EXPECT_FALSE(isUnitVisibleTo(world.state(), 0, 4, hidden));
    world.unit(4, hidden).x = 5;
    world.placeUnit(4, world.landType, 5, 6);
    EXPECT_TRUE(isHexVisibleTo(world.state(), 0, 4, hidden, 5, 6)) << "standing on the building";
}

TEST(Visibility, MissileCodesCountAsTheirCountry)
{
    FogWorld world;
    world.ally(0, 3);
    int index = world.addUnit(3, world.landType, 4, 4);
    UnitRecord& missile = *world.state().unitOf(103, index);
    missile = world.unit(3, index);
    missile.flags = kUnitOffMap | kUnitActed;
    EXPECT_TRUE(isUnitVisibleTo(world.state(), 0, 103, index));
    EXPECT_FALSE(isUnitVisibleTo(world.state(), 5, 103, index));

    missile.flags = 0;
    world.fog().setBit(5, 4, 4, 0);
    EXPECT_TRUE(isUnitVisibleTo(world.state(), 5, 103, index));
    EXPECT_FALSE(isUnitVisibleTo(world.state(), 6, 103, index));
}

// What the person watching is shown of country 4's unit at (8, 5), under fog no sight reaches,
// and of its funds: nothing while another country moves, everything with no viewer; on the
// viewer's own turn and before the first turn its own marks over the fog, but not the hex.
TEST(Visibility, TheViewerIsShownOnlyWhatItsCountrySees)
{
    struct Case {
        const char* what;
        int viewer, current, turn;
        bool hex, marks, unit, figures;
    };
    const Case cases[] = {
        { "another country moves", 0, 4, 3, false, false, false, false },
        { "the viewer's own turn", 0, 0, 3, false, true, false, false },
        { "before the first turn", 0, 4, 0, false, true, false, false },
        { "no viewer", 8, 4, 3, true, true, true, true },
        { "its own country", 4, 0, 3, true, true, true, true },
        { "an ally's figures", 5, 0, 3, true, true, true, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FogWorld world;
        const int enemy = world.placeUnit(4, world.landType, 8, 5);
        if (c.viewer == 5) {
            world.state().country(5).allianceMask |= 1u << 4;
            world.state().country(4).allianceMask |= 1u << 5;
        }
        rebuildSightMaps(world.state());
        TurnBlock& turn = world.state().turnBlock();
        turn.viewingCountry = int8_t(c.viewer);
        turn.currentCountry = uint16_t(c.current);
        turn.turn = uint16_t(c.turn);
        const ViewerView view(world.state());
        EXPECT_EQ(view.seesHex(8, 5), c.hex);
        EXPECT_EQ(view.showsMarksAt(8, 5), c.marks);
        EXPECT_EQ(view.seesUnitAt(4, enemy, 8, 5), c.unit);
        EXPECT_EQ(view.seesUnit(4, enemy), c.unit);
        EXPECT_EQ(view.unit(4, enemy) != nullptr, c.unit);
        EXPECT_EQ(view.knowsFigures(4), c.figures);
        EXPECT_EQ(view.figures(4) != nullptr, c.figures);
        EXPECT_EQ(view.knowsInside(4), c.unit);
        world.setRule(kRuleOpenCampInfo, 1);
        EXPECT_TRUE(view.knowsFigures(4)) << "the camps' information open to all";
    }
}

TEST(Visibility, HooksAnswerTheStatesQueries)
{
    FogWorld world;
    int enemy = world.placeUnit(4, world.landType, 6, 6);
    rebuildSightMaps(world.state());
    VisibilityHooks hooks;
    StateRulesHooks* previous = stateRulesHooks();
    setStateRulesHooks(&hooks);
    EXPECT_FALSE(world.state().hexHasUnitVisibleTo(6, 6, 0));
    EXPECT_TRUE(world.state().hexHasUnitVisibleTo(6, 6, 4));
    EXPECT_FALSE(hooks.isUnitVisibleTo(world.state(), 4, kUnitTableSize, 4)) << "an index past the table";
    EXPECT_FALSE(hooks.canUnitLand(world.state(), 4, enemy, 0)) << "no landing check installed";
    setStateRulesHooks(previous);
}

} // namespace
