// The rules engine's answers to the current action's closing steps.
#include "rules/action_settlement.h"

#include "rules/missiles.h"
#include "rules/supply_lines.h"
#include "rules/turn_marks.h"
#include "rules/victory.h"
#include "state/game_state.h"

void RulesSettlement::missileImpact(int country, int index) { ::missileImpact(m_state, country, index); }

void RulesSettlement::checkEndOfGame(int mode) { ::checkEndOfGame(m_state, mode); }

void RulesSettlement::resetHexTurnMarks() { m_marks.update(m_state); }

void RulesSettlement::hexTurnMarksLaidAfresh(GameState& state)
{
    if (&state == &m_state)
        m_marks.takeFreshMarks(state);
}

bool RulesSettlement::keepHexTurnMarks(GameState& state)
{
    if (&state != &m_state)
        return false;
    resetHexTurnMarks();
    return true;
}

void RulesSettlement::updateSupplyLines() { ::updateSupplyLines(m_state); }

void RulesSettlement::answerUi(int value) { m_state.handshake().answerUi(uint8_t(value)); }
