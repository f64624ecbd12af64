// Whether a side sees a unit under fog of war and concealment, what the person watching is shown
// (the viewer's view), and the hooks that give state the answer.
#pragma once

#include "state/rules_hooks.h"

class GameState;
struct CountryRecord;
struct UnitRecord;
struct UnitTypeRecord;

// Rule 3 off: everything on the map is visible. A unit aboard, stored or off the map is visible only
// to its own country and its allies; any other as isHexVisibleTo at its own hex. A code of 100 + c
// is the missile table of country c and counts as c. A missing unit is visible to nobody.
bool isUnitVisibleTo(const GameState& state, int viewer, int code, int index);
// Whether unit (code, index), standing at (x, y), is visible to the viewer.
bool isHexVisibleTo(const GameState& state, int viewer, int code, int index, int x, int y);
// Whether units of this type may stay unseen where the viewer's sight reaches (concealment). When not,
// a unit of another camp on its own hex is visible exactly when rule 3 is off or the viewer's sight
// covers its hex in the type's domain.
bool typeMayHide(const UnitTypeRecord& type);

// What the person watching may be shown of other countries' doings: the one test of every picture,
// sound, notice, name and figure the game gives of them. The viewer is the turn block's viewer();
// with none, nothing is hidden. A window reads other countries' units and figures through it: a
// hidden one comes back null, so it cannot be drawn by accident. The view reads the game live.
class ViewerView {
public:
    explicit ViewerView(const GameState& state) : m_state(state) { }

    // The viewing country; -1 for none.
    int viewer() const;
    // Whether the hex lies clear of the fog the map draws: every hex with fog of war off or no
    // viewer, else the hexes the viewer's sight (or an ally's) covers in some layer.
    bool seesHex(int x, int y) const;
    // Whether the mark grid's marks show on the hex: the marks of the viewer's own turn and of its
    // deployment before the first turn are its own orders, shown over its fog; others as seesHex.
    bool showsMarksAt(int x, int y) const;
    // Unit (code, index) standing at (x, y): its own and its allies' units always, another's as fog
    // of war and concealment let the viewing country see it there.
    bool seesUnitAt(int code, int index, int x, int y) const;
    // The same where the unit is now: aboard, stored or off the map only a friend's unit is seen.
    bool seesUnit(int code, int index) const;
    // Whether a unit of this country may be shown with what it carries and stepped to among its
    // country's units: a friend's, as its cargo is never in sight.
    bool knowsInside(int country) const;
    // Whether an event of the country's own (a result, a notice) is told to the person watching:
    // the viewer's own country while a person plays it. A game of computers alone tells nobody.
    bool toldOf(int country) const;
    // Whether a pact broken between the two countries is told to the viewer: a party's camp, or
    // anyone with no viewer.
    bool knowsPactBreak(int a, int b) const { return knowsInside(a) || knowsInside(b); }
    // A country's funds, spending, income, losses and counts: its own, and every country's while
    // rule 32 opens the camps' information (an ally's are not known otherwise).
    bool knowsFigures(int country) const;

    // The unit when it is in play and seen, else null.
    const UnitRecord* unit(int code, int index) const;
    // The country's record when its figures are known, else null.
    const CountryRecord* figures(int country) const;

private:
    const GameState& m_state;
};

// The state's visibility questions answered by the rules above. The landing check is not
// visibility: it goes to the hooks given (another part of the rules engine), or is refused
// without them, as state does when no hooks are installed.
class VisibilityHooks : public StateRulesHooks {
public:
    explicit VisibilityHooks(StateRulesHooks* landing = nullptr) : m_landing(landing) { }

    bool isUnitVisibleTo(const GameState& state, int side, int index, int country) override;
    bool isHexVisibleTo(const GameState& state, int side, int index, int country, int x, int y) override;
    bool canUnitLand(const GameState& state, int side, int index, int arg) override;

private:
    StateRulesHooks* m_landing;
};
