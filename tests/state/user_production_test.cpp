// User production-type files: export, import, the sibling magics and refused heads.
#include "tests/state/state_test_support.h"

#include "state/data_path.h"
#include "state/game_state.h"
#include "state/unit_facts.h"
#include "state/user_production.h"
#include "state/user_production_file.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using testing_state::DataFolder;

constexpr int kLauncherCar = 11; // its launch weapon fires type 13
constexpr int kMissile = 13;

// The generated master data plus copies of a launcher (4999, and user types 10001..10003, the last
// with base type 3) and a missile type 5200 that the launcher is changed to fire.
class UserTypesWorld : public DataFolder {
public:
    UserTypesWorld()
    {
        std::string table = read("weapon.dat");
        std::string launcher = lineOf(table, kLauncherCar), missile = lineOf(table, kMissile);
        for (const char* id : { "4999", "10001", "10002", "10003" })
            table += id + launcher.substr(launcher.find(',')) + "\r\n";
        table += "5200" + missile.substr(missile.find(',')) + "\r\n";
        write("weapon.dat", table);
        m_previous = g_gameState;
        state.startUp();
        g_gameState = &state;
        auto& type = const_cast<UnitTypeRecord&>(state.unitTypeRecord(10003));
        type.baseType = 3 + 1;
        for (int slot = 0; slot < kWeaponSlotCount; ++slot)
            if (slotIsLaunchWeapon(state, type, slot))
                const_cast<WeaponRecord*>(slotWeapon(state, type, slot))->launchedType = 5200;
    }
    ~UserTypesWorld() { g_gameState = m_previous; }

    static std::string lineOf(const std::string& table, int id)
    {
        std::string lead = "\n" + std::to_string(id) + ",";
        size_t at = table.find(lead) + 1;
        return table.substr(at, table.find('\r', at) - at);
    }
    std::string path(const char* name) const { return dataPath(name, kFolderProgram); }

    GameState state;

private:
    GameState* m_previous = nullptr;
};

ProductionTypeRecord recordWith(const char* name, std::initializer_list<int> ids)
{
    ProductionTypeRecord record;
    std::memset(&record, 0, sizeof record);
    std::strcpy(record.name, name);
    for (int id : ids)
        record.setProducible(id, true);
    return record;
}

std::string fileHead(const char* magic, uint32_t record_size, const ProductionTypeRecord& record, size_t kept)
{
    std::string bytes(magic, kUserProductionMagicSize);
    bytes.append(reinterpret_cast<const char*>(&record_size), 4);
    bytes.append(reinterpret_cast<const char*>(&record), std::min(kept, sizeof record));
    return bytes;
}

bool sameRecord(const ProductionTypeRecord* a, const ProductionTypeRecord& b) { return a && std::memcmp(a, &b, sizeof b) == 0; }

uint32_t u32At(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

TEST(UserProductionFile, UserTypeExportsItsUnitTypesOnceAndImportsBackEqual)
{
    UserTypesWorld world;
    // All three carriers fire 5200; 10003's base type is 3.
    ProductionTypeRecord record = recordWith("user", { 2, 10001, 10002, 10003 });
    EXPECT_EQ(exportedUnitTypes(world.state, record), (std::vector<int> { 10001, 10002, 10003, 3, 5200 }));
    world.state.setUserProductionType(3, record);
    ASSERT_TRUE(exportProductionTypeFile(world.state, world.path("out.upd").c_str(), 153));
    std::string bytes = world.read("out.upd");
    ASSERT_GT(bytes.size(), kUserProductionHeadSize + 12);
    EXPECT_EQ(bytes.substr(0, 16), "ZAFRONUPD0000001");
    EXPECT_EQ(u32At(bytes, 16), 2534u);
    EXPECT_EQ(bytes.substr(kUserProductionHeadSize, 8), "VKRWPN01");
    EXPECT_EQ(u32At(bytes, kUserProductionHeadSize + 8), 5u);

    EXPECT_EQ(importProductionTypeFile(world.state, world.path("out.upd").c_str(), 160), 1);
    EXPECT_TRUE(sameRecord(world.state.productionType(160), record));
    // Into the built-in table past its end: the table grows to hold it.
    int past = int(world.state.builtinProductionTypes().size()) + 2;
    EXPECT_EQ(importProductionTypeFile(world.state, world.path("out.upd").c_str(), past), 1);
    EXPECT_TRUE(sameRecord(world.state.productionType(past), record));
}

TEST(UserProductionFile, BuiltinExportCarriesNoUnitTypes)
{
    UserTypesWorld world;
    world.state.setBuiltinProductionType(0, recordWith("builtin", { 10001 }));
    ASSERT_TRUE(exportProductionTypeFile(world.state, world.path("b.upd").c_str(), 0));
    EXPECT_EQ(world.read("b.upd").size(), kUserProductionHeadSize + 12);
    // A number that names no record: the magic, size 0 and an empty section.
    ASSERT_TRUE(exportProductionTypeFile(world.state, world.path("none.upd").c_str(), 149));
    EXPECT_EQ(world.read("none.upd"), std::string("ZAFRONUPD0000001") + std::string(4, '\0') + "VKRWPN01"
            + std::string(4, '\0'));
}

TEST(UserProductionFile, NewerSiblingsKeepIdsBelow5000AndOthersAreRefused)
{
    UserTypesWorld world;
    ProductionTypeRecord before = *world.state.productionType(151);
    ProductionTypeRecord stored = recordWith("sibling", { 3, 4999, 5000, 5200, 19999 });
    struct Case {
        const char* magic;
        uint32_t size;
        size_t kept;
        int result;
    };
    const Case cases[] = {
        { "MORVELANTUPD0000", 2534, 2534, 0 }, // the oldest siblings: no id tables
        { "PELVANOUPD000000", 2534, 2534, 0 },
        { "QUELLAROSEPD0000", 2534, 2534, 0 },
        { "NOTAPRODUCTIONTY", 2534, 2534, 0 },
        { "ZAFRONUPD0000001", 0, 2534, 0 },
        { "ZAFRONUPD0000001", 2535, 2534, 0 },
        { "ZAFRONUPD0000001", 0xFFFFFFFF, 2534, 0 },
        { "ZAFRONUPD0000001", 2534, 2533, 0 }, // the record cut short
        { "MORVELAN2UPD0001", 2534, 2534, 1 },
        { "MORVELAN2UPD0002", 2534, 2534, 1 },
    };
    for (const Case& c : cases) {
        world.write("s.upd", fileHead(c.magic, c.size, stored, c.kept));
        world.state.setUserProductionType(1, before);
        EXPECT_EQ(importProductionTypeFile(world.state, world.path("s.upd").c_str(), 151), c.result) << c.magic;
        EXPECT_TRUE(sameRecord(world.state.productionType(151), c.result ? recordWith("sibling", { 3, 4999 }) : before))
            << c.magic << " " << c.size;
    }
    for (size_t cut : { 0, 15, 19 }) {
        ProductionTypeRecord out;
        std::string head = fileHead(kUserProductionMagic, 2534, stored, 2534).substr(0, cut);
        EXPECT_FALSE(readUserProductionFile(std::span(reinterpret_cast<const uint8_t*>(head.data()), cut), out));
    }
    // A name filling its field is cut to end inside it.
    ProductionTypeRecord long_name = recordWith("", { 2 });
    std::memset(long_name.name, 'A', sizeof long_name.name);
    world.write("long.upd", fileHead(kUserProductionMagic, 2534, long_name, 2534));
    EXPECT_EQ(importProductionTypeFile(world.state, world.path("long.upd").c_str(), 150), 1);
    EXPECT_EQ(std::string(world.state.productionType(150)->name), std::string(33, 'A'));
    // A shorter record is read as far as it goes, the rest zero; a missing file or slot imports nothing.
    world.write("short.upd", fileHead(kUserProductionMagic, 35, recordWith("short", { 2, 20 }), 35));
    EXPECT_EQ(importProductionTypeFile(world.state, world.path("short.upd").c_str(), 150), 1);
    EXPECT_TRUE(sameRecord(world.state.productionType(150), recordWith("short", { 2 })));
    EXPECT_EQ(importProductionTypeFile(world.state, world.path("short.upd").c_str(), 250), 0);
    EXPECT_EQ(importProductionTypeFile(world.state, world.path("missing.upd").c_str(), 150), 0);
    EXPECT_TRUE(testing_state::noticeLog().notices().empty());
}

TEST(UserProductionFile, MissingUnitTypesAreToldAndNothingIsStored)
{
    UserTypesWorld world;
    ProductionTypeRecord before = *world.state.productionType(155);
    // 14 names no type; 15000 and up lie past the id map.
    for (int missing : { 14, 15000, 19999 }) {
        testing_state::noticeLog().clear();
        world.write("m.upd", fileHead(kUserProductionMagic, 2534, recordWith("missing", { 2, missing }), 2534));
        EXPECT_EQ(importProductionTypeFile(world.state, world.path("m.upd").c_str(), 155), -1) << missing;
        EXPECT_TRUE(sameRecord(world.state.productionType(155), before)) << missing;
        const auto& notices = testing_state::noticeLog().notices();
        ASSERT_EQ(notices.size(), 1u) << missing;
        EXPECT_EQ(notices[0].caption, platform::utf8ToCp932("注意"));
        EXPECT_EQ(notices[0].owner, NoticeOwner::MainWindow);
        EXPECT_EQ(notices[0].text,
            platform::utf8ToCp932("本製品に含まれていない兵器データが使用されています。"));
    }
}

} // namespace
