// AiComputerPlayer: the game thread's computer player made of the ai/ turn, planner and map analysis.
#pragma once

#include "rules/game_thread_players.h"

class AiComputerPlayer : public ComputerPlayer {
public:
    void rebuildAnalysis(GameState& state, int side) override;
    void buildKnownHexLayers(GameState& state, int side) override;
    int playTurn(GameState& state, int side, const std::atomic<BYTE>& stop) override;
    int planProduction(GameState& state, int country) override;
};

// Makes the computer player the one of every game thread that startPlay starts in this process.
void installComputerPlayer();
