// ChangePlayerDialog: "changeplayer.bmp" with the countries' names, one choice per country.
#include "infowin/change_player_dialog.h"

#include "infowin/country_board_layout.h"
#include "infowin/game_fonts.h"
#include "lib/error.h"
#include "lib/window_services.h"
#include "state/game_state.h"
#include "ui/dialog_templates.h"
#include "ui/window_kit.h"
#include "ui/presentation.h"
#include "ui/palette_colours.h"

#include <cstring>
#include <string>

namespace board = country_board;

namespace {

constexpr int kPlayerPerson = 1;
constexpr int kPlayerComputer = 2;

using ui::cp;

void drawText(HDC dc, RECT box, const std::string& text, UINT align)
{
    DrawTextA(dc, text.c_str(), int(text.size()), &box, align | DT_SINGLELINE | DT_NOPREFIX);
}

} // namespace

ChangePlayerDialog::ChangePlayerDialog(const WindowContext& context, swCWindow* parent)
    : KitWindow(dialog_template::kPopup, parent)
    , m_game(context.game)
    , m_look(context.look)
{
    registerGameDialogTemplates();
}

ChangePlayerDialog::~ChangePlayerDialog() = default;

INT_PTR ChangePlayerDialog::run()
{
    CreateModal();
    return result();
}

int ChangePlayerDialog::OnInitDialog()
{
    try {
        m_picture.bitmapLoadFile(m_look.bitmapPath("changeplayer.bmp").c_str());
    } catch (swCError* error) {
        ui::showOverOwner(*this, error);
        ui::endWindow(*this, 0);
        return 1;
    }
    ui::centreWindow(*this, parent() ? parent()->handle() : nullptr, m_picture.bitmapGetSize());
    windowRestorePlacement(kPlacementPrefix, false, true);
    drawPicture();
    createControls();
    static const std::string title = cp("プレイヤー変更");
    SetWindowTextA(handle(), title.c_str());
    return 1;
}

void ChangePlayerDialog::drawPicture()
{
    BitmapDcHolder memory(m_picture.handle());
    HDC dc = memory.dc();
    TextHolder text(dc, m_look.font(kTextFont).handle(), kBlack);
    for (int block = 0; block < 2; ++block) {
        const int top = board::kChangeBlockPitch * block;
        SetTextColor(dc, kBlack);
        for (int row : { board::kColour, board::kName, board::kPlayer }) {
            const int y = top + board::kRows[row].titleTop;
            drawText(dc, RECT { board::kTitleLeft, y, board::kTitleRight, y + board::kLineHeight }, cp(board::kRows[row].title), DT_CENTER);
        }
        SetTextColor(dc, kWhite);
        for (int c = 4 * block; c < 4 * block + 4; ++c) {
            const CountryRecord& country = m_game.country(c);
            if (country.controller == 0)
                continue;
            const int x = board::columnX(c);
            const int y = top + board::kChangeNameTop;
            drawText(dc, RECT { x, y, x + board::kCellWidth, y + board::kLineHeight },
                std::string(country.name, strnlen(country.name, sizeof country.name)), DT_CENTER);
        }
    }
}

void ChangePlayerDialog::createControls()
{
    HFONT small = m_look.font(kSmallFont).handle();
    for (int c = 0; c < kCountryCount; ++c) {
        auto* combo = new ComboBoxControl(this, change_player_id::kFirstCombo + UINT(c), CBS_DROPDOWNLIST | WS_VSCROLL | WS_BORDER);
        combo->setStyle(CBS_DROPDOWNLIST | WS_VSCROLL | WS_BORDER | WS_TABSTOP | WS_CHILD | WS_VISIBLE, WS_EX_CLIENTEDGE);
        combo->controlCreate({ board::columnX(c), board::kChangeComboTop + board::kChangeBlockPitch * (c / 4), board::kCellWidth, 64 });
        HWND handle = combo->handle();
        SendMessageA(handle, WM_SETFONT, WPARAM(small), FALSE);
        const CountryRecord& country = m_game.country(c);
        auto add = [&](const char* utf8, int player) {
            const LRESULT item = SendMessageA(handle, CB_ADDSTRING, 0, LPARAM(cp(utf8).c_str()));
            SendMessageA(handle, CB_SETITEMDATA, WPARAM(item), LPARAM(player));
        };
        if (country.takesPart()) {
            add("USER", kPlayerPerson);
            add("COMP", kPlayerComputer);
            SendMessageA(handle, CB_SETCURSEL, country.controller == kPlayerPerson ? 0 : 1, 0);
        } else {
            add(country.controller == 0 ? "不参戦" : "滅亡", 0);
            SendMessageA(handle, CB_SETCURSEL, 0, 0);
            EnableWindow(handle, FALSE);
        }
        m_combos[size_t(c)] = combo;
    }
    HFONT buttons = m_look.font(kTextFont).handle();
    auto button = [&](UINT buttonId, const char* utf8, int x) {
        auto* made = new PushButton(this, buttonId, BS_PUSHBUTTON | WS_TABSTOP);
        made->controlCreateTitled(cp(utf8).c_str(), { x, 140, 96, 24 });
        SendMessageA(made->handle(), WM_SETFONT, WPARAM(buttons), FALSE);
    };
    button(change_player_id::kOk, "OK", 398);
    button(change_player_id::kCancel, "ｷｬﾝｾﾙ", 504);
    SendMessageA(handle(), DM_SETDEFID, change_player_id::kOk, 0);
}

int ChangePlayerDialog::DataExchange(int save)
{
    if (!save)
        return 1;
    for (int c = 0; c < kCountryCount; ++c) {
        CountryRecord& country = m_game.country(c);
        if (!country.takesPart() || !m_combos[size_t(c)])
            continue;
        HWND combo = m_combos[size_t(c)]->handle();
        const LRESULT item = SendMessageA(combo, CB_GETCURSEL, 0, 0);
        if (item == CB_ERR)
            continue;
        country.controller = uint8_t(SendMessageA(combo, CB_GETITEMDATA, WPARAM(item), 0));
    }
    return 1;
}
