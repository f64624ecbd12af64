// AppBattleLink: the hand-over of an engagement to the battle scene.
#include "app/app_battle_link.h"

#include "app/main_window.h"
#include "ui/private_messages.h"
#include "app/main_window_rules_link.h"
#include "battle/battle_scene_dialog.h"
#include "battle/battle_unit_data.h"
#include "battle/live_clash_easy_window.h"
#include "battle/live_clash_window.h"
#include "state/game_state.h"

AppBattleLink::AppBattleLink(AppMainWindowLink& main)
    : m_main(main)
{
}

void AppBattleLink::runBattleScene(BattleRecord& record, bool play_se)
{
    HWND main = m_main.mainWindow();
    if (!main || !LiveClashWindow::isReady())
        return;
    if (const BattleUnitData* data = m_main.state().battleUnitData())
        for (BattleSideRecord& side : record.side)
            side.unitEntry = &data->entryFor(side.battleId);
    if (m_main.onWindowThread()) {
        m_main.runPlayWindow([&](MainWindow& window) {
            BattleSceneDialog host(&window, record, SceneSound { play_se, m_main.state().settings().seVolume }, window);
            host.Create();
        });
        return;
    }
    auto wait = m_main.state().handshake().openWaitWith<BattleRecord>(UiWaitKind::BattleDone);
    wait->data = record;
    m_main.postAndWait(main, wait, ui_message::kBattleScene, play_se ? 1 : 0);
}

void AppBattleLink::showSimpleBattle()
{
    m_main.runPlayWindow([&](MainWindow& owner) {
        LiveClashEasyWindow window(makeWindowContext(m_main.state()), &owner);
        window.Create();
    });
}
