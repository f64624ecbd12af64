// The troop information: the step to the previous and next unit over units in play only, in the
// troop list's order or the table's, foreign cargo hidden, and the carried-units page giving way
// to the armament page for a unit that carries nothing.
#include "infowin/troop_info_window.h"
#include "infowin/unit_info_ids.h"
#include "state/troop_sort.h"

#include "tests/infowin/troop_world.h"
#include "tests/platform/commdlg/dialog_driver.h"

#include <functional>

using namespace info_test;

namespace {

class TroopInfo : public ::testing::Test {
protected:
    TroopInfo()
    {
        for (const UnitTypeRecord& t : s.unitTypes())
            if (t.available == 1 && carryBerthCount(t) > 0) {
                carrierType = t.id;
                break;
            }
        // Units 0..4; 1 is an empty slot and 3 waits off the map.
        for (int i = 0; i < 5; ++i)
            world.addUnit(10 + i, i == 2 ? "Carrier" : "Unit", 1 + i, 2);
        setState(world.unit(1), 0);
        setState(world.unit(3), 1000);
        s.country(1).controller = 2;
        s.country(1).inPlay = 1;
        s.country(0).allianceMask = 1;
        s.country(1).allianceMask = 2;
        world.personActs();
    }
    // Unit 2 becomes a carrier holding units 0 and 4 in its third and sixth slots.
    void loadCarrier()
    {
        ASSERT_NE(carrierType, 0);
        UnitRecord& carrier = world.unit(2);
        carrier.unitTypeId = uint16_t(carrierType);
        carrier.flags |= kUnitCarrying;
        carrier.setCarriedUnit(2, 0);
        carrier.setCarriedUnit(5, 4);
    }
    void run(int index, const std::function<void(HWND)>& driver)
    {
        TroopInfoWindow window(world.info.context(), &world.info.owner, 0, index);
        dialogtest::drive(cp("部隊詳細情報").c_str(), [&] { return window.run(); }, [&](HWND dialog) {
            dialogtest::settle();
            driver(dialog);
        });
        lastIndex = window.unitIndex();
        lastPage = window.lowerPage();
    }
    static void press(HWND dialog, UINT controlId)
    {
        testing_lib::clickCentre(GetDlgItem(dialog, int(controlId)));
        dialogtest::settle();
    }
    static bool shown(HWND dialog, UINT controlId)
    {
        HWND item = GetDlgItem(dialog, int(controlId));
        return item && IsWindowVisible(item);
    }
    // Rows of the carried-units page that hold any text (white pixels right of the icons).
    static int cargoRowsWithText(const Image& page)
    {
        int rows = 0;
        for (int r = 0; r < 8; ++r)
            rows += countColour(page, 476, 268 + 20 * r, 668, 280 + 20 * r, kWhitePixel) > 10;
        return rows;
    }

    TroopWorld world;
    GameState& s = world.state();
    int carrierType = 0;
    int lastIndex = -1;
    int lastPage = 0;
};

} // namespace

TEST_F(TroopInfo, NeighboursAreUnitsInPlayInTheTroopListsOrderOrTheTables)
{
    // No troop list has ordered the country yet: the table's order, skipping the empty slot 1.
    std::vector<uint32_t> order;
    TroopNeighbours around = findTroopNeighbours(s, order, 0, 2);
    EXPECT_EQ(around.previous, 0);
    EXPECT_EQ(around.next, 4);
    around = findTroopNeighbours(s, order, 0, 0);
    EXPECT_EQ(around.previous, -1);
    EXPECT_EQ(around.next, 2);
    // Sorted by troop number descending, the order turns round.
    order = sortedSideUnits(s, 0, 0, 1);
    around = findTroopNeighbours(s, order, 0, 2);
    EXPECT_EQ(around.previous, 4);
    EXPECT_EQ(around.next, 0);
    // Another country acting changes nothing; viewed by a country not allied: neither; allied:
    // both again.
    s.turnBlock().currentCountry = 1;
    around = findTroopNeighbours(s, order, 0, 2);
    EXPECT_EQ(around.previous, 4);
    EXPECT_EQ(around.next, 0);
    s.turnBlock().viewingCountry = 1;
    around = findTroopNeighbours(s, order, 0, 2);
    EXPECT_EQ(around.previous, -1);
    EXPECT_EQ(around.next, -1);
    s.country(1).allianceMask = 3;
    s.country(0).allianceMask = 3;
    around = findTroopNeighbours(s, order, 0, 2);
    EXPECT_EQ(around.previous, 4);
}

TEST_F(TroopInfo, TheArrowsStepAndHideAtTheEnds)
{
    std::vector<bool> seen;
    run(2, [&](HWND dialog) {
        seen.push_back(shown(dialog, unit_info_id::kPrevious));
        seen.push_back(shown(dialog, unit_info_id::kNext));
        press(dialog, unit_info_id::kPrevious);
        seen.push_back(shown(dialog, unit_info_id::kPrevious));
        seen.push_back(shown(dialog, unit_info_id::kNext));
        press(dialog, unit_info_id::kNext);
        press(dialog, unit_info_id::kNext);
        seen.push_back(shown(dialog, unit_info_id::kNext));
        press(dialog, unit_info_id::kClose);
    });
    EXPECT_EQ(seen, (std::vector<bool> { true, true, false, true, false }));
    EXPECT_EQ(lastIndex, 4);

    // By keys: Enter presses 前へ, which has the focus, then 次へ, which takes it where 前へ goes.
    run(2, [&](HWND dialog) {
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, int(unit_info_id::kPrevious)));
        harness::keepShot("troop_info_focus.png");
        for (int enter = 0; enter < 3; ++enter)
            harness::pressKey(VK_RETURN), dialogtest::settle();
    });
    EXPECT_EQ(lastIndex, 4);
}

TEST_F(TroopInfo, BothLowerPagesAndTheStepBackToArmament)
{
    loadCarrier();
    Image armament, cargo;
    bool cargoButton = false, cargoButtonAfter = true;
    run(2, [&](HWND dialog) {
        armament = clientImage(dialog);
        cargoButton = shown(dialog, unit_info_id::kCargoPage);
        press(dialog, unit_info_id::kCargoPage);
        cargo = clientImage(dialog);
        // Unit 4 carries nothing: the armament page comes back.
        press(dialog, unit_info_id::kNext);
        cargoButtonAfter = shown(dialog, unit_info_id::kCargoPage);
        press(dialog, unit_info_id::kClose);
    });
    saveShot(armament, "troop_info_armament");
    saveShot(cargo, "troop_info_cargo");
    ASSERT_EQ(armament.width, TroopInfoWindow::kPageWidth);
    ASSERT_EQ(armament.height, TroopInfoWindow::kPageHeight);
    EXPECT_TRUE(cargoButton);
    EXPECT_FALSE(cargoButtonAfter);
    EXPECT_EQ(lastIndex, 4);
    EXPECT_EQ(lastPage, TroopInfoWindow::kArmamentPage);
    // Two filled slots of eight: two packed rows.
    EXPECT_EQ(cargoRowsWithText(cargo), 2);
    EXPECT_GT(countColour(cargo, 476, 268, 668, 280, kWhitePixel), 10);
    EXPECT_GT(countColour(cargo, 476, 288, 668, 300, kWhitePixel), 10);
}

TEST_F(TroopInfo, ForeignCargoIsHiddenBehindQuestionMarks)
{
    loadCarrier();
    s.turnBlock().viewingCountry = 1;
    Image cargo;
    bool arrows = true;
    run(2, [&](HWND dialog) {
        arrows = shown(dialog, unit_info_id::kPrevious) || shown(dialog, unit_info_id::kNext);
        press(dialog, unit_info_id::kCargoPage);
        cargo = clientImage(dialog);
        press(dialog, unit_info_id::kClose);
    });
    EXPECT_FALSE(arrows);
    EXPECT_EQ(cargoRowsWithText(cargo), 8);
}

TEST_F(TroopInfo, TheExperienceTextFollowsRuleTwelve)
{
    world.unit(0).experience = 300;
    world.info.world.setRule(kRuleExperience, 1);
    Image on, off;
    run(0, [&](HWND dialog) {
        on = clientImage(dialog);
        press(dialog, unit_info_id::kClose);
    });
    world.info.world.setRule(kRuleExperience, 0);
    run(0, [&](HWND dialog) {
        off = clientImage(dialog);
        press(dialog, unit_info_id::kClose);
    });
    // "10/ 30" and "---/---" differ in their text; without the rule the bar shows no progress.
    int differing = 0;
    for (int y = 68; y < 80; ++y)
        for (int x = 580; x < 622; ++x)
            differing += rgb(on, x, y) != rgb(off, x, y);
    EXPECT_GT(differing, 10);
    EXPECT_NE(rgb(on, 626, 73), rgb(off, 626, 73));
}
