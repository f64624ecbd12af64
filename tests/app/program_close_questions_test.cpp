// Closing the program while a question box is open takes the box away as by its safe answer, and
// quitting a game with unsaved turns asks first wherever a person can answer.
#include "app/main_window_prompts.h"
#include "tests/app/program_close_run.h"
#include "ui/disband_question.h"

namespace {

using namespace program_close_test;

class ProgramCloseQuestions : public ProgramCloseRun, public ::testing::WithParamInterface<CloseBy> { };

bool answeredNo(const harness::MessageBoxRecord& box) { return box.answer == IDNO; }

TEST_P(ProgramCloseQuestions, AQuestionOpenAtTheCloseIsNeverCarriedOut)
{
    auto game = [this] { return &startGame("tkmap/training.vtm")->state(); };
    auto mode = [](int simple) { return [simple] { makeNamedValue("SimpleMode").profileWriteInt(simple); }; };
    struct Row {
        ModalState state;
        int simpleModeAfter = 0;
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
    };
    for (const Row& row : rows) {
        closeDuring(row.state, GetParam());
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
