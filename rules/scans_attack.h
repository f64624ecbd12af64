// The attack-target scan: units a unit could fire on from a hex with its direct weapons.
#pragma once

#include "rules/hex_scan.h"
#include "state/hex_cells.h"

#include <array>
#include <memory>
#include <vector>

class MoveRangeMap;
struct UnitRecord;
struct WeaponRecord;

// Visible enemy units within reach of (x, y) for which one of the unit's direct weapons is a
// candidate: ammunition, usable, flag 8 (and 128 when moving), flag 1 at distance 0..1 or 2 beyond,
// reach enough and power against the target's class. A torpedo at a distance also needs a water
// route, a movement-type-17 range from the firing hex with the weapon's reach as allowance.
class AttackTargetHexScan : public HexScan {
public:
    AttackTargetHexScan(GameState& state, int country, int index, int x, int y, bool moving);
    ~AttackTargetHexScan() override;

    // Scans out to the longest usable reach; nothing for an exhausted or missing unit.
    void run();
    const std::vector<UnitRef>& targets() const { return m_targets; }
    int reach() const { return m_reach; }

protected:
    void begin() override;
    void visit(int x, int y) override;

private:
    const WeaponRecord* usableWeapon(int slot) const;
    bool canHit(int slot, const UnitRecord& target, int distance, int x, int y);

    int m_country;
    int m_x;
    int m_y;
    bool m_moving;
    const UnitRecord* m_unit = nullptr;
    int m_reach = 0;
    std::vector<UnitRef> m_targets;
    std::array<std::unique_ptr<MoveRangeMap>, 5> m_waterRoutes;
};
