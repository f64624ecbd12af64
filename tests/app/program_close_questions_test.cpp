// Closing the program while a question box is open takes the box away as by its safe answer, and
// quitting a game with unsaved turns asks first wherever a person can answer.
#include "app/main_window_prompts.h"
#include "editors/product_edit_list_box.h"
#include "editors/product_list_window.h"
#include "infowin/action_history_window.h"
#include "state/production_type_file.h"
#include "tests/app/program_close_run.h"
#include "ui/disband_question.h"

#include <cstring>

namespace {

using namespace program_close_test;

// A user production type in the first slot.
void writeKeptProductionType(const testing_state::DataFolder& data)
{
    ProductionTypeRecord kept {};
    std::memcpy(kept.name, "kept", 5);
    const std::vector<uint8_t> table = productionTypeFileBytes(&kept, 1);
    data.write("productutype.dat", std::string(table.begin(), table.end()));
}

class ProgramCloseQuestions : public ProgramCloseRun, public ::testing::WithParamInterface<CloseBy> { };

TEST_P(ProgramCloseQuestions, AQuestionOpenAtTheCloseIsNeverCarriedOut)
{
    auto game = [this](std::function<void()> then = {}) { startGame("tkmap/training.vtm", std::move(then)); };
    // A button pressed once it can be: a second press would ask again over the question.
    auto once = [](std::function<bool()> press) {
        return [press, pressed = std::make_shared<bool>(false)] { *pressed = *pressed || press(); };
    };
    // The person's way to a file question: the button, then the file named in the dialog it opens.
    auto pressThenName = [this, once](std::function<bool()> press, const char* dialog, const char* file) {
        return [=, this, pressOnce = once(press)] {
            if (!answerFileDialog(dialog, gamePath(file)))
                pressOnce();
        };
    };
    auto saveOffered = [] {
        const bool waiting = mainWindow() && mainWindow()->state().handshake().waitingForAnswer();
        if (waiting)
            command(menu_id::kSaveGameAs);
        return waiting;
    };
    // The files the questions would write over.
    writeKeptProductionType(*m_data);
    for (const char* file : { "save/kept.wqm", "data/kept.txt", "data/kept.upd" })
        m_data->write(file, "old");
    struct Row {
        const char* name;
        std::function<void()> open;
        std::function<void()> nudge = [] {};
        // Unchanged by the close: the question's action was not carried out. A question that
        // would write over or delete it has no as its default.
        const char* keptFile = nullptr;
        int simpleMode = 0; // before the run and after it
        std::function<HWND()> shown = question;
        // A way out's own question: the close takes it away as by its no and asks in its place.
        bool wayOut = false;
    };
    const Row rows[] = {
        { "mode switch to simple", [] { command(menu_id::kSwitchMode); } },
        { "mode switch to normal", [] { command(menu_id::kSwitchMode); }, [] {}, nullptr, 1 },
        { "turn end", [&] { game([] { prompts::confirmTurnEnd(theApplication().mainWindowHandle()); }); } },
        { "game end", [&] { game([] { command(menu_id::kEndGame); }); } },
        // Offered once the person's turn waits.
        { "surrender", [&] { game(); }, [] { command(menu_id::kSurrender); } },
        { "disband", [&] { game([] { confirmDisband(mainWindow(), mainWindow()->state(), 0, 0); }); }, [] {}, nullptr, 0,
            titled("解散確認") },
        // Taken away by the close, whose own question comes in its place, answered yes by the person who closed.
        { "unsaved turns at a new game", [&] { startGame("tkmap/training.vtm", [] { command(menu_id::kNewGame); }, true); },
            [] {}, nullptr, 0, question, true },
        { "save over a file", [&] { game(); }, pressThenName(saveOffered, "名前を付けてｹﾞｰﾑを保存", "save/kept.wqm"), "save/kept.wqm" },
        { "history text over a file", [&] { game(), command(menu_id::kActionHistory); },
            pressThenName([] { return pressButton("履歴", action_history_id::kExport); }, "履歴テキストの出力", "data/kept.txt"),
            "data/kept.txt" },
        { "production type export over a file", [] { command(menu_id::kProductExport); },
            pressThenName([] { return pressButton("生産タイプ書出", product_list_id::kAction); }, "ユーザ定義生産タイプ書出", "data/kept.upd"),
            "data/kept.upd" },
        { "production type delete", [] { command(menu_id::kProductEdit); },
            once([] { return pressButton("生産タイプ編集", product_list_id::kDelete); }), "productutype.dat" },
        { "production type import over one", [] { command(menu_id::kProductImport); },
            once([] { return pressButton("生産タイプ読込", product_list_id::kAction); }), "productutype.dat" },
    };
    for (const Row& row : rows) {
        const std::string before = row.keptFile ? m_data->read(row.keptFile) : "";
        const int simpleMode = row.simpleMode;
        closeDuring({ row.name, row.shown, row.open, true, row.nudge, [=] { makeNamedValue("SimpleMode").profileWriteInt(simpleMode); } },
            GetParam());
        if (row.keptFile) {
            EXPECT_TRUE(m_data->read(row.keptFile) == before) << row.name << ": " << row.keptFile << " was written";
        }
        // The row's question ends last: a close's own question comes over it. A way out's question
        // ends first, and the close's own comes alone, answered yes by the person who closed.
        const auto boxes = harness::messageBoxes();
        ASSERT_FALSE(boxes.empty()) << row.name;
        EXPECT_EQ((row.wayOut ? boxes.front() : boxes.back()).answer, IDNO) << row.name;
        if (row.wayOut && GetParam() == CloseBy::Desktop) {
            EXPECT_EQ(boxes.size(), 2u) << row.name;
            EXPECT_EQ(boxes.back().answer, IDYES) << row.name;
        }
        if (row.keptFile) {
            EXPECT_EQ(boxes.back().style & MB_DEFMASK, UINT(MB_DEFBUTTON2)) << row.name;
        }
        EXPECT_EQ(makeNamedValue("SimpleMode").profileReadInt(-1), row.simpleMode) << row.name;
        EXPECT_FALSE(theApplication().restartRequested()) << row.name;
    }
}

INSTANTIATE_TEST_SUITE_P(, ProgramCloseQuestions, ::testing::Values(CloseBy::Desktop, CloseBy::Signal), closeByName);

class ProgramCloseUnsaved : public ProgramCloseRun { };

// With turns not saved, each way to quit asks as a new game does, no by default, and the default
// keeps the program; a signal asks nothing and ends it.
TEST_F(ProgramCloseUnsaved, EveryWayToQuitAsksFirstButASignal)
{
    struct Way {
        const char* name;
        std::function<void()> quit;
        bool asks;
    };
    const Way ways[] = {
        { "終了", [] { command(menu_id::kQuit); }, true },
        { "ゲーム終了", [] { command(menu_id::kEndGame); }, true },
        { "close box", clickMainCloseBox, true },
        { "Alt+F4", [] { harness::keyDown(VK_MENU), harness::pressKey(VK_F4), harness::keyUp(VK_MENU); }, true },
        { "desktop close", harness::closeDesktop, true },
        { "SIGTERM", [] { kill(getpid(), SIGTERM); }, false },
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        harness::clearMessageBoxes();
        harness::setMessageBoxPolicy(true);
        g_open = [this] { startGame("tkmap/training.vtm", {}, true); };
        std::atomic<bool> ended { false };
        std::atomic<bool> kept { false };
        std::thread person([&] {
            for (int i = 0; i < 500 && !(mainWindow() && mainWindow()->state().handshake().waitingForAnswer()); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            harness::waitIdle();
            SetForegroundWindow(theApplication().mainWindowHandle());
            harness::waitIdle();
            way.quit();
            harness::waitIdle();
            // A signal reaches the program through its watcher thread, which the idle wait does not see.
            for (int i = 0; i < 1000 && !way.asks && !ended; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            kept = theApplication().mainWindow() != nullptr && !ended;
            // A signal after the run would be owed to the next one.
            if (kept)
                kill(getpid(), SIGTERM);
            awaitEnd(ended, way.name);
        });
        SetTimer(nullptr, 0, 10, openState);
        EXPECT_EQ(runApplication(theApplication()), RunOutcome::Played);
        ended = true;
        person.join();
        int asked = 0;
        for (const auto& box : harness::messageBoxes())
            if (box.text.rfind(unsavedQuestion(), 0) == 0) {
                ++asked;
                EXPECT_EQ(box.style & MB_DEFMASK, UINT(MB_DEFBUTTON2)) << "no is the default";
                EXPECT_EQ(box.answer, IDNO);
            }
        EXPECT_EQ(asked, way.asks ? 1 : 0);
        EXPECT_EQ(kept.load(), way.asks) << "the default answer keeps the program";
    }
}

} // namespace

namespace {

using namespace program_close_test;

class ProgramCloseWithWork : public ProgramCloseRun { };

// A close with the production-type editor open on an unsaved type: the editor asks first, as its
// own close does, then the game's unsaved turns. No to either leaves the editor, its list and the
// game as they were; a signal then ends the run.
TEST_F(ProgramCloseWithWork, AWindowWithUnsavedWorkAsksFirstAndNoLeavesEverythingOpen)
{
    writeKeptProductionType(*m_data);
    const std::function<HWND()> editor = titled("生産タイプエディタ");
    const std::function<HWND()> list = titled("生産タイプ編集");
    for (const int editorAnswer : { IDNO, IDYES }) {
        SCOPED_TRACE(editorAnswer == IDYES ? "the editor's yes" : "the editor's no");
        ModalState state { "production type editor", editor,
            [this] { startGame("tkmap/training.vtm", [] { command(menu_id::kProductEdit); }, true); },
            true,
            [list, edited = std::make_shared<bool>(false)] {
                HWND listWindow = list();
                if (!listWindow || *edited)
                    return;
                POINT row { 48, 36 + 10 };
                ClientToScreen(listWindow, &row);
                harness::doubleClick(row.x, row.y);
                *edited = true;
            } };
        bool stayed = false;
        runToClose(state, [&](HWND shown, const std::atomic<bool>& ended) {
            // A name typed: the type is not saved.
            RECT r {};
            GetWindowRect(GetDlgItem(shown, product_edit_id::kName), &r);
            harness::click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
            harness::typeText("x");
            harness::waitIdle();
            harness::setMessageBoxPolicy(false);
            harness::closeDesktop();
            // The editor's question, then, after its yes, the game's; no ends the close.
            for (bool editorsQuestion : { true, false }) {
                const HWND box = waitForWindow(question, ended);
                harness::waitIdle();
                harness::typeText(editorsQuestion && editorAnswer == IDYES ? "y" : "n");
                for (int i = 0; i < 200 && IsWindow(box); ++i)
                    std::this_thread::sleep_for(std::chrono::milliseconds(5));
                if (editorAnswer == IDNO)
                    break;
            }
            harness::waitIdle();
            MainWindow* window = mainWindow();
            stayed = IsWindowVisible(shown) && list() && window && window->state().handshake().playRunning() && !question();
            kill(getpid(), SIGTERM);
        });
        EXPECT_TRUE(stayed) << "no left the editor, its list and the game as they were";
        const auto boxes = harness::messageBoxes();
        ASSERT_EQ(boxes.size(), editorAnswer == IDYES ? 2u : 1u);
        EXPECT_EQ(boxes[0].text.rfind(cp("保存されていない生産タイプですが"), 0), 0u) << "the editor asks first";
    }
}

} // namespace
