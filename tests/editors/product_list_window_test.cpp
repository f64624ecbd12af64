// The production-type list on the headless desktop: delete, copy through the copy dialog, import
// answering each of its results, export with the overwrite question, the weapon-list text, the
// buttons each mode offers for used and empty slots, and the closing gestures.
#include "editors/copy_source_dialog.h"
#include "editors/product_list_window.h"

#include "lib/profile.h"
#include "state/game_settings.h"
#include "state/user_production_file.h"
#include "tests/editors/product_world.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace editors_test;

namespace {

const std::string kTitles[] = { cp("生産タイプ編集"), cp("生産タイプ読込"), cp("生産タイプ書出") };
const std::string kCopyTitle = cp("生産タイプの複製");

struct ProductList : ::testing::Test {
    ProductWorld world;
    GameState& s = world.state();
    std::vector<int> land = world.typeIds(3);

    void SetUp() override
    {
        std::filesystem::create_directories(world.host("data"));
        world.setSlot(1, "mix", { land[0], land[1] });
        world.setSlot(3, "三番", { land[2] });
    }
    // Runs the window in the mode; the driver gets its handle. The window is closed afterwards
    // whatever the driver left.
    INT_PTR run(int mode, std::function<void(HWND, ProductListWindow&)> driver, ProductListWindow** seen = nullptr)
    {
        ProductListWindow window(world.context(), nullptr, mode);
        if (seen)
            *seen = &window;
        drive(kTitles[mode], [&] { return window.run(); }, [&](HWND list) {
            driver(list, window);
            if (IsWindow(list))
                PostMessageA(list, WM_CLOSE, 0, 0);
        });
        return window.result();
    }
    std::string dataFile(const std::string& name) const { return world.read("data/" + name); }
    std::string userPath() const
    {
        std::string folder;
        makeNamedValue("UserProductPath").profileReadString(folder);
        return folder;
    }
};

void clickRow(HWND list, int row)
{
    const POINT p = dialogtest::screenOf(list, 8 + 40, 36 + 20 * row + 10);
    harness::click(p.x, p.y);
    settle();
}

// Works the file dialog titled `title`: the name typed into its name box, then OK.
void answerFile(const char* utf8Title, const std::string& name)
{
    HWND dialog = dialogtest::waitForWindow(cp(utf8Title).c_str());
    ASSERT_NE(dialog, nullptr) << utf8Title;
    settle();
    SetDlgItemTextA(dialog, edt1, name.c_str());
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    settle();
}

std::string updFile(const ProductionTypeRecord& record)
{
    std::string bytes(kUserProductionMagic, kUserProductionMagicSize);
    const uint32_t size = sizeof record;
    bytes.append(reinterpret_cast<const char*>(&size), 4);
    bytes.append(reinterpret_cast<const char*>(&record), sizeof record);
    return bytes;
}

} // namespace

TEST_F(ProductList, DeleteAsksThenClearsTheSlotAndWritesTheTable)
{
    std::vector<bool> enabledOnUsed, enabledAfter;
    const INT_PTR result = run(0, [&](HWND list, ProductListWindow& window) {
        clickRow(list, 1);
        EXPECT_EQ(window.selectedRow(), 1);
        enabledOnUsed = { enabled(list, product_list_id::kDelete), enabled(list, product_list_id::kWeaponText), enabled(list, product_list_id::kCopy) };
        harness::queueMessageBoxAnswer(IDNO);
        clickControl(list, product_list_id::kDelete, 30);
        EXPECT_TRUE(window.summary(1).used()) << "No keeps the slot";
        harness::queueMessageBoxAnswer(IDYES);
        clickControl(list, product_list_id::kDelete, 30);
        enabledAfter = { enabled(list, product_list_id::kDelete), enabled(list, product_list_id::kWeaponText), enabled(list, product_list_id::kCopy) };
        EXPECT_FALSE(window.summary(1).used());
        clickControl(list, product_list_id::kClose, 30);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(enabledOnUsed, (std::vector<bool> { true, true, false }));
    EXPECT_EQ(enabledAfter, (std::vector<bool> { false, false, true }));
    const auto boxes = harness::messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, cp("生産タイプ[ mix ]を削除しますか？"));
    EXPECT_EQ(boxes[0].caption, cp("確認"));
    EXPECT_EQ(world.slot(1).name[0], 0);
    EXPECT_FALSE(world.slot(1).canProduce(land[0]));
    // The table file holds the cleared slot and the others as they were.
    const std::string table = world.read("productutype.dat");
    ASSERT_EQ(table.size(), 4 + 100 * sizeof(ProductionTypeRecord));
    EXPECT_EQ(table[4 + sizeof(ProductionTypeRecord)], 0);
    EXPECT_EQ(table.substr(4 + 3 * sizeof(ProductionTypeRecord), cp("三番").size()), cp("三番"));
}

TEST_F(ProductList, CopyTakesTheFirstListedTypeOrTheOneChosen)
{
    const ProductionTypeRecord& firstBuiltIn = s.builtinProductionTypes().front();
    ASSERT_NE(firstBuiltIn.name[0], 0);
    run(0, [&](HWND list, ProductListWindow& window) {
        // Slot 0 is empty: OK at once copies the row shown selected, the first built-in type.
        EXPECT_TRUE(enabled(list, product_list_id::kCopy));
        EXPECT_FALSE(enabled(list, product_list_id::kDelete));
        PostMessageA(list, WM_COMMAND, product_list_id::kCopy, 0);
        HWND copy = dialogtest::waitForWindow(kCopyTitle.c_str());
        ASSERT_NE(copy, nullptr);
        settle();
        clickControl(copy, copy_source_id::kOk, 30);
        EXPECT_TRUE(window.summary(0).used());
        EXPECT_TRUE(enabled(list, product_list_id::kDelete));
        EXPECT_FALSE(enabled(list, product_list_id::kCopy));

        // Slot 2: the last row of the copy dialog, user type "三番", double-clicked.
        clickRow(list, 2);
        clickControl(list, product_list_id::kCopy, 30);
        copy = dialogtest::waitForWindow(kCopyTitle.c_str());
        ASSERT_NE(copy, nullptr);
        settle();
        HWND rows = GetDlgItem(copy, copy_source_id::kList);
        const int count = int(SendMessageA(rows, LB_GETCOUNT, 0, 0));
        SendMessageA(rows, LB_SETTOPINDEX, WPARAM(count - 1), 0);
        RECT r {};
        SendMessageA(rows, LB_GETITEMRECT, WPARAM(count - 1), LPARAM(&r));
        const POINT p = dialogtest::screenOf(rows, 20, (r.top + r.bottom) / 2);
        harness::doubleClick(p.x, p.y);
        settle();
    });
    EXPECT_EQ(std::memcmp(&world.slot(0), &firstBuiltIn, sizeof firstBuiltIn), 0);
    EXPECT_EQ(std::string(world.slot(2).name), cp("三番"));
    EXPECT_TRUE(world.slot(2).canProduce(land[2]));
    EXPECT_EQ(world.read("productutype.dat").substr(4 + 2 * sizeof(ProductionTypeRecord), cp("三番").size()), cp("三番"));
}

TEST_F(ProductList, CopyDialogListsUsedTypesAndCancelsWithoutCopying)
{
    std::vector<int> numbers;
    run(0, [&](HWND list, ProductListWindow&) {
        clickControl(list, product_list_id::kCopy, 30);
        HWND copy = dialogtest::waitForWindow(kCopyTitle.c_str());
        ASSERT_NE(copy, nullptr);
        settle();
        EXPECT_EQ(int(SendMessageA(GetDlgItem(copy, copy_source_id::kList), LB_GETCOUNT, 0, 0)),
            int(copySourceNumbers(s).size()));
        rightClick(copy, 40, 230);
        EXPECT_FALSE(IsWindow(copy));
    });
    EXPECT_EQ(world.slot(0).name[0], 0);
}

TEST_F(ProductList, ImportAnswersEachResultAndKeepsTheFolder)
{
    world.write("data/bad.upd", "not a production-type file at all");
    ProductionTypeRecord unknown = ProductWorld::record("謎", { land[0] });
    unknown.setProducible(14999, true);
    world.write("data/unknown.upd", updFile(unknown));
    world.write("data/good.upd", updFile(ProductWorld::record("輸入", { land[0], land[3] })));
    std::vector<std::string> texts;
    run(1, [&](HWND list, ProductListWindow& window) {
        for (const char* file : { "bad.upd", "unknown.upd" }) {
            clickControl(list, product_list_id::kAction, 30);
            answerFile("ユーザ定義生産タイプ読込", file);
            EXPECT_FALSE(window.summary(0).used()) << file;
        }
        // A used slot asks first; No opens no file dialog.
        clickRow(list, 1);
        harness::queueMessageBoxAnswer(IDNO);
        clickControl(list, product_list_id::kAction, 30);
        clickRow(list, 0);
        clickControl(list, product_list_id::kAction, 30);
        answerFile("ユーザ定義生産タイプ読込", "good.upd");
        EXPECT_EQ(window.summary(0).total, 2u);
    });
    const auto boxes = harness::messageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, cp("選択されたファイルはユーザ定義生産タイプデータではありません。"));
    EXPECT_EQ(boxes[0].caption, cp("警告"));
    EXPECT_EQ(boxes[1].text, cp("本製品に含まれていない兵器データが使用されています。"));
    EXPECT_EQ(boxes[2].text, cp("既存の生産タイプに上書きしますか？"));
    EXPECT_EQ(std::string(world.slot(0).name), cp("輸入"));
    EXPECT_EQ(std::string(world.slot(1).name), "mix");
    EXPECT_EQ(world.read("productutype.dat").substr(4, 4), cp("輸入"));
    EXPECT_EQ(userPath(), platform::gamePathFromHost(world.host("data")) + "\\");
}

TEST_F(ProductList, ExportAddsTheExtensionAndAsksBeforeOverwriting)
{
    world.write("data/kept.upd", "old");
    bool offeredOnEmpty = true;
    run(2, [&](HWND list, ProductListWindow&) {
        offeredOnEmpty = enabled(list, product_list_id::kAction);
        clickRow(list, 1);
        clickControl(list, product_list_id::kAction, 30);
        answerFile("ユーザ定義生産タイプ書出", "fresh");
        harness::queueMessageBoxAnswer(IDNO);
        clickControl(list, product_list_id::kAction, 30);
        answerFile("ユーザ定義生産タイプ書出", "kept.upd");
    });
    EXPECT_FALSE(offeredOnEmpty) << "slot 0 is empty when the window opens";
    const std::string fresh = dataFile("fresh.upd");
    ASSERT_GE(fresh.size(), kUserProductionHeadSize);
    EXPECT_EQ(fresh.substr(0, kUserProductionMagicSize), std::string(kUserProductionMagic, kUserProductionMagicSize));
    EXPECT_EQ(fresh.substr(20, 3), "mix");
    EXPECT_EQ(dataFile("kept.upd"), "old");
    const auto boxes = harness::messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, cp("同じ名前のファイルが存在しています。\n上書きしますか？"));
    EXPECT_EQ(userPath(), platform::gamePathFromHost(world.host("data")) + "\\");
}

TEST_F(ProductList, WeaponTextIsWrittenUnderTheTypesName)
{
    world.write("data/mix.txt", "old");
    run(0, [&](HWND list, ProductListWindow&) {
        clickRow(list, 1);
        harness::queueMessageBoxAnswer(IDYES);
        clickControl(list, product_list_id::kWeaponText, 40);
        HWND dialog = dialogtest::waitForWindow(cp("兵器リストの出力").c_str());
        ASSERT_NE(dialog, nullptr);
        settle();
        char proposed[MAX_PATH] = {};
        GetDlgItemTextA(dialog, edt1, proposed, sizeof proposed);
        EXPECT_STREQ(proposed, "mix.txt");
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        settle();
    });
    EXPECT_EQ(dataFile("mix.txt"), weaponListText(s, world.slot(1)));
    EXPECT_NE(dataFile("mix.txt").find("\r\n"), std::string::npos);
    ASSERT_EQ(harness::messageBoxes().size(), 1u) << "the overwrite question";
}

TEST_F(ProductList, ModesOfferTheirButtonsAndRightClicksAnswerZero)
{
    run(1, [&](HWND list, ProductListWindow&) {
        EXPECT_TRUE(enabled(list, product_list_id::kAction));
        EXPECT_EQ(control(list, product_list_id::kDelete), nullptr);
        EXPECT_EQ(control(list, product_list_id::kCopy), nullptr);
    });
    EXPECT_EQ(run(0, [](HWND list, ProductListWindow&) { rightClick(list, 250, 12); }), 0);
    EXPECT_EQ(run(2, [](HWND list, ProductListWindow&) { rightClick(list, 60, 50); }), 0) << "on the list";
    EXPECT_EQ(run(2, [](HWND list, ProductListWindow&) { clickControl(list, product_list_id::kClose, 30); }), 1);
    EXPECT_TRUE(harness::messageBoxes().empty());
}
