// The striker of a demolition and the steps the building and ground demolitions share.
#pragma once

class GameState;
struct UnitRecord;

struct DemolitionStrike {
    // The country of the striker; code is its table (country, or 100 + country for a missile).
    int side = -1;
    int code = -1;
    int index = -1;
    UnitRecord* unit = nullptr;
    bool missile = false;
    // The weapon slot the power came from; -1 for none.
    int slot = -1;
    int damage = 0;
    int x = 0;
    int y = 0;
};

// The current action's striker with its damage; a null unit when there is none.
DemolitionStrike demolitionStrike(GameState& state, bool missile, int x, int y);
// Power per member: a warhead's first slot (scaled by strength for one-member types, at least 1
// unless the weapon has no value), else the first usable slot, else 1.
int demolitionPower(const GameState& state, const UnitRecord& unit, int& slot);

// A unit's demolition spends one round of the slot it used; a missile spends nothing.
void spendDemolitionRound(const DemolitionStrike& strike);
// Experience by one of UnitRecord's gains, announced when the rank changes.
void gainDemolitionExperience(GameState& state, const DemolitionStrike& strike, void (UnitRecord::*gain)());
// A land unit standing on the hex goes down: the acting unit's counters are zeroed (its own step
// accounts for the loss), any other unit is destroyed.
void loseStandingLandUnit(GameState& state, const DemolitionStrike& strike);

// The hex without a building: pillbox, temporary bridge or roads.
void demolishGround(GameState& state, const DemolitionStrike& strike);
