// Unit and building helpers the victory code shares: taking units out of play and capitals.
#pragma once

class GameState;
struct BuildingRecord;

// Takes the unit off its hex, building or carrier and erases it with its cargo, no loss counted.
void takeOutOfPlay(GameState& state, int side, int index);
// The building stands on a hex whose terrain is of the capital kind.
bool isCapitalBuilding(GameState& state, const BuildingRecord& building);
