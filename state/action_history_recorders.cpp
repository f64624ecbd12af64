// The recorders: one per event kind, each appending one record built from the game's units.
#include "state/action_history.h"

#include "state/building_record.h"
#include "state/unit_facts.h"
#include "state/unit_record.h"
#include "state/unit_type_record.h"

#include <cstdio>
#include <cstring>

namespace {

enum HistoryKind : uint16_t {
    kProductionDone = 0,
    kRestoration = 1,
    kTransformation = 2,
    kOccupation = 3,
    kSupply = 4,
    kReplenishment = 5,
    kWeaponExchange = 6,
    kMerge = 7,
    kSplit = 8,
    kConstruction = 9,
    kBridgeBuilt = 10,
    kSelfDestruct = 11,
    kDemolition = 12,
    kJammingStart = 13,
    kCombat = 14,
    kFriendlyFire = 15,
    kMineSweeping = 16,
    kDisband = 17,
    kSeaMineHit = 18,
    kMissileLaunch = 19,
    kLandMineHit = 20,
    kFuelOutCrash = 21,
    kFuelOut = 22,
    kReinforcementsAppear = 24,
    kRepair = 25,
    kRoadBuilt = 26,
    kBuildingReinforcement = 27,
    kGroundAttack = 28,
    kMineClearing = 29,
    kGroundFriendlyFire = 30,
    kTransport = 31,
};

uint32_t halves(uint32_t low, uint32_t high) { return (low & 0xFFFF) | high << 16; }

// Members before in the high byte, after in the low byte.
uint32_t membersWord(const HistoryEngagement::Side& side)
{
    return uint32_t(side.membersBefore) << 8 | side.membersAfter;
}

} // namespace

void ActionHistoryLog::recordOneParty(int kind, int country, int unit)
{
    HistoryRecord record {};
    fillParty(record, 0, country, unit);
    record.kind = uint16_t(kind);
    append(record);
}

void ActionHistoryLog::recordBuildingChange(int kind, int country, int unit, int after, int before, int owner_plus_one, int building_kind)
{
    HistoryRecord record {};
    fillParty(record, 0, country, unit);
    record.kind = uint16_t(kind);
    record.value = halves(uint32_t(after), uint32_t(before));
    record.type1 = uint16_t((owner_plus_one & 0xFF) << 8 | (building_kind & 0xFF));
    if (owner_plus_one > 0 && owner_plus_one <= 8)
        record.sideMask |= uint8_t(1u << (owner_plus_one - 1));
    append(record);
}

void ActionHistoryLog::recordHexEvent(int kind, int country, int unit, int x, int y, uint32_t value, int side1)
{
    HistoryRecord record {};
    fillParty(record, 0, country, unit);
    record.kind = uint16_t(kind);
    record.x = uint8_t(x);
    record.y = uint8_t(y);
    record.value = value;
    record.side1 = uint8_t(side1);
    append(record);
}

// Target of a missile or a ground attack: the building there, else the hex's terrain.
void ActionHistoryLog::fillTargetHex(HistoryRecord& record, int x, int y) const
{
    if (const BuildingRecord* building = m_world->buildingAt(x, y)) {
        record.side1 = 8;
        record.type1 = building->type;
    } else {
        record.side1 = 0;
        record.type1 = uint16_t(m_world->terrainTypeAt(x, y));
    }
    std::snprintf(record.unit1, sizeof(record.unit1), "%3d,%3d", x, y);
}

void ActionHistoryLog::recordProductionDone(int country, int unit) { recordOneParty(kProductionDone, country, unit); }
void ActionHistoryLog::recordConstruction(int country, int unit) { recordOneParty(kConstruction, country, unit); }
void ActionHistoryLog::recordBridgeBuilt(int country, int unit) { recordOneParty(kBridgeBuilt, country, unit); }
void ActionHistoryLog::recordJammingStart(int country, int unit) { recordOneParty(kJammingStart, country, unit); }
void ActionHistoryLog::recordDisband(int country, int unit) { recordOneParty(kDisband, country, unit); }
void ActionHistoryLog::recordFuelOutCrash(int country, int unit) { recordOneParty(kFuelOutCrash, country, unit); }
void ActionHistoryLog::recordFuelOut(int country, int unit) { recordOneParty(kFuelOut, country, unit); }
void ActionHistoryLog::recordReinforcementsAppear(int country, int unit) { recordOneParty(kReinforcementsAppear, country, unit); }

void ActionHistoryLog::recordRestoration(int country, int unit, int after, int before, int maximum, int owner_plus_one, int building_kind)
{
    recordBuildingChange(kRestoration, country, unit, after, before, owner_plus_one, building_kind);
    m_records[m_count - 1].side1 = uint8_t(maximum);
}

void ActionHistoryLog::recordBuildingReinforcement(int country, int unit, int after, int before, int maximum, int owner_plus_one, int building_kind)
{
    recordBuildingChange(kBuildingReinforcement, country, unit, after, before, owner_plus_one, building_kind);
    m_records[m_count - 1].side1 = uint8_t(maximum);
}

void ActionHistoryLog::recordOccupation(int country, int unit, int after, int before, int owner_plus_one, int building_kind)
{
    recordBuildingChange(kOccupation, country, unit, after, before, owner_plus_one, building_kind);
}

void ActionHistoryLog::recordDemolition(int country, int unit, int after, int before, int owner_plus_one, int building_kind)
{
    recordBuildingChange(kDemolition, country, unit, after, before, owner_plus_one, building_kind);
}

void ActionHistoryLog::recordTransformation(int country, int unit, int value)
{
    HistoryRecord record {};
    fillParty(record, 0, country, unit);
    fillParty(record, 1, country, unit);
    record.kind = kTransformation;
    record.type1 = uint16_t(value);
    append(record);
}

void ActionHistoryLog::recordSupply(int country, int unit, int done)
{
    HistoryRecord record {};
    fillParty(record, 0, country, unit);
    record.kind = kSupply;
    record.value = done == 1 ? 1 : 0;
    append(record);
}

void ActionHistoryLog::recordReplenishment(int country, int unit, int before)
{
    HistoryRecord record {};
    fillParty(record, 0, country, unit);
    record.kind = kReplenishment;
    if (const UnitRecord* u = m_world->unit(country, unit)) {
        int after = strengthSlotCount(*u);
        record.value = halves(uint32_t(after), uint32_t(before));
        const UnitTypeRecord* type = m_world->unitType(u->unitTypeId);
        record.type1 = type && after == type->members ? 1 : 0;
    }
    append(record);
}

void ActionHistoryLog::recordWeaponExchange(int country, int unit, int new_model, int old_model)
{
    HistoryRecord record {};
    fillParty(record, 0, country, unit);
    record.kind = kWeaponExchange;
    record.value = halves(uint32_t(new_model), uint32_t(old_model));
    append(record);
}

void ActionHistoryLog::recordMerge(int country, int unit, int remaining)
{
    HistoryRecord record {};
    fillParty(record, 0, country, unit);
    record.kind = kMerge;
    const UnitRecord* u = m_world->unit(country, unit);
    record.value = remaining == -1 ? 0xFFFFFFFFu : halves(uint32_t(u ? strengthSlotCount(*u) : 0), uint32_t(remaining));
    append(record);
}

void ActionHistoryLog::recordSplit(int country, int unit, int remaining)
{
    recordMerge(country, unit, remaining);
    m_records[m_count - 1].kind = kSplit;
}

void ActionHistoryLog::recordSelfDestruct(const HistoryEngagement& engagement)
{
    const auto& a = engagement.attacker;
    const auto& t = engagement.target;
    HistoryRecord record {};
    fillParty(record, 0, a.code, a.index, a.x, a.y);
    fillParty(record, 1, t.code, t.index, t.x, t.y);
    record.kind = kSelfDestruct;
    record.value = membersWord(a) | membersWord(t) << 16;
    int attacker_side = a.code >= 100 ? a.code - 100 : a.code;
    if (engagement.flag && attacker_side >= 0 && attacker_side < 8)
        record.seen1 |= uint8_t(1u << attacker_side);
    append(record);
}

void ActionHistoryLog::recordCombat(const HistoryEngagement& engagement, int seen_flag, int friendly_fire)
{
    const auto& a = engagement.attacker;
    const auto& t = engagement.target;
    HistoryRecord record {};
    fillParty(record, 0, a.code, a.index, a.x, a.y);
    fillParty(record, 1, t.code, t.index, t.x, t.y);
    record.kind = friendly_fire == 1 ? kFriendlyFire : kCombat;
    record.seen = seen_flag == 1 ? 1 : 0;
    int attacker_side = a.code >= 100 ? a.code - 100 : a.code;
    bool known_side = attacker_side >= 0 && attacker_side < 8;
    if (seen_flag == 1 && known_side && !m_world->isHexVisibleTo(attacker_side, t.code, t.index, t.x, t.y))
        record.sideMask &= uint8_t(~(1u << attacker_side));
    record.value = membersWord(a) | membersWord(t) << 16;
    if (engagement.flag && known_side)
        record.seen1 |= uint8_t(1u << attacker_side);
    append(record);
}

void ActionHistoryLog::recordMineSweeping(int country, int unit, int x, int y, int done)
{
    recordHexEvent(kMineSweeping, country, unit, x, y, 0, done == 1 ? 1 : 0);
}

void ActionHistoryLog::recordMineClearing(int country, int unit, int x, int y, int done)
{
    recordHexEvent(kMineClearing, country, unit, x, y, 0, done == 1 ? 1 : 0);
}

void ActionHistoryLog::recordSeaMineHit(int country, int unit, int x, int y, int before, int after)
{
    recordHexEvent(kSeaMineHit, country, unit, x, y, halves(uint32_t(before), uint32_t(after)), 0);
}

void ActionHistoryLog::recordLandMineHit(int country, int unit, int x, int y, int before, int after)
{
    recordHexEvent(kLandMineHit, country, unit, x, y, halves(uint32_t(before), uint32_t(after)), 0);
}

void ActionHistoryLog::recordMissileLaunch(int country, int unit, int target_x, int target_y, int weapon_slot)
{
    HistoryRecord record {};
    record.kind = kMissileLaunch;
    if (country == 8) {
        const BuildingRecord* building = m_world->building(unit);
        record.turn = uint16_t(m_world->currentTurn());
        if (building) {
            record.x = uint8_t(building->x);
            record.y = uint8_t(building->y);
            if (building->ownerPlusOne > 0 && building->ownerPlusOne <= 8) {
                record.side0 = 8;
                record.sideMask |= uint8_t(1u << (building->ownerPlusOne - 1));
            }
            record.type0 = building->type;
            record.value = building->launchCounter;
        }
    } else {
        fillParty(record, 0, country, unit);
        const UnitRecord* u = m_world->unit(country, unit);
        if (u && weapon_slot >= 0 && weapon_slot < 5)
            record.value = u->ammunition[weapon_slot];
    }
    fillTargetHex(record, target_x, target_y);
    append(record);
}

void ActionHistoryLog::recordRepair(int country, int unit, int before)
{
    HistoryRecord record {};
    fillParty(record, 0, country, unit);
    record.kind = kRepair;
    if (const UnitRecord* u = m_world->unit(country, unit)) {
        int total = strengthTotal(*u);
        record.value = halves(uint32_t(total), uint32_t(before));
        const UnitTypeRecord* type = m_world->unitType(u->unitTypeId);
        record.type1 = type && total == type->members * type->memberStrength ? 1 : 0;
    }
    append(record);
}

void ActionHistoryLog::recordRoadBuilt(int country, int unit, int from_x, int from_y)
{
    HistoryRecord record {};
    fillParty(record, 0, country, unit);
    record.kind = kRoadBuilt;
    record.value = halves(uint32_t(from_x), uint32_t(from_y));
    append(record);
}

void ActionHistoryLog::recordGroundAttack(const HistoryEngagement& engagement, int friendly_fire)
{
    const auto& a = engagement.attacker;
    HistoryRecord record {};
    fillParty(record, 0, a.code, a.index, a.x, a.y);
    record.kind = friendly_fire == 1 ? kGroundFriendlyFire : kGroundAttack;
    record.seen = uint16_t(friendly_fire);
    record.value = membersWord(a);
    fillTargetHex(record, engagement.target.x, engagement.target.y);
    append(record);
}

void ActionHistoryLog::recordTransport(int country, int unit, int country2, int unit2, int value, int x, int y)
{
    HistoryRecord record {};
    fillParty(record, 0, country, unit);
    fillParty(record, 1, country2, unit2);
    record.kind = kTransport;
    record.x = uint8_t(x);
    record.y = uint8_t(y);
    record.value = uint32_t(value);
    append(record);
}
