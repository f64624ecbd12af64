// loadTerrainData: land.dat into the terrain table, then the role indexes the rules use.
#include "state/data_path.h"
#include "state/game_state.h"
#include "state/master_text.h"
#include "state/text_file_reader.h"

#include "lib/error.h"
#include "lib/file.h"
#include "platform/kernel/host.h"

#include <cstring>

using namespace master_text;

namespace {

constexpr size_t kTerrainColumns = 108;

const std::vector<std::string>& terrainKinds()
{
    static const std::vector<std::string> kinds = cp932Table({
        "基本地形", "河川", "深い河", "凍結河川", "雪原", "浅瀬", "海", "トーチカ", "荒地", "道路",
        "仮設橋", "建物", "首都", "大都市", "中都市", "小都市", "空港", "港", "工場", "基地", "橋",
        "油田", "原発", "ミサイル基地", "兵器工場", "ダム", "トンネル", "要塞",
    });
    return kinds;
}

uint16_t groupMask(const std::vector<char*>& fields, int first)
{
    uint16_t mask = 0;
    for (int g = 0; g < kUnitTypeGroupCount; ++g)
        if (isCircle(column(fields, first + g)))
            mask = uint16_t(mask | 1u << g);
    return mask;
}

TerrainRecord terrainFromLine(const std::vector<char*>& fields)
{
    TerrainRecord r;
    std::memset(&r, 0, sizeof r);
    copyName(r.name, sizeof r.name, column(fields, 1));
    r.number = uint8_t(decimal(column(fields, 2)));
    r.kind = uint8_t(indexOf(terrainKinds(), column(fields, 3), 0));
    for (int m = 0; m < kMovementTypeCount; ++m) {
        r.moveCost[m] = uint8_t(decimal(column(fields, 4 + m)));
        r.evasion[m] = uint8_t(decimal(column(fields, 30 + m)));
    }
    r.durability = uint8_t(decimal(column(fields, 56)));
    r.reinforcedDurability = uint8_t(decimal(column(fields, 57)));
    r.occupationValue = uint8_t(decimal(column(fields, 58)));
    r.refuelMask = groupMask(fields, 59);
    r.rearmMask = groupMask(fields, 65);
    r.replenishMask = groupMask(fields, 71);
    r.repairMask = groupMask(fields, 77);
    r.productionMask = groupMask(fields, 83);
    for (int g = 0; g < kUnitTypeGroupCount; ++g)
        r.groupValues[g] = uint8_t(decimal(column(fields, 89 + g)));
    r.capacity = uint8_t(decimal(column(fields, 95)));
    r.income = uint16_t(decimal(column(fields, 96)));
    r.unusedValue = uint16_t(decimal(column(fields, 97)));
    r.defaultDisplayCode = uint16_t(decimal(column(fields, 98)));
    for (int bit = 0; bit < 8; ++bit)
        if (isCircle(column(fields, 99 + bit)))
            r.flags = uint8_t(r.flags | 1u << bit);
    for (int bit = 0; bit < 2; ++bit)
        if (isCircle(column(fields, 107 + bit)))
            r.mineFlags = uint8_t(r.mineFlags | 1u << bit);
    return r;
}

} // namespace

void GameState::loadTerrainData()
{
    std::string path = dataPath("land.dat", kFolderMaster);
    if (!fileExists(path.c_str())) {
        showLoaderMessage(platform::utf8ToCp932("地形データ land.dat が見つかりません"), platform::utf8ToCp932("警告"));
        throw new swCError(0);
    }
    std::unique_ptr<TextFileReader> reader = readMasterFile(path, "地形データ", "land.dat", true);
    std::vector<TerrainRecord> types;
    SkippedLines skipped;
    bool cut = false;
    forEachRecordLine(*reader, [&](int number, std::vector<char*>& fields) {
        if (isCutLastLine(*reader, fields.size(), kTerrainColumns)) {
            cut = true;
            return;
        }
        // Cell bytes hold a terrain type in one byte.
        if (types.size() >= 256)
            skipped.add(number, "地形の種類は256までです。");
        else
            types.push_back(terrainFromLine(fields));
    });
    skipped.report("land.dat");
    if (types.empty()) {
        showEmptyMasterFile("地形データ", "land.dat", "地形");
        throw new swCError(0);
    }
    if (cut)
        showCutShortFile("地形データ", "land.dat", types.size(), "地形");
    m_terrainTypes = std::move(types);
    computeTerrainRoles();
    // Without a large city a fallen capital would turn into no terrain at all.
    if (m_terrainRoles.largeCity < 0) {
        showLoaderMessage(platform::utf8ToCp932("地形データ land.dat に大都市がありません"), platform::utf8ToCp932("警告"));
        throw new swCError(0);
    }
}

void GameState::computeTerrainRoles()
{
    TerrainRoles roles;
    // Shallows and missile base keep their previous value when the file has none.
    roles.shallows = m_terrainRoles.shallows;
    roles.missileBase = m_terrainRoles.missileBase;
    for (size_t i = 0; i < m_terrainTypes.size(); ++i) {
        int index = int(i);
        switch (m_terrainTypes[i].kind) {
        case kTerrainRoad: roles.road = index; break;
        case kTerrainLargeCity: roles.largeCity = index; break;
        case kTerrainPillbox: roles.pillbox = index; break;
        case kTerrainWasteland: roles.wasteland = index; break;
        case kTerrainBridge: roles.bridge = index; break;
        case kTerrainSnowfield: roles.snowfield = index; break;
        case kTerrainRiver: roles.river = index; break;
        case kTerrainDeepRiver: roles.deepRiver = index; break;
        case kTerrainFrozenRiver: roles.frozenRiver = index; break;
        case kTerrainSea: roles.sea = index; break;
        case kTerrainShallows: roles.shallows = index; break;
        case kTerrainMissileBase: roles.missileBase = index; break;
        default: break;
        }
    }
    if (size_t(roles.bridge) < m_terrainTypes.size())
        roles.bridgeValue = m_terrainTypes[roles.bridge].defaultDisplayCode;
    m_terrainRoles = roles;
}
