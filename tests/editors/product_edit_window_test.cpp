// The production-type editor on the headless desktop: loading without a change, the domain and
// class filters, sorting by the buttons, adding and removing rows with the top row kept, the
// totals, the blank name refused, saving the table file, the unit information request and the
// question before unsaved changes are dropped.
#include "editors/product_edit_window.h"
#include "editors/product_list_window.h"

#include "state/unit_type_sort.h"
#include "tests/editors/product_world.h"
#include "ui/private_messages.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace editors_test;

namespace {

const std::string kEditorTitle = cp("生産タイプエディタ");

// A popup in the main window's place that keeps the user messages posted to it.
class Owner : public swCWindow {
public:
    Owner()
        : swCWindow("ProductTestOwner")
    {
        setStyle(WS_POPUP | WS_VISIBLE);
        setFrame(0, 0, 1000, 740);
        Create();
    }
    int OnMessage(MessageRecord& msg) override
    {
        if (msg.message < WM_USER || msg.message >= WM_USER + 1000)
            return 0;
        posted.push_back({ msg.message, msg.wParam });
        return 1;
    }
    std::vector<std::pair<UINT, WPARAM>> posted;
};

struct ProductEdit : ::testing::Test {
    ProductWorld world;
    GameState& s = world.state();
    std::vector<int> all = world.typeIds();
    Owner owner;

    void SetUp() override
    {
        ASSERT_GE(all.size(), 20u);
        world.setSlot(5, "five", { all[0], all[1], all[2] });
    }
    INT_PTR run(int row, std::function<void(HWND, ProductEditWindow&)> driver)
    {
        ProductEditWindow window(world.context(), &owner, row);
        drive(kEditorTitle, [&] { return window.run(); }, [&](HWND editor) {
            driver(editor, window);
            if (IsWindow(editor)) {
                harness::setDefaultMessageBoxAnswer(IDYES);
                PostMessageA(editor, WM_CLOSE, 0, 0);
            }
        });
        harness::setDefaultMessageBoxAnswer(0);
        return window.result();
    }
};

HWND listOf(HWND editor, EditSide side) { return GetDlgItem(editor, side == EditSide::Right ? product_edit_id::kRightList : product_edit_id::kLeftList); }

int rows(HWND editor, EditSide side) { return int(SendMessageA(listOf(editor, side), LB_GETCOUNT, 0, 0)); }
int top(HWND editor, EditSide side) { return int(SendMessageA(listOf(editor, side), LB_GETTOPINDEX, 0, 0)); }

std::vector<int> shownIds(HWND editor, EditSide side)
{
    std::vector<int> ids;
    for (int i = 0; i < rows(editor, side); ++i)
        ids.push_back(int(SendMessageA(listOf(editor, side), LB_GETITEMDATA, WPARAM(i), 0)) - 1);
    return ids;
}

// A click on the row as it stands in the list now.
void clickRow(HWND editor, EditSide side, int row, bool shift = false)
{
    HWND list = listOf(editor, side);
    const int y = 18 * (row - int(SendMessageA(list, LB_GETTOPINDEX, 0, 0))) + 9;
    const POINT p = dialogtest::screenOf(list, 150, y);
    if (shift)
        harness::keyDown(VK_SHIFT);
    harness::click(p.x, p.y);
    if (shift)
        harness::keyUp(VK_SHIFT);
    settle();
}

} // namespace

TEST_F(ProductEdit, OpensUnchangedAndTheDomainAndClassFiltersEmptyTheListsOnly)
{
    std::vector<std::string> texts;
    run(5, [&](HWND editor, ProductEditWindow& window) {
        char name[32] = {};
        GetDlgItemTextA(editor, product_edit_id::kName, name, sizeof name);
        EXPECT_STREQ(name, "five");
        EXPECT_FALSE(window.modified()) << "loading the name is no edit";
        EXPECT_FALSE(enabled(editor, product_edit_id::kSave));
        EXPECT_FALSE(enabled(editor, product_edit_id::kAdd));
        EXPECT_FALSE(enabled(editor, product_edit_id::kUnitInfo));
        EXPECT_EQ(rows(editor, EditSide::Right), 3);
        EXPECT_EQ(rows(editor, EditSide::Left) + 3, int(window.model().ids(EditSide::Left).size()) + 3);
        const ProductEditTotals totals = window.model().totals();
        for (int d = 0; d < kDomainCount; ++d)
            clickControl(editor, product_edit_id::kFirstDomain + d, 20);
        EXPECT_EQ(rows(editor, EditSide::Right), 0);
        EXPECT_EQ(rows(editor, EditSide::Left), 0);
        EXPECT_EQ(window.model().totals().count, totals.count);
        EXPECT_FALSE(window.modified());

        // Land back on, then one class only, in a filter whose field is light, not the window's
        // dark background.
        clickControl(editor, product_edit_id::kFirstDomain + 3, 20);
        const int landClass = s.unitTypeRecord(all[1]).unitClass;
        HWND combo = GetDlgItem(editor, product_edit_id::kClassFilter);
        RECT field {};
        GetWindowRect(combo, &field);
        const harness::Image shown = harness::readRect(field);
        const int light = int(std::count_if(shown.pixels.begin(), shown.pixels.end(), [](uint32_t p) {
            return (p & 0xFF) + (p >> 8 & 0xFF) + (p >> 16 & 0xFF) > 3 * 160;
        }));
        EXPECT_GT(light, int(shown.pixels.size()) / 2);
        const int count = int(SendMessageA(combo, CB_GETCOUNT, 0, 0));
        EXPECT_EQ(count, 1 + kUnitClassCount - 1) << "every class but the warheads";
        for (int i = 0; i < count; ++i)
            if (int(SendMessageA(combo, CB_GETITEMDATA, WPARAM(i), 0)) == landClass)
                SendMessageA(combo, CB_SETCURSEL, WPARAM(i), 0);
        SendMessageA(editor, WM_COMMAND, MAKEWPARAM(product_edit_id::kClassFilter, CBN_SELCHANGE), LPARAM(combo));
        settle();
        for (EditSide side : { EditSide::Right, EditSide::Left })
            for (int shown : shownIds(editor, side))
                EXPECT_EQ(s.unitTypeRecord(shown).unitClass, landClass);
        EXPECT_EQ(shownIds(editor, EditSide::Right), std::vector<int> { all[1] });
    });
}

TEST_F(ProductEdit, SortButtonsOrderReverseAndResetTheirList)
{
    run(5, [&](HWND editor, ProductEditWindow&) {
        const std::vector<int> left = shownIds(editor, EditSide::Left);
        EXPECT_EQ(left, sortedBy(left, s, unitTypeLessByClass));
        clickControl(editor, product_edit_id::kLeftByCost, 20);
        const std::vector<int> byCost = sortedBy(left, s, unitTypeLessByCost);
        EXPECT_EQ(shownIds(editor, EditSide::Left), byCost);
        clickControl(editor, product_edit_id::kLeftByCost, 20);
        EXPECT_EQ(shownIds(editor, EditSide::Left), std::vector<int>(byCost.rbegin(), byCost.rend()));
        clickControl(editor, product_edit_id::kLeftByName, 20);
        EXPECT_EQ(shownIds(editor, EditSide::Left), sortedBy(left, s, unitTypeLessByName));
        clickControl(editor, product_edit_id::kRightByName, 20);
        const std::vector<int> right = shownIds(editor, EditSide::Right);
        EXPECT_EQ(right, sortedBy(right, s, unitTypeLessByName));
        clickControl(editor, product_edit_id::kRightByName, 20);
        EXPECT_EQ(shownIds(editor, EditSide::Right), std::vector<int>(right.rbegin(), right.rend()));
    });
}

TEST_F(ProductEdit, AddingAndRemovingManyRowsKeepsTheTopRowAndTheTotals)
{
    // The warheads made available too: more than a full list and three rows.
    for (int id = 1; id < kUnitTypeIdMapSize; ++id)
        if (s.unitTypeIndex(id) && s.unitTypeRecord(id).unitClass == kWarheadClass)
            world.editType(id).available = 1;
    ProductionTypeRecord everything = ProductWorld::record("all", world.typeIds());
    s.setUserProductionType(6, everything);
    run(6, [&](HWND editor, ProductEditWindow& window) {
        const int count = rows(editor, EditSide::Right);
        // From this top exactly 20 rows remain once two have gone.
        const int kept = count - 22;
        ASSERT_GE(kept, 1);
        ASSERT_LE(kept, 5);
        EXPECT_EQ(rows(editor, EditSide::Left), 0);
        SendMessageA(listOf(editor, EditSide::Right), LB_SETTOPINDEX, WPARAM(kept), 0);
        settle();
        // Two rows out at once: 20 rows remain from the top, which stays.
        clickRow(editor, EditSide::Right, 5);
        EXPECT_EQ(window.activeList(), 0);
        EXPECT_TRUE(enabled(editor, product_edit_id::kRemove));
        EXPECT_TRUE(enabled(editor, product_edit_id::kUnitInfo));
        clickRow(editor, EditSide::Right, 6, true);
        clickControl(editor, product_edit_id::kRemove, 40);
        EXPECT_EQ(rows(editor, EditSide::Right), count - 2);
        EXPECT_EQ(top(editor, EditSide::Right), kept);
        EXPECT_EQ(window.activeList(), -1);
        EXPECT_TRUE(window.modified());
        EXPECT_TRUE(enabled(editor, product_edit_id::kSave));
        EXPECT_EQ(rows(editor, EditSide::Left), 2);
        EXPECT_EQ(shownIds(editor, EditSide::Left), sortedBy(shownIds(editor, EditSide::Left), s, unitTypeLessByClass));
        EXPECT_EQ(int(window.model().totals().count[0]), count - 2);
        // One more: fewer than 20 would remain from that top, so the list shows its last 20.
        clickRow(editor, EditSide::Right, 6);
        clickControl(editor, product_edit_id::kRemove, 40);
        EXPECT_EQ(top(editor, EditSide::Right), kept - 1);

        // Everything else out: the rows move together and the right list is empty.
        SendMessageA(listOf(editor, EditSide::Right), LB_SETTOPINDEX, 0, 0);
        clickRow(editor, EditSide::Right, 0);
        harness::keyDown(VK_SHIFT);
        harness::pressKey(VK_END);
        harness::keyUp(VK_SHIFT);
        settle();
        clickControl(editor, product_edit_id::kRemove, 40);
        EXPECT_EQ(rows(editor, EditSide::Right), 0);
        EXPECT_EQ(window.model().totals().count[0], 0u);
        EXPECT_EQ(shownIds(editor, EditSide::Left), sortedBy(shownIds(editor, EditSide::Left), s, unitTypeLessByClass));

        // A double click on the left adds that row back.
        const int first = shownIds(editor, EditSide::Left).front();
        const POINT p = dialogtest::screenOf(listOf(editor, EditSide::Left), 150, 9);
        harness::doubleClick(p.x, p.y);
        settle();
        EXPECT_EQ(shownIds(editor, EditSide::Right), std::vector<int> { first });
    });
    EXPECT_EQ(std::memcmp(&world.slot(6), &everything, sizeof everything), 0) << "nothing stored without saving";
}

TEST_F(ProductEdit, BlankNameIsRefusedAndSaveWritesTheTable)
{
    run(5, [&](HWND editor, ProductEditWindow& window) {
        SetDlgItemTextA(editor, product_edit_id::kName, cp(" 　").c_str());
        settle();
        EXPECT_TRUE(window.modified()) << "an edit of the name";
        clickRow(editor, EditSide::Left, 0);
        clickControl(editor, product_edit_id::kAdd, 40);
        clickControl(editor, product_edit_id::kSave, 40);
        EXPECT_TRUE(window.modified());
        EXPECT_EQ(world.slot(5).name, std::string("five"));
        SetDlgItemTextA(editor, product_edit_id::kName, cp("新型　 ").c_str());
        clickControl(editor, product_edit_id::kSave, 40);
        EXPECT_FALSE(window.modified());
        EXPECT_FALSE(enabled(editor, product_edit_id::kSave));
    });
    const auto boxes = harness::messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, cp("生産タイプ名を入力してください。"));
    EXPECT_EQ(boxes[0].caption, cp("注意"));
    EXPECT_EQ(std::string(world.slot(5).name), cp("新型"));
    EXPECT_EQ(int(productEditTotals(s, world.slot(5)).count[0]), 4);
    const std::string table = world.read("productutype.dat");
    ASSERT_EQ(table.size(), 4 + 100 * sizeof(ProductionTypeRecord));
    EXPECT_EQ(table.substr(4 + 5 * sizeof(ProductionTypeRecord), cp("新型").size() + 1), cp("新型") + '\0');
}

TEST_F(ProductEdit, UnitInformationGoesToTheMainWindow)
{
    int shown = 0;
    run(5, [&](HWND editor, ProductEditWindow&) {
        clickRow(editor, EditSide::Left, 1);
        shown = shownIds(editor, EditSide::Left)[1];
        clickControl(editor, product_edit_id::kUnitInfo, 40);
    });
    ASSERT_EQ(owner.posted.size(), 1u);
    EXPECT_EQ(owner.posted[0].first, UINT(ui_message::kWeaponInfo));
    EXPECT_EQ(int(owner.posted[0].second), shown);
}

TEST_F(ProductEdit, UnsavedChangesAreAskedAboutOnEveryClose)
{
    // Unchanged: the close button answers 1 and a right click 0, neither asks.
    EXPECT_EQ(run(5, [](HWND editor, ProductEditWindow&) { clickControl(editor, product_edit_id::kClose, 40); }), 1);
    EXPECT_EQ(run(5, [](HWND editor, ProductEditWindow&) { rightClick(editor, 700, 20); }), 0);
    EXPECT_TRUE(harness::messageBoxes().empty());

    bool openAfterNo = false;
    EXPECT_EQ(run(5, [&](HWND editor, ProductEditWindow&) {
        clickRow(editor, EditSide::Right, 0);
        clickControl(editor, product_edit_id::kRemove, 40);
        harness::queueMessageBoxAnswer(IDNO);
        clickControl(editor, product_edit_id::kClose, 40);
        openAfterNo = IsWindow(editor) != FALSE;
        harness::queueMessageBoxAnswer(IDYES);
        clickControl(editor, product_edit_id::kClose, 40);
    }), 1);
    EXPECT_TRUE(openAfterNo);
    EXPECT_EQ(run(5, [&](HWND editor, ProductEditWindow&) {
        clickRow(editor, EditSide::Right, 0);
        clickControl(editor, product_edit_id::kRemove, 40);
        harness::queueMessageBoxAnswer(IDYES);
        rightClick(editor, 700, 20);
    }), 0);
    // The program's close asks as the editor's own close does; the editor stays for the program to end.
    std::vector<LRESULT> mayEnd;
    EXPECT_EQ(run(5, [&](HWND editor, ProductEditWindow&) {
        mayEnd.push_back(SendMessageA(editor, WM_QUERYENDSESSION, 0, 0));
        clickRow(editor, EditSide::Right, 0);
        clickControl(editor, product_edit_id::kRemove, 40);
        harness::queueMessageBoxAnswer(IDNO);
        mayEnd.push_back(SendMessageA(editor, WM_QUERYENDSESSION, 0, 0));
        harness::queueMessageBoxAnswer(IDYES);
        mayEnd.push_back(SendMessageA(editor, WM_QUERYENDSESSION, 0, 0));
        openAfterNo = IsWindow(editor) != FALSE;
        harness::queueMessageBoxAnswer(IDYES);
        clickControl(editor, product_edit_id::kClose, 40);
    }), 1);
    EXPECT_EQ(mayEnd, (std::vector<LRESULT> { TRUE, FALSE, TRUE })) << "unchanged unasked, then no, then yes";
    EXPECT_TRUE(openAfterNo);
    const auto boxes = harness::messageBoxes();
    ASSERT_EQ(boxes.size(), 6u);
    for (const auto& box : boxes) {
        EXPECT_EQ(box.text, cp("保存されていない生産タイプですが、編集を終了してよろしいですか？"));
        EXPECT_EQ(box.caption, cp("確認"));
        EXPECT_EQ(box.style & MB_DEFMASK, UINT(MB_DEFBUTTON2));
    }
    EXPECT_TRUE(world.slot(5).canProduce(all[0])) << "dropped, not stored";
}

// Saved, then closed by a right click (result 0): the list's row shows the saved type anyway.
TEST_F(ProductEdit, TheListRowFollowsASaveWhateverTheEditorAnswers)
{
    ProductListWindow list(world.context(), &owner, 0);
    drive(cp("生産タイプ編集"), [&] { return list.run(); }, [&](HWND window) {
        const POINT row = dialogtest::screenOf(window, 48, 36 + 20 * 5 + 10);
        harness::doubleClick(row.x, row.y);
        HWND editor = dialogtest::waitForWindow(kEditorTitle.c_str());
        ASSERT_NE(editor, nullptr);
        settle();
        clickRow(editor, EditSide::Right, 0);
        clickControl(editor, product_edit_id::kRemove, 40);
        clickControl(editor, product_edit_id::kSave, 40);
        rightClick(editor, 700, 20);
        EXPECT_FALSE(IsWindow(editor));
        EXPECT_EQ(list.summary(5).total, 2u);
        PostMessageA(window, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(productEditTotals(s, world.slot(5)).count[0], 2u);
}

TEST_F(ProductEdit, NameBoxRefusesPathCharactersAndKeepsFourteenWholeBytes)
{
    std::string typed;
    run(0, [&](HWND editor, ProductEditWindow& window) {
        clickControl(editor, product_edit_id::kName, 20);
        harness::typeText("a.b/c:d*e?");
        settle();
        EXPECT_TRUE(window.modified());
        SetDlgItemTextA(editor, product_edit_id::kName, "");
        clickControl(editor, product_edit_id::kName, 20);
        harness::typeText("abcあいうえおかきく");
        settle();
        char name[32] = {};
        GetDlgItemTextA(editor, product_edit_id::kName, name, sizeof name);
        typed = name;
        SetDlgItemTextA(editor, product_edit_id::kName, "abcde");
        clickControl(editor, product_edit_id::kName, 20);
        harness::pressKey(VK_END);
        harness::typeText("<>|\"\\;z");
        settle();
        GetDlgItemTextA(editor, product_edit_id::kName, name, sizeof name);
        EXPECT_STREQ(name, "abcdez");
    });
    // Three bytes and five double-byte characters: a sixth would cut one in half.
    EXPECT_EQ(typed, cp("abcあいうえお"));
}

// The rows are drawn over the window's striped background, so after any scroll each row shows
// the stripe of the place it now stands on.
TEST_F(ProductEdit, EveryScrollRepaintsTheRowsOverTheirNewPlace)
{
    for (int id = 1; id < kUnitTypeIdMapSize; ++id)
        if (s.unitTypeIndex(id) && s.unitTypeRecord(id).unitClass == kWarheadClass)
            world.editType(id).available = 1;
    s.setUserProductionType(6, ProductWorld::record("all", world.typeIds()));
    run(6, [&](HWND editor, ProductEditWindow&) {
        HWND list = listOf(editor, EditSide::Right);
        // A pixel near the end of row 0 where no text stands, read off the screen.
        auto rowPixel = [&](int row) {
            const POINT p = dialogtest::screenOf(list, 316, 18 * row + 16);
            return harness::readRect({ p.x, p.y, p.x + 1, p.y + 1 }).at(0, 0) & 0xFFFFFF;
        };
        const uint32_t even = rowPixel(2), odd = rowPixel(1);
        ASSERT_NE(even, odd);
        auto expectPlaced = [&](const char* how) {
            settle();
            EXPECT_EQ(rowPixel(2), even) << how;
            EXPECT_EQ(rowPixel(1), odd) << how;
        };
        // The wheel turns the list that has the focus.
        clickRow(editor, EditSide::Right, 0);
        const POINT middle = dialogtest::screenOf(list, 150, 100);
        harness::wheel(middle.x, middle.y, -120);
        expectPlaced("wheel");
        ASSERT_GT(top(editor, EditSide::Right), 0);
        SendMessageA(list, LB_SETTOPINDEX, 1, 0);
        expectPlaced("top index");
        clickRow(editor, EditSide::Right, 1);
        harness::pressKey(VK_NEXT);
        expectPlaced("page down");
        harness::pressKey(VK_HOME);
        expectPlaced("home");
        EXPECT_EQ(top(editor, EditSide::Right), 0);
    });
}
