// Per-turn marks: threat layers by reach and range byte, area cover, watched units and jamming.
#include "rules/turn_marks.h"

#include "rules/turn_marks_tracker.h"

#include "state/unit_facts.h"
#include "tests/rules/fog_world.h"
#include "tests/rules/turn_marks_reading.h"

#include <gtest/gtest.h>

using testing_rules::FogWorld;

namespace {

// Countries 0 and 1 in play, country 1's turn; side 0's gunner at (5, 5) fires one weapon of reach 3
// at armoured targets, and its type's range byte for class 3 is 2.
class ThreatWorld : public FogWorld {
public:
    ThreatWorld()
    {
        for (int c : { 0, 1 })
            state().country(c).controller = 2, state().country(c).inPlay = 1;
        state().turnBlock().currentCountry = 1;
        setRule(kRuleFatigue, 0);
        int weapon = 1;
        while (state().weaponIndex(weapon) == 0)
            ++weapon;
        UnitTypeRecord& type = editType(landType);
        type.weaponSlot[0].weaponId = uint16_t(weapon);
        for (int slot = 1; slot < kWeaponSlotCount; ++slot)
            type.weaponSlot[slot].weaponId = 0;
        std::fill(std::begin(type.range), std::end(type.range), uint8_t(0));
        type.range[kTargetArmoured] = 2;
        type.areaRadius = 0;
        WeaponRecord& w = editWeapon(weapon);
        w = WeaponRecord {};
        w.reach = 3;
        w.useValue = 1;
        w.flags = 1 | 8;
        w.power[kTargetArmoured] = 10;
        weaponRecord = &w;
        gunner = placeUnit(0, landType, 5, 5);
        unit(0, gunner).ammunition[0] = 5;
    }

    CountryHexLayers& layers() { return *state().hexLayers(); }
    // Hexes of the layer that carry the side's bit.
    int markedHexes(int side, int layer)
    {
        int n = 0;
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                n += (layers().cellByte(x, y, layer) >> side & 1) != 0;
        return n;
    }

    WeaponRecord* weaponRecord = nullptr;
    int gunner = -1;
};

// The mask value of a direct-fire threat against armour.
constexpr uint32_t kArmouredDirect = 1u << kTargetArmoured | 1u << (8 + kTargetArmoured);

int distanceFrom(int x, int y, HexPos to) { return hexDistance({ x, y }, to); }

} // namespace

TEST(ThreatMarks, ReachCappedByTheRangeByteMarksTheTargetClassLayer)
{
    ThreatWorld world;
    world.setRule(kRuleSearch, 0);
    world.unitCell(8, 8).turnMark = 0x1FF;
    world.layers().markHex(3, 0, 0, 2, 1, 7, 1);
    resetHexTurnMarks(world.state());
    EXPECT_EQ(world.unitCell(8, 8).turnMark, 0) << "last turn's marks go first";
    EXPECT_EQ(world.layers().cellByte(0, 0, 2) | world.layers().maskAt(0, 0, 1), 0u);
    for (int y = 0; y < world.height(); ++y)
        for (int x = 0; x < world.width(); ++x) {
            const bool inside = distanceFrom(x, y, { 5, 5 }) <= 2;
            EXPECT_EQ((world.layers().cellByte(x, y, kTargetArmoured) & 1) != 0, inside) << x << "," << y;
        }
    EXPECT_EQ(world.markedHexes(0, kTargetSeaSurface), 0) << "no weapon against ships";
    EXPECT_EQ(world.layers().maskAt(5, 5, kThreatOther), kArmouredDirect) << "side 0 is country 1's enemy";
    EXPECT_EQ(world.layers().secondLayerBits(5, 5), 1) << "rule 3 off: the unit is seen";

    world.weaponRecord->flags = 2 | 8;
    resetHexTurnMarks(world.state());
    EXPECT_EQ(world.layers().maskAt(5, 5, kThreatOther), 1u << kTargetArmoured) << "indirect fire only";

    world.editType(world.landType).range[kTargetArmoured] = 9;
    resetHexTurnMarks(world.state());
    EXPECT_EQ(world.markedHexes(0, kTargetArmoured), 1 + 6 + 12 + 18) << "now the weapon's reach of 3 limits it";

    world.unit(0, world.gunner).ammunition[0] = 0;
    resetHexTurnMarks(world.state());
    EXPECT_EQ(world.markedHexes(0, kTargetArmoured), 0) << "an empty weapon threatens nothing";
}

TEST(ThreatMarks, WarheadLayersFollowTheAirClassesRangeBytes)
{
    ThreatWorld world;
    UnitTypeRecord& type = world.editType(world.landType);
    type.range[0] = 1;
    world.weaponRecord->power[kTargetWarhead] = 5;
    world.weaponRecord->power[kTargetLowWarhead] = 5;
    resetHexTurnMarks(world.state());
    EXPECT_EQ(world.markedHexes(0, 0), 0) << "no weapon against class 0";
    EXPECT_EQ(world.markedHexes(0, 6), 7) << "class 7 within range byte 59";
    EXPECT_EQ(world.markedHexes(0, 7), 0) << "range byte 61 is 0";
}

TEST(ThreatMarks, VisibilityAndRelationToTheCountryWhoseTurnItIs)
{
    ThreatWorld world;
    const int own = world.placeUnit(1, world.landType, 1, 1);
    world.unit(1, own).ammunition[0] = 5;
    world.state().country(2).controller = 2;
    world.state().country(2).inPlay = 1;
    world.ally(1, 2);
    const int ally = world.placeUnit(2, world.landType, 9, 9);
    world.unit(2, ally).ammunition[0] = 5;
    resetHexTurnMarks(world.state());
    EXPECT_EQ(world.layers().secondLayerBits(5, 5), 0) << "fog hides the enemy gunner";
    EXPECT_EQ(world.layers().cellByte(5, 5, kTargetArmoured), 1) << "its threat is laid all the same";
    EXPECT_EQ(world.layers().maskAt(5, 5, kThreatOther), 0u) << "mask values go with seen marks only";
    EXPECT_EQ(world.layers().secondLayerBits(1, 1), 2);
    EXPECT_EQ(world.layers().maskAt(1, 1, kThreatOwn), kArmouredDirect);
    EXPECT_EQ(world.layers().maskAt(9, 9, kThreatAllied), kArmouredDirect);
    EXPECT_TRUE(world.layers().hasForeignBit(1, 5, 5, kTargetArmoured));
    EXPECT_FALSE(world.layers().hasForeignBit(1, 9, 9, kTargetArmoured));

    world.editType(world.landType).areaRadius = 1;
    resetHexTurnMarks(world.state());
    EXPECT_TRUE(world.state().hexMasks()->testBit(0, 4, 5)) << "area cover of radius 1";
    EXPECT_FALSE(world.state().hexMasks()->testBit(0, 3, 5));
    EXPECT_EQ(world.state().hexMasks()->secondLayerByte(4, 5), 0);
}

TEST(ThreatMarks, OnlyUnitsOnTheirOwnHexCastThreatsAndWatchedUnitsMarkTheirHex)
{
    ThreatWorld world;
    UnitRecord& gunner = world.unit(0, world.gunner);
    gunner.watchBits = 4;
    gunner.goalX = 2;
    gunner.goalY = 3;
    for (unsigned flag : { unsigned(kUnitAboard), unsigned(kUnitStored), unsigned(kUnitOffMap) }) {
        gunner.flags = uint16_t(flag);
        resetHexTurnMarks(world.state());
        EXPECT_EQ(world.markedHexes(0, kTargetArmoured), 0) << "flag " << flag;
        EXPECT_EQ(world.unitCell(2, 3).turnMark, 1) << "the remembered hex still carries side 0";
    }
    gunner.flags = kUnitAwaitingProduction;
    resetHexTurnMarks(world.state());
    EXPECT_EQ(world.unitCell(2, 3).turnMark, 0) << "a unit awaiting production marks nothing";

    gunner.flags = 0;
    world.state().country(0).controller = 0;
    resetHexTurnMarks(world.state());
    EXPECT_EQ(world.markedHexes(0, kTargetArmoured), 0) << "a country out of the game casts nothing";
}

TEST(TurnMarks, ClearJammedBitClearsOneSidesBitOfUnitsInPlay)
{
    ThreatWorld world;
    const int waiting = world.placeUnit(1, world.landType, 2, 2);
    const int neutral = world.placeUnit(8, world.landType, 3, 3);
    world.unit(0, world.gunner).jammedSides = 0x07;
    world.unit(1, waiting).jammedSides = 0x07;
    world.unit(1, waiting).flags = kUnitAwaitingProduction;
    world.unit(8, neutral).jammedSides = 0x06;
    clearJammedBit(world.state(), 1);
    EXPECT_EQ(world.unit(0, world.gunner).jammedSides, 0x05);
    EXPECT_EQ(world.unit(1, waiting).jammedSides, 0x07) << "units awaiting production are skipped";
    EXPECT_EQ(world.unit(8, neutral).jammedSides, 0x04);
    clearJammedBit(world.state(), 8);
    EXPECT_EQ(world.unit(8, neutral).jammedSides, 0x04) << "no bit for a side outside the countries";
}

// The kept marks after a change that neither the changed hexes' neighbourhood nor the sight map shows.
TEST(KeptTurnMarks, FollowAUnitRememberingAFarHexAndAHiddenUnitAFriendNowReveals)
{
    // Country 1's unit remembers a hex far from where it stands; side 0's gunner moves next to it,
    // so its hex is cleared and laid again.
    {
        ThreatWorld world;
        const int watcher = world.placeUnit(1, world.landType, 10, 9);
        UnitRecord& unit = world.unit(1, watcher);
        unit.watchBits = 4;
        unit.goalX = 1;
        unit.goalY = 1;
        TurnMarkTracker tracker;
        tracker.update(world.state());
        world.unit(0, world.gunner).x = 2;
        world.unit(0, world.gunner).y = 2;
        tracker.update(world.state());
        const std::vector<uint32_t> kept = testing_rules::readTurnMarks(world.state());
        EXPECT_EQ(world.unitCell(1, 1).turnMark, 1u << 1);
        testing_rules::layTurnMarksAfresh(world.state());
        EXPECT_EQ(kept, testing_rules::readTurnMarks(world.state()));
    }
    // Side 0's gunner hides within three hexes of itself; country 1 sees the whole map, and its scout
    // arriving three hexes away (outside the gunner's own marks) reveals it, so the gunner's marks
    // become strong though nothing near it changed.
    {
        ThreatWorld world;
        world.editType(world.landType).concealRadius = 3;
        world.setSight(world.seaType, 5);
        UnitTypeRecord& scout_type = world.editType(world.seaType);
        std::fill(std::begin(scout_type.range), std::end(scout_type.range), uint8_t(0));
        scout_type.areaRadius = 0;
        world.fog().fillLayer(0);
        TurnMarkTracker tracker;
        tracker.update(world.state());
        EXPECT_EQ(world.layers().secondLayerBits(5, 5) & 1, 0u) << "hidden, so only weakly marked";
        world.placeUnit(1, world.seaType, 8, 5);
        tracker.update(world.state());
        const std::vector<uint32_t> kept = testing_rules::readTurnMarks(world.state());
        testing_rules::layTurnMarksAfresh(world.state());
        const std::vector<uint32_t> fresh = testing_rules::readTurnMarks(world.state());
        EXPECT_NE(world.layers().secondLayerBits(5, 5) & 1, 0u) << "revealed, so strongly marked";
        EXPECT_EQ(kept, fresh);
    }
}

// The acting country's units may be written through pointers taken before the marks were last kept;
// another side's are written only through records handed out since.
TEST(KeptTurnMarks, FollowTheActingCountrysUnitWrittenThroughAnOldPointer)
{
    ThreatWorld world;
    const int acting = world.placeUnit(1, world.landType, 10, 9);
    UnitRecord* unit = world.state().unitOf(1, acting);
    unit->ammunition[0] = 5;
    TurnMarkTracker tracker;
    tracker.update(world.state());
    world.unit(0, world.gunner).x = 3;
    tracker.update(world.state());
    unit->x = 2;
    unit->y = 2;
    tracker.update(world.state());
    const std::vector<uint32_t> kept = testing_rules::readTurnMarks(world.state());
    EXPECT_NE(world.layers().cellByte(2, 3, kTargetArmoured) & (1u << 1), 0u) << "marked from its new hex";
    testing_rules::layTurnMarksAfresh(world.state());
    EXPECT_EQ(kept, testing_rules::readTurnMarks(world.state()));
}

// Another side's record written through a pointer taken before the last look is reported; one handed
// out writable since is not.
TEST(KeptTurnMarks, ReportAnotherSidesRecordWrittenThroughAnOldPointer)
{
    ThreatWorld world;
    world.placeUnit(1, world.landType, 10, 9);
    UnitRecord* gunner = world.state().unitOf(0, world.gunner);
    TurnMarkTracker tracker;
    std::vector<std::pair<int, int>> reported;
    tracker.reportUntouchedWrites([&](int side, int index) { reported.emplace_back(side, index); });
    tracker.update(world.state());
    gunner->x = 3;
    tracker.update(world.state());
    EXPECT_EQ(reported, (std::vector<std::pair<int, int>> { { 0, world.gunner } }));
    world.state().unitOf(0, world.gunner)->x = 4;
    tracker.update(world.state());
    EXPECT_EQ(reported.size(), 1u);
}
