// The computer's choice of attack: expected kills by price against the return fire, by strategy.
#include "ai/unit_plan.h"

#include "rules/combat_values.h"
#include "rules/command_scans_rules.h"
#include "rules/mines.h"
#include "rules/commands.h"
#include "rules/move_range.h"
#include "rules/scans_attack.h"
#include "rules/scans_finds.h"
#include "state/game_state.h"
#include "state/unit_facts.h"
#include "state/unit_type_record.h"

#include <algorithm>
#include <vector>

namespace {

// Value of one member's worth of damage: the price of a member over its strength.
long long killWorth(GameState& state, int code, int index, const CombatTarget& target, int slot, const UnitRecord& victim)
{
    if (slot < 0)
        return 0;
    const UnitTypeRecord& type = victim.type();
    const long long kills = expectedKillsValue(state, code, index, target, slot);
    return kills * std::max<int>(1, type.memberPrice) / std::max<int>(1, type.memberStrength);
}

int chooseSlot(GameState& state, int code, int index, HexPos from, const CombatTarget& target, bool moving)
{
    WeaponChoiceAsk ask;
    ask.code = code;
    ask.index = index;
    ask.fromX = from.x;
    ask.fromY = from.y;
    ask.distance = hexDistance(from, { target.x, target.y });
    ask.target = target;
    if (moving)
        ask.required |= kWeaponRestricted;
    return chooseWeaponSlot(state, ask);
}

} // namespace

long long UnitPlan::exchange(int code, int index, const UnitRecord& target, int target_code, int target_index,
    HexPos from, HexPos at, int& slot)
{
    const bool moving = from != HexPos { m_unit->x, m_unit->y };
    const CombatTarget aimed { target_code, target_index, at.x, at.y };
    slot = chooseSlot(m_state, code, index, from, aimed, moving);
    if (slot < 0)
        return 0;
    const long long gain = killWorth(m_state, code, index, aimed, slot, target);
    const CombatTarget back { code, index, from.x, from.y };
    const int reply = chooseSlot(m_state, target_code, target_index, at, back, false);
    const long long loss = killWorth(m_state, target_code, target_index, back, reply, *m_unit);
    switch (countryStrategy(m_state, m_country)) {
    case Strategy::Offensive:
        return 2 * gain - loss;
    case Strategy::Defensive:
        return gain - 2 * loss;
    default:
        return gain - loss;
    }
}

AttackOption UnitPlan::bestAttack()
{
    AttackOption best;
    if (!m_unit || !m_map || !unitInPlay(*m_unit))
        return best;
    const HexPos own { m_unit->x, m_unit->y };
    const int allowance = m_unit->movePoints();
    const int reach = std::max(1, bestReachFor(m_state, m_unit->type(), m_unit->modelIndex()));

    // Firing hexes: where the unit stands, and each free reachable hex beside a seen enemy.
    EnemyUnitsScan enemies(m_state, m_country, -1);
    enemies.scan(own.x, own.y, allowance + reach);
    std::vector<HexPos> positions { own };
    for (const UnitRef& ref : enemies.units()) {
        const UnitRecord* enemy = m_state.unitOf(ref.table, ref.index);
        if (!enemy)
            continue;
        for (int d = 0; d < kHexDirections; ++d) {
            const HexPos hex = m_state.hexNeighbour(enemy->x, enemy->y, d);
            if (!hex.valid() || std::find(positions.begin(), positions.end(), hex) != positions.end())
                continue;
            if (reachCost(*m_map, hex.x, hex.y, allowance) > 0 && !m_map->isLandingPlace(hex.x, hex.y)
                && isHexFreeForUnit(m_state, m_country, m_index, hex.x, hex.y) && mayStopAt(hex))
                positions.push_back(hex);
        }
    }

    std::vector<AttackOption> ties;
    for (const HexPos& from : positions) {
        AttackTargetHexScan scan(m_state, m_country, m_index, from.x, from.y, from != own);
        scan.run();
        for (const UnitRef& ref : scan.targets()) {
            const UnitRecord* target = m_state.unitOf(ref.table, ref.index);
            if (!target || !unitInPlay(*target))
                continue;
            AttackOption option;
            option.from = from;
            option.target = { target->x, target->y };
            option.score = exchange(m_country, m_index, *target, ref.table, ref.index, from, option.target, option.slot);
                    if (option.slot < 0)
                continue;
            if (ties.empty() || option.score > ties.front().score)
                ties.assign(1, option);
            else if (option.score == ties.front().score)
                ties.push_back(option);
        }
    }
    if (ties.empty())
        return best;
    return ties[size_t(ties.size() > 1 ? m_state.random(0, int(ties.size()) - 1) : 0)];
}

bool UnitPlan::tryAttack()
{
    const AttackOption option = bestAttack();
    // Only a careful country needs the exchange to pay; the others also fire when it costs nothing.
    const bool careful = countryStrategy(m_state, m_country) == Strategy::Defensive;
    if (option.slot < 0 || option.score < 0 || (careful && option.score == 0))
        return false;
    order(option.from, kCommandAttack, int(packHex(option.target.x, option.target.y)), option.slot);
    return true;
}

bool UnitPlan::tryGroundAttack()
{
    if (!m_state.ruleOn(kRuleGroundPointTarget))
        return false;
    const HexPos own { m_unit->x, m_unit->y };
    std::vector<HexPos> hexes;
    collectGroundAttackHexes(m_state, m_country, m_index, own.x, own.y, false, hexes);
    for (const HexPos& hex : hexes) {
        const TerrainCell* cell = m_state.terrainCellAt(hex.x, hex.y);
        if (cell && cell->mineKind == kLandMineKind && (cell->mineKnownMask & (1u << m_country))) {
            order(own, kCommandAttack, int(packHex(hex.x, hex.y)), -1);
            return true;
        }
    }
    return false;
}
