// The capability icon panel: one icon of the icon sheet per ability, graded icons by their value.
#include "infowin/game_options.h"
#include "infowin/panel_text.h"
#include "infowin/unit_panels.h"

#include "state/game_state.h"
#include "state/unit_facts.h"
#include "ui/presentation.h"

namespace {

using info_sheet::Capability;
using info_sheet::Cell;

constexpr int kColumns[7] = { 14, 74, 134, 194, 254, 314, 374 };
constexpr int kRows[4] = { 354, 378, 402, 426 };

// Some layer the type reaches has an existing set with a loaded slot whose weapon hits that layer
// (the land layer also soft targets, the high air layer also ballistic missiles).
bool canIntercept(const GameState& state, const UnitTypeRecord& type)
{
    for (int layer = 0; layer < kDomainCount; ++layer) {
        if (type.range[layer] == 0)
            continue;
        for (int set = 0; set < kModelCount; ++set) {
            if (!unitTypeHasGroupFlag(type, set))
                continue;
            for (int i = 0; i < kWeaponSlotCount; ++i) {
                const WeaponRecord* weapon = slotWeapon(state, type, i);
                if (!weapon || type.model[set].ammo[i] == 0)
                    continue;
                if (weapon->power[layer] > 0 || (layer == 3 && weapon->power[6] > 0) || (layer == 1 && weapon->power[7] > 0))
                    return true;
            }
        }
    }
    return false;
}

bool hasLoadedBerth(const UnitTypeRecord& type)
{
    for (int j = 0; j < kBerthCount; ++j)
        if (type.berthMask[j] && type.berthCount[j])
            return true;
    return false;
}

class IconGrid {
public:
    IconGrid(HDC dc, const swCBitmap& sheet) : m_dc(dc), m_sheet(sheet) { }
    // At grid column c, row r.
    void put(const Cell& cell, int c, int r) { panel::blitCell(m_dc, kColumns[c], kRows[r], m_sheet, cell); }

private:
    HDC m_dc;
    const swCBitmap& m_sheet;
};

} // namespace

void drawCapabilityIcons(HDC dc, const Presentation& look, const GameState& game, const UnitTypeRecord& type)
{
    const swCBitmap* sheet = look.baseBitmap(kInfoButtons);
    if (!sheet || !sheet->handle())
        return;
    using info_sheet::capabilityIcon;
    IconGrid grid(dc, *sheet);
    const unsigned ability = type.flags;
    const bool works = ability & (0x0100 | 0x1000);
    if (type.nightPercent > 0)
        grid.put(info_sheet::nightSightIcon(type.nightPercent), 0, 0);
    if (type.concealRadius > 0)
        grid.put(info_sheet::grade1Icon(type.concealRadius), 1, 0);
    if (type.terrainConcealRadius > 0)
        grid.put(info_sheet::grade2Icon(type.terrainConcealRadius), 2, 0);
    if (type.secondConcealRadius > 0)
        grid.put(info_sheet::grade3Icon(type.secondConcealRadius), 3, 0);
    if (unitTypeDomain(type) == 3)
        grid.put(capabilityIcon(ability & 0x2000 ? Capability::HardArmour : Capability::SoftArmour), 4, 0);
    if (hasLoadedBerth(type))
        grid.put(capabilityIcon(Capability::Berths), 5, 0);
    if (ability & 0x4000)
        grid.put(capabilityIcon(Capability::LandingShip), 6, 0);
    if (ruleInEffect(game, kRuleInterception) && canIntercept(game, type))
        grid.put(capabilityIcon(Capability::Intercept), 0, 1);
    if (type.areaRadius > 0)
        grid.put(info_sheet::areaRadiusIcon(type.areaRadius), 1, 1);
    if (hasEcmWeapon(game, type))
        grid.put(capabilityIcon(Capability::Ecm), 2, 1);
    if (hasLaunchWeapon(game, type))
        grid.put(capabilityIcon(Capability::Launch), 3, 1);
    if (hasSelfDestructWeapon(game, type))
        grid.put(capabilityIcon(Capability::SelfDestruct), 4, 1);
    if (type.baseType)
        grid.put(capabilityIcon(Capability::BaseType), 5, 1);
    if (ability & 0x0400)
        grid.put(capabilityIcon(Capability::Airborne), 6, 1);
    if (hasSupplyWeapon(game, type))
        grid.put(capabilityIcon(Capability::Supply), 0, 2);
    if (ability & 0x0080)
        grid.put(capabilityIcon(Capability::Occupy), 1, 2);
    if (works)
        grid.put(capabilityIcon(Capability::Engineering), 2, 2);
    if (ruleInEffect(game, kRuleBombing) && (hasUsableDirectWeapon(game, type) || works))
        grid.put(capabilityIcon(Capability::Demolition), 3, 2);
    if (ability & 0x1000) {
        grid.put(capabilityIcon(Capability::Bridge), 4, 2);
        grid.put(capabilityIcon(Capability::Pillbox), 5, 2);
        grid.put(capabilityIcon(Capability::Road), 6, 2);
        grid.put(capabilityIcon(Capability::Reinforce), 0, 3);
    }
    if (ability & 0x0001)
        grid.put(capabilityIcon(Capability::LandMines), 1, 3);
    if (ability & 0x0002)
        grid.put(capabilityIcon(Capability::SeaMines), 2, 3);
    if (type.suppliedBy & kSuppliedByTanker)
        grid.put(capabilityIcon(Capability::AirRefuel), 3, 3);
    if (type.suppliedBy & kSuppliedByTruck)
        grid.put(capabilityIcon(Capability::GroundSupply), 4, 3);
    if (type.suppliedBy & kSuppliedByShip)
        grid.put(capabilityIcon(Capability::SeaSupply), 5, 3);
}
