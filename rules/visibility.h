// Whether a side sees a unit under fog of war and concealment, and the hooks that give state the answer.
#pragma once

#include "state/rules_hooks.h"

class GameState;
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
// with none, nothing is hidden.
//
// The hex: everything with fog of war off, on the viewing country's own turn and before the first
// turn; else only the hexes its sight (or an ally's) covers in some layer.
bool viewerSeesHex(const GameState& state, int x, int y);
// Unit (code, index) standing at (x, y): its own and its allies' units always, another's as fog of
// war and concealment let the viewing country see it there.
bool viewerSeesUnit(const GameState& state, int code, int index, int x, int y);
// The same where the unit is now: aboard, stored or off the map only a friend's unit is seen.
bool viewerSeesUnit(const GameState& state, int code, int index);
// A country's funds, income and counts of buildings and units: its own, and every country's while
// rule 32 opens the camps' information.
bool viewerSeesFigures(const GameState& state, int country);

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
