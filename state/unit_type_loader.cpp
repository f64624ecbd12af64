// loadWeaponData: the unit types of weapon.dat / sweapon.dat (uweapon.dat is parsed and not kept).
#include "state/data_path.h"
#include "state/game_state.h"
#include "state/master_text.h"
#include "state/text_file_reader.h"

#include "lib/error.h"
#include "lib/file.h"
#include "platform/kernel/host.h"
#include "state/application_link.h"

#include <algorithm>
#include <cstring>

using namespace master_text;

namespace {

// Lines of 135 columns are whole: the three that may follow repeat earlier ones.
constexpr size_t kUnitTypeColumns = 135;

const std::vector<std::string>& domains()
{
    static const std::vector<std::string> table = cp932Table({ "超高空", "高空", "低空", "地上", "海上", "海中" });
    return table;
}

const std::vector<std::string>& movementTypes()
{
    static const std::vector<std::string> table = cp932Table({
        "超高空", "高空", "低空", "キャタピラA", "キャタピラB", "キャタピラC", "キャタピラD", "キャタピラE",
        "キャタピラF", "車両A", "車両B", "車両C", "車両D", "車両E", "歩兵A", "歩兵B", "歩兵C", "海上A", "海上B",
        "海上C", "海中A", "海中B", "ホバークラフト", "ホバークラフトB", "道路", "特殊",
    });
    return table;
}

const std::vector<std::string>& unitClasses()
{
    static const std::vector<std::string> table = cp932Table({
        "要撃機", "戦闘機", "戦闘攻撃機", "攻撃機", "VTOL", "爆撃機", "電子戦機", "早期警戒機", "偵察機", "対潜哨戒機",
        "輸送機", "給油機", "弾道弾迎撃機", "攻撃ﾍﾘ", "兵員輸送ﾍﾘ", "大型輸送ﾍﾘ", "偵察ﾍﾘ", "対潜哨戒ﾍﾘ", "対潜哨戒ﾍﾘ",
        "主力戦車", "歩兵戦闘車", "兵員輸送車", "偵察車", "戦車駆逐車", "自走砲", "牽引野砲", "自走ﾛｹｯﾄ砲",
        "対地ﾐｻｲﾙ車両", "対空車両", "牽引対空砲", "自走対空ﾐｻｲﾙ", "対空ﾐｻｲﾙ車両", "対艦ﾐｻｲﾙ車両", "弾道ﾐｻｲﾙ車両",
        "弾頭", "ﾚｰﾀﾞｰ車両", "補給車", "歩兵", "工作部隊", "司令部", "戦艦", "ｲｰｼﾞｽ巡洋艦", "巡洋艦", "ｲｰｼﾞｽ駆逐艦",
        "駆逐艦", "ﾌﾘｹﾞｰﾄ", "ｺﾙﾍﾞｯﾄ", "高速ﾐｻｲﾙ艇", "空母", "ﾍﾘ空母", "揚陸艦", "ﾎﾊﾞｰｸﾗﾌﾄ", "輸送艦", "補給艦",
        "潜水艦", "戦略型潜水艦", "特殊潜航艇",
    });
    return table;
}

const std::vector<std::string>& berthNames()
{
    static const std::vector<std::string> table = cp932Table({ "艦載", "VTOL", "ヘリ", "重車両", "車両", "軽車両", "歩兵", "ホバー" });
    return table;
}

const std::vector<std::string>& carryClassNames()
{
    static const std::vector<std::string> table
        = cp932Table({ "艦載機", "VTOL", "ヘリ", "重車両", "車両", "軽車両", "歩兵", "ホバークラフト" });
    return table;
}

uint8_t berthMask(const char* text)
{
    static const uint8_t kMasks[] = { 0xE0, 0x60, 0x20, 0x1E, 0x0E, 0x06, 0x02, 0x01 };
    int named = indexOf(berthNames(), text, -1);
    if (named >= 0)
        return kMasks[named];
    if (platform::utf8ToCp932("なし") == text)
        return 0;
    uint8_t mask = 0;
    size_t length = std::strlen(text);
    for (size_t i = 0; i < 8; ++i)
        if (i < length && text[i] == '1')
            mask = uint8_t(mask | 0x80u >> i);
    return mask;
}

uint8_t carryClass(const char* text)
{
    int named = indexOf(carryClassNames(), text, -1);
    return named < 0 ? 0 : uint8_t(0x80u >> named);
}

// Slots naming a weapon that warm.dat lacks keep id 0; a damaged warm.dat leaves many, which are
// told in one notice: the first one, where it is, and how many there are.
class UnmatchedWeapons {
public:
    void add(int line, const UnitTypeRecord& type, const WeaponSlot& slot)
    {
        if (m_count++ > 0)
            return;
        m_line = line;
        m_caption.assign(type.name, strnlen(type.name, sizeof type.name));
        m_weapon = std::string(slot.name, strnlen(slot.name, sizeof slot.name)) + " "
            + std::string(slot.subName, strnlen(slot.subName, sizeof slot.subName));
    }
    void report(const char* file) const
    {
        if (m_count == 0)
            return;
        std::string text = platform::utf8ToCp932("一致する武装がみつかりませんでした。\n") + m_weapon;
        if (m_count > 1)
            text += platform::utf8ToCp932("\n" + std::string(file) + " の " + std::to_string(m_line) + "行目ほか、全部で "
                + std::to_string(m_count) + "件あります。");
        applicationLink().tell(text, m_caption, NoticeIcon::None, NoticeOwner::Nobody);
    }

private:
    int m_line = 0;
    int m_count = 0;
    std::string m_caption;
    std::string m_weapon;
};

UnitTypeRecord unitTypeFromLine(const std::vector<char*>& fields, int user_flag)
{
    UnitTypeRecord r;
    std::memset(&r, 0, sizeof r);
    r.id = uint16_t(decimal(column(fields, 1)));
    copyName(r.name, sizeof r.name, column(fields, 2));
    r.available = isCircle(column(fields, 3)) ? 1 : 0;
    r.domain = uint8_t(indexOf(domains(), column(fields, 4), 0));
    r.movementType = uint8_t(indexOf(movementTypes(), column(fields, 5), 0));
    r.unitClass = uint8_t(indexOf(unitClasses(), column(fields, 6), 0));
    r.unusedValue = uint8_t(decimal(column(fields, 7)));
    // Members and their strength divide later; a unit has at least one of each.
    r.members = uint8_t(std::max(1, decimal(column(fields, 8)) & 0xFF));
    r.memberStrength = uint8_t(std::max(1, decimal(column(fields, 9)) & 0xFF));
    r.productionTurns = uint8_t(decimal(column(fields, 10)));
    r.concealRadius = uint8_t(decimal(column(fields, 12)));
    r.terrainConcealRadius = uint8_t(decimal(column(fields, 13)));
    r.secondConcealRadius = uint8_t(decimal(column(fields, 14)));
    r.areaRadius = uint8_t(decimal(column(fields, 15)));
    static const int kFlagBit[9] = { 6, 7, 8, 12, 10, 11, 13, 0, 1 };
    for (int i = 0; i < 9; ++i)
        if (isCircle(column(fields, 16 + i)))
            r.flags = uint16_t(r.flags | 1u << kFlagBit[i]);
    if (platform::utf8ToCp932("揚陸艦") == column(fields, 56))
        r.flags = uint16_t(r.flags | 1u << 14);
    r.nightPercent = uint8_t(decimal(column(fields, 25)));
    for (int d = 0; d < kDomainCount; ++d) {
        r.sight[d] = uint8_t(decimal(column(fields, 26 + d)));
        r.range[d] = uint8_t(decimal(column(fields, 32 + d)));
    }
    r.memberPrice = uint32_t(decimal(column(fields, 38)));
    for (int b = 0; b < kBerthCount; ++b) {
        r.berthMask[b] = berthMask(column(fields, 39 + 2 * b));
        r.berthCount[b] = uint8_t(decimal(column(fields, 40 + 2 * b)));
    }
    r.carryClass = carryClass(column(fields, 55));
    for (int i = 0; i < kDefendedClassCount; ++i)
        r.defence[kMasterColumnClass[i]] = uint16_t(decimal(column(fields, 57 + i)));
    static const SuppliedBy kSuppliedByColumn[3] = { kSuppliedByTanker, kSuppliedByTruck, kSuppliedByShip };
    for (int i = 0; i < 3; ++i)
        if (isCircle(column(fields, 64 + i)))
            r.suppliedBy = uint8_t(r.suppliedBy | kSuppliedByColumn[i]);
    r.defaultModel = uint8_t(decimal(column(fields, 73)));
    // Counted unsigned: the column saturates at INT_MAX, and only the low 16 bits are kept.
    const uint32_t base = uint32_t(decimal(column(fields, 74)));
    r.baseType = uint16_t(!user_flag && base != 0 ? base + 1u : base);
    for (int s = 0; s < kWeaponSlotCount; ++s) {
        WeaponSlot& slot = r.weaponSlot[s];
        copyName(slot.name, sizeof slot.name, column(fields, 75 + 4 * s));
        copyName(slot.subName, sizeof slot.subName, column(fields, 76 + 4 * s));
        slot.multiplier = uint8_t(decimal(column(fields, 77 + 4 * s)));
    }
    for (int m = 0; m < kModelCount; ++m) {
        UnitTypeModel& model = r.model[m];
        int first = 95 + 9 * m;
        for (int a = 0; a < kWeaponSlotCount; ++a)
            model.ammo[a] = uint8_t(decimal(column(fields, first + a)));
        for (int v = 0; v < 3; ++v)
            model.values[v] = uint8_t(decimal(column(fields, first + 5 + v)));
        model.fuel = uint16_t(decimal(column(fields, first + 8)));
    }
    r.imageNumber = uint16_t(decimal(column(fields, 131)));
    r.image2 = uint16_t(decimal(column(fields, 132)));
    r.wtImage32 = uint16_t(decimal(column(fields, 133)));
    r.wtImage16 = uint16_t(decimal(column(fields, 134)));
    r.miImage32 = uint16_t(decimal(column(fields, 135)));
    // Lines of 135 columns repeat the three numbers before.
    bool extended = fields.size() >= 138;
    r.wtImageOther = extended ? uint16_t(decimal(column(fields, 136))) : r.wtImage32;
    r.miImage16 = extended ? uint16_t(decimal(column(fields, 137))) : r.wtImage16;
    r.miImageOther = extended ? uint16_t(decimal(column(fields, 138))) : r.miImage32;
    return r;
}

} // namespace

void GameState::loadWeaponData(int user_flag)
{
    const char* file = user_flag ? "uweapon.dat" : isSimpleMode() ? "sweapon.dat" : "weapon.dat";
    std::string path = dataPath(file, kFolderMaster);
    if (!fileExists(path.c_str())) {
        if (user_flag)
            return;
        showLoaderMessage(platform::utf8ToCp932(std::string("兵器データ ") + file + " が見つかりません"),
            platform::utf8ToCp932("警告"));
        throw new swCError(0);
    }
    std::unique_ptr<TextFileReader> reader = readMasterFile(path, "兵器データ", file, !user_flag);
    if (!reader)
        return;
    SkippedLines skipped;
    UnmatchedWeapons unmatched;
    bool cut = false;
    forEachRecordLine(*reader, [&](int number, std::vector<char*>& fields) {
        if (isCutLastLine(*reader, fields.size(), kUnitTypeColumns)) {
            cut = true;
            return;
        }
        UnitTypeRecord record = unitTypeFromLine(fields, user_flag);
        if (user_flag) {
            if (record.id >= 5000 && record.id <= 9999)
                record.id = uint16_t(record.id + 5000);
            record.key = record.id;
        }
        for (WeaponSlot& slot : record.weaponSlot) {
            if (!slot.name[0])
                continue;
            slot.weaponId = uint16_t(findWeaponByName(slot.name, slot.subName, user_flag, 0));
            if (!slot.weaponId)
                unmatched.add(number, record, slot);
        }
        if (!user_flag)
            storeUnitType(record, number, skipped);
    });
    unmatched.report(file);
    skipped.report(file);
    if (!user_flag && m_unitTypes.empty()) {
        showEmptyMasterFile("兵器データ", file, "兵器");
        throw new swCError(0);
    }
    if (cut && !user_flag)
        showCutShortFile("兵器データ", file, m_unitTypes.size(), "兵器");
}

void GameState::storeUnitType(UnitTypeRecord& record, int line, SkippedLines& skipped)
{
    // The id map has room for ids below 15000 only.
    if (record.id >= kUnitTypeIdMapSize) {
        skipped.add(line, "兵器IDが大きすぎます。");
        return;
    }
    // Positions are kept in u16 map entries.
    if (m_unitTypes.size() >= 0xFFFF) {
        skipped.add(line, "兵器の数が多すぎます。");
        return;
    }
    record.key = uint16_t(m_unitTypes.size());
    m_unitTypes.push_back(record);
    m_unitTypeIdMap[record.id] = uint16_t(m_unitTypes.size());
}
