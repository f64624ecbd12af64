// RulesSettlement: the ActionSettlement that hands the current action's closing steps to the rules.
#pragma once

#include "rules/current_action.h"
#include "rules/turn_marks_tracker.h"

class GameState;

// Installed with setActionSettlement while a game is played. A step whose rules are not part of the
// engine yet does nothing, as when no settlement is installed.
class RulesSettlement : public ActionSettlement {
public:
    explicit RulesSettlement(GameState& state) : m_state(state) { }

    void missileImpact(int country, int index) override;
    void checkEndOfGame(int mode) override;
    // Keeps the marks up to date incrementally; the same marks as a full rebuild.
    void resetHexTurnMarks() override;
    void hexTurnMarksLaidAfresh(GameState& state) override;
    bool keepHexTurnMarks(GameState& state) override;
    void updateSupplyLines() override;
    void answerUi(int value) override;

private:
    GameState& m_state;
    TurnMarkTracker m_marks;
};
