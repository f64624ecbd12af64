// The battle host dialog.
#include "battle/battle_scene_dialog.h"

#include "battle/live_clash_window.h"
#include "ui/dialog_templates.h"

BattleSceneDialog::BattleSceneDialog(swCWindow* parent, const BattleRecord& record, SceneSound sound,
    BattleHostRegistry& registry)
    : KitWindow(dialog_template::kBattle, parent, false)
    , m_record(record)
    , m_sound(sound)
    , m_registry(registry)
{
    registerGameDialogTemplates();
}

int BattleSceneDialog::OnInitDialog()
{
    ui::markGameShown(handle());
    SetWindowPos(handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_SHOWWINDOW);
    m_registry.registerBattleHost(handle());
    m_started = LiveClashWindow::runBattle(m_record, m_sound);
    setResult(1);
    // No scene will hand back: the waiter is released at once.
    if (!m_started) {
        m_registry.registerBattleHost(nullptr);
        PostMessageA(handle(), WM_CLOSE, 0, 0);
    }
    // The host has no controls: it takes the keyboard itself, so that Escape reaches it.
    SetFocus(handle());
    return 0;
}

const ui::WindowDescription& BattleSceneDialog::description() const
{
    // Closing the host hands the scene back as its end does.
    static const ui::WindowDescription kDescription { nullptr, false, ui::Drag::ByFrame, ui::Closing::EndModal, 1 };
    return kDescription;
}

int BattleSceneDialog::OnCommand(MessageRecord& msg, UINT id, UINT code)
{
    // The invisible host holds the keyboard while the scene plays: Escape ends the scene as a
    // click on it does, and the scene's hand-back closes the host.
    if (id == IDCANCEL) {
        if (m_started)
            LiveClashWindow::endScene();
        return 1;
    }
    // The host has no button: Enter, which reaches it as IDOK, would end it with the scene still
    // playing and let the engagement go on under it.
    if (id == IDOK)
        return 1;
    return DialogBase::OnCommand(msg, id, code);
}
