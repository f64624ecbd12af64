// The action phase (a person's orders or the computer player) and the production phase.
#include "rules/game_thread.h"

#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/missiles.h"
#include "rules/phases.h"
#include "rules/play.h"
#include "rules/play_handshake.h"
#include "state/game_state.h"

namespace {

bool isInterruptedTurn(int result) { return result >= 1 && result <= 4; }

// The thinking window stands over a computer's turn while it lasts.
class ThinkWindowShown {
public:
    explicit ThinkWindowShown(int country) { mainWindowLink().showThinkWindow(country); }
    ~ThinkWindowShown() { mainWindowLink().closeThinkWindow(); }
    ThinkWindowShown(const ThinkWindowShown&) = delete;
    ThinkWindowShown& operator=(const ThinkWindowShown&) = delete;
};
bool isInterruptedProduction(int result) { return result == 1 || result == 2; }

} // namespace

void GameThread::phaseAction()
{
    TurnBlock& turn = m_state.turnBlock();
    const int side = turn.currentCountry;
    m_player.rebuildAnalysis(m_state, side);
    bool interrupted = false;
    if (m_state.countryTakesPart(side)) {
        if (m_state.isHumanCountry(side) && !m_state.handshake().delegation()) {
            askUiAndWait(kPhaseAction);
            interrupted = !waitForUiAnswer(m_state);
        } else {
            mainWindowLink().refresh(MainRefresh::AfterAction);
            ThinkWindowShown shown(side);
            interrupted = isInterruptedTurn(m_player.playTurn(m_state, side, stopFlag()));
            // The steps report in 4 % strides: a finished turn shows its whole bar before it goes.
            if (!interrupted)
                postThinkProgress(m_state, 100, ReportWait::Yes);
        }
        if (!interrupted) {
            if (endIfDecided())
                return;
            // After the action phase, so the units that stayed exposed through it are the ones intercepted.
            interceptExposedUnits(m_state, side);
        }
    }
    if (endIfDecided())
        return;
    if (!interrupted)
        turn.phase = kPhaseProduction;
}

void GameThread::phaseProduction()
{
    TurnBlock& turn = m_state.turnBlock();
    const int side = turn.currentCountry;
    if (!m_state.ruleOn(kRuleProducing) || !m_state.countryTakesPart(side)) {
        turn.phase = kPhaseEnd;
        return;
    }
    MainWindowLink& main = mainWindowLink();
    m_player.rebuildAnalysis(m_state, side);
    const CountryRecord& country = m_state.country(side);
    if (m_state.ruleOn(kRuleProductionLimit) && country.producedThisTurn >= country.productionLimit) {
        main.refresh(MainRefresh::AfterProduction);
        turn.phase = kPhaseEnd;
        return;
    }
    Handshake& handshake = m_state.handshake();
    if (m_state.isHumanCountry(side)) {
        // "Yes" to the production question takes the turn back from the computer for production.
        if (handshake.delegation() && main.askProductionOrders())
            handshake.setDelegation(false);
        if (!handshake.delegation()) {
            askUiAndWait(kPhaseProduction);
            if (!waitForUiAnswer2(m_state))
                return;
            main.refresh(MainRefresh::AfterProduction);
            turn.phase = kPhaseEnd;
            return;
        }
    }
    main.refresh(MainRefresh::AfterAction);
    if (isInterruptedProduction(m_player.planProduction(m_state, side)))
        return;
    turn.phase = kPhaseEnd;
}
