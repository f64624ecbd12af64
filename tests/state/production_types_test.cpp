// Production types: the generated tables, the file reader's checks, and save and load.
#include "state/game_state.h"
#include "state/production_type_file.h"

#include "tests/state/state_test_support.h"

#include <cstring>
#include <memory>

using namespace testing_state;

namespace {

std::string fileWith(uint32_t record_size, size_t records, size_t extra = 0)
{
    std::string bytes(4 + records * record_size + extra, '\x01');
    for (int i = 0; i < 4; ++i)
        bytes[i] = char(record_size >> (8 * i));
    return bytes;
}

ProductionTypeRecord named(const char* name)
{
    ProductionTypeRecord r;
    std::memset(&r, 0, sizeof r);
    std::strcpy(r.name, name);
    r.setProducible(3, true);
    r.setProducible(19999, true);
    return r;
}

} // namespace

TEST(ProductionTypeFile, CountComesFromTheBytesAfterTheHeader)
{
    std::vector<ProductionTypeRecord> out;
    std::string seven = fileWith(2534, 7);
    ASSERT_EQ(readProductionTypeFile(reinterpret_cast<const uint8_t*>(seven.data()), seven.size(), out), FileFault::None);
    EXPECT_EQ(out.size(), 7u);
    // A torn last record is dropped, and the file is told cut short.
    out.clear();
    std::string torn = fileWith(2534, 2, 100);
    ASSERT_EQ(readProductionTypeFile(reinterpret_cast<const uint8_t*>(torn.data()), torn.size(), out), FileFault::Truncated);
    EXPECT_EQ(out.size(), 2u);
    // Smaller records are zero-filled past their size.
    out.clear();
    std::string small = fileWith(10, 3);
    ASSERT_EQ(readProductionTypeFile(reinterpret_cast<const uint8_t*>(small.data()), small.size(), out), FileFault::None);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[2].name[9], 1);
    EXPECT_EQ(out[2].name[10], 0);
}

TEST(ProductionTypeFile, RefusesZeroOversizeAndHeaderlessFiles)
{
    std::vector<ProductionTypeRecord> out;
    for (const std::string& bad : { fileWith(0, 0, 50), fileWith(2535, 2), std::string("\x01\x02", 2), std::string() })
        EXPECT_EQ(readProductionTypeFile(reinterpret_cast<const uint8_t*>(bad.data()), bad.size(), out), FileFault::Damaged);
    EXPECT_TRUE(out.empty());
}

TEST(ProductionTypes, GeneratedTablesAndUserFill)
{
    DataFolder folder;
    auto state = std::make_unique<GameState>();
    state->loadProductTypes();
    state->loadUserProductTypes();
    ASSERT_EQ(state->builtinProductionTypes().size(), 6u);
    EXPECT_EQ(utf8(state->productionType(0)->name), "標準");
    EXPECT_TRUE(state->productionType(0)->canProduce(34));
    EXPECT_FALSE(state->productionType(0)->canProduce(1));
    EXPECT_EQ(state->userProductionTypes().size(), 100u);
    EXPECT_EQ(state->productionType(249)->name[0], 0);
    EXPECT_EQ(state->productionType(250), nullptr);
    EXPECT_EQ(state->productionType(6), nullptr);

    auto simple = std::make_unique<GameState>();
    simple->setMode(1);
    simple->loadProductTypes();
    simple->loadUserProductTypes();
    EXPECT_EQ(simple->builtinProductionTypes().size(), 1u);
    EXPECT_EQ(simple->userProductionTypes().size(), 100u);
}

TEST(ProductionTypes, UserTableKeepsEveryRecordANumberReachesAndFillsFewer)
{
    DataFolder folder;
    folder.write("productutype.dat", fileWith(2534, 106));
    auto state = std::make_unique<GameState>();
    state->loadUserProductTypes();
    EXPECT_EQ(state->userProductionTypes().size(), 106u);
    folder.write("productutype.dat", fileWith(2534, 3));
    auto few = std::make_unique<GameState>();
    few->loadUserProductTypes();
    EXPECT_EQ(few->userProductionTypes().size(), 100u);
    EXPECT_EQ(few->productionType(152)->name[0], 1);
    EXPECT_EQ(few->productionType(153)->name[0], 0);
}

TEST(ProductionTypes, DamagedFileIsShownAndLeavesTheTableEmpty)
{
    DataFolder folder;
    folder.write("producttype.dat", fileWith(0, 0, 8));
    auto state = std::make_unique<GameState>();
    state->loadProductTypes();
    EXPECT_TRUE(state->builtinProductionTypes().empty());
    ASSERT_EQ(shownTexts().size(), 1u);
    EXPECT_NE(shownTexts()[0].find("producttype.dat"), std::string::npos);
}

TEST(ProductionTypes, ClearAndCopySaveTheirTableAtOnce)
{
    DataFolder folder;
    auto state = std::make_unique<GameState>();
    state->loadProductTypes();
    state->loadUserProductTypes();
    state->setUserProductionType(10, named("user10"));
    state->setUserProductionType(0, named("user0"));
    state->copyProductionType(3, 160);
    state->clearProductionType(150);

    std::string user = folder.read("productutype.dat");
    EXPECT_EQ(user.size(), 4u + 100 * 2534);
    auto reloaded = std::make_unique<GameState>();
    reloaded->loadProductTypes();
    reloaded->loadUserProductTypes();
    EXPECT_STREQ(reloaded->productionType(3)->name, "user10");
    EXPECT_TRUE(reloaded->productionType(3)->canProduce(19999));
    EXPECT_EQ(reloaded->builtinProductionTypes().size(), 6u);
    EXPECT_EQ(reloaded->productionType(150)->name[0], 0);
    EXPECT_STREQ(reloaded->productionType(160)->name, "user10");

    // Numbers naming no record change nothing and write nothing.
    folder.remove("producttype.dat");
    reloaded->copyProductionType(7, 160);
    reloaded->clearProductionType(400);
    EXPECT_FALSE(std::filesystem::exists(folder.host("producttype.dat")));
}

TEST(ProductionTypes, SetBuiltinGrowsTheTable)
{
    DataFolder folder;
    auto state = std::make_unique<GameState>();
    state->setBuiltinProductionType(4, named("five"));
    ASSERT_EQ(state->builtinProductionTypes().size(), 5u);
    EXPECT_EQ(state->productionType(0)->name[0], 0);
    state->saveProductTypes();
    EXPECT_EQ(folder.read("producttype.dat").size(), 4u + 5 * 2534);
}
