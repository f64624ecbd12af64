// AppGameStateServices: the application's side of the game state's start-up and shut-down.
#pragma once

#include "lib/application.h"
#include "state/game_state_services.h"
#include "ui/presentation.h"

#include <memory>

class AppGameStateServices : public GameStateServices, public PresentationServices {
public:
    void runStartModeDialog() override;
    UpperOwned<AreaAnalysis> createAreaAnalysis() override;
    UpperOwned<BattleUnitData> createBattleUnitData() override;
    std::unique_ptr<swCBitmap> buildSmallBuildingSheets(const Presentation& look) override;
    std::unique_ptr<swCBitmap> buildUnitSheet(const Presentation& look) override;
    FileFault loadStartArrowBitmap() override;
    void freeStartArrowBitmap() override;
};

// The one instance, installed before the game state starts up.
AppGameStateServices& appGameStateServices();
// Installs the instance as the game state's and the presentation's services; null removes both.
void installAppGameStateServices(AppGameStateServices* services);

// The game state and its presentation as the application's owned object: made before the main
// window, reached through g_gameState and presentation(), and deleted after the message loop so
// that the settings are written back.
class OwnedGameState : public swCOwnedObject {
public:
    OwnedGameState();
    ~OwnedGameState() override;
    GameState& state() { return *m_state; }
    Presentation& look() { return *m_look; }
    // The game's start-up, then the presentation's.
    void startUp();

private:
    std::unique_ptr<GameState> m_state;
    std::unique_ptr<Presentation> m_look;
};
