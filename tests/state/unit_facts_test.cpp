// Name tables, experience and strength scales, roles and layers of types, and the carrying rule.
#include "state/name_tables.h"
#include "state/unit_facts.h"
#include "state/unit_type_export.h"
#include "state/data_path.h"
#include "lib/file.h"

#include "tests/state/small_world.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace testing_state;

TEST(NameTables, CountsAndEntries)
{
    EXPECT_STREQ(playerColourName(7), "MAGENTA");
    EXPECT_EQ(playerColourName(8), nullptr);
    EXPECT_EQ(playerColourRef(7), playerColourEntry(8));
    EXPECT_EQ(playerColourRef(0), 0x02F05000u);
    EXPECT_EQ(playerColourRef(-1), 0x02C6C6C6u);

    EXPECT_EQ(utf8(unitClassName(0)), "要撃機");
    EXPECT_STREQ(unitClassName(17), unitClassName(18));
    EXPECT_EQ(utf8(unitClassName(56)), "特殊潜航艇");
    EXPECT_STREQ(unitClassName(kUnitClassNameCount), "");
    EXPECT_EQ(utf8(movementTypeName(0)), "超高空");
    EXPECT_EQ(utf8(movementTypeName(8)), "キャタピラF");
    EXPECT_EQ(utf8(movementTypeName(13)), "車両E");
    EXPECT_EQ(utf8(movementTypeName(23)), "ホバークラフトB");
    EXPECT_STREQ(movementTypeName(24), "");
    EXPECT_EQ(utf8(movementTypeShortName(3)), "ｷｬﾀﾋﾟﾗA");
    EXPECT_EQ(utf8(movementTypeShortName(22)), "ホバーA");
    EXPECT_STREQ(movementTypeShortName(9), movementTypeName(9));

    EXPECT_EQ(carryClassMask(platform::utf8ToCp932("艦載").c_str()), 224);
    EXPECT_EQ(carryClassMask(platform::utf8ToCp932("軽車両").c_str()), 6);
    EXPECT_EQ(carryClassMask("VTOL"), 96);
    EXPECT_EQ(carryClassMask(platform::utf8ToCp932("なし").c_str()), 0);
    EXPECT_EQ(carryClassMask(nullptr), 0);
}

TEST(Experience, LevelsPercentsAndMarks)
{
    struct Case {
        int points;
        int level;
        int percent;
    };
    for (Case c : { Case { 0, 0, 0 }, Case { 199, 0, 99 }, Case { 200, 1, 0 }, Case { 350, 1, 50 }, Case { 1700, 4, 0 },
             Case { 2500, 5, 100 }, Case { 2550, 5, 100 } }) {
        EXPECT_EQ(experienceLevelFor(c.points), c.level) << c.points;
        EXPECT_EQ(experiencePercent(c.points), c.percent) << c.points;
    }
    ExperienceProgress p = experienceProgress(650);
    EXPECT_EQ(p.value, 15);
    EXPECT_EQ(p.span, 50);
    p = experienceProgress(3000);
    EXPECT_EQ(p.value, 100);
    EXPECT_EQ(p.span, 100);
    EXPECT_EQ(utf8(experienceMark(0)), "Ｅ");
    EXPECT_EQ(utf8(experienceMark(5)), "★");
    EXPECT_STREQ(experienceMark(6), "");
}

TEST(UnitStrength, TotalsSlotsAndTenths)
{
    UnitRecord unit {};
    UnitTypeRecord type {};
    type.members = 4;
    type.memberStrength = 10;
    unit.memberStrengths[0] = 10;
    unit.memberStrengths[1] = 3;
    unit.memberStrengths[3] = 10;
    EXPECT_EQ(strengthTotal(unit), 23);
    EXPECT_EQ(strengthSlotCount(unit), 3);
    EXPECT_EQ(strengthTenths(unit, type), 7);
    // One member: the first counter, rounded up to a tenth.
    type.members = 1;
    type.memberStrength = 30;
    unit = {};
    unit.memberStrengths[0] = 1;
    EXPECT_EQ(strengthTenths(unit, type), 1);
    unit.memberStrengths[0] = 30;
    EXPECT_EQ(strengthTenths(unit, type), 10);
    type.memberStrength = 0;
    EXPECT_EQ(strengthTenths(unit, type), 300);
}

TEST(UnitTypeFacts, RolesLayersAndTargetClasses)
{
    UnitTypeRecord type {};
    struct Role {
        int klass;
        int role;
    };
    for (Role r : { Role { 0, 1 }, Role { 31, 1 }, Role { 3, 3 }, Role { 37, 3 }, Role { 18, 5 }, Role { 55, 4 },
             Role { 56, 6 }, Role { 34, 6 } }) {
        type.unitClass = uint8_t(r.klass);
        EXPECT_EQ(aiRoleGroup(type), r.role) << r.klass;
    }
    const uint8_t range[6] = { 1, 4, 2, 4, 0, 0 };
    std::copy(std::begin(range), std::end(range), type.range);
    EXPECT_EQ(widestRangeLayer(type), 1);
    const uint8_t sight[6] = { 5, 5, 1, 3, 0, 0 };
    std::copy(std::begin(sight), std::end(sight), type.sight);
    EXPECT_EQ(bestSightLayer(type), 1);
    EXPECT_EQ(maxSightRange(type), 5);
    type.sight[1] = 4;
    EXPECT_EQ(bestSightLayer(type), 0);

    type.domain = 3;
    EXPECT_EQ(targetClass(type), 6);
    type.flags = 0x2000;
    EXPECT_EQ(targetClass(type), 3);
    type.domain = 2;
    type.unitClass = kWarheadClass;
    EXPECT_EQ(targetClass(type), 7);
    type.movementType = 2;
    EXPECT_EQ(targetClass(type), 8);
    EXPECT_EQ(baseTargetClass(type), 2);
}

TEST(UnitTypeFacts, ArmamentSetsExistByDefaultOrByAmmunition)
{
    UnitTypeRecord type {};
    type.defaultModel = 2;
    // Only the default set exists: one set is no choice.
    EXPECT_FALSE(unitTypeHasGroupFlag(type, 0));
    EXPECT_TRUE(unitTypeHasGroupFlag(type, 2));
    EXPECT_FALSE(isMultiRole(type));
    type.model[3].ammo[4] = 1;
    EXPECT_TRUE(unitTypeHasGroupFlag(type, 3));
    EXPECT_TRUE(isMultiRole(type));
    EXPECT_FALSE(unitTypeHasGroupFlag(type, 4)) << "there are four sets";
    EXPECT_FALSE(unitTypeHasGroupFlag(type, -1));
    type.defaultModel = 9;
    EXPECT_EQ(defaultModelOf(type), 0) << "a default out of range starts with set 0";
}

TEST(UnitTypeFacts, ImageFileNames)
{
    UnitTypeRecord type {};
    type.id = 120;
    type.imageNumber = 42;
    EXPECT_EQ(unitImageFileName(type), "0042.bmp");
    type.imageNumber = 1234;
    EXPECT_EQ(unitImageFileName(type), "1234.bmp");
    type.imageNumber = 20001;
    EXPECT_EQ(unitImageFileName(type), "20001.bmp");
    type.id = 5003;
    EXPECT_EQ(unitImageFileName(type), "g05003.bmp");
}

namespace {

// A carrier type with two berths and two cargo types taken from the loaded data.
struct CarrierWorld : SmallWorld {
    CarrierWorld()
        : SmallWorld(6, 6)
    {
        const auto& types = state().unitTypes();
        carrierId = types[0].id;
        tankId = types[1].id;
        infantryId = types[2].id;
        UnitTypeRecord& carrier = editType(carrierId);
        std::fill(std::begin(carrier.berthMask), std::end(carrier.berthMask), uint8_t(0));
        std::fill(std::begin(carrier.berthCount), std::end(carrier.berthCount), uint8_t(0));
        carrier.berthMask[0] = 0x1E; // heavy vehicles and smaller, 4 members
        carrier.berthCount[0] = 4;
        carrier.berthMask[1] = 0x02; // infantry only, 2 members
        carrier.berthCount[1] = 2;
        editType(tankId).carryClass = 0x10;
        editType(infantryId).carryClass = 0x02;
    }
    int carrierId = 0;
    int tankId = 0;
    int infantryId = 0;
};

} // namespace

TEST(Carrying, CargoTakesTheTightestBerthThatSuitsIt)
{
    CarrierWorld world;
    GameState& s = world.state();
    int carrier = world.placeUnit(0, world.carrierId, 2, 2);
    int infantry = world.addUnit(0, world.infantryId, 2, 2);
    int infantry2 = world.addUnit(0, world.infantryId, 2, 2);
    int tank = world.addUnit(0, world.tankId, 2, 2);
    UnitRecord& c = world.unit(0, carrier);
    // Cut the cargo to sizes the berths take.
    for (int i : { infantry, infantry2 })
        std::fill(std::begin(world.unit(0, i).memberStrengths) + 2, std::end(world.unit(0, i).memberStrengths), uint8_t(0));
    std::fill(std::begin(world.unit(0, tank).memberStrengths) + 4, std::end(world.unit(0, tank).memberStrengths), uint8_t(0));

    ASSERT_TRUE(takeAboard(s, c, 0, 0, infantry));
    EXPECT_EQ(c.carriedUnits[0], infantry + 1);
    EXPECT_TRUE(c.flags & 4);
    // The infantry sits in the infantry berth, so the tank still fits in the big one.
    EXPECT_TRUE(canCarryUnit(s, c, 0x10, 4, 0));
    ASSERT_TRUE(takeAboard(s, c, 0, 0, tank));
    EXPECT_FALSE(canCarryUnit(s, c, 0x02, 1, 0));
    EXPECT_FALSE(takeAboard(s, c, 0, 0, infantry2));

    // Index + 1 in the carrier's country, or in the neutral side's table for a flagged slot.
    int side = 0;
    EXPECT_EQ(c.carriedUnitAt(1, side), tank + 1);
    EXPECT_EQ(side, 0);
    c.carriedUnits[2] = 0x8000 | 5;
    EXPECT_EQ(c.carriedUnitAt(2, side), 5);
    EXPECT_EQ(side, 8);
    side = 0;
    EXPECT_EQ(c.carriedUnitAt(3, side), 0);
    EXPECT_EQ(c.carriedUnitAt(8, side), 0) << "past the eighth slot";
}

namespace {

// A type shaped in the test: weapons 1..3 in slots 0..2, with a base type.
struct ArmedWorld : SmallWorld {
    ArmedWorld()
        : SmallWorld(4, 4)
    {
        typeId = state().unitTypes()[0].id;
        baseId = state().unitTypes()[1].id;
        UnitTypeRecord& type = editType(typeId);
        for (WeaponSlot& slot : type.weaponSlot)
            slot.weaponId = 0;
        for (int i = 0; i < 3; ++i)
            type.weaponSlot[i].weaponId = uint16_t(i + 1);
        type.baseType = uint16_t(baseId + 1);
        for (UnitTypeModel& model : type.model)
            model = {};
        type.model[1].ammo[0] = 4;
        type.model[1].ammo[1] = 0;
        type.model[1].ammo[2] = 6;
        type.model[1].fuel = 70;
        UnitTypeRecord& base = editType(baseId);
        base.weaponSlot[3].weaponId = 2;
        base.model[1].ammo[0] = 9;
        base.model[1].ammo[2] = 1;
        gun(1, 0, 3, 1);
        gun(2, 0, 5, 1);
        gun(3, kWeaponCruiseMissile, 9, 1);
    }
    void gun(int id, int kind, int reach, int use)
    {
        WeaponRecord& w = editWeapon(id);
        w.kind = uint8_t(kind);
        w.reach = uint8_t(reach);
        w.useValue = uint8_t(use);
    }
    const UnitTypeRecord& type() { return state().unitTypeRecord(typeId); }
    int typeId = 0;
    int baseId = 0;
};

} // namespace

TEST(WeaponSlots, KindsReachAndLaunchers)
{
    ArmedWorld world;
    const GameState& s = world.state();
    const UnitTypeRecord& type = world.type();
    EXPECT_TRUE(hasUsableDirectWeapon(s, type));
    EXPECT_TRUE(hasLaunchWeapon(s, type));
    EXPECT_TRUE(slotIsLaunchWeapon(s, type, 2));
    EXPECT_FALSE(slotIsLaunchWeapon(s, type, 0));
    // Slot 1's weapon has reach 5 but no ammunition in model 1; the missile is not direct.
    EXPECT_EQ(bestReachFor(s, type, 1), 3);
    EXPECT_EQ(bestReachFor(s, type, 0), 0);
    EXPECT_EQ(bestReachFor(s, type, 7), 0);
    EXPECT_EQ(slotWeaponKindOrBase(s, type, 0), 0);
    EXPECT_EQ(slotWeaponKindOrBase(s, type, 3), 0); // from the base type
    EXPECT_EQ(slotWeaponKindOrBase(s, type, 4), 13);
    world.gun(1, kWeaponSupply, 3, 0);
    world.gun(2, kWeaponEcm, 3, 0);
    EXPECT_FALSE(hasUsableDirectWeapon(s, type));
    EXPECT_TRUE(hasSupplyWeapon(s, type));
    EXPECT_TRUE(hasEcmWeapon(s, type));
    EXPECT_FALSE(hasSelfDestructWeapon(s, type));
}

TEST(WeaponSlots, ModelSelectionRefillAndClampTakeTheLargerBaseAllowance)
{
    ArmedWorld world;
    GameState& s = world.state();
    int index = world.addUnit(0, world.typeId, 1, 1);
    UnitRecord& unit = world.unit(0, index);
    selectModel(s, unit, 1);
    EXPECT_EQ(unit.model, 1);
    EXPECT_EQ(unit.ammunition[0], 9);
    EXPECT_EQ(unit.ammunition[2], 6);
    EXPECT_EQ(unit.fuel, 70);

    int members = std::min<int>(world.type().members, 10);
    unit.ammunition[0] = 200;
    unit.ammunition[2] = 2;
    unit.fuel = 500;
    unit.memberStrengths[0] = 255;
    unit.memberStrengths[9] = members < 10 ? 5 : unit.memberStrengths[9];
    s.clampUnitsToType();
    EXPECT_EQ(unit.ammunition[0], 9);
    EXPECT_EQ(unit.ammunition[2], 2);
    EXPECT_EQ(unit.fuel, 70);
    EXPECT_EQ(unit.memberStrengths[0], world.type().memberStrength);
    EXPECT_EQ(strengthSlotCount(unit), members);

    unit.memberStrengths[0] = 1;
    unit.ammunition[2] = 0;
    unit.model = 9; // past the models: model 0
    s.refillUnitsToFull();
    EXPECT_EQ(unit.model, 0);
    EXPECT_EQ(unit.memberStrengths[0], world.type().memberStrength);
    EXPECT_EQ(unit.fuel, 0);
}

TEST(UnitImages, PathsBySizeAndSet)
{
    SmallWorld world(2, 2);
    UnitTypeRecord type {};
    type.miImage16 = 20001;
    type.miImage32 = 20002;
    type.miImageOther = 20003;
    type.wtImage16 = 19999;
    auto tail = [](const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); };
    EXPECT_EQ(tail(unitMiImagePath(type, 16, false)), "gmi20001_16.bmp");
    EXPECT_EQ(tail(unitMiImagePath(type, 32, true)), "emi20002_32.bmp");
    EXPECT_EQ(tail(unitMiImagePath(type, 48, false)), "gmi20003_48.bmp");
    EXPECT_EQ(unitWtImagePath(type, 16, false), "");
    type.imageNumber = 7;
    EXPECT_EQ(tail(unitImagePath(type)), "0007.bmp");
}

TEST(UnitFields, AuxiliaryRouteClearing)
{
    UnitRecord unit {};
    std::memset(&unit, 0x5A, sizeof unit);
    clearUnitAux(unit);
    EXPECT_EQ(unit.hasAutoRoute, 0);
    EXPECT_EQ(unit.wayPointCount, 0);
    EXPECT_EQ(unit.groupLead, 0);
    EXPECT_EQ(unit.unused119, 0x5A);
    EXPECT_EQ(unit.memberLimit, 0x5A);
}

TEST(UnitTypeExport, SectionCarriesOwnWeaponsFilesAndZeroBlocks)
{
    SmallWorld world(2, 2);
    GameState& s = world.state();
    int id = s.unitTypes()[0].id;
    UnitTypeRecord& type = world.editType(id);
    type.imageNumber = 1;
    type.wtImage16 = 20005;
    type.wtImage32 = type.wtImageOther = type.miImage16 = type.miImage32 = type.miImageOther = 0;
    world.write("tkunit/gwt20005_16.bmp", "PIC");
    std::string path = dataPath("export.bin", kFolderProgram);
    {
        swCFile out(path.c_str(), 1);
        writeUnitTypeSection(s, { id, 14999 }, [](int, BattleEntry& entry) { return entry.fill(7), true; }, out);
    }
    std::string bytes = world.read("export.bin");
    auto u32 = [&](size_t at) {
        uint32_t v = 0;
        std::memcpy(&v, bytes.data() + at, 4);
        return v;
    };
    ASSERT_GE(bytes.size(), 12u);
    EXPECT_EQ(bytes.substr(0, 8), "VKRWPN01");
    EXPECT_EQ(u32(8), 1u); // the id without a type is not counted
    size_t at = 12;
    EXPECT_EQ(u32(at), 326u);
    EXPECT_EQ(std::memcmp(bytes.data() + at + 4, &type, sizeof type), 0);
    at += 4 + 326;
    EXPECT_EQ(u32(at), 50u);
    at += 4 + 5 * 4; // built-in weapons only: five zero flags
    EXPECT_EQ(u32(at), 0u); // image 1 is the program's own
    at += 4;
    EXPECT_EQ(bytes[at], 7);
    at += kBattleEntrySize;
    EXPECT_EQ(u32(at), 0u); // sprite 0x0707 below 20000
    at += 4;
    EXPECT_EQ(u32(at), 3u);
    EXPECT_EQ(bytes.substr(at + 4, 3), "PIC");
    at += 4 + 3 + 5 * 4;
    EXPECT_EQ(bytes.size(), at);
}

TEST(Carrying, NestedCargoFollowsTheCarrierAndLoopsEnd)
{
    CarrierWorld world;
    GameState& s = world.state();
    int ship = world.placeUnit(0, world.carrierId, 3, 3);
    int truck = world.addUnit(0, world.tankId, 0, 0);
    int men = world.addUnit(8, world.infantryId, 0, 1);
    world.unit(0, ship).carriedUnits[0] = uint16_t(truck + 1);
    world.unit(0, truck).carriedUnits[2] = uint16_t(0x8000 | (men + 1));
    // A file-made loop: the truck also lists the ship.
    world.unit(0, truck).carriedUnits[3] = uint16_t(ship + 1);
    syncCarriedPositions(s, world.unit(0, ship), 0);
    EXPECT_EQ(world.unit(0, truck).x, 3);
    EXPECT_EQ(world.unit(8, men).y, 3);
    EXPECT_FALSE(carriesNeutralUnit(world.unit(0, ship)));
    EXPECT_TRUE(carriesNeutralUnit(world.unit(0, truck)));
    int tank_class = s.unitTypeRecord(world.tankId).unitClass;
    EXPECT_EQ(findCarriedOfClass(s, world.unit(0, ship), 0, tank_class), truck);
    EXPECT_EQ(findCarriedOfClass(s, world.unit(0, truck), 0, s.unitTypeRecord(world.infantryId).unitClass), men);
}
