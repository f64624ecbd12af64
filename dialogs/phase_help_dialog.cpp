// PhaseHelpDialog: the phase's words, the OK button and the never-again box.
#include "dialogs/phase_help_dialog.h"

#include "lib/control.h"
#include "platform/kernel/host.h"
#include "state/game_settings.h"
#include "state/game_state.h"
#include "ui/dialog_templates.h"
#include "ui/drawn_dialog.h"
#include "ui/window_kit.h"
#include "ui/presentation.h"

#include <array>
#include <iterator>

namespace {

struct PhaseWords {
    const char* title;
    const char* text;
};

constexpr std::array<PhaseWords, 7> kPhases { {
    { "", "" },
    { "", "" },
    { "収入フェイズ", "【収入フェイズ】\n自国の建物から収入を得るフェイズです。\n軍資金は、部隊の補給/補充/修理/生産に使用します。" },
    { "補給フェイズ", "【補給フェイズ】\n自国の部隊に補給を行うフェイズです。\n燃料や弾薬の補給量に応じて、軍資金が消費されます。" },
    { "補充フェイズ", "【補充フェイズ】\n自国の部隊を修理/補充するフェイズです。\n修理や補充の度合いに応じて、軍資金が消費されます。" },
    { "行動フェイズ", "【行動フェイズ】\n自国の部隊を行動させるフェイズです。\n部隊の移動、戦闘や占領などを行う事が出来ます。" },
    { "生産フェイズ",
        "【生産フェイズ】\n自国の部隊を生産するフェイズです。\n「首都」｢空軍/陸軍/海軍」の基地で生産する事が出来ます。\n生産する兵器に応じて、軍資金が消費されます。" },
} };

const PhaseWords* wordsOf(int phase) { return phase >= 0 && phase < int(kPhases.size()) ? &kPhases[size_t(phase)] : nullptr; }

} // namespace

PhaseHelpDialog::PhaseHelpDialog(const WindowContext& context, swCWindow* owner)
    : KitWindow(dialog_template::kPhaseHelp, owner, false)
    , m_game(context.game)
    , m_look(context.look)
{
    registerGameDialogTemplates();
}

std::string PhaseHelpDialog::title(int phase)
{
    const PhaseWords* words = wordsOf(phase);
    return words ? platform::utf8ToCp932(words->title) : std::string();
}

std::string PhaseHelpDialog::text(int phase)
{
    const PhaseWords* words = wordsOf(phase);
    return words ? platform::utf8ToCp932(words->text) : std::string();
}

int PhaseHelpDialog::OnInitDialog()
{
    m_phase = m_game.turnBlock().phase;
    SetWindowTextA(handle(), title(m_phase).c_str());
    HFONT font = m_look.font(kSmallFont).handle();
    auto* words = new StaticText(this, kTextId, SS_LEFT);
    words->controlCreateTitled(text(m_phase).c_str(), { 8, 8, 392, 56 });
    auto* ok = new PushButton(this, kOkButton, BS_PUSHBUTTON | WS_TABSTOP);
    ok->controlCreateTitled("OK", { 304, 72, 96, 24 });
    auto* never = new CheckBox(this, kNeverAgain);
    never->controlCreateTitled(platform::utf8ToCp932("以後このメッセージを表示しない").c_str(), { 8, 72, 238, 14 });
    for (UINT id : { kTextId, kOkButton, kNeverAgain })
        SendDlgItemMessageA(handle(), int(id), WM_SETFONT, WPARAM(font), FALSE);

    const DWORD style = DWORD(GetWindowLongPtrA(handle(), GWL_STYLE));
    const DWORD exStyle = DWORD(GetWindowLongPtrA(handle(), GWL_EXSTYLE));
    const RECT r = ui::centredWindowRect(parent() ? parent()->handle() : nullptr, { kWidth, kHeight }, style, exStyle, ui::kOverMainWindow);
    windowFitWorkArea(r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE, 1);
    SetFocus(GetDlgItem(handle(), kOkButton));
    return 0;
}

int PhaseHelpDialog::OnCommand(MessageRecord& msg, UINT id, UINT code)
{
    switch (id) {
    case kOkButton:
    case IDOK:
    case IDCANCEL:
        setResult(1);
        close();
        return 1;
    case kNeverAgain:
        // Written at once: the box's state when the dialog closes does not matter.
        if (m_phase >= 0 && m_phase < int(std::size(kPhaseHelpKeys))) {
            const bool checked = SendDlgItemMessageA(handle(), kNeverAgain, BM_GETCHECK, 0, 0) == BST_CHECKED;
            makeNamedValue(kPhaseHelpKeys[m_phase]).profileWriteInt(checked ? 0 : 1);
        }
        return 1;
    default:
        return KitWindow::OnCommand(msg, id, code);
    }
}
