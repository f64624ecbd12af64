// loadArmamentData: the weapons of warm.dat (uwarm.dat is parsed and not kept).
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

const std::vector<std::string>& weaponKinds()
{
    static const std::vector<std::string> kinds = cp932Table({
        "通常", "ﾐｻｲﾙ", "巡航ﾐｻｲﾙ", "弾道ﾐｻｲﾙ", "対空", "魚雷", "補給", "大砲", "爆弾", "弾頭", "ECM", "工作", "自爆",
    });
    return kinds;
}

WeaponRecord weaponFromLine(const std::vector<char*>& fields)
{
    static const int kFlagBit[7] = { 0, 1, 2, 3, 4, 6, 7 };
    WeaponRecord r;
    std::memset(&r, 0, sizeof r);
    copyName(r.name, sizeof r.name, column(fields, 1));
    copyName(r.subName, sizeof r.subName, column(fields, 2));
    r.reach = uint8_t(decimal(column(fields, 3)));
    r.multiplier = uint8_t(decimal(column(fields, 4)));
    for (int c = 0; c < kTargetClassCount; ++c)
        r.power[kMasterColumnClass[c]] = uint8_t(decimal(column(fields, 5 + c)));
    r.useValue = uint8_t(decimal(column(fields, 14)));
    r.kind = uint8_t(indexOf(weaponKinds(), column(fields, 15), 0));
    r.ammoPrice = uint16_t(decimal(column(fields, 16)));
    for (int i = 0; i < 7; ++i)
        if (isCircle(column(fields, 17 + i)))
            r.flags = uint16_t(r.flags | 1u << kFlagBit[i]);
    r.launchedType = uint16_t(decimal(column(fields, 24)));
    r.waitTurns = uint8_t(decimal(column(fields, 25)));
    return r;
}

} // namespace

void GameState::loadArmamentData(int user_flag)
{
    const char* file = user_flag ? "uwarm.dat" : "warm.dat";
    std::string path = dataPath(file, kFolderProgram);
    if (!fileExists(path.c_str())) {
        if (user_flag)
            return;
        showLoaderMessage(platform::utf8ToCp932("兵装データ warm.dat が見つかりません"), platform::utf8ToCp932("警告"));
        throw new swCError(0);
    }
    std::unique_ptr<TextFileReader> reader = readMasterFile(path, "兵装データ", file, !user_flag);
    if (!reader)
        return;
    SkippedLines skipped;
    forEachRecordLine(*reader, [&](int number, std::vector<char*>& fields) {
        WeaponRecord record = weaponFromLine(fields);
        if (user_flag)
            return;
        // A built-in weapon's id is its position; ids from 40000 on belong to user weapons.
        if (m_weapons.size() + 1 >= size_t(kFirstUserWeaponId)) {
            skipped.add(number, "兵装の数が多すぎます。");
            return;
        }
        m_weapons.push_back(record);
        m_weaponIdMap[m_weapons.size()] = uint16_t(m_weapons.size());
    });
    skipped.report(file);
    if (!user_flag && m_weapons.empty()) {
        showEmptyMasterFile("兵装データ", file, "兵装");
        throw new swCError(0);
    }
}

int GameState::findWeaponByName(const char* name, const char* sub_name, int include_user, int exclude_id) const
{
    auto matches = [&](int id) {
        const WeaponRecord& w = weaponRecord(id);
        return id != exclude_id && std::strncmp(w.name, name, sizeof w.name) == 0
            && std::strncmp(w.subName, sub_name, sizeof w.subName) == 0;
    };
    for (int id = 1; id <= int(m_weapons.size()) && id < kWeaponIdMapSize; ++id)
        if (m_weaponIdMap[id] && matches(id))
            return id;
    if (include_user == 1)
        for (int id = kFirstUserWeaponId; id < kWeaponIdMapSize; ++id)
            if (m_weaponIdMap[id] && matches(id))
                return id;
    return 0;
}
