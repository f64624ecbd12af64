// The application's game state services: the mode dialog and the neighbours' objects.
#include "app/game_state_services.h"

#include "ai/area_analysis.h"
#include "app/start_mode_dialog.h"
#include "battle/battle_unit_data.h"
#include "dialogs/start_arrow.h"
#include "lib/application.h"
#include "state/game_state.h"

void AppGameStateServices::runStartModeDialog()
{
    StartModeDialog dialog(theApplication().mainWindow());
    dialog.run();
}

UpperOwned<AreaAnalysis> AppGameStateServices::createAreaAnalysis()
{
    return { new AreaAnalysis, std::default_delete<AreaAnalysis>() };
}

UpperOwned<BattleUnitData> AppGameStateServices::createBattleUnitData()
{
    return { new BattleUnitData, std::default_delete<BattleUnitData>() };
}

FileFault AppGameStateServices::loadStartArrowBitmap() { return ::loadStartArrowBitmap(); }

void AppGameStateServices::freeStartArrowBitmap() { ::freeStartArrowBitmap(); }

AppGameStateServices& appGameStateServices()
{
    static AppGameStateServices services;
    return services;
}

void installAppGameStateServices(AppGameStateServices* services)
{
    setGameStateServices(services);
    setPresentationServices(services);
}

OwnedGameState::OwnedGameState()
    : m_state(std::make_unique<GameState>())
    , m_look(std::make_unique<Presentation>(*m_state))
{
    g_gameState = m_state.get();
    setPresentation(m_look.get());
}

OwnedGameState::~OwnedGameState()
{
    // The game thread is joined before the pictures go; the presentation reads the game.
    m_state->shutDown();
    setPresentation(nullptr);
    m_look.reset();
    m_state.reset();
    g_gameState = nullptr;
}

void OwnedGameState::startUp()
{
    m_state->startUp();
    m_look->startUp();
}
