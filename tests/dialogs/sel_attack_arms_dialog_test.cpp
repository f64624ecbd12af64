// The weapon selection dialog driven by injected input: choosing a weapon changes the record in
// place and redraws the expected losses; without a weapon it cannot execute; the chooser's buttons
// stand in its half; a right click anywhere drops the engagement; and on the engagement's own
// thread it runs while the user-interface thread keeps painting.
#include "dialogs/sel_attack_arms_dialog.h"

#include "rules/combat_pair.h"
#include "rules/combat_values.h"
#include "tests/dialogs/play_dialog_world.h"

#include <atomic>
#include <tuple>

using namespace play_dialogs;

namespace {

const std::string kWeaponTitle = cp("兵器選択");

// Country 0's tank at (2, 2) against country 1's infantry at (3, 2); the tank carries a heavy gun
// in slot 0 and a light one in slot 1.
struct Fight : PlayWorld {
    Fight()
        : PlayWorld(5)
    {
        GameState& s = state();
        const UnitTypeRecord& tank = s.unitTypeRecord(kTank);
        heavy = tank.weaponSlot[0].weaponId;
        light = tank.weaponSlot[1].weaponId;
        // Known figures: the heavy gun brings two infantry machines down, the light one none.
        for (auto [weapon, power, multiplier] : { std::tuple { heavy, 60, 4 }, std::tuple { light, 10, 1 } }) {
            WeaponRecord& w = info.world.editWeapon(weapon);
            std::fill(std::begin(w.power), std::end(w.power), uint8_t(power));
            w.multiplier = uint8_t(multiplier);
            w.reach = 1;
            w.kind = 0;
            w.flags = 1 | 8 | 16;
        }
        UnitTypeRecord& infantry = info.world.editType(kInfantry);
        std::fill(std::begin(infantry.defence), std::end(infantry.defence), uint16_t(0));
        attacker = info.world.placeUnit(0, kTank, 2, 2);
        defender = info.world.placeUnit(1, kInfantry, 3, 2);
        pair.setAttacker(s, 0, attacker, 2, 2, false);
        pair.setDefender(s, 1, defender);
        pair.prepare(s);
        pair.computeValues(s);
    }
    CombatPair pair {};
    int attacker = 0;
    int defender = 0;
    int heavy = 0;
    int light = 0;
};

} // namespace

TEST(WeaponSelectionDialog, ChoosingAWeaponChangesTheRecordAndTheLosses)
{
    Fight fight;
    fight.pair.side[0].weaponSlot = 1;
    fight.pair.computeValues(fight.state());
    SelAttackArmsDialog dialog(makeWindowContext(fight.state()), &fight.info.owner, fight.pair, 0, 0);
    bool chosenDisabled = false, otherEnabled = false;
    int lossesBefore = -1, lossesAfter = -1;
    Image before, after;
    const INT_PTR result = drive(kWeaponTitle, [&] { return dialog.run(); }, [&](HWND d) {
        chosenDisabled = !itemEnabled(d, int(sel_attack_arms_id::kFirstWeapon) + 1);
        otherEnabled = itemEnabled(d, int(sel_attack_arms_id::kFirstWeapon));
        lossesBefore = dialog.expectedLosses(1);
        before = clientImage(d);
        clickDialogItem(d, int(sel_attack_arms_id::kFirstWeapon));
        lossesAfter = dialog.expectedLosses(1);
        after = clientImage(d);
        keepShot(after, "weapon_selection_mode0.png");
        // Execute is the default button: Enter presses it.
        platform::harness::pressKey(VK_RETURN);
        dialogtest::settle();
    });
    EXPECT_TRUE(chosenDisabled) << "the chosen weapon's button is the mark of the choice";
    EXPECT_TRUE(otherEnabled);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(fight.pair.side[0].weaponSlot, 0);
    EXPECT_GT(lossesAfter, lossesBefore) << "the heavy gun brings more of the infantry down";
    ASSERT_EQ(after.width, SelAttackArmsDialog::kWidth);
    ASSERT_EQ(after.height, SelAttackArmsDialog::kHeight);
    // The attacker's values strip changed with the weapon; the defender's half of the machines too.
    EXPECT_NE(countColour(before, 52, 276, 280, 356, kWhitePixel), countColour(after, 52, 276, 280, 356, kWhitePixel));
    EXPECT_EQ(fight.pair.side[0].attackValue,
        uint16_t(attackValue(fight.state(), 0, fight.attacker, { 1, fight.defender, 3, 2 }, 0)))
        << "the record's values were computed for the new weapon";
}

TEST(WeaponSelectionDialog, WithoutAWeaponOnlyDroppingIsLeft)
{
    Fight fight;
    UnitRecord& tank = fight.info.world.unit(0, fight.attacker);
    std::fill(std::begin(tank.ammunition), std::end(tank.ammunition), uint8_t(0));
    fight.pair.side[0].weaponSlot = -1;
    SelAttackArmsDialog dialog(makeWindowContext(fight.state()), &fight.info.owner, fight.pair, 0, 0);
    bool executable = true, buttons = true, openAfterExecute = false;
    const INT_PTR result = drive(kWeaponTitle, [&] { return dialog.run(); }, [&](HWND d) {
        executable = itemEnabled(d, int(sel_attack_arms_id::kExecute));
        buttons = GetDlgItem(d, int(sel_attack_arms_id::kFirstWeapon)) || GetDlgItem(d, int(sel_attack_arms_id::kFirstWeapon) + 1);
        clickDialogItem(d, int(sel_attack_arms_id::kExecute));
        platform::harness::pressKey(VK_RETURN);
        dialogtest::settle();
        openAfterExecute = IsWindow(d);
        // Dragged by any point, the dialog still hears the right button.
        clickAt(d, 150, 200, platform::harness::Button::Right);
    });
    EXPECT_FALSE(executable);
    EXPECT_FALSE(buttons) << "no loaded weapon, no button";
    EXPECT_TRUE(openAfterExecute);
    EXPECT_EQ(result, 0);
}

TEST(WeaponSelectionDialog, ReturnFireIsChosenInTheRightHalfWithItsQuestion)
{
    Fight fight;
    SelAttackArmsDialog dialog(makeWindowContext(fight.state()), &fight.info.owner, fight.pair, 1, 3);
    RECT button {};
    std::string question;
    const INT_PTR result = drive(kWeaponTitle, [&] { return dialog.run(); }, [&](HWND d) {
        HWND first = nullptr;
        for (int slot = 0; slot < 5 && !first; ++slot)
            first = GetDlgItem(d, int(sel_attack_arms_id::kFirstWeapon) + slot);
        if (first) {
            GetWindowRect(first, &button);
            MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&button), 2);
        }
        question = itemUtf8Text(d, int(sel_attack_arms_id::kQuestion));
        keepShot(clientImage(d), "weapon_selection_mode3.png");
        clickDialogItem(d, int(sel_attack_arms_id::kDrop));
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(dialog.chooserSide(), 1);
    EXPECT_EQ(button.left, 312) << "the defender's buttons at x0 + 12 of its half";
    EXPECT_EQ(question, "反撃を行いますか？");
}

TEST(WeaponSelectionDialog, RunsOnTheEngagementsThreadWhileTheInterfaceThreadPaints)
{
    Fight fight;
    // The owner counts its paints: it must keep drawing while the engagement's thread waits.
    std::atomic<int> paints { 0 };
    class PaintingOwner : public swCWindow {
    public:
        explicit PaintingOwner(std::atomic<int>& count)
            : swCWindow("WeaponTestOwner")
            , m_count(count)
        {
            setStyle(WS_POPUP | WS_VISIBLE);
            setFrame(0, 0, 900, 700);
        }
        int OnMessage(MessageRecord& msg) override
        {
            if (msg.message != WM_PAINT)
                return 0;
            PAINTSTRUCT ps {};
            BeginPaint(handle(), &ps);
            EndPaint(handle(), &ps);
            ++m_count;
            return 1;
        }

    private:
        std::atomic<int>& m_count;
    } owner(paints);
    owner.Create();
    testing_lib::pump();

    std::atomic<INT_PTR> result { -1 };
    std::atomic<bool> threadOnDialog { false };
    std::thread engagement([&] {
        SelAttackArmsDialog dialog(makeWindowContext(fight.state()), &owner, fight.pair, 0, 1);
        result = dialog.run();
        threadOnDialog = true;
    });
    HWND d = nullptr;
    for (int i = 0; i < 500 && !d; ++i) {
        testing_lib::pump();
        d = FindWindowA(nullptr, kWeaponTitle.c_str());
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_NE(d, nullptr);
    EXPECT_NE(GetWindowThreadProcessId(d, nullptr), GetCurrentThreadId());
    const int paintsBefore = paints;
    InvalidateRect(owner.handle(), nullptr, TRUE);
    testing_lib::pump();
    EXPECT_GT(paints.load(), paintsBefore) << "the interface thread drew while the dialog was open";
    const std::string question = itemUtf8Text(d, int(sel_attack_arms_id::kQuestion));
    keepShot(clientImage(d), "weapon_selection_mode1.png");
    HWND execute = GetDlgItem(d, int(sel_attack_arms_id::kExecute));
    testing_lib::clickCentre(execute);
    for (int i = 0; i < 500 && !threadOnDialog; ++i) {
        testing_lib::pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    engagement.join();
    EXPECT_EQ(question, "迎撃を行いますか？");
    EXPECT_EQ(result.load(), 1);
}

TEST(WeaponSelectionDialog, IsDraggedByAnyPointOfItsBody)
{
    Fight fight;
    SelAttackArmsDialog dialog(makeWindowContext(fight.state()), &fight.info.owner, fight.pair, 0, 0);
    RECT before {}, after {};
    drive(kWeaponTitle, [&] { return dialog.run(); }, [&](HWND d) {
        GetWindowRect(d, &before);
        const POINT from = screenOf(d, 150, 250);
        platform::harness::mouseDown(from.x, from.y);
        platform::harness::mouseMove(from.x + 30, from.y + 20);
        platform::harness::mouseUp(from.x + 30, from.y + 20);
        dialogtest::settle();
        GetWindowRect(d, &after);
        clickDialogItem(d, int(sel_attack_arms_id::kDrop));
    });
    EXPECT_EQ(after.left - before.left, 30);
    EXPECT_EQ(after.top - before.top, 20);
}
