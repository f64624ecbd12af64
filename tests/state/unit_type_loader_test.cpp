// warm.dat and weapon.dat: generated tables, id maps, weapon lookup and damaged lines.
#include "state/game_state.h"

#include "tests/state/state_test_support.h"
#include "tests/state/packed_value.h"

#include <cstring>
#include <memory>

using namespace testing_state;

namespace {

std::unique_ptr<GameState> loaded(int mode = 0)
{
    auto state = std::make_unique<GameState>();
    state->setMode(uint8_t(mode));
    state->loadArmamentData(0);
    state->loadWeaponData(0);
    return state;
}

// The generated weapon.dat line of a unit type id, split into its columns.
std::vector<std::string> generatedColumns(const DataFolder& folder, int id)
{
    for (const std::string& line : splitLines(folder.read("weapon.dat"))) {
        if (line.rfind(std::to_string(id) + ",", 0) != 0)
            continue;
        std::vector<std::string> cols;
        size_t start = 0;
        for (size_t p; (p = line.find(',', start)) != std::string::npos; start = p + 1)
            cols.push_back(line.substr(start, p - start));
        cols.push_back(line.substr(start));
        return cols;
    }
    return {};
}

std::string joined(const std::vector<std::string>& cols)
{
    std::string line;
    for (size_t i = 0; i < cols.size(); ++i)
        line += (i ? "," : "") + cols[i];
    return line;
}

} // namespace

TEST(WeaponLoader, GeneratedWeaponsAreNumberedByLineAndMapColumnsToClasses)
{
    DataFolder folder;
    auto state = loaded();
    ASSERT_EQ(state->weapons().size(), 42u);
    EXPECT_EQ(state->weaponIndex(1), 1);
    EXPECT_EQ(state->weaponIndex(43), 0);
    const WeaponRecord& rifle = state->weaponRecord(1);
    EXPECT_EQ(utf8(rifle.name), "小銃");
    // Column 9 is the power against other land units, class 6.
    EXPECT_EQ(rifle.power[kTargetOtherLand], 10);
    EXPECT_EQ(rifle.power[kTargetArmoured], 2);
    // Distance 0..1, attack, defence, fires after a move.
    EXPECT_EQ(rifle.flags, 0x99);
    bool kinds[kWeaponKindCount] = {};
    bool classes[kTargetClassCount] = {};
    for (const WeaponRecord& w : state->weapons()) {
        kinds[w.kind] = true;
        for (int c = 0; c < kTargetClassCount; ++c)
            classes[c] |= w.power[c] > 0;
    }
    for (int k = 0; k < kWeaponKindCount; ++k)
        EXPECT_TRUE(kinds[k]) << "weapon kind " << k;
    for (int c = 0; c < kTargetClassCount; ++c)
        EXPECT_TRUE(classes[c]) << "target class " << c;
}

TEST(WeaponLoader, FirstOfTwoEqualNamesWinsAndExclusionSkipsIt)
{
    DataFolder folder;
    folder.writeText("warm.dat", "砲,A,1\r\n砲,B,2\r\n砲,A,3\r\n");
    auto state = std::make_unique<GameState>();
    state->loadArmamentData(0);
    std::string gun = platform::utf8ToCp932("砲");
    EXPECT_EQ(state->findWeaponByName(gun.c_str(), "A", 0, 0), 1);
    EXPECT_EQ(state->findWeaponByName(gun.c_str(), "A", 0, 1), 3);
    EXPECT_EQ(state->findWeaponByName(gun.c_str(), "C", 1, 0), 0);
}

TEST(WeaponLoader, StopsBeforeTheUserIdRangeWithOneNotice)
{
    DataFolder folder;
    std::string text;
    for (int i = 0; i < 40005; ++i)
        text += "w" + std::to_string(i) + "\n";
    folder.write("warm.dat", text);
    auto state = std::make_unique<GameState>();
    state->loadArmamentData(0);
    EXPECT_EQ(state->weapons().size(), size_t(kFirstUserWeaponId - 1));
    EXPECT_EQ(state->weaponIndex(kFirstUserWeaponId), 0);
    ASSERT_EQ(shownTexts().size(), 1u);
    EXPECT_NE(shownTexts()[0].find("40000行目から 6行"), std::string::npos);
}

TEST(UnitTypeLoader, GeneratedTypesResolveTheirWeaponsAndFlags)
{
    DataFolder folder;
    auto state = loaded();
    EXPECT_EQ(state->unitTypes().size(), 28u);
    EXPECT_TRUE(shownTexts().empty());
    const UnitTypeRecord& tank = state->unitTypeRecord(3);
    EXPECT_EQ(utf8(tank.name), "戦車");
    EXPECT_EQ(tank.key, 2);
    EXPECT_EQ(tank.unitClass, 19);
    EXPECT_EQ(tank.domain, 3);
    EXPECT_EQ(tank.available, 1);
    EXPECT_EQ(tank.members, 4);
    EXPECT_EQ(packed(tank.memberPrice), 300u);
    EXPECT_TRUE(tank.flags & (1u << 13));
    EXPECT_EQ(tank.carryClass, 0x10);
    EXPECT_EQ(utf8(state->weaponRecord(tank.weaponSlot[0].weaponId).name), "戦車砲");
    EXPECT_EQ(tank.model[0].ammo[0], 20);
    EXPECT_EQ(tank.model[0].fuel, 40);
    EXPECT_EQ(tank.miImageOther, 3);

    const UnitTypeRecord& landing = state->unitTypeRecord(33);
    EXPECT_TRUE(landing.flags & (1u << 14));
    EXPECT_EQ(landing.berthMask[0], 0x1E);
    EXPECT_EQ(landing.berthCount[1], 2);
    EXPECT_EQ(state->unitTypeRecord(9).flags & 0x83, 0x83);
    EXPECT_EQ(state->unitTypeRecord(1).available, 0);
    EXPECT_EQ(state->unitTypeRecord(12).unitClass, kWarheadClass);
    EXPECT_EQ(state->unitTypeRecord(1).unitClass, kHeadquartersClass);
    // Every slot that names a weapon found it.
    for (const UnitTypeRecord& type : state->unitTypes())
        for (const WeaponSlot& slot : type.weaponSlot)
            EXPECT_EQ(slot.name[0] != 0, slot.weaponId != 0) << utf8(type.name);
    // Launch weapons send off the missile types.
    int cruise = state->unitTypeRecord(34).weaponSlot[1].weaponId;
    EXPECT_EQ(state->unitTypeRecord(state->weaponRecord(cruise).launchedType).unitClass, kWarheadClass);
}

TEST(UnitTypeLoader, SimpleModeReadsItsOwnFile)
{
    DataFolder folder;
    auto state = loaded(1);
    EXPECT_EQ(state->unitTypes().size(), 13u);
    EXPECT_EQ(state->unitTypeIndex(5), 0);
    EXPECT_NE(state->unitTypeIndex(30), 0);
}

TEST(UnitTypeLoader, OptionalImageColumnsBaseTypeBerthBitsAndClassText)
{
    DataFolder folder;
    auto cols = generatedColumns(folder, 2);
    ASSERT_EQ(cols.size(), 138u);
    cols[6 - 1] = platform::utf8ToCp932("対潜哨戒ﾍﾘ");
    cols[39 - 1] = "00000011";
    cols[41 - 1] = "10";
    cols[74 - 1] = "12";
    cols[133 - 1] = "7";
    cols[134 - 1] = "8";
    cols[135 - 1] = "9";
    cols.resize(135);
    auto extended = generatedColumns(folder, 3);
    extended[74 - 1] = "0";
    extended[136 - 1] = "70";
    folder.write("weapon.dat", joined(cols) + "\r\n" + joined(extended) + "\r\n");
    auto state = loaded();
    ASSERT_EQ(state->unitTypes().size(), 2u);
    const UnitTypeRecord& a = state->unitTypeRecord(2);
    EXPECT_EQ(a.unitClass, 17);
    EXPECT_EQ(a.berthMask[0], 0x03);
    EXPECT_EQ(a.berthMask[1], 0x80);
    EXPECT_EQ(a.baseType, 13);
    EXPECT_EQ(a.wtImageOther, 7);
    EXPECT_EQ(a.miImage16, 8);
    EXPECT_EQ(a.miImageOther, 9);
    const UnitTypeRecord& b = state->unitTypeRecord(3);
    EXPECT_EQ(b.baseType, 0);
    EXPECT_EQ(b.wtImageOther, 70);
}

TEST(UnitTypeLoader, DamagedLinesAreCutSkippedOrRaised)
{
    DataFolder folder;
    auto cols = generatedColumns(folder, 3);
    auto huge = cols;
    huge[0] = "20000";
    auto zero = cols;
    zero[0] = "40";
    zero[8 - 1] = "0";
    zero[9 - 1] = "abc";
    zero[75 - 1] = platform::utf8ToCp932("光線砲");
    zero[76 - 1] = "X";
    zero[2 - 1] = platform::utf8ToCp932("とても長い名前の兵器はここで切られるはずです");
    folder.write("weapon.dat", joined(huge) + "\r\n" + joined(zero) + "\r\n41\r\n");
    auto state = loaded();
    ASSERT_EQ(state->unitTypes().size(), 2u);
    EXPECT_EQ(state->unitTypeIndex(20000), 0);
    const UnitTypeRecord& z = state->unitTypeRecord(40);
    // Members and strength divide later: never 0.
    EXPECT_EQ(z.members, 1);
    EXPECT_EQ(z.memberStrength, 1);
    EXPECT_EQ(z.weaponSlot[0].weaponId, 0);
    EXPECT_EQ(std::strlen(z.name), 32u);
    // A line of one column reads every other column as empty.
    EXPECT_EQ(state->unitTypeRecord(41).memberPrice, 0u);
    auto boxes = noticeLog().notices();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(utf8(boxes[0].text.c_str()), "一致する武装がみつかりませんでした。\n光線砲 X");
    EXPECT_EQ(boxes[0].caption, std::string(z.name));
    EXPECT_NE(utf8(boxes[1].text.c_str()).find("weapon.dat の 1行目から 1行"), std::string::npos);
}

TEST(UnitTypeLoader, MissingFilesWarnAndThrowButUserFilesAreOptional)
{
    DataFolder folder;
    folder.remove("warm.dat");
    auto state = std::make_unique<GameState>();
    EXPECT_TRUE(testing_lib::thrownError([&] { state->loadArmamentData(0); }).thrown);
    EXPECT_FALSE(testing_lib::thrownError([&] { state->loadArmamentData(1); }).thrown);
    folder.remove("sweapon.dat");
    state->setMode(1);
    EXPECT_TRUE(testing_lib::thrownError([&] { state->loadWeaponData(0); }).thrown);
    EXPECT_FALSE(testing_lib::thrownError([&] { state->loadWeaponData(1); }).thrown);
    auto texts = shownTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], "兵装データ warm.dat が見つかりません");
    EXPECT_EQ(texts[1], "兵器データ sweapon.dat が見つかりません");
}

TEST(UnitTypeLoader, UserFilesAreParsedButNotKept)
{
    DataFolder folder;
    folder.write("uwarm.dat", folder.read("warm.dat"));
    folder.write("uweapon.dat", folder.read("weapon.dat"));
    auto state = loaded();
    state->loadArmamentData(1);
    state->loadWeaponData(1);
    EXPECT_EQ(state->weapons().size(), 42u);
    EXPECT_EQ(state->unitTypes().size(), 28u);
}
