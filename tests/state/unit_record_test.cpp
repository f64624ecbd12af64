// Unit records on a small world: strength, experience, weapons, ammunition and fuel, carriers, damage, mines.
#include "state/unit_facts.h"
#include "state/unit_hooks.h"
#include "state/unit_record.h"

#include "tests/state/small_world.h"
#include "tests/state/packed_value.h"

using namespace testing_state;

namespace {

class Losses : public UnitRecordHooks {
public:
    Losses() { setUnitRecordHooks(this); }
    ~Losses() override { setUnitRecordHooks(nullptr); }
    void serviceAtBuilding(int, SupplyOrder&) override {}
    void serviceFromCarrier(SupplyOrder&) override {}
    void serviceFromSupplyUnit(SupplyOrder&, int) override {}
    bool delegationRunning() override { return false; }
    void showWarning(const char*, const char*) override {}
    void bookLosses(int attacker, int side, int, int members) override { booked.push_back({ attacker, side, members }); }
    void recordSupply(int, int, int) override {}
    std::vector<std::array<int, 3>> booked;
};

} // namespace

TEST(UnitStrength, TenthsCountMembersOrRoundUpTheOneMembersStrength)
{
    SmallWorld world(4, 4);
    UnitRecord& tank = world.unit(0, world.placeUnit(0, kTank, 0, 0));
    EXPECT_EQ(tank.strengthTenths(), 10);
    tank.memberStrengths[1] = tank.memberStrengths[3] = 0;
    EXPECT_EQ(tank.strengthTenths(), 5);
    EXPECT_EQ(tank.missingMembers(), 8);
    tank.memberLimit = 4;
    EXPECT_EQ(tank.missingMembers(), 2);
    EXPECT_FALSE(tank.hasDamagedMember());
    tank.memberStrengths[0] = 3;
    EXPECT_TRUE(tank.hasDamagedMember());

    UnitRecord& ship = world.unit(0, world.placeUnit(0, kShip, 1, 0));
    ship.memberStrengths[0] = 16; // of 30: 5.3 tenths, rounded up
    EXPECT_EQ(ship.strengthTenths(), 6);
    ship.memberStrengths[0] = 15;
    EXPECT_EQ(ship.strengthTenths(), 5);

    UnitRecord& hq = world.unit(0, world.placeUnit(0, kHeadquarters, 2, 0));
    EXPECT_EQ(hq.missingMembers(), 0);
}

TEST(UnitExperience, StaysInRangeAndGainsOnlyUnderTheRule)
{
    SmallWorld world(2, 2);
    UnitRecord& unit = world.unit(0, world.placeUnit(0, kTank, 0, 0));
    unit.experience = 2500;
    unit.addExperience(100);
    EXPECT_EQ(unit.experience, 2550);
    unit.addExperience(-3000);
    EXPECT_EQ(unit.experience, 0);

    unit.gainExperience(50);
    EXPECT_EQ(unit.experience, 0);
    world.setRule(kRuleExperience, 1);
    unit.gainExperienceByStrength(); // four members: (4 + 1) / 2 * 10
    EXPECT_EQ(unit.experience, 20);
}

TEST(UnitExperience, CampaignDivisorRoundsUpAndZeroCountsAsOne)
{
    SmallWorld world(2, 2);
    world.setRule(kRuleExperience, 1);
    world.state().campaignBlock().campaignFlag = 1;
    world.state().campaignBlock().experienceDivisor = 3;
    EXPECT_EQ(UnitRecord::divideExperienceGain(10), 4);
    EXPECT_EQ(UnitRecord::divideExperienceGain(1), 1);
    EXPECT_EQ(UnitRecord::divideExperienceGain(0), 0);
    UnitRecord& unit = world.unit(0, world.placeUnit(0, kTank, 0, 0));
    unit.gainExperience(10);
    EXPECT_EQ(unit.experience, 4);

    world.state().campaignBlock().experienceDivisor = 0;
    unit.gainExperience(50);
    EXPECT_EQ(unit.experience, 54);
}

TEST(UnitWeapons, ReachAndSlotFollowAmmunitionFatigueAndFlags)
{
    SmallWorld world(2, 2);
    UnitRecord& tank = world.unit(0, world.placeUnit(0, kTank, 0, 0));
    EXPECT_TRUE(tank.canAttackClass(kTargetArmoured));
    EXPECT_FALSE(tank.canAttackClass(kTargetVeryHighAir));
    EXPECT_EQ(tank.firstWeaponSlotFor(kTargetArmoured, 1, 0, 0, 0), 0);
    tank.ammunition[0] = 0;
    EXPECT_EQ(tank.firstWeaponSlotFor(kTargetArmoured, 1, 0, 0, 0), 1);
    EXPECT_EQ(tank.firstWeaponSlotFor(kTargetArmoured, 2, 0, 0, 0), -1);

    // The tank's guns fire after a move (flag 128); the artillery's only weapon does not, and it
    // has flag 8 and not 4.
    EXPECT_EQ(tank.reachWithoutRestricted(kTargetArmoured), 0);
    UnitRecord& gun = world.unit(0, world.placeUnit(0, kGun, 1, 0));
    world.setRule(kRuleFatigue, 1);
    gun.fatigue = 49;
    EXPECT_EQ(gun.reachWithoutRestricted(kTargetArmoured), 3);
    gun.fatigue = 50;
    EXPECT_EQ(gun.reachWithoutRestricted(kTargetArmoured), 0);
    tank.fatigue = 50;
    EXPECT_EQ(tank.firstWeaponSlotFor(kTargetArmoured, 0, 0, 0, 0), -1);
    EXPECT_FALSE(tank.canAttackClass(kTargetArmoured));

    gun.fatigue = 0;
    EXPECT_EQ(gun.reachWithoutArea(kTargetArmoured), 3);
    EXPECT_EQ(gun.areaReach(kTargetArmoured), 0);
    EXPECT_EQ(gun.restrictedReach(kTargetArmoured), 0);
    EXPECT_EQ(gun.findWeaponWithoutArea(kTargetArmoured, 3), 0);
    EXPECT_EQ(gun.findAreaWeapon(kTargetArmoured, 0), -1);
}

TEST(UnitWeapons, LaunchWeaponsNeverCountForReachButAreListedToFire)
{
    SmallWorld world(2, 2);
    UnitRecord& cruiser = world.unit(0, world.placeUnit(0, kCruiser, 0, 0));
    int launcher = world.state().unitTypeRecord(kCruiser).weaponSlot[1].weaponId;
    WeaponRecord& weapon = world.editWeapon(launcher);
    weapon.power[kTargetSeaSurface] = 90;
    weapon.flags = 0xFF;
    EXPECT_LT(cruiser.areaReach(kTargetSeaSurface), weapon.reach);
    EXPECT_NE(cruiser.firstWeaponSlotFor(kTargetSeaSurface, 0, 1, 0xFF, 0), 1);

    std::vector<int> slots { 7 };
    EXPECT_TRUE(cruiser.listUsableWeapons(true, slots, 0));
    EXPECT_EQ(slots, (std::vector<int> { 7, 1 }));
    cruiser.weaponWait[1] = 2;
    cruiser.weaponWait[3] = 3;
    EXPECT_EQ(cruiser.shortestWeaponWait(), 2);
    slots.clear();
    EXPECT_FALSE(cruiser.listUsableWeapons(true, slots, 0));
    EXPECT_TRUE(cruiser.listUsableWeapons(false, slots, 1));
    weapon.flags = 8;
    slots.clear();
    EXPECT_FALSE(cruiser.listUsableWeapons(false, slots, 1));
}

TEST(UnitWeapons, MovePointsReadTheOneByteAllowance)
{
    SmallWorld world(2, 2);
    UnitTypeModel& model = world.editType(kTank).model[0];
    model.values[0] = 6;
    model.values[1] = 9; // the fast-move byte right behind it
    UnitRecord& tank = world.unit(0, world.placeUnit(0, kTank, 0, 0));
    EXPECT_EQ(tank.movePoints(), 6);
    tank.fuel = 4;
    EXPECT_EQ(tank.movePoints(), 4);
    EXPECT_EQ(tank.halfFuelCapped(), 2);
    tank.fuel = 40;
    EXPECT_EQ(tank.halfFuelCapped(), 9);
}

TEST(UnitWeapons, SightUsesTheLayerOnlyUnderTheRule)
{
    SmallWorld world(2, 2);
    UnitTypeRecord& type = world.editType(kTank);
    uint8_t sight[] = { 1, 2, 3, 5, 4, 0 };
    std::copy(std::begin(sight), std::end(sight), type.sight);
    UnitRecord& tank = world.unit(0, world.placeUnit(0, kTank, 0, 0));
    EXPECT_EQ(tank.sightRange(1), 5);
    world.setRule(kRuleSightLayers, 1);
    EXPECT_EQ(tank.sightRange(1), 2);
    tank.sightFixed = 1;
    EXPECT_EQ(tank.sightRange(3), 1);
}

TEST(UnitAmmunition, LimitsTakeTheLargerOfTypeAndBaseType)
{
    SmallWorld world(2, 2);
    world.editType(kTank).baseType = kGun + 1;
    world.editType(kGun).model[0].ammo[1] = 25;
    UnitRecord& tank = world.unit(0, world.placeUnit(0, kTank, 0, 0));
    EXPECT_EQ(tank.maxAmmo(0), 20);
    EXPECT_EQ(tank.maxAmmo(1), 25);
    EXPECT_EQ(tank.maxAmmo(5), 0);
    EXPECT_TRUE(tank.needsAmmo());
    EXPECT_FALSE(tank.needsWeaponAmmo());
    EXPECT_EQ(tank.ammoUnitPrice(0), 12); // the gun's shell beats the tank gun's 10
    EXPECT_FALSE(tank.needsFuel());
    tank.fuel = 39;
    EXPECT_TRUE(tank.needsFuel());
}

TEST(UnitAmmunition, StocksAreSpentAcrossSlotsOfTheirKind)
{
    SmallWorld world(2, 2);
    UnitTypeRecord& truck_type = world.editType(kSupplyTruck);
    truck_type.weaponSlot[2] = truck_type.weaponSlot[0];
    UnitRecord& truck = world.unit(0, world.placeUnit(0, kSupplyTruck, 0, 0));
    truck.ammunition[2] = 5;
    EXPECT_EQ(truck.supplyStock(), 15);
    truck.spendSupplyStock(12);
    EXPECT_EQ(truck.ammunition[0], 0);
    EXPECT_EQ(truck.ammunition[2], 3);
    truck.spendSupplyStock(9);
    EXPECT_EQ(truck.supplyStock(), 0);
    EXPECT_TRUE(truck.hasEmptySupplyOrWorksSlot());
    EXPECT_FALSE(truck.needsWeaponAmmo());

    UnitRecord& engineers = world.unit(0, world.placeUnit(0, kEngineers, 1, 0));
    EXPECT_EQ(engineers.engineeringAmmoTotal(), 10);
    engineers.spendEngineeringStock(4);
    EXPECT_EQ(engineers.engineeringAmmoTotal(), 6);
    EXPECT_EQ(engineers.ammunition[1], 20);
    EXPECT_FALSE(engineers.hasEmptySupplyOrWorksSlot());
}

TEST(UnitCarriers, SlotsBoardingAndLastPlaces)
{
    SmallWorld world(2, 2);
    UnitRecord& carrier = world.unit(1, world.placeUnit(1, kCarrierVehicle, 0, 0));
    carrier.setCarriedUnit(0, 4);
    carrier.setCarriedNeutralUnit(1, 6);
    int side = 1;
    EXPECT_EQ(carrier.carriedUnitAt(0, side), 5);
    EXPECT_EQ(side, 1);
    EXPECT_EQ(carrier.carriedUnitAt(1, side), 7);
    EXPECT_EQ(side, 8);
    carrier.clearCarriedUnit(1);
    EXPECT_EQ(carrier.carriedUnitAt(1, side), 0);
    EXPECT_EQ(carrier.carriedUnitAt(8, side), 0);

    UnitRecord& rider = world.unit(1, world.addUnit(1, kInfantry, 0, 0));
    EXPECT_EQ(rider.boardCarrier(1, 0), strengthTotal(carrier));
    EXPECT_TRUE(rider.hasFlag(kUnitAboard));
    EXPECT_FALSE(rider.carrierWasDamaged());
    carrier.memberStrengths[0] = 1;
    EXPECT_TRUE(rider.carrierWasDamaged());
    rider.leaveCarrier();
    EXPECT_FALSE(rider.hasFlag(kUnitAboard));
    EXPECT_EQ(rider.carrierIndex, 0);
    EXPECT_EQ(rider.lastCarrierIndex(), 0);
    EXPECT_EQ(rider.lastBuildingIndex(), -1);
    rider.flags |= kUnitStored;
    rider.leaveBuilding(3);
    EXPECT_FALSE(rider.hasFlag(kUnitStored));
    EXPECT_EQ(rider.lastBuildingIndex(), 2);
    // A carrier index from a file beyond the side's units is not followed.
    rider.carrierSide = 2;
    rider.carrierIndex = 900;
    EXPECT_FALSE(rider.carrierWasDamaged());
}

TEST(UnitCarriers, TakingAboardNeedsABerthTheHexAndUnderRule27TheStrength)
{
    SmallWorld world(3, 2);
    int carrier_index = world.placeUnit(0, kCarrierVehicle, 0, 0);
    UnitRecord& carrier = world.unit(0, carrier_index);
    int infantry = world.placeUnit(0, kInfantry, 1, 0);
    int tank = world.placeUnit(0, kTank, 2, 0);
    EXPECT_TRUE(carrier.cargoAccepts(0, infantry));
    EXPECT_FALSE(carrier.cargoAccepts(0, tank));
    EXPECT_TRUE(carrier.canTakeAboard(0, infantry, 0, carrier_index));
    EXPECT_FALSE(carrier.canTakeAboard(0, tank, 0, carrier_index));
    EXPECT_FALSE(carrier.canTakeAboard(0, infantry, 8, carrier_index));

    world.setRule(kRuleCarrierCapacity, 1);
    std::fill(carrier.memberStrengths + 2, std::end(carrier.memberStrengths), uint8_t(0));
    EXPECT_FALSE(carrier.canTakeAboard(0, infantry, 0, carrier_index));
    world.setRule(kRuleCarrierCapacity, 0);

    // Its one berth taken, it still answers for the unit already aboard but loads no other.
    ASSERT_TRUE(takeAboard(world.state(), carrier, 0, 0, infantry));
    int second = world.addUnit(0, kInfantry, 1, 1);
    EXPECT_TRUE(carrier.canTakeAboard(0, infantry, 0, carrier_index));
    EXPECT_FALSE(carrier.canTakeAboard(0, second, 0, carrier_index));
    EXPECT_FALSE(carrier.canLoadInto(0, infantry, 0, carrier_index, 0, 0, 1));

    carrier.flags |= kUnitAwaitingProduction;
    EXPECT_FALSE(carrier.canTakeAboard(0, infantry, 0, carrier_index));
}

TEST(UnitCarriers, NestingStaysBelowThirtySixAndSurvivesLoopedLinks)
{
    SmallWorld world(2, 2);
    // Carrier 0 holds units 1..8, each of them three more: 32 nested.
    for (int i = 0; i < 40; ++i)
        world.addUnit(0, kInfantry, 0, 0);
    UnitRecord& outer = world.unit(0, 0);
    int next = 9;
    for (int s = 0; s < 8; ++s) {
        outer.setCarriedUnit(s, s + 1);
        for (int k = 0; k < 3; ++k)
            world.unit(0, s + 1).setCarriedUnit(k, next++);
    }
    EXPECT_EQ(outer.nestedUnitCount(0), 32);
    EXPECT_TRUE(outer.isNestedInside(0, 20, 0));
    EXPECT_FALSE(outer.isNestedInside(0, 35, 0));

    UnitRecord& other = world.unit(0, 35);
    other.setCarriedUnit(0, 36);
    other.setCarriedUnit(1, 37);
    EXPECT_TRUE(outer.nestingAllows(0, 35, 0)); // 2 + 1 + 32 = 35
    other.setCarriedUnit(2, 38);
    EXPECT_FALSE(outer.nestingAllows(0, 35, 0));
    EXPECT_TRUE(outer.nestingAllows(0, 20, 0)); // already inside

    // Two records naming each other, or a unit past the table, as a damaged file may.
    world.unit(0, 36).setCarriedUnit(0, 35);
    EXPECT_LT(other.nestedUnitCount(0), 100);
    EXPECT_FALSE(other.isNestedInside(0, 39, 0));
    UnitRecord& odd = world.unit(0, 39);
    odd.setCarriedUnit(0, 5000);
    EXPECT_EQ(odd.nestedUnitCount(0), 0);
    int16_t none[10] = {};
    odd.applyDamage(0, none, 1);
    EXPECT_EQ(strengthTotal(odd), 0);
}

TEST(UnitDamage, PacksSurvivorsBooksLossesAndCutsTheCargo)
{
    SmallWorld world(2, 2);
    Losses losses;
    int carrier_index = world.placeUnit(1, kCarrierVehicle, 0, 0);
    UnitRecord& carrier = world.unit(1, carrier_index);
    int rider_index = world.addUnit(1, kInfantry, 0, 0);
    carrier.setCarriedUnit(0, rider_index);
    carrier.watchBits = 2;

    int16_t survivors[10] = { 0, 5, -1, 5 };
    carrier.applyDamage(1, survivors, 0);
    EXPECT_EQ(strengthSlotCount(carrier), 2);
    EXPECT_EQ(carrier.memberStrengths[0], 5);
    EXPECT_EQ(carrier.memberStrengths[2], 0);
    EXPECT_EQ(packed(world.state().country(1).membersLost), 2u + 5u); // two carrier members, half the riders
    EXPECT_EQ(world.state().endCheckFlags() & 4, 4);
    // Without rule 27 the rider keeps old x new / old of its strength: 10 x 5 / 10.
    EXPECT_EQ(strengthSlotCount(world.unit(1, rider_index)), 5);
    ASSERT_EQ(losses.booked.size(), 2u);
    EXPECT_EQ(losses.booked[1], (std::array<int, 3> { 0, 1, 2 }));

    world.setRule(kRuleCarrierCapacity, 1);
    carrier.applyDamage(1, nullptr, 0);
    EXPECT_EQ(strengthTotal(carrier), 0);
    EXPECT_EQ(strengthTotal(world.unit(1, rider_index)), 0);
    EXPECT_EQ(packed(world.state().country(0).enemyUnitsDestroyed), 2u);
    EXPECT_EQ(packed(world.state().country(1).unitsLost), 2u);
}

TEST(UnitMines, ActingOnItsOwnHexRevealsTheMinesOfItsDomainNextToIt)
{
    SmallWorld world(4, 4);
    world.state().turnBlock().currentCountry = 2;
    world.cell(1, 1).mineKind = 1; // west of (2, 1)
    world.cell(3, 2).mineKind = 1; // south-east
    world.cell(3, 1).mineKind = 2; // a sea mine east
    world.cell(0, 3).mineKind = 1; // not a neighbour
    UnitRecord& tank = world.unit(2, world.placeUnit(2, kTank, 2, 1));
    tank.markActed();
    EXPECT_TRUE(tank.hasFlag(kUnitActed));
    EXPECT_EQ(world.cell(1, 1).mineKnownMask, 4);
    EXPECT_EQ(world.cell(3, 2).mineKnownMask, 4);
    EXPECT_EQ(world.cell(3, 1).mineKnownMask, 0);
    EXPECT_EQ(world.cell(0, 3).mineKnownMask, 0);

    world.cell(1, 1).mineKnownMask = 0;
    tank.flags = kUnitAboard;
    tank.markActed();
    EXPECT_EQ(world.cell(1, 1).mineKnownMask, 0);
}

TEST(UnitTerrain, BuildingHexesNeedAnAlliedOwnerUnlessBoardingIgnoresOwnership)
{
    SmallWorld world(4, 2);
    int city = world.terrainOfKind(kTerrainLargeCity);
    world.placeBuilding(city, 1, 1, 0);
    world.placeBuilding(city, -1, 2, 0);
    UnitRecord& tank = world.unit(0, world.placeUnit(0, kTank, 0, 0));
    EXPECT_TRUE(tank.canActOnTerrain(0, 0, 0));
    EXPECT_FALSE(tank.canActOnTerrain(1, 0, 0));
    EXPECT_FALSE(tank.canActOnTerrain(2, 0, 0));
    world.state().country(1).allianceMask |= 1;
    EXPECT_TRUE(tank.canActOnTerrain(1, 0, 0));
    world.setRule(kRuleStoring, 1);
    world.setRule(kRuleBoardingOwnership, 1);
    EXPECT_FALSE(tank.canActOnTerrain(2, 0, 0));
    world.setRule(kRuleStoring, 0);
    EXPECT_TRUE(tank.canActOnTerrain(2, 0, 0));
    EXPECT_FALSE(tank.canActOnTerrain(9, 9, 0));

    UnitRecord& ship = world.unit(0, world.addUnit(0, kShip, 0, 0));
    EXPECT_FALSE(ship.canActOnTerrain(0, 0, 0));
    world.cell(3, 1).terrain = uint8_t(world.terrainOfKind(kTerrainShallows));
    EXPECT_FALSE(ship.canActOnTerrain(3, 1, 0));
    world.editType(kShip).flags |= 0x4000;
    EXPECT_TRUE(ship.canActOnTerrain(3, 1, 0));
}

TEST(UnitWeapons, NightScalesAttackAndSightByTheTypesPercentAtLeastOne)
{
    SmallWorld world(2, 2);
    world.editType(kTank).nightPercent = 50;
    world.editType(kTank).sight[3] = 3;
    world.editWeapon(world.state().unitTypeRecord(kTank).weaponSlot[1].weaponId).power[kTargetHighAir] = 1;
    UnitRecord& tank = world.unit(0, world.placeUnit(0, kTank, 0, 0));
    world.setRule(kRuleDayNight, 1);
    world.state().mapHeader().dayNightLow = 1;
    world.state().turnBlock().turn = 1;
    EXPECT_EQ(tank.attackValueScaled(0, kTargetArmoured), 30);
    world.state().turnBlock().turn = 2;
    EXPECT_EQ(tank.attackValueScaled(0, kTargetArmoured), 15);
    EXPECT_EQ(tank.attackValueScaled(1, kTargetHighAir), 1);
    EXPECT_EQ(tank.attackValueScaled(0, kTargetVeryHighAir), 0);
    EXPECT_EQ(tank.attackValueScaled(4, kTargetArmoured), 0);
    EXPECT_EQ(tank.sightRange(3), 1);
}

TEST(UnitCarriers, NestedBoardingFindsACarrierAboardAndSharedCarriersPassTheHex)
{
    SmallWorld world(3, 2);
    constexpr int kTransportShip = 32;
    UnitTypeRecord& ship_type = world.editType(kTransportShip);
    ship_type.berthMask[0] = 8; // vehicles only
    ship_type.berthMask[1] = 0;
    world.cell(0, 0).terrain = uint8_t(world.terrainOfKind(17));
    int ship_index = world.placeUnit(0, kTransportShip, 0, 0);
    UnitRecord& ship = world.unit(0, ship_index);
    int apc_index = world.addUnit(0, kCarrierVehicle, 0, 0);
    UnitRecord& apc = world.unit(0, apc_index);
    ASSERT_TRUE(takeAboard(world.state(), ship, 0, 0, apc_index));
    apc.boardCarrier(0, ship_index);
    int infantry = world.placeUnit(0, kInfantry, 1, 0);

    EXPECT_FALSE(ship.canTakeAboard(0, infantry, 0, ship_index));
    EXPECT_TRUE(ship.canTakeAboardNested(0, infantry, 0, ship_index));
    std::vector<uint32_t> targets;
    ship.collectBoardingTargets(targets, 0, infantry, 0, ship_index);
    EXPECT_EQ(targets, (std::vector<uint32_t> { uint32_t(apc_index) << 16 }));

    // Off the port the ship's hex fails, unless the rider already sits in the same ship.
    world.cell(0, 0).terrain = world.cell(2, 0).terrain;
    EXPECT_FALSE(apc.canTakeAboard(0, infantry, 0, apc_index));
    world.unit(0, infantry).boardCarrier(0, ship_index);
    EXPECT_TRUE(apc.canTakeAboard(0, infantry, 0, apc_index));

    // A carrier aboard that could carry its own kind is not offered itself to board.
    world.editType(kCarrierVehicle).berthMask[0] = 0xFF;
    targets.clear();
    ship.collectBoardingTargets(targets, 0, apc_index, 0, ship_index);
    EXPECT_EQ(targets, (std::vector<uint32_t> { uint32_t(ship_index) << 16 }));
}

TEST(UnitSupplies, AircraftDrawFromCarriersWithSupplyGoods)
{
    SmallWorld world(2, 2);
    constexpr int kFighter = 20;
    int carrier_index = world.placeUnit(0, kSupplyTruck, 0, 0);
    world.editType(kSupplyTruck).unitClass = 48;
    UnitRecord& fighter = world.unit(0, world.addUnit(0, kFighter, 0, 0));
    EXPECT_FALSE(fighter.canDrawCarrierSupplies());
    fighter.boardCarrier(0, carrier_index);
    EXPECT_TRUE(fighter.carrierHasSupplies());
    EXPECT_TRUE(fighter.canDrawCarrierSupplies());
    world.unit(0, carrier_index).spendSupplyStock(100);
    EXPECT_FALSE(fighter.carrierHasSupplies());
    EXPECT_FALSE(fighter.canDrawCarrierSupplies());
}
