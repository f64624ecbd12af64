// The map writer: what it writes reads back equal, for every version.
#include "tests/state/map_file_fixture.h"

#include <gtest/gtest.h>

namespace {

template <typename T>
bool sameBytes(const T& a, const T& b)
{
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

template <typename T>
void expectSameRecords(const std::vector<T>& a, const std::vector<T>& b, const char* what)
{
    ASSERT_EQ(a.size(), b.size()) << what;
    for (size_t i = 0; i < a.size(); ++i)
        EXPECT_TRUE(sameBytes(a[i], b[i])) << what << " record " << i;
}

void expectSameFile(const ScenarioFile& a, const ScenarioFile& b)
{
    EXPECT_EQ(a.version, b.version);
    EXPECT_TRUE(sameBytes(a.scenario, b.scenario));
    EXPECT_TRUE(sameBytes(a.header, b.header));
    for (size_t c = 0; c < kMaxCountryRecords; ++c)
        EXPECT_TRUE(sameBytes(a.countries[c], b.countries[c])) << "country " << c;
    EXPECT_TRUE(sameBytes(a.rules, b.rules));
    expectSameRecords(a.cells, b.cells, "cells");
    expectSameRecords(a.places, b.places, "places");
    for (size_t side = 0; side < kMapSideCount; ++side)
        expectSameRecords(a.units[side], b.units[side], "units");
    expectSameRecords(a.productionTypes, b.productionTypes, "production types");
    EXPECT_EQ(a.neutral, b.neutral);
    EXPECT_EQ(a.images, b.images);
}

TEST(MapWriter, WrittenFileReadsBackEqual)
{
    ScenarioFile f = smallScenarioFile();
    // The reader numbers the troops; a written file carries the same numbers.
    for (auto& side : f.units)
        for (size_t i = 0; i < side.size(); ++i)
            side[i].troopNumber = uint16_t(i + 1);
    std::vector<uint8_t> bytes = writeScenarioBytes(f);
    ScenarioFile back;
    MapFileError error = readScenarioBytes(bytes, back);
    ASSERT_FALSE(error) << error.describe();
    expectSameFile(f, back);
    EXPECT_EQ(writeScenarioBytes(back), bytes);
}

TEST(MapWriter, OldVersionsKeepTheScenarioPiecesTheyStore)
{
    ScenarioFile f = smallScenarioFile();
    for (size_t i = 0; i < sizeof f.scenario; ++i)
        f.scenario.bytes[i] = uint8_t(i * 7 + 1);
    f.version = 3;
    ScenarioFile back;
    ASSERT_FALSE(readScenarioBytes(writeScenarioBytes(f), back));
    EXPECT_EQ(back.version, 3);
    for (const OldScenarioPiece& p : kOldScenarioPieces)
        EXPECT_EQ(std::memcmp(back.scenario.bytes + p.newOffset, f.scenario.bytes + p.newOffset, p.length), 0) << p.newOffset;
    // Bytes no old piece reaches stay zero.
    EXPECT_EQ(back.scenario.bytes[3000], 0);
    EXPECT_EQ(back.scenario.bytes[16059], 0);
}

TEST(MapWriter, LargestMapFitsAndReadsBack)
{
    ScenarioFile f = smallScenarioFile(256, 256);
    f.cells.back().terrain = 9;
    ScenarioFile back;
    ASSERT_FALSE(readScenarioBytes(writeScenarioBytes(f), back));
    ASSERT_EQ(back.cells.size(), 65536u);
    EXPECT_EQ(back.cellAt(255, 255).terrain, 9);
}

}
