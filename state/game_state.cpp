// GameState construction and the one global pointer.
#include "state/game_state.h"

#include "state/action_history.h"
#include "state/sight_maps.h"

GameState* g_gameState = nullptr;

GameState::GameState()
    : m_weaponIdMap(new uint16_t[kWeaponIdMapSize]())
    , m_unitTypeIdMap(new uint16_t[kUnitTypeIdMapSize]())
{
}

GameState::~GameState()
{
    shutDown();
    // The rules engine's objects let go of the state's combat pair while the state is whole.
    m_extension.reset();
}

int GameState::weaponIndex(int id) const
{
    return id > 0 && id < kWeaponIdMapSize ? m_weaponIdMap[id] : 0;
}

int GameState::unitTypeIndex(int id) const
{
    return id >= 0 && id < kUnitTypeIdMapSize ? m_unitTypeIdMap[id] : 0;
}
