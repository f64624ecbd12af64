// The copy-source dialog: the list of used production types and the choice among them.
#include "editors/copy_source_dialog.h"

#include "editors/product_type_rules.h"
#include "editors/window_frame.h"
#include "lib/dialog_base.h"
#include "platform/controls/list_rows.h"
#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "ui/dialog_templates.h"
#include "ui/window_kit.h"
#include "ui/presentation.h"

#include <cstring>
#include <vector>

namespace {

constexpr SIZE kCopySourceClient { 268, 246 };

class CopySourceDialog : public ui::KitWindow<DialogBase> {
public:
    CopySourceDialog(const WindowContext& context, swCWindow* owner);

    int OnInitDialog() override;
    const ui::WindowDescription& description() const override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    // After result 1: the production type (0 to 249) to copy from.
    int source() const { return m_source; }

    // Nothing listed: nothing to copy, whichever button ended the dialog.
    std::optional<INT_PTR> okResult() override { return m_source >= 0 ? 1 : 0; }

private:
    const GameState& m_game;
    const Presentation& m_look;
    std::vector<int> m_numbers;
    // The first row's type until the selection changes: OK at once copies what is shown selected.
    int m_source = -1;
    HWND m_list = nullptr;
};

CopySourceDialog::CopySourceDialog(const WindowContext& context, swCWindow* owner)
    : KitWindow(dialog_template::kCopySource, owner, false)
    , m_game(context.game)
    , m_look(context.look)
    , m_numbers(copySourceNumbers(context.game))
{
    registerGameDialogTemplates();
    if (!m_numbers.empty())
        m_source = m_numbers.front();
}

int CopySourceDialog::OnInitDialog()
{
    ui::centreWindow(*this, m_parent ? m_parent->handle() : nullptr,
        { kCopySourceClient.cx, kCopySourceClient.cy }, { .repaint = TRUE });
    HFONT font = m_look.font(kSmallFont).handle();
    HWND prompt = CreateWindowExA(0, "Static",
        platform::utf8ToCp932("複製元となる生産タイプを選択してください。").c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT, 8,
        6, 252, 12, handle(), reinterpret_cast<HMENU>(INT_PTR(copy_source_id::kPrompt)), nullptr, nullptr);
    SendMessageA(prompt, WM_SETFONT, WPARAM(font), FALSE);
    m_list = CreateWindowExA(0, "ListBox", "",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 8, 24, 252,
        184, handle(), reinterpret_cast<HMENU>(INT_PTR(copy_source_id::kList)), nullptr, nullptr);
    SendMessageA(m_list, WM_SETFONT, WPARAM(font), FALSE);
    platform::controls::giveRowsRoomForFocus(m_list);
    for (int number : m_numbers) {
        const ProductionTypeRecord* record = m_game.productionType(number);
        const std::string name(record->name, strnlen(record->name, sizeof record->name));
        const LRESULT row = SendMessageA(m_list, LB_ADDSTRING, 0, LPARAM(name.c_str()));
        if (row >= 0)
            SendMessageA(m_list, LB_SETITEMDATA, WPARAM(row), LPARAM(number));
    }
    SendMessageA(m_list, LB_SETCURSEL, 0, 0);
    makePushButton(handle(), m_look, "OK", copy_source_id::kOk, 92, 216, 80, 22);
    makePushButton(handle(), m_look, "CANCEL", copy_source_id::kCancel, 180, 216, 80, 22);
    SendMessageA(handle(), DM_SETDEFID, copy_source_id::kOk, 0);
    SetFocus(m_list);
    return 0;
}

const ui::WindowDescription& CopySourceDialog::description() const
{
    static const ui::WindowDescription kDescription { .closing = ui::Closing::EndModal, .floating = true,
        .captionRightClickCloses = true, .okButton = copy_source_id::kOk, .cancelButton = copy_source_id::kCancel };
    return kDescription;
}

int CopySourceDialog::OnCommand(MessageRecord& msg, UINT control, UINT code)
{
    switch (control) {
    case copy_source_id::kList:
        if (code == LBN_SELCHANGE) {
            const LRESULT row = SendMessageA(m_list, LB_GETCURSEL, 0, 0);
            if (row >= 0)
                m_source = int(SendMessageA(m_list, LB_GETITEMDATA, WPARAM(row), 0));
        } else if (code == LBN_DBLCLK) {
            pressOk();
        }
        return 1;
    default:
        return KitWindow::OnCommand(msg, control, code);
    }
}

} // namespace

int chooseCopySource(const WindowContext& context, swCWindow* owner)
{
    CopySourceDialog dialog(context, owner);
    dialog.run();
    return dialog.result() == 1 ? dialog.source() : -1;
}
