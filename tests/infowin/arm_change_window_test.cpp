// The armament change window driven by injected input: only the existing sets can be chosen, the
// set the unit has already gives 0, the production phase offers no cancel, and the window closes
// when play stops under it.
#include "infowin/arm_change_window.h"

#include "platform/kernel/host.h"
#include "state/unit_facts.h"
#include "tests/infowin/info_world.h"
#include "tests/platform/commdlg/dialog_driver.h"

#include <cstring>

using namespace info_test;

namespace {

class ArmChange : public ::testing::Test {
protected:
    ArmChange()
    {
        // A type of three sets: 0 (the default), 1 and 2; set 3 holds nothing.
        for (const UnitTypeRecord& t : s.unitTypes())
            if (unitWeaponSlotUsed(t, 0) && unitWeaponSlotUsed(t, 1) && t.available == 1) {
                typeId = t.id;
                break;
            }
        UnitTypeRecord& type = info.world.editType(typeId);
        type.defaultModel = 0;
        for (int set = 1; set < kModelCount; ++set) {
            std::memset(type.model[set].ammo, 0, sizeof type.model[set].ammo);
            type.model[set].values[0] = uint8_t(3 + set);
            type.model[set].fuel = uint16_t(10 * set);
        }
        type.model[1].ammo[0] = 6;
        type.model[2].ammo[1] = 9;
        unitIndex = info.world.addUnit(0, typeId, 2, 2);
        info.startPlay();
    }
    std::string unitTitle() const
    {
        const UnitRecord& unit = *s.unitOf(0, unitIndex);
        return platform::utf8ToCp932("武装交換 - ") + std::string(unit.name, strnlen(unit.name, sizeof unit.name));
    }
    INT_PTR run(ArmChangeWindow& window, const std::string& title, std::function<void(HWND)> driver)
    {
        return dialogtest::drive(title.c_str(), [&] { return window.run(); }, [&](HWND dialog) {
            dialogtest::settle();
            driver(dialog);
        });
    }
    static void clickAt(HWND dialog, int x, int y, harness::Button button = harness::Button::Left)
    {
        const POINT p = screenOf(dialog, x, y);
        harness::click(p.x, p.y, button);
        dialogtest::settle();
    }
    static void clickSet(HWND dialog, int set) { clickAt(dialog, 632, 28 + 48 * set); }
    static void clickConfirm(HWND dialog) { clickAt(dialog, 632, 324); }

    InfoWorld info;
    GameState& s = info.state();
    int typeId = 0;
    int unitIndex = 0;
};

} // namespace

TEST_F(ArmChange, OffersTheExistingSetsAndTheSameSetGivesZero)
{
    bool idleWhileOpen = true;
    std::vector<bool> buttons;
    {
        ArmChangeWindow window(info.context(), &info.owner, 0, unitIndex, -1);
        const INT_PTR result = run(window, unitTitle(), [&](HWND dialog) {
            idleWhileOpen = s.modalIdle();
            for (int k = 0; k < kModelCount; ++k)
                buttons.push_back(GetDlgItem(dialog, int(arm_change_id::kFirstSet) + k) != nullptr);
            buttons.push_back(GetDlgItem(dialog, int(arm_change_id::kCancel)) != nullptr);
            clickSet(dialog, 1);
            clickSet(dialog, 0);
            clickConfirm(dialog);
        });
        EXPECT_EQ(result, 0);
        EXPECT_EQ(window.selectedSet(), 0);
    }
    EXPECT_EQ(buttons, (std::vector<bool> { true, true, true, false, true }));
    EXPECT_FALSE(idleWhileOpen);
    // The flag comes back with the window object's end.
    EXPECT_TRUE(s.modalIdle());
}

TEST_F(ArmChange, AnotherSetIsReportedAndShownOnThePage)
{
    ArmChangeWindow window(info.context(), &info.owner, 0, unitIndex, -1);
    Image first, second;
    const INT_PTR result = run(window, unitTitle(), [&](HWND dialog) {
        first = clientImage(dialog);
        clickSet(dialog, 2);
        second = clientImage(dialog);
        saveShot(second, "arm_change");
        clickConfirm(dialog);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(window.selectedSet(), 2);
    ASSERT_EQ(first.width, 720);
    ASSERT_EQ(first.height, 560);
    // Set 0's panel loses its selected look, set 2's takes it (panels at (8, 8) and (8, 208)).
    EXPECT_NE(rgb(first, 12, 20), rgb(second, 12, 20));
    EXPECT_NE(rgb(first, 12, 220), rgb(second, 12, 220));
    EXPECT_EQ(rgb(second, 12, 220), rgb(first, 12, 20));
    // Set 3 has no panel: its slot keeps the page's own background.
    EXPECT_EQ(rgb(second, 290, 220), rgb(first, 290, 220));
    // Set 2 loads the second slot only: its weapon table row has the bar, the first row is grey.
    EXPECT_GT(countColour(second, 16, 450, 208, 462, kPanelGreyPixel), 5);
}

TEST_F(ArmChange, ProductionPhaseHasNoCancelAndAnyCloseGivesZero)
{
    info.startPlay(6);
    ArmChangeWindow window(info.context(), &info.owner, -1, typeId, 2);
    bool cancel = true;
    const INT_PTR result = run(window, platform::utf8ToCp932("初期武装選択"), [&](HWND dialog) {
        cancel = GetDlgItem(dialog, int(arm_change_id::kCancel)) != nullptr;
        clickSet(dialog, 1);
        clickAt(dialog, 300, 500, harness::Button::Right);
    });
    EXPECT_FALSE(cancel);
    EXPECT_EQ(result, 0);
}

TEST_F(ArmChange, ClosesWhenPlayStops)
{
    ArmChangeWindow window(info.context(), &info.owner, 0, unitIndex, -1);
    const INT_PTR result = run(window, unitTitle(), [&](HWND dialog) {
        clickSet(dialog, 2);
        s.handshake().setPlayRunning(false);
        for (int i = 0; i < 100 && IsWindow(dialog); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_FALSE(IsWindow(dialog));
    });
    EXPECT_EQ(result, 0);
}
