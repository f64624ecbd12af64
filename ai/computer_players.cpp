// AiComputerPlayer: each request of the game thread handed to the computer player's own classes.
#include "ai/computer_players.h"

#include "ai/area_analysis.h"
#include "ai/computer_turn.h"
#include "ai/production_planner.h"
#include "state/game_state.h"

void AiComputerPlayer::rebuildAnalysis(GameState& state, int side)
{
    if (AreaAnalysis* analysis = state.areaAnalysis())
        analysis->rebuild(state, side);
}

void AiComputerPlayer::buildKnownHexLayers(GameState& state, int side)
{
    if (AreaAnalysis* analysis = state.areaAnalysis())
        analysis->buildKnownHexLayers(side);
}

int AiComputerPlayer::playTurn(GameState& state, int side, const std::atomic<BYTE>& stop)
{
    return ComputerTurn(state, side, stop).run();
}

int AiComputerPlayer::planProduction(GameState& state, int country)
{
    return ProductionPlanner(state, country).run();
}

void installComputerPlayer()
{
    static AiComputerPlayer player;
    static GameThreadFactory factory(player);
    setPlayThreadFactory(&factory);
}
