// CountryInfoWindow: the board's pictures, placement, painting, and the anthem choice.
#include "infowin/country_info_window.h"

#include "infowin/country_board_layout.h"
#include "lib/error.h"
#include "lib/window_services.h"
#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "ui/info_window_frame.h"
#include "ui/main_window_services.h"
#include "ui/presentation.h"
#include "ui/private_messages.h"
#include "ui/window_kit.h"
#include "ui/window_services.h"

#include <cstdio>

namespace board = country_board;

namespace {

} // namespace

CountryInfoWindow::CountryInfoWindow(const WindowContext& context, swCWindow* mainWindow)
    : KitWindow(kClassName, mainWindow)
    , m_context(context)
{
    static const std::string title = platform::utf8ToCp932("陣営情報");
    m_windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    setTitle(title.c_str());
    setStyle(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW);
    setFrame(0, 0, 40, 40);
}

CountryInfoWindow* CountryInfoWindow::open(const WindowContext& context, swCWindow* mainWindow)
{
    return ui::openOwnWindow(new CountryInfoWindow(context, mainWindow), &CountryInfoWindow::create);
}

int CountryInfoWindow::boardHeight() const
{
    return m_context.game.isSimpleMode() ? board::kBoardHeightSimple : board::kBoardHeight;
}

void CountryInfoWindow::loadPictures()
{
    const std::string path = m_context.look.bitmapPath(m_context.game.isSimpleMode() ? "jineis.bmp" : "jinei.bmp");
    m_board.bitmapLoadFile(path.c_str());
    m_cleanBoard.bitmapLoadFile(path.c_str());
}

bool CountryInfoWindow::create(bool& windowMade)
{
    if (!ui::loadAndCreate(*this, windowMade, [this] { loadPictures(); }))
        return false;
    ui::placeInfoWindow(*this, kClassName, { board::kBoardWidth, boardHeight() }, m_context.game.settings().leftInfoPanel);
    redrawBoard(true);

    m_anthemCombo = new ComboBoxControl(this, country_info_id::kAnthemCombo, CBS_DROPDOWNLIST | WS_VSCROLL | WS_BORDER);
    m_anthemCombo->setStyle(CBS_DROPDOWNLIST | WS_VSCROLL | WS_BORDER | WS_CHILD, WS_EX_CLIENTEDGE);
    m_anthemCombo->controlCreate({ 0, 0, board::kCellWidth, 128 });
    SendMessageA(m_anthemCombo->handle(), WM_SETFONT, WPARAM(m_context.look.font(kSmallFont).handle()), FALSE);
    fillAnthems();
    m_dialogKeys.attach(this);
    ShowWindow(handle(), SW_SHOW);
    return true;
}

HWND CountryInfoWindow::anthemCombo() const { return m_anthemCombo ? m_anthemCombo->handle() : nullptr; }

void CountryInfoWindow::fillAnthems()
{
    HWND combo = anthemCombo();
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    auto add = [&](const std::string& name, int code) {
        const LRESULT item = SendMessageA(combo, CB_ADDSTRING, 0, LPARAM(name.c_str()));
        SendMessageA(combo, CB_SETITEMDATA, WPARAM(item), LPARAM(code));
    };
    const auto& anthems = m_context.game.anthemNames();
    for (size_t i = 0; i < anthems.size(); ++i)
        add(anthems[i], int(i));
    const auto& music = m_context.game.musicNames();
    for (size_t i = 0; i < music.size(); ++i)
        add(music[i], 50 + int(i));
}

void CountryInfoWindow::redrawBoard(bool titles)
{
    BitmapDcHolder memory(m_board.handle());
    if (titles) {
        drawHeader(memory.dc(), m_context.look, m_context.game, BoardKind::Window);
        SelectObject(memory.dc(), m_cleanBoard.handle());
        drawHeader(memory.dc(), m_context.look, m_context.game, BoardKind::Window);
        SelectObject(memory.dc(), m_board.handle());
    }
    drawTable(memory.dc(), m_context.look, m_context.game, &m_cleanBoard, BoardDisclosure::ByRules, BoardKind::Window);
}

void CountryInfoWindow::anthemClick(int x, int y)
{
    const int blockHeight = m_context.game.isSimpleMode() ? board::kLowerBlockTopSimple : board::kLowerBlockTop;
    const int dx = x - board::kColumnX;
    const int dy = y - board::kAnthemClickTop;
    if (dx < 0 || dy < 0)
        return;
    const int column = dx / board::kColumnPitch;
    const int block = dy / blockHeight;
    if (column >= 4 || block >= 2 || dx % board::kColumnPitch >= board::kCellWidth || dy % blockHeight >= board::kAnthemClickHeight)
        return;
    const int c = column + 4 * block;
    const CountryRecord& country = m_context.game.country(c);
    if (!country.takesPart())
        return;
    m_anthemCountry = c;
    HWND combo = anthemCombo();
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    SendMessageA(combo, CB_SETCURSEL, WPARAM(-1), 0);
    for (LRESULT i = 0; i < count; ++i)
        if (SendMessageA(combo, CB_GETITEMDATA, WPARAM(i), 0) == LRESULT(country.anthemCode))
            SendMessageA(combo, CB_SETCURSEL, WPARAM(i), 0);
    MoveWindow(combo, board::kColumnX + board::kColumnPitch * column, board::kAnthemClickTop + blockHeight * block,
        board::kCellWidth, 128, TRUE);
    ShowWindow(combo, SW_SHOW);
    SetFocus(combo);
}

void CountryInfoWindow::anthemChosen()
{
    HWND combo = anthemCombo();
    const LRESULT item = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (m_anthemCountry >= 0 && item != CB_ERR) {
        const int c = m_anthemCountry;
        CountryRecord& country = m_context.game.country(c);
        const int code = int(SendMessageA(combo, CB_GETITEMDATA, WPARAM(item), 0));
        const bool changed = code != country.anthemCode;
        country.anthemCode = uint8_t(code);
        // The file name goes in before the tune is asked for, so the new one plays.
        const auto& music = m_context.game.musicNames();
        if (changed && code >= 50 && size_t(code - 50) < music.size()) {
            char (&name)[260] = m_context.game.turnBlock().anthemFiles[c];
            std::snprintf(name, sizeof name, "%s", music[size_t(code - 50)].c_str());
        }
        if (changed && m_context.game.turnBlock().currentCountry == c)
            m_context.main.requestMusic(c + 1, true);
    }
    m_anthemCountry = -1;
    redrawBoard(false);
    ShowWindow(combo, SW_HIDE);
    InvalidateRect(handle(), nullptr, FALSE);
}

int CountryInfoWindow::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case ui_message::kCountryInfoRefresh:
        redrawBoard(false);
        InvalidateRect(handle(), nullptr, FALSE);
        return 1;
    case ui_message::kCountryInfoReload:
        try {
            loadPictures();
        } catch (swCError* error) {
            delete error;
        }
        redrawBoard(true);
        InvalidateRect(handle(), nullptr, FALSE);
        return 1;
    case WM_LBUTTONDOWN:
        // The click may play the anthem; the kit raises the window as for any click.
        anthemClick(short(LOWORD(msg.lParam)), short(HIWORD(msg.lParam)));
        return KitWindow::OnMessage(msg);
    default:
        return KitWindow::OnMessage(msg);
    }
}

int CountryInfoWindow::OnCommand(MessageRecord& msg, UINT id, UINT code)
{
    if (id == country_info_id::kAnthemCombo && code == CBN_CLOSEUP) {
        anthemChosen();
        return 1;
    }
    return KitWindow::OnCommand(msg, id, code);
}
