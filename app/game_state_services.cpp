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

AreaAnalysis* AppGameStateServices::createAreaAnalysis() { return new AreaAnalysis; }

void AppGameStateServices::deleteAreaAnalysis(AreaAnalysis* analysis) { delete analysis; }

BattleUnitData* AppGameStateServices::createBattleUnitData() { return new BattleUnitData; }

void AppGameStateServices::deleteBattleUnitData(BattleUnitData* data)
{
    if (data)
        data->clear();
    delete data;
}

FileFault AppGameStateServices::loadStartArrowBitmap() { return ::loadStartArrowBitmap(); }

void AppGameStateServices::freeStartArrowBitmap() { ::freeStartArrowBitmap(); }

AppGameStateServices& appGameStateServices()
{
    static AppGameStateServices services;
    return services;
}

OwnedGameState::OwnedGameState()
    : m_state(std::make_unique<GameState>())
{
    g_gameState = m_state.get();
}

OwnedGameState::~OwnedGameState()
{
    m_state.reset();
    g_gameState = nullptr;
}
