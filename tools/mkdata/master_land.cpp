// "land.dat": the terrain and building types, one comma-separated CP932 line per type.
// Ids the rules name are fixed: 14/15/26 the river substitutes, 31 the capital, 49 a special
// building never placed on a map, 53 the temporary bridge.
#include "tools/mkdata/generator.h"
#include "tools/mkdata/master_land.h"

#include "infowin/sheet_layout.h"
#include "platform/kernel/host.h"

#include <string>

namespace mkdata::master {
namespace {

// Movement cost or evasion by movement family: air (0-2), tracked (3-8), wheeled (9-13),
// infantry (14-16), surface ships (17-19), submarines (20-21), hovercraft (22-23), road (24),
// special (25).
struct Families {
    int air, tracked, wheeled, infantry, ship, sub, hover, road, special;
};

struct Terrain {
    const char* name;
    const char* kind;
    Families move;
    Families evade;
    int durability, reinforced, occupation;
    // Unit-type groups (aircraft, VTOL, helicopter, land, sea, hovercraft) as six '1'/'0'.
    const char* refuel;
    const char* rearm;
    const char* replenish;
    const char* repair;
    // What a building of the type produces. The rules read these columns as a hex's unit slots:
    // either of the first two opens both high-flying slots, the third the low-flying one (which
    // helicopters share with attack aircraft), the fourth land, the fifth both sea slots; the sixth
    // is not read.
    const char* made;
    int capacity, income, unusedValue, defaultDisplayCode;
    // Flag bits 0..7 and mine bits 0..1 as '1'/'0' in bit order.
    const char* flags;
    const char* mines;
};

constexpr Families kNone{ 0, 0, 0, 0, 0, 0, 0, 0, 0 };
constexpr const char* kNo = "000000";
constexpr const char* kLandServices = "000100";
constexpr const char* kLandAndHeli = "001100";
constexpr const char* kAirServices = "111000";
constexpr const char* kSeaServices = "001011";
// A building produces only what it refuels and arms: towns and factories land units, airfields every
// aircraft, ports ships. No town gets the low-flying slot for its helicopters: attack aircraft, which
// no town can refuel or land, would be made there too.
constexpr const char* kLandMade = "000100";
constexpr const char* kAirMade = "111000";
constexpr const char* kSeaMade = "000011";

// Flags: bit 0 hides units, bit 2/3 units may unload/board, bit 4 open ground, bit 5 a bridge may
// be built (over rivers), bit 6 a pillbox may be built.
const Terrain kTerrain[] = {
    { "なし", "基本地形", kNone, kNone, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "00000000", "00" },
    { "平地", "基本地形", { 1, 1, 1, 1, 0, 0, 1, 2, 1 }, { 0, 10, 10, 10, 0, 0, 5, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "00001010", "10" },
    { "草原", "基本地形", { 1, 1, 2, 1, 0, 0, 1, 3, 1 }, { 0, 10, 10, 15, 0, 0, 5, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "00001010", "10" },
    { "森林", "基本地形", { 1, 2, 3, 2, 0, 0, 0, 4, 1 }, { 0, 30, 30, 40, 0, 0, 0, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "10000000", "10" },
    { "密林", "基本地形", { 1, 3, 4, 2, 0, 0, 0, 0, 1 }, { 0, 40, 40, 50, 0, 0, 0, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "10000000", "10" },
    { "丘陵", "基本地形", { 1, 2, 3, 2, 0, 0, 2, 4, 1 }, { 0, 30, 30, 35, 0, 0, 10, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "00000010", "10" },
    { "山地", "基本地形", { 1, 4, 0, 3, 0, 0, 0, 0, 1 }, { 0, 50, 0, 55, 0, 0, 0, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "10000000", "00" },
    { "高山", "基本地形", { 1, 0, 0, 4, 0, 0, 0, 0, 1 }, { 0, 0, 0, 60, 0, 0, 0, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "10000000", "00" },
    { "砂漠", "基本地形", { 1, 2, 2, 2, 0, 0, 1, 3, 1 }, { 0, 5, 5, 5, 0, 0, 5, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "00001010", "10" },
    { "湿地", "基本地形", { 1, 3, 0, 2, 0, 0, 1, 0, 1 }, { 0, 15, 0, 20, 0, 0, 5, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "00000000", "00" },
    { "雪原", "雪原", { 1, 3, 3, 3, 0, 0, 1, 4, 1 }, { 0, 5, 5, 5, 0, 0, 5, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "00001010", "10" },
    { "荒地", "荒地", { 1, 2, 2, 1, 0, 0, 2, 3, 1 }, { 0, 20, 20, 25, 0, 0, 10, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "00000010", "10" },
    { "砂浜", "基本地形", { 1, 2, 2, 1, 0, 0, 1, 3, 1 }, { 0, 5, 5, 5, 0, 0, 5, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "00011000", "10" },
    { "岩場", "基本地形", { 1, 3, 0, 2, 0, 0, 0, 0, 1 }, { 0, 25, 0, 30, 0, 0, 0, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "00000000", "00" },
    { "河川", "河川", { 1, 3, 0, 2, 0, 0, 1, 0, 1 }, { 0, 0, 0, 0, 0, 0, 0, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "00100100", "00" },
    { "深い河", "深い河", { 1, 0, 0, 0, 2, 0, 1, 0, 1 }, { 0, 0, 0, 0, 5, 0, 5, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "00100100", "01" },
    { "湖", "海", { 1, 0, 0, 0, 1, 2, 1, 0, 1 }, { 0, 0, 0, 0, 5, 10, 5, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "00000000", "01" },
    { "泥地", "基本地形", { 1, 3, 3, 2, 0, 0, 1, 0, 1 }, { 0, 10, 10, 10, 0, 0, 5, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "00000000", "10" },
    { "凍土", "基本地形", { 1, 2, 2, 2, 0, 0, 1, 3, 1 }, { 0, 5, 5, 10, 0, 0, 5, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "00001010", "10" },
    { "ツンドラ", "基本地形", { 1, 2, 3, 2, 0, 0, 1, 3, 1 }, { 0, 10, 10, 10, 0, 0, 5, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "00000010", "10" },
    { "竹林", "基本地形", { 1, 3, 0, 2, 0, 0, 0, 0, 1 }, { 0, 35, 0, 40, 0, 0, 0, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "10000000", "10" },
    { "畑", "基本地形", { 1, 1, 2, 1, 0, 0, 1, 2, 1 }, { 0, 10, 10, 10, 0, 0, 5, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "00001010", "10" },
    { "水田", "基本地形", { 1, 3, 3, 2, 0, 0, 1, 0, 1 }, { 0, 10, 10, 10, 0, 0, 5, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "00000000", "10" },
    { "果樹園", "基本地形", { 1, 2, 2, 1, 0, 0, 1, 3, 1 }, { 0, 20, 20, 25, 0, 0, 5, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "00000010", "10" },
    { "低木林", "基本地形", { 1, 2, 2, 1, 0, 0, 1, 3, 1 }, { 0, 20, 20, 25, 0, 0, 5, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "00000010", "10" },
    { "火山", "基本地形", { 1, 0, 0, 4, 0, 0, 0, 0, 1 }, { 0, 0, 0, 40, 0, 0, 0, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "10000000", "00" },
    { "凍結河川", "凍結河川", { 1, 2, 2, 2, 0, 0, 1, 0, 1 }, { 0, 0, 0, 5, 0, 0, 5, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "00000000", "00" },
    { "崖", "基本地形", { 1, 0, 0, 4, 0, 0, 0, 0, 1 }, { 0, 0, 0, 45, 0, 0, 0, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "10000000", "00" },
    { "海", "海", { 1, 0, 0, 0, 1, 1, 1, 0, 1 }, { 0, 0, 0, 0, 5, 20, 5, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "00000000", "01" },
    { "浅瀬", "浅瀬", { 1, 0, 0, 3, 2, 0, 1, 0, 1 }, { 0, 0, 0, 0, 5, 0, 5, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "00010000", "01" },
    { "砂丘", "基本地形", { 1, 2, 3, 2, 0, 0, 1, 3, 1 }, { 0, 10, 10, 10, 0, 0, 5, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "00000010", "10" },
    // Buildings from 31 on.
    { "首都", "首都", { 1, 1, 1, 1, 0, 0, 1, 1, 1 }, { 0, 40, 40, 50, 0, 0, 20, 0, 0 }, 60, 90, 30, "001100", "001100", "001100", "001100", kLandMade, 6, 100, 0, 0, "00011000", "00" },
    { "大都市", "大都市", { 1, 1, 1, 1, 0, 0, 1, 1, 1 }, { 0, 35, 35, 45, 0, 0, 20, 0, 0 }, 50, 80, 25, kLandAndHeli, kLandAndHeli, kLandAndHeli, kLandAndHeli, kLandMade, 6, 60, 0, 0, "00011000", "00" },
    { "中都市", "中都市", { 1, 1, 1, 1, 0, 0, 1, 1, 1 }, { 0, 30, 30, 40, 0, 0, 15, 0, 0 }, 40, 60, 20, kLandAndHeli, kLandAndHeli, kLandServices, kLandServices, kLandMade, 4, 40, 0, 0, "00011000", "00" },
    { "小都市", "小都市", { 1, 1, 1, 1, 0, 0, 1, 1, 1 }, { 0, 25, 25, 35, 0, 0, 10, 0, 0 }, 30, 45, 15, kLandServices, kLandServices, kLandServices, kNo, kLandMade, 3, 20, 0, 0, "00011000", "00" },
    { "空港", "空港", { 1, 1, 1, 1, 0, 0, 1, 1, 1 }, { 10, 20, 20, 20, 0, 0, 10, 0, 0 }, 40, 60, 20, kAirServices, kAirServices, kAirServices, kAirServices, kAirMade, 6, 20, 0, 0, "00111000", "00" },
    { "飛行場", "空港", { 1, 1, 1, 1, 0, 0, 1, 1, 1 }, { 5, 15, 15, 15, 0, 0, 10, 0, 0 }, 25, 40, 15, kAirServices, kAirServices, "011000", "011000", kAirMade, 3, 10, 0, 0, "00111000", "00" },
    { "工場", "工場", { 1, 1, 1, 1, 0, 0, 1, 1, 1 }, { 0, 25, 25, 30, 0, 0, 10, 0, 0 }, 40, 60, 20, kLandServices, kLandServices, kNo, kLandServices, kLandMade, 4, 40, 0, 0, "00011000", "00" },
    { "兵器工場", "兵器工場", { 1, 1, 1, 1, 0, 0, 1, 1, 1 }, { 0, 25, 25, 30, 0, 0, 10, 0, 0 }, 45, 70, 25, kLandAndHeli, kLandAndHeli, kLandAndHeli, kLandAndHeli, kLandMade, 4, 30, 0, 0, "00011000", "00" },
    { "港", "港", { 1, 1, 1, 1, 1, 1, 1, 1, 1 }, { 0, 20, 20, 25, 10, 10, 10, 0, 0 }, 40, 60, 20, kSeaServices, kSeaServices, kSeaServices, kSeaServices, kSeaMade, 6, 30, 0, 0, "00111000", "00" },
    { "軍港", "基地", { 1, 1, 1, 1, 1, 1, 1, 1, 1 }, { 0, 30, 30, 35, 15, 15, 15, 0, 0 }, 50, 80, 25, "001111", "001111", "001111", "001111", kSeaMade, 6, 20, 0, 0, "00111000", "00" },
    { "空軍基地", "基地", { 1, 1, 1, 1, 0, 0, 1, 1, 1 }, { 15, 30, 30, 35, 0, 0, 15, 0, 0 }, 50, 80, 25, "111100", "111100", "111100", "111100", kAirMade, 6, 20, 0, 0, "00111000", "00" },
    { "油田", "油田", { 1, 1, 1, 1, 0, 0, 1, 1, 1 }, { 0, 10, 10, 15, 0, 0, 5, 0, 0 }, 20, 30, 10, kLandServices, kNo, kNo, kNo, kNo, 1, 50, 0, 0, "00001000", "00" },
    { "原発", "原発", { 1, 1, 1, 1, 0, 0, 1, 1, 1 }, { 0, 20, 20, 25, 0, 0, 10, 0, 0 }, 30, 50, 15, kNo, kNo, kNo, kNo, kNo, 1, 60, 0, 0, "00001000", "00" },
    { "ミサイル基地", "ミサイル基地", { 1, 1, 1, 1, 0, 0, 1, 1, 1 }, { 0, 30, 30, 35, 0, 0, 15, 0, 0 }, 40, 60, 20, kLandServices, kLandServices, kNo, kNo, kNo, 2, 10, 0, 0, "00011000", "00" },
    { "ダム", "ダム", { 1, 1, 1, 1, 0, 0, 1, 1, 1 }, { 0, 20, 20, 25, 0, 0, 10, 0, 0 }, 40, 60, 15, kNo, kNo, kNo, kNo, kNo, 1, 20, 0, 0, "00001000", "00" },
    { "トンネル", "トンネル", { 0, 1, 1, 1, 0, 0, 1, 1, 1 }, { 0, 60, 60, 60, 0, 0, 30, 0, 0 }, 50, 70, 10, kNo, kNo, kNo, kNo, kNo, 2, 0, 0, 0, "10000000", "00" },
    { "要塞", "要塞", { 1, 1, 1, 1, 0, 0, 1, 1, 1 }, { 0, 60, 60, 60, 0, 0, 30, 0, 0 }, 80, 120, 40, kLandServices, kLandServices, kLandServices, kLandServices, kNo, 6, 0, 0, 0, "00011000", "00" },
    { "村", "建物", { 1, 1, 1, 1, 0, 0, 1, 1, 1 }, { 0, 20, 20, 30, 0, 0, 10, 0, 0 }, 20, 30, 10, kLandServices, kNo, kNo, kNo, kNo, 2, 10, 0, 0, "00011000", "00" },
    { "特殊施設", "建物", { 1, 1, 1, 1, 0, 0, 1, 1, 1 }, { 0, 40, 40, 40, 0, 0, 20, 0, 0 }, 60, 90, 30, kNo, kNo, kNo, kNo, kNo, 1, 0, 0, 0, "00001000", "00" },
    // Works on the ground.
    { "トーチカ", "トーチカ", { 1, 1, 1, 1, 0, 0, 1, 1, 1 }, { 0, 50, 50, 60, 0, 0, 20, 0, 0 }, 30, 45, 0, kNo, kNo, kNo, kNo, kNo, 1, 0, 0, 0, "00000000", "00" },
    { "橋", "橋", { 1, 1, 1, 1, 1, 0, 1, 1, 1 }, { 0, 0, 0, 0, 0, 0, 0, 0, 0 }, 30, 45, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 12, "00010000", "00" },
    { "道路", "道路", { 1, 1, 1, 1, 0, 0, 1, 1, 1 }, { 0, 5, 5, 5, 0, 0, 5, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "00011000", "10" },
    { "仮設橋", "仮設橋", { 1, 2, 2, 1, 0, 0, 1, 2, 1 }, { 0, 0, 0, 0, 0, 0, 0, 0, 0 }, 10, 20, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "00000000", "00" },
    { "塹壕", "基本地形", { 1, 2, 2, 1, 0, 0, 1, 3, 1 }, { 0, 40, 40, 50, 0, 0, 10, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "00000000", "10" },
    { "防波堤", "基本地形", { 1, 2, 2, 1, 0, 0, 1, 2, 1 }, { 0, 15, 15, 20, 0, 0, 5, 0, 0 }, 0, 0, 0, kNo, kNo, kNo, kNo, kNo, 0, 0, 0, 0, "00010000", "00" },
};

void appendFamilies(std::string& line, const Families& f)
{
    const int perType[26] = { f.air, f.air, f.air, f.tracked, f.tracked, f.tracked, f.tracked, f.tracked, f.tracked,
        f.wheeled, f.wheeled, f.wheeled, f.wheeled, f.wheeled, f.infantry, f.infantry, f.infantry, f.ship, f.ship,
        f.ship, f.sub, f.sub, f.hover, f.hover, f.road, f.special };
    for (int value : perType)
        line += "," + std::to_string(value);
}

void appendMarks(std::string& line, const char* bits)
{
    for (const char* p = bits; *p; ++p)
        line += *p == '1' ? ",○" : ",";
}

// The list-order value: the terrain lists and tables show the types in the order of the unit
// windows' movement panel, whose labels are drawn in that order; "なし" first, types past it last.
int listOrder(int index)
{
    for (int n = 0; n < info_sheet::kMovePanelEntries; ++n)
        if (info_sheet::movePanelTerrain(n) == index)
            return n + 1;
    return index;
}

void writeLand(const std::filesystem::path& programFolder)
{
    std::string text;
    int index = 0;
    for (const Terrain& t : kTerrain) {
        std::string line = std::string(t.name) + "," + std::to_string(listOrder(index++)) + "," + t.kind;
        appendFamilies(line, t.move);
        appendFamilies(line, t.evade);
        line += "," + std::to_string(t.durability) + "," + std::to_string(t.reinforced) + "," + std::to_string(t.occupation);
        for (const char* mask : { t.refuel, t.rearm, t.replenish, t.repair, t.made })
            appendMarks(line, mask);
        line += ",0,0,0,0,0,0";
        line += "," + std::to_string(t.capacity) + "," + std::to_string(t.income) + "," + std::to_string(t.unusedValue)
            + "," + std::to_string(t.defaultDisplayCode);
        appendMarks(line, t.flags);
        appendMarks(line, t.mines);
        text += line + "\r\n";
    }
    writeFile(programFolder / "land.dat", platform::utf8ToCp932(text));
}

} // namespace

std::vector<std::string> terrainNames()
{
    std::vector<std::string> names;
    for (const Terrain& t : kTerrain)
        names.emplace_back(t.name);
    return names;
}

MKDATA_GENERATOR("master_land", writeLand);

} // namespace mkdata::master
