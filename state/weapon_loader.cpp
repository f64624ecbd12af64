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

constexpr size_t kWeaponColumns = 25;

const std::vector<std::string>& weaponKinds()
{
    static const std::vector<std::string> kinds = cp932Table({
        "通常", "ﾐｻｲﾙ", "巡航ﾐｻｲﾙ", "弾道ﾐｻｲﾙ", "対空", "魚雷", "補給", "大砲", "爆弾", "弾頭", "ECM", "工作", "自爆",
    });
    return kinds;
}

std::string weaponNameKey(const char* name, const char* sub_name)
{
    std::string key(name, strnlen(name, sizeof WeaponRecord::name));
    key += '\0';
    key.append(sub_name, strnlen(sub_name, sizeof WeaponRecord::subName));
    return key;
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
    bool cut = false;
    forEachRecordLine(*reader, [&](int number, std::vector<char*>& fields) {
        if (isCutLastLine(*reader, fields.size(), kWeaponColumns)) {
            cut = true;
            return;
        }
        WeaponRecord record = weaponFromLine(fields);
        if (user_flag)
            return;
        // A built-in weapon's id is its position; ids from 40000 on belong to user weapons.
        if (m_weapons.size() + 1 >= size_t(kFirstUserWeaponId)) {
            skipped.add(number, "兵装の数が多すぎます。");
            return;
        }
        m_weapons.push_back(record);
        const uint16_t id = uint16_t(m_weapons.size());
        m_weaponIdMap[id] = id;
        std::array<uint16_t, 2>& named = m_weaponNames[weaponNameKey(record.name, record.subName)];
        if (!named[0])
            named[0] = id;
        else if (!named[1])
            named[1] = id;
    });
    skipped.report(file);
    if (!user_flag && m_weapons.empty()) {
        showEmptyMasterFile("兵装データ", file, "兵装");
        throw new swCError(0);
    }
    if (cut && !user_flag)
        showCutShortFile("兵装データ", file, m_weapons.size(), "兵装");
}

// Only the weapons of warm.dat are kept (ids below kFirstUserWeaponId), so user weapons never match.
int GameState::findWeaponByName(const char* name, const char* sub_name, int, int exclude_id) const
{
    auto found = m_weaponNames.find(weaponNameKey(name, sub_name));
    if (found == m_weaponNames.end())
        return 0;
    for (uint16_t id : found->second)
        if (id && id != exclude_id && m_weaponIdMap[id])
            return id;
    return 0;
}
