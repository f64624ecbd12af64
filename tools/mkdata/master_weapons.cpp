// "warm.dat": the weapons, one CP932 line each; a unit type names its weapons by name and sub-name.
#include "tools/mkdata/generator.h"

#include "platform/kernel/host.h"

#include <string>

namespace mkdata::master {
namespace {

// Power in the file's column order: very high air, high air, low air, armoured, other land,
// sea surface, undersea, warhead, low warhead.
struct Weapon {
    const char* name;
    const char* subName;
    int reach, multiplier;
    int power[9];
    const char* kind;
    int ammoPrice;
    // Flag columns for bits 0 (distance 0..1), 1 (distance 2 on), 2 (area effect), 3 (attack),
    // 4 (defence), 6, 7 (fires after a move).
    const char* flags;
    int launchedType, waitTurns;
};

// Unit type ids of the missiles that the launch weapons send off.
constexpr int kCruiseMissileType = 12;
constexpr int kBallisticMissileType = 13;

const Weapon kWeapons[] = {
    { "小銃", "5.56mm", 1, 1, { 0, 0, 2, 2, 10, 1, 0, 0, 0 }, "通常", 1, "1001101", 0, 0 },
    { "機関銃", "12.7mm", 1, 1, { 0, 0, 6, 4, 12, 2, 0, 0, 0 }, "通常", 2, "1001101", 0, 0 },
    { "戦車砲", "120mm", 1, 2, { 0, 0, 0, 30, 20, 8, 0, 0, 0 }, "大砲", 10, "1001101", 0, 0 },
    { "榴弾砲", "155mm", 3, 2, { 0, 0, 0, 15, 25, 6, 0, 0, 0 }, "大砲", 12, "1101000", 0, 0 },
    { "ロケット砲", "227mm", 4, 3, { 0, 0, 0, 12, 30, 5, 0, 0, 0 }, "大砲", 30, "1111000", 0, 1 },
    { "対空機関砲", "35mm", 1, 2, { 0, 3, 20, 2, 5, 0, 0, 5, 10 }, "対空", 6, "1001101", 0, 0 },
    { "地対空ミサイル", "SAM", 3, 2, { 10, 25, 30, 0, 0, 0, 0, 15, 20 }, "ﾐｻｲﾙ", 40, "1101101", 0, 0 },
    { "空対空ミサイル", "AAM", 2, 2, { 25, 30, 25, 0, 0, 0, 0, 0, 5 }, "ﾐｻｲﾙ", 35, "1101101", 0, 0 },
    { "機関砲", "20mm", 1, 1, { 5, 10, 15, 3, 8, 2, 0, 0, 0 }, "通常", 3, "1001101", 0, 0 },
    { "空対地ミサイル", "ASM", 2, 2, { 0, 0, 0, 30, 20, 15, 0, 0, 0 }, "ﾐｻｲﾙ", 40, "1101001", 0, 0 },
    { "爆弾", "500lb", 1, 3, { 0, 0, 0, 25, 30, 20, 0, 0, 0 }, "爆弾", 15, "1001001", 0, 0 },
    { "対戦車ミサイル", "ATM", 2, 2, { 0, 0, 8, 35, 15, 5, 0, 0, 0 }, "ﾐｻｲﾙ", 25, "1101101", 0, 0 },
    { "艦砲", "127mm", 2, 2, { 0, 0, 8, 15, 20, 20, 0, 0, 0 }, "大砲", 12, "1101101", 0, 0 },
    { "対艦ミサイル", "SSM", 5, 3, { 0, 0, 0, 0, 0, 40, 0, 0, 0 }, "ﾐｻｲﾙ", 60, "1101000", 0, 1 },
    { "魚雷", "533mm", 2, 3, { 0, 0, 0, 0, 0, 35, 30, 0, 0 }, "魚雷", 50, "1101101", 0, 0 },
    { "爆雷", "対潜", 1, 2, { 0, 0, 0, 0, 0, 0, 25, 0, 0 }, "通常", 8, "1001101", 0, 0 },
    { "補給物資", "", 1, 1, { 0, 0, 0, 0, 0, 0, 0, 0, 0 }, "補給", 0, "0000000", 0, 0 },
    { "工作機材", "", 1, 1, { 0, 0, 0, 0, 0, 0, 0, 0, 0 }, "工作", 0, "0000000", 0, 0 },
    { "電子妨害装置", "ECM", 2, 1, { 0, 0, 0, 0, 0, 0, 0, 0, 0 }, "ECM", 0, "1100100", 0, 0 },
    { "巡航ミサイル", "発射機", 15, 1, { 0, 0, 0, 0, 0, 0, 0, 0, 0 }, "巡航ﾐｻｲﾙ", 200, "1101000", kCruiseMissileType, 2 },
    { "弾道ミサイル", "発射機", 30, 1, { 0, 0, 0, 0, 0, 0, 0, 0, 0 }, "弾道ﾐｻｲﾙ", 400, "1101000", kBallisticMissileType, 3 },
    { "弾頭", "通常", 1, 4, { 0, 0, 0, 50, 60, 50, 0, 0, 0 }, "弾頭", 0, "1001000", 0, 0 },
    { "自爆装置", "", 1, 3, { 0, 0, 0, 40, 40, 40, 0, 0, 0 }, "自爆", 0, "1001001", 0, 0 },
    { "迎撃ミサイル", "ABM", 4, 2, { 0, 0, 0, 0, 0, 0, 0, 40, 30 }, "ﾐｻｲﾙ", 80, "1100100", 0, 0 },
    { "拳銃", "9mm", 1, 1, { 0, 0, 0, 1, 5, 0, 0, 0, 0 }, "通常", 1, "1000101", 0, 0 },
    // Surface-to-air missiles by reach: carried by a soldier, on a tracked gun, on ships' decks, and
    // the long and medium arms of a missile battery.
    { "携帯地対空ﾐｻｲﾙ", "MANPADS", 1, 1, { 0, 5, 20, 0, 0, 0, 0, 0, 5 }, "ﾐｻｲﾙ", 15, "1001101", 0, 0 },
    { "短距離地対空ﾐｻｲﾙ", "SHORAD", 2, 2, { 0, 15, 25, 0, 0, 0, 0, 10, 15 }, "ﾐｻｲﾙ", 25, "1101101", 0, 0 },
    { "艦対空ミサイル", "SAM-S", 2, 2, { 0, 15, 25, 0, 0, 0, 0, 10, 15 }, "ﾐｻｲﾙ", 25, "1101101", 0, 0 },
    { "中距離地対空ﾐｻｲﾙ", "MR-SAM", 4, 2, { 15, 25, 25, 0, 0, 0, 0, 15, 20 }, "ﾐｻｲﾙ", 50, "1101100", 0, 0 },
    { "長距離地対空ﾐｻｲﾙ", "LR-SAM", 5, 2, { 25, 25, 20, 0, 0, 0, 0, 20, 10 }, "ﾐｻｲﾙ", 70, "1101100", 0, 1 },
    // Strikes from the air: a guided rocket pod, a heavy bomb, a glide bomb released far off and the
    // missile that rides a radar's beam home.
    { "ロケット弾", "70mm", 2, 2, { 0, 0, 4, 15, 20, 8, 0, 0, 0 }, "ﾐｻｲﾙ", 12, "1101001", 0, 0 },
    { "爆弾", "1000lb", 1, 4, { 0, 0, 0, 35, 40, 30, 0, 0, 0 }, "爆弾", 25, "1001001", 0, 0 },
    { "滑空爆弾", "GB", 3, 3, { 0, 0, 0, 30, 30, 20, 0, 0, 0 }, "爆弾", 45, "1101000", 0, 0 },
    { "対ﾚｰﾀﾞｰﾐｻｲﾙ", "ARM", 3, 2, { 0, 0, 0, 20, 30, 20, 0, 0, 0 }, "ﾐｻｲﾙ", 50, "1101001", 0, 0 },
    { "誘導ロケット", "GMLRS", 5, 2, { 0, 0, 0, 20, 30, 8, 0, 0, 0 }, "大砲", 35, "1101000", 0, 1 },
    // The ships' and submarines' newer arms: missiles launched upright or at a slant, one that
    // throws a torpedo, mortar bombs that sink onto a submarine.
    { "垂直発射ミサイル", "VLS", 6, 3, { 0, 0, 0, 15, 20, 40, 0, 0, 0 }, "ﾐｻｲﾙ", 70, "1101000", 0, 1 },
    { "艦対地ミサイル", "LAM", 8, 3, { 0, 0, 0, 30, 35, 10, 0, 0, 0 }, "ﾐｻｲﾙ", 80, "1101000", 0, 2 },
    { "対潜ロケット", "ASROC", 3, 2, { 0, 0, 0, 0, 0, 0, 35, 0, 0 }, "魚雷", 30, "1100101", 0, 0 },
    { "対潜迫撃砲", "ASW", 1, 3, { 0, 0, 0, 0, 0, 0, 30, 0, 0 }, "通常", 10, "1001101", 0, 0 },
    { "潜対地ミサイル", "SLCM", 8, 3, { 0, 0, 0, 30, 35, 10, 0, 0, 0 }, "ﾐｻｲﾙ", 80, "1101000", 0, 2 },
    { "潜対空ミサイル", "SLAM", 2, 2, { 0, 10, 25, 0, 0, 0, 0, 0, 10 }, "ﾐｻｲﾙ", 40, "1101101", 0, 0 },
    { "長距離潜対艦ﾐｻｲﾙ", "USM-L", 7, 3, { 0, 0, 0, 0, 0, 45, 0, 0, 0 }, "ﾐｻｲﾙ", 90, "1101000", 0, 2 },
};

void writeWeapons(const std::filesystem::path& programFolder)
{
    std::string text;
    for (const Weapon& w : kWeapons) {
        std::string line = std::string(w.name) + "," + w.subName + "," + std::to_string(w.reach) + "," + std::to_string(w.multiplier);
        for (int p : w.power)
            line += "," + std::to_string(p);
        // The use value: every weapon of the set is in service.
        line += ",1," + std::string(w.kind) + "," + std::to_string(w.ammoPrice);
        for (const char* p = w.flags; *p; ++p)
            line += *p == '1' ? ",○" : ",";
        line += "," + std::to_string(w.launchedType) + "," + std::to_string(w.waitTurns);
        text += line + "\r\n";
    }
    writeFile(programFolder / "warm.dat", platform::utf8ToCp932(text));
}

} // namespace

MKDATA_GENERATOR("master_weapons", writeWeapons);

} // namespace mkdata::master
