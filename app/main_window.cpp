// MainWindow: creation and placement, the title, the layout of the sub-windows and the dispatch of
// its messages.
#include "app/main_window.h"

#include "app/main_window_layout.h"
#include "app/main_window_messages.h"
#include "app/main_window_rules_link.h"
#include "app/program_resources.h"
#include "lib/application.h"
#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "state/scenario_block.h"

#include <algorithm>
#include <cstring>

namespace {

std::string newGameTitle() { return platform::utf8ToCp932("新規ゲーム"); }

std::string fileNameOf(const std::string& path)
{
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The map's own name (the first scenario text), else the file's name.
std::string gameNameOf(GameState& state, const std::string& path)
{
    const char* text = reinterpret_cast<const char*>(state.scenarioBlock().bytes);
    std::string name(text, strnlen(text, 23));
    return name.empty() ? fileNameOf(path) : name;
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
    createChildren();
    // A kept placement wins over the centred default; the window stays hidden until shown.
    windowRestorePlacement(kPlacementPrefix, true, false);
    layoutChildren();
    return true;
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
    const std::string& saved = m_state.savePath();
    std::string name = saved.empty() ? gameNameOf(m_state, m_gamePath) : fileNameOf(saved);
    setTitle(name.empty() ? nullptr : name.c_str());
}

void MainWindow::createChildren()
{
}

void MainWindow::layoutChildren()
{
    if (!handle())
        return;
    RECT client {};
    GetClientRect(handle(), &client);
    ChildSizes sizes;
    MainLayout layout = layoutMainWindow(client.right, client.bottom, sizes, m_state.settings().leftInfoPanel);
    auto place = [](HWND child, const RECT& r) {
        if (child)
            MoveWindow(child, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    };
    place(m_link.toolPalette(), layout.tool);
    place(m_link.panel(), layout.panel);
    place(m_link.mapWindow(), layout.map);
}

void MainWindow::onDestroy()
{
    // However the window goes, the game thread must not outlive it.
    stopPlay();
    windowSavePlacement(kPlacementPrefix);
    m_link.setMainWindow(nullptr);
    m_link.setMapWindow(nullptr);
    m_link.setPanel(nullptr);
    m_link.setToolPalette(nullptr);
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
    case WM_CLOSE:
        quit();
        return 1;
    case WM_DESTROY:
        onDestroy();
        return 0;
    case WM_TIMER:
        if (msg.wParam != main_message::kEndOfPlayTimer)
            return 0;
        onEndOfPlayTimer();
        return 1;
    default:
        return onGameMessage(msg) ? 1 : 0;
    }
}

void MainWindow::unitSelected(int, int, uint32_t) { }

void MainWindow::hexShown(int, int) { }

void MainWindow::viewChanged() { }
