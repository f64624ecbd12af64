// Dangers of a hex for a unit: enemy threat layers, exposure to fire, mines and zones of control.
#include "rules/move_checks.h"
#include "rules/shared_codes.h"

#include "rules/combat.h"
#include "rules/rules_context.h"
#include "state/game_state.h"
#include "state/sight_maps.h"
#include "state/unit_facts.h"

namespace {

// The weapon masks of the attack search: usable where the unit stands, and after a move too.
constexpr unsigned kAttackInPlace = 8;
constexpr unsigned kAttackAfterMove = 136;
constexpr int kDomainLand = 3;
constexpr int kDomainSea = 4;

int threatLayerOf(const GameState& state, int code, int index)
{
    const UnitRecord* unit = state.unitOf(code, index);
    if (!unit)
        return -1;
    const int domain = unit->type().domain;
    if (code >= kMissileCodeBase)
        return domain == 0 ? 6 : 7;
    return domain;
}

bool exertsZoc(const GameState& state, const UnitRecord& enemy, int target_class)
{
    if (state.ruleOn(kRuleZocNeedsWeapon))
        return enemy.canAttackClass(target_class);
    return state.ruleOn(kRuleZoc);
}

} // namespace

bool isHexThreatened(const GameState& state, int code, int index, int x, int y)
{
    const int layer = threatLayerOf(state, code, index);
    const CountryHexLayers* layers = state.hexLayers();
    return layer >= 0 && layers && layers->hasForeignBit(countryOfCode(code), x, y, layer);
}

bool isExposedToEnemyFire(const GameState& state, int x, int y, int code, int index)
{
    if (!isHexThreatened(state, code, index, x, y))
        return false;
    const UnitRecord* unit = state.unitOf(code, index);
    if (state.hexHasOtherUnit(x, y, state.unitSlotFor(unit->type().domain), code, index))
        return false;
    const int own = countryOfCode(code);
    const uint8_t markers = state.hexLayers()->cellByte(x, y, threatLayerOf(state, code, index));
    for (int country = 0; country < kCountryCount; ++country) {
        if (!(markers >> country & 1) || country == own || state.isAllied(own, country))
            continue;
        if (isHexVisibleTo(state, country, code, index, x, y))
            return true;
    }
    return false;
}

bool hexHasMineFor(const GameState& state, int x, int y, int code, int index)
{
    const TerrainCell* cell = state.terrainCellAt(x, y);
    const UnitRecord* unit = state.unitOf(code, index);
    if (!cell || !unit)
        return false;
    const int domain = unit->type().domain;
    return (cell->mineKind == 1 && domain == kDomainLand) || (cell->mineKind == 2 && domain == kDomainSea);
}

bool isFreeOfEnemyZoc(GameState& state, int x, int y)
{
    const CurrentAction& action = currentAction(state);
    const int mover_country = action.actingCountry();
    const UnitRecord* mover = state.unitOf(mover_country, action.actingIndex());
    if (!mover || !state.isOnMap(x, y))
        return true;
    const int target_class = targetClass(mover->type());
    std::vector<UnitRef> units;
    for (int d = 0; d <= kHexDirections; ++d) {
        // Direction 6 is the hex itself.
        const HexPos hex = state.hexNeighbour(x, y, d);
        if (hex.valid())
            state.collectUnitsInHex(hex.x, hex.y, units);
    }
    for (const UnitRef& ref : units) {
        if (ref.table >= kSideCount)
            continue;
        const UnitRecord* other = state.unitOf(ref.table, ref.index);
        if (!other || ref.table == mover_country || state.isAllied(mover_country, ref.table))
            continue;
        if (exertsZoc(state, *other, target_class))
            return false;
    }
    return true;
}

bool canAttackUnitFrom(GameState& state, int side, int index, HexPos position, int target_code, int target_index, bool moving)
{
    const int target_country = countryOfCode(target_code);
    if (target_country == side)
        return false;
    if (state.isAllied(side, target_country)) {
        if (!state.ruleOn(kRuleAttackAllies) || target_country == kNeutralSide)
            return false;
    } else if (!isUnitVisibleTo(state, side, target_code, target_index)) {
        return false;
    }
    const unsigned mask = moving ? kAttackAfterMove : kAttackInPlace;
    return findAttackWeapon(state, side, index, position.x, position.y, target_code, target_index, mask) >= 0;
}
