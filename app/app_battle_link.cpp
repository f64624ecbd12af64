// AppBattleLink: the result of a combat as a box, shown on the main window's thread.
#include "app/app_battle_link.h"

#include "app/main_window_messages.h"
#include "app/main_window_prompts.h"
#include "app/main_window_rules_link.h"
#include "rules/combat_pair.h"
#include "state/game_state.h"

AppBattleLink::AppBattleLink(AppMainWindowLink& main)
    : m_main(main)
{
}

void AppBattleLink::runBattleScene(BattleSceneSide& attacker, BattleSceneSide& defender, bool play_se)
{
    show(BattleSides { attacker, defender }, play_se);
}

void AppBattleLink::showSimpleBattle()
{
    GameState& state = m_main.state();
    const TurnBlock& turn = state.turnBlock();
    CombatShow view;
    view.viewer = turn.viewingCountry >= 0 && turn.viewingCountry < kCountryCount ? turn.viewingCountry
        : turn.currentCountry < kCountryCount                                     ? turn.currentCountry
                                                                                  : 0;
    const CombatPair& pair = currentCombat(state);
    show(BattleSides { battleSceneSide(state, pair, 0, view), battleSceneSide(state, pair, 1, view) }, false);
}

void AppBattleLink::show(const BattleSides& sides, bool play_se)
{
    HWND main = m_main.mainWindow();
    if (!main)
        return;
    if (m_main.onWindowThread()) {
        prompts::showBattle(main, m_main.state(), sides.attacker, sides.defender);
        return;
    }
    auto wait = m_main.state().handshake().openWaitWith<BattleSides>(UiWaitKind::BattleDone);
    wait->data = sides;
    m_main.postAndWait(main, wait, main_message::kBattleScene, play_se ? 1 : 0);
}
