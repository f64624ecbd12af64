// The unit types a country may produce at a hex, and whether production can open there.
#include "rules/production_types.h"

#include "rules/production.h"
#include "rules/targets.h"
#include "state/game_state.h"
#include "state/production_type_record.h"

namespace {

constexpr int kListedIds = 10000;
constexpr uint16_t kProducibleFlag = 0x0800;

} // namespace

std::vector<uint32_t> productionTypeMembers(const GameState& state, int country)
{
    std::vector<uint32_t> ids;
    const ProductionTypeRecord* production = state.sideProductionType(country);
    if (!production)
        return ids;
    for (int id = 0; id < kListedIds; ++id)
        if (production->canProduce(id) && state.unitTypeIndex(id))
            ids.push_back(uint32_t(id));
    return ids;
}

std::vector<uint32_t> producibleTypesAt(GameState& state, int x, int y, int country)
{
    std::vector<uint32_t> ids;
    const uint16_t domains = productionCategoriesAt(state, x, y, country, 1);
    if (domains == 0)
        return ids;
    for (uint32_t id : productionTypeMembers(state, country)) {
        const UnitTypeRecord& type = state.unitTypeRecord(int(id));
        if (type.available == 1 && (type.flags & kProducibleFlag) && type.domain < 16 && (domains >> type.domain & 1))
            ids.push_back(id);
    }
    return ids;
}

bool canOpenProductionAt(GameState& state, int x, int y, int country)
{
    if (productionCategoriesAt(state, x, y, country, 1) == 0)
        return false;
    if (state.buildingOnHex(x, y))
        return true;
    for (uint32_t id : producibleTypesAt(state, x, y, country))
        if (state.terrainValueAt(x, y, state.unitTypeRecord(int(id)).movementType) > 0)
            return true;
    return false;
}
