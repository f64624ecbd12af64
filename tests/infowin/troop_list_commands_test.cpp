// The troop list's commands on a unit, driven through its buttons: renaming (the blank name
// refused, the name cut at whole characters) and disbanding (the three questions, the refusal
// during a unit command, and the wait and phase tested when the command runs).
#include "infowin/troop_list_window.h"

#include "infowin/troop_list_box.h"
#include "infowin/troop_list_ids.h"
#include "infowin/unit_rename_dialog.h"
#include "rules/current_action.h"
#include "rules/rules_context.h"
#include "tests/infowin/troop_world.h"
#include "tests/platform/commdlg/dialog_driver.h"
#include "ui/private_messages.h"

#include <cstring>

using namespace info_test;

namespace {

class TroopCommands : public ::testing::Test {
protected:
    TroopCommands()
    {
        TroopListWindow::resetSortMemory();
        first = world.addUnit(1, "First", 1, 1);
        second = world.addUnit(2, "Second", 2, 1);
        world.info.world.setRule(kRuleFatigue, 1);
        world.info.world.setRule(kRuleExperience, 1);
        world.personActs();
        harness::clearMessageBoxes();
        list = TroopListWindow::open(world.info.context(), &world.info.owner);
        testing_lib::pump();
    }
    ~TroopCommands() override { harness::setDefaultMessageBoxAnswer(0); }
    HWND button(UINT controlId) const { return GetDlgItem(list->handle(), int(controlId)); }
    void select(int row)
    {
        clickClient(list->handle(), 300, TroopListWindow::kHeaderHeight + 10 + kTroopRowHeight * row);
    }
    void press(UINT controlId)
    {
        testing_lib::clickCentre(button(controlId));
        testing_lib::pump();
    }
    std::vector<std::string> boxTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& box : harness::messageBoxes())
            texts.push_back(box.text);
        return texts;
    }
    std::string name(int index) { return std::string(world.unit(index).name, strnlen(world.unit(index).name, 34)); }

    TroopWorld world;
    GameState& s = world.state();
    int first = 0;
    int second = 0;
    TroopListWindow* list = nullptr;
};

} // namespace

TEST(UnitName, CutAtThirtyTwoBytesWithoutSplittingACharacterAndTerminated)
{
    UnitRecord unit {};
    std::memset(unit.name, 'x', sizeof unit.name);
    // 31 single bytes and a double-byte character: the character does not fit and goes whole.
    setUnitName(unit, std::string(31, 'a') + cp("隊"));
    EXPECT_EQ(std::string(unit.name), std::string(31, 'a'));
    setUnitName(unit, std::string(30, 'a') + cp("隊") + "b");
    EXPECT_EQ(std::string(unit.name), std::string(30, 'a') + cp("隊"));
    EXPECT_EQ(unit.name[32], '\0');
    EXPECT_EQ(unit.name[33], '\0');
    setUnitName(unit, "short");
    EXPECT_EQ(std::string(unit.name), "short");
    EXPECT_EQ(unit.name[6], '\0');
}

TEST_F(TroopCommands, ABlankNameIsRefusedAndAGoodOneStored)
{
    select(0);
    std::vector<std::string> boxesWhileOpen;
    bool openAfterBlank = false;
    LRESULT limit = 0;
    dialogtest::drive(cp("部隊名変更").c_str(), [&] {
        press(troop_list_id::kRename);
        return 0;
    }, [&](HWND dialog) {
        dialogtest::settle();
        HWND edit = GetDlgItem(dialog, int(unit_rename_id::kName));
        limit = SendMessageA(edit, EM_GETLIMITTEXT, 0, 0);
        // Full-width spaces only: refused, and the dialog stays.
        SetWindowTextA(edit, cp("　　 ").c_str());
        PostMessageA(dialog, WM_COMMAND, unit_rename_id::kOk, 0);
        dialogtest::settle();
        openAfterBlank = IsWindow(dialog) != FALSE;
        boxesWhileOpen = boxTexts();
        SetWindowTextA(edit, cp("第7偵察隊  ").c_str());
        PostMessageA(dialog, WM_COMMAND, unit_rename_id::kOk, 0);
        dialogtest::settle();
    });
    testing_lib::pump();
    EXPECT_EQ(limit, kUnitNameBytes);
    EXPECT_TRUE(openAfterBlank);
    ASSERT_EQ(boxesWhileOpen.size(), 1u);
    EXPECT_EQ(boxesWhileOpen[0], cp("部隊名が空白です。\n部隊名を入力してください。"));
    EXPECT_EQ(name(first), cp("第7偵察隊"));
    EXPECT_EQ(world.services.panelRefreshes, 1);
}

TEST_F(TroopCommands, CancelKeepsTheNameAndRenamingNeedsTheWait)
{
    select(0);
    dialogtest::drive(cp("部隊名変更").c_str(), [&] {
        press(troop_list_id::kRename);
        return 0;
    }, [&](HWND dialog) {
        dialogtest::settle();
        SetWindowTextA(GetDlgItem(dialog, int(unit_rename_id::kName)), "Other");
        PostMessageA(dialog, WM_COMMAND, unit_rename_id::kCancel, 0);
        dialogtest::settle();
    });
    EXPECT_EQ(name(first), "First");
    EXPECT_EQ(world.services.panelRefreshes, 0);
    // The button greys once the game stops waiting.
    s.handshake().setWaitingForAnswer(false);
    PostMessageA(list->handle(), ui_message::kTroopListUpdateButtons, 0, 0);
    testing_lib::pump();
    EXPECT_FALSE(IsWindowEnabled(button(troop_list_id::kRename)));
}

TEST_F(TroopCommands, InformationOpensTheChosenUnit)
{
    select(1);
    std::string title;
    dialogtest::drive(cp("部隊詳細情報").c_str(), [&] {
        press(troop_list_id::kInformation);
        return 0;
    }, [&](HWND dialog) {
        dialogtest::settle();
        title = windowText(dialog);
        PostMessageA(dialog, WM_RBUTTONDOWN, 0, 0);
        dialogtest::settle();
    });
    EXPECT_EQ(title, cp("部隊詳細情報"));
    // The modal window cleared the game's idle flag only while it was open.
    EXPECT_TRUE(s.modalIdle());
}

TEST_F(TroopCommands, TheThreeDisbandQuestions)
{
    // Each box answered by its default button, as Enter would: no, and nothing is disbanded.
    harness::setDefaultMessageBoxAnswer(0);
    select(0);
    press(troop_list_id::kDisband);
    world.unit(first).watchBits = 4;
    press(troop_list_id::kDisband);
    world.unit(first).watchBits = 0;
    // Only one unit left of the country.
    world.unit(second).stateLow = 0;
    PostMessageA(list->handle(), ui_message::kTroopListRefresh, 0, 0);
    testing_lib::pump();
    press(troop_list_id::kDisband);
    const std::vector<std::string> expected = { cp("部隊を解散します。\nよろしいですか？"),
        cp("部隊を解散します。\n勝敗条件が設定されていますがよろしいですか？"),
        cp("部隊を解散します。\n最後の部隊ですがよろしいですか？") };
    EXPECT_EQ(boxTexts(), expected);
    for (const auto& box : harness::messageBoxes())
        EXPECT_EQ(box.caption, cp("解散確認"));
    EXPECT_TRUE(unitInPlay(world.unit(first)));
}

TEST_F(TroopCommands, YesDisbandsTheUnit)
{
    harness::setDefaultMessageBoxAnswer(IDYES);
    select(1);
    ASSERT_TRUE(IsWindowEnabled(button(troop_list_id::kDisband)));
    press(troop_list_id::kDisband);
    EXPECT_FALSE(unitExists(world.unit(second)));
    EXPECT_TRUE(unitInPlay(world.unit(first)));
    EXPECT_EQ(windowText(GetDlgItem(list->handle(), int(troop_list_id::kCount))), cp("部隊数   1/ 30"));
    EXPECT_FALSE(IsWindowEnabled(button(troop_list_id::kDisband)));
}

TEST_F(TroopCommands, NoDisbandingDuringAUnitCommand)
{
    harness::setDefaultMessageBoxAnswer(IDYES);
    select(0);
    CurrentAction& action = currentAction(s);
    s.handshake().setUnitCommandBeingSet(true);
    action.beginAction(0, second);
    press(troop_list_id::kDisband);
    action.beginAction(0, first);
    press(troop_list_id::kDisband);
    const std::vector<std::string> expected = { cp("部隊行動処理中は、部隊表から解散を行うことはできません。"),
        cp("行動中の部隊は、部隊表から解散を行うことはできません。") };
    EXPECT_EQ(boxTexts(), expected);
    EXPECT_TRUE(unitInPlay(world.unit(first)));
    s.handshake().setUnitCommandBeingSet(false);
}

TEST_F(TroopCommands, TheWaitAndThePhaseAreTestedWhenTheCommandRuns)
{
    harness::setDefaultMessageBoxAnswer(IDYES);
    select(0);
    ASSERT_TRUE(IsWindowEnabled(button(troop_list_id::kDisband)));
    // The game moved on after the button was enabled; no refresh has reached the list yet.
    s.handshake().setWaitingForAnswer(false);
    press(troop_list_id::kDisband);
    s.handshake().setWaitingForAnswer(true);
    s.turnBlock().phase = 6;
    press(troop_list_id::kDisband);
    EXPECT_TRUE(boxTexts().empty());
    EXPECT_TRUE(unitInPlay(world.unit(first)));
}
