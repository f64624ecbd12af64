// "weapon.dat" and "sweapon.dat" (simple mode): the unit types, one CP932 line of 138 columns each.
#include "tools/mkdata/generator.h"
#include "tools/mkdata/map_units.h"

#include "platform/kernel/host.h"

#include <stdexcept>
#include <string>

namespace mkdata::master {
namespace {

struct Berth {
    const char* mask;
    int count;
};

struct Slot {
    const char* name;
    const char* subName;
    int multiplier;
    int ammo;
};

// Sight and range per layer: very high air, high air, low air, land, sea, undersea.
struct UnitType {
    int id;
    const char* name;
    bool available;
    bool simple;
    const char* domain;
    const char* movement;
    const char* unitClass;
    int members, strength, turns, price;
    int sight[6];
    int range[6];
    // Columns 16-24: bits 6, 7 (may occupy), 8 (demolition), 12 (bridges, pillboxes and roads), 10, 11,
    // 13 (hard armour), 0, 1 (mine clearing).
    // Bit 11 (column 21, producible) is written from `available` below.
    const char* flags;
    const char* carryClass;
    Berth berths[2];
    Slot slots[5];
    int fuel;
};

const UnitType kUnitTypes[] = {
    { 1, "司令部", false, true, "地上", "車両A", "司令部", 1, 10, 1, 500, { 0, 0, 2, 3, 2, 0 }, { 0, 0, 0, 1, 0, 0 }, "010000000", "重車両", {}, { { "拳銃", "9mm", 1, 20 } }, 60 },
    { 2, "歩兵", true, true, "地上", "歩兵A", "歩兵", 10, 2, 1, 10, { 0, 0, 2, 2, 1, 0 }, { 0, 0, 1, 1, 0, 0 }, "010000000", "歩兵", {}, { { "小銃", "5.56mm", 1, 30 }, { "機関銃", "12.7mm", 1, 20 }, { "携帯地対空ﾐｻｲﾙ", "MANPADS", 1, 2 } }, 50 },
    { 3, "戦車", true, true, "地上", "キャタピラA", "主力戦車", 4, 10, 2, 300, { 0, 0, 1, 2, 1, 0 }, { 0, 0, 1, 1, 0, 0 }, "000000100", "重車両", {}, { { "戦車砲", "120mm", 1, 20 }, { "機関銃", "12.7mm", 1, 20 } }, 40 },
    { 4, "自走砲", true, true, "地上", "キャタピラB", "自走砲", 4, 6, 2, 250, { 0, 0, 1, 2, 1, 0 }, { 0, 0, 0, 3, 2, 0 }, "000000100", "重車両", {}, { { "榴弾砲", "155mm", 1, 12 } }, 40 },
    { 5, "ロケット砲車", true, false, "地上", "車両B", "自走ﾛｹｯﾄ砲", 4, 5, 2, 300, { 0, 0, 1, 2, 1, 0 }, { 0, 0, 0, 5, 5, 0 }, "000000000", "車両", {}, { { "ロケット砲", "227mm", 1, 4 }, { "誘導ロケット", "GMLRS", 1, 2 } }, 40 },
    { 6, "対空戦車", true, true, "地上", "キャタピラC", "対空車両", 4, 6, 2, 200, { 0, 2, 3, 2, 1, 0 }, { 0, 2, 2, 1, 0, 0 }, "000000100", "重車両", {}, { { "対空機関砲", "35mm", 1, 20 }, { "短距離地対空ﾐｻｲﾙ", "SHORAD", 1, 4 } }, 40 },
    { 7, "地対空ミサイル車", true, false, "地上", "車両C", "対空ﾐｻｲﾙ車両", 4, 5, 2, 350, { 3, 4, 3, 2, 1, 0 }, { 5, 5, 4, 0, 0, 0 }, "000000000", "車両", {}, { { "地対空ミサイル", "SAM", 1, 8 }, { "長距離地対空ﾐｻｲﾙ", "LR-SAM", 1, 2 }, { "中距離地対空ﾐｻｲﾙ", "MR-SAM", 1, 4 } }, 40 },
    { 8, "補給車", true, true, "地上", "車両A", "補給車", 4, 3, 1, 100, { 0, 0, 1, 2, 1, 0 }, { 0, 0, 0, 1, 0, 0 }, "000000000", "車両", {}, { { "補給物資", "", 1, 10 } }, 60 },
    { 9, "工兵", true, true, "地上", "歩兵B", "工作部隊", 8, 2, 1, 40, { 0, 0, 1, 2, 1, 0 }, { 0, 0, 0, 1, 0, 0 }, "011100011", "歩兵", {}, { { "工作機材", "", 1, 10 }, { "小銃", "5.56mm", 1, 20 } }, 50 },
    { 10, "装甲車", true, false, "地上", "車両A", "兵員輸送車", 4, 5, 1, 120, { 0, 0, 1, 2, 1, 0 }, { 0, 0, 1, 1, 0, 0 }, "000000000", "車両", { { "歩兵", 10 } }, { { "機関銃", "12.7mm", 1, 20 } }, 50 },
    { 11, "弾道ミサイル車", true, false, "地上", "車両D", "弾道ﾐｻｲﾙ車両", 2, 5, 3, 800, { 0, 0, 1, 2, 1, 0 }, { 0, 0, 0, 30, 30, 0 }, "000000000", "重車両", {}, { { "弾道ミサイル", "発射機", 1, 1 } }, 40 },
    // The missiles themselves (warheads) are sent off by launch weapons and never produced.
    { 12, "巡航ミサイル", false, false, "低空", "低空", "弾頭", 1, 10, 1, 200, { 0, 0, 1, 1, 1, 0 }, { 0, 0, 0, 1, 1, 0 }, "000000000", "なし", {}, { { "弾頭", "通常", 1, 1 } }, 15 },
    { 13, "弾道ミサイル", false, false, "超高空", "超高空", "弾頭", 1, 10, 1, 400, { 0, 0, 0, 1, 1, 0 }, { 0, 0, 0, 1, 1, 0 }, "000000000", "なし", {}, { { "弾頭", "通常", 1, 1 } }, 30 },
    { 20, "戦闘機", true, true, "高空", "高空", "戦闘機", 2, 8, 2, 400, { 3, 4, 4, 2, 2, 0 }, { 2, 2, 2, 2, 2, 0 }, "000000000", "艦載機", {}, { { "空対空ミサイル", "AAM", 1, 4 }, { "機関砲", "20mm", 1, 10 }, { "空対地ミサイル", "ASM", 1, 2 } }, 8 },
    { 21, "攻撃機", true, true, "低空", "低空", "攻撃機", 2, 8, 2, 450, { 1, 2, 3, 3, 3, 0 }, { 0, 0, 1, 3, 3, 0 }, "000000000", "艦載機", {}, { { "空対地ミサイル", "ASM", 1, 4 }, { "爆弾", "500lb", 1, 4 }, { "機関砲", "20mm", 1, 10 }, { "爆弾", "1000lb", 1, 2 }, { "滑空爆弾", "GB", 1, 2 } }, 8 },
    { 22, "攻撃ヘリ", true, true, "低空", "低空", "攻撃ﾍﾘ", 2, 6, 2, 300, { 0, 1, 3, 3, 2, 0 }, { 0, 0, 1, 2, 1, 0 }, "000000000", "ヘリ", {}, { { "対戦車ミサイル", "ATM", 1, 8 }, { "機関砲", "20mm", 1, 10 }, { "ロケット弾", "70mm", 1, 8 } }, 10 },
    { 23, "輸送ヘリ", true, false, "低空", "低空", "兵員輸送ﾍﾘ", 2, 4, 1, 200, { 0, 1, 2, 2, 2, 0 }, { 0, 0, 1, 1, 0, 0 }, "000000000", "ヘリ", { { "歩兵", 10 } }, { { "機関銃", "12.7mm", 1, 10 } }, 10 },
    { 24, "輸送機", true, false, "高空", "高空", "輸送機", 1, 8, 2, 350, { 1, 2, 2, 2, 2, 0 }, { 0, 0, 0, 0, 0, 0 }, "000000000", "なし", { { "車両", 4 }, { "歩兵", 10 } }, {}, 12 },
    { 25, "電子戦機", true, false, "高空", "高空", "電子戦機", 1, 6, 2, 400, { 3, 4, 4, 3, 3, 0 }, { 2, 2, 2, 3, 3, 0 }, "000000000", "なし", {}, { { "電子妨害装置", "ECM", 1, 5 }, { "対ﾚｰﾀﾞｰﾐｻｲﾙ", "ARM", 1, 2 } }, 10 },
    { 30, "駆逐艦", true, true, "海上", "海上A", "駆逐艦", 1, 30, 3, 1200, { 1, 2, 3, 2, 4, 2 }, { 3, 3, 3, 2, 5, 1 }, "000000000", "なし", { { "ヘリ", 1 } }, { { "艦砲", "127mm", 1, 20 }, { "対艦ミサイル", "SSM", 1, 4 }, { "爆雷", "対潜", 1, 6 }, { "地対空ミサイル", "SAM", 1, 8 }, { "対潜ロケット", "ASROC", 1, 4 } }, 100 },
    { 31, "潜水艦", true, true, "海中", "海中A", "潜水艦", 1, 25, 3, 1000, { 0, 0, 0, 1, 3, 3 }, { 0, 0, 0, 0, 5, 2 }, "000000000", "なし", {}, { { "魚雷", "533mm", 1, 12 }, { "対艦ミサイル", "SSM", 1, 2 } }, 120 },
    { 32, "輸送艦", true, true, "海上", "海上B", "輸送艦", 1, 20, 2, 600, { 0, 1, 2, 2, 3, 1 }, { 0, 2, 2, 1, 1, 0 }, "000000000", "なし", { { "重車両", 8 }, { "歩兵", 20 } }, { { "機関銃", "12.7mm", 1, 20 }, { "艦対空ミサイル", "SAM-S", 1, 4 } }, 100 },
    { 33, "揚陸艦", true, false, "海上", "海上B", "揚陸艦", 1, 20, 2, 700, { 0, 1, 2, 2, 3, 1 }, { 0, 2, 2, 1, 1, 0 }, "000000000", "なし", { { "重車両", 6 }, { "ヘリ", 2 } }, { { "機関銃", "12.7mm", 1, 20 }, { "艦対空ミサイル", "SAM-S", 1, 4 } }, 100 },
    { 34, "巡洋艦", true, false, "海上", "海上A", "巡洋艦", 1, 40, 4, 1800, { 2, 3, 3, 2, 4, 2 }, { 3, 3, 3, 15, 15, 1 }, "000000000", "なし", { { "ヘリ", 2 } }, { { "艦砲", "127mm", 1, 20 }, { "巡航ミサイル", "発射機", 1, 4 }, { "地対空ミサイル", "SAM", 1, 12 }, { "迎撃ミサイル", "ABM", 1, 4 }, { "爆雷", "対潜", 1, 6 } }, 120 },
    // A fast boat whose torpedoes need open water to the target.
    { 35, "魚雷艇", true, false, "海上", "海上A", "ｺﾙﾍﾞｯﾄ", 1, 15, 2, 500, { 0, 1, 2, 2, 3, 2 }, { 0, 2, 2, 1, 5, 2 }, "000000000", "なし", {}, { { "魚雷", "533mm", 1, 8 }, { "機関砲", "20mm", 1, 20 }, { "対艦ミサイル", "SSM", 1, 2 }, { "艦対空ミサイル", "SAM-S", 1, 2 } }, 80 },
    // A missile escort: its arms leave the deck upright or at a slant; its mortar hunts submarines.
    { 36, "フリゲート", true, false, "海上", "海上A", "ﾌﾘｹﾞｰﾄ", 1, 25, 3, 1100, { 1, 2, 3, 2, 4, 2 }, { 3, 3, 3, 8, 6, 1 }, "000000000", "なし", { { "ヘリ", 1 } }, { { "対艦ミサイル", "SSM", 1, 4 }, { "垂直発射ミサイル", "VLS", 1, 4 }, { "地対空ミサイル", "SAM", 1, 8 }, { "艦対地ミサイル", "LAM", 1, 2 }, { "対潜迫撃砲", "ASW", 1, 6 } }, 100 },
    // Fires its missiles from under water; they break the surface before they fly.
    { 37, "ミサイル潜水艦", true, false, "海中", "海中A", "戦略型潜水艦", 1, 30, 4, 1600, { 0, 0, 0, 1, 3, 3 }, { 0, 0, 2, 8, 7, 2 }, "000000000", "なし", {}, { { "魚雷", "533mm", 1, 8 }, { "対艦ミサイル", "SSM", 1, 2 }, { "潜対地ミサイル", "SLCM", 1, 2 }, { "潜対空ミサイル", "SLAM", 1, 2 }, { "長距離潜対艦ﾐｻｲﾙ", "USM-L", 1, 2 } }, 120 },
    // An unmanned boat full of explosives, steered into its target.
    { 38, "無人爆薬艇", true, false, "海上", "海上A", "高速ﾐｻｲﾙ艇", 4, 5, 1, 150, { 0, 0, 1, 1, 2, 0 }, { 0, 0, 0, 1, 1, 0 }, "000000000", "なし", {}, { { "自爆装置", "", 1, 1 } }, 40 },
};

// Per model: the movement allowance, the extended allowance and the fuel it holds; the fuel of
// the table above is kept for the types that move little per turn.
struct Movement {
    int id, allowance, extended, fuel;
};

const Movement kMovement[] = {
    { 1, 5, 2, 60 }, { 2, 3, 1, 50 }, { 3, 6, 3, 40 }, { 4, 5, 2, 40 }, { 5, 5, 2, 40 }, { 6, 6, 3, 40 },
    { 7, 5, 2, 40 }, { 8, 6, 3, 60 }, { 9, 3, 1, 50 }, { 10, 7, 3, 50 }, { 11, 4, 2, 40 },
    { 12, 10, 5, 20 }, { 13, 20, 10, 30 },
    { 20, 12, 6, 36 }, { 21, 10, 5, 30 }, { 22, 8, 4, 24 }, { 23, 8, 4, 24 }, { 24, 12, 6, 36 }, { 25, 10, 5, 30 },
    { 30, 8, 4, 100 }, { 31, 6, 3, 120 }, { 32, 7, 3, 100 }, { 33, 7, 3, 100 }, { 34, 7, 3, 120 },
    { 35, 9, 4, 80 }, { 36, 8, 4, 100 }, { 37, 5, 2, 120 }, { 38, 11, 5, 40 },
};

// Further armament sets (models 1..3) of the multi-role types: ammunition per slot, movement,
// extended movement and fuel.
struct ExtraSet {
    int id, model;
    int ammo[5];
    int allowance, extended, fuel;
};

const ExtraSet kExtraSets[] = {
    // The attack aircraft: heavy bombs, or missiles only.
    { 21, 1, { 0, 8, 10, 4, 0 }, 9, 4, 30 },
    { 21, 2, { 8, 0, 6, 0, 0 }, 10, 5, 26 },
    // The fighter: long range with drop tanks and fewer missiles.
    { 20, 1, { 2, 10, 0, 0, 0 }, 14, 7, 48 },
};

const ExtraSet* extraSetOf(const UnitType& u, int model)
{
    for (const ExtraSet& e : kExtraSets)
        if (e.id == u.id && e.model == model)
            return &e;
    return nullptr;
}

// Column 131, the imageNumber: the type's cell in the map view's unit sheets.
struct PictureOf {
    int id;
    units::Picture picture;
};

const PictureOf kPictures[] = {
    { 1, units::kHeadquarters }, { 2, units::kInfantry }, { 3, units::kArmour }, { 4, units::kSelfPropelledGun },
    { 5, units::kRocketArtillery }, { 6, units::kAntiAirGun }, { 7, units::kAntiAirMissile }, { 8, units::kSupply },
    { 9, units::kEngineers }, { 10, units::kArmouredCarrier }, { 11, units::kBallisticLauncher },
    { 12, units::kCruiseMissile }, { 13, units::kBallisticMissile }, { 20, units::kFighter },
    { 21, units::kAttackAircraft }, { 22, units::kAttackHelicopter }, { 23, units::kTransportHelicopter },
    { 24, units::kTransportAircraft }, { 25, units::kElectronicWarfare }, { 30, units::kDestroyer },
    { 31, units::kSubmarine }, { 32, units::kTransportShip }, { 33, units::kLandingShip }, { 34, units::kCruiser },
    { 35, units::kTorpedoBoat }, { 36, units::kFrigate }, { 37, units::kMissileSubmarine }, { 38, units::kExplosiveBoat },
};

int pictureOf(const UnitType& u)
{
    for (const PictureOf& p : kPictures)
        if (p.id == u.id)
            return p.picture;
    throw std::runtime_error("unit type " + std::to_string(u.id) + " has no picture");
}

Movement movementOf(const UnitType& u)
{
    for (const Movement& m : kMovement)
        if (m.id == u.id)
            return m;
    return { u.id, 0, 0, u.fuel };
}

std::string unitTypeLine(const UnitType& u)
{
    auto num = [](int v) { return "," + std::to_string(v); };
    std::string line = std::to_string(u.id) + "," + u.name + "," + (u.available ? "○" : "") + "," + u.domain + ","
        + u.movement + "," + u.unitClass + ",0" + num(u.members) + num(u.strength) + num(u.turns) + ",,0,0,0,0";
    // Every type a country may field can be bought; the headquarters and the warheads cannot.
    constexpr int kProducibleColumn = 5;
    for (int i = 0; u.flags[i]; ++i)
        line += u.flags[i] == '1' || (i == kProducibleColumn && u.available) ? ",○" : ",";
    line += ",0";
    for (int s : u.sight)
        line += num(s);
    for (int r : u.range)
        line += num(r);
    line += num(u.price);
    for (int b = 0; b < 8; ++b) {
        const Berth* berth = b < 2 && u.berths[b].mask ? &u.berths[b] : nullptr;
        line += berth ? "," + std::string(berth->mask) + num(berth->count) : ",なし,0";
    }
    // Column 56 repeats the class; "揚陸艦" there marks a landing ship.
    line += "," + std::string(u.carryClass) + "," + u.unitClass + ",0,0,0,0,0,0,0";
    // Columns 64-66: who may resupply the type in the field: a tanker, a supply truck, a supply ship.
    // Trucks serve everything on the ground and the helicopters.
    const bool truckServes = std::string(u.domain) == "地上" || std::string(u.carryClass) == "ヘリ";
    for (int column = 64; column <= 72; ++column)
        line += column == 65 && truckServes ? ",○" : ",";
    line += ",0,0";
    for (const Slot& s : u.slots)
        line += s.name ? "," + std::string(s.name) + "," + s.subName + num(s.multiplier) + "," : ",,,0,";
    const Movement move = movementOf(u);
    for (int m = 0; m < 4; ++m) {
        const ExtraSet* extra = extraSetOf(u, m);
        for (int i = 0; i < 5; ++i) {
            const Slot& s = u.slots[i];
            line += num(!s.name ? 0 : m == 0 ? s.ammo : extra ? extra->ammo[i] : 0);
        }
        if (m == 0)
            line += num(move.allowance) + num(move.extended) + ",0" + num(move.fuel);
        else if (extra)
            line += num(extra->allowance) + num(extra->extended) + ",0" + num(extra->fuel);
        else
            line += ",0,0,0,0";
    }
    line += num(pictureOf(u));
    for (int i = 1; i < 8; ++i)
        line += num(u.id);
    return line;
}

void writeUnitTypes(const std::filesystem::path& programFolder)
{
    std::string normal, simple;
    for (const UnitType& u : kUnitTypes) {
        std::string line = unitTypeLine(u) + "\r\n";
        normal += line;
        if (u.simple)
            simple += line;
    }
    writeFile(programFolder / "weapon.dat", platform::utf8ToCp932(normal));
    writeFile(programFolder / "sweapon.dat", platform::utf8ToCp932(simple));
}

} // namespace

MKDATA_GENERATOR("master_unit_types", writeUnitTypes);

} // namespace mkdata::master
