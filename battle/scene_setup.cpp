// Setting up one scene from the engagement: sides, figures and their aims, shots and the cut plan.
#include "battle/live_clash_window.h"

#include "rules/combat_scene.h"

#include <algorithm>
#include <cstring>

namespace {

bool isWideCapable(int kind) { return (kind >= 0 && kind <= 9) || kind == 31 || (kind >= 36 && kind <= 39); }

template <size_t N, size_t M>
void copyText(char (&to)[N], const char (&from)[M])
{
    std::memset(to, 0, N);
    std::memcpy(to, from, std::min(N - 1, strnlen(from, M)));
}

int seaBackground(uint32_t terrain)
{
    switch (terrain) {
    case 15: return 53;
    case 16: return 62;
    case 28: return 54;
    case 29: return 63;
    case 39: return 56;
    case 40: return 57;
    default: return 55;
    }
}

void fillSide(SceneSide& s, const BattleSideRecord& r, SceneRandom& random)
{
    s = SceneSide {};
    s.country = int32_t(std::min<uint32_t>(r.country, kNoCountry));
    s.unitIcon = int32_t(r.unitIcon);
    s.domain = int32_t(r.domain);
    if (r.unitEntry)
        s.unitEntry = *r.unitEntry;
    copyText(s.typeName, r.typeName);
    copyText(s.unitName, r.unitName);
    copyText(s.className, r.className);
    std::memcpy(s.weaponName, r.weaponName, 16);
    s.typeNumber = int32_t(r.unitType) + 1;
    if (s.typeNumber >= 10001)
        s.typeNumber %= 10001;
    s.sceneKind = s.unitEntry.sceneKind;
    if (r.weaponSlot >= 0 && r.weaponSlot < 5) {
        const BattleWeaponRow& row = s.unitEntry.weapons[r.weaponSlot];
        s.weaponKind = row.kind;
        s.weaponParam1 = row.param1;
        s.weaponParam2 = row.param2;
    }
    // Land backgrounds follow the terrain id; the sky, sea and underwater ones the domain.
    s.background = std::clamp(int(r.terrain) - 1, 0, 52);
    if (r.domain <= 2)
        s.background = 60;
    else if (r.domain == 4)
        s.background = seaBackground(r.terrain);
    else if (r.domain == 5)
        s.background = s.weaponKind == 63 ? seaBackground(r.terrain) : 58;
    for (SceneFigure& f : s.figures) {
        f = SceneFigure {};
        f.jitterA = random.next() % 100;
        f.jitterB = random.next() % 100;
        f.jitterC = random.next() % 100;
    }
    s.impactFrame = r.flashHit ? 0 : -1;
}

int weaponKindOf(const BattleSideRecord& r)
{
    return r.unitEntry && r.weaponSlot >= 0 && r.weaponSlot < 5 ? r.unitEntry->weapons[r.weaponSlot].kind : 0;
}

int sceneKindOf(const BattleSideRecord& r) { return r.unitEntry ? r.unitEntry->sceneKind : 0; }

void placeFigures(SceneSide& s, const BattleSideRecord& own_record, const BattleSideRecord& other_record, SceneRandom& random)
{
    const int other_weapon = weaponKindOf(other_record);
    int own = std::clamp(own_record.figuresBefore, 0, kFigureCount);
    int targets = std::clamp(other_record.figuresBefore, 0, kFigureCount);
    if (s.weaponKind == 64)
        targets = 5;
    if (other_weapon == 64)
        own = own_record.figuresAfter != 0 ? 10 : 1;
    if (isSingleFigureKind(s.sceneKind))
        s.figures[0].hitCount = own;
    else
        for (int i = 0; i < own; ++i)
            s.figures[size_t(i)].hitCount = 1;
    // Nothing to aim at (a building or a hex): every figure keeps -1.
    if (targets < 1)
        return;
    std::array<int, kFigureCount> order;
    for (int i = 0; i < kFigureCount; ++i)
        order[size_t(i)] = i;
    for (int k = targets - 1; k >= 1; --k) {
        const int pick = random.next() % targets;
        std::swap(order[size_t(k)], order[size_t(pick)]);
    }
    const bool single = isSingleFigureKind(sceneKindOf(other_record));
    for (int i = 0; i < kFigureCount; ++i)
        s.figures[size_t(i)].target = single ? 0 : order[size_t(i % targets)];
}

void assignShots(SceneSide& s, SceneSide& o, const BattleSideRecord& sr, const BattleSideRecord& orr)
{
    int other_before = orr.figuresBefore;
    int other_after = orr.figuresAfter;
    int own_before = sr.figuresBefore;
    if (s.weaponKind == 64) {
        other_before = 5;
        other_after = std::min(other_after, 2);
        own_before = 5;
    }
    const int lost = std::clamp(other_before - other_after, 0, kFigureCount);
    for (int i = 0; i < lost; ++i)
        s.figures[size_t(i)].fires = 1;
    const int shots = int(std::min<uint32_t>(sr.shots, kFigureCount));
    for (int i = lost; i < shots; ++i) {
        s.figures[size_t(i)].fires = 1;
        const int t = s.figures[size_t(i)].target;
        if (t >= 0 && t < kFigureCount)
            o.figures[size_t(t)].hitCount += 1;
    }
    for (int i = std::max(own_before, 0); i < kFigureCount; ++i)
        if (!s.figures[size_t(i)].fires)
            s.figures[size_t(i)].target = -1;
}

void planCuts(SceneState& st, const BattleRecord& record)
{
    SceneSide& a = st.sides[0];
    SceneSide& d = st.sides[1];
    CutPlan& plan = st.plan;
    plan.totalFrames = 150;
    const bool beam_at_flight = (a.weaponKind == 82 && (d.sceneKind == 31 || d.sceneKind == 8))
        || (d.weaponKind == 82 && (a.sceneKind == 31 || a.sceneKind == 8));
    if (beam_at_flight) {
        plan.totalFrames = 75;
    } else if (a.country == kNoCountry) {
        plan.phases[0] = { kPhaseEmpty, kPhaseEmpty, kPhaseEmpty, plan.phases[0][3], plan.phases[0][4] };
        plan.phases[1] = { kPhaseHit, kPhaseStand, kPhaseStand, plan.phases[1][3], plan.phases[1][4] };
        plan.totalFrames = 75;
    } else if (d.country == kNoCountry) {
        plan.totalFrames = 75;
        if (a.weaponKind < 1) {
            plan.phases[0][0] = kPhaseHit;
            plan.phases[0][1] = kPhaseStand;
        } else {
            plan.phases[0][0] = kPhaseFire;
            plan.phases[0][1] = kPhaseHit;
            plan.totalFrames = 150;
        }
        plan.phases[0][2] = kPhaseStand;
        plan.phases[1] = { kPhaseEmpty, kPhaseEmpty, kPhaseEmpty, plan.phases[1][3], plan.phases[1][4] };
    } else if (record.side[1].counterAttack) {
        plan.phases[0] = { kPhaseFire, kPhaseStand, kPhaseStand, kPhaseHit, kPhaseStand };
        plan.phases[1] = { kPhaseStand, kPhaseHit, kPhaseFire, kPhaseStand, kPhaseStand };
        const int after = record.side[1].figuresAfter;
        plan.totalFrames = after != 0 && d.weaponKind != 0 ? 300 : 150;
        if (after < kFigureCount)
            for (int i = std::max(after, 0); i < kFigureCount; ++i)
                if (!d.figures[size_t(i)].fires)
                    d.figures[size_t(i)].target = -1;
    }
    for (int s = 0; s < 2; ++s) {
        if (st.sides[size_t(1 - s)].weaponKind != 64)
            continue;
        auto& p = plan.phases[size_t(s)];
        for (int c = 0; c < 4; ++c)
            if (p[size_t(c)] == kPhaseStand) {
                p[size_t(c)] = kPhaseApproach;
                p[size_t(c + 1)] = kPhaseStand;
                break;
            }
    }
    if (a.weaponKind == 64 || d.weaponKind == 64)
        plan.totalFrames += kCutFrames;
}

} // namespace

bool isSingleFigureKind(int kind)
{
    switch (kind) {
    case 1: case 7: case 8: case 9: case 20: case 21: case 22: case 23: case 24: case 25: case 26: case 27:
    case 28: case 29: case 30: case 32: case 36: case 37:
        return true;
    default:
        return false;
    }
}

bool LiveClashWindow::chooseWideLayout(int attacker_kind, int defender_kind, int attacker_country, int defender_country)
{
    SceneState& st = sceneState();
    st.wide = { false, false };
    if (attacker_country == kNoCountry || defender_country == kNoCountry)
        return false;
    auto alone = [](int own, int other) {
        return !isWideCapable(other) && isWideCapable(own) && own != 5 && own != 38 && own != 39 && own != 31 && own != 8;
    };
    if (alone(attacker_kind, defender_kind))
        st.wide[0] = true;
    else if (!isWideCapable(attacker_kind) && alone(defender_kind, attacker_kind))
        st.wide[1] = true;
    return st.wide[0] || st.wide[1];
}

void LiveClashWindow::prepareScene(const BattleRecord& record)
{
    SceneState& st = sceneState();
    const BattleSideRecord* r = record.side;
    chooseWideLayout(sceneKindOf(r[0]), sceneKindOf(r[1]), int(std::min<uint32_t>(r[0].country, kNoCountry)),
        int(std::min<uint32_t>(r[1].country, kNoCountry)));
    for (int s = 0; s < 2; ++s) {
        fillSide(st.sides[size_t(s)], r[s], st.random);
        placeFigures(st.sides[size_t(s)], r[s], r[1 - s], st.random);
    }
    for (int s = 0; s < 2; ++s) {
        auto& p = st.plan.phases[size_t(s)];
        p[0] = kPhaseFire;
        p[1] = kPhaseHit;
        p[2] = kPhaseStand;
    }
    if (st.sides[0].weaponKind == 82 || st.sides[1].weaponKind == 82)
        st.wide = { false, false };
    for (int s = 0; s < 2; ++s)
        assignShots(st.sides[size_t(s)], st.sides[size_t(1 - s)], r[s], r[1 - s]);
    for (SceneSide& side : st.sides)
        for (SceneFigure& f : side.figures)
            f.shown = f.hitCount > 0 ? 1 : 0;
    planCuts(st, record);
}
