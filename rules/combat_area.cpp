// The area effect of a weapon: every unit of the target's domain around the target hex is hit too.
#include "rules/combat_steps.h"

#include "rules/combat_pair.h"
#include "rules/rules_context.h"
#include "state/game_state.h"
#include "state/action_history.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <vector>

namespace {


} // namespace

HistoryEngagement historyEngagement(const CombatPair& pair)
{
    HistoryEngagement out;
    HistoryEngagement::Side* sides[2] = { &out.attacker, &out.target };
    for (int k = 0; k < 2; ++k) {
        const CombatSide& s = pair.side[k];
        *sides[k] = { s.code, s.index, int(s.x), int(s.y), uint8_t(pair.strengthSlotsBefore(k)),
            uint8_t(pair.strengthSlotsAfter(k)) };
    }
    out.flag = pair.selfDestruct != 0;
    return out;
}

void hitAreaAround(GameState& state, const CombatPair& pair, int domain, bool misfire, CombatShow& show)
{
    const int tx = int(pair.side[1].x);
    const int ty = int(pair.side[1].y);
    const int attacker_country = pair.side[0].country;
    for (int d = 0; d < kHexDirections; ++d) {
        const HexPos n = state.hexNeighbour(tx, ty, d);
        if (!n.valid())
            continue;
        std::vector<UnitRef> units;
        state.collectUnitsInHex(n.x, n.y, units);
        for (const UnitRef& ref : units) {
            const UnitRecord* unit = state.unitOf(ref.table, ref.index);
            if (!unit || !unitInPlay(*unit) || unit->type().domain != domain)
                continue;
            if (ref.table == pair.side[0].code && ref.index == pair.side[0].index)
                continue;
            if (!state.ruleOn(kRuleFriendlyDamage) && state.isAllied(attacker_country, ref.country))
                continue;
            CombatPair hit = pair;
            hit.setDefender(state, ref.table, ref.index);
            hit.computeValuesHalfWeapon(state);
            if (hit.side[0].attackValue == 0)
                continue;
            const int chance = hit.hitChance(state, 0, true);
            const int damage = hit.side[0].weaponMultiplier;
            const int shots = hit.side[0].memberCount * hit.side[0].slotMultiplier;
            bool was_hit = false;
            for (int i = 0; i < shots; ++i) {
                if (state.random(0, 99) >= chance)
                    continue;
                was_hit = true;
                uint16_t (&counters)[10] = hit.side[1].strengthAfter;
                for (int j = 0; j < 10; ++j) {
                    uint16_t& counter = counters[(i + j) % 10];
                    if (counter > 0) {
                        counter = uint16_t(std::max(counter - damage, 0));
                        break;
                    }
                }
            }
            if (was_hit && state.ruleOn(kRuleExperience)) {
                int gain = 10;
                if (state.campaignBlock().campaignFlag == 1)
                    gain = UnitRecord::divideExperienceGain(gain);
                hit.side[1].experienceAfter = uint16_t(std::min(hit.side[1].experienceAfter + gain, kMaxExperience));
            }
            // The losses are booked on the live record whether it survives or not; removal comes last.
            hit.writeBack(state, 1);
            const HistoryEngagement engagement = historyEngagement(hit);
            state.historyLog().recordCombat(engagement, misfire ? 1 : 0, misfire ? 1 : 0);
            if (misfire && !hit.survives(1) && ref.country < kCountryCount && state.isAllied(attacker_country, ref.country))
                rulesContext(state).friendlyFireMask |= uint8_t(1u << ref.country);
            show.neighbours.push_back({ ref.table, ref.index, n.x, n.y, !hit.survives(1) });
        }
    }
}
