// The victory conditions: what a country may use in the game as it stands, the page's enabling
// rules, and the dialog's refusal of a share out of range, greyed countries and its two forms.
#include "editors/victory_condition_dialog.h"

#include "tests/editors/editor_world.h"
#include "ui/private_messages.h"

#include <gtest/gtest.h>

using namespace editors_test;

TEST(VictoryChances, FollowTargetsMarksAndAlliancesPerCountry)
{
    EditorWorld world;
    world.placeTargetBuilding(1, 1, 1);
    world.placeMarkedUnit(2, 3, 3, 0x01);
    world.placeMarkedUnit(0, 4, 4, 0x02);
    world.ally(1, 2);
    world.state().neutralBlock()[0] = 1u << 3; // the civilian side sides with country 3
    world.placeMarkedUnit(8, 5, 5, 0x02);
    GameState& s = world.state();

    const VictoryConditionChances c0 = victoryConditionChances(s, 0);
    EXPECT_TRUE(c0.buildingTargets) << "country 1 holds the target";
    EXPECT_TRUE(c0.unitTargets) << "country 2's marked unit";
    EXPECT_TRUE(c0.transport());
    EXPECT_FALSE(c0.alliedWithCivilians);

    const VictoryConditionChances c1 = victoryConditionChances(s, 1);
    EXPECT_FALSE(c1.buildingTargets) << "its own building";
    EXPECT_FALSE(c1.unitTargets) << "country 2 is its ally";
    EXPECT_FALSE(c1.transport());

    const VictoryConditionChances c3 = victoryConditionChances(s, 3);
    EXPECT_TRUE(c3.transport()) << "the civilians' marked unit, through the alliance";
    EXPECT_FALSE(c3.ownTransportUnit);

    // A target unit counts only while its country is in the game and alive.
    s.country(2).controller = 0;
    EXPECT_FALSE(victoryConditionChances(s, 0).unitTargets);
    s.country(2).controller = 2;
    s.country(2).inPlay = 2;
    EXPECT_FALSE(victoryConditionChances(s, 0).unitTargets);
    // A target building of nobody counts for everyone.
    world.placeTargetBuilding(-1, 2, 4);
    EXPECT_TRUE(victoryConditionChances(s, 1).buildingTargets);
}

TEST(VictoryEnabling, CivilianBoxFollowsTheTransportCondition)
{
    struct Case {
        bool own, allied, civilianUnit, transportChecked, civiliansIn;
        bool transportOn, shareOn, civiliansOn, civiliansOut;
    } cases[] = {
        // Own unit, not allied with the civilians: the box is offered to nobody and stays as set.
        { true, false, false, true, true, true, true, false, true },
        // Own unit and allied: the person chooses.
        { true, true, true, true, false, true, true, true, false },
        // Only the civilians' unit: they must count, checked and greyed.
        { false, true, true, true, false, true, true, false, true },
        // Condition off: the box is cleared whatever it was.
        { true, true, true, false, true, true, false, false, false },
        // Nothing to carry: the condition itself is greyed.
        { false, false, true, true, false, false, false, false, false },
    };
    for (const Case& c : cases) {
        VictoryConditionChances chances;
        chances.ownTransportUnit = c.own;
        chances.alliedWithCivilians = c.allied;
        chances.civilianTransportUnit = c.civilianUnit;
        VictoryPageChecks checks;
        checks.transport = c.transportChecked;
        checks.civilians = c.civiliansIn;
        const VictoryPageEnabling on = applyVictoryEnabling(chances, 0, checks);
        EXPECT_EQ(on.transport, c.transportOn);
        EXPECT_EQ(on.share, c.shareOn);
        EXPECT_EQ(on.civilians, c.civiliansOn);
        EXPECT_EQ(checks.civilians, c.civiliansOut);
        EXPECT_TRUE(on.turnOver);
    }
}

TEST(VictoryEnabling, CombinationIsClearedWithoutConditionsAndComesBackAsStored)
{
    VictoryConditionChances chances;
    chances.buildingTargets = true;
    VictoryPageChecks checks { false, false, false, false, false, true };
    VictoryPageEnabling on = applyVictoryEnabling(chances, victory_entry::kAllConditions, checks);
    EXPECT_FALSE(on.combination);
    EXPECT_FALSE(checks.anyOne || checks.allOf);
    EXPECT_FALSE(on.buildingChoice);

    checks.building = true;
    on = applyVictoryEnabling(chances, victory_entry::kAllConditions, checks);
    EXPECT_TRUE(on.combination && on.buildingChoice);
    EXPECT_TRUE(checks.allOf);
    EXPECT_FALSE(checks.anyOne);
    checks = { true, false, false, false, false, false };
    applyVictoryEnabling(chances, 0, checks);
    EXPECT_TRUE(checks.anyOne);
    // A choice the person made stands.
    checks = { false, true, false, false, true, false };
    applyVictoryEnabling(chances, victory_entry::kAllConditions, checks);
    EXPECT_TRUE(checks.anyOne);
    EXPECT_FALSE(checks.allOf);
}

namespace {

struct VictoryDialogTest : ::testing::Test {
    EditorWorld world;
    VictoryConditionEntries entries {};

    INT_PTR run(VictoryDialogMode mode, std::function<void(HWND, VictoryConditionDialog&)> driver,
        VictoryConditionEntries* out = nullptr)
    {
        VictoryConditionDialog dialog(world.context(), nullptr, 0, entries, mode);
        drive(cp(mode == kVictorySet ? "勝利条件設定" : "勝利条件確認"), [&] { return dialog.run(); },
            [&](HWND window) { driver(window, dialog); });
        if (out)
            *out = dialog.entries();
        return dialog.result();
    }
};

// Successive clicks land apart, so that none of them counts as a double click.
void clickTab(HWND dialog, int tab)
{
    static int turn = 0;
    HWND tabs = GetDlgItem(dialog, victory_id::kTab);
    RECT item {};
    SendMessageA(tabs, TCM_GETITEMRECT, WPARAM(tab), LPARAM(&item));
    const int quarter = (item.right - item.left) / 4;
    POINT p { (item.left + item.right) / 2 + (turn++ % 2 ? quarter : -quarter), (item.top + item.bottom) / 2 };
    ClientToScreen(tabs, &p);
    harness::click(p.x, p.y);
    settle();
}

int currentTab(HWND dialog) { return int(SendMessageA(GetDlgItem(dialog, victory_id::kTab), TCM_GETCURSEL, 0, 0)); }

} // namespace

TEST_F(VictoryDialogTest, EnablingFollowsEachCountryAndGreysCountriesOutOfTheGame)
{
    world.placeTargetBuilding(1, 1, 1);
    world.state().country(3).controller = 0;
    entries[3] = { 1, 0, 0, victory_entry::kAllConditions, 1 };
    bool buildingFor0 = false, unitFor0 = true, buildingFor1 = true, greyed = false, comboCleared = false;
    run(kVictorySet, [&](HWND dialog, VictoryConditionDialog&) {
        buildingFor0 = enabled(dialog, victory_id::kBuilding);
        unitFor0 = enabled(dialog, victory_id::kUnit);
        clickTab(dialog, 1);
        buildingFor1 = enabled(dialog, victory_id::kBuilding);
        clickTab(dialog, 3);
        greyed = !enabled(dialog, victory_id::kBuilding) && !enabled(dialog, victory_id::kVictory) && !enabled(dialog, victory_id::kShare)
            && checked(dialog, victory_id::kBuilding);
        comboCleared = !checked(dialog, victory_id::kAnyOne) && !checked(dialog, victory_id::kAllOf);
    });
    EXPECT_TRUE(buildingFor0);
    EXPECT_FALSE(unitFor0);
    EXPECT_FALSE(buildingFor1);
    EXPECT_TRUE(greyed);
    EXPECT_TRUE(comboCleared);
}

TEST_F(VictoryDialogTest, ShareOutOfRangeRefusesTheTabChangeAndTheTabSnapsBack)
{
    world.placeMarkedUnit(0, 2, 2, 0x02);
    entries[0] = { 0, 0, 0, 0, 0 };
    std::vector<int> tabs;
    int shown = -1;
    VictoryConditionEntries out {};
    std::string shownShare;
    const INT_PTR result = run(kVictorySet, [&](HWND dialog, VictoryConditionDialog& d) {
        char text[8] = {};
        GetWindowTextA(control(dialog, victory_id::kShare), text, sizeof text);
        shownShare = text;
        clickControl(dialog, victory_id::kTransport);
        for (const char* share : { "101", "0", "" }) {
            SetWindowTextA(control(dialog, victory_id::kShare), share);
            clickTab(dialog, 2);
            tabs.push_back(currentTab(dialog));
            shown = d.country();
        }
        SetWindowTextA(control(dialog, victory_id::kShare), "100");
        clickTab(dialog, 2);
        tabs.push_back(currentTab(dialog));
        clickControl(dialog, victory_id::kOk, 40);
    }, &out);
    EXPECT_EQ(shownShare, "100") << "a share of 0 shows 100";
    EXPECT_EQ(tabs, (std::vector<int> { 0, 0, 0, 2 }));
    EXPECT_EQ(shown, 0);
    ASSERT_EQ(harness::messageBoxes().size(), 3u);
    EXPECT_EQ(harness::messageBoxes()[0].text, cp("達成機数には1～100までを指定してください。"));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(out[0][victory_entry::kShare], 100);
}

// A greyed country's page could not be changed, so leaving it saves nothing: its stored choices
// survive (both combination radios are cleared on a greyed page) and a stored share out of range
// does not hold the tab.
TEST_F(VictoryDialogTest, GreyedCountryKeepsItsEntryAndItsTabCanBeLeft)
{
    world.state().country(3).controller = 0;
    entries[3] = { 1, 2, 150, victory_entry::kAllConditions | victory_entry::kCountCivilians, 2 };
    std::vector<int> tabs;
    VictoryConditionEntries out {};
    const INT_PTR result = run(kVictorySet, [&](HWND dialog, VictoryConditionDialog&) {
        clickTab(dialog, 3);
        tabs.push_back(currentTab(dialog));
        clickTab(dialog, 0);
        tabs.push_back(currentTab(dialog));
        clickControl(dialog, victory_id::kOk, 40);
    }, &out);
    EXPECT_EQ(tabs, (std::vector<int> { 3, 0 }));
    EXPECT_TRUE(harness::messageBoxes().empty());
    EXPECT_EQ(result, 1);
    EXPECT_EQ(out[3], entries[3]);
}

TEST_F(VictoryDialogTest, CombinationRadiosClearWithTheConditionsAndComeBackAsTheEntryHadThem)
{
    world.placeTargetBuilding(1, 1, 1);
    entries[0] = { 2, 0, 0, victory_entry::kAllConditions, 2 };
    bool clearedAndGreyed = false, restored = false, anyRadio = false;
    VictoryConditionEntries out {};
    run(kVictorySet, [&](HWND dialog, VictoryConditionDialog&) {
        anyRadio = checked(dialog, victory_id::kBuildingAny);
        clickControl(dialog, victory_id::kBuilding);
        clearedAndGreyed = !checked(dialog, victory_id::kAnyOne) && !checked(dialog, victory_id::kAllOf) && !enabled(dialog, victory_id::kAnyOne)
            && !enabled(dialog, victory_id::kBuildingAll);
        clickControl(dialog, victory_id::kBuilding);
        restored = checked(dialog, victory_id::kAllOf) && enabled(dialog, victory_id::kAllOf);
        clickControl(dialog, victory_id::kOk, 40);
    }, &out);
    EXPECT_TRUE(anyRadio);
    EXPECT_TRUE(clearedAndGreyed);
    EXPECT_TRUE(restored);
    const VictoryConditionEntry expected { 2, 0, 0, victory_entry::kAllConditions, 2 };
    EXPECT_EQ(out[0], expected);
}

TEST_F(VictoryDialogTest, ConfirmFormHasOneOkInTheCancelsPlaceAndEndsWithZero)
{
    entries[0] = { 1, 1, 50, 3, 1 };
    bool oneButton = false, allGreyed = false;
    const INT_PTR result = run(kVictoryConfirm, [&](HWND dialog, VictoryConditionDialog&) {
        HWND ok = GetDlgItem(dialog, victory_id::kCancel);
        char text[16] = {};
        GetWindowTextA(ok, text, sizeof text);
        oneButton = !GetDlgItem(dialog, victory_id::kOk) && std::string(text) == "OK";
        allGreyed =
            !enabled(dialog, victory_id::kBuilding) && !enabled(dialog, victory_id::kTransport) && !enabled(dialog, victory_id::kDraw);
        clickControl(dialog, victory_id::kCancel, 40);
    });
    EXPECT_TRUE(oneButton);
    EXPECT_TRUE(allGreyed);
    EXPECT_EQ(result, 0);
}

namespace {

// A stand-in main window that records the close requests it receives.
std::vector<UINT> g_received;

LRESULT CALLBACK hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == ui_message::kCloseVictoryWindow)
        g_received.push_back(message);
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

TEST(VictoryModeless, EveryWayOfClosingAsksTheMainWindowWhichDestroysIt)
{
    EditorWorld world;
    WNDCLASSA host {};
    host.lpfnWndProc = hostProc;
    host.lpszClassName = "EditorsTestHost";
    RegisterClassA(&host);
    HWND hostWindow = CreateWindowExA(0, "EditorsTestHost", "", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr,
        nullptr, nullptr, nullptr);
    swCWindow mainWindow;
    mainWindow.windowAttach(hostWindow, true);
    g_received.clear();
    auto* window = new VictoryConditionDialog(world.context(), &mainWindow, 1, VictoryConditionEntries {}, kVictoryConfirm);
    ASSERT_TRUE(window->run());
    HWND handle = window->handle();
    ShowWindow(handle, SW_SHOW);
    settle();
    SendMessageA(handle, WM_CLOSE, 0, 0);
    SendMessageA(handle, WM_COMMAND, victory_id::kCancel, 0);
    SendMessageA(handle, WM_RBUTTONDOWN, 0, 0);
    settle();
    EXPECT_EQ(g_received.size(), 3u);
    EXPECT_TRUE(IsWindow(handle)) << "only the main window destroys it";
    DestroyWindow(handle);
    EXPECT_NE(swCProfileKey("WindowInfo", "WinInfoWindowPosLeft").profileReadInt(-12345), -12345);
    mainWindow.windowDetach(true);
    DestroyWindow(hostWindow);
}
