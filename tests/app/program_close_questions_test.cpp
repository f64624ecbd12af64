// Closing the program while a question box is open takes the box away as by its safe answer, and
// quitting a game with unsaved turns asks first wherever a person can answer.
#include "app/main_window_prompts.h"
#include "editors/product_list_window.h"
#include "infowin/action_history_window.h"
#include "state/production_type_file.h"
#include "tests/app/program_close_run.h"
#include "ui/disband_question.h"

#include <cstring>

namespace {

using namespace program_close_test;

class ProgramCloseQuestions : public ProgramCloseRun, public ::testing::WithParamInterface<CloseBy> { };

bool answeredNo(const harness::MessageBoxRecord& box) { return box.answer == IDNO; }

TEST_P(ProgramCloseQuestions, AQuestionOpenAtTheCloseIsNeverCarriedOut)
{
    auto game = [this] { return &startGame("tkmap/training.vtm")->state(); };
    auto mode = [](int simple) { return [simple] { makeNamedValue("SimpleMode").profileWriteInt(simple); }; };
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
        MainWindow* window = mainWindow();
        if (!window || !window->state().handshake().waitingForAnswer())
            return false;
        command(menu_id::kSaveGameAs);
        return true;
    };
    // A user production type in the first slot, and the files the questions would write over.
    ProductionTypeRecord kept {};
    std::memcpy(kept.name, "kept", 5);
    const std::vector<uint8_t> table = productionTypeFileBytes(&kept, 1);
    m_data->write("productutype.dat", std::string(table.begin(), table.end()));
    for (const char* file : { "save/kept.wqm", "data/kept.txt", "data/kept.upd" })
        m_data->write(file, "old");
    struct Row {
        ModalState state;
        int simpleModeAfter = 0;
        // Unchanged by the close: the question's action was not carried out.
        const char* keptFile = nullptr;
    };
    const Row rows[] = {
        { { "mode switch to simple", question, [] { command(menu_id::kSwitchMode); }, true, [] {}, mode(0) }, 0 },
        { { "mode switch to normal", question, [] { command(menu_id::kSwitchMode); }, true, [] {}, mode(1) }, 1 },
        { { "turn end", question, [&] {
               game();
               prompts::confirmTurnEnd(theApplication().mainWindowHandle());
           }, true } },
        { { "game end", question, [&] {
               game();
               command(menu_id::kEndGame);
           }, true } },
        // Offered once the person's turn waits.
        { { "surrender", question, [&] { game(); }, true, [] { command(menu_id::kSurrender); } } },
        { { "disband", titled("解散確認"), [&] { confirmDisband(mainWindow(), *game(), 0, 0); }, true } },
        // Asked again as the close of the main window, and answered yes by the person who closed.
        { { "unsaved turns at a new game", question, [&] {
               game()->notePlay();
               command(menu_id::kNewGame);
           }, true } },
        { { "save over a file", question, [&] { game(); }, true,
              pressThenName(saveOffered, "名前を付けてｹﾞｰﾑを保存", "save/kept.wqm") },
            0, "save/kept.wqm" },
        { { "history text over a file", question, [&] {
               game();
               command(menu_id::kActionHistory);
           }, true,
              pressThenName([] { return pressButton("履歴", action_history_id::kExport); }, "履歴テキストの出力", "data/kept.txt") },
            0, "data/kept.txt" },
        { { "production type export over a file", question, [] { command(menu_id::kProductExport); }, true,
              pressThenName([] { return pressButton("生産タイプ書出", product_list_id::kAction); }, "ユーザ定義生産タイプ書出",
                  "data/kept.upd") },
            0, "data/kept.upd" },
        { { "production type delete", question, [] { command(menu_id::kProductEdit); }, true,
              once([] { return pressButton("生産タイプ編集", product_list_id::kDelete); }) },
            0, "productutype.dat" },
    };
    for (const Row& row : rows) {
        const std::string before = row.keptFile ? m_data->read(row.keptFile) : "";
        closeDuring(row.state, GetParam());
        if (row.keptFile) {
            EXPECT_TRUE(m_data->read(row.keptFile) == before) << row.state.name << ": " << row.keptFile << " was written";
        }
        const auto boxes = harness::messageBoxes();
        ASSERT_FALSE(boxes.empty()) << row.state.name;
        EXPECT_TRUE(answeredNo(boxes.front())) << row.state.name << ": answered " << boxes.front().answer;
        EXPECT_EQ(makeNamedValue("SimpleMode").profileReadInt(-1), row.simpleModeAfter) << row.state.name;
        EXPECT_FALSE(theApplication().restartRequested()) << row.state.name;
    }
}

INSTANTIATE_TEST_SUITE_P(, ProgramCloseQuestions, ::testing::Values(CloseBy::Desktop, CloseBy::Signal), closeByName);

class ProgramCloseUnsaved : public ProgramCloseRun { };

void altF4()
{
    harness::keyDown(VK_MENU);
    harness::pressKey(VK_F4);
    harness::keyUp(VK_MENU);
}

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
        { "Alt+F4", altF4, true },
        { "desktop close", harness::closeDesktop, true },
        { "SIGTERM", [] { kill(getpid(), SIGTERM); }, false },
    };
    const std::string unsaved = cp("このゲームには保存していないターンがあります。");
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        harness::clearMessageBoxes();
        harness::setMessageBoxPolicy(true);
        g_open = [this] { startGame("tkmap/training.vtm")->state().notePlay(); };
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
            for (int i = 0; i < 3000 && !ended; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            if (!ended) {
                ADD_FAILURE() << way.name << ": the program did not end";
                std::abort();
            }
        });
        SetTimer(nullptr, 0, 10, openState);
        EXPECT_EQ(runApplication(theApplication()), RunOutcome::Played);
        ended = true;
        person.join();
        int asked = 0;
        for (const auto& box : harness::messageBoxes())
            if (box.text.rfind(unsaved, 0) == 0) {
                ++asked;
                EXPECT_EQ(box.style & MB_DEFMASK, UINT(MB_DEFBUTTON2)) << "no is the default";
                EXPECT_EQ(box.answer, IDNO);
            }
        EXPECT_EQ(asked, way.asks ? 1 : 0);
        EXPECT_EQ(kept.load(), way.asks) << "the default answer keeps the program";
    }
}

} // namespace
