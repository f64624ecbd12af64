// The history window on the headless desktop: the page choices, the incremental listing and its
// rebuilds, the kind filter of the display-item window, the export of every turn, the export
// button's phase, and the column widths the person drags.
#include "infowin/action_history_window.h"

#include "infowin/action_history_list_view.h"
#include "infowin/action_history_option_dialog.h"
#include "lib/list_view.h"
#include "platform/kernel/host.h"
#include "state/action_history.h"
#include "state/game_settings.h"
#include "tests/infowin/info_world.h"
#include "ui/private_messages.h"

#include <cstring>
#include <filesystem>

using namespace info_test;

namespace {

class HistoryWindow : public ::testing::Test {
protected:
    HistoryWindow()
    {
        s.settings().historyOption = -1;
        s.turnBlock().viewingCountry = 8;
        for (const UnitTypeRecord& type : s.unitTypes())
            if (type.available == 1 && typeId == 0)
                typeId = type.id;
    }

    void add(int turn, int kind, uint8_t sideMask = 0xFF)
    {
        HistoryRecord r {};
        r.kind = uint16_t(kind);
        r.turn = uint16_t(turn);
        r.x = uint8_t(turn);
        r.y = 1;
        r.type0 = uint16_t(typeId);
        r.sideMask = sideMask;
        r.seen0 = 0xFF;
        std::snprintf(r.unit0, sizeof r.unit0, "U%d", turn);
        s.historyLog().append(r);
    }
    void open(int turn)
    {
        s.turnBlock().turn = uint16_t(turn);
        window = ActionHistoryWindow::open(info.context(), &info.owner);
        ASSERT_NE(window, nullptr);
        handle = window->handle();
        testing_lib::pump();
    }
    std::vector<int> listedTurns() const
    {
        std::vector<int> turns;
        for (int i = 0; i < window->listView()->itemCount(); ++i)
            turns.push_back(s.historyRecord(uint32_t(window->listView()->itemRecord(i)))->turn);
        return turns;
    }
    std::vector<std::string> pageChoices() const
    {
        HWND combo = GetDlgItem(handle, int(action_history_id::kPage));
        std::vector<std::string> texts;
        for (int i = 0; i < int(SendMessageA(combo, CB_GETCOUNT, 0, 0)); ++i) {
            char text[64] = {};
            SendMessageA(combo, CB_GETLBTEXT, WPARAM(i), LPARAM(text));
            texts.push_back(text);
        }
        return texts;
    }
    int selectedPage() const { return int(SendMessageA(GetDlgItem(handle, int(action_history_id::kPage)), CB_GETCURSEL, 0, 0)); }
    void choosePage(int page)
    {
        SendMessageA(GetDlgItem(handle, int(action_history_id::kPage)), CB_SETCURSEL, WPARAM(page), 0);
        SendMessageA(handle, WM_COMMAND, MAKEWPARAM(action_history_id::kPage, CBN_SELCHANGE), LPARAM(GetDlgItem(handle, int(action_history_id::kPage))));
        testing_lib::pump();
    }
    void refresh()
    {
        PostMessageA(handle, ui_message::kHistoryRefresh, 0, 0);
        testing_lib::pump();
    }

    InfoWorld info;
    GameState& s = info.state();
    int typeId = 0;
    ActionHistoryWindow* window = nullptr;
    HWND handle = nullptr;
};

} // namespace

TEST_F(HistoryWindow, PageChoicesFollowTheTurn)
{
    add(3, 0);
    add(12, 0);
    add(21, 0);
    add(25, 0);
    open(25);
    EXPECT_EQ(pageChoices(), std::vector<std::string>({ platform::utf8ToCp932("001-009ターン"),
                                 platform::utf8ToCp932("010-019ターン"), platform::utf8ToCp932("020-025ターン") }));
    EXPECT_EQ(selectedPage(), 2);
    EXPECT_EQ(listedTurns(), std::vector<int>({ 21, 25 }));
    choosePage(0);
    EXPECT_EQ(window->page(), 0);
    EXPECT_EQ(listedTurns(), std::vector<int>({ 3 }));
    // A new turn moves to the page that holds it and lists from the start.
    s.turnBlock().turn = 30;
    add(30, 0);
    refresh();
    EXPECT_EQ(window->page(), 3);
    EXPECT_EQ(selectedPage(), 3);
    EXPECT_EQ(listedTurns(), std::vector<int>({ 30 }));
}

TEST_F(HistoryWindow, TurnZeroOffersOneEmptyPage)
{
    add(0, 0);
    open(0);
    EXPECT_EQ(pageChoices(), std::vector<std::string>({ platform::utf8ToCp932("001-000ターン") }));
    EXPECT_EQ(selectedPage(), 0);
    EXPECT_TRUE(listedTurns().empty());
}

TEST_F(HistoryWindow, RefreshAppendsAndRebuildsOnlyWhenTheFilterChanges)
{
    add(21, 0);
    add(22, 14);
    add(22, 28, 0x02);
    open(22);
    EXPECT_EQ(window->listView()->itemCount(), 3) << "no viewing country: every record";
    EXPECT_EQ(window->listedCount(), 3);

    add(22, 0);
    refresh();
    EXPECT_EQ(window->listView()->itemCount(), 4);
    EXPECT_EQ(window->listedCount(), 4);
    // A record already listed is not looked at again: only a rebuild would drop it.
    const_cast<HistoryRecord*>(s.historyRecord(0))->sideMask = 0;
    refresh();
    EXPECT_EQ(window->listView()->itemCount(), 4);

    // A shorter log is another game's: listed afresh.
    s.historyLog().clear();
    add(21, 0);
    add(22, 14);
    add(22, 28, 0x02);
    refresh();
    EXPECT_EQ(window->listView()->itemCount(), 3);

    // The viewing country changes the view mask: rebuilt from the start.
    s.turnBlock().viewingCountry = 1;
    refresh();
    EXPECT_EQ(window->viewMask(), 0x02);
    EXPECT_EQ(window->listView()->itemCount(), 3);
    s.turnBlock().viewingCountry = 0;
    refresh();
    EXPECT_EQ(window->listView()->itemCount(), 2);
}

TEST_F(HistoryWindow, TheCombatBoxHidesItsKindsAndRebuilds)
{
    add(21, 0);
    add(21, 14);
    add(22, 28);
    add(22, 15);
    open(22);
    ActionHistoryOptionDialog* options = ActionHistoryOptionDialog::open(info.context(), window);
    ASSERT_NE(options, nullptr);
    ShowWindow(options->handle(), SW_SHOWNOACTIVATE);
    testing_lib::pump();
    HWND combat = GetDlgItem(options->handle(), int(action_history_option_id::kFirstBox) + 4);
    ASSERT_NE(combat, nullptr);
    EXPECT_EQ(SendMessageA(combat, BM_GETCHECK, 0, 0), BST_CHECKED);
    // The box is clicked where it stands: at (4, 20 + 2 * 16) of the display-item window.
    const POINT p = screenOf(options->handle(), 10, 20 + 2 * 16 + 7);
    harness::click(p.x, p.y);
    testing_lib::pump();
    EXPECT_EQ(SendMessageA(combat, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(uint32_t(s.settings().historyOption), ~((1u << 14) | (1u << 28)));
    EXPECT_EQ(window->kindMask(), uint32_t(s.settings().historyOption));
    std::vector<int> kinds;
    for (int i = 0; i < window->listView()->itemCount(); ++i)
        kinds.push_back(s.historyRecord(uint32_t(window->listView()->itemRecord(i)))->kind);
    EXPECT_EQ(kinds, std::vector<int>({ 0, 15 }));

    // A box stands for all its kinds: checked again, both come back.
    harness::click(p.x, p.y);
    testing_lib::pump();
    EXPECT_EQ(window->listView()->itemCount(), 4);

    const Image image = clientImage(handle);
    saveShot(image, "history");
    RECT both {}, list {}, side {};
    GetWindowRect(handle, &list);
    GetWindowRect(options->handle(), &side);
    UnionRect(&both, &list, &side);
    saveShot(harness::readRect(both), "history_with_items");
    EXPECT_EQ(side.left, list.right) << "created at the history's right edge";
}

TEST_F(HistoryWindow, ExportWritesEveryTurnFilteredWithLineFeeds)
{
    add(3, 0);
    add(12, 14);
    add(21, 28);
    add(22, 0, 0x04);
    add(23, 40);
    s.settings().historyOption = int32_t(~(1u << 28));
    s.turnBlock().viewingCountry = 0;
    open(23);
    const std::string path = info.world.host("data/history.txt");
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    ASSERT_TRUE(window->writeText(platform::gamePathFromHost(path)));
    std::string expected;
    for (uint32_t i : { 0u, 1u }) {
        std::string line;
        s.historyLog().writeText(*s.historyRecord(i), line);
        expected += line + "\n";
    }
    EXPECT_EQ(info.world.read("data/history.txt"), expected);
    EXPECT_EQ(expected.find('\r'), std::string::npos);
    // A folder that does not exist fails instead of claiming the export.
    EXPECT_FALSE(window->writeText(platform::gamePathFromHost(info.world.host("missing/none/history.txt"))));

    std::memcpy(reinterpret_cast<char*>(&s.mapHeader()) + 538, "Isle", 5);
    EXPECT_EQ(window->proposedFileName(), "Isle_23.txt");
}

TEST_F(HistoryWindow, ExportIsOfferedInThePersonsActionPhaseOnly)
{
    open(1);
    HWND button = GetDlgItem(handle, int(action_history_id::kExport));
    EXPECT_FALSE(IsWindowEnabled(button));
    s.turnBlock().phase = 5;
    s.handshake().setWaitingForAnswer(true);
    PostMessageA(handle, ui_message::kHistoryPhaseChanged, 0, 0);
    testing_lib::pump();
    EXPECT_TRUE(IsWindowEnabled(button));
    s.turnBlock().phase = 6;
    PostMessageA(handle, ui_message::kHistoryPhaseChanged, 0, 0);
    testing_lib::pump();
    EXPECT_FALSE(IsWindowEnabled(button));
    // Opened during the person's action phase, with no phase change to tell it.
    DestroyWindow(handle);
    s.turnBlock().phase = 5;
    open(1);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(handle, int(action_history_id::kExport))));
    s.handshake().setWaitingForAnswer(false);
}

TEST_F(HistoryWindow, DraggedColumnWidthsAreKept)
{
    s.settings().historyWinPosWidth = 3;
    open(1);
    ActionHistoryListView* list = window->listView();
    EXPECT_EQ(list->columnWidth(0), 54);
    EXPECT_EQ(list->columnWidth(1), 10) << "a stored width below 10 reads as 10";
    // The divider after the first column, dragged 30 pixels right on the header.
    const POINT divider = screenOf(list->handle(), 54, 8);
    harness::mouseDown(divider.x - 1, divider.y);
    harness::mouseMove(divider.x + 15, divider.y);
    harness::mouseMove(divider.x + 29, divider.y);
    harness::mouseUp(divider.x + 29, divider.y);
    testing_lib::pump();
    const int dragged = list->columnWidth(0);
    EXPECT_GT(dragged, 70);
    SendMessageA(list->handle(), LVM_SETCOLUMNWIDTH, 3, 4);
    DestroyWindow(handle);
    testing_lib::pump();
    EXPECT_EQ(s.settings().historyWinTimeWidth, dragged);
    EXPECT_EQ(s.settings().historyWinPosWidth, 10);
    EXPECT_EQ(s.settings().historyWinActionWidth, 240);
    EXPECT_EQ(s.settings().historyWinResultWidth, 10);
    EXPECT_EQ(makeNamedValue("HistoryWinTimeWidth").profileReadInt(0), dragged);
}

TEST_F(HistoryWindow, HeightSnapsToWholeRows)
{
    open(1);
    RECT rect {};
    GetWindowRect(handle, &rect);
    RECT dragged { rect.left, rect.top, rect.right, rect.top + window->fixedHeight() + 20 + 18 * 5 + 11 };
    SendMessageA(handle, WM_SIZING, WMSZ_BOTTOM, LPARAM(&dragged));
    EXPECT_EQ(dragged.bottom - dragged.top, window->fixedHeight() + 20 + 18 * 5);
    EXPECT_EQ(dragged.top, rect.top);
    RECT fromTop { rect.left, rect.top, rect.right, rect.top + window->fixedHeight() + 20 + 18 * 3 + 17 };
    const LONG bottom = fromTop.bottom;
    SendMessageA(handle, WM_SIZING, WMSZ_TOPLEFT, LPARAM(&fromTop));
    EXPECT_EQ(fromTop.bottom, bottom);
    EXPECT_EQ(fromTop.bottom - fromTop.top, window->fixedHeight() + 20 + 18 * 3);
}
