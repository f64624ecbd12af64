// GameStateServices: what start-up and shut-down need of the start-mode dialog, the computer
// player and the battle scene, which live in folders above state; the application installs its
// implementation.
#pragma once

class AreaAnalysis;
class BattleUnitData;
class GameState;

class GameStateServices {
public:
    virtual ~GameStateServices() = default;

    // StartModeDialog, modal; it writes "SimpleMode" as 0 or 1.
    virtual void runStartModeDialog() = 0;
    virtual AreaAnalysis* createAreaAnalysis() = 0;
    virtual void deleteAreaAnalysis(AreaAnalysis* analysis) = 0;
    virtual BattleUnitData* createBattleUnitData() = 0;
    virtual void deleteBattleUnitData(BattleUnitData* data) = 0;
};

// Owned by the caller. Without services start-up makes none of the neighbours' objects.
void setGameStateServices(GameStateServices* services);
GameStateServices* gameStateServices();
