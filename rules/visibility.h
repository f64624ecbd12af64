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

// What the person watching the map may be shown of the hex now: the one test of every picture, sound
// and name the game gives of another country's doings. Everything with fog of war off, with no
// country viewing (the turn block's viewing country) and on the viewing country's own turn; else only
// the hexes its sight (or an ally's) covers in some layer.
bool viewerSeesHex(const GameState& state, int x, int y);
// Whether the person watching may be shown unit (code, index) standing at (x, y): its own and its
// allies' units always, another's as fog of war and concealment let the viewing country see it.
bool viewerSeesUnit(const GameState& state, int code, int index, int x, int y);

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
