// GameThread: the worker that moves the countries through the phases of each turn and ends the game.
#pragma once

#include "lib/thread.h"
#include "rules/game_thread_players.h"
#include "rules/shared_codes.h"
#include "state/turn_block.h"

#include <array>
#include <cstdint>

class GameState;

// Each phase step does its work and writes the next phase itself; an interrupted step leaves the
// phase unchanged, so the same step runs again unless the thread is being stopped.
class GameThread : public swCThread {
public:
    GameThread(GameState& state, ComputerPlayer& player, StepYield yield = StepYield::Sleep);
    ~GameThread() override;

    void Run() override;

    // One pass of Run's loop: the first turn's set-up, or the current phase's step.
    void runStep();
    // The first turn's set-up: turn 1, the order, the countries' running totals.
    void startFirstTurn();

    void phaseStart();
    void phaseMissile();
    void phaseIncome();
    void phaseSupply();
    void phaseReplenish();
    void phaseAction();
    void phaseProduction();
    void phaseEnd();

    void beginTurn();
    // True when the turn limit ended the game.
    bool nextTurn();
    void prepareNextTurnOrder();
    void recordTurnStartStats();
    // False when the neutral side's turn was interrupted.
    bool neutralAction();
    void endOfGame();
    // The phase explanation for a person's country, once per phase of its part of the turn.
    void askUiAndWait(int phase);
    void clearPhaseHelpFlags() { m_phaseHelpShown.fill(0); }

    void serviceUnitAtBuilding(int side, int unit, int depth = 0);
    void serviceLoadedUnit(int side, int unit);

    bool playStarted() const { return m_playStarted != 0; }
    bool gameOver() const { return m_gameOver != 0; }

private:
    // The game is decided: the turn's figures, then the end-of-game step. Answers whether it was.
    bool endIfDecided();
    // No country is left in play: the game ends with no winner.
    void endWithoutWinner();
    // The neutral side acts (again, when its turn was interrupted), then the next turn starts.
    void resumeNeutralTurn();
    // Step 1 of Run: the windows of a game run, and the wait for the map window.
    void openGameView();
    // Step 4 of Run: false when the campaign deployment failed.
    bool deployCampaignUnits();
    // After the loop: true when a next campaign map was loaded and play goes on.
    bool continueCampaign();
    void yieldStep();

    GameState& m_state;
    ComputerPlayer& m_player;
    StepYield m_yield;
    uint8_t m_playStarted = 0;
    uint8_t m_gameOver = 0;
    // The carry-over list's length before the end of the stage added the player's units to it.
    uint32_t m_carriedBefore = 0;
    std::array<uint8_t, 7> m_phaseHelpShown {};
};

// The map's turn limit (map header bytes 536..537).
int mapTurnLimit(GameState& state);
// The last turn the country played: the one it left the game in, else the game's own, which past
// the turn limit counts as the limit.
int finalTurnOf(GameState& state, int country);
