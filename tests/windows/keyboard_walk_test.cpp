// Every registered window walked with the keyboard alone: it opens with the keyboard, Tab reaches
// each control a person could click and shows where it is, the arrows change the choice of each
// group of options it reaches, Enter presses its default button where it has one, and Escape closes
// or cancels it.
#include "tests/windows/registry/window_registry.h"
#include "tests/windows/window_checks.h"

#include "platform/desktop/harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <map>
#include <mutex>
#include <ostream>
#include <set>
#include <string>
#include <thread>

using namespace window_registry;
namespace harness = platform::harness;

namespace {

using namespace std::chrono_literals;

std::string className(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

LONG styleOf(HWND window) { return LONG(GetWindowLongPtrA(window, GWL_STYLE)); }

bool isRadio(HWND control)
{
    const LONG kind = styleOf(control) & 0xF;
    return className(control) == "Button" && (kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON);
}

// The controls a person works with the keyboard: buttons, fields, lists, boxes, sliders and tabs.
// The edit field inside a combo box is the combo box's.
bool takesKeys(HWND control)
{
    if (!IsWindowVisible(control) || !IsWindowEnabled(control))
        return false;
    // A control of no size (a focus sink) is none a person can reach.
    RECT area {};
    if (GetClientRect(control, &area) && IsRectEmpty(&area))
        return false;
    if (HWND parent = GetParent(control); parent && className(parent) == "ComboBox")
        return false;
    const std::string name = className(control);
    if (name == "Button")
        return (styleOf(control) & 0xF) != BS_GROUPBOX;
    return name == "Edit" || name == "ComboBox" || name == "ListBox" || name == "SysListView32" || name == "msctls_trackbar32"
        || name == "SysTabControl32";
}

BOOL CALLBACK collectControl(HWND child, LPARAM list)
{
    if (takesKeys(child))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

std::vector<HWND> controlsOf(HWND window)
{
    std::vector<HWND> controls;
    EnumChildWindows(window, collectControl, reinterpret_cast<LPARAM>(&controls));
    return controls;
}

// The controls of the control's group: Tab reaches the group, the arrows its members.
std::vector<HWND> groupOf(HWND control)
{
    std::vector<HWND> group { control };
    HWND parent = GetParent(control);
    for (HWND next = GetNextDlgGroupItem(parent, control, FALSE); next && next != control;
         next = GetNextDlgGroupItem(parent, next, FALSE)) {
        if (std::find(group.begin(), group.end(), next) != group.end())
            break;
        group.push_back(next);
    }
    return group;
}

std::string describe(HWND control)
{
    char text[64] = {};
    GetWindowTextA(control, text, sizeof text);
    return className(control) + " " + std::to_string(GetDlgCtrlID(control)) + " \"" + platform::cp932ToUtf8(text) + "\"";
}

void settle() { harness::waitIdle(); }

bool gone(HWND window) { return !IsWindow(window) || !IsWindowVisible(window); }

bool waitGone(HWND window, std::chrono::milliseconds limit)
{
    for (auto waited = 0ms; waited < limit && !gone(window); waited += 10ms) {
        harness::waitIdle();
        std::this_thread::sleep_for(10ms);
    }
    return gone(window);
}

// Options, and the rows of a list drawn as buttons, share one Tab stop: the arrows reach the
// others of the group.
bool inGroupReached(HWND control, const std::set<HWND>& reached)
{
    if (!isRadio(control) && (styleOf(control) & WS_TABSTOP))
        return false;
    const std::vector<HWND> group = groupOf(control);
    return std::any_of(group.begin(), group.end(), [&](HWND g) { return reached.count(g) > 0; });
}

// The command ids that reach the spied window: the dialog manager sends Enter's command, so no
// hook on the queue sees it. One window at a time.
std::mutex g_spyMutex;
std::vector<int> g_commands;
std::atomic<WNDPROC> g_spiedProc { nullptr };

LRESULT CALLBACK commandSpy(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        std::lock_guard lock(g_spyMutex);
        g_commands.push_back(LOWORD(wParam));
    }
    return CallWindowProcA(g_spiedProc, window, message, wParam, lParam);
}

bool isPushButton(HWND control)
{
    const LONG kind = styleOf(control) & 0xF;
    return className(control) == "Button" && (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON);
}

// The control Enter acts on: a focused list that tells of double clicks takes it for one; else
// the button the dialog manager chooses: the push button that has the focus, else the dialog's
// default (DM_GETDEFID, else a button styled so); null for none.
HWND enterButton(HWND window)
{
    HWND focus = GetFocus();
    if (focus && IsChild(window, focus)
        && ((className(focus) == "ListBox" && (styleOf(focus) & LBS_NOTIFY)) || isPushButton(focus)))
        return focus;
    if (className(window) == "#32770") {
        const LRESULT def = SendMessageA(window, DM_GETDEFID, 0, 0);
        if (HWND button = HIWORD(def) == DC_HASDEFID ? GetDlgItem(window, LOWORD(def)) : nullptr)
            return button;
    }
    for (HWND control : controlsOf(window))
        if (className(control) == "Button" && (styleOf(control) & 0xF) == BS_DEFPUSHBUTTON)
            return control;
    return nullptr;
}

// What the keyboard does in one window.
struct Walk {
    bool focused = true; // the window opens with the keyboard in it
    bool entered = true; // Enter presses the default button; with none it leaves the window open
    int missed = 0;      // clickable controls Tab never reaches, and groups whose choice the arrows do not change
    bool closed = true;  // Escape closes or cancels it
    int unseen = 0;      // stops where a person cannot tell where the focus is
    bool operator==(const Walk&) const = default;
    friend void PrintTo(const Walk& w, std::ostream* out)
    {
        *out << "{ focused " << w.focused << ", entered " << w.entered << ", missed " << w.missed << ", closed " << w.closed
             << ", unseen " << w.unseen << " }";
    }
};

// Enter on the window as it opened. True when it still shows afterwards.
bool enter(HWND window, Walk& walk, std::vector<std::string>& detail)
{
    walk.focused = GetFocus() && GetAncestor(GetFocus(), GA_ROOT) == window;
    if (GetFocus() == window && GetNextDlgTabItem(window, nullptr, FALSE)) {
        ++walk.unseen;
        detail.push_back("it opens with the keyboard on none of its controls");
    }
    // A disabled default is no button to press: Enter then does nothing.
    HWND button = enterButton(window);
    if (button && !IsWindowEnabled(button))
        button = nullptr;
    const std::string named = button ? describe(button) : "";
    const int id = button ? GetDlgCtrlID(button) : 0;
    HWND rootBefore = GetFocus() ? GetAncestor(GetFocus(), GA_ROOT) : nullptr;
    g_commands.clear();
    g_spiedProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&commandSpy));
    harness::pressKey(VK_RETURN);
    settle();
    // A list's double click may open a window of its own, which Escape closes again.
    if (HWND focus = GetFocus(); focus && !gone(window) && GetAncestor(focus, GA_ROOT) != window
        && GetAncestor(focus, GA_ROOT) != rootBefore) {
        harness::pressKey(VK_ESCAPE);
        waitGone(GetAncestor(focus, GA_ROOT), 2000ms);
    }
    if (IsWindow(window))
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_spiedProc.load()));
    const std::vector<int> seen = [] { std::lock_guard lock(g_spyMutex); return g_commands; }();
    const bool shows = !gone(window);
    if (button) {
        walk.entered = std::count(seen.begin(), seen.end(), id) > 0;
        if (!walk.entered)
            detail.push_back("Enter does not press " + named);
    } else {
        walk.entered = shows;
        if (!shows)
            detail.push_back("Enter closed it, which has no default button");
    }
    return shows;
}

// Down on an option picks another of its group: false when the group's choice stays as it was.
bool arrowsChange(const std::vector<HWND>& group)
{
    auto checked = [&] { return std::find_if(group.begin(), group.end(), [](HWND g) { return SendMessageA(g, BM_GETCHECK, 0, 0) == BST_CHECKED; }); };
    const auto before = checked();
    harness::pressKey(VK_DOWN);
    settle();
    return checked() != before;
}

void lookForFocus(HWND window, Walk& walk, std::vector<std::string>& detail)
{
    const std::vector<std::string> found = window_checks::unseenFocus(window);
    walk.unseen += found.empty() ? 0 : 1;
    detail.insert(detail.end(), found.begin(), found.end());
}

void tabAndEscape(HWND window, Walk& walk, bool expectClosed, std::vector<std::string>& detail)
{
    const std::vector<HWND> controls = controlsOf(window);
    std::set<HWND> reached, changed;
    int unchanged = 0;
    // A choice may take others out of use on the way: only those still in use are owed.
    auto missing = [&] {
        std::vector<HWND> left;
        for (HWND c : controls)
            if (IsWindow(c) && takesKeys(c) && !reached.count(c) && !inGroupReached(c, reached))
                left.push_back(c);
        return left;
    };
    for (size_t i = 0; i < 2 * controls.size() + 2 && !missing().empty() && IsWindow(window); ++i) {
        harness::pressKey(VK_TAB);
        settle();
        for (HWND f = GetFocus(); f && f != window; f = GetParent(f))
            reached.insert(f);
        lookForFocus(window, walk, detail);
        // The first time Tab reaches a group of options, the arrows change its choice.
        if (HWND f = GetFocus(); f && IsChild(window, f) && isRadio(f) && !changed.count(f)) {
            const std::vector<HWND> group = groupOf(f);
            changed.insert(group.begin(), group.end());
            if (std::count_if(group.begin(), group.end(), takesKeys) > 1) {
                if (!arrowsChange(group)) {
                    ++unchanged;
                    detail.push_back("the arrows do not change " + describe(f));
                }
                lookForFocus(window, walk, detail);
            }
        }
    }
    for (HWND control : missing())
        detail.push_back("Tab never reaches " + describe(control));
    walk.missed = int(missing().size()) + unchanged;
    if (gone(window)) {
        detail.push_back("Tab closed it");
        walk.closed = true;
        return;
    }
    harness::pressKey(VK_ESCAPE);
    // A window that stays open has answered the key once the program is idle: no fixed wait.
    walk.closed = expectClosed ? waitGone(window, 2000ms) : (settle(), gone(window));
}

// The main window closes only by its own command.
const std::set<std::string> kStays = { "main_window" };

// The windows the keyboard walks otherwise, as { focused, entered, missed, closed }, each for its
// reason; one that changes fails. These lists swallow Enter and Escape by design, and neither the
// deployment (it ends by its own button) nor the thinking window (with the computer's turn) can be
// closed by the person:
const Walk kKeepsOpen { true, true, 0, false };
// Notices that close by their own timer or a click only: play goes on under them, so they leave
// the keyboard where it was.
const Walk kNotice { false, true, 0, false };
const std::map<std::string, Walk> kKnown = {
    { "weapon_list", kKeepsOpen }, { "destroyed_list", kKeepsOpen }, { "terrain_list", kKeepsOpen },
    { "move_table", kKeepsOpen }, { "avoid_table", kKeepsOpen }, { "transport_table", kKeepsOpen },
    { "action_history", kKeepsOpen }, { "campaign_troop_deploy", kKeepsOpen }, { "think_progress", kKeepsOpen },
    { "event_notice", kNotice }, { "occupation_result", kNotice }, { "building_destroyed", kNotice },
    { "building_repair", kNotice }, { "building_reinforce", kNotice }, { "structure_destroyed", kNotice },
    { "unit_repair", kNotice }, { "unit_reinforce", kNotice }, { "game_end", kNotice },
    // The scene is a picture of two captionless popups; its invisible host dialog holds the
    // keyboard, where Escape ends the scene.
    { "battle_scene", { false, true, 0, true } },
};

} // namespace

// Each window on a world of its own, one test apiece, so that no test runs long.
std::vector<const WindowEntry*> walkedWindows()
{
    std::vector<const WindowEntry*> walked;
    for (const WindowEntry& entry : windowEntries())
        if (!kStays.count(entry.name))
            walked.push_back(&entry);
    return walked;
}

class KeyboardWalk : public testing::TestWithParam<const WindowEntry*> { };

TEST_P(KeyboardWalk, TabsThroughShowsTheFocusAndEscapes)
{
    const WindowEntry* entry = GetParam();
    WindowWorld world;
    ASSERT_TRUE(world.ready());
    const auto known = kKnown.find(entry->name);
    const Walk expected = known == kKnown.end() ? Walk {} : known->second;
    Walk walk;
    std::vector<std::string> detail;
    bool shows = false;
    visit(*entry, world, [&](const OpenWindow& open) {
        shows = enter(open.window, walk, detail);
        if (shows)
            tabAndEscape(open.window, walk, expected.closed, detail);
    });
    // Enter ended it: Tab and Escape are walked on it opened again.
    if (!shows)
        visit(*entry, world, [&](const OpenWindow& open) { tabAndEscape(open.window, walk, expected.closed, detail); });
    EXPECT_EQ(walk, expected) << window_checks::lines(detail);
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, KeyboardWalk, testing::ValuesIn(walkedWindows()),
    [](const auto& info) { return info.param->name; });
