// A started world for the production-type windows: the generated pictures linked in, user slots
// filled by the test, and a unit type turned into the second form of another.
#pragma once

#include "tests/editors/editor_world.h"

#include "state/production_type_record.h"
#include "tests/ui/looked_world.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace editors_test {

class ProductWorld : public testing_ui::LookedWorld {
public:
    ProductWorld()
        : LookedWorld(6, 6, -1, Pictures::Linked)
    {
        theApplication().appInit(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL);
        harness::clearMessageBoxes();
        harness::setDefaultMessageBoxAnswer(0);
    }

    WindowContext context() { return makeWindowContext(state()); }

    static ProductionTypeRecord record(const char* utf8Name, const std::vector<int>& ids)
    {
        ProductionTypeRecord r;
        std::memset(&r, 0, sizeof r);
        const std::string name = cp(utf8Name);
        std::memcpy(r.name, name.data(), std::min(name.size(), sizeof r.name - 1));
        for (int id : ids)
            r.setProducible(id, true);
        return r;
    }
    void setSlot(int row, const char* utf8Name, const std::vector<int>& ids)
    {
        state().setUserProductionType(row, record(utf8Name, ids));
    }
    const ProductionTypeRecord& slot(int row) { return *state().productionType(kFirstUserProductionType + row); }

    // The available unit types in id order, or those of one domain.
    std::vector<int> typeIds(int domain = -1)
    {
        std::vector<int> ids;
        for (int id = 1; id < kUnitTypeIdMapSize; ++id) {
            if (!state().unitTypeIndex(id))
                continue;
            const UnitTypeRecord& type = state().unitTypeRecord(id);
            if (type.available == 1 && (domain < 0 || type.domain == domain))
                ids.push_back(id);
        }
        return ids;
    }
    // Makes `variant` a second form of `base` ranked by the order bytes given.
    void pairForms(int base, int variant, int baseOrder, int variantOrder)
    {
        editType(variant).baseType = uint16_t(base + 1);
        editType(base).baseType = uint16_t(variant + 1);
        editType(base).model[0].values[0] = uint8_t(baseOrder);
        editType(variant).model[0].values[0] = uint8_t(variantOrder);
    }
    uint32_t cost(int id) { return uint32_t(state().unitTypeRecord(id).members) * state().unitTypeRecord(id).memberPrice; }
};

// The ids in the order of a unit type comparison, equal ones kept in their place.
inline std::vector<int> sortedBy(std::vector<int> ids, const GameState& s,
    bool (*less)(const GameState&, uint32_t, uint32_t))
{
    std::stable_sort(ids.begin(), ids.end(), [&](int a, int b) { return less(s, uint32_t(a), uint32_t(b)); });
    return ids;
}

} // namespace editors_test
