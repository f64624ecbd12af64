// The save dialog with preview: the panel fitted under the common dialog, the preview of a
// highlighted saved game, the cleared panel for other files, and the overwrite question.
#include "dialogs/game_file_dialog.h"

#include "dialogs/map_facility_table.h"
#include "dialogs/map_thumbnail.h"
#include "state/saved_game_file.h"
#include "tests/dialogs/dialog_helpers.h"
#include "tests/dialogs/dialog_test_world.h"
#include "tests/platform/commdlg/dialog_driver.h"

#include <gtest/gtest.h>

using namespace testing_dialogs;
namespace harness = platform::harness;

namespace {

using dialog_helpers::cp;

const char* const kSaveTitle = "名前を付けてｹﾞｰﾑを保存";

int fileRowOf(HWND dialog, const std::string& name)
{
    HWND list = GetDlgItem(dialog, lst1);
    const int n = int(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        char text[MAX_PATH] = {};
        SendMessageA(list, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
        if (name == text)
            return i;
    }
    return -1;
}

void clickFileRow(HWND dialog, const std::string& name)
{
    HWND list = GetDlgItem(dialog, lst1);
    const int row = fileRowOf(dialog, name);
    ASSERT_GE(row, 0) << name;
    RECT r {};
    SendMessageA(list, LB_GETITEMRECT, WPARAM(row), reinterpret_cast<LPARAM>(&r));
    const POINT at = dialogtest::screenOf(list, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    harness::click(at.x, at.y);
    dialogtest::settle();
}

std::string panelText(HWND hook, int id)
{
    char text[256] = {};
    GetDlgItemTextA(hook, id, text, sizeof text);
    return text;
}

struct SaveWorld : MapFilesWorld {
    SaveWorld()
    {
        harness::clearMessageBoxes();
        std::filesystem::create_directories(host("saves"));
        state().turnBlock().turn = 6;
        state().turnBlock().currentCountry = 2;
        std::memcpy(reinterpret_cast<uint8_t*>(&state().mapHeader()) + 538, "hill", 5);
        EXPECT_TRUE(saveGameFile(state(), gamePath("saves/a.wqm").c_str(), false));
        writeMap("saves/m.vtm", MapFacts {});
        write("saves/notes.txt", "text");
    }
};

TEST(GameFileDialog, PanelFitsUnderTheDialogPreviewsSavesAndClearsForOtherFiles)
{
    SaveWorld world;
    world.state().setModalIdle(true);
    int answer = -1;
    {
        GameFileDialog dialog(makeWindowContext(world.state()), nullptr);
        EXPECT_FALSE(world.state().modalIdle());
        answer = dialogtest::drive(cp(kSaveTitle).c_str(), [&] { return dialog.runSaveDialog(world.gamePath("saves"), 0, "", 0); },
            [&](HWND h) {
                waitUntilShown(h);
                ASSERT_NE(dialog.thumbnail(), nullptr);
                HWND hook = GetParent(dialog.thumbnail()->handle());
                RECT area {};
                GetClientRect(hook, &area);
                EXPECT_EQ(area.right, 510);
                EXPECT_EQ(area.bottom, 170);
                RECT client {};
                GetClientRect(h, &client);
                EXPECT_EQ(client.right, 510) << "the platform fits the frame around the panel";
                EXPECT_GE(client.bottom, 170 + 200);
                RECT placed {};
                GetWindowRect(hook, &placed);
                POINT corner { placed.left, placed.top };
                ScreenToClient(h, &corner);
                EXPECT_EQ(client.bottom - corner.y, 170) << "the panel is the dialog's bottom";

                clickFileRow(h, "a.wqm");
                EXPECT_EQ(panelText(hook, 1000), cp("マップ名：") + "hill");
                const GameState& s = world.state();
                EXPECT_EQ(panelText(hook, 1008), cp("サイズ：") + std::to_string(s.mapWidth()) + "x" + std::to_string(s.mapHeight()));
                const std::string data = panelText(hook, 1013);
                EXPECT_NE(data.find(cp("ターン：6\r\n担　当：GREEN")), std::string::npos) << data;
                EXPECT_EQ(dialog.thumbnail()->ready, 1);
                EXPECT_NE(pixelOf(dialog.thumbnail()->picture(), 72, 72), 0u);
                RECT frame {};
                GetWindowRect(h, &frame);
                if (const char* shots = std::getenv("DERAZODO_SHOTS"))
                    harness::writePng(harness::readRect(frame), std::string(shots) + "/game_save_preview.png");

                // A map of this mode passes the name test, is read as a save, fails and clears.
                SetDlgItemTextA(h, edt1, "*.*");
                PostMessageA(h, WM_COMMAND, IDOK, 0);
                dialogtest::settle();
                clickFileRow(h, "m.vtm");
                EXPECT_EQ(panelText(hook, 1000), cp("マップ名："));
                EXPECT_EQ(panelText(hook, 1008), cp("サイズ："));
                EXPECT_EQ(panelText(hook, 1013), "");
                EXPECT_EQ(dialog.thumbnail()->ready, 0);
                clickFileRow(h, "a.wqm");
                EXPECT_EQ(dialog.thumbnail()->ready, 1);
                clickFileRow(h, "notes.txt");
                EXPECT_EQ(panelText(hook, 1013), "") << "another extension clears the panel";
                EXPECT_EQ(pixelOf(dialog.thumbnail()->picture(), 72, 72), 0u);
            });
    }
    EXPECT_EQ(answer, 0);
    EXPECT_TRUE(world.state().modalIdle());
}

TEST(GameFileDialog, AsksBeforeOverwritingAndAddsTheExtensionOfTheGameKind)
{
    SaveWorld world;
    auto save = [&](const char* name, int kind, GameFileDialog& dialog) {
        return dialogtest::drive(cp(kSaveTitle).c_str(), [&] { return dialog.runSaveDialog(world.gamePath("saves"), 0, "", kind); },
            [&](HWND h) {
                waitUntilShown(h);
                SetDlgItemTextA(h, edt1, name);
                harness::pressKey(VK_RETURN);
                dialogtest::settle();
            });
    };
    {
        GameFileDialog dialog(makeWindowContext(world.state()), nullptr);
        harness::queueMessageBoxAnswer(IDNO);
        EXPECT_EQ(save("a.wqm", 0, dialog), 0) << "No answers 0";
        const auto boxes = harness::messageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, cp("確認"));
        EXPECT_EQ(boxes[0].text, cp("同じ名前のファイルが存在しています。\n上書きしますか？"));
        EXPECT_EQ(boxes[0].style & MB_YESNO, UINT(MB_YESNO));
    }
    {
        GameFileDialog dialog(makeWindowContext(world.state()), nullptr);
        harness::queueMessageBoxAnswer(IDYES);
        EXPECT_EQ(save("a.wqm", 0, dialog), 1);
        EXPECT_EQ(dialog.chosenPath(), world.gamePath("saves") + "\\a.wqm");
        EXPECT_EQ(dialog.chosenFolder(), world.gamePath("saves") + "\\");
    }
    {
        harness::clearMessageBoxes();
        GameFileDialog dialog(makeWindowContext(world.state()), nullptr);
        EXPECT_EQ(save("fresh", 2, dialog), 1);
        EXPECT_EQ(dialog.chosenPath(), world.gamePath("saves") + "\\fresh.wqs") << "a scenario's saves";
        EXPECT_TRUE(harness::messageBoxes().empty()) << "a new file is not asked about";
    }
}

} // namespace
