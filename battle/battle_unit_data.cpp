// Emptying the battle scene's unit table.
#include "battle/battle_unit_data.h"

void BattleUnitData::clear()
{
    for (auto& table : m_tables)
        table.clear();
    for (auto& index : m_index)
        index.clear();
}

bool BattleUnitData::empty() const
{
    for (const auto& table : m_tables)
        if (!table.empty())
            return false;
    return true;
}
