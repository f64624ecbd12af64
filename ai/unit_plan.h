// UnitPlan: one unit's action in the computer's turn, chosen and carried out.
#pragma once

#include "state/hex_geometry.h"

#include <functional>
#include <memory>
#include <vector>

class GameState;
class MoveRangeMap;
class ActionRange;
struct UnitRecord;
struct BuildingRecord;

// What the plan chose for the unit; the first that applies wins, in this order.
enum class UnitChoice { None, Resupply, Attack, Occupy, Retreat, Advance, EndAction };

// The country's strategy byte: 0 "侵攻重視", 1 "防御重視", 2 "攻防均衡".
enum class Strategy { Offensive = 0, Defensive = 1, Balanced = 2 };
Strategy countryStrategy(GameState& state, int country);

// A planned attack; its score is kills valued by the members' price less the return fire, weighed
// by the strategy.
struct AttackOption {
    HexPos from = kNoHex;
    HexPos target = kNoHex;
    int slot = -1;
    long long score = 0;
};

class UnitPlan {
public:
    UnitPlan(GameState& state, int country, int index);
    ~UnitPlan();
    UnitPlan(const UnitPlan&) = delete;
    UnitPlan& operator=(const UnitPlan&) = delete;

    // Begins the planned action, gives one order and finishes the action; answers what was chosen.
    // A unit that cannot act (gone, acted, waiting for production, aboard) is left alone: None.
    UnitChoice act();

    // Computes the unit's range for this turn; false when no range can be made.
    bool prepareRange();
    // The best attack from the unit's hex or a reachable hex next to a visible enemy; the range
    // must be computed. score <= 0 when none pays.
    AttackOption bestAttack();

private:
    // The first choice that applies, its order given.
    UnitChoice decide();
    bool needsSupply() const;
    bool badlyDamaged() const;
    bool tryResupply();
    bool tryAttack();
    // Indirect fire on a point (rule 46): from where it stands, on a land mine its country knows of.
    bool tryGroundAttack();
    bool tryOccupyHere();
    bool tryOccupy();
    bool canOccupy() const;
    // A building not held by a friend that wins the game: a hostile capital or a victory place.
    bool isObjective(const BuildingRecord& building) const;
    std::vector<HexPos> objectives() const;
    // Occupiers take an objective in reach before anything else, and otherwise head for the nearest.
    bool tryOccupyObjective();
    bool tryAdvanceOnObjective();
    bool tryRetreat();
    bool tryAdvance();
    // Buildings not held by a friend are left to the units that can occupy them.
    bool mayStopAt(HexPos hex) const;
    // The reachable free stop of least distance below the limit, by cost on a tie; kNoHex when none.
    HexPos bestStop(int limit, const std::function<int(int, int)>& distance);
    // Moves toward a hex that may lie beyond this turn's reach.
    bool moveToward(HexPos goal, int code, int target);
    void order(HexPos dest, int code, int target, int extra);
    void endAction();
    long long exchange(int code, int index, const UnitRecord& target, int target_code, int target_index, HexPos from,
        HexPos at, int& slot);

    GameState& m_state;
    int m_country;
    int m_index;
    UnitRecord* m_unit;
    std::unique_ptr<ActionRange> m_range;
    MoveRangeMap* m_map = nullptr;
};
