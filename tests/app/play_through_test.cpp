// The whole program as a person plays it with the mouse: a new game on a sample map, a few turns
// of orders and phase ends with their fights shown as battle scenes, a save, quitting, starting
// again and resuming. With DERAZODO_SHOTS set each step's screen is written there.
#include "app/command_palette.h"
#include "app/main_window.h"
#include "app/map_window.h"
#include "app/menu_ids.h"
#include "app/run_application.h"
#include "app/tool_palette.h"
#include "dialogs/briefing_dialog.h"
#include "dialogs/campaign_troop_deploy_window.h"
#include "dialogs/ending_window.h"
#include "dialogs/hooked_popup_dialog.h"
#include "dialogs/merge_dialog.h"
#include "dialogs/news_dialog.h"
#include "dialogs/production_dialog.h"
#include "dialogs/sel_attack_arms_dialog.h"
#include "dialogs/supply_troop_window.h"
#include "dialogs/think_progress_window.h"
#include "infowin/arm_change_window.h"
#include "infowin/change_player_dialog.h"
#include "infowin/income_window.h"
#include "lib/application.h"
#include "platform/commdlg/commdlg.h"
#include "platform/desktop/harness.h"
#include "platform/kernel/host.h"
#include "rules/commands.h"
#include "rules/game_thread.h"
#include "rules/production_types.h"
#include "state/action_history.h"
#include "state/campaign_progress.h"
#include "state/game_settings.h"
#include "state/game_state.h"
#include "state/unit_facts.h"
#include "tests/app/app_test_support.h"
#include "tests/app/dialog_answer.h"
#include "tests/app/map_window_world.h"
#include "tests/dialogs/popup_driver.h"
#include "tests/dialogs/setup_world.h"
#include "tests/state/packed_value.h"
#include "tests/state/state_test_support.h"
#include "ui/private_messages.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <memory>
#include <span>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <thread>
#include <tuple>
#include <utility>

namespace {

namespace fs = std::filesystem;
namespace harness = platform::harness;
using namespace std::chrono_literals;

using testing_app::cp;

// The pause between steps is the program's time: on the running test clock it passes as soon as
// the program is idle.
void settleInProgramTime()
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

// The highest progress a thinking window showed as it went: read as the window's thread takes its
// close from the queue, while it still stands, since a full bar shows only for a moment.
std::atomic<int> g_thinkingShown { -1 };
HHOOK g_thinkingHook = nullptr;
LRESULT CALLBACK noteThinkingShown(int code, WPARAM removes, LPARAM message)
{
    const MSG& msg = *reinterpret_cast<const MSG*>(message);
    if (msg.message == ui_message::kShowThinkWindow && msg.lParam == 0)
        if (HWND window = FindWindowA(ThinkProgressWindow::kClassName, nullptr))
            g_thinkingShown = std::max(g_thinkingShown.load(), ThinkProgressWindow::shownProgress(window));
    return CallNextHookEx(g_thinkingHook, code, removes, message);
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
    // window's progress to its end.
    bool findMainWindow()
    {
        bool found = waitFor([&] {
            m_main = FindWindowA(MainWindow::kClassName, nullptr);
            return m_main && IsWindowVisible(m_main) && g_gameState;
        });
        settleInProgramTime();
        if (found) {
            m_popups = std::make_unique<popup_test::PopupDismisser>(m_main);
            g_thinkingShown = -1;
            g_thinkingHook = SetWindowsHookExA(WH_GETMESSAGE, noteThinkingShown, nullptr, GetWindowThreadProcessId(m_main, nullptr));
        }
        return found;
    }
    void stopWatching()
    {
        if (g_thinkingHook)
            UnhookWindowsHookEx(std::exchange(g_thinkingHook, nullptr));
        m_popups.reset();
    }
    // The highest progress a thinking window showed, -1 when none was seen.
    int thinkingProgressSeen() const { return g_thinkingShown.load(); }
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
    std::string caption() const
    {
        char text[256] = {};
        GetWindowTextA(m_main, text, sizeof text);
        return text;
    }

    // Runs beside the person until stop is set: each battle scene that opens is pictured, told as a
    // person's (the window's thread hosts it modally, the main window disabled meanwhile) or a
    // computer's (the game thread asked), and cut short by a click.
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
                const bool game_thread = IsWindowEnabled(m_main) != FALSE;
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
        settleInProgramTime();
        if (!m_shots.empty())
            harness::writePng(harness::readScreen(), m_shots + "/" + name + ".png");
    }

    void click(HWND control)
    {
        waitForPopupsAnswered();
        RECT r {};
        GetWindowRect(control, &r);
        harness::click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        settleInProgramTime();
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
        PostMessageA(view->handle(), ui_message::kMapCentreOnHex, WPARAM(x), LPARAM(y));
        settleInProgramTime();
        HexGeometry geometry(view->zoom(), state().mapWidth(), state().mapHeight());
        POINT centre = geometry.hexCentre(x, y);
        POINT origin = view->viewOrigin();
        POINT at { centre.x - origin.x, centre.y - origin.y };
        ClientToScreen(view->handle(), &at);
        waitForPopupsAnswered();
        harness::click(at.x, at.y);
        settleInProgramTime();
    }

    // Fills the file dialog of that title and presses Enter.
    bool chooseFile(const char* utf8Title, const char* name)
    {
        HWND dialog = nullptr;
        if (!waitFor([&] { return (dialog = FindWindowA(nullptr, cp(utf8Title).c_str())) != nullptr; }, 10s))
            return false;
        settleInProgramTime();
        shot(std::string("file_dialog_") + name);
        SetDlgItemTextA(dialog, edt1, name);
        harness::pressKey(VK_RETURN);
        settleInProgramTime();
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
        settleInProgramTime();
        // Simple mode shows no category buttons.
        if (HWND category = GetDlgItem(dialog, categoryButton); category && IsWindowVisible(category))
            click(category);
        HWND list = GetDlgItem(dialog, 1018);
        if (list) {
            const LRESULT row = SendMessageA(list, LB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(name));
            RECT r {};
            if (row < 0 || SendMessageA(list, LB_GETITEMRECT, WPARAM(row), reinterpret_cast<LPARAM>(&r)) == LB_ERR)
                return false;
            POINT at { (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
            ClientToScreen(list, &at);
            harness::click(at.x, at.y);
            settleInProgramTime();
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
        settleInProgramTime();
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
        settleInProgramTime();
        HWND shown = list ? list : briefing;
        shot(list ? "set_up_list" : "set_up_briefing");
        if (list) {
            click(GetDlgItem(list, 1314));
        } else {
            // Enter leafs through the briefing to its last page, where it starts the game.
            SetForegroundWindow(briefing);
            for (int page = 0; page < 20 && IsWindow(briefing); ++page) {
                harness::pressKey(VK_RETURN);
                settleInProgramTime();
            }
        }
        return waitFor([&] { return !IsWindow(shown); }, 10s);
    }

    // While the game thread waits, as before play: whether the screen over every hex the country
    // does not see stays as it is with every other side's units taken off the map.
    bool showsNothingOverFogOf(int country)
    {
        GameState& s = state();
        MapWindow* view = map();
        settleInProgramTime();
        const std::vector<uint32_t> shown = testing_app::foggedHexPixels(*view, s, country);
        std::vector<UnitCell> cells(s.unitCellAt(0, 0), s.unitCellAt(0, 0) + s.mapWidth() * s.mapHeight());
        for (UnitCell& cell : std::span(s.unitCellAt(0, 0), cells.size()))
            for (int slot = 0; slot < kHexSlots; ++slot) {
                if (cell.lowerSide[slot] != country + 1)
                    cell.lowerSide[slot] = cell.lowerUnit[slot] = 0;
                if (cell.upperSide[slot] != country + 1)
                    cell.upperSide[slot] = cell.upperUnit[slot] = 0;
            }
        PostMessageA(view->handle(), ui_message::kMapFullRefresh, 0, 0);
        settleInProgramTime();
        const bool same = testing_app::foggedHexPixels(*view, s, country) == shown;
        std::copy(cells.begin(), cells.end(), s.unitCellAt(0, 0));
        PostMessageA(view->handle(), ui_message::kMapFullRefresh, 0, 0);
        settleInProgramTime();
        return same && !shown.empty();
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

    // The first menu of the menu bar (ゲーム), or the second (ターン).
    void openMenu(int index = 0)
    {
        RECT r {};
        GetWindowRect(m_main, &r);
        int x = r.left + GetSystemMetrics(SM_CXFRAME) + (index == 0 ? 24 : 95);
        int y = r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU) / 2;
        harness::click(x, y);
        settleInProgramTime();
    }

    // The item of the menu open, by its place among `rows` items and `separators` separators.
    void clickMenuItem(int row, int separatorsAbove, int rows, int separators)
    {
        HWND pane = FindWindowA("#32768", nullptr);
        ASSERT_TRUE(pane && IsWindowVisible(pane));
        RECT r {};
        GetClientRect(pane, &r);
        MapWindowPoints(pane, nullptr, reinterpret_cast<POINT*>(&r), 2);
        constexpr int kSeparator = 7;
        const int height = (r.bottom - r.top - kSeparator * separators) / rows;
        harness::click((r.left + r.right) / 2, r.top + row * height + separatorsAbove * kSeparator + height / 2);
        settleInProgramTime();
    }

    // The close box of the main window's caption; the program ends with it, once the person has
    // said yes to leaving turns unsaved.
    void quit()
    {
        if (g_gameState && state().hasUnsavedPlay())
            harness::queueMessageBoxAnswer(IDYES);
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
        waitForOrderPlayedOut();
        return acted;
    }
    // A person waits for the order to play out (its scene, its result window) before the next.
    void waitForOrderPlayedOut()
    {
        waitFor([&] {
            const Handshake& handshake = state().handshake();
            return gameDecided()
                || (handshake.waitingForAnswer() && !handshake.unitCommandBeingSet() && !handshake.combatUnderWay());
        });
        waitForPopupsAnswered();
    }

    // The first of the person's units offered that order where it stands, -1 when none is.
    int unitOffered(int code) const
    {
        GameState& s = state();
        for (uint32_t i = 0; i < s.unitCount(0); ++i) {
            const UnitRecord& u = *s.unitOf(0, int(i));
            if (unitInPlay(u) && !u.hasFlag(kUnitActed | kUnitAboard | kUnitOffMap)
                && availableCommandMask(s, CommandAsk { 0, int(i), u.x, u.y, false, u.movePoints() }) & 1u << code)
                return int(i);
        }
        return -1;
    }
    // Picks the unit by a click on its hex, and in the hex contents popup when the hex holds more.
    bool pickUnit(int index)
    {
        GameState& s = state();
        const UnitRecord& unit = *s.unitOf(0, index);
        const std::vector<HWND> known = popup_test::openDialogs();
        clickHex(unit.x, unit.y);
        for (HWND popup : popup_test::openDialogs()) {
            if (std::find(known.begin(), known.end(), popup) != known.end()
                || !(GetDlgItem(popup, HookedPopupDialog::kFirstUpperRow) || GetDlgItem(popup, HookedPopupDialog::kFirstLowerRow)))
                continue;
            // Those standing on the hex above those its building holds.
            std::vector<UnitRef> standing, held;
            s.collectUnitsInHex(unit.x, unit.y, standing);
            s.collectBuildingUnitsAt(unit.x, unit.y, held);
            auto rowOf = [&](const std::vector<UnitRef>& units) {
                const auto at = std::find_if(units.begin(), units.end(), [&](const UnitRef& r) { return r.table == 0 && r.index == index; });
                return at == units.end() ? -1 : int(at - units.begin());
            };
            shot("hex_contents");
            const int up = rowOf(standing);
            click(GetDlgItem(popup, up >= 0 ? int(HookedPopupDialog::kFirstUpperRow) + up : int(HookedPopupDialog::kFirstLowerRow) + rowOf(held)));
        }
        return palette()->shownUnit() == int32_t(index << 16);
    }
    // Picks the unit and presses the order's button. False when it was not offered.
    bool pressOrder(int index, int code)
    {
        if (!pickUnit(index) || !palette()->isCommandEnabled(code))
            return false;
        click(palette()->commandButton(code));
        return true;
    }
    // The order on the first hex it may target; false when it was not offered or has no target.
    bool orderOnTarget(int index, int code)
    {
        if (!pressOrder(index, code))
            return false;
        GameState& s = state();
        for (int y = 0; y < s.mapHeight(); ++y)
            for (int x = 0; x < s.mapWidth(); ++x)
                if (isCommandTargetHex(s, x, y)) {
                    clickHex(x, y);
                    return true;
                }
        click(palette()->cancelButton());
        return false;
    }
    // Moves a unit onto a hex beside one of the person's supply units, so that it is short of
    // fuel where it may be refuelled. False when no unit could.
    bool moveBesideSupplier()
    {
        GameState& s = state();
        std::vector<HexPos> beside;
        for (uint32_t i = 0; i < s.unitCount(0); ++i)
            if (const UnitRecord* u = s.unitOf(0, int(i)); u && unitInPlay(*u) && u->isOnOwnHex() && u->supplyStock() > 0)
                for (int d = 0; d < 6; ++d)
                    beside.push_back(s.hexNeighbour(u->x, u->y, d));
        for (uint32_t i = 0; i < s.unitCount(0); ++i) {
            const UnitRecord& u = *s.unitOf(0, int(i));
            if (!unitInPlay(u) || u.supplyStock() > 0 || u.hasFlag(kUnitActed | kUnitAboard | kUnitStored | kUnitOffMap))
                continue;
            clickHex(u.x, u.y);
            if (palette()->shownUnit() != int32_t(i << 16))
                continue;
            for (const HexPos& to : beside)
                if (to.valid() && (to.x != u.x || to.y != u.y) && isInMoveRange(s, to.x, to.y)) {
                    clickHex(to.x, to.y);
                    click(palette()->commandButton(kCommandEndAction));
                    waitForOrderPlayedOut();
                    return u.x == to.x && u.y == to.y;
                }
            click(palette()->cancelButton());
        }
        return false;
    }

    // A shown window of exactly that title, found without a message: GetWindowText on another
    // thread's window sends it WM_GETTEXT, and a person polling that way keeps the program busy.
    static HWND shownWindow(const char* utf8Title)
    {
        HWND h = FindWindowA(nullptr, cp(utf8Title).c_str());
        return h && IsWindowVisible(h) ? h : nullptr;
    }
    // A shown window whose title starts with that text (some name their unit after it); null when
    // none came in time.
    HWND waitForWindow(const char* utf8Title, std::chrono::milliseconds timeout = 10s)
    {
        const std::string title = cp(utf8Title);
        auto shown = [&] {
            for (HWND h = FindWindowExA(nullptr, nullptr, nullptr, nullptr); h; h = FindWindowExA(nullptr, h, nullptr, nullptr)) {
                char text[256] = {};
                GetWindowTextA(h, text, sizeof text);
                if (IsWindowVisible(h) && std::string_view(text).starts_with(title))
                    return h;
            }
            return HWND(nullptr);
        };
        if (!waitFor([&] { return shown() != nullptr; }, timeout))
            return nullptr;
        settleInProgramTime();
        return shown();
    }
    // Clicks the control and waits for its window to close.
    bool clickToClose(HWND window, int id)
    {
        click(GetDlgItem(window, id));
        return waitFor([&] { return !IsWindow(window) || !IsWindowVisible(window); }, 10s);
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
        settleInProgramTime();
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

    std::string m_shots;
    HWND m_main = nullptr;
    int m_fights = 0;
    std::unique_ptr<popup_test::PopupDismisser> m_popups;
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
            fs::copy(fs::path(DERAZODO_PROGRAM_DIR) / folder, m_data.host(folder), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
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
                settleInProgramTime();
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
        person.openMenu();
        person.shot("06_game_menu");
        harness::pressKey(VK_ESCAPE);
        harness::pressKey(VK_ESCAPE);
        settleInProgramTime();
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
        EXPECT_EQ(person.caption(), "playthrough.wqm");
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
    return units > 0 && owned > 0 && person.caption() != cp("新規ゲーム");
}

// Gives messages a stopped game may have left behind time to arrive, the end-of-play timer's included.
void settleLong()
{
    Sleep(700);
    settleInProgramTime();
}

} // namespace

namespace {

struct SampleMap {
    const char* file;
    // Its computers buy within the first two turns.
    bool computersBuy;
};

void PrintTo(const SampleMap& sample, std::ostream* out) { *out << sample.file; }

// One sample map a test: each plays a few seconds, and they run side by side.
class EverySampleMap : public PlayThrough, public ::testing::WithParamInterface<SampleMap> { };

} // namespace

TEST_P(EverySampleMap, PlaysTurnsThenANewGameAndAResumeOverItKeepTheBoardFull)
{
    uint64_t computersSpent = 0;
    // A simple-mode map plays in simple mode, its phases not explained: the person knows them.
    const bool simple = fs::path(GetParam().file).extension() == ".smp";
    makeNamedValue("SimpleMode").profileWriteInt(simple);
    for (const char* key : kPhaseHelpKeys)
        makeNamedValue(key).profileWriteBool(false);
    run([&](Person& person) {
        const char* map = GetParam().file;
        const std::string extension = fs::path(map).extension().string();
        const int category = extension == ".vtc" ? 1004 : extension == ".vts" || simple ? 1003 : 1002;
        ASSERT_TRUE(person.clickEnabledTool(menu_id::kNewGame));
        ASSERT_TRUE(person.chooseGame("新規ゲーム", category, map));
        ASSERT_TRUE(person.acceptSetUp());
        ASSERT_TRUE(person.waitForPersonIn(kPhaseAction));
        // Past the briefing's news the caption names the game's file.
        EXPECT_EQ(person.caption(), map);
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
        // Named without an extension: the save dialog adds the game's kind's.
        const std::string kind = simple ? "wrs" : extension == ".vtc" ? "wqc" : extension == ".vts" ? "wqs" : "wqm";
        const std::string save = "over_" + fs::path(map).stem().string() + "." + kind;
        const int savedTurn = state.turnBlock().turn;
        ASSERT_TRUE(person.clickEnabledTool(menu_id::kSaveGameAs));
        ASSERT_TRUE(person.chooseFile("名前を付けてｹﾞｰﾑを保存", fs::path(save).stem().string().c_str()));
        ASSERT_TRUE(fs::exists(m_data.host("save/" + save)));

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
        EXPECT_EQ(int(person.state().turnBlock().turn), savedTurn);
        settleLong();
        EXPECT_TRUE(boardFull(person)) << "a resume over a running game";
        person.shot(std::string("10_resumed_") + map);
    });
    if (GetParam().computersBuy) {
        EXPECT_GT(computersSpent, 0u) << "the computers spent their income";
    }
}

INSTANTIATE_TEST_SUITE_P(SampleMaps, EverySampleMap,
                         ::testing::Values(SampleMap { "training.vtm", true }, SampleMap { "riverside.vts", true },
                                           SampleMap { "continent.vtm", true }, SampleMap { "border.vtc", false },
                                           SampleMap { "training.smp", false }),
                         [](const ::testing::TestParamInfo<SampleMap>& info) {
                             const fs::path file(info.param.file);
                             return file.stem().string() + (file.extension() == ".smp" ? "_simple" : "");
                         });

namespace {

// The live units of the person's country by index.
std::vector<int> liveUnits(GameState& state)
{
    std::vector<int> out;
    for (uint32_t i = 0; i < state.unitCount(0); ++i)
        if (const UnitRecord* u = state.unitOf(0, int(i)); u && unitInPlay(*u))
            out.push_back(int(i));
    return out;
}

// The person's buildings where the production dialog opens.
std::vector<HexPos> productionHexes(GameState& state)
{
    std::vector<HexPos> out;
    for (const BuildingRecord& b : state.buildings())
        if (canOpenProductionAt(state, b.x, b.y, 0))
            out.push_back({ int(b.x), int(b.y) });
    return out;
}

struct WholeGameMap {
    const char* file;
    // Its first turns offer the person an armament change, a split and the merge after it, and a
    // supply truck to move up to.
    bool everyOrder;
};

void PrintTo(const WholeGameMap& sample, std::ostream* out) { *out << sample.file; }

// The deployment window's width, and where its list and its start button lie from the foot of its client.
using DeployLayout = std::array<LONG, 4>;
DeployLayout deployLayout(HWND deployment)
{
    RECT window {}, client {}, list {}, start {};
    GetWindowRect(deployment, &window);
    GetClientRect(deployment, &client);
    GetWindowRect(GetDlgItem(deployment, troop_deploy_id::kList), &list);
    GetWindowRect(GetDlgItem(deployment, troop_deploy_id::kStartGame), &start);
    POINT foot { 0, client.bottom };
    ClientToScreen(deployment, &foot);
    return { window.right - window.left, foot.y - list.bottom, foot.y - start.top, start.left - window.left };
}

class WholeGame : public PlayThrough, public ::testing::WithParamInterface<WholeGameMap> { };

} // namespace

// A person's game by input alone: the new game through its dialogs, a split, an armament change
// and attacks, a purchase with the income, the bought unit brought out and moved, a merge, the
// supplies asked for, a save and a resume, then the country handed to the computer, which plays
// on to the end; every page of the ending window, and the window left without a game.
TEST_P(WholeGame, APersonPlaysFromTheNewGameToTheEndOfPlay)
{
    const std::string map = GetParam().file;
    const bool everyOrder = GetParam().everyOrder;
    const std::string extension = fs::path(map).extension().string();
    const int category = extension == ".vtc" ? 1004 : extension == ".vts" ? 1003 : 1002;
    // The person's settings: supplies asked for; the computer's pauses, the map's pace and the
    // fights of the computers among themselves, which are for the eye only and on the running test
    // clock cost real time while they play, off.
    makeNamedValue("AskSupply").profileWriteInt(1);
    for (const char* key : { "SleepInterval", "SleepTime", "LevelEffect", "FightOfAll", "MapOnBombAnim", "PlaySE" })
        makeNamedValue(key).profileWriteInt(0);
    makeNamedValue("TroopMoveAnim").profileWriteInt(2);
    run([&](Person& person) {
        ASSERT_TRUE(person.clickEnabledTool(menu_id::kNewGame));
        ASSERT_TRUE(person.chooseGame("新規ゲーム", category, map.c_str()));
        ASSERT_TRUE(person.acceptSetUp());
        ASSERT_TRUE(person.waitForPersonIn(kPhaseAction));
        GameState& s = person.state();

        // Turn 1: an armament change, for another set than the unit holds.
        int split = -1, part = -1, machines = 0;
        if (everyOrder) {
            const int rearmed = person.unitOffered(kCommandArmamentExchange);
            ASSERT_GE(rearmed, 0);
            const int model = s.unitOf(0, rearmed)->model;
            ASSERT_TRUE(person.pressOrder(rearmed, kCommandArmamentExchange));
            HWND arms = person.waitForWindow("武装交換");
            ASSERT_TRUE(arms);
            for (int set = 0; set < 4; ++set) {
                HWND button = GetDlgItem(arms, int(arm_change_id::kFirstSet) + set);
                if (set != model && button && IsWindowEnabled(button) && IsWindowVisible(button)) {
                    person.click(button);
                    break;
                }
            }
            person.shot("whole_armament_change");
            ASSERT_TRUE(person.clickToClose(arms, int(arm_change_id::kConfirm)));
            person.waitForOrderPlayedOut();
            EXPECT_NE(s.unitOf(0, rearmed)->model, model);

            // A split, which leaves two units of one type short of machines to merge next turn.
            split = person.unitOffered(kCommandSplit);
            ASSERT_GE(split, 0);
            machines = strengthSlotCount(*s.unitOf(0, split));
            const std::vector<int> beforeSplit = liveUnits(s);
            ASSERT_TRUE(person.orderOnTarget(split, kCommandSplit));
            HWND dialog = person.waitForWindow("分散");
            ASSERT_TRUE(dialog);
            person.shot("whole_split");
            ASSERT_TRUE(person.clickToClose(dialog, int(merge_id::kExecute)));
            person.waitForOrderPlayedOut();
            ASSERT_EQ(liveUnits(s).size(), beforeSplit.size() + 1);
            part = liveUnits(s).back();
            EXPECT_EQ(strengthSlotCount(*s.unitOf(0, split)) + strengthSlotCount(*s.unitOf(0, part)), machines);

            // A unit moves up to a supply truck, which refuels it in the supply phase.
            ASSERT_TRUE(person.moveBesideSupplier());
        }

        // The others attack with their weapon choice, or move towards the other sides.
        auto attack = [&] {
            for (int i = 0; i < int(s.unitCount(0)) && person.fights() == 0 && person.personActs(kPhaseAction); ++i)
                if (i != split && i != part)
                    person.order(i);
        };
        attack();

        // The purchase, with the income: a row the funds pay for, then the order carried out.
        ASSERT_TRUE(person.clickEnabledTool(menu_id::kEndActionPhase));
        ASSERT_TRUE(person.waitForPersonIn(kPhaseProduction));
        const std::vector<HexPos> factories = productionHexes(s);
        ASSERT_FALSE(factories.empty());
        const HexPos factory = factories.front();
        const uint64_t spent = packed(s.country(0).fundsSpent);
        const std::vector<int> beforePurchase = liveUnits(s);
        person.clickHex(factory.x, factory.y);
        HWND production = person.waitForWindow("生 産");
        ASSERT_TRUE(production);
        HWND list = GetDlgItem(production, int(production_id::kTypeList));
        const int rows = int(SendMessageA(list, LB_GETCOUNT, 0, 0));
        HWND stored = GetDlgItem(production, int(production_id::kStoredList));
        for (int row = 0; row < rows && IsWindow(production); ++row) {
            testing_app::pressListRow(list, row);
            person.click(GetDlgItem(production, int(production_id::kProduce)));
            if (stored && IsWindow(production) && SendMessageA(stored, LB_GETCOUNT, 0, 0) > 0) {
                person.shot("whole_production");
                person.clickToClose(production, int(production_id::kOk));
            }
        }
        ASSERT_FALSE(IsWindow(production) && IsWindowVisible(production)) << "nothing the funds pay for";
        const std::vector<int> afterPurchase = liveUnits(s);
        ASSERT_EQ(afterPurchase.size(), beforePurchase.size() + 1);
        const int bought = afterPurchase.back();
        const uint32_t boughtType = s.unitOf(0, bought)->unitTypeId;
        EXPECT_GT(packed(s.country(0).fundsSpent), spent) << "the purchase was paid";
        ASSERT_TRUE(person.clickEnabledTool(menu_id::kEndTurn));
        ASSERT_TRUE(person.waitForPersonIn(kPhaseAction));
        EXPECT_TRUE(!everyOrder || person.popupsAnswered(SupplyTroopWindow::kWidth, SupplyTroopWindow::kHeight) > 0)
            << "a supply was asked for and given";

        // Turn 2: the bought unit leaves its building for the nearest hex it may reach.
        ASSERT_TRUE(person.pickUnit(bought));
        HexPos to = kNoHex;
        for (int y = 0; y < s.mapHeight(); ++y)
            for (int x = 0; x < s.mapWidth(); ++x)
                if (isInMoveRange(s, x, y) && (x != factory.x || y != factory.y)
                    && (!to.valid() || hexDistance({ x, y }, factory) < hexDistance(to, factory)))
                    to = { x, y };
        ASSERT_TRUE(to.valid());
        person.clickHex(to.x, to.y);
        person.click(person.palette()->commandButton(kCommandEndAction));
        person.waitForOrderPlayedOut();
        const UnitRecord& unit = *s.unitOf(0, bought);
        EXPECT_EQ((HexPos { unit.x, unit.y }), to);
        EXPECT_EQ(unit.unitTypeId, boughtType);
        EXPECT_FALSE(unit.hasFlag(kUnitStored));

        // The merge of the split's two halves.
        if (everyOrder) {
            const int merging = person.unitOffered(kCommandMerge);
            ASSERT_GE(merging, 0);
            const int together = strengthSlotCount(*s.unitOf(0, split)) + strengthSlotCount(*s.unitOf(0, part));
            ASSERT_TRUE(person.orderOnTarget(merging, kCommandMerge));
            HWND dialog = person.waitForWindow("合流");
            ASSERT_TRUE(dialog);
            for (int i = 0; i < 8 && IsWindowEnabled(GetDlgItem(dialog, int(merge_id::kToRight))); ++i)
                person.click(GetDlgItem(dialog, int(merge_id::kToRight)));
            person.shot("whole_merge");
            ASSERT_TRUE(person.clickToClose(dialog, int(merge_id::kExecute)));
            person.waitForOrderPlayedOut();
            auto machinesOf = [&](int index) { return unitInPlay(*s.unitOf(0, index)) ? strengthSlotCount(*s.unitOf(0, index)) : 0; };
            EXPECT_EQ(machinesOf(split) + machinesOf(part), together);
            EXPECT_EQ(std::max(machinesOf(split), machinesOf(part)), machines) << "one of them whole again";
        }

        // An attack on this turn when the units were too far apart on the first.
        attack();
        EXPECT_TRUE(!everyOrder || person.fights() > 0);

        // Saved at the largest zoom with the view scrolled as far as the map goes, then resumed
        // at the zoom a restart opens with and the view at the top-left: the game comes back with
        // its whole history, its zoom and the view where it was saved.
        const std::string save = "whole_" + fs::path(map).stem().string() + "." + (extension == ".vtc" ? "wqc" : extension == ".vts" ? "wqs" : "wqm");
        const int turn = s.turnBlock().turn;
        // The arrow keys pressed until the view goes no further.
        auto scroll = [&](UINT across, UINT down) {
            SetForegroundWindow(person.main());
            POINT before { -1, -1 };
            for (int i = 0; i < 100 && (before.x != person.map()->viewOrigin().x || before.y != person.map()->viewOrigin().y); ++i) {
                before = person.map()->viewOrigin();
                harness::pressKey(across);
                harness::pressKey(down);
                settleInProgramTime();
            }
        };
        // The zoom, the view's top-left in map pixels and where the scroll bars stand.
        auto barAt = [&](int bar) {
            SCROLLINFO info {};
            info.cbSize = sizeof info;
            info.fMask = SIF_ALL;
            GetScrollInfo(person.map()->handle(), bar, &info);
            return std::tuple { info.nPos, info.nPage, info.nMax };
        };
        auto viewAt = [&] {
            const POINT origin = person.map()->viewOrigin();
            return std::tuple { person.map()->zoom(), origin.x, origin.y, barAt(SB_HORZ), barAt(SB_VERT) };
        };
        // The main window at its least size, so that the map has the most room to scroll.
        RECT placed {};
        GetWindowRect(person.main(), &placed);
        MoveWindow(person.main(), placed.left, placed.top, 0, 0, TRUE);
        ASSERT_TRUE(person.clickEnabledTool(menu_id::kZoom48));
        scroll(VK_RIGHT, VK_DOWN);
        person.shot("whole_saved_view");
        const auto saved = viewAt();
        ASSERT_EQ(std::get<0>(saved), 2);
        RECT client {};
        GetClientRect(person.map()->handle(), &client);
        const HexGeometry largest(2, s.mapWidth(), s.mapHeight());
        const SIZE room { largest.mapPixelSize().cx - client.right, largest.mapPixelSize().cy - client.bottom };
        // As far as the map goes, and each scroll bar at its end.
        ASSERT_EQ(std::get<1>(saved), std::max<LONG>(0, room.cx));
        ASSERT_EQ(std::get<2>(saved), std::max<LONG>(0, room.cy));
        for (const auto& [pos, page, max] : { std::get<3>(saved), std::get<4>(saved) })
            EXPECT_TRUE(page > UINT(max) || pos + int(page) == max + 1) << pos << " " << page << " " << max;
        const uint32_t events = s.historyLog().count();
        const HistoryRecord first = s.historyLog().record(0);
        ASSERT_TRUE(person.clickEnabledTool(menu_id::kSaveGameAs));
        ASSERT_TRUE(person.chooseFile("名前を付けてｹﾞｰﾑを保存", save.c_str()));
        // Scrolled back before the zoom changes, so that the zoom does not come back to the saved view.
        scroll(VK_LEFT, VK_UP);
        ASSERT_TRUE(person.clickEnabledTool(menu_id::kZoom32));
        ASSERT_NE(viewAt(), saved);
        ASSERT_EQ(std::get<1>(viewAt()) + std::get<2>(viewAt()), 0);
        ASSERT_TRUE(person.clickEnabledTool(menu_id::kResumeGame));
        ASSERT_TRUE(person.chooseGame("ゲーム再開", category, save.c_str()));
        ASSERT_TRUE(person.waitForPersonIn(kPhaseAction));
        GameState& resumed = person.state();
        EXPECT_EQ(int(resumed.turnBlock().turn), turn);
        EXPECT_EQ((HexPos { resumed.unitOf(0, bought)->x, resumed.unitOf(0, bought)->y }), to);
        EXPECT_EQ(resumed.historyLog().count(), events) << "the history the game was saved with";
        EXPECT_EQ(std::memcmp(&resumed.historyLog().record(0), &first, sizeof first), 0);
        EXPECT_EQ(viewAt(), saved);
        person.shot("whole_resumed");
        MoveWindow(person.main(), placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top, TRUE);

        // The country handed to the computer from the turn menu; play runs to its end.
        auto handOver = [&](const std::string& shots) {
            person.openMenu(1);
            person.shot(shots + "_turn_menu");
            person.clickMenuItem(3, 1, 6, 2);
            HWND players = person.waitForWindow("プレイヤー変更");
            if (!players)
                return false;
            HWND combo = GetDlgItem(players, int(change_player_id::kFirstCombo));
            const LRESULT comp = SendMessageA(combo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM("COMP"));
            SendMessageA(combo, CB_SETCURSEL, WPARAM(comp), 0);
            SendMessageA(players, WM_COMMAND, MAKEWPARAM(change_player_id::kFirstCombo, CBN_SELCHANGE), LPARAM(combo));
            person.shot(shots + "_players");
            return person.clickToClose(players, int(change_player_id::kOk)) && person.state().country(0).controller != 1;
        };
        ASSERT_TRUE(handOver("whole"));

        // A won campaign stage leads to the next: its briefing read to the start, the units
        // carried over placed by the program and the country, the person's again, handed over
        // anew. The closing news of a map that has one comes before the ending window, read page
        // by page.
        HWND ending = nullptr;
        DeployLayout firstDeployment {};
        int newsPages = 0;
        int stages = 1;
        bool handedOver = true;
        waitFor([&] {
            if ((ending = Person::shownWindow("戦果報告"))) {
                settleInProgramTime();
                return true;
            }
            if (HWND deployment = Person::shownWindow("部隊配置")) {
                settleInProgramTime();
                person.shot("whole_deployment");
                EXPECT_TRUE(person.showsNothingOverFogOf(person.state().campaignBlock().playerCountry))
                    << "the enemy shows through the fog before play";
                firstDeployment = deployLayout(deployment);
                person.click(setup_test::control(deployment, troop_deploy_id::kPlaceAutomatically));
                person.click(setup_test::control(deployment, troop_deploy_id::kStartGame));
                waitFor([&] { return !IsWindow(deployment) || !IsWindowVisible(deployment); }, 10s);
                ++stages;
                handedOver = false;
            } else if (HWND briefing = Person::shownWindow("ブリーフィング")) {
                // Clicked, not Enter: the game thread's dialog goes on the key's press, and its
                // release would wait for ever in a queue that thread no longer reads.
                settleInProgramTime();
                const bool last = setup_test::shown(briefing, briefing_id::kStart);
                person.click(setup_test::control(briefing, last ? briefing_id::kStart : briefing_id::kNext));
            } else if (!handedOver && person.personActs(kPhaseAction)) {
                handedOver = handOver("whole_stage" + std::to_string(stages));
            }
            for (HWND news : popup_test::openDialogs()) {
                if (!GetDlgItem(news, news_id::kBack) || !GetDlgItem(news, news_id::kClose))
                    continue;
                person.shot("whole_news_" + std::to_string(newsPages++));
                HWND next = GetDlgItem(news, news_id::kNext);
                person.click(IsWindowVisible(next) && IsWindowEnabled(next) ? next : GetDlgItem(news, news_id::kClose));
            }
            return false;
        }, 120s);
        ASSERT_TRUE(ending) << "play did not end";
        if (extension == ".vtc") {
            // Seeded by the clock, the pool now and then has the first stage lost, which ends the campaign.
            EXPECT_TRUE(stages > 1 || hasCampaignPlayerLost(person.state())) << "a won first stage leads on";
            EXPECT_EQ(int(person.state().campaignBlock().currentStage), stages);
        }
        auto* window = dynamic_cast<EndingWindow*>(windowFromHandle(ending));
        ASSERT_NE(window, nullptr);
        // The graphs of territories, income and units end where the summary's table stands.
        GameState& ended = person.state();
        ASSERT_GT(ended.turnStatsCount(), 0u);
        const TurnStatsRecord& last = *ended.turnStatsAt(ended.turnStatsCount() - 1);
        for (int c = 0; c < kCountryCount; ++c)
            if (ended.country(c).controller != 0) {
                EXPECT_EQ(last.country[c].threadValue, uint32_t(ended.countOwnedBuildings(c))) << c;
                EXPECT_EQ(last.country[c].income, uint32_t(ended.countBuildingsOf(c))) << c;
                EXPECT_EQ(last.country[c].unitCount, uint32_t(ended.liveUnitCount(c))) << c;
            }
        for (int page = 0; page <= EndingWindow::kEvaluationPage; ++page) {
            EXPECT_EQ(window->page(), page);
            // The territories' graph pictured whole, as its reveal ends.
            if (page == 1) {
                EXPECT_TRUE(waitFor([&] { return !window->revealRunning(); }, 20s));
            }
            person.shot("whole_ending_" + std::to_string(page));
            const int next = page == EndingWindow::kEvaluationPage ? ending_id::kFinish : ending_id::kNext;
            person.click(GetDlgItem(ending, next));
        }
        EXPECT_TRUE(waitFor([&] { return !IsWindow(ending); }, 10s));
        settleLong();
        person.shot("whole_after");
        EXPECT_EQ(person.state().mapWidth(), 0) << "no board of the ended game is left";
        EXPECT_FALSE(person.state().handshake().playRunning());

        // The campaign once more in the same run starts clean: nothing of the last run to place
        // before play, the enemy shown as the person sees it, and the next stage's deployment of
        // this run's units only, laid out as the first time.
        if (extension != ".vtc")
            return;
        ASSERT_TRUE(person.clickEnabledTool(menu_id::kNewGame));
        ASSERT_TRUE(person.chooseGame("新規ゲーム", category, map.c_str()));
        ASSERT_TRUE(person.acceptSetUp());
        bool placedBeforePlay = false;
        ASSERT_TRUE(waitFor([&] { return (placedBeforePlay |= Person::shownWindow("部隊配置") != nullptr), person.personActs(kPhaseAction); }));
        person.shot("whole_again");
        EXPECT_FALSE(placedBeforePlay);
        EXPECT_EQ(person.state().carryOverCount(), 0u);
        EXPECT_EQ(person.map()->fogViewer(), 0);
        ASSERT_TRUE(handOver("whole_again"));
        HWND deployment = nullptr;
        waitFor([&] {
            if (HWND briefing = Person::shownWindow("ブリーフィング"))
                person.click(setup_test::control(briefing, setup_test::shown(briefing, briefing_id::kStart) ? briefing_id::kStart : briefing_id::kNext));
            for (HWND news : popup_test::openDialogs())
                if (GetDlgItem(news, news_id::kBack) && GetDlgItem(news, news_id::kClose))
                    person.click(GetDlgItem(news, news_id::kClose));
            return (deployment = Person::shownWindow("部隊配置")) || Person::shownWindow("戦果報告");
        }, 120s);
        if (deployment && firstDeployment[0] != 0) {
            person.shot("whole_again_deployment");
            EXPECT_TRUE(person.showsNothingOverFogOf(person.state().campaignBlock().playerCountry));
            EXPECT_EQ(deployLayout(deployment), firstDeployment);
            EXPECT_EQ(SendMessageA(GetDlgItem(deployment, troop_deploy_id::kList), LB_GETCOUNT, 0, 0), LRESULT(person.state().carryOverCount()));
        }
    });
}

INSTANTIATE_TEST_SUITE_P(SampleMaps, WholeGame,
    ::testing::Values(WholeGameMap { "riverside.vts", true }, WholeGameMap { "training.vtm", true },
        WholeGameMap { "continent.vtm", true }, WholeGameMap { "border.vtc", true }, WholeGameMap { "duel.vtm", false },
        WholeGameMap { "octagon.vtm", false }, WholeGameMap { "pentagon.vtm", false }),
    [](const ::testing::TestParamInfo<WholeGameMap>& info) { return fs::path(info.param.file).stem().string(); });
