// One side of the current engagement fires: shots, hits and the damage spread over the counters.
#include "rules/combat.h"

#include "rules/combat_pair.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>

int fireSide(GameState& state, int k, bool critical)
{
    CombatPair& pair = currentCombat(state);
    CombatSide& shooter = pair.side[k];
    uint16_t (&counters)[10] = pair.side[1 - k].strengthAfter;
    const UnitRecord* target = pair.unit(state, 1 - k);
    const int full = target ? target->type().memberStrength : 0;
    const int expected = pair.expectedDamage(state, k);
    const int chance = pair.hitChance(state, k, true);
    const int cap = expected + 2 * full;
    int dealt = 0;
    int hits = 0;
    const int shots = shooter.memberCount * shooter.slotMultiplier;
    for (int i = 0; i < shots; ++i) {
        if (state.random(0, 99) >= chance)
            continue;
        ++hits;
        int damage;
        if (critical) {
            damage = shooter.weaponMultiplier;
            shooter.critical = 1;
        } else {
            damage = pair.oneHitDamage(state, k);
        }
        for (int j = 0; j < 10; ++j) {
            uint16_t& counter = counters[(i + j) % 10];
            if (counter == 0)
                continue;
            damage = std::min<int>(damage, counter);
            if (!critical)
                damage = std::max(std::min(damage, cap - dealt), 0);
            counter = uint16_t(counter - damage);
            dealt += damage;
            break;
        }
    }
    // The floor: an engagement deals at least its expectation less twice a member's strength.
    int rest = expected - 2 * full - dealt;
    for (int j = 0; j < 10 && rest > 0; ++j) {
        const int taken = std::min<int>(rest, counters[j]);
        counters[j] = uint16_t(counters[j] - taken);
        rest -= taken;
    }
    return hits;
}
