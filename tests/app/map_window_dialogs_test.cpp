// The play dialogs on the person's road of an order, by injected clicks on the map: the weapon
// chosen for an attack is the one fired and a dropped choice gives no order; a merge and a split
// pass the machines the dialog settled on to the rules; a click in the production phase buys; and
// the rules' weapon choice runs on the engagement's thread while the main window keeps serving.
#include "ui/private_messages.h"
#include "dialogs/merge_dialog.h"
#include "dialogs/placement_dialog.h"
#include "dialogs/production_dialog.h"
#include "dialogs/sel_attack_arms_dialog.h"
#include "platform/kernel/host.h"
#include "rules/combat_values.h"
#include "rules/commands.h"
#include "rules/current_action_marks.h"
#include "rules/game_thread.h"
#include "state/game_settings.h"
#include "state/production_type_record.h"
#include "state/unit_facts.h"
#include "tests/app/app_test_support.h"
#include "tests/app/dialog_answer.h"
#include "tests/app/main_window_world.h"
#include "tests/app/map_window_world.h"
#include "tests/rules/combat_world.h"
#include "tests/state/packed_value.h"
#include "tests/ui/looked_world.h"

#include <gtest/gtest.h>

#include <cstring>

using testing_app::DialogAnswer;
using testing_app::MapWindowHarness;
using testing_app::pressControl;
using testing_rules::CombatWorld;

namespace {

using testing_app::cp;

// Country 0's unit at (1, 2) that may move six hexes and carries a strong gun in slot 0 and a weak
// one in slot 1, both usable after a move; country 1's unit at (5, 2).
struct PlayWorld : CombatWorld {
    testing_ui::StartedLook look { state() };

    PlayWorld()
    {
        testing_app::linkPictures(host(""));
        for (WeaponRecord* w : { gun, &editWeapon(gun2Id) }) {
            *w = *gun;
            w->flags |= kWeaponRestricted;
        }
        std::fill(std::begin(editWeapon(gun2Id).power), std::end(editWeapon(gun2Id).power), uint8_t(20));
        for (int id : { plain, other }) {
            UnitTypeRecord& type = editType(id);
            type.concealRadius = type.terrainConcealRadius = type.secondConcealRadius = 0;
            type.model[0].values[0] = 6;
            type.weaponSlot[1].weaponId = uint16_t(gun2Id);
            type.weaponSlot[1].multiplier = 1;
            type.model[0].ammo[1] = 5;
            // One armament set: a purchase asks for none.
            for (int m = 1; m < kModelCount; ++m)
                std::fill(std::begin(type.model[m].ammo), std::end(type.model[m].ammo), uint8_t(0));
            editTerrain(state().terrainGrid()[0].terrain).moveCost[type.movementType] = 1;
        }
        fillPool(0);
        testing_app::startPersonsActionPhase(state());
    }
};

} // namespace

TEST(PlayDialogsOnTheMap, TheAttackFiresTheWeaponChosenInTheDialog)
{
    PlayWorld world;
    GameState& s = world.state();
    const int mover = world.placeUnit(0, world.plain, 1, 2);
    const int target = world.placeUnit(1, world.other, 5, 2);
    world.unit(0, mover).fuel = 50;
    MapWindowHarness view(s);
    const int strength = strengthTotal(world.unit(1, target));
    view.clickHex(1, 2);
    view.clickHex(4, 2);
    view.send(ui_message::kMapCommandChosen, kCommandAttack);
    {
        DialogAnswer answer(cp("兵器選択"), [](HWND dialog) {
            pressControl(dialog, int(sel_attack_arms_id::kFirstWeapon) + 1);
            pressControl(dialog, int(sel_attack_arms_id::kExecute));
        });
        view.clickHex(5, 2);
    }
    EXPECT_EQ(world.unit(0, mover).x, 4);
    EXPECT_EQ(world.unit(0, mover).ammunition[0], 5) << "the rules' own choice was not fired";
    EXPECT_EQ(world.unit(0, mover).ammunition[1], 4) << "the person's choice was";
    EXPECT_LE(strengthTotal(world.unit(1, target)), strength);
    EXPECT_EQ(view.window->orders().stage(), OrderStage::Idle);
}

TEST(PlayDialogsOnTheMap, ADroppedWeaponChoiceLeavesTheUnitSelectedAndUnmoved)
{
    PlayWorld world;
    GameState& s = world.state();
    const int mover = world.placeUnit(0, world.plain, 1, 2);
    world.placeUnit(1, world.other, 5, 2);
    world.unit(0, mover).fuel = 50;
    MapWindowHarness view(s);
    const UnitRecord before = world.unit(0, mover);
    view.clickHex(1, 2);
    view.clickHex(4, 2);
    view.send(ui_message::kMapCommandChosen, kCommandAttack);
    {
        DialogAnswer answer(cp("兵器選択"), [](HWND dialog) { pressControl(dialog, int(sel_attack_arms_id::kDrop)); });
        view.clickHex(5, 2);
    }
    EXPECT_EQ(std::memcmp(&before, &world.unit(0, mover), sizeof before), 0);
    EXPECT_EQ(view.window->orders().stage(), OrderStage::Selected) << "the person may give another order";
    EXPECT_FALSE(isCommandTargetHex(s, 5, 2));
    EXPECT_TRUE(currentAction(s).underWay());
}

TEST(PlayDialogsOnTheMap, MergeAndSplitPassTheMachinesSettledOnToTheRules)
{
    {
        PlayWorld world;
        GameState& s = world.state();
        world.setRule(kRuleMerging, 1);
        const int acting = world.placeUnit(0, world.plain, 1, 2);
        const int partner = world.placeUnit(0, world.plain, 2, 2);
        for (int i : { 2, 3 }) {
            world.unit(0, acting).memberStrengths[i] = 0;
            world.unit(0, partner).memberStrengths[i] = 0;
        }
        MapWindowHarness view(s);
        view.clickHex(1, 2);
        ASSERT_TRUE(view.host.selections.back().mask & (1u << kCommandMerge)) << "the merge is offered";
        view.send(ui_message::kMapCommandChosen, kCommandMerge);
        EXPECT_TRUE(isCommandTargetHex(s, 2, 2)) << "the partner is the target";
        {
            DialogAnswer answer(cp("合流"), [](HWND dialog) {
                pressControl(dialog, int(merge_id::kToRight));
                pressControl(dialog, int(merge_id::kExecute));
            });
            view.clickHex(2, 2);
        }
        EXPECT_EQ(strengthSlotCount(world.unit(0, partner)), 3);
        EXPECT_EQ(strengthSlotCount(world.unit(0, acting)), 1);
    }
    PlayWorld world;
    GameState& s = world.state();
    world.setRule(kRuleSplitting, 1);
    const int unit = world.placeUnit(0, world.plain, 1, 2);
    MapWindowHarness view(s);
    view.clickHex(1, 2);
    ASSERT_TRUE(view.host.selections.back().mask & (1u << kCommandSplit)) << "the split is offered";
    view.send(ui_message::kMapCommandChosen, kCommandSplit);
    {
        DialogAnswer answer(cp("分散"), [](HWND dialog) {
            pressControl(dialog, int(merge_id::kToRight));
            pressControl(dialog, int(merge_id::kExecute));
        });
        view.clickHex(2, 2);
    }
    UnitRef part {};
    ASSERT_TRUE(s.unitRefInHex(2, 2, 0, part));
    EXPECT_EQ(part.table, 0);
    EXPECT_EQ(strengthSlotCount(world.unit(0, part.index)), 3) << "two by halves, and one more to the right";
    EXPECT_EQ(strengthSlotCount(world.unit(0, unit)), 1);
}

TEST(PlayDialogsOnTheMap, AClickInTheProductionPhaseBuysAtTheBuilding)
{
    PlayWorld world;
    GameState& s = world.state();
    world.setRule(kRuleProductionAnyDistance, 1);
    const int capital = world.terrainOfKind(12);
    world.cell(3, 3).terrain = uint8_t(capital);
    world.placeBuilding(capital, 0, 3, 3);
    world.editType(world.plain).flags |= 0x0800;
    ProductionTypeRecord production {};
    production.setProducible(world.plain, true);
    s.setSideProductionType(0, production);
    s.country(0).funds = 10000;
    s.country(0).marketRate = 100;
    s.turnBlock().phase = 6;
    MapWindowHarness view(s);
    const int units = s.liveUnitCount(0);
    bool opened = false;
    {
        DialogAnswer answer(cp("生 産"), [&](HWND dialog) {
            opened = true;
            testing_app::pressListRow(GetDlgItem(dialog, int(production_id::kTypeList)), 0);
            pressControl(dialog, int(production_id::kProduce));
        });
        view.clickHex(3, 3);
    }
    EXPECT_TRUE(opened);
    for (const auto& box : platform::harness::messageBoxes())
        ADD_FAILURE() << platform::cp932ToUtf8(box.text);
    EXPECT_EQ(s.liveUnitCount(0), units + 1);
    UnitRef made {};
    ASSERT_TRUE(s.unitRefInHex(3, 3, 0, made));
    EXPECT_EQ(s.unitOf(0, made.index)->unitTypeId, world.plain);
    EXPECT_FALSE(view.main.callsOf("refresh").empty()) << "the panels hear of the new unit";

    // Outside the production phase the same click only shows the hex.
    s.turnBlock().phase = 5;
    view.clickHex(3, 3);
    EXPECT_EQ(s.liveUnitCount(0), units + 1);
}

TEST(PlayDialogsOnTheMap, TheDevelopersPopupPlacesAUnitFreeOfCharge)
{
    platform::harness::TestClock clock(platform::harness::TestClock::Running);
    PlayWorld world;
    GameState& s = world.state();
    ProductionTypeRecord production {};
    production.setProducible(world.plain, true);
    s.setSideProductionType(0, production);
    const uint32_t funds = s.country(0).funds;
    MapWindowHarness view(s);
    // Without the developer switch Shift and the right button only cancel.
    platform::harness::keyDown(VK_SHIFT);
    view.clickHex(4, 4, platform::harness::Button::Right);
    platform::harness::keyUp(VK_SHIFT);
    EXPECT_EQ(FindWindowA("#32768", nullptr), nullptr);

    s.settings().hel = true;
    bool popup = false;
    {
        std::thread chooser([&] {
            HWND menu = nullptr;
            for (int i = 0; i < 500 && !(menu = FindWindowA("#32768", nullptr)); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            popup = menu != nullptr;
            if (!menu)
                return;
            platform::harness::pressKey(VK_DOWN);
            platform::harness::pressKey(VK_RETURN);
        });
        DialogAnswer answer(cp("生 産"), [](HWND dialog) {
            testing_app::pressListRow(GetDlgItem(dialog, int(production_id::kTypeList)), 0, true);
        });
        platform::harness::keyDown(VK_SHIFT);
        view.clickHex(4, 4, platform::harness::Button::Right);
        platform::harness::keyUp(VK_SHIFT);
        chooser.join();
    }
    EXPECT_TRUE(popup);
    UnitRef placed {};
    ASSERT_TRUE(s.unitRefInHex(4, 4, 0, placed));
    EXPECT_EQ(s.unitOf(0, placed.index)->unitTypeId, world.plain);
    EXPECT_EQ(packed(s.country(0).funds), funds);
}

TEST(PlayDialogsOnTheMap, TheRulesWeaponChoiceRunsOnTheEngagementsThread)
{
    main_window_test::World world;
    GameState& state = world.state();
    ASSERT_TRUE(world.startGame());
    int own = -1, enemy = -1;
    for (uint32_t i = 0; i < state.unitCount(0) && own < 0; ++i)
        if (unitInPlay(*state.unitOf(0, int(i))) && state.unitOf(0, int(i))->isOnOwnHex())
            own = int(i);
    for (int side = 1; side < kCountryCount && enemy < 0; ++side)
        for (uint32_t i = 0; i < state.unitCount(side) && enemy < 0; ++i)
            if (unitInPlay(*state.unitOf(side, int(i))) && state.unitOf(side, int(i))->isOnOwnHex())
                enemy = int(i) | side << 16;
    ASSERT_GE(own, 0);
    ASSERT_GE(enemy, 0);
    CombatPair pair {};
    const UnitRecord& unit = *state.unitOf(0, own);
    pair.setAttacker(state, 0, own, unit.x, unit.y, false);
    pair.setDefender(state, enemy >> 16, enemy & 0xFFFF);
    pair.prepare(state);
    pair.computeValues(state);

    int answer = -1;
    bool served = false;
    std::string question;
    {
        DialogAnswer press(cp("兵器選択"), [&](HWND dialog) {
            // The main window still answers while the dialog holds the engagement's thread.
            DWORD_PTR result = 0;
            served = SendMessageTimeoutA(world.handle(), WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result) != 0;
            char text[64] = {};
            GetDlgItemTextA(dialog, int(sel_attack_arms_id::kQuestion), text, sizeof text);
            question = platform::cp932ToUtf8(text);
            platform::harness::keepShot("weapon_selection_game_thread.png");
            pressControl(dialog, int(sel_attack_arms_id::kDrop));
        });
        ASSERT_TRUE(world.onGameThread([&] { answer = world.dialogs().chooseWeapon(pair, 1, WeaponChoiceMode::AttackAfterMove); }));
    }
    EXPECT_TRUE(served);
    EXPECT_EQ(question, "攻撃を行いますか？");
    EXPECT_EQ(answer, 0);
}
