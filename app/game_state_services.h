// AppGameStateServices: the application's side of the game state's start-up and shut-down.
#pragma once

#include "lib/application.h"
#include "state/game_state_services.h"

#include <memory>

class AppGameStateServices : public GameStateServices {
public:
    void runStartModeDialog() override;
    AreaAnalysis* createAreaAnalysis() override;
    void deleteAreaAnalysis(AreaAnalysis* analysis) override;
    BattleUnitData* createBattleUnitData() override;
    void deleteBattleUnitData(BattleUnitData* data) override;
    std::unique_ptr<swCBitmap> buildSmallBuildingSheets(GameState& state) override;
    std::unique_ptr<swCBitmap> buildUnitSheet(GameState& state) override;
    FileFault loadStartArrowBitmap() override;
    void freeStartArrowBitmap() override;
};

// The one instance, installed before the game state starts up.
AppGameStateServices& appGameStateServices();

// The game state as the application's owned object: made before the main window, reached through
// g_gameState, and deleted after the message loop so that its settings are written back.
class OwnedGameState : public swCOwnedObject {
public:
    OwnedGameState();
    ~OwnedGameState() override;
    GameState& state() { return *m_state; }

private:
    std::unique_ptr<GameState> m_state;
};
