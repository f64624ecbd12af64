// MapOrders: the person's orders on the map: selecting a unit, its destination and way-points, the
// chosen command's targets, the confirmations, and the rules carrying the order out.
#pragma once

#include "state/hex_cells.h"
#include "state/hex_geometry.h"

#include <cstdint>
#include <string>
#include <vector>

class GameState;
struct CombatPair;

// What the orders need of the window that shows them.
class OrderUi {
public:
    virtual ~OrderUi() = default;
    // side -1: nothing of the person's is selected any more.
    virtual void unitSelected(int side, int index, uint32_t mask) = 0;
    virtual void hexShown(int x, int y) = 0;
    // A yes/no question titled "確認" (CP932 text); true for yes.
    virtual bool confirm(const std::string& text) = 0;
    // The question the troop list asks before it disbands a unit; true for yes.
    virtual bool confirmDisband(int side, int index) = 0;
    virtual void notice(const std::string& text, const std::string& caption) = 0;
    // The person picks one of the entries (dialogs/popup_entries.h) in the hex contents popup of
    // that purpose at the mouse; popup_entry::kNone when nothing was picked.
    virtual uint32_t choose(int purpose, const std::vector<uint32_t>& upper, const std::vector<uint32_t>& lower) = 0;
    // The armament set the unit is to exchange to; -1 when the person chose none.
    virtual int chooseArmamentSet(int side, int index) = 0;
    // The person's weapon for the attack prepared in the pair, chosen in place; false drops it.
    virtual bool chooseWeapon(CombatPair& pair) = 0;
    // The machines the right-hand unit of a merge or a split ends with; -1 when the person cancelled.
    virtual int chooseMerge(int side, int index, int partner, HexPos dest) = 0;
    virtual int chooseSplit(int side, int index, HexPos stay, HexPos part) = 0;
    // The production dialog at the hex; true when units were made, the map and panels then redrawn.
    virtual bool produceAt(int x, int y) = 0;
    // The marks changed: redraw what the state's redraw set names.
    virtual void marksChanged() = 0;
};

enum class OrderStage { Idle, Selected, Targeting };

class MapOrders {
public:
    MapOrders(GameState& state, OrderUi& ui);

    // The current country is a person's, in its action phase, and the game thread waits for it.
    bool personActs() const;
    // The same in its production phase.
    bool personProduces() const;
    // The commands this window can carry out; the others need windows of their own.
    static uint32_t supportedCommands();

    // Picks the person's unit as a click on it does, for units no hex shows on top (aboard, stored);
    // false when it may not act now.
    bool selectUnit(int side, int index);
    // The same, and a unit that may not act is shown without commands, as a click shows it.
    void pickUnit(int side, int index);
    // A left click on a hex; with shift a click in range adds a way-point.
    void click(int x, int y, bool shift);
    void commandChosen(int code);
    // Right button, Escape or the palette's cancel: a pending target choice goes back to the unit,
    // else the unit's action ends without an order.
    void cancel();
    // Backspace: the last way-point is taken back.
    void removeLastWayPoint();

    // -- the auto-move set-up (map_window_auto_move.cpp) --
    // The group is gathered by clicks on the person's units.
    void beginAutoMoveSetup();
    // The group's first unit is picked and the clicks set its route; false with an empty group.
    bool beginAutoMoveRoute();
    // The route (way-points, or the unit chosen to follow) is stored in every unit of the group,
    // and the set-up ends.
    void setAutoMoveRoute();
    void endAutoMoveSetup();
    // Every unit of the current country with an order takes its step.
    void runAutoMoves();

    OrderStage stage() const { return m_stage; }
    int code() const { return m_code; }
    HexPos destination() const { return m_dest; }

private:
    struct Target {
        HexPos hex;
        int target = 0;
        int extra = -1;
    };

    void dropStaleSelection();
    // Forgets the selected unit and its order, telling no one.
    void resetSelection();
    void select(int x, int y);
    void chooseDestination(int x, int y);
    void addWayPoint(int x, int y);
    void showCommands();
    bool collectTargets(int code, std::vector<Target>& targets);
    // Command 14: the set from the armament window, from the first place that can rearm the unit.
    void exchangeArmament();
    void markTargets(bool on);
    bool confirmOrder(int code, const Target& target);
    // The dialogs an order asks before it is given: the attack's weapon, the merge's or split's
    // machines (into target.extra). False when the person dropped the order.
    bool settleOrder(int code, Target& target);
    bool chooseAttackWeapon(const Target& target);
    // A click in the production phase on a hex where the country may buy.
    bool produceAt(int x, int y);
    void execute(int code, const Target& target);
    void endSelection();
    HexPos unitHex() const;
    bool moving() const { return m_dest != unitHex(); }
    // The auto-move set-up's clicks: a unit for the group, a way-point or a unit to follow.
    void addToAutoMoveGroup(int x, int y);
    void chooseAutoMoveTarget(int x, int y);
    // The units of the hex the viewer sees, top first; those held in its building.
    std::vector<UnitRef> visibleUnitsAt(int x, int y) const;
    std::vector<UnitRef> visibleStoredUnitsAt(int x, int y) const;

    GameState& m_state;
    OrderUi& m_ui;
    OrderStage m_stage = OrderStage::Idle;
    int m_side = -1;
    int m_index = -1;
    int m_code = 0;
    HexPos m_dest = kNoHex;
    std::vector<Target> m_targets;
    // The unit the auto-move group is to follow (side -1: none, the route ends at its last way-point).
    int m_followSide = -1;
    int m_followIndex = -1;
};
