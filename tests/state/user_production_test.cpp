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

// The generated master data plus user-range types: two carriers of the same launcher (10001,
// 10002), a type with a base type (10003) and a missile type 5200 the launcher is changed to fire.
class UserTypesWorld : public DataFolder {
public:
    UserTypesWorld()
    {
        std::string table = read("weapon.dat");
        std::string launcher = lineOf(table, kLauncherCar), missile = lineOf(table, kMissile);
        for (const char* id : { "10001", "10002", "10003" })
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
    std::vector<uint8_t> bytes(const char* name) const
    {
        std::string text = read(name);
        return std::vector<uint8_t>(text.begin(), text.end());
    }

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

bool sameRecord(const ProductionTypeRecord* a, const ProductionTypeRecord& b)
{
    return a && std::memcmp(a, &b, sizeof b) == 0;
}

uint32_t u32At(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

TEST(UserProductionFile, ExportedUserTypeImportsBackEqual)
{
    UserTypesWorld world;
    ProductionTypeRecord record = recordWith("user", { 2, 3, 20, 10001 });
    world.state.setUserProductionType(3, record);
    ASSERT_TRUE(exportProductionTypeFile(world.state, world.path("out.upd").c_str(), 153));
    EXPECT_EQ(importProductionTypeFile(world.state, world.path("out.upd").c_str(), 160), 1);
    EXPECT_TRUE(sameRecord(world.state.productionType(160), record));
    // Into the built-in table, past its end: the table grows to hold it.
    size_t builtin = world.state.builtinProductionTypes().size();
    EXPECT_EQ(importProductionTypeFile(world.state, world.path("out.upd").c_str(), int(builtin) + 2), 1);
    EXPECT_TRUE(sameRecord(world.state.productionType(int(builtin) + 2), record));
}

TEST(UserProductionFile, UserTypeCarriesItsTypesBaseTypesAndLaunchedTypesOnce)
{
    UserTypesWorld world;
    ProductionTypeRecord record = recordWith("user", { 2, 10001, 10002, 10003, 10004 });
    // 10004 names no type; all three carriers fire 5200; 10003's base type is 3.
    std::vector<int> expected = { 10001, 10002, 10003, 3, 10004, 5200 };
    EXPECT_EQ(exportedUnitTypes(world.state, record), expected);

    world.state.setUserProductionType(0, record);
    ASSERT_TRUE(exportProductionTypeFile(world.state, world.path("out.upd").c_str(), 150));
    std::string bytes = world.read("out.upd");
    size_t section = kUserProductionHeadSize;
    ASSERT_GT(bytes.size(), section + 12);
    EXPECT_EQ(bytes.substr(0, 16), "ZAFRONUPD0000001");
    EXPECT_EQ(u32At(bytes, 16), 2534u);
    EXPECT_EQ(bytes.substr(section, 8), "VKRWPN01");
    EXPECT_EQ(u32At(bytes, section + 8), 5u); // the id without a type is not written
}

TEST(UserProductionFile, BuiltinExportHasNoUnitTypes)
{
    UserTypesWorld world;
    ASSERT_FALSE(world.state.builtinProductionTypes().empty());
    world.state.setBuiltinProductionType(0, recordWith("builtin", { 10001 }));
    ASSERT_TRUE(exportProductionTypeFile(world.state, world.path("b.upd").c_str(), 0));
    std::string bytes = world.read("b.upd");
    ASSERT_EQ(bytes.size(), kUserProductionHeadSize + 12);
    EXPECT_EQ(u32At(bytes, kUserProductionHeadSize + 8), 0u);

    // A number that names no record: the magic, size 0 and an empty section.
    ASSERT_TRUE(exportProductionTypeFile(world.state, world.path("none.upd").c_str(), 149));
    EXPECT_EQ(world.read("none.upd"), std::string("ZAFRONUPD0000001") + std::string(4, '\0') + "VKRWPN01"
            + std::string(4, '\0'));
}

TEST(UserProductionFile, MagicsNameTheirOrigins)
{
    struct Case {
        const char* magic;
        int origin;
    };
    const Case cases[] = {
        { "MORVELANTUPD0000", 1 }, { "PELVANOUPD000000", 2 }, { "QUELLAROSEPD0000", 3 },
        { "MORVELAN2UPD0001", 4 }, { "MORVELAN2UPD0002", 5 }, { "ZAFRONUPD0000001", 11 },
        { "ZAFRONUPD0000002", -1 }, { "zafronupd0000001", -1 }, { "MORVELAN2UPD0003", -1 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(productionTypeFileOrigin(reinterpret_cast<const uint8_t*>(c.magic)), c.origin) << c.magic;
}

TEST(UserProductionFile, NewerSiblingsKeepIdsBelow5000AndTheirName)
{
    UserTypesWorld world;
    ProductionTypeRecord stored = recordWith("sibling", { 2, 4999, 5000, 6000, 19999 });
    for (const char* magic : { "MORVELAN2UPD0001", "MORVELAN2UPD0002" }) {
        world.write("s.upd", fileHead(magic, sizeof stored, stored, sizeof stored));
        ProductionTypeRecord record;
        ASSERT_TRUE(readUserProductionFile(world.bytes("s.upd"), record)) << magic;
        EXPECT_TRUE(sameRecord(&record, recordWith("sibling", { 2, 4999 }))) << magic;
    }
    // Imported, the kept ids must all exist here.
    world.write("s.upd", fileHead("MORVELAN2UPD0001", sizeof stored, recordWith("s", { 3, 5200, 10001 }), 2534));
    EXPECT_EQ(importProductionTypeFile(world.state, world.path("s.upd").c_str(), 151), 1);
    EXPECT_TRUE(sameRecord(world.state.productionType(151), recordWith("s", { 3 })));
}

TEST(UserProductionFile, OldestSiblingsAndUnknownMagicsAreNotImported)
{
    UserTypesWorld world;
    ProductionTypeRecord before = *world.state.productionType(150);
    ProductionTypeRecord record = recordWith("old", { 0, 1 });
    for (const char* magic : { "MORVELANTUPD0000", "PELVANOUPD000000", "QUELLAROSEPD0000", "NOTAPRODUCTIONTY" }) {
        world.write("old.upd", fileHead(magic, sizeof record, record, sizeof record));
        EXPECT_EQ(importProductionTypeFile(world.state, world.path("old.upd").c_str(), 150), 0) << magic;
        EXPECT_TRUE(sameRecord(world.state.productionType(150), before)) << magic;
    }
    EXPECT_EQ(importProductionTypeFile(world.state, world.path("missing.upd").c_str(), 150), 0);
    EXPECT_TRUE(platform::harness::messageBoxes().empty());
}

TEST(UserProductionFile, RefusesBadRecordSizesAndTruncatedFiles)
{
    UserTypesWorld world;
    ProductionTypeRecord before = *world.state.productionType(150);
    ProductionTypeRecord record = recordWith("bad", { 2 });
    struct Case {
        const char* name;
        uint32_t size;
        size_t kept;
    };
    const Case cases[] = {
        { "size 0", 0, 2534 },
        { "size above the record", 2535, 2534 },
        { "huge size", 0xFFFFFFFF, 2534 },
        { "record cut short", 2534, 2533 },
        { "no record", 40, 0 },
    };
    for (const Case& c : cases) {
        world.write("bad.upd", fileHead(kUserProductionMagic, c.size, record, c.kept));
        EXPECT_EQ(importProductionTypeFile(world.state, world.path("bad.upd").c_str(), 150), 0) << c.name;
        EXPECT_TRUE(sameRecord(world.state.productionType(150), before)) << c.name;
    }
    for (size_t cut : { size_t(0), size_t(15), size_t(19) }) {
        std::string head = fileHead(kUserProductionMagic, 2534, record, 2534).substr(0, cut);
        ProductionTypeRecord out;
        EXPECT_FALSE(readUserProductionFile(std::span(reinterpret_cast<const uint8_t*>(head.data()), head.size()), out))
            << cut;
    }
    // A shorter record is read as far as it goes and the rest is zero.
    world.write("short.upd", fileHead(kUserProductionMagic, 35, recordWith("short", { 2, 20 }), 35));
    EXPECT_EQ(importProductionTypeFile(world.state, world.path("short.upd").c_str(), 150), 1);
    EXPECT_TRUE(sameRecord(world.state.productionType(150), recordWith("short", { 2 })));
    // A user number past the table names no slot.
    EXPECT_EQ(importProductionTypeFile(world.state, world.path("short.upd").c_str(), 250), 0);
}

TEST(UserProductionFile, MissingUnitTypesAreToldAndNothingIsStored)
{
    UserTypesWorld world;
    ProductionTypeRecord before = *world.state.productionType(155);
    // 14 names no type; 15000 and up lie past the id map.
    for (int missing : { 14, 15000, 19999 }) {
        platform::harness::clearMessageBoxes();
        ProductionTypeRecord record = recordWith("missing", { 2, missing });
        world.write("m.upd", fileHead(kUserProductionMagic, sizeof record, record, sizeof record));
        EXPECT_EQ(importProductionTypeFile(world.state, world.path("m.upd").c_str(), 155), -1) << missing;
        EXPECT_TRUE(sameRecord(world.state.productionType(155), before)) << missing;
        ASSERT_EQ(platform::harness::messageBoxes().size(), 1u) << missing;
        EXPECT_EQ(platform::harness::messageBoxes()[0].caption, platform::utf8ToCp932("注意"));
        EXPECT_EQ(platform::harness::messageBoxes()[0].text,
            platform::utf8ToCp932("本製品に含まれていない兵器データが使用されています。"));
    }
}

} // namespace
