// Export and import of user production-type files against the game's tables.
#include "state/user_production.h"

#include "lib/file.h"
#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "state/saved_game_stream.h"
#include "state/master_text.h"
#include "state/unit_facts.h"
#include "state/user_production_file.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kFirstOwnUnitType = 10000;
constexpr int kOwnUnitTypeEnd = 15000;
constexpr int kFirstLaunchedKept = 5000;

bool contains(const std::vector<int>& list, int id) { return std::find(list.begin(), list.end(), id) != list.end(); }

} // namespace

std::vector<int> exportedUnitTypes(const GameState& state, const ProductionTypeRecord& record)
{
    std::vector<int> list;
    for (int id = kFirstOwnUnitType; id < kOwnUnitTypeEnd; ++id) {
        if (!record.canProduce(id))
            continue;
        list.push_back(id);
        // The base type is stored plus 1.
        if (state.unitTypeIndex(id) && state.unitTypeRecord(id).baseType != 0)
            list.push_back(state.unitTypeRecord(id).baseType - 1);
    }
    std::vector<int> launched;
    for (int id : list) {
        if (!state.unitTypeIndex(id))
            continue;
        const UnitTypeRecord& type = state.unitTypeRecord(id);
        for (int slot = 0; slot < kWeaponSlotCount; ++slot) {
            if (!slotIsLaunchWeapon(state, type, slot))
                continue;
            int target = slotWeaponLaunchedType(state, type, slot);
            if (target >= kFirstLaunchedKept && !contains(list, target) && !contains(launched, target))
                launched.push_back(target);
        }
    }
    list.insert(list.end(), launched.begin(), launched.end());
    return list;
}

bool exportProductionTypeFile(const GameState& state, const char* path, int number,
    const BattleEntryLookup& battle_entry)
{
    const ProductionTypeRecord* record = state.productionType(number);
    swCFile out(path, 1);
    writeExact(out, kUserProductionMagic, kUserProductionMagicSize);
    std::vector<int> types;
    if (record) {
        writeU32(out, sizeof(ProductionTypeRecord));
        writeExact(out, record, sizeof(ProductionTypeRecord));
        if (number >= kFirstUserProductionType)
            types = exportedUnitTypes(state, *record);
    } else {
        writeU32(out, 0);
    }
    writeUnitTypeSection(state, types, battle_entry, out);
    out.fileClose();
    return true;
}

int importProductionTypeFile(GameState& state, const char* path, int number)
{
    bool builtin = number >= 0 && number < kFirstUserProductionType;
    int user = number - kFirstUserProductionType;
    if (!builtin && (user < 0 || size_t(user) >= state.userProductionTypes().size()))
        return 0;
    if (!fileExists(path))
        return 0;
    // Only the head matters; the unit section after it is never read back.
    std::vector<uint8_t> head(kUserProductionHeadSize);
    {
        swCFile in(path, 0);
        head.resize(in.fileRead(head.data(), DWORD(head.size())));
    }
    ProductionTypeRecord record;
    if (!readUserProductionFile(head, record))
        return 0;
    for (int id = 0; id < kProducibleBits; ++id) {
        if (record.canProduce(id) && !state.unitTypeIndex(id)) {
            showMissingUnitTypes();
            return -1;
        }
    }
    if (builtin)
        state.setBuiltinProductionType(number, record);
    else
        state.setUserProductionType(user, record);
    return 1;
}
