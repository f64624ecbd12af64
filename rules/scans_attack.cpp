// The attack-target scan.
#include "rules/scans_attack.h"
#include "rules/shared_codes.h"

#include "rules/move_range.h"
#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>

namespace {

constexpr uint16_t kNearFlag = 1;
constexpr uint16_t kFarFlag = 2;
constexpr uint16_t kAttackFlag = 8;
constexpr uint16_t kRestrictedFlag = 128;

} // namespace

AttackTargetHexScan::AttackTargetHexScan(GameState& state, int country, int index, int x, int y, bool moving)
    : HexScan(state)
    , m_country(country)
    , m_x(x)
    , m_y(y)
    , m_moving(moving)
{
    const UnitRecord* unit = state.unitOf(country, index);
    if (!unit || !unitExists(*unit) || !unit->isFresh())
        return;
    m_unit = unit;
    for (int slot = 0; slot < kWeaponSlotCount; ++slot)
        if (const WeaponRecord* weapon = usableWeapon(slot))
            m_reach = std::max<int>(m_reach, weapon->reach);
}

AttackTargetHexScan::~AttackTargetHexScan() = default;

void AttackTargetHexScan::run()
{
    if (m_unit && m_reach > 0)
        scan(m_x, m_y, m_reach);
}

void AttackTargetHexScan::begin()
{
    clearHits();
    m_targets.clear();
}

const WeaponRecord* AttackTargetHexScan::usableWeapon(int slot) const
{
    const WeaponRecord* weapon = m_unit->slotWeapon(slot);
    if (!weapon || m_unit->ammunition[slot] == 0 || weapon->useValue == 0)
        return nullptr;
    if (weapon->kind == kWeaponCruiseMissile || weapon->kind == kWeaponBallisticMissile)
        return nullptr;
    const uint16_t required = m_moving ? kAttackFlag | kRestrictedFlag : kAttackFlag;
    return (weapon->flags & required) == required ? weapon : nullptr;
}

bool AttackTargetHexScan::canHit(int slot, const UnitRecord& target, int distance, int x, int y)
{
    const WeaponRecord* weapon = usableWeapon(slot);
    if (!weapon || weapon->reach < distance)
        return false;
    if (!(weapon->flags & (distance <= 1 ? kNearFlag : kFarFlag)))
        return false;
    const int target_class = targetClass(target.type());
    if (target_class < 0 || target_class >= kTargetClassCount || weapon->power[target_class] == 0)
        return false;
    if (weapon->kind != kWeaponTorpedo || distance <= 1)
        return true;
    std::unique_ptr<MoveRangeMap>& route = m_waterRoutes[size_t(slot)];
    if (!route) {
        route = std::make_unique<MoveRangeMap>(state());
        route->initFromValues(m_country, m_x, m_y, kWaterMoveType, 4);
        route->setCostLimit(weapon->reach);
        route->compute();
    }
    const int cost = route->costAt(x, y, -1);
    return cost >= 0 && cost <= weapon->reach;
}

void AttackTargetHexScan::visit(int x, int y)
{
    const int distance = hexDistance({ m_x, m_y }, { x, y });
    std::vector<UnitRef> units;
    state().collectUnitsInHex(x, y, units);
    for (const UnitRef& ref : units) {
        const UnitRecord* target = state().unitOf(ref.table, ref.index);
        if (!target || !state().isEnemy(m_country, ref.country))
            continue;
        if (!isUnitVisibleTo(state(), m_country, ref.table, ref.index))
            continue;
        for (int slot = 0; slot < kWeaponSlotCount; ++slot)
            if (canHit(slot, *target, distance, x, y)) {
                m_targets.push_back(ref);
                addHit(x, y, uint32_t(ref.table) | uint32_t(ref.index) << 16);
                break;
            }
    }
}
