// Interceptors found and resolved against a moving unit, and the list of units that intercepted.
#include "rules/interception.h"
#include "rules/shared_codes.h"

#include "rules/combat.h"
#include "rules/combat_pair.h"
#include "rules/dialog_link.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/rules_context.h"
#include "rules/visibility.h"
#include "state/unit_facts.h"

#include <algorithm>

namespace {

constexpr int kSearchRadius = 99;
constexpr int kModeAttack = 1;

bool warheadHasMembers(const GameState& state, int side, int index)
{
    const UnitRecord* unit = state.unitOf(side, index);
    return unit && unitExists(*unit) && strengthTotal(*unit) > 0;
}

// No unit intercepts beyond its type's range in the mover's domain, so the scan need not walk
// further than the longest such range of any type.
int searchRadius(const GameState& state, int domain)
{
    if (domain < 0 || domain >= kDomainCount)
        return 0;
    int radius = 0;
    for (const UnitTypeRecord& type : state.unitTypes())
        radius = std::max<int>(radius, type.range[domain]);
    return std::min(radius, kSearchRadius);
}

int countryOf(int side) { return side >= kMissileCodeBase ? side - kMissileCodeBase : side; }

// A fresh engagement of the interceptor against the mover, valued and made current; false when
// the interceptor has nothing to fire.
bool engageMover(GameState& state, int interceptor_side, int interceptor_index, int side, int index)
{
    const UnitRecord* interceptor = state.unitOf(interceptor_side, interceptor_index);
    if (!interceptor || !unitInPlay(*interceptor))
        return false;
    CombatPair pair {};
    pair.setAttacker(state, interceptor_side, interceptor_index, interceptor->x, interceptor->y, false);
    pair.setDefender(state, side, index);
    pair.prepare(state);
    if (pair.side[0].weaponSlot < 0)
        return false;
    pair.computeValues(state);
    currentCombat(state) = pair;
    return true;
}

// A person playing the interceptor may pick the weapon or let the mover pass.
bool confirmedByPerson(GameState& state, int interceptor_country)
{
    if (!state.settings().askIntercept || !state.isHumanCountry(interceptor_country))
        return true;
    CombatPair& pair = currentCombat(state);
    const bool chosen = dialogLink().chooseWeapon(pair, 0, WeaponChoiceMode::Interception) != 0;
    if (chosen)
        pair.computeValues(state);
    mainWindowLink().bringToFront();
    return chosen;
}

} // namespace

void noteInterceptor(GameState& state, int side, int index)
{
    state.command().interceptedUnits.push_back(uint32_t(side & 0xFFFF) | uint32_t(index & 0xFFFF) << 16);
}

bool hasIntercepted(GameState& state, int side, int index)
{
    const uint32_t key = uint32_t(side & 0xFFFF) | uint32_t(index & 0xFFFF) << 16;
    const std::vector<uint32_t>& list = state.command().interceptedUnits;
    return std::find(list.begin(), list.end(), key) != list.end();
}

bool findInterceptors(GameState& state, int index, std::vector<uint32_t>& list)
{
    const int side = currentAction(state).actingCountry();
    const int code = state.turnBlock().phase == kMissilePhase ? side + kMissileCodeBase : side;
    const UnitRecord* mover = state.unitOf(code, index);
    if (!mover)
        return false;
    const UnitTypeRecord& type = mover->type();
    InterceptionCandidatesScan scan(state, side, targetClass(type), type.domain);
    scan.scan(mover->x, mover->y, searchRadius(state, type.domain));
    list.insert(list.end(), scan.candidates().begin(), scan.candidates().end());
    return !scan.candidates().empty();
}

void resolveInterceptions(GameState& state, int side, int index, int mode, const std::vector<uint32_t>& list)
{
    for (const uint32_t entry : list) {
        const UnitRecord* mover = state.unitOf(side, index);
        if (!mover)
            return;
        const int domain = mover->type().domain;
        const int interceptor_side = int(entry & 0xFFFF);
        const int interceptor_index = int(entry >> 16);
        const CombatPair kept = currentCombat(state);
        if (!engageMover(state, interceptor_side, interceptor_index, side, index))
            continue;

        if (confirmedByPerson(state, interceptor_side)) {
            const CombatSide& defender = currentCombat(state).side[1];
            // The movement range keeps the mover's domain out of this hex for the rest of the turn.
            if (TerrainCell* cell = state.terrainCellAt(int(defender.x), int(defender.y)); cell && domain < kDomainCount)
                cell->turnMarks[0] = uint8_t(cell->turnMarks[0] | 1u << domain);
            if (ViewerView(state).toldOf(countryOf(side)))
                dialogLink().showEventNotice(kInterceptionNotice, side, index);
            resolveCombat(state);
        }
        // A declined interception still uses up the interceptor's chance for this action.
        noteInterceptor(state, interceptor_side, interceptor_index);

        CombatPair& current = currentCombat(state);
        current = kept;
        if (mode == kModeAttack && warheadHasMembers(state, side, index) && current.side[0].code == side
            && current.side[0].index == index) {
            // The attack that follows the move fires with what the mover has left.
            const int16_t slot = current.side[0].weaponSlot;
            current.refreshSide(state, 0);
            current.prepare(state);
            current.side[0].weaponSlot = slot;
            current.computeValues(state);
        }
        if (!warheadHasMembers(state, side, index))
            return;
    }
}

void interceptAt(GameState& state, int side, int index, int mode)
{
    std::vector<uint32_t> list;
    if (findInterceptors(state, index, list))
        resolveInterceptions(state, side, index, mode, list);
}
