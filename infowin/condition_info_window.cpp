// ConditionInfoWindow: the tabs, the page with its country buttons, and the graph drawn from the
// shared per-turn graph.
#include "infowin/condition_info_window.h"

#include "infowin/country_info_window.h"
#include "infowin/game_fonts.h"
#include "infowin/panel_page.h"
#include "infowin/turn_graph.h"
#include "lib/application.h"
#include "lib/error.h"
#include "lib/media/bitmap_button.h"
#include "lib/window_services.h"
#include "platform/controls/commctrl.h"
#include "platform/kernel/host.h"
#include "rules/visibility.h"
#include "state/game_state.h"
#include "ui/info_window_frame.h"
#include "ui/main_window_services.h"
#include "ui/private_messages.h"
#include "ui/window_kit.h"
#include "ui/window_services.h"
#include "ui/presentation.h"
#include "ui/palette_colours.h"

namespace {

// The tabs and the statistic each plots.
constexpr const char* kTabLabels[turn_graph::kFieldCount] = { "領土数", "収入", "戦力部隊数", "戦力価値", "撃破機数", "損害機数", "被害額" };
constexpr int kTabFields[turn_graph::kFieldCount] = { 0, 1, 4, 5, 2, 3, 6 };
constexpr int kPageX = 4;
constexpr int kPageY = 24;
// The plot area in the page and where its axes' ticks and labels stand.
constexpr RECT kPlot { 62, 0, 582, 406 };
constexpr turn_graph::Frame kFrame { POINT { 62, 406 }, 61, 62, 0, 60, kBlack };

int g_storedTab = 0;

} // namespace

// The page inside the tab control: shows the graph and carries the country buttons.
class ConditionInfoPageWindow : public ui::KitWindow<PanelPage> {
public:
    static constexpr const char* kClassName = "VKRC_CONDITIONINFOPAGEWINDOW_CNAME";
    static constexpr int kWidth = 582;
    static constexpr int kHeight = 438;

    ConditionInfoPageWindow(swCWindow* parent, const swCBitmap& graph);
    // The page only shows the graph; its window's body answers for it.
    static constexpr ui::WindowDescription kDescription { .drawn = true, .closing = ui::Closing::Unanswered };
    const ui::WindowDescription& description() const override { return kDescription; }
    HBITMAP background() const override { return m_graph.handle(); }

private:
    const swCBitmap& m_graph;
};

ConditionInfoPageWindow::ConditionInfoPageWindow(swCWindow* parent, const swCBitmap& graph)
    : KitWindow(parent, condition_info_id::kPage, 0, kClassName)
    , m_graph(graph)
{
    setStyle(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
}

ConditionInfoWindow::ConditionInfoWindow(const WindowContext& context, swCWindow* mainWindow)
    : KitWindow(kClassName, mainWindow)
    , m_game(context.game)
    , m_look(context.look)
{
    static const std::string title = platform::utf8ToCp932("状況表");
    setTitle(title.c_str());
    setStyle(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_TOOLWINDOW);
    setFrame(0, 0, 40, 40);
}

ConditionInfoWindow::~ConditionInfoWindow() { theApplication().appRemoveModeless(this); }

int ConditionInfoWindow::storedTab() { return g_storedTab; }

ConditionInfoWindow* ConditionInfoWindow::open(const WindowContext& context, swCWindow* mainWindow)
{
    return ui::openOwnWindow(new ConditionInfoWindow(context, mainWindow), &ConditionInfoWindow::create);
}

bool ConditionInfoWindow::create(bool& windowMade)
{
    windowMade = false;
    if (!Create())
        return false;
    windowMade = true;
    ui::placeInfoWindow(*this, kClassName, { kClientWidth, kClientHeight }, m_game.settings().leftInfoPanel);
    {
        WindowDcHolder screen(handle());
        m_graph.bitmapCreateCompatible(screen, ConditionInfoPageWindow::kWidth, ConditionInfoPageWindow::kHeight);
    }

    m_tabs = new TabControl(this, condition_info_id::kTabs, WS_CLIPSIBLINGS | WS_TABSTOP);
    m_tabs->controlCreate({ 0, 0, kClientWidth, kClientHeight });
    SendMessageA(m_tabs->handle(), WM_SETFONT, WPARAM(m_look.font(kTextFont).handle()), FALSE);
    for (int i = 0; i < turn_graph::kFieldCount; ++i) {
        std::string label = platform::utf8ToCp932(kTabLabels[i]);
        TCITEMA item {};
        item.mask = TCIF_TEXT;
        item.pszText = label.data();
        SendMessageA(m_tabs->handle(), TCM_INSERTITEMA, WPARAM(i), LPARAM(&item));
    }
    SendMessageA(m_tabs->handle(), TCM_SETCURSEL, WPARAM(g_storedTab), 0);

    m_page = new ConditionInfoPageWindow(this, m_graph);
    m_page->controlCreate({ kPageX, kPageY, ConditionInfoPageWindow::kWidth, ConditionInfoPageWindow::kHeight });
    SetWindowPos(m_page->handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    int k = 0;
    try {
        for (int c = 0; c < kCountryCount; ++c) {
            if (m_game.country(c).controller == 0)
                continue;
            m_buttons[size_t(c)] = new CheckMarkButton(m_page, c, condition_info_id::kFirstCountry + UINT(c), 8 + 18 * k, 424);
            ++k;
            m_toggleMask |= uint8_t(1u << c);
            m_visibleMask |= uint8_t(1u << c);
        }
    } catch (swCError* error) {
        ui::showOverOwner(*this, error);
        DestroyWindow(handle());
        return false;
    }
    // Dialog navigation walks from the tabs into the page's buttons.
    theApplication().appAddModeless(this);
    refreshVisible();
    drawGraph();
    BringWindowToTop(handle());
    ShowWindow(handle(), SW_SHOW);
    return true;
}

HWND ConditionInfoWindow::page() const { return m_page ? m_page->handle() : nullptr; }

HWND ConditionInfoWindow::countryButton(int country) const
{
    return country >= 0 && country < kCountryCount && m_buttons[size_t(country)] ? m_buttons[size_t(country)]->handle() : nullptr;
}

void ConditionInfoWindow::refreshVisible()
{
    // Graphed are the countries whose figures the viewer knows, whoever's turn it is.
    const ViewerView view(m_game);
    m_visibleMask = 0;
    for (int c = 0; c < kCountryCount; ++c)
        if (m_game.country(c).controller != 0 && view.knowsFigures(c))
            m_visibleMask |= uint8_t(1u << c);
    for (int c = 0; c < kCountryCount; ++c) {
        CheckMarkButton* button = m_buttons[size_t(c)];
        if (!button)
            continue;
        const unsigned bit = 1u << c;
        button->setHeldPressed((m_visibleMask & m_toggleMask & bit) != 0);
        ShowWindow(button->handle(), m_visibleMask & bit ? SW_SHOW : SW_HIDE);
        InvalidateRect(button->handle(), nullptr, FALSE);
    }
}

void ConditionInfoWindow::drawGraph()
{
    const int field = kTabFields[g_storedTab];
    const turn_graph::Graph graph = turn_graph::computeGraph(turn_graph::statsRecords(m_game), field,
        { uint8_t(m_toggleMask & m_visibleMask), m_visibleMask }, m_game.turnBlock().turn);
    BitmapDcHolder memory(m_graph.handle());
    HDC dc = memory.dc();
    const COLORREF menu = GetSysColor(COLOR_MENU);
    memory.fillRectColor(0, 0, kPlot.left - 1, ConditionInfoPageWindow::kHeight - 1, menu);
    memory.fillRectColor(kPlot.left, 400, ConditionInfoPageWindow::kWidth - 1, ConditionInfoPageWindow::kHeight - 1, menu);
    memory.fillRectColor(kPlot.left, kPlot.top, kPlot.right - 1, kPlot.bottom - 1, kBlack);
    HGDIOBJ oldFont = SelectObject(dc, m_look.font(kSmallFont).handle());
    turn_graph::drawAxes(dc, kFrame, graph);
    SelectObject(dc, oldFont);
    // Turns past the range's end would run out of the plot area.
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, kPlot.left, kPlot.top, kPlot.right, kPlot.bottom);
    turn_graph::drawSegments(dc, kFrame.chartFoot, graph.segments);
    RestoreDC(dc, saved);
}

void ConditionInfoWindow::repaintPage()
{
    if (m_page)
        InvalidateRect(m_page->handle(), nullptr, TRUE);
}

int ConditionInfoWindow::OnMessage(MessageRecord& msg)
{
    if (runPanelCommand(*this, msg))
        return 1;
    switch (msg.message) {
    case ui_message::kConditionInfoRefresh:
        refreshVisible();
        drawGraph();
        InvalidateRect(handle(), nullptr, FALSE);
        repaintPage();
        return 1;
    case ui_message::kConditionInfoRedraw:
        drawGraph();
        InvalidateRect(handle(), nullptr, FALSE);
        repaintPage();
        return 1;
    case ui_message::kConditionInfoRepaintPage:
        repaintPage();
        return 1;
    // The keyboard comes to the window at its tabs, where the arrows turn the statistics.
    case WM_SETFOCUS:
        if (m_tabs)
            SetFocus(m_tabs->handle());
        return 1;
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED: {
        const auto* position = reinterpret_cast<const WINDOWPOS*>(msg.lParam);
        if (position && !(position->flags & SWP_NOZORDER))
            repaintPage();
        return 0;
    }
    default:
        return KitWindow::OnMessage(msg);
    }
}

int ConditionInfoWindow::OnCommand(MessageRecord& msg, UINT commandId, UINT code)
{
    if (commandId < condition_info_id::kFirstCountry || commandId >= condition_info_id::kFirstCountry + kCountryCount)
        return KitWindow::OnCommand(msg, commandId, code);
    const int c = int(commandId - condition_info_id::kFirstCountry);
    m_toggleMask ^= uint8_t(1u << c);
    if (CheckMarkButton* button = m_buttons[size_t(c)])
        button->holdPressed((m_toggleMask & (1u << c)) != 0);
    drawGraph();
    repaintPage();
    return 1;
}

int ConditionInfoWindow::OnNotify(MessageRecord&, UINT controlId, NMHDR* header)
{
    if (controlId != condition_info_id::kTabs || !header || header->code != UINT(TCN_SELCHANGE))
        return 0;
    const int selected = int(SendMessageA(m_tabs->handle(), TCM_GETCURSEL, 0, 0));
    if (selected < 0 || selected >= turn_graph::kFieldCount || selected == g_storedTab)
        return 1;
    g_storedTab = selected;
    refreshVisible();
    drawGraph();
    repaintPage();
    return 1;
}
