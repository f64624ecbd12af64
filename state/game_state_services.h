// GameStateServices: what start-up and shut-down need of the windows, the computer player and the
// battle scene, which live in folders above state; the application installs its implementation.
#pragma once

#include "lib/file_fault.h"

#include <memory>

class AreaAnalysis;
class BattleUnitData;
class GameState;
class swCBitmap;

class GameStateServices {
public:
    virtual ~GameStateServices() = default;

    // StartModeDialog, modal; it writes "SimpleMode" as 0 or 1.
    virtual void runStartModeDialog() = 0;
    virtual AreaAnalysis* createAreaAnalysis() = 0;
    virtual void deleteAreaAnalysis(AreaAnalysis* analysis) = 0;
    virtual BattleUnitData* createBattleUnitData() = 0;
    virtual void deleteBattleUnitData(BattleUnitData* data) = 0;
    // The 16-pixel building and bridge sheets, and the unit sheet, built from the loaded pictures.
    virtual std::unique_ptr<swCBitmap> buildSmallBuildingSheets(GameState& state) = 0;
    virtual std::unique_ptr<swCBitmap> buildUnitSheet(GameState& state) = 0;
    // Why the picture could not be read (None when it was).
    virtual FileFault loadStartArrowBitmap() = 0;
    virtual void freeStartArrowBitmap() = 0;
};

// Owned by the caller. Without services start-up makes none of the neighbours' objects.
void setGameStateServices(GameStateServices* services);
GameStateServices* gameStateServices();
