// CurrentAction: the one acting unit, building or missile, its range, route and way-points.
#pragma once

#include "rules/current_action_range.h"
#include "state/hex_geometry.h"

#include <cstdint>
#include <memory>
#include <vector>

class GameState;

#pragma pack(push, 1)
struct WayPoint {
    uint32_t x;
    uint32_t y;
    // Cost from the actor's hex to this way-point.
    uint16_t cost;
    // Path hexes before this way-point.
    uint16_t pathCount;
};
#pragma pack(pop)
static_assert(sizeof(WayPoint) == 12);

// What the current action hands to the combat, victory, supply and game-thread code, which install
// it. Without it those steps are not run.
class ActionSettlement {
public:
    virtual ~ActionSettlement() = default;
    // The strike of missile index of the country's missile table at its target hex.
    virtual void missileImpact(int country, int index) = 0;
    virtual void checkEndOfGame(int mode) = 0;
    virtual void resetHexTurnMarks() = 0;
    // Every per-turn mark of the state has just been laid afresh, so marks kept can start from them.
    virtual void hexTurnMarksLaidAfresh(GameState&) { }
    // Brings the per-turn marks of the state up to date from the marks kept, as resetHexTurnMarks
    // does; false when this settlement keeps no marks of that state.
    virtual bool keepHexTurnMarks(GameState&) { return false; }
    virtual void updateSupplyLines() = 0;
    // Tells the waiting game thread that the user interface has handled its request.
    virtual void answerUi(int value) = 0;
};

void setActionSettlement(ActionSettlement* settlement);
ActionSettlement* actionSettlement();

class CurrentAction {
public:
    static constexpr int kBuildingActor = 200;
    static constexpr int kEndOfActionCode = 26;
    // Eight way-points are stored in a unit and the ninth becomes its goal.
    static constexpr int kMaxAutoMoveWayPoints = 9;

    explicit CurrentAction(GameState& state) : m_state(state) { }

    // -- beginning --
    // A person picks a unit: the range from its hex is computed and marked. use_current takes the
    // turn's current country instead of the one given.
    void beginUnitAction(int country, int index, bool use_current);
    void beginAction(int country, int index);
    void beginBuildingAction(int building);
    // The computer player's range is borrowed, never freed here.
    void beginPlannedAction(int country, int index, ActionRange* range);
    // A missile of the country's missile table acts; its range reaches as far as its fuel.
    void beginMissileAction(int country, int index);

    // The acting building fires its missile at (x, y): a new missile of its owner, in flight with
    // rule 16, else striking at once. False when the building has no missile to fire or no room.
    bool launchBuildingMissile(int x, int y);

    // -- range and route --
    void refreshMoveRange() { markRangeAfter(0); }
    // 0 without an owned range, -1 for a hex it does not reach.
    int routeCostTo(int x, int y) const;
    // False when nothing was added: no range, an unreachable hex, or a full auto-move route.
    bool addWayPoint(int x, int y);
    // The hex that now ends the route.
    HexPos removeLastWayPoint();
    void clearRouteMarks();
    // Marks the acting unit's stored automatic route: each leg 32768, each leg's end 16384.
    void markAutoMoveRoute();

    // -- auto-move group --
    // The set-up's first stage gathers the group; its second sets the route (way-points or a unit to follow).
    void beginAutoMoveSetup();
    void beginAutoMoveRouteStage() { m_setupStage = 2; }
    void endAutoMoveSetup();
    void requestAutoMoveRun() { m_runRequest = 1; }
    void addAutoMoveUnit(int country, int index);
    bool isActingOrGroupedUnit(int country, int index) const;
    bool autoMoveGroupContains(int index) const;
    int autoMoveGroupSize() const { return int(m_group.size()); }
    int autoMoveGroupUnit(int i) const { return i >= 0 && i < autoMoveGroupSize() ? int(m_group[size_t(i)]) : -1; }
    // follow 1: the group follows unit (a, b); else it goes to the last way-point.
    void assignAutoMoveRoute(int follow, int a, int b);

    // Start and end of play: no action under way, no range, no auto-move group or request.
    void resetForPlay();

    // -- finishing --
    void finishAction();
    void finishActionQuiet();
    void finishActionAlt();
    void finishPlannedAction();
    void finishMissileAction();

    // -- the block --
    uint16_t commandCode() const { return m_code; }
    void setCommandCode(uint16_t code) { m_code = code; }
    uint16_t subCode() const { return m_subCode; }
    int actingCountry() const { return int(m_country); }
    int actingIndex() const { return int(m_index); }
    // Hands the action to another actor (a missile striking for its launcher) without a reset.
    void setActingUnit(int country, int index) { m_country = uint32_t(country), m_index = uint32_t(index); }
    bool underWay() const { return m_underWay != 0; }
    bool planned() const { return m_planned != 0; }
    bool autoMoveSetup() const { return m_setup != 0; }
    bool autoMoveRouteStage() const { return m_setup != 0 && m_setupStage == 2; }
    bool autoMoveRunRequested() const { return m_runRequest != 0; }
    ActionRange* range() const { return m_range; }
    const std::vector<HexPos>& path() const { return m_path; }
    const std::vector<WayPoint>& wayPoints() const { return m_wayPoints; }
    int firstAllowance() const { return int(m_firstAllowance); }
    int secondAllowance() const { return int(m_secondAllowance); }
    void setResultsChanged() { m_resultsChanged = 1; }
    // Marks the game state's supply lines outdated; the finish recomputes them.
    void setSupplyLinesDirty();

private:
    enum class Finish { Action, Quiet, Alt, Planned, Missile };

    void reset();
    void markRangeAfter(int spent);
    void markStopInZone(int spent);
    HexPos actorHex() const;
    int lastWayPointCost() const { return m_wayPoints.empty() ? 0 : m_wayPoints.back().cost; }
    void finish(Finish variant);
    void refreshWindows(Finish variant);

    GameState& m_state;
    int8_t m_spare = -1;
    uint16_t m_code = 0;
    uint16_t m_subCode = 0;
    ActionRange* m_range = nullptr;
    std::unique_ptr<ActionRange> m_ownedRange;
    uint32_t m_country = 0;
    uint32_t m_index = 0;
    uint8_t m_flag = 0;
    uint8_t m_underWay = 0;
    std::vector<uint32_t> m_group;
    std::vector<HexPos> m_path;
    std::vector<WayPoint> m_wayPoints;
    uint32_t m_firstAllowance = 0;
    uint32_t m_secondAllowance = 0;
    uint8_t m_planned = 0;
    uint8_t m_resultsChanged = 0;
    uint8_t m_setup = 0;
    uint8_t m_setupStage = 0;
    uint8_t m_runRequest = 0;
};
