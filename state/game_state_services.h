// GameStateServices: what start-up and shut-down need of the start-mode dialog, the computer
// player and the battle scene, which live in folders above state; the application installs its
// implementation.
#pragma once

#include <functional>
#include <memory>

class AreaAnalysis;
class BattleUnitData;
class GameState;

// An object of a folder above state that the state owns: the folder that made it says how it goes.
template <class T>
using UpperOwned = std::unique_ptr<T, std::function<void(T*)>>;

class GameStateServices {
public:
    virtual ~GameStateServices() = default;

    // StartModeDialog, modal; it writes "SimpleMode" as 0 or 1.
    virtual void runStartModeDialog() = 0;
    virtual UpperOwned<AreaAnalysis> createAreaAnalysis() = 0;
    virtual UpperOwned<BattleUnitData> createBattleUnitData() = 0;
};

// Owned by the caller. Without services start-up makes none of the neighbours' objects.
void setGameStateServices(GameStateServices* services);
GameStateServices* gameStateServices();
