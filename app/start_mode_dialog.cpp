// The start mode dialog: template 152 and its two mode buttons.
#include "app/start_mode_dialog.h"

#include "platform/kernel/host.h"
#include "platform/user/resource_table.h"
#include "state/game_settings.h"

#include <mutex>
#include <string>

namespace {

constexpr int kButtonWidth = 120;
constexpr int kButtonHeight = 28;

void registerStartModeTemplate()
{
    static std::once_flag once;
    std::call_once(once, [] {
        platform::resources::DialogTemplate dialog;
        dialog.caption = platform::utf8ToCp932("設定確認");
        dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
        dialog.clientSize = { 2 * kButtonWidth + 48, kButtonHeight + 40 };
        platform::resources::addDialog(MAKEINTRESOURCEA(StartModeDialog::kTemplate), std::move(dialog));
    });
}

} // namespace

StartModeDialog::StartModeDialog(swCWindow* owner)
    : DialogBase(kTemplate, owner, false)
{
    registerStartModeTemplate();
}

StartModeDialog::~StartModeDialog() = default;

int StartModeDialog::OnInitDialog()
{
    const DWORD style = BS_PUSHBUTTON | WS_TABSTOP;
    // The global new: the dialog owns the buttons, they do not delete themselves with their windows.
    m_normal.reset(::new PushButton(this, kNormalButton, style));
    m_normal->controlCreateTitled(platform::utf8ToCp932("通常モード").c_str(), { 16, 20, kButtonWidth, kButtonHeight });
    m_simple.reset(::new PushButton(this, kSimpleButton, style));
    m_simple->controlCreateTitled(platform::utf8ToCp932("シンプルモード").c_str(),
        { 32 + kButtonWidth, 20, kButtonWidth, kButtonHeight });
    m_normal->setChain(m_simple.get(), m_simple.get());
    m_simple->setChain(m_normal.get(), m_normal.get());
    SetFocus(m_normal->handle());
    return 0;
}

int StartModeDialog::OnCommand(MessageRecord& msg, UINT id, UINT code)
{
    if ((id == kNormalButton || id == kSimpleButton) && code == BN_CLICKED) {
        choose(id == kSimpleButton ? 1 : 0);
        return 1;
    }
    // Escape, the close box and Alt+F4 go on in normal mode, which is kept so that the question
    // does not come back.
    if (id == IDCANCEL) {
        choose(0);
        return 1;
    }
    return DialogBase::OnCommand(msg, id, code);
}

void StartModeDialog::choose(int simpleMode)
{
    makeNamedValue("SimpleMode").profileWriteInt(simpleMode);
    setResult(1);
    Destroy();
}
