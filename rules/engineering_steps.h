// Steps the engineering executors share: the acting unit and its experience gain.
#pragma once

class GameState;
struct UnitRecord;

struct ActingUnit {
    int side = -1;
    int index = -1;
    UnitRecord* unit = nullptr;
};

// The current action's unit; a null unit when the actor is not a unit in play.
ActingUnit actingUnit(GameState& state);

enum class RankNotice { Announce, Silent };

// One of UnitRecord's gains, announcing a change of rank unless silent; true when it changed.
bool gainExperience(GameState& state, const ActingUnit& actor, void (UnitRecord::*gain)(), RankNotice notice = RankNotice::Announce);
