// Showing an engagement: attack path, misfire notice, battle scene or simplified window, map effects.
#include "rules/combat_scene.h"

#include "rules/battle_link.h"
#include "rules/combat_pair.h"
#include "rules/dialog_link.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/map_window_link.h"
#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/name_tables.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kAbsentEnd = 65535;

template <size_t N>
void copyName(char (&to)[N], const char* from, size_t size)
{
    std::memset(to, 0, N);
    if (from)
        std::memcpy(to, from, std::min(N - 1, strnlen(from, size)));
}

} // namespace

bool viewerSeesSide(const GameState& state, const CombatSide& side)
{
    if (side.code < 0 || side.code == kHexSideCode)
        return ViewerView(state).seesHex(int(side.x), int(side.y));
    return ViewerView(state).seesUnitAt(side.code, side.index, int(side.x), int(side.y));
}

BattleSideRecord battleSideRecord(GameState& state, const CombatPair& pair, int k, const CombatShow& show)
{
    BattleSideRecord out;
    const CombatSide& s = pair.side[k];
    out.shots = uint32_t(std::max(show.hits[k], 0));
    out.flashHit = s.critical;
    out.counterAttack = show.returnFire ? 1 : 0;
    out.night = state.isNightTurn() ? 1 : 0;
    out.weaponSlot = s.weaponSlot;
    out.terrain = uint32_t(std::max(state.effectiveTerrainAt(int(s.x), int(s.y)), 0));
    const UnitRecord* unit = pair.unit(state, k);
    if (!unit)
        return out;
    const bool seen = viewerSeesSide(state, s);
    out.country = seen ? uint32_t(s.country) : 9;
    if (!seen) {
        // The scene draws an unseen side as smoke: nothing it is given follows the unit's type or
        // strength. A full line of figures stands for it, at which the seen side's shots are aimed.
        constexpr int kUnseenFigures = 10;
        constexpr uint32_t kLandDomain = 3;
        out.weaponSlot = -1;
        out.domain = kLandDomain;
        out.figuresBefore = out.figuresAfter = kUnseenFigures;
        return out;
    }
    const UnitTypeRecord& type = unit->type();
    out.unitIcon = uint32_t(unitBitmapIndex(state, type));
    out.unitType = type.id;
    out.battleId = type.id;
    out.domain = type.domain;
    copyName(out.typeName, type.name, sizeof type.name);
    copyName(out.unitName, unit->name, sizeof unit->name);
    const char* class_name = unitClassName(type.unitClass);
    copyName(out.className, class_name, std::strlen(class_name));
    if (s.weaponSlot >= 0 && s.weaponSlot < kWeaponSlotCount)
        copyName(out.weaponName, type.weaponSlot[s.weaponSlot].name, sizeof type.weaponSlot[s.weaponSlot].name);
    out.figuresBefore = pair.strengthSlotsBefore(k);
    out.figuresAfter = pair.strengthSlotsAfter(k);
    out.strengthBefore = pair.strengthTenthsBefore(state, k);
    out.strengthAfter = pair.strengthTenthsAfter(state, k);
    return out;
}

bool isFightShown(GameState& state, const CombatPair& pair, const CombatShow& show)
{
    const GameSettings& settings = state.settings();
    const bool someone_cares = settings.fightOfAll || state.isHumanCountry(pair.side[0].country)
        || (pair.isSideSet(1) && state.isHumanCountry(pair.side[1].country));
    if (!someone_cares)
        return false;
    // A misfire is shown only where it went astray to a place the viewer sees.
    if (show.misfire && !viewerSeesSide(state, pair.side[1]))
        return false;
    // A fight the viewer sees neither side of is neither shown nor heard.
    if (!viewerSeesSide(state, pair.side[0]) && !viewerSeesSide(state, pair.side[1]))
        return false;
    return mainWindowLink().isVisible();
}

void presentCombat(GameState& state, const CombatPair& pair, const CombatShow& show)
{
    if (!isFightShown(state, pair, show))
        return;
    const GameSettings& settings = state.settings();
    MapWindowLink& map = mapWindowLink();
    // The path starts at the attacker: one the viewer does not see fires from nowhere drawn.
    if ((settings.mapOnBombAnim || settings.movingFight) && viewerSeesSide(state, pair.side[0]))
        map.animateAttackPath(show.attackerX, show.attackerY, show.misfire ? kAbsentEnd : show.targetX,
            show.misfire ? kAbsentEnd : show.targetY);
    if (show.misfire && settings.showSwerve && viewerSeesSide(state, pair.side[0]))
        dialogLink().showEventNotice(kMisfireNotice, pair.side[0].code, pair.side[0].index);
    if (settings.showFight) {
        if (!settings.fightOnReal) {
            battleLink().showSimpleBattle();
        } else {
            BattleRecord record { { battleSideRecord(state, pair, 0, show), battleSideRecord(state, pair, 1, show) } };
            battleLink().runBattleScene(record, settings.playSe);
        }
    }
    if (!settings.mapOnBombAnim)
        return;
    if (show.area)
        map.animateAreaBlast(show.targetX, show.targetY);
    map.updateHex(show.targetX, show.targetY);
    for (const CombatShow::Neighbour& n : show.neighbours)
        map.updateHex(n.x, n.y);
    for (int k = 0; k < 2; ++k)
        if (pair.isSideSet(k) && !pair.survives(k) && viewerSeesSide(state, pair.side[k]))
            map.animateExplosion(int(pair.side[k].x), int(pair.side[k].y), pair.side[k].code, pair.side[k].index);
    if (show.misfire && !show.area)
        map.showHexEffect(show.targetX, show.targetY, 0, 0);
    for (const CombatShow::Neighbour& n : show.neighbours)
        if (n.destroyed && ViewerView(state).seesUnitAt(n.code, n.index, n.x, n.y))
            map.animateExplosion(n.x, n.y, n.code, n.index);
}
