// The map reader: version conversions, and damaged files refused with what and where.
#include "tests/state/map_file_fixture.h"
#include "tests/state/packed_value.h"

#include <gtest/gtest.h>

namespace {

ScenarioFile readBack(const ScenarioFile& f)
{
    ScenarioFile back;
    MapFileError error = readScenarioBytes(writeScenarioBytes(f), back);
    EXPECT_FALSE(error) << error.describe();
    return back;
}

TEST(MapReader, VersionOneSetsHeaderByteAndFundsLimitOfCountriesInPlay)
{
    ScenarioFile f = smallScenarioFile();
    f.version = 1;
    ScenarioFile back = readBack(f);
    EXPECT_EQ(back.header.buildingIncome, 1);
    EXPECT_EQ(packed(back.countries[0].fundsLimit), 99999999u);
    EXPECT_EQ(packed(back.countries[1].fundsLimit), 99999999u);
    EXPECT_EQ(packed(back.countries[2].fundsLimit), 0u);
}

TEST(MapReader, RuleLeadByteRaisedOnlyForVersionsOneAndTwo)
{
    ScenarioFile f = smallScenarioFile();
    f.rules.lead = 3;
    for (int version = 1; version <= 4; ++version) {
        f.version = version;
        EXPECT_EQ(readBack(f).rules.lead, version <= 2 ? 4 : 3) << version;
    }
    f.rules.lead = 2;
    f.version = 2;
    EXPECT_EQ(readBack(f).rules.lead, 2);
}

TEST(MapReader, TroopNumbersFollowRecordIndex)
{
    ScenarioFile f = smallScenarioFile();
    f.units[4].assign(5, UnitRecord {});
    for (auto& u : f.units[4])
        u.troopNumber = 77;
    ScenarioFile back = readBack(f);
    for (uint16_t i = 0; i < 5; ++i)
        EXPECT_EQ(back.units[4][i].troopNumber, i + 1);
}

TEST(MapReader, ShortRecordsAndEmptySectionsLeaveTheRestZero)
{
    ScenarioFile f = smallScenarioFile();
    std::vector<uint8_t> bytes = writeScenarioBytes(f);
    directoryEntry(bytes, kSectionCountries)->size = 44;
    directoryEntry(bytes, kSectionProductionTypes)->size = 0;
    ScenarioFile back;
    ASSERT_FALSE(readScenarioBytes(bytes, back));
    EXPECT_STREQ(back.countries[0].name, "A");
    EXPECT_EQ(back.countries[0].controller, 1);
    EXPECT_EQ(back.countries[0].allianceMask, 0);
    // Record 1 starts 44 bytes in, at record 0's alliance byte; its own tail stays zero.
    EXPECT_EQ(back.countries[1].name[0], 1);
    EXPECT_EQ(back.countries[1].controller, 0);
    EXPECT_TRUE(back.productionTypes.empty());
}

TEST(MapReader, LongRuleSectionIsCut)
{
    std::vector<uint8_t> bytes = writeScenarioBytes(smallScenarioFile());
    directoryEntry(bytes, kSectionRules)->size = 60;
    ScenarioFile back;
    ASSERT_FALSE(readScenarioBytes(bytes, back));
    EXPECT_EQ(back.rules.switches[17], 1);
}

TEST(MapReader, UnknownMagicAndShortFilesAreRefused)
{
    std::vector<uint8_t> bytes = writeScenarioBytes(smallScenarioFile());
    ScenarioFile out;
    EXPECT_TRUE(readScenarioBytes(std::span(bytes).first(10), out));
    bytes[15] = '9';
    EXPECT_EQ(readScenarioBytes(bytes, out).what, "unknown magic");
    EXPECT_EQ(scenarioBytesVersion(bytes), -1);
}

// One way to damage a written file, and the section the error must name.
struct Damage {
    const char* name;
    int section;
    void (*apply)(std::vector<uint8_t>&);
};

const Damage kDamages[] = {
    {"header length past the format", -1, [](auto& b) { reinterpret_cast<MapFileHeader*>(b.data())->length = 400; }},
    {"header length below the header", -1, [](auto& b) { reinterpret_cast<MapFileHeader*>(b.data())->length = 8; }},
    {"scenario block too long", kSectionScenario, [](auto& b) { directoryEntry(b, kSectionScenario)->size = 16064; }},
    {"scenario block past the end", kSectionScenario, [](auto& b) { directoryEntry(b, kSectionScenario)->offset = uint32_t(b.size() - 100); }},
    {"map header too long", kSectionMapHeader, [](auto& b) { directoryEntry(b, kSectionMapHeader)->size = 587; }},
    {"map wider than 256", kSectionMapHeader, [](auto& b) { reinterpret_cast<MapHeader*>(b.data() + directoryEntry(b, kSectionMapHeader)->offset)->width = 257; }},
    {"map of no rows", kSectionMapHeader, [](auto& b) { reinterpret_cast<MapHeader*>(b.data() + directoryEntry(b, kSectionMapHeader)->offset)->height = 0; }},
    {"country record too long", kSectionCountries, [](auto& b) { directoryEntry(b, kSectionCountries)->size = 329; }},
    {"nine countries", kSectionCountries, [](auto& b) { directoryEntry(b, kSectionCountries)->count = 9; }},
    {"rule block past the end", kSectionRules, [](auto& b) { directoryEntry(b, kSectionRules)->offset = uint32_t(b.size() - 10); }},
    {"cell record too long", kSectionCells, [](auto& b) { directoryEntry(b, kSectionCells)->size = 23; }},
    {"more cells than the map", kSectionCells, [](auto& b) { directoryEntry(b, kSectionCells)->count = 31; }},
    {"cell count past the format", kSectionCells, [](auto& b) { directoryEntry(b, kSectionCells)->count = 0xFFFFFFFF; }},
    {"place table too large", kSectionPlaces, [](auto& b) { directoryEntry(b, kSectionPlaces)->count = 1001; }},
    {"place table overflowing 32 bits", kSectionPlaces, [](auto& b) { directoryEntry(b, kSectionPlaces)->size = 0x10000; directoryEntry(b, kSectionPlaces)->count = 0x10000; }},
    {"unit record too long", kSectionUnits + 1, [](auto& b) { directoryEntry(b, kSectionUnits + 1)->size = 155; }},
    {"too many units", kSectionUnits, [](auto& b) { directoryEntry(b, kSectionUnits)->count = 1001; }},
    {"units past the end", kSectionUnits, [](auto& b) { directoryEntry(b, kSectionUnits)->count = 900; }},
    {"production type too long", kSectionProductionTypes, [](auto& b) { directoryEntry(b, kSectionProductionTypes)->size = 2535; }},
    {"nine production types", kSectionProductionTypes, [](auto& b) { directoryEntry(b, kSectionProductionTypes)->count = 9; }},
    {"neutral block too long", kSectionNeutral, [](auto& b) { directoryEntry(b, kSectionNeutral)->count = 2; }},
    {"image past the end", kSectionFirstImage, [](auto& b) { directoryEntry(b, kSectionFirstImage)->size = 0x7FFFFFFF; }},
    {"image offset past the end", kSectionFirstImage, [](auto& b) { directoryEntry(b, kSectionFirstImage)->offset = 0xFFFFFFF0; }},
    {"trailer offset past the end", -1, [](auto& b) { b[b.size() - 1] = 0x7F; }},
};

TEST(MapReader, RefusesEachDamagedSectionAndLeavesTheDestinationAlone)
{
    const std::vector<uint8_t> good = writeScenarioBytes(smallScenarioFile());
    for (const Damage& d : kDamages) {
        std::vector<uint8_t> bytes = good;
        d.apply(bytes);
        ScenarioFile out;
        out.version = 99;
        MapFileError error = readScenarioBytes(bytes, out);
        EXPECT_TRUE(error) << d.name;
        EXPECT_EQ(error.section, d.section) << d.name << ": " << error.describe();
        EXPECT_EQ(out.version, 99) << d.name;
        EXPECT_TRUE(out.cells.empty()) << d.name;
    }
}

TEST(MapReader, ErrorSaysWhatAndWhere)
{
    std::vector<uint8_t> bytes = writeScenarioBytes(smallScenarioFile());
    directoryEntry(bytes, kSectionUnits + 1)->size = 155;
    ScenarioFile out;
    std::string text = readScenarioBytes(bytes, out).describe();
    EXPECT_NE(text.find("units of side 1"), std::string::npos) << text;
    EXPECT_NE(text.find("155"), std::string::npos) << text;
    EXPECT_NE(text.find("at byte"), std::string::npos) << text;
}

TEST(MapReader, TruncatedFilesNeverReadPastTheEnd)
{
    const std::vector<uint8_t> good = writeScenarioBytes(smallScenarioFile());
    for (size_t length = 0; length < good.size(); length += 97) {
        std::vector<uint8_t> cut(good.begin(), good.begin() + ptrdiff_t(length));
        ScenarioFile out;
        EXPECT_TRUE(readScenarioBytes(cut, out)) << length;
    }
}

}
