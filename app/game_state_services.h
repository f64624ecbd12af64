// AppGameStateServices: the application's side of the game state's start-up and shut-down.
#pragma once

#include "state/game_state_services.h"

class AppGameStateServices : public GameStateServices {
public:
    void runStartModeDialog() override;
    AreaAnalysis* createAreaAnalysis() override;
    void deleteAreaAnalysis(AreaAnalysis* analysis) override;
    BattleUnitData* createBattleUnitData() override;
    void deleteBattleUnitData(BattleUnitData* data) override;
    std::unique_ptr<swCBitmap> buildSmallBuildingSheets(GameState& state) override;
    std::unique_ptr<swCBitmap> buildUnitSheet(GameState& state) override;
    void loadStartArrowBitmap() override;
    void freeStartArrowBitmap() override;
};

// The one instance, installed before the game state starts up.
AppGameStateServices& appGameStateServices();
