// MainWindow's menu states: what the person may choose while the game thread runs or waits.
#include "app/main_window.h"

#include "app/control_panel.h"
#include "app/main_window_rules_link.h"
#include "app/menu_ids.h"
#include "rules/game_thread.h"
#include "rules/play_handshake.h"
#include "state/game_state.h"
#include "ui/presentation.h"

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

bool MainWindow::commandEnabled(UINT id) const
{
    using namespace menu_id;
    const CommandStates s = commandStates();
    const int phase = m_state.turnBlock().phase;
    switch (id) {
    case kNewGame:
    case kResumeGame: return s.canStop;
    case kSaveGameAs:
    case kChangePlayers: return s.canEndGame;
    case kEndGame: return s.playing && s.canStop;
    case kEndActionPhase:
    case kDelegateTurn: return s.canEndGame && s.personToMove && s.actionPhase;
    case kEndTurn: return s.canEndGame && s.personToMove && phase == kPhaseProduction;
    case kSurrender: return s.canEndGame && s.personToMove;
    case kRuleInfo: return s.playing || ruleWindow();
    case kVictoryConditions: return s.playing;
    case kTroopInfo: {
        // The page of the unit the panel shows, while the viewer sees it.
        const auto* panel = dynamic_cast<const ControlPanel*>(windowFromHandle(m_link.panel()));
        return s.playing && panel && panel->seenUnit();
    }
    case kShowOrders: return s.playing && m_state.hasScenarioText();
    case kProductEdit:
    case kProductImport:
    case kProductExport: return productTypesEditable();
    case kTroopList: return s.playing || troopList();
    case kDestroyedList: return s.playing || destroyedList();
    default: return true;
    }
}

void MainWindow::updateMenuStates()
{
    m_link.postToolStates();
    if (!m_menu)
        return;
    using namespace menu_id;
    for (UINT id : { kNewGame, kResumeGame, kSaveGameAs, kEndGame, kEndActionPhase, kEndTurn, kSurrender, kChangePlayers,
             kDelegateTurn, kRuleInfo, kVictoryConditions, kShowOrders, kProductEdit, kProductImport, kProductExport,
             kTroopList, kDestroyedList, kTroopInfo })
        EnableMenuItem(m_menu, id, MF_BYCOMMAND | (commandEnabled(id) ? MF_ENABLED : MF_GRAYED));
    auto check = [this](UINT id, bool on) { CheckMenuItem(m_menu, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED)); };
    check(kRuleInfo, ruleWindow());
    check(kCountryInfo, countryInfoWindow());
    check(kConditionInfo, conditionInfoWindow());
    check(kResults, resultsWindow());
    check(kAutoMoveWindow, m_link.autoMoveWindow());
    check(kTroopList, troopList());
    check(kDestroyedList, destroyedList());
    const UINT zoom = UINT(presentation().mapView().zoom.load());
    for (UINT id : { kZoom16, kZoom32, kZoom48 })
        check(id, id - kZoom16 == zoom);
}
