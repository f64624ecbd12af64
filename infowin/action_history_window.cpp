// ActionHistoryWindow: the page choice, the incremental listing and the text export.
#include "infowin/action_history_window.h"

#include "infowin/action_history_list_view.h"
#include "infowin/action_history_rows.h"
#include "lib/error.h"
#include "lib/file.h"
#include "lib/list_view.h"
#include "state/action_history.h"
#include "state/data_path.h"
#include "state/game_settings.h"
#include "state/game_state.h"
#include "ui/info_window_frame.h"
#include "ui/main_window_services.h"
#include "ui/presentation.h"
#include "ui/private_messages.h"
#include "ui/window_kit.h"
#include "ui/window_services.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kDefaultListWidth = 548;
constexpr int kDefaultHeight = 378;

using ui::cp;

struct WidthSetting {
    const char* key;
    int32_t GameSettings::*member;
};

constexpr WidthSetting kWidths[ActionHistoryListView::kColumnCount] = {
    { "HistoryWinTimeWidth", &GameSettings::historyWinTimeWidth },
    { "HistoryWinPosWidth", &GameSettings::historyWinPosWidth },
    { "HistoryWinActionWidth", &GameSettings::historyWinActionWidth },
    { "HistoryWinResultWidth", &GameSettings::historyWinResultWidth },
};

HWND makeChild(swCWindow* parent, HFONT font, const char* className, UINT controlId, DWORD style, DWORD exStyle,
    const char* text, const ControlFrame& frame)
{
    auto* control = new ChildControl(className, parent, controlId, style);
    control->setStyle(style | WS_CHILD | WS_VISIBLE, exStyle);
    control->controlCreateTitled(text, frame);
    SendMessageA(control->handle(), WM_SETFONT, WPARAM(font), FALSE);
    return control->handle();
}

} // namespace

ActionHistoryWindow::ActionHistoryWindow(const WindowContext& context, swCWindow* mainWindow)
    : InfoListWindow(kClassName, mainWindow, "履歴", static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH)), 40)
    , m_context(context)
{
}

ActionHistoryWindow::~ActionHistoryWindow() = default;

ActionHistoryWindow* ActionHistoryWindow::open(const WindowContext& context, swCWindow* mainWindow)
{
    return ui::openOwnWindow(new ActionHistoryWindow(context, mainWindow), &ActionHistoryWindow::create);
}

bool ActionHistoryWindow::create(bool& windowMade)
{
    windowMade = createMeasured();
    if (!windowMade)
        return false;
    // The controls before the place: the header's height is part of the least size a kept one is held to.
    createControls();
    RECT header {};
    GetWindowRect(listViewFindHeader(*m_list), &header);
    m_fixedHeight = m_frameHeight + (header.bottom - header.top);
    const SIZE defaultSize { m_frameWidth + GetSystemMetrics(SM_CXVSCROLL) + kDefaultListWidth, m_frameHeight + kDefaultHeight };
    ui::fitInWorkArea(*this, restoredRect(defaultSize, m_context.game.settings().leftInfoPanel));
    refresh();
    // Tab walks the controls as in a dialog; Enter and Escape stay swallowed.
    showWithDialogKeys(m_list ? m_list->handle() : nullptr);
    return true;
}

void ActionHistoryWindow::createControls()
{
    RECT client {};
    GetClientRect(handle(), &client);
    const int width = client.right;
    const HFONT font = m_context.look.font(kSmallFont).handle();
    m_strip = makeChild(this, font, "Static", action_history_id::kStrip, SS_LEFT, 0, "", { 0, 0, width, kStripHeight });
    m_optionButton = makeChild(this, font, "Button", action_history_id::kOptionButton, BS_PUSHBUTTON | WS_TABSTOP, 0, ">>", { width - 16, 0, 16, 16 });
    m_pageCombo = makeChild(this, font, "ComboBox", action_history_id::kPage, CBS_DROPDOWNLIST | WS_VSCROLL | WS_BORDER | WS_TABSTOP, WS_EX_CLIENTEDGE, "",
        { 0, 0, 106, 128 });
    m_exportButton = makeChild(this, font, "Button", action_history_id::kExport, BS_PUSHBUTTON, 0, cp("ﾃｷｽﾄ出力").c_str(), { width - 106, 0, 80, 20 });
    enableExport();
    // The strip only paints the band behind the controls.
    SetWindowPos(m_strip, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_list = new ActionHistoryListView(this, m_context.game, m_context.look);
    m_list->controlCreate({ 0, kStripHeight, width, std::max(0, int(client.bottom) - kStripHeight) });
    const GameSettings& settings = m_context.game.settings();
    int widths[ActionHistoryListView::kColumnCount];
    for (int c = 0; c < ActionHistoryListView::kColumnCount; ++c)
        widths[c] = settings.*kWidths[c].member;
    m_list->setUp(widths);
}

void ActionHistoryWindow::buildPageChoices()
{
    const int turn = m_context.game.turnBlock().turn;
    m_pageTurn = turn;
    SendMessageA(m_pageCombo, CB_RESETCONTENT, 0, 0);
    static const std::string unit = cp("ターン");
    for (int p = 0; p <= turn / 10; ++p) {
        char text[48];
        std::snprintf(text, sizeof text, "%03d-%03d%s", p == 0 ? 1 : 10 * p, std::min(10 * p + 9, turn), unit.c_str());
        SendMessageA(m_pageCombo, CB_ADDSTRING, 0, LPARAM(text));
    }
    SendMessageA(m_pageCombo, CB_SETCURSEL, WPARAM(m_page), 0);
}

void ActionHistoryWindow::refresh()
{
    if (!m_list)
        return;
    GameState& state = m_context.game;
    const int viewer = state.turnBlock().viewer();
    const uint8_t viewMask = history_rows::viewMaskOf(viewer);
    const uint32_t kindMask = uint32_t(state.settings().historyOption);
    // Read once: the game thread may append meanwhile, and the next refresh lists those.
    const uint32_t count = state.historyCount();
    const int turn = state.turnBlock().turn;
    if (turn != m_pageTurn) {
        m_page = turn / 10;
        buildPageChoices();
        m_rebuild = true;
    }
    // A log shorter than what was listed is another game's.
    if (viewMask != m_viewMask || kindMask != m_kindMask || m_rebuild || count < uint32_t(std::max(0, m_listedCount))) {
        m_viewMask = viewMask;
        m_kindMask = kindMask;
        m_listedCount = 0;
        m_rebuild = false;
        m_list->clear();
    }
    m_list->setViewer(viewer);
    const int first = std::max(10 * m_page, 1);
    const int last = std::min(10 * m_page + 9, turn);
    for (uint32_t i = uint32_t(std::max(0, m_listedCount)); i < count; ++i) {
        const HistoryRecord* record = state.historyRecord(i);
        if (!record || record->turn < first || record->turn > last)
            continue;
        if ((record->sideMask & m_viewMask) && history_rows::kindListed(record->kind, m_kindMask))
            m_list->addRecord(i);
    }
    m_listedCount = int32_t(count);
    InvalidateRect(m_list->handle(), nullptr, TRUE);
}

std::string ActionHistoryWindow::proposedFileName() const
{
    const MapHeader& header = m_context.game.mapHeader();
    const std::string name(header.name, strnlen(header.name, sizeof header.name));
    char text[80];
    std::snprintf(text, sizeof text, "%s_%d.txt", name.c_str(), int(m_context.game.turnBlock().turn));
    return text;
}

bool ActionHistoryWindow::writeText(const std::string& path) const
{
    GameState& state = m_context.game;
    try {
        swCFile file(path.c_str(), 1);
        const uint32_t count = state.historyCount();
        std::string line;
        for (uint32_t i = 0; i < count; ++i) {
            const HistoryRecord* record = state.historyRecord(i);
            if (!record || !(record->sideMask & m_viewMask) || !history_rows::kindListed(record->kind, m_kindMask))
                continue;
            state.historyLog().writeText(*record, line);
            line += '\n';
            file.fileWrite(line.data(), DWORD(line.size()));
        }
    } catch (swCError* error) {
        delete error;
        return false;
    }
    return true;
}

void ActionHistoryWindow::exportText()
{
    std::string folder;
    buildDataPath(folder, "data", kFolderProgram);
    const std::string title = cp("履歴テキストの出力");
    std::string filter = cp("ﾃｷｽﾄﾌｧｲﾙ(*.txt)");
    filter.push_back('\0');
    filter += "*.txt";
    filter.push_back('\0');
    char file[MAX_PATH] = {};
    proposedFileName().copy(file, sizeof file - 1);
    OPENFILENAMEA ofn {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = handle();
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = folder.c_str();
    ofn.lpstrTitle = title.c_str();
    // The extension alone: a name typed without one gets ".txt".
    ofn.lpstrDefExt = "txt";
    ofn.Flags = OFN_EXPLORER | OFN_NOTESTFILECREATE | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetSaveFileNameA(&ofn))
        return;
    const std::string path = file;
    if (!mayWriteOver(handle(), path))
        return;
    if (!writeText(path))
        modalMessageBox(this, (cp("ファイルに書き込めませんでした。\n") + path).c_str(), cp("警告").c_str(), MB_OK);
}

void ActionHistoryWindow::saveColumnWidths() const
{
    if (!m_list)
        return;
    GameSettings& settings = m_context.game.settings();
    for (int c = 0; c < ActionHistoryListView::kColumnCount; ++c) {
        const int width = std::max(10, m_list->columnWidth(c));
        settings.*kWidths[c].member = width;
        makeNamedValue(kWidths[c].key).profileWriteInt(width);
    }
}

void ActionHistoryWindow::layout(int width, int height)
{
    if (!m_list)
        return;
    MoveWindow(m_optionButton, width - 16, 0, 16, 16, TRUE);
    MoveWindow(m_strip, 0, 0, width, kStripHeight, TRUE);
    MoveWindow(m_exportButton, width - 106, 0, 80, 20, TRUE);
    MoveWindow(m_list->handle(), 0, kStripHeight, width, std::max(0, height - kStripHeight), TRUE);
}

void ActionHistoryWindow::snap(RECT& rect, WPARAM edge) const
{
    snapHeightToRows(rect, edge, m_fixedHeight + kStripHeight, ActionHistoryListView::kRowHeight);
}

// The export is offered while the person gives the action phase's orders, whether the window
// was open when the phase began or opened during it.
void ActionHistoryWindow::enableExport()
{
    GameState& state = m_context.game;
    EnableWindow(m_exportButton, state.handshake().waitingForAnswer() && state.turnBlock().phase == kPhaseAction);
}

void ActionHistoryWindow::limitTracking(MINMAXINFO& info) const
{
    info.ptMinTrackSize.x = kMinimumWidth;
}

int ActionHistoryWindow::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case ui_message::kHistoryRefresh:
        refresh();
        return 1;
    case ui_message::kHistoryPhaseChanged:
        enableExport();
        return 1;
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(msg.lParam);
        if (!measure || measure->CtlID != action_history_id::kList)
            return 0;
        measure->itemHeight = ActionHistoryListView::kRowHeight;
        msg.result = TRUE;
        return 1;
    }
    case WM_SIZE:
        layout(LOWORD(msg.lParam), HIWORD(msg.lParam));
        m_context.main.dockDisplayItemWindow(DisplayItemList::History);
        return 0;
    case WM_MOVE:
        m_context.main.dockDisplayItemWindow(DisplayItemList::History);
        return 0;
    case WM_WINDOWPOSCHANGED:
        if (info_window::raisedToTop(*reinterpret_cast<WINDOWPOS*>(msg.lParam)))
            m_context.main.dockDisplayItemWindow(DisplayItemList::History);
        return 0;
    default:
        return InfoListWindow::OnMessage(msg);
    }
}

int ActionHistoryWindow::OnCommand(MessageRecord&, UINT command, UINT code)
{
    switch (command) {
    case action_history_id::kOptionButton: {
        const bool shown = m_context.main.isDisplayItemWindowVisible(DisplayItemList::History);
        SetWindowTextA(m_optionButton, shown ? ">>" : "<<");
        postToOwner(*this, ui_message::kToggleHistoryOption);
        return 1;
    }
    case action_history_id::kPage:
        if (code == CBN_SELCHANGE) {
            const LRESULT chosen = SendMessageA(m_pageCombo, CB_GETCURSEL, 0, 0);
            if (chosen != CB_ERR)
                m_page = int(chosen);
            m_rebuild = true;
            refresh();
        }
        return 1;
    case action_history_id::kExport:
        exportText();
        return 1;
    default:
        return command == IDOK || command == IDCANCEL ? 1 : 0;
    }
}

int ActionHistoryWindow::OnNotify(MessageRecord&, UINT, NMHDR* header)
{
    if (header && header->code == HDN_DIVIDERDBLCLICKA && m_list) {
        InvalidateRect(m_list->handle(), nullptr, TRUE);
        return 0;
    }
    return 0;
}
