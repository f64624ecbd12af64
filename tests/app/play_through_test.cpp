// The whole program as a person plays it with the mouse: a new game on a sample map, a few turns
// of orders and phase ends with their fights shown as battle scenes, a save, quitting, starting
// again and resuming. With DERAZODO_SHOTS set each step's screen is written there.
#include "app/command_palette.h"
#include "app/main_window.h"
#include "app/map_window.h"
#include "app/menu_ids.h"
#include "app/run_application.h"
#include "app/tool_palette.h"
#include "dialogs/sel_attack_arms_dialog.h"
#include "dialogs/think_progress_window.h"
#include "infowin/income_window.h"
#include "lib/application.h"
#include "platform/commdlg/commdlg.h"
#include "platform/desktop/harness.h"
#include "platform/kernel/host.h"
#include "rules/commands.h"
#include "rules/game_thread.h"
#include "state/action_history.h"
#include "state/game_settings.h"
#include "state/game_state.h"
#include "state/unit_facts.h"
#include "tests/dialogs/popup_driver.h"
#include "tests/state/packed_value.h"
#include "tests/state/state_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>

namespace {

namespace fs = std::filesystem;
namespace harness = platform::harness;
using namespace std::chrono_literals;

std::string cp(const char* utf8) { return platform::utf8ToCp932(utf8); }

// The pause between steps is the program's time: on the running test clock it passes as soon as
// the program is idle.
void settle()
{
    harness::waitIdle();
    Sleep(30);
    harness::waitIdle();
}

bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout = 60s)
{
    auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

// The person at the screen: finds the program's windows, clicks them and pictures each step.
class Person {
public:
    explicit Person(std::string shots)
        : m_shots(std::move(shots))
    {
    }

    ~Person() { stopWatching(); }

    // Finds the program's window and from then on answers its popups and watches the thinking
    // window's progress, as a person looking at the screen would.
    bool findMainWindow()
    {
        bool found = waitFor([&] {
            m_main = FindWindowA(MainWindow::kClassName, nullptr);
            return m_main && IsWindowVisible(m_main) && g_gameState;
        });
        settle();
        if (found) {
            m_popups = std::make_unique<popup_test::PopupDismisser>(m_main);
            m_watcher = std::thread([this] { watchThinking(); });
        }
        return found;
    }
    void stopWatching()
    {
        m_watching = false;
        if (m_watcher.joinable())
            m_watcher.join();
        m_popups.reset();
    }
    // The highest progress a thinking window showed, -1 when none was seen.
    int thinkingProgressSeen() const { return m_progressSeen.load(); }
    int popupsAnswered() const { return m_popups ? m_popups->answered() : 0; }
    // How many popups of that client size the person has answered.
    int popupsAnswered(int width, int height) const
    {
        int count = 0;
        for (SIZE size : m_popups ? m_popups->answeredSizes() : std::vector<SIZE> {})
            count += size.cx == width && size.cy == height;
        return count;
    }
    HWND main() const { return m_main; }

    // Runs beside the person until stop is set: each battle scene that opens is pictured, told as a
    // person's (the window's thread hosts it) or a computer's (the game thread asked, Close is
    // greyed meanwhile), and cut short by a click.
    void watchScenes(const std::atomic<bool>& stop)
    {
        const std::string attacker = cp("攻撃側");
        const std::string defender = cp("防御側");
        bool was_shown = false;
        while (!stop) {
            HWND a = FindWindowA(attacker.c_str(), nullptr);
            HWND d = FindWindowA(defender.c_str(), nullptr);
            const bool shown = a && d && IsWindowVisible(a) && IsWindowVisible(d);
            if (shown && !was_shown) {
                const bool game_thread = (GetMenuState(GetSystemMenu(m_main, FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED) != 0;
                std::atomic<int>& count = game_thread ? m_computerScenes : m_personScenes;
                if (count++ == 0) {
                    Sleep(500);
                    if (!m_shots.empty())
                        harness::writePng(harness::readScreen(), m_shots + (game_thread ? "/scene_computer.png" : "/scene_person.png"));
                }
                RECT r {};
                GetWindowRect(d, &r);
                harness::click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
            }
            was_shown = shown;
            std::this_thread::sleep_for(10ms);
        }
    }
    int personScenes() const { return m_personScenes; }
    int computerScenes() const { return m_computerScenes; }
    GameState& state() const { return *g_gameState; }
    MainWindow* window() const { return dynamic_cast<MainWindow*>(windowFromHandle(m_main)); }
    ToolPalette* tools() const { return dynamic_cast<ToolPalette*>(windowFromHandle(findChild(ToolPalette::kClassName))); }
    CommandPalette* palette() const { return dynamic_cast<CommandPalette*>(windowFromHandle(window()->commandPalette())); }
    MapWindow* map() const { return window()->mapWindow(); }

    void shot(const std::string& name)
    {
        settle();
        if (!m_shots.empty())
            harness::writePng(harness::readScreen(), m_shots + "/" + name + ".png");
    }

    void click(HWND control)
    {
        waitForPopupsAnswered();
        RECT r {};
        GetWindowRect(control, &r);
        harness::click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        settle();
    }
    // A popup of play (a notice, the income) disables the main window until it is answered.
    void waitForPopupsAnswered()
    {
        if (m_popups)
            m_popups->waitQuiet();
    }
    void clickTool(unsigned id) { click(tools()->button(id)); }
    // The tool once the palette has caught up with the game and enabled it.
    bool clickEnabledTool(unsigned id)
    {
        if (!waitFor([&] { return IsWindowEnabled(tools()->button(id)) != FALSE; }, 20s))
            return false;
        clickTool(id);
        return true;
    }

    void clickHex(int x, int y)
    {
        MapWindow* view = map();
        PostMessageA(view->handle(), map_message::kCentreOnHex, WPARAM(x), LPARAM(y));
        settle();
        HexGeometry geometry(view->zoom(), state().mapWidth(), state().mapHeight());
        POINT centre = geometry.hexCentre(x, y);
        POINT origin = view->viewOrigin();
        POINT at { centre.x - origin.x, centre.y - origin.y };
        ClientToScreen(view->handle(), &at);
        waitForPopupsAnswered();
        harness::click(at.x, at.y);
        settle();
    }

    // Fills the file dialog of that title and presses Enter.
    bool chooseFile(const char* utf8Title, const char* name)
    {
        HWND dialog = nullptr;
        if (!waitFor([&] { return (dialog = FindWindowA(nullptr, cp(utf8Title).c_str())) != nullptr; }, 10s))
            return false;
        settle();
        shot(std::string("file_dialog_") + name);
        SetDlgItemTextA(dialog, edt1, name);
        harness::pressKey(VK_RETURN);
        settle();
        return waitFor([&] { return !IsWindow(dialog); }, 10s);
    }

    // Picks a file in the game selection dialog of that title: its category button, then the entry
    // or saves-list row of that name (which previews it), then Enter.
    bool chooseGame(const char* utf8Title, int categoryButton, const char* name)
    {
        // The main window bears the new-game title too while no game runs: the dialog has a start button.
        HWND dialog = nullptr;
        auto found = [&] {
            dialog = nullptr;
            for (HWND h = FindWindowExA(nullptr, nullptr, nullptr, cp(utf8Title).c_str()); h && !dialog;
                 h = FindWindowExA(nullptr, h, nullptr, cp(utf8Title).c_str()))
                if (GetDlgItem(h, 1000) && IsWindowVisible(h))
                    dialog = h;
            return dialog != nullptr;
        };
        if (!waitFor(found, 10s))
            return false;
        settle();
        click(GetDlgItem(dialog, categoryButton));
        HWND list = GetDlgItem(dialog, 1018);
        if (list) {
            const LRESULT row = SendMessageA(list, LB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(name));
            RECT r {};
            if (row < 0 || SendMessageA(list, LB_GETITEMRECT, WPARAM(row), reinterpret_cast<LPARAM>(&r)) == LB_ERR)
                return false;
            POINT at { (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
            ClientToScreen(list, &at);
            harness::click(at.x, at.y);
            settle();
        } else {
            for (int id = 1020; id <= 1033; ++id) {
                char text[MAX_PATH] = {};
                GetWindowTextA(GetDlgItem(dialog, id), text, sizeof text);
                if (std::string(text) == name)
                    click(GetDlgItem(dialog, id));
            }
        }
        shot(std::string("game_select_") + name);
        harness::pressKey(VK_RETURN);
        settle();
        return waitFor([&] { return !IsWindow(dialog); }, 10s);
    }

    // Goes on from the set-up a new map shows: the map settings list by its OK, or the briefing of a
    // map with briefing texts by Enter, which starts the game.
    bool acceptSetUp()
    {
        HWND list = nullptr;
        HWND briefing = nullptr;
        if (!waitFor([&] {
                list = FindWindowA(nullptr, cp("マップ設定一覧").c_str());
                briefing = FindWindowA(nullptr, cp("ブリーフィング").c_str());
                return (list && IsWindowVisible(list)) || (briefing && IsWindowVisible(briefing));
            }, 10s))
            return false;
        settle();
        HWND shown = list ? list : briefing;
        shot(list ? "set_up_list" : "set_up_briefing");
        if (list) {
            click(GetDlgItem(list, 1314));
        } else {
            SetForegroundWindow(briefing);
            harness::pressKey(VK_RETURN);
            settle();
        }
        return waitFor([&] { return !IsWindow(shown); }, 10s);
    }

    bool personActs(int phase) const
    {
        if (!g_gameState)
            return false;
        const TurnBlock& turn = state().turnBlock();
        return state().handshake().waitingForAnswer() && turn.currentCountry == 0 && turn.phase == phase;
    }
    bool waitForPersonIn(int phase) { return waitFor([&] { return personActs(phase) || gameDecided(); }); }
    bool gameDecided() const { return g_gameState && state().turnBlock().decided; }

    // The first menu of the menu bar.
    void openGameMenu()
    {
        RECT r {};
        GetWindowRect(m_main, &r);
        int x = r.left + GetSystemMetrics(SM_CXFRAME) + 24;
        int y = r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU) / 2;
        harness::click(x, y);
        settle();
    }

    // The close box of the main window's caption; the program ends with it.
    void quit()
    {
        RECT r {};
        GetWindowRect(m_main, &r);
        int x = r.right - GetSystemMetrics(SM_CXFRAME) - GetSystemMetrics(SM_CXSIZE) / 2 - 1;
        int y = r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
        harness::click(x, y);
        if (!waitFor([&] { return !IsWindow(m_main); }, 20s)) {
            ADD_FAILURE() << "the close box did not end the program";
            PostMessageA(m_main, WM_CLOSE, 0, 0);
        }
    }

    // One of the person's units: an attack or occupation where it stands or where it can move, else
    // the move that brings it nearest to something of another side's. False when it could not act.
    bool order(int index)
    {
        const bool acted = orderUnit(index);
        // A person waits for the order to play out (its scene, its result window) before the next.
        waitFor([&] {
            const Handshake& handshake = state().handshake();
            return gameDecided()
                || (handshake.waitingForAnswer() && !handshake.unitCommandBeingSet() && !handshake.combatUnderWay());
        });
        waitForPopupsAnswered();
        return acted;
    }

private:
    bool orderUnit(int index)
    {
        GameState& s = state();
        const UnitRecord* unit = s.unitOf(0, index);
        if (!unit || !unitInPlay(*unit) || unit->hasFlag(kUnitActed | kUnitAboard | kUnitStored | kUnitOffMap))
            return false;
        clickHex(int(unit->x), int(unit->y));
        if (palette()->shownUnit() != int32_t(index << 16))
            return false;
        if (fightOrTake())
            return true;
        HexPos best { int(unit->x), int(unit->y) };
        int bestDistance = distanceToOthers(best);
        for (int y = 0; y < s.mapHeight(); ++y)
            for (int x = 0; x < s.mapWidth(); ++x)
                if (isInMoveRange(s, x, y) && distanceToOthers({ x, y }) < bestDistance) {
                    best = { x, y };
                    bestDistance = distanceToOthers(best);
                }
        if (best.x != int(unit->x) || best.y != int(unit->y))
            clickHex(best.x, best.y);
        if (!fightOrTake())
            click(palette()->commandButton(kCommandEndAction));
        return true;
    }

    HWND findChild(const char* className) const { return FindWindowExA(m_main, nullptr, className, nullptr); }

    bool fightOrTake()
    {
        for (int code : { kCommandAttack, kCommandOccupy }) {
            if (!palette()->isCommandEnabled(code))
                continue;
            click(palette()->commandButton(code));
            GameState& s = state();
            for (int y = 0; y < s.mapHeight(); ++y)
                for (int x = 0; x < s.mapWidth(); ++x)
                    if (isCommandTargetHex(s, x, y)) {
                        clickHex(x, y);
                        if (code == kCommandAttack)
                            answerWeaponChoice();
                        ++m_fights;
                        return true;
                    }
            click(palette()->cancelButton());
        }
        return false;
    }

    // An attack asks for the weapon: the one offered is fired, or, without one, the attack dropped.
    void answerWeaponChoice()
    {
        HWND dialog = nullptr;
        if (!waitFor([&] { return (dialog = FindWindowA(nullptr, cp("兵器選択").c_str())) != nullptr; }, 10s))
            return;
        settle();
        shot("weapon_choice_" + std::to_string(m_fights));
        HWND execute = GetDlgItem(dialog, int(sel_attack_arms_id::kExecute));
        click(IsWindowEnabled(execute) ? execute : GetDlgItem(dialog, int(sel_attack_arms_id::kDrop)));
        waitFor([&] { return !IsWindow(dialog); }, 10s);
    }

    int distanceToOthers(HexPos from) const
    {
        GameState& s = state();
        int best = 1 << 20;
        for (int side = 1; side <= kNeutralSide; ++side)
            for (uint32_t i = 0; i < s.unitCount(side); ++i)
                if (const UnitRecord* u = s.unitOf(side, int(i)); u && unitInPlay(*u) && u->isOnOwnHex())
                    best = std::min(best, hexDistance(from, { int(u->x), int(u->y) }));
        for (const BuildingRecord& b : s.buildings())
            if (b.ownerPlusOne != 1)
                best = std::min(best, hexDistance(from, { int(b.x), int(b.y) }));
        return best;
    }

    void watchThinking()
    {
        while (m_watching) {
            if (HWND window = FindWindowA(ThinkProgressWindow::kClassName, nullptr)) {
                const int progress = ThinkProgressWindow::shownProgress(window);
                if (progress > m_progressSeen)
                    m_progressSeen = progress;
            }
            std::this_thread::sleep_for(2ms);
        }
    }

    std::string m_shots;
    HWND m_main = nullptr;
    int m_fights = 0;
    std::unique_ptr<popup_test::PopupDismisser> m_popups;
    std::thread m_watcher;
    std::atomic<bool> m_watching = true;
    std::atomic<int> m_progressSeen = -1;
    std::atomic<int> m_personScenes { 0 };
    std::atomic<int> m_computerScenes { 0 };

public:
    // Attacks and occupations ordered.
    int fights() const { return m_fights; }
};

struct PlayThrough : ::testing::Test {
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "derazodo-play-XXXXXX").string();
        ASSERT_TRUE(mkdtemp(pattern.data()));
        m_lockFolder = pattern;
        setenv("XDG_RUNTIME_DIR", m_lockFolder.c_str(), 1);
        for (const char* folder : { "tkbmp", "tkmap", "tkwave", "tklc" })
            fs::copy(fs::path(DERAZODO_PROGRAM_DIR) / folder, m_data.host(folder), fs::copy_options::recursive);
        fs::create_directories(m_data.host("save"));
        makeNamedValue("SimpleMode").profileWriteInt(0);
        theApplication().appInit(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL);
        harness::setDefaultMessageBoxAnswer(0);
        if (const char* shots = std::getenv("DERAZODO_SHOTS"); shots && *shots) {
            m_shots = shots;
            fs::create_directories(m_shots);
        }
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(m_lockFolder, ignored);
    }

    // Runs the program on this thread while the person acts on another (and ends its battle scenes).
    void run(const std::function<void(Person&)>& acts)
    {
        Person person(m_shots);
        std::atomic<bool> stop { false };
        std::thread watcher;
        std::thread thread([&] {
            if (person.findMainWindow()) {
                watcher = std::thread([&] { person.watchScenes(stop); });
                acts(person);
            } else {
                ADD_FAILURE() << "no main window";
            }
            person.stopWatching();
            stop = true;
            if (watcher.joinable())
                watcher.join();
            if (IsWindow(person.main()))
                person.quit();
        });
        EXPECT_EQ(runApplication(theApplication()), RunOutcome::Played);
        thread.join();
        m_personScenes += person.personScenes();
        m_computerScenes += person.computerScenes();
    }

    // The program's pauses, animations and closing delays pass as soon as it is idle.
    harness::TestClock m_clock { harness::TestClock::Running };
    testing_state::DataFolder m_data;
    std::string m_lockFolder;
    std::string m_shots;
    int m_personScenes = 0;
    int m_computerScenes = 0;
};

} // namespace

TEST_F(PlayThrough, NewGameTurnsSaveQuitAndResume)
{
    int savedTurn = 0;
    uint32_t eventsAtSave = 0;
    int ordersGiven = 0;
    int fights = 0;
    int thinking = -1;
    run([&](Person& person) {
        person.shot("01_start");
        person.clickTool(menu_id::kNewGame);
        ASSERT_TRUE(person.chooseGame("新規ゲーム", 1002, "training.vtm"));
        ASSERT_TRUE(person.acceptSetUp());
        ASSERT_TRUE(person.waitForPersonIn(kPhaseAction));
        person.shot("02_new_game");
        for (int turn = 0; turn < 3 && !person.gameDecided(); ++turn) {
            GameState& state = person.state();
            const int count = int(state.unitCount(0));
            for (int i = 0, acted = 0; i < count && acted < 4 && person.personActs(kPhaseAction); ++i)
                if (person.order(i)) {
                    ++acted;
                    ++ordersGiven;
                    person.shot("03_turn" + std::to_string(turn + 1) + "_order" + std::to_string(acted));
                }
            const int turnNumber = state.turnBlock().turn;
            // The last turn's phase ends by its key, through the program's accelerator table.
            if (turn == 2) {
                harness::pressKey(VK_F5);
                settle();
            } else {
                person.clickTool(menu_id::kEndActionPhase);
            }
            ASSERT_TRUE(waitFor([&] { return person.personActs(kPhaseProduction) || state.turnBlock().turn > turnNumber || person.gameDecided(); }));
            if (person.personActs(kPhaseProduction)) {
                person.shot("04_turn" + std::to_string(turn + 1) + "_production");
                person.clickTool(menu_id::kEndTurn);
            }
            ASSERT_TRUE(person.waitForPersonIn(kPhaseAction));
            person.shot("05_turn" + std::to_string(turn + 2) + "_start");
        }
        savedTurn = person.state().turnBlock().turn;
        eventsAtSave = person.state().historyLog().count();
        person.clickTool(menu_id::kSaveGameAs);
        ASSERT_TRUE(person.chooseFile("名前を付けてｹﾞｰﾑを保存", "playthrough.wqm"));
        person.shot("06_saved");
        person.openGameMenu();
        person.shot("06_game_menu");
        harness::pressKey(VK_ESCAPE);
        harness::pressKey(VK_ESCAPE);
        settle();
        fights = person.fights();
        thinking = person.thinkingProgressSeen();
    });
    EXPECT_EQ(thinking, 100) << "a computer turn's progress reaches its end in the thinking window";
    EXPECT_GT(fights, 0) << "no attack or occupation in three turns";
    EXPECT_GT(m_personScenes, 0) << "a person's attack is shown as a scene";
    EXPECT_GT(m_computerScenes, 0) << "a computer's attack is shown as a scene";
    EXPECT_GT(ordersGiven, 0);
    EXPECT_GE(savedTurn, 2);
    EXPECT_GT(eventsAtSave, 0u);
    EXPECT_TRUE(fs::exists(m_data.host("save/playthrough.wqm")));
    EXPECT_EQ(g_gameState, nullptr) << "the game state went with the program";

    int resumedTurn = 0;
    run([&](Person& person) {
        person.shot("07_started_again");
        person.clickTool(menu_id::kResumeGame);
        ASSERT_TRUE(person.chooseGame("ゲーム再開", 1002, "playthrough.wqm"));
        ASSERT_TRUE(person.waitForPersonIn(kPhaseAction));
        resumedTurn = person.state().turnBlock().turn;
        person.shot("08_resumed");
        char title[256] = {};
        GetWindowTextA(person.main(), title, sizeof title);
        EXPECT_EQ(std::string(title), "playthrough.wqm");
    });
    EXPECT_EQ(resumedTurn, savedTurn);
}

namespace {

// The board of a game under way: play runs and units and owned buildings stand on the map.
bool boardFull(Person& person)
{
    if (!g_gameState || !person.state().handshake().playRunning())
        return false;
    GameState& state = person.state();
    int units = 0, owned = 0;
    for (int c = 0; c < kCountryCount; ++c)
        for (uint32_t i = 0; i < state.unitCount(c); ++i)
            if (const UnitRecord* u = state.unitOf(c, int(i)); u && unitInPlay(*u))
                ++units;
    for (const BuildingRecord& b : state.buildings())
        owned += b.ownerPlusOne != 0;
    char title[256] = {};
    GetWindowTextA(person.main(), title, sizeof title);
    return units > 0 && owned > 0 && std::string(title) != cp("新規ゲーム");
}

// Gives messages a stopped game may have left behind time to arrive, the end-of-play timer's included.
void settleLong()
{
    Sleep(700);
    settle();
}

} // namespace

TEST_F(PlayThrough, EverySampleMapPlaysTurnsThenANewGameAndAResumeOverItKeepTheBoardFull)
{
    uint64_t computersSpent = 0;
    run([&](Person& person) {
        for (const char* map : { "training.vtm", "riverside.vts", "continent.vtm", "border.vtc" }) {
            SCOPED_TRACE(map);
            const std::string extension = fs::path(map).extension().string();
            const int category = extension == ".vtc" ? 1004 : extension == ".vts" ? 1003 : 1002;
            ASSERT_TRUE(person.clickEnabledTool(menu_id::kNewGame));
            ASSERT_TRUE(person.chooseGame("新規ゲーム", category, map));
            ASSERT_TRUE(person.acceptSetUp());
            ASSERT_TRUE(person.waitForPersonIn(kPhaseAction));
            GameState& state = person.state();
            const uint32_t opening = state.country(0).funds;
            const int incomeShown = person.popupsAnswered(IncomeWindow::kWidth, IncomeWindow::kHeight);
            for (int turn = 0; turn < 2 && !person.gameDecided(); ++turn) {
                // A few units move, so the supply phase has fuel to pay for.
                for (int i = 0, acted = 0; i < int(state.unitCount(0)) && acted < 3 && person.personActs(kPhaseAction); ++i)
                    acted += person.order(i);
                const int number = state.turnBlock().turn;
                ASSERT_TRUE(person.clickEnabledTool(menu_id::kEndActionPhase));
                ASSERT_TRUE(waitFor([&] { return person.personActs(kPhaseProduction) || state.turnBlock().turn > number; }));
                if (person.personActs(kPhaseProduction)) {
                    ASSERT_TRUE(person.clickEnabledTool(menu_id::kEndTurn));
                }
                ASSERT_TRUE(person.waitForPersonIn(kPhaseAction));
            }
            person.shot(std::string("09_") + map);
            const CountryRecord& country = state.country(0);
            EXPECT_GT(packed(country.runningTotal), uint64_t(opening)) << "the person's buildings paid";
            // The person here buys nothing; supplies, replenishment and repairs may not be needed
            // in a few quiet turns, and the books balance all the same.
            EXPECT_EQ(uint64_t(country.funds), packed(country.runningTotal) - packed(country.fundsSpent));
            EXPECT_GT(person.popupsAnswered(IncomeWindow::kWidth, IncomeWindow::kHeight), incomeShown)
                << "the income was shown to the person";
            for (int c = 1; c < kCountryCount; ++c)
                computersSpent += state.country(c).fundsSpent;
            EXPECT_TRUE(boardFull(person));
            const std::string kind = extension == ".vtc" ? "wqc" : extension == ".vts" ? "wqs" : "wqm";
            const std::string save = "over_" + fs::path(map).stem().string() + "." + kind;
            ASSERT_TRUE(person.clickEnabledTool(menu_id::kSaveGameAs));
            ASSERT_TRUE(person.chooseFile("名前を付けてｹﾞｰﾑを保存", save.c_str()));

            ASSERT_TRUE(person.clickEnabledTool(menu_id::kNewGame));
            ASSERT_TRUE(person.chooseGame("新規ゲーム", category, map));
            ASSERT_TRUE(person.acceptSetUp());
            // Once the new game asks its person, whatever the stopped one left behind may still
            // arrive: the board must stay full through it.
            ASSERT_TRUE(person.waitForPersonIn(kPhaseAction));
            settleLong();
            EXPECT_TRUE(boardFull(person)) << "a new game over a running one";
            ASSERT_TRUE(person.clickEnabledTool(menu_id::kResumeGame));
            ASSERT_TRUE(person.chooseGame("ゲーム再開", category, save.c_str()));
            ASSERT_TRUE(person.waitForPersonIn(kPhaseAction));
            settleLong();
            EXPECT_TRUE(boardFull(person)) << "a resume over a running game";
            person.shot(std::string("10_resumed_") + map);
        }
    });
    EXPECT_GT(computersSpent, 0u) << "the computers spent their income";
}
