// MainWindow's menu states: what the person may choose while the game thread runs or waits.
#include "app/main_window.h"

#include "app/main_window_rules_link.h"
#include "app/menu_ids.h"
#include "rules/game_thread.h"
#include "rules/play_handshake.h"
#include "state/game_state.h"

CommandStates commandStatesOf(GameState& state)
{
    CommandStates states;
    const Handshake& handshake = state.handshake();
    const TurnBlock& turn = state.turnBlock();
    states.playing = handshake.playRunning();
    states.canInterrupt = canInterruptGame(state);
    states.canEndGame = canEndGame(state);
    states.canStop = states.canInterrupt || (states.playing && !handshake.waitingForAnswer());
    // The turn commands answer the game thread's wait for a person's country.
    states.personToMove = states.playing && handshake.waitingForAnswer() && state.isHumanCountry(turn.currentCountry);
    states.actionPhase = turn.phase == kPhaseAction;
    return states;
}

CommandStates MainWindow::commandStates() const { return commandStatesOf(m_state); }

void MainWindow::updateMenuStates()
{
    m_link.postToolStates();
    if (!m_menu)
        return;
    using namespace menu_id;
    const CommandStates s = commandStates();
    auto enable = [this](UINT id, bool on) { EnableMenuItem(m_menu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); };
    enable(kNewGame, s.canStop);
    enable(kResumeGame, s.canStop);
    enable(kSaveGameAs, s.canEndGame);
    enable(kEndGame, s.playing && s.canStop);
    enable(kEndActionPhase, s.canEndGame && s.personToMove && s.actionPhase);
    enable(kEndTurn, s.canEndGame && s.personToMove && m_state.turnBlock().phase == kPhaseProduction);
    enable(kSurrender, s.canEndGame && s.personToMove);
    enable(kChangePlayers, s.canEndGame);
    enable(kDelegateTurn, s.canEndGame && s.personToMove && s.actionPhase);
    enable(kRuleInfo, s.playing || ruleWindow());
    enable(kVictoryConditions, s.playing);
    enable(kShowOrders, s.playing && m_state.hasScenarioText());
    CheckMenuItem(m_menu, kRuleInfo, MF_BYCOMMAND | (ruleWindow() ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(m_menu, kCountryInfo, MF_BYCOMMAND | (countryInfoWindow() ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(m_menu, kConditionInfo, MF_BYCOMMAND | (conditionInfoWindow() ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(m_menu, kResults, MF_BYCOMMAND | (resultsWindow() ? MF_CHECKED : MF_UNCHECKED));
    enable(kTroopList, s.playing || troopList());
    enable(kDestroyedList, s.playing || destroyedList());
    enable(kTroopInfo, s.playing);
    CheckMenuItem(m_menu, kTroopList, MF_BYCOMMAND | (troopList() ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(m_menu, kDestroyedList, MF_BYCOMMAND | (destroyedList() ? MF_CHECKED : MF_UNCHECKED));
    const UINT zoom = m_state.display().zoom;
    for (UINT id : { kZoom16, kZoom32, kZoom48 })
        CheckMenuItem(m_menu, id, MF_BYCOMMAND | (id - kZoom16 == zoom ? MF_CHECKED : MF_UNCHECKED));
}
