// The end-of-game check: capitals lost, elimination, the victory conditions and the outcomes they give.
#include "rules/victory.h"

#include "rules/action_settlement.h"
#include "rules/rules_context.h"
#include "state/unit_facts.h"
#include "tests/rules/victory_world.h"
#include "tests/state/packed_value.h"

#include <gtest/gtest.h>

#include <utility>

using testing_rules::VictoryWorld;

namespace {

std::vector<int64_t> gameEnd(int country, int kind) { return { country, kind }; }

} // namespace

TEST(CapitalCheck, ACapturedCapitalRuinsAndDropsItsCountry)
{
    VictoryWorld world;
    GameState& s = world.state();
    const int capital = world.placeCapital(0, 2, 2);
    world.placeCapital(1, 9, 5);
    const int unit = world.placeUnit(0, world.landType, 4, 4);
    world.placeUnit(1, world.landType, 6, 4);
    world.building(capital).ownerPlusOne = 2;
    s.turnBlock().currentCountry = 1;
    // A unit stored in the fallen capital is destroyed with it.
    world.placeUnit(2, world.landType, 8, 6);
    const int stored = world.addUnit(2, world.landType, 2, 2);
    world.unit(2, stored).flags |= kUnitStored;
    world.building(capital).addUnit(2, stored);

    s.endCheckFlags() = kEndCheckCapital;
    checkEndOfGame(s, 1);
    EXPECT_EQ(world.outcome(0), kOutcomeCapitalLost);
    EXPECT_EQ(packed(s.country(0).inPlay), kCountryOut);
    EXPECT_EQ(s.unitCount(0), 0u);
    EXPECT_EQ(world.unitCell(4, 4).lowerSide[s.unitSlotFor(3)], 0) << "unit " << unit << " left its hex";
    // The capital is the map's ruin now, held by the country that took it.
    EXPECT_EQ(world.building(capital).type, s.terrainRoles().largeCity);
    EXPECT_EQ(world.cell(2, 2).terrain, s.terrainRoles().largeCity);
    EXPECT_EQ(world.building(capital).owner(), 1);
    EXPECT_EQ(world.outcome(1), kOutcomeUndecided);
    EXPECT_FALSE(unitExists(world.unit(2, stored)));
    EXPECT_EQ(world.building(capital).unitCount(), 0);
    ASSERT_NE(s.destroyedUnitEntry(2, 0), nullptr);
    EXPECT_TRUE(s.destroyedUnitEntry(2, 0)->isUsed());
    ASSERT_EQ(world.dialogs.callsOf("showGameEnd").size(), 1u);
    EXPECT_EQ(world.dialogs.callsOf("showGameEnd")[0].args, gameEnd(0, kGameEndCapitalLost));
    EXPECT_EQ(s.endCheckFlags(), 0) << "each check clears its flags";
}

TEST(CapitalCheck, IntactOrUncheckedCapitalsKeepTheirCountries)
{
    VictoryWorld world;
    GameState& s = world.state();
    world.placeCapital(0, 2, 2);
    const int lost = world.placeCapital(1, 9, 5);
    world.placeUnit(0, world.landType, 4, 4);
    world.placeUnit(1, world.landType, 6, 4);
    world.building(lost).ownerPlusOne = 0;
    // Country 1 had no capital at the start: nothing to lose.
    s.turnBlock().capitalMask = 1;
    s.endCheckFlags() = kEndCheckCapital;
    checkEndOfGame(s, 1);
    EXPECT_EQ(packed(s.country(0).inPlay), kCountryInPlay);
    EXPECT_EQ(packed(s.country(1).inPlay), kCountryInPlay);

    // A destroyed capital counts as lost; without a visible main window nothing is shown.
    VictoryWorld other;
    other.placeCapital(0, 2, 2);
    other.building(0).destroyed = 1;
    other.placeUnit(0, other.landType, 4, 4);
    other.state().endCheckFlags() = kEndCheckCapital;
    checkEndOfGame(other.state(), 0);
    EXPECT_EQ(other.outcome(0), kOutcomeCapitalLost);
    EXPECT_TRUE(other.dialogs.callsOf("showGameEnd").empty());
}

TEST(Elimination, ACountryWithoutUnitsInPlayDropsOutUnlessUnitsAreBeingProduced)
{
    VictoryWorld world;
    GameState& s = world.state();
    const int lost = world.placeUnit(1, world.landType, 3, 3);
    world.unit(1, lost) = UnitRecord {};
    const int waiting = world.addUnit(2, world.landType, 5, 5);
    world.unit(2, waiting).flags |= kUnitAwaitingProduction;
    world.placeUnit(0, world.landType, 7, 7);

    // Without a destroyed unit flagged nobody is looked at.
    s.endCheckFlags() = kEndCheckArrival;
    checkEndOfGame(s, 1);
    EXPECT_EQ(packed(s.country(1).inPlay), kCountryInPlay);

    s.endCheckFlags() = kEndCheckUnitDestroyed;
    checkEndOfGame(s, 1);
    EXPECT_EQ(world.outcome(1), kOutcomeEliminated);
    EXPECT_EQ(packed(s.country(1).inPlay), kCountryOut);
    EXPECT_EQ(packed(s.country(2).inPlay), kCountryInPlay);
    EXPECT_EQ(world.outcome(2), kOutcomeUndecided);
    EXPECT_EQ(world.dialogs.callsOf("showGameEnd")[0].args, gameEnd(1, kGameEndEliminated));
}

TEST(DropOut, BuildingsPassToTheHolderOfTheHomeHexAndUnitsLeaveEveryTable)
{
    VictoryWorld world;
    GameState& s = world.state();
    world.placeCapital(0, 2, 2);
    const int town = world.placeBuilding(world.townType, 0, 6, 2);
    const int stored = world.addUnit(0, world.landType, 6, 2);
    world.building(town).addUnit(0, stored);
    world.unit(0, stored).flags |= kUnitStored;
    world.building(0).ownerPlusOne = 3;

    dropCountryOut(s, 0);
    EXPECT_EQ(world.building(town).owner(), 2);
    EXPECT_EQ(world.building(town).unitCount(), 0);
    EXPECT_FALSE(unitExists(world.unit(0, stored)));
    EXPECT_EQ(packed(s.country(0).inPlay), kCountryOut);

    // With rule 25 nobody inherits.
    VictoryWorld other;
    other.setRule(kRuleFallenCapitalUnowned, 1);
    other.placeCapital(1, 2, 2);
    const int b = other.placeBuilding(other.townType, 1, 6, 2);
    other.building(0).ownerPlusOne = 1;
    dropCountryOut(other.state(), 1);
    EXPECT_EQ(other.building(b).ownerPlusOne, 0);
}

TEST(VictoryConditions, TargetPlacesHeldByAnAllyWinAndShareTheOutcome)
{
    VictoryWorld world;
    GameState& s = world.state();
    for (int c = 0; c < VictoryWorld::kPlaying; ++c)
        world.placeUnit(c, world.landType, 1 + c, 6);
    world.ally(1, 2);
    PlaceRecord place {};
    place.used = 1;
    place.target = 1;
    place.x = 8;
    place.y = 3;
    s.addPlaceRecord(place);
    const int town = world.placeBuilding(world.townType, 0, 8, 3);
    s.country(1).victoryKind = 1;
    s.country(1).victoryFlags = 2;

    checkEndOfGame(s, 1);
    EXPECT_EQ(s.turnBlock().decided, 0) << "the place is held by an enemy";

    world.building(town).ownerPlusOne = 3;
    checkEndOfGame(s, 1);
    EXPECT_EQ(s.turnBlock().decided, 3);
    EXPECT_EQ(world.outcome(1), kOutcomeVictory);
    EXPECT_EQ(world.outcome(2), kOutcomeVictory);
    EXPECT_EQ(world.outcome(0), kOutcomeDefeat);
    EXPECT_EQ(winnerCountry(s), 1);
    EXPECT_EQ(world.dialogs.callsOf("showGameEnd").back().args, gameEnd(1, kGameEndVictory));
}

TEST(VictoryConditions, TheCurrentSideWinsATieAndPendingConditionsHoldBack)
{
    // Countries 1 and 2 both destroyed a watched unit of country 0: enemy forces kind 2 is met by both.
    auto check = [](int current, int transport_percent) {
        VictoryWorld world;
        GameState& s = world.state();
        for (int c = 0; c < VictoryWorld::kPlaying; ++c)
            world.placeUnit(c, world.landType, 1 + c, 6);
        s.turnBlock().enemyForceThreshold[0] = 1;
        for (int c : { 1, 2 }) {
            s.country(c).forcesCondition = 2;
            s.country(c).victoryFlags = 2;
        }
        s.country(1).transportPercent = uint8_t(transport_percent);
        s.turnBlock().transportTotal[1] = 4;
        s.turnBlock().currentCountry = uint16_t(current);
        checkEndOfGame(s, 1);
        return std::pair(world.outcome(1), world.outcome(2));
    };
    EXPECT_EQ(check(2, 0), std::pair(int(kOutcomeDefeat), int(kOutcomeVictory)));
    EXPECT_EQ(check(1, 0), std::pair(int(kOutcomeVictory), int(kOutcomeDefeat)));
    // Country 1 still waits for its transports.
    EXPECT_EQ(check(1, 50), std::pair(int(kOutcomeDefeat), int(kOutcomeVictory)));
}

TEST(VictoryConditions, ACapturedTargetPlaceOrEnoughArrivalsWin)
{
    VictoryWorld world;
    GameState& s = world.state();
    for (int c = 0; c < VictoryWorld::kPlaying; ++c)
        world.placeUnit(c, world.landType, 1 + c, 6);
    PlaceRecord place {};
    place.used = 1;
    place.target = 1;
    place.x = 8;
    place.y = 3;
    s.addPlaceRecord(place);
    world.placeBuilding(world.townType, 1, 8, 3);
    s.country(1).victoryKind = 2;
    s.country(1).victoryFlags = 2;
    s.country(2).transportPercent = 50;
    s.country(2).victoryFlags = 2;
    s.turnBlock().transportTotal[2] = 6;
    s.turnBlock().transportArrived[2] = 2;
    // Country 1 held the place from the start; country 2 has 2 of the 3 members it needs.
    checkEndOfGame(s, 1);
    EXPECT_EQ(s.turnBlock().decided, 0);
    s.turnBlock().transportArrived[2] = 3;
    checkEndOfGame(s, 1);
    EXPECT_EQ(world.outcome(2), kOutcomeVictory);

    VictoryWorld taken;
    taken.placeUnit(1, taken.landType, 1, 6);
    taken.state().addPlaceRecord(place);
    const int b = taken.placeBuilding(taken.townType, 1, 8, 3);
    taken.building(b).loadedOwnerPlusOne = 1;
    taken.state().country(1).victoryKind = 2;
    taken.state().country(1).victoryFlags = 2;
    checkEndOfGame(taken.state(), 1);
    EXPECT_EQ(taken.outcome(1), kOutcomeVictory);
}

TEST(VictoryConditions, AllEnemyWatchedUnitsMustBeGoneForKindOne)
{
    VictoryWorld world;
    GameState& s = world.state();
    world.placeUnit(1, world.landType, 2, 6);
    const int key = world.placeUnit(0, world.landType, 3, 6);
    world.placeUnit(0, world.landType, 4, 6);
    world.unit(0, key).watchBits = 1;
    s.tallyWatchedUnits();
    EXPECT_EQ(s.turnBlock().enemyForceThreshold[0], 1);
    s.country(1).forcesCondition = 1;
    s.country(1).victoryFlags = 2;
    checkEndOfGame(s, 1);
    EXPECT_EQ(s.turnBlock().decided, 0);

    world.unit(0, key) = UnitRecord {};
    checkEndOfGame(s, 1);
    EXPECT_EQ(world.outcome(1), kOutcomeVictory);
    // Country 2 is no ally of the winner.
    EXPECT_EQ(world.outcome(2), kOutcomeDefeat);
}

TEST(VictoryConditions, SimpleModeEndsCountriesOnlyByCapitalAndElimination)
{
    VictoryWorld world;
    GameState& s = world.state();
    s.setMode(1);
    world.placeUnit(1, world.landType, 2, 6);
    s.turnBlock().enemyForceThreshold[0] = 1;
    s.country(1).forcesCondition = 2;
    s.country(1).victoryFlags = 2;
    s.country(2).transportPercent = 100;
    const int gone = world.placeUnit(0, world.landType, 5, 5);
    world.unit(0, gone) = UnitRecord {};
    world.placeUnit(2, world.landType, 6, 6);
    s.endCheckFlags() = kEndCheckUnitDestroyed;
    checkEndOfGame(s, 1);
    EXPECT_EQ(s.turnBlock().decided, 0);
    EXPECT_EQ(world.outcome(0), kOutcomeEliminated);
    EXPECT_EQ(packed(s.country(2).inPlay), kCountryInPlay) << "no transport check in simple mode";
}

TEST(VictoryConditions, AMapWithoutTargetPlacesGivesNoVictoryByPlaces)
{
    VictoryWorld world;
    GameState& s = world.state();
    world.placeUnit(1, world.landType, 2, 6);
    s.country(1).victoryKind = 1;
    s.country(1).victoryFlags = 2;
    checkEndOfGame(s, 1);
    EXPECT_EQ(s.turnBlock().decided, 0);
    EXPECT_EQ(winnerCountry(s), -1);
}

TEST(EndCheckAfterAction, TheInstalledSettlementRunsTheCheckWhenAnActionFinishes)
{
    VictoryWorld world;
    GameState& s = world.state();
    RulesSettlement settlement(s);
    setActionSettlement(&settlement);
    world.placeUnit(0, world.landType, 2, 2);
    const int gone = world.placeUnit(1, world.landType, 5, 5);
    world.unit(1, gone) = UnitRecord {};
    s.endCheckFlags() = kEndCheckUnitDestroyed;
    currentAction(s).finishActionQuiet();
    setActionSettlement(nullptr);
    EXPECT_EQ(world.outcome(1), kOutcomeEliminated);
    EXPECT_EQ(s.endCheckFlags(), 0);
}
