// Combat resolution: the current engagement from the first shot to the write-back and removal.
#include "rules/combat.h"
#include "rules/shared_codes.h"

#include "rules/alliances.h"
#include "rules/combat_pair.h"
#include "rules/combat_steps.h"
#include "rules/combat_values.h"
#include "rules/dialog_link.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/play_handshake.h"
#include "rules/rules_context.h"
#include "rules/unit_removal.h"
#include "state/game_state.h"
#include "state/sight_maps.h"
#include "state/unit_facts.h"

#include <algorithm>

namespace {


constexpr int kMisfireTable[6] = { 10, 20, 30, 50, 70, 100 };

class Resolution {
public:
    explicit Resolution(GameState& state)
        : m_state(state)
        , m_pair(currentCombat(state))
    {
    }

    void run();

private:
    bool isFriendOfAttacker(int country) const
    {
        return country == m_pair.side[0].country || m_state.isAllied(m_pair.side[0].country, country);
    }
    const WeaponRecord* attackerWeapon() const;
    // Sets side 1 while keeping the attacker's slot and the self-destruct flag.
    void retarget(int code, int index);
    void unitInTargetHex();
    void chooseReturnWeapon();
    void misfire();
    void experience();
    void record();
    void clearKnownMines();
    void finish();
    void settleDiplomacy();

    GameState& m_state;
    CombatPair& m_pair;
    CombatShow m_show;
    int m_distance = 0;
    bool m_hexTarget = false;
    // The domain of the unit aimed at, land for a hex; a misfire may leave no unit to read it from.
    int m_targetDomain = kLandDomain;
    bool m_misfire = false;
    bool m_noReturnFire = false;
    bool m_critical[2] = {};
};

const WeaponRecord* Resolution::attackerWeapon() const
{
    const UnitRecord* attacker = m_pair.unit(m_state, 0);
    const int slot = m_pair.side[0].weaponSlot;
    return attacker && slot >= 0 && slot < kWeaponSlotCount ? attacker->slotWeapon(slot) : nullptr;
}

void Resolution::retarget(int code, int index)
{
    const int16_t slot = m_pair.side[0].weaponSlot;
    const uint8_t self_destruct = m_pair.selfDestruct;
    m_pair.setDefender(m_state, code, index);
    m_pair.side[0].weaponSlot = slot;
    m_pair.selfDestruct = self_destruct;
}

void Resolution::unitInTargetHex()
{
    const int x = int(m_pair.side[1].x);
    const int y = int(m_pair.side[1].y);
    const TerrainCell* cell = m_state.terrainCellAt(x, y);
    const int owner = cell ? cell->owner - 1 : -1;
    if (owner >= 0 && m_state.hasPactWith(m_pair.side[0].country, owner))
        breakNonAggressionPact(m_state, m_pair.side[0].country, owner);
    UnitRef ref {};
    if (!m_state.unitRefInHex(x, y, m_state.unitSlotFor(kLandDomain), ref))
        return;
    const UnitRecord* unit = m_state.unitOf(ref.table, ref.index);
    if (!unit || unit->type().domain != kLandDomain)
        return;
    if (!m_state.ruleOn(kRuleFriendlyDamage) && isFriendOfAttacker(ref.country))
        return;
    const int16_t slot = m_pair.side[0].weaponSlot;
    retarget(ref.table, ref.index);
    m_pair.prepare(m_state);
    m_pair.side[0].weaponSlot = slot;
    m_pair.computeValues(m_state);
}

void Resolution::chooseReturnWeapon()
{
    if (!m_state.settings().selArms || m_pair.side[1].weaponSlot < 0 || !m_pair.unit(m_state, 1)
        || !m_state.isHumanCountry(m_pair.side[1].country))
        return;
    if (dialogLink().chooseWeapon(m_pair, 1, WeaponChoiceMode::ReturnFire) == 0)
        m_pair.side[1].weaponSlot = -1;
    m_pair.computeValues(m_state);
}

void Resolution::misfire()
{
    UnitRecord* attacker = m_pair.unit(m_state, 0);
    const WeaponRecord* weapon = attackerWeapon();
    if (!attacker || !weapon || !m_state.ruleOn(kRuleMisfire) || m_distance < 2)
        return;
    const int tx = int(m_pair.side[1].x);
    const int ty = int(m_pair.side[1].y);
    const bool torpedo = weapon->kind == kWeaponTorpedo;
    auto usable = [&](HexPos n) {
        return n.valid() && m_state.terrainTypeAt(n.x, n.y)
            && (!torpedo || m_state.terrainValueAt(n.x, n.y, kWaterMoveType) > 0);
    };
    bool any = false;
    for (int d = 0; d < kHexDirections; ++d)
        any = any || usable(m_state.hexNeighbour(tx, ty, d));
    if (!any)
        return;
    uint8_t& countdown = attacker->misfireCountdown;
    if (countdown > 0) {
        --countdown;
        return;
    }
    const int table = kMisfireTable[std::clamp(experienceLevel(*attacker), 0, 5)];
    if (m_state.random(0, table - 1) != 0)
        return;
    countdown = uint8_t(table / 2);
    const int first = m_state.random(0, 5);
    HexPos target;
    for (int i = 0; i < kHexDirections && !target.valid(); ++i)
        if (const HexPos n = m_state.hexNeighbour(tx, ty, (first + i) % kHexDirections); usable(n))
            target = n;
    m_misfire = true;
    const int domain = m_targetDomain;
    UnitRef ref {};
    const UnitRecord* found = m_state.unitRefInHex(target.x, target.y, m_state.unitSlotFor(domain), ref)
        ? m_state.unitOf(ref.table, ref.index) : nullptr;
    const bool same = found && ref.table == m_pair.side[1].code && ref.index == m_pair.side[1].index;
    if (found && !same && found->type().domain == domain) {
        retarget(ref.table, ref.index);
        m_pair.computeValues(m_state);
        m_noReturnFire = true;
    } else if (m_hexTarget) {
        retarget(kHexSideCode, packHexIndex(target.x, target.y));
    } else {
        retarget(kNoTargetCode, 0);
        m_pair.side[1].x = uint32_t(target.x);
        m_pair.side[1].y = uint32_t(target.y);
    }
}

void Resolution::experience()
{
    const UnitRecord* attacker = m_pair.unit(m_state, 0);
    const UnitRecord* defender = m_pair.unit(m_state, 1);
    if (!m_state.ruleOn(kRuleExperience) || !defender || m_hexTarget || !attacker)
        return;
    const int l0 = experienceLevelFor(m_pair.side[0].experienceBefore);
    const int l1 = experienceLevelFor(m_pair.side[1].experienceBefore);
    int gain[2] = {
        ((m_pair.survives(1) ? 0 : 5) + (std::max(0, l1 - l0) + 1) * m_pair.membersLost(1) + 5) * 10,
        ((m_pair.survives(0) ? 0 : 5) + (std::max(0, l0 - l1) + 1) * m_pair.membersLost(0) + 5) * 10,
    };
    for (int k = 0; k < 2; ++k) {
        if (m_state.campaignBlock().campaignFlag == 1)
            gain[k] = UnitRecord::divideExperienceGain(gain[k]);
        m_pair.side[k].experienceAfter = uint16_t(std::min(m_pair.side[k].experienceAfter + gain[k], kMaxExperience));
    }
}

void Resolution::record()
{
    const HistoryEngagement engagement = historyEngagement(m_pair);
    ActionHistoryLog& log = m_state.historyLog();
    if (m_pair.selfDestruct)
        log.recordSelfDestruct(engagement);
    else if (m_hexTarget)
        log.recordGroundAttack(engagement, m_misfire ? 1 : 0);
    else
        log.recordCombat(engagement, m_misfire ? 1 : 0, m_misfire ? 1 : 0);
}

void Resolution::clearKnownMines()
{
    const int country = m_pair.side[0].code;
    if (!m_state.ruleOn(kRuleGroundPointTarget) || m_distance < 2 || !m_hexTarget || country < 0 || country >= kCountryCount)
        return;
    auto clear = [&](int x, int y) {
        TerrainCell* cell = m_state.terrainCellAt(x, y);
        if (!cell || cell->mineKind != kLandMine || !(cell->mineKnownMask & (1u << country)))
            return;
        cell->clearMine();
        m_state.historyLog().recordMineClearing(country, m_pair.side[0].index, x, y, 1);
    };
    const int tx = int(m_pair.side[1].x);
    const int ty = int(m_pair.side[1].y);
    clear(tx, ty);
    if (m_show.area)
        for (int d = 0; d < kHexDirections; ++d)
            if (const HexPos n = m_state.hexNeighbour(tx, ty, d); n.valid())
                clear(n.x, n.y);
}

void Resolution::finish()
{
    if (m_pair.selfDestruct)
        std::fill(std::begin(m_pair.side[0].strengthAfter), std::end(m_pair.side[0].strengthAfter), uint16_t(0));
    // Both sides are written back first, so losses, kills and experience reach live records.
    m_pair.writeBack(m_state, 0);
    m_pair.writeBack(m_state, 1);
    for (int k = 0; k < 2; ++k)
        if (m_pair.unit(m_state, k) && m_pair.side[k].code < 100)
            announceRankChange(m_state, m_pair.side[k].code, m_pair.side[k].index, int(m_pair.side[k].x),
                int(m_pair.side[k].y), m_pair.side[k].experienceBefore, m_pair.side[k].experienceAfter, ReportWait::No);
    for (int k = 0; k < 2; ++k) {
        const CombatSide& s = m_pair.side[k];
        const UnitRecord* unit = m_pair.unit(m_state, k);
        if (unit && unitExists(*unit) && s.code < 100 && strengthTotal(*unit) == 0) {
            if (k == 1 && m_misfire && s.country < kCountryCount)
                rulesContext(m_state).friendlyFireMask |= uint8_t(1u << s.country);
            removeUnitFromHex(m_state, s.code, s.index);
            destroyUnit(m_state, s.code, s.index);
        }
    }
    for (const CombatShow::Neighbour& n : m_show.neighbours) {
        const UnitRecord* unit = m_state.unitOf(n.code, n.index);
        if (n.destroyed && unit && unitExists(*unit)) {
            removeUnitFromHex(m_state, n.code, n.index);
            destroyUnit(m_state, n.code, n.index);
        }
    }
    settleDiplomacy();
}

void Resolution::settleDiplomacy()
{
    constexpr int kMissilePhase = 1;
    const int a = m_pair.side[0].country;
    const int b = m_pair.side[1].country;
    if (m_misfire || !m_pair.isSideSet(1) || m_hexTarget || m_state.turnBlock().phase == kMissilePhase || a == b)
        return;
    if (!m_state.isAllied(a, b)) {
        if (m_state.hasPactWith(a, b) && b != 8)
            breakNonAggressionPact(m_state, a, b);
    } else if (b == 8) {
        leaveNeutralAlliance(m_state, a);
    } else {
        breakAllAlliances(m_state, a);
    }
}

void Resolution::run()
{
    for (CombatSide& s : m_pair.side)
        s.critical = 0;
    m_show.attackerX = int(m_pair.side[0].x);
    m_show.attackerY = int(m_pair.side[0].y);
    m_distance = hexDistance({ m_show.attackerX, m_show.attackerY }, { int(m_pair.side[1].x), int(m_pair.side[1].y) });
    m_hexTarget = m_pair.isHexSide(1);
    if (m_hexTarget)
        unitInTargetHex();
    if (const UnitRecord* defender = m_pair.unit(m_state, 1))
        m_targetDomain = defender->type().domain;
    chooseReturnWeapon();
    misfire();
    if (m_state.ruleOn(kRuleCritical))
        for (int k = 0; k < 2; ++k)
            if (const UnitRecord* unit = m_pair.unit(m_state, k))
                m_critical[k] = m_state.random(0, 99) < (experienceLevel(*unit) + 1) * 5;
    const bool spared = m_misfire && !m_state.ruleOn(kRuleFriendlyDamage) && m_pair.unit(m_state, 1)
        && isFriendOfAttacker(m_pair.side[1].country);
    if (m_pair.unit(m_state, 1) && !spared)
        m_show.hits[0] = fireSide(m_state, 0, m_critical[0]);
    const WeaponRecord* weapon = attackerWeapon();
    const UnitRecord* attacker = m_pair.unit(m_state, 0);
    m_show.area = weapon && (weapon->flags & kWeaponArea)
        && (m_distance >= 2 || (attacker && attacker->type().unitClass == kWarheadClass));
    if (m_show.area)
        hitAreaAround(m_state, m_pair, m_targetDomain, m_misfire, m_show);
    m_show.firstStrike = m_state.ruleOn(kRuleFirstStrike) && m_distance >= 2;
    if (m_pair.unit(m_state, 1) && !m_pair.selfDestruct && !m_noReturnFire && m_pair.side[1].attackValue > 0) {
        if (m_show.firstStrike)
            m_pair.recountAfter(1);
        m_show.hits[1] = fireSide(m_state, 1, m_critical[1]);
        m_show.returnFire = true;
    }
    experience();
    record();
    clearKnownMines();
    m_show.targetX = int(m_pair.side[1].x);
    m_show.targetY = int(m_pair.side[1].y);
    presentCombat(m_state, m_pair, m_show);
    finish();
}

} // namespace

void resolveCombat(GameState& state)
{
    Handshake& handshake = state.handshake();
    handshake.beginCombat();
    Resolution resolution(state);
    resolution.run();
    // What the person asked for meanwhile is carried out now that the records are settled.
    const DeferredRequests deferred = handshake.endCombat();
    MainWindowLink& main = mainWindowLink();
    if (deferred.cancelDelegation) {
        if (handshake.delegation()) {
            handshake.setDelegation(false);
            main.releasePendingWait();
        } else {
            handshake.setUiLinkReady();
            main.refresh(MainRefresh::ThinkWindow);
        }
    }
}
