// MainWindow: creation and placement, the title, the layout of the sub-windows and the dispatch of
// its messages.
#include "app/main_window.h"

#include "app/command_palette.h"
#include "app/control_panel.h"
#include "app/game_sound.h"
#include "ui/private_messages.h"
#include "app/main_window_layout.h"
#include "app/main_window_rules_link.h"
#include "app/map_window.h"
#include "app/tool_palette.h"
#include "battle/live_clash_window.h"
#include "platform/media/mmsystem.h"
#include "app/program_resources.h"
#include "lib/application.h"
#include "lib/error.h"
#include "lib/media/bitmap.h"
#include "platform/kernel/host.h"
#include "rules/play.h"
#include "state/game_state.h"

#include <algorithm>
#include <iterator>

namespace {

std::string newGameTitle() { return platform::utf8ToCp932("新規ゲーム"); }

std::string fileNameOf(const std::string& path)
{
    return path.substr(platform::fileNameOffset(path));
}

} // namespace

MainWindow::MainWindow(GameState& state, AppMainWindowLink& link)
    : swCFrameWindow(kClassName)
    , m_state(state)
    , m_link(link)
    , m_titleText(newGameTitle())
{
    m_title = m_titleText.c_str();
}

MainWindow::~MainWindow()
{
    swCApplication& app = theApplication();
    if (app.mainWindow() == this)
        app.setMainWindow(nullptr);
}

bool MainWindow::createCentred()
{
    RECT area {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    int width = std::min<int>(kWidth, area.right - area.left);
    int height = std::min<int>(kHeight, area.bottom - area.top);
    setFrame(area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2,
        width, height);
    if (!Create())
        return false;
    m_menu = loadMainMenu();
    SetMenu(handle(), m_menu);
    m_link.setMainWindow(handle());
    m_sound = std::make_unique<GameSound>(handle(), m_state);
    m_sound->applySettings(m_state.settings());
    m_link.setSound(m_sound.get());
    {
        // The palettes' and the panel's buttons take their faces from a few strips.
        PictureSheetScope sheets;
        createChildren();
    }
    installKeyboardHook();
    watchThinkClicks(true);
    // The game thread's reports reach the ways out from this window's queue.
    m_state.handshake().closeGate().setReport(
        [window = handle()](PlayReport report) { PostMessageA(window, ui_message::kPlayReport, WPARAM(report), 0); });
    // A kept placement wins over the centred default; the window stays hidden until shown.
    m_keptShow = windowRestorePlacement(kPlacementPrefix, true, false);
    layoutChildren();
    return true;
}

void MainWindow::showAtStart(int asked)
{
    const bool normal = asked == 0 || asked == SW_SHOWNORMAL || asked == SW_SHOWDEFAULT || asked == SW_SHOW;
    ShowWindow(handle(), normal && m_keptShow == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : normal ? SW_SHOWNORMAL : asked);
}

void MainWindow::setTitle(const char* cp932Title)
{
    m_titleText = cp932Title ? cp932Title : newGameTitle();
    m_title = m_titleText.c_str();
    if (handle())
        SetWindowTextA(handle(), m_title);
}

void MainWindow::refreshTitle()
{
    if (!m_state.handshake().playRunning()) {
        setTitle();
        return;
    }
    // The game's file, its save once it has one: the same through every news and change of stage.
    const std::string& saved = m_state.savePath();
    std::string name = fileNameOf(saved.empty() ? m_gamePath : saved);
    setTitle(name.empty() ? nullptr : name.c_str());
}

namespace {

// A child made with new deletes itself with its window. One that could not be made (its pictures
// missing) is left out: its window, if any, goes, else the object is deleted here.
template <class Window, class Make>
HWND makeChild(Window* window, Make make)
{
    bool made = false;
    try {
        made = make();
    } catch (swCError* error) {
        delete error;
    }
    if (made)
        return window->handle();
    if (window->handle())
        DestroyWindow(window->handle());
    else
        delete window;
    return nullptr;
}

} // namespace

void MainWindow::createChildren()
{
    auto* tool = new ToolPalette(this, [this](unsigned id) { return commandEnabled(id); });
    m_link.setToolPalette(makeChild(tool, [&] { return tool->Create(); }));
    auto* panel = new ControlPanel(this, m_state);
    m_link.setPanel(makeChild(panel, [&] { return panel->Create(); }));
    auto* commands = new CommandPalette(this);
    m_commandPalette = makeChild(commands, [&] { return commands->Create(); });
    RECT client {};
    GetClientRect(handle(), &client);
    auto* map = new MapWindow(this, m_state, this);
    HWND mapHandle = makeChild(map, [&] { return map->create(client); });
    m_link.setMapWindow(mapHandle);
    if (m_commandPalette)
        commands->setMapWindow(mapHandle);
    // Without the scene, engagements end at once (the link asks whether it is ready).
    LiveClashWindow::init(GetModuleHandleA(nullptr), handle());
}

MapWindow* MainWindow::mapWindow() const { return dynamic_cast<MapWindow*>(windowFromHandle(m_link.mapWindow())); }

namespace {

ChildSizes childSizes()
{
    return ChildSizes { ToolPalette::kHeight, ControlPanel::kWidth, ControlPanel::kHeight, ToolPalette::kWidth, CommandPalette::kHeight };
}

} // namespace

// The window is never made so small that a tool button or a row of the command column is cut off.
void MainWindow::keepChildrenReachable(MINMAXINFO& info) const
{
    const SIZE client = minimumMainClient(childSizes());
    RECT frame { 0, 0, client.cx, client.cy };
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrA(handle(), GWL_STYLE)), GetMenu(handle()) != nullptr,
        DWORD(GetWindowLongPtrA(handle(), GWL_EXSTYLE)));
    info.ptMinTrackSize.x = std::max<LONG>(info.ptMinTrackSize.x, frame.right - frame.left);
    info.ptMinTrackSize.y = std::max<LONG>(info.ptMinTrackSize.y, frame.bottom - frame.top);
}

void MainWindow::layoutChildren()
{
    if (!handle())
        return;
    RECT client {};
    GetClientRect(handle(), &client);
    MainLayout layout = layoutMainWindow(client.right, client.bottom, childSizes(), m_state.settings().leftInfoPanel);
    auto place = [](HWND child, const RECT& r) {
        if (child)
            MoveWindow(child, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    };
    place(m_link.toolPalette(), layout.tool);
    place(m_link.panel(), layout.panel);
    place(m_commandPalette, layout.commands);
    place(m_link.mapWindow(), layout.map);
}

void MainWindow::onDestroy()
{
    // The ways out end the window once play has stopped. Gone another way (its owner destroyed
    // it), the window still asks the stop; the game state's end then joins the thread.
    m_state.handshake().closeGate().setReport({});
    requestStop();
    if (m_state.handshake().isPlayThreadFinished() && std::exchange(m_playEnding, false))
        endPlay(m_state);
    battleFinished();
    // Destroys the scene windows too, after the draw thread has stopped.
    LiveClashWindow::shutDown();
    closePlayWindows();
    watchThinkClicks(false);
    removeKeyboardHook();
    windowSavePlacement(kPlacementPrefix);
    m_link.setMainWindow(nullptr);
    m_link.setMapWindow(nullptr);
    m_link.setPanel(nullptr);
    m_link.setToolPalette(nullptr);
    m_link.setSound(nullptr);
    if (m_sound)
        m_sound->stopAllSounds();
    m_sound.reset();
    m_commandPalette = nullptr;
    // The owned windows go with the main window.
    m_weaponList = nullptr;
    m_weaponInfos.clear();
    std::fill(std::begin(m_landTables), std::end(m_landTables), nullptr);
    m_landDock.detach();
    m_historyDock.detach();
    m_link.setActionHistory(nullptr);
    for (int slot = 0; slot < kInfoWindowSlots; ++slot)
        m_link.setInfoWindow(InfoWindowSlot(slot), nullptr);
    m_infoWindows = {};
    m_troopDock.detach();
    m_destroyedList = nullptr;
    m_deployWindow = nullptr;
    m_link.setTroopLists(nullptr, nullptr);
}

namespace {

// The hook runs on the window's thread; one main window at a time takes the arrows.
MainWindow* g_hookOwner = nullptr;

bool isArrow(WPARAM key) { return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN; }

// A menu open, or the window moved or sized by the keys (the window menu's 移動 and サイズ変更):
// the arrows are theirs.
bool arrowsTaken()
{
    GUITHREADINFO info {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetCurrentThreadId(), &info) && (info.flags & (GUI_INMENUMODE | GUI_INMOVESIZE));
}

} // namespace

void MainWindow::installKeyboardHook()
{
    if (m_keyboardHook || g_hookOwner)
        return;
    m_keyboardHook = SetWindowsHookExA(WH_KEYBOARD, keyboardHook, nullptr, GetCurrentThreadId());
    if (m_keyboardHook)
        g_hookOwner = this;
}

void MainWindow::removeKeyboardHook()
{
    if (!m_keyboardHook)
        return;
    UnhookWindowsHookEx(m_keyboardHook);
    m_keyboardHook = nullptr;
    if (g_hookOwner == this)
        g_hookOwner = nullptr;
}

// The arrows scroll the map while the main window is active and no dialog has the focus; a key
// going up (bit 31) only passes on, and so do the keys of an open menu or of a move or size.
LRESULT CALLBACK MainWindow::keyboardHook(int code, WPARAM wParam, LPARAM lParam)
{
    MainWindow* owner = g_hookOwner;
    HHOOK hook = owner ? owner->m_keyboardHook : nullptr;
    if (code != HC_ACTION || !owner || !isArrow(wParam) || (lParam & (LPARAM(1) << 31)) || arrowsTaken())
        return CallNextHookEx(hook, code, wParam, lParam);
    HWND main = owner->handle();
    HWND focus = GetFocus();
    bool mainActive = GetActiveWindow() == main && (!focus || GetAncestor(focus, GA_ROOT) == main);
    MapWindow* map = mainActive ? owner->mapWindow() : nullptr;
    if (map && map->scrollByKey(UINT(wParam)))
        return 1;
    return CallNextHookEx(hook, code, wParam, lParam);
}

int MainWindow::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case WM_SIZE:
        layoutChildren();
        return 0;
    case WM_INITMENU:
    case WM_INITMENUPOPUP:
        updateMenuStates();
        return 0;
    case WM_GETMINMAXINFO:
        if (msg.lParam)
            keepChildrenReachable(*reinterpret_cast<MINMAXINFO*>(msg.lParam));
        return 1;
    case WM_CLOSE:
        closeProgram();
        return 1;
    case WM_DESTROY:
        onDestroy();
        return 0;
    case WM_MOUSEWHEEL:
        // The wheel goes to the focus window; the map scrolls before it was ever clicked.
        if (HWND map = m_link.mapWindow()) {
            SendMessageA(map, WM_MOUSEWHEEL, msg.wParam, msg.lParam);
            return 1;
        }
        return 0;
    case WM_TIMER:
        if (msg.wParam != MainWindow::kEndOfPlayTimer)
            return 0;
        onEndOfPlayTimer();
        return 1;
    default:
        return holdWhileGameHeld(msg) || onEditorMessage(msg) || onTroopWindowMessage(msg) || onGameMessage(msg) ? 1 : 0;
    }
}

// A unit with no order to give shows its facts but no commands.
void MainWindow::unitSelected(int side, int index, uint32_t commandMask)
{
    const bool shown = side >= 0 && index >= 0;
    const LPARAM unit = shown && commandMask ? LPARAM(uint32_t(side & 0xFFFF) | uint32_t(index & 0xFFFF) << 16) : LPARAM(-1);
    if (m_commandPalette)
        PostMessageA(m_commandPalette, ui_message::kPaletteShowCommands, WPARAM(commandMask), unit);
    if (shown)
        m_link.postPanelCommand(side, index);
    // The list's buttons then act on the unit the map and the panel show.
    if (HWND troops = shown ? troopList() : nullptr)
        PostMessageA(troops, ui_message::kTroopListSelectUnit, WPARAM(side), LPARAM(index));
    // A selection holds the game and its end frees it: the tools follow at once, not at the next menu.
    m_link.postToolStates();
}

void MainWindow::hexShown(int x, int y) { m_link.postPanelHexInfo(x, y); }

void MainWindow::viewChanged() { }
