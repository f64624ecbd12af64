// Combat resolution: hits from a recorded pool, return fire, experience, kills, area effects, misfires.
#include "rules/combat.h"

#include "rules/combat_scene.h"
#include "rules/headless_links.h"
#include "rules/links.h"
#include "rules/rules_install.h"
#include "state/action_history.h"
#include "state/rule_block.h"
#include "state/unit_facts.h"
#include "tests/rules/combat_world.h"
#include "tests/state/packed_value.h"

#include <gtest/gtest.h>

#include <algorithm>

using testing_rules::CombatWorld;

namespace {

// Attacker of side 0 with the gun; the target type has members of strength 1, so every hit of
// multiplier 1 takes a member and a sure hit needs no draw.
struct DuelWorld : CombatWorld {
    DuelWorld(int distance = 1)
    {
        gun->multiplier = 1;
        gun->reach = uint8_t(distance);
        gun->flags = uint16_t(distance <= 1 ? 1 | 8 | 16 : 2 | 8 | 16);
        for (uint8_t& p : gun->power)
            p = 200;
        editType(other).memberStrength = 1;
        attacker = placeUnit(0, plain, 2, 2);
        defender = placeUnit(1, other, 2 + distance, 2);
    }
    void resolve()
    {
        engage(0, attacker, 1, defender);
        resolveCombat(state());
    }
    int attacker = -1;
    int defender = -1;
};

// A main window that is shown and a battle scene that keeps the side records it was given.
struct ShownBattle : HeadlessBattle {
    void runBattleScene(BattleRecord& record, bool play_se) override
    {
        sides[0] = record.side[0], sides[1] = record.side[1];
        HeadlessBattle::runBattleScene(record, play_se);
    }
    BattleSideRecord sides[2];
};
struct ShownMainWindow : HeadlessMainWindow {
    bool isVisible() const override { return true; }
};

int historyCount(GameState& state) { return int(state.historyLog().count()); }

} // namespace

// Four attackers with four shots each, multiplier 10 and power 100, at ten members of the given
// strength; the pool is one repeated byte. Answers the strength left after side 0 fires.
static int strengthLeftAfterVolley(int pool_byte, int member_strength, bool critical, int* hits = nullptr)
{
    CombatWorld world;
    world.fillPool(uint8_t(pool_byte));
    world.gun->multiplier = 10;
    for (uint8_t& p : world.gun->power)
        p = 100;
    world.editType(world.plain).weaponSlot[0].multiplier = 4;
    world.editType(world.other).members = 10;
    world.editType(world.other).memberStrength = uint8_t(member_strength);
    CombatPair& pair = world.engage(0, world.placeUnit(0, world.plain, 2, 2), 1, world.placeUnit(1, world.other, 3, 2));
    EXPECT_EQ(pair.expectedDamage(world.state(), 0), 112);
    const int fired = fireSide(world.state(), 0, critical);
    if (hits)
        *hits = fired;
    EXPECT_EQ(pair.side[0].critical, critical ? 1 : 0);
    int left = 0;
    for (uint16_t c : pair.side[1].strengthAfter)
        left += c;
    return left;
}

TEST(CombatFire, ShotsBelowTheExpectationAreToppedUpToTheFloor)
{
    int hits = 0;
    EXPECT_EQ(strengthLeftAfterVolley(0, 10, false, &hits), 8) << "16 hits of 5 deal 80, the floor 112 - 20 takes 12 more";
    EXPECT_EQ(hits, 16);
}

TEST(CombatFire, TheCapHoldsOrdinaryHitsButNotCriticalOnes)
{
    EXPECT_EQ(strengthLeftAfterVolley(0xFF, 20, false), 48) << "16 full hits of 10 stop at 112 + 2 x 20";
    EXPECT_EQ(strengthLeftAfterVolley(0xFF, 20, true), 40);
}

TEST(CombatResolve, DestroyedDefenderIsWrittenBackThenRemovedAndCountedOnce)
{
    DuelWorld world;
    headlessBattle().clear();
    GameState& state = world.state();
    installRules(state);
    state.appendTurnStats(TurnStatsRecord {});
    world.editType(world.other).memberPrice = 150;
    world.resolve();
    EXPECT_FALSE(unitExists(world.unit(1, world.defender)));
    EXPECT_FALSE(state.hexHasUnit(3, 2, 0));
    EXPECT_EQ(packed(state.country(1).unitsLost), 1u);
    EXPECT_EQ(packed(state.country(0).enemyUnitsDestroyed), 1u);
    EXPECT_EQ(packed(state.country(1).membersLost), 4u) << "the write-back counts the members, removal adds none";
    EXPECT_EQ(state.turnStatsAt(0)->country[1].valueLost, 4u * 150 * 4 / 10) << "the lost members' value, by their type";
    ASSERT_NE(state.destroyedUnitEntry(1, 0), nullptr);
    EXPECT_TRUE(state.destroyedUnitEntry(1, 0)->isUsed());
    EXPECT_FALSE(state.destroyedUnitEntry(1, 1)->isUsed());
    const UnitRecord& attacker = world.unit(0, world.attacker);
    EXPECT_EQ(strengthTotal(attacker), 36) << "four return hits of 1 from the members before the attack";
    EXPECT_EQ(attacker.ammunition[0], 4);
    EXPECT_TRUE(attacker.flags & 0x20);
    ASSERT_EQ(historyCount(state), 1);
    EXPECT_EQ(state.historyLog().record(0).value, (4u << 8 | 4u) | (4u << 8 | 0u) << 16);
    EXPECT_TRUE(headlessBattle().calls().empty()) << "nothing is shown headless";
}

TEST(CombatResolve, FirstStrikeLetsOnlyTheSurvivorsReturnFire)
{
    for (int rule : { 0, 1 }) {
        DuelWorld world(2);
        world.setRule(kRuleFirstStrike, rule);
        world.resolve();
        EXPECT_EQ(strengthTotal(world.unit(0, world.attacker)), rule ? 40 : 36) << "rule 44 " << rule;
    }
}

TEST(CombatResolve, APersonDecliningTheReturnWeaponDoesNotFireBack)
{
    DuelWorld world;
    HeadlessDialogs dialogs;
    setRulesLinks({ nullptr, nullptr, &dialogs, nullptr });
    world.state().settings().selArms = true;
    world.state().country(1).controller = 1;
    world.resolve();
    setRulesLinks({});
    ASSERT_EQ(dialogs.callsOf("chooseWeapon").size(), 1u);
    EXPECT_EQ(dialogs.callsOf("chooseWeapon")[0].args[1], int(WeaponChoiceMode::ReturnFire));
    EXPECT_EQ(strengthTotal(world.unit(0, world.attacker)), 40);
}

TEST(CombatResolve, ExperienceRewardsKillsAndHigherRankedVictims)
{
    struct Case {
        int defenderExperience;
        bool campaign;
        int gain;
    };
    for (Case c : { Case { 0, false, 140 }, Case { 500, false, 220 }, Case { 500, true, 110 } }) {
        DuelWorld world;
        world.setRule(kRuleExperience, 1);
        world.unit(1, world.defender).experience = uint16_t(c.defenderExperience);
        world.state().campaignBlock().campaignFlag = c.campaign ? 1 : 0;
        world.state().campaignBlock().experienceDivisor = 2;
        world.resolve();
        EXPECT_EQ(world.unit(0, world.attacker).experience, c.gain) << "victim " << c.defenderExperience;
    }
}

TEST(CombatResolve, ARankGainedInTheFightIsAnnouncedOnTheMap)
{
    testing_rules::OpenMapWindow map;
    DuelWorld world;
    world.setRule(kRuleExperience, 1);
    world.state().settings().levelEffect = true;
    world.state().turnBlock().currentCountry = 0;
    world.unit(0, world.attacker).experience = 190;
    setRulesLinks({ nullptr, &map, nullptr, nullptr });
    world.resolve();
    setRulesLinks({});
    EXPECT_EQ(world.unit(0, world.attacker).experience, 330);
    ASSERT_EQ(map.callsOf("animateLevelChange").size(), 1u);
    EXPECT_FALSE(world.state().handshake().combatUnderWay());
}

TEST(CombatResolve, SurvivingDefenderGainsExperienceForTheFight)
{
    DuelWorld world;
    world.setRule(kRuleExperience, 1);
    world.editType(world.other).memberStrength = 10;
    for (int m = 0; m < 4; ++m)
        world.unit(1, world.defender).memberStrengths[m] = 10;
    world.resolve();
    EXPECT_EQ(world.unit(1, world.defender).experience, 50) << "no kills either way: (0 + 0 + 5) x 10";
    EXPECT_EQ(world.unit(0, world.attacker).experience, 50);
    EXPECT_EQ(strengthTotal(world.unit(1, world.defender)), 36);
}

TEST(CombatResolve, AreaWeaponKillsNeighboursInTheRulesWithNothingShown)
{
    DuelWorld world(3);
    world.gun->flags |= 4;
    headlessMapWindow().clear();
    const int near = world.placeUnit(1, world.other, 6, 2);
    const int friendly = world.placeUnit(0, world.other, 4, 2);
    world.resolve();
    GameState& state = world.state();
    EXPECT_FALSE(unitExists(world.unit(1, near))) << "the neighbour lost its four members";
    EXPECT_FALSE(state.hexHasUnit(6, 2, 0));
    EXPECT_TRUE(unitExists(world.unit(0, friendly))) << "rule 30 off spares own units";
    EXPECT_EQ(strengthTotal(world.unit(0, friendly)), 4);
    EXPECT_EQ(packed(state.country(1).unitsLost), 2u);
    EXPECT_EQ(packed(state.country(1).membersLost), 8u);
    EXPECT_EQ(historyCount(state), 2);
    EXPECT_TRUE(headlessMapWindow().callsOf("animateExplosion").empty());
}

TEST(CombatResolve, MisfireHitsTheUnitBesideTheTargetWithoutReturnFire)
{
    DuelWorld world(3);
    world.fillPool(0);
    world.setRule(kRuleMisfire, 1);
    const int bystander = world.placeUnit(2, world.other, 4, 2);
    world.resolve();
    EXPECT_EQ(strengthTotal(world.unit(1, world.defender)), 4) << "the aimed-at unit is untouched";
    EXPECT_FALSE(unitExists(world.unit(2, bystander)));
    EXPECT_EQ(strengthTotal(world.unit(0, world.attacker)), 40);
    EXPECT_EQ(world.unit(0, world.attacker).misfireCountdown, 5) << "level 0: 10 / 2 attacks before the next";
    EXPECT_EQ(world.state().historyLog().record(0).seen, 1);
    EXPECT_EQ(rulesContext(world.state()).friendlyFireMask, 1 << 2) << "the victim's country";

    world.engage(0, world.attacker, 1, world.defender);
    resolveCombat(world.state());
    EXPECT_EQ(world.unit(0, world.attacker).misfireCountdown, 4);
    EXPECT_EQ(strengthTotal(world.unit(1, world.defender)), 0) << "no misfire while counting down";
}

// Country 0 watches its own unit's fight: in the open, and with the defender in its fog, where the
// scene gets that side without its country, a name, its type or its strength.
TEST(CombatResolve, ShownFightHandsBothSidesToTheBattleSceneAsTheViewerSeesThem)
{
    for (bool fogged : { false, true }) {
        SCOPED_TRACE(fogged ? "defender in fog" : "in the open");
        DuelWorld world;
        ShownMainWindow main;
        HeadlessMapWindow map;
        HeadlessDialogs dialogs;
        ShownBattle battle;
        setRulesLinks({ &main, &map, &dialogs, &battle });
        world.state().turnBlock().viewingCountry = 0;
        world.state().settings().fightOnReal = true;
        world.state().settings().showFight = true;
        world.state().settings().fightOfAll = true;
        world.setRule(kRuleSearch, fogged ? 1 : 0);
        world.state().recreateSightMaps();
        world.resolve();
        setRulesLinks({});
        ASSERT_EQ(battle.callsOf("runBattleScene").size(), 1u);
        const BattleSideRecord& d = battle.sides[1];
        EXPECT_EQ(d.country, fogged ? 9u : 1u);
        EXPECT_EQ(std::string(d.typeName).empty() && std::string(d.className).empty(), fogged);
        EXPECT_NE(std::string(battle.sides[0].typeName), "") << "the viewer's own side is named";
        // Of an unseen side nothing reaches the scene or the map that follows its type or strength.
        EXPECT_EQ(d.unitType, fogged ? 0u : uint32_t(world.other));
        EXPECT_EQ(d.battleId, fogged ? 0 : world.other) << "the battle id is the unit type's id";
        EXPECT_EQ(d.figuresBefore, fogged ? 10 : 4);
        EXPECT_EQ(d.figuresAfter, fogged ? 10 : 0);
        EXPECT_EQ(battle.sides[0].shots, 4u);
        EXPECT_EQ(battle.sides[0].weaponSlot, 0);
        EXPECT_EQ(map.callsOf("animateExplosion").size(), fogged ? 0u : 1u);
        EXPECT_FALSE(unitExists(world.unit(1, world.defender)));
    }
}

// Country 2 watches 0 fight 1 under fog of war, seeing only the hexes listed; a misfire goes
// astray to (5, 5). With no viewer nothing is hidden. The attack path is drawn from a seen attacker.
TEST(CombatPresent, AFightIsShownOnlyWhereTheViewerSeesPartOfIt)
{
    const struct { const char* what; int viewer; std::vector<HexPos> seen; bool misfire, shown, path; } cases[] = {
        { "both sides seen", 2, { { 2, 2 }, { 3, 2 } }, false, true, true },
        { "the defender seen", 2, { { 3, 2 } }, false, true, false },
        { "neither side seen", 2, {}, false, false, false },
        { "astray into fog", 2, { { 2, 2 }, { 3, 2 } }, true, false, false },
        { "astray into sight", 2, { { 2, 2 }, { 5, 5 } }, true, true, true },
        { "astray from fog into sight", 2, { { 5, 5 } }, true, true, false },
        { "no viewer", 8, {}, false, true, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DuelWorld world;
        ShownMainWindow main;
        HeadlessMapWindow map;
        HeadlessDialogs dialogs;
        HeadlessBattle battle;
        setRulesLinks({ &main, &map, &dialogs, &battle });
        GameState& s = world.state();
        s.settings().fightOfAll = true;
        s.turnBlock().viewingCountry = int8_t(c.viewer);
        s.turnBlock().turn = 1;
        world.setRule(kRuleSearch, 1);
        s.recreateSightMaps();
        for (HexPos hex : c.seen)
            s.fogMap()->setBit(2, hex.x, hex.y, 3);
        CombatPair& pair = world.engage(0, world.attacker, 1, world.defender);
        CombatShow show;
        show.misfire = c.misfire;
        if (c.misfire) {
            pair.setDefender(s, kNoTargetCode, 0);
            pair.side[1].x = pair.side[1].y = 5;
        }
        EXPECT_EQ(isFightShown(s, pair, show), c.shown);
        presentCombat(s, pair, show);
        EXPECT_EQ(map.callsOf("animateAttackPath").size(), c.path ? 1u : 0u);
        setRulesLinks({});
    }
}

TEST(CombatResolve, HexTargetTakesTheLandUnitStandingThereUnlessItIsAFriend)
{
    for (int owner : { 1, 0 }) {
        DuelWorld world;
        const int in_hex = owner == 1 ? world.defender : world.placeUnit(0, world.other, 3, 2);
        CombatPair& pair = currentCombat(world.state());
        pair.setAttacker(world.state(), 0, world.attacker, 2, 2, false);
        pair.setDefender(world.state(), kHexSideCode, packHexIndex(3, 2));
        pair.side[0].weaponSlot = 0;
        resolveCombat(world.state());
        EXPECT_EQ(unitExists(world.unit(owner, in_hex)), owner == 0) << "owner " << owner;
        ASSERT_EQ(world.state().historyLog().count(), 1u);
        EXPECT_EQ(world.state().historyLog().record(0).kind, 28) << "recorded as a ground attack";
    }
}

TEST(CombatResolve, KilledCarrierTakesItsCargoWithItCountingEachLossOnce)
{
    DuelWorld world;
    const int cargo = world.addUnit(1, world.other, 3, 2);
    world.unit(1, world.defender).carriedUnits[0] = uint16_t(cargo + 1);
    world.unit(1, world.defender).flags |= kUnitCarrying;
    world.unit(1, cargo).flags |= kUnitAboard;
    world.resolve();
    GameState& state = world.state();
    EXPECT_FALSE(unitExists(world.unit(1, cargo)));
    EXPECT_EQ(packed(state.country(1).membersLost), 8u);
    EXPECT_EQ(packed(state.country(1).unitsLost), 2u);
    EXPECT_TRUE(state.destroyedUnitEntry(1, 1)->isUsed());
    EXPECT_FALSE(state.destroyedUnitEntry(1, 2)->isUsed());
}

TEST(CombatResolve, SelfDestructingAttackerDiesWithoutReturnFire)
{
    DuelWorld world;
    world.editType(world.other).memberStrength = 10;
    for (int m = 0; m < 4; ++m)
        world.unit(1, world.defender).memberStrengths[m] = 10;
    CombatPair& pair = world.engage(0, world.attacker, 1, world.defender);
    pair.selfDestruct = 1;
    resolveCombat(world.state());
    EXPECT_FALSE(unitExists(world.unit(0, world.attacker)));
    EXPECT_FALSE(world.state().hexHasUnit(2, 2, 0));
    EXPECT_EQ(strengthTotal(world.unit(1, world.defender)), 36);
    EXPECT_EQ(packed(world.state().country(1).enemyUnitsDestroyed), 0u) << "its own blast, not the defender's kill";
    EXPECT_EQ(world.state().historyLog().record(0).kind, 11);
}

TEST(CombatResolve, AttackingAUnitBreaksThePactOrTheAlliance)
{
    {
        DuelWorld world;
        world.state().country(0).pactMask = 2;
        world.state().country(1).pactMask = 1;
        world.resolve();
        EXPECT_FALSE(world.state().hasPactWith(0, 1));
        EXPECT_FALSE(world.state().hasPactWith(1, 0));
    }
    {
        DuelWorld world;
        world.state().country(0).allianceMask = 1 | 2;
        world.state().country(1).allianceMask = 1 | 2;
        world.resolve();
        EXPECT_FALSE(world.state().isAllied(0, 1));
        EXPECT_FALSE(world.state().isAllied(1, 0));
    }
}

TEST(AttackSearch, FindsAWeaponOnlyWithinReachAndWithTheMaskBits)
{
    DuelWorld world;
    GameState& state = world.state();
    EXPECT_EQ(findAttackWeapon(state, 0, world.attacker, 2, 2, 1, world.defender, 8), 0);
    EXPECT_EQ(findAttackWeapon(state, 0, world.attacker, 1, 2, 1, world.defender, 8), -1) << "out of reach";
    EXPECT_EQ(findAttackWeapon(state, 0, world.attacker, 2, 2, 1, world.defender, 136), -1) << "no flag 128";
    world.gun->flags |= 128;
    EXPECT_EQ(findAttackWeapon(state, 0, world.attacker, 2, 2, 1, world.defender, 136), 0);
    world.gun->power[targetClass(world.unit(1, world.defender).type())] = 0;
    EXPECT_EQ(findAttackWeapon(state, 0, world.attacker, 2, 2, 1, world.defender, 8), -1) << "no power";
    world.gun->power[targetClass(world.unit(1, world.defender).type())] = 1;
    world.unit(0, world.attacker).ammunition[0] = 0;
    EXPECT_EQ(findAttackWeapon(state, 0, world.attacker, 2, 2, 1, world.defender, 8), -1) << "no rounds";
}

// The person takes the delegated turn back while the fight is on screen: the cancel waits for the
// fight's end, which carries it out (without a delegation it pauses the computer instead).
TEST(CombatResolve, ACancelMadeDuringTheFightIsCarriedOutAtItsEnd)
{
    struct AskingBattle : ShownBattle {
        Handshake* handshake = nullptr;
        bool deferred = false;
        void runBattleScene(BattleRecord& record, bool play_se) override
        {
            deferred = handshake->deferDuringCombat(DeferredRequest::CancelDelegation);
            ShownBattle::runBattleScene(record, play_se);
        }
    };
    for (const bool delegated : { true, false }) {
        DuelWorld world;
        Handshake& handshake = world.state().handshake();
        ShownMainWindow main;
        HeadlessMapWindow map;
        HeadlessDialogs dialogs;
        AskingBattle battle;
        battle.handshake = &handshake;
        setRulesLinks({ &main, &map, &dialogs, &battle });
        world.state().turnBlock().viewingCountry = 0;
        world.state().settings().fightOnReal = true;
        world.state().settings().showFight = true;
        handshake.setPlayRunning(true);
        handshake.setDelegation(delegated);
        world.resolve();
        setRulesLinks({});
        EXPECT_TRUE(battle.deferred) << "a request during the fight is kept for its end";
        EXPECT_EQ(main.callsOf("releasePendingWait").size(), delegated ? 1u : 0u);
        EXPECT_FALSE(handshake.delegation());
        EXPECT_EQ(handshake.interruptRequested(), !delegated) << "a cancel without delegation pauses the computer";
        EXPECT_FALSE(handshake.combatUnderWay());
        EXPECT_FALSE(handshake.deferDuringCombat(DeferredRequest::CancelDelegation)) << "after the fight the caller acts itself";
        handshake.setPlayRunning(false);
    }
}
