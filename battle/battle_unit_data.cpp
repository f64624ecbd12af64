// The battle unit table: its two file forms and the look-up by battle id.
#include "battle/battle_unit_data.h"

#include "platform/kernel/file_bytes.h"
#include "state/data_path.h"
#include "state/game_state.h"
#include "state/unit_type_record.h"

#include <cstring>

namespace {

const BattleUnitEntry kZeroEntry {};

uint32_t readU32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
uint16_t readU16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

} // namespace

void convertOldRecord(BattleUnitEntry& entry, const uint8_t* old_record)
{
    entry = {};
    entry.sceneKind = old_record[4];
    for (int k = 0; k < 5; ++k) {
        const uint8_t* row = old_record + 8 + 12 * k;
        entry.weapons[k].kind = readU16(row);
        entry.weapons[k].param1 = readU32(row + 4);
        entry.weapons[k].param2 = readU32(row + 8);
    }
    entry.spriteNumber = readU32(old_record + 68);
    entry.battleId = uint16_t(entry.spriteNumber & 0xFFFF);
}

BattleUnitData::BattleUnitData()
    : m_index(kIndexSize, 0)
{
}

void BattleUnitData::readFile(std::span<const uint8_t> bytes)
{
    if (bytes.size() <= 16)
        return;
    if (std::memcmp(bytes.data(), kBattleUnitDataMagic, 16) == 0) {
        // Whole records only: the count is taken from what follows the magic, not the whole size.
        for (size_t at = 16; at + sizeof(BattleUnitEntry) <= bytes.size(); at += sizeof(BattleUnitEntry)) {
            BattleUnitEntry entry;
            std::memcpy(&entry, bytes.data() + at, sizeof entry);
            if (entry.spriteNumber == 0)
                entry.spriteNumber = entry.battleId;
            append(entry);
        }
        return;
    }
    for (size_t at = 0; at + kOldBattleRecordSize <= bytes.size(); at += kOldBattleRecordSize) {
        BattleUnitEntry entry;
        convertOldRecord(entry, bytes.data() + at);
        append(entry);
    }
}

void BattleUnitData::append(const BattleUnitEntry& entry)
{
    auto& table = m_tables[size_t(tableOf(entry.battleId))];
    table.push_back(entry);
    setIndex(entry.battleId, int(table.size()));
}

void BattleUnitData::fillMissing(std::span<const uint16_t> battle_ids)
{
    for (uint16_t id : battle_ids) {
        if (id >= kIndexSize || indexOf(id) != 0)
            continue;
        BattleUnitEntry entry {};
        entry.battleId = id;
        append(entry);
    }
}

void BattleUnitData::clear()
{
    for (auto& table : m_tables)
        table.clear();
    m_index.assign(kIndexSize, 0);
}

bool BattleUnitData::empty() const
{
    for (const auto& table : m_tables)
        if (!table.empty())
            return false;
    return true;
}

void BattleUnitData::setIndex(int battle_id, int position)
{
    if (battle_id >= 0 && battle_id < kIndexSize)
        m_index[size_t(battle_id)] = uint16_t(position);
}

int BattleUnitData::indexOf(int battle_id) const
{
    return battle_id >= 0 && battle_id < kIndexSize ? m_index[size_t(battle_id)] : 0;
}

const BattleUnitEntry& BattleUnitData::entryFor(int battle_id) const
{
    const int position = indexOf(battle_id);
    const auto& table = m_tables[size_t(tableOf(battle_id))];
    if (position < 1 || size_t(position) > table.size())
        return kZeroEntry;
    return table[size_t(position - 1)];
}

const BattleUnitEntry& BattleUnitData::copyEntry(int battle_id, BattleUnitEntry& destination) const
{
    destination = entryFor(battle_id);
    return destination;
}

void loadBattleUnitData(GameState& state, bool skip)
{
    BattleUnitData* data = state.battleUnitData();
    if (!data)
        return;
    if (!skip) {
        // 58 bytes for each of the 15000 ids, with room to spare.
        constexpr size_t kMaxBytes = size_t(4) << 20;
        if (const auto bytes = platform::readGameFile(dataPath("unitdata.dat", kFolderBattle), kMaxBytes))
            data->readFile(*bytes);
    }
    std::vector<uint16_t> ids;
    for (const UnitTypeRecord& type : state.unitTypes())
        ids.push_back(type.id);
    data->fillMissing(ids);
}
