// The campaign file: the generated sample campaign read back, and damaged directories refused.
#include "tests/state/state_test_support.h"

#include "state/campaign_file.h"
#include "state/map_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <fstream>

namespace {

constexpr char kPath[] = "tkmap\\c.vtc";

std::string generatedCampaign()
{
    std::ifstream in(std::filesystem::path(DERAZODO_PROGRAM_DIR) / "tkmap" / "border.vtc", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

CampaignRecord smallRecord()
{
    CampaignRecord record {};
    std::strcpy(record.name, "two maps");
    record.mapCount = 2;
    return record;
}

std::string asString(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

MapDirectoryEntry& entry(std::string& bytes, int i)
{
    return *reinterpret_cast<MapDirectoryEntry*>(bytes.data() + sizeof(MapFileHeader) + size_t(i) * sizeof(MapDirectoryEntry));
}

class CampaignFolder : public testing_state::DataFolder {
public:
    void put(const std::string& bytes) { write("tkmap/c.vtc", bytes); }
    // Reads the record and every map the directory holds, a map it does not hold left empty;
    // false when the record is refused.
    bool readAll(CampaignRecord& record, std::vector<std::vector<uint8_t>>& maps)
    {
        maps.assign(kCampaignMapCount, {});
        for (int i = 0; i < kCampaignMapCount; ++i)
            readCampaignMap(kPath, i, maps[size_t(i)]);
        return !readCampaignRecord(kPath, record);
    }
};

TEST(CampaignFile, GeneratedCampaignHoldsTwoStagesWithDeploymentHexesOnTheSecond)
{
    CampaignFolder folder;
    std::string bytes = generatedCampaign();
    ASSERT_GT(bytes.size(), size_t(kCampaignMagicSize));
    EXPECT_EQ(campaignFileVersion(bytes.data()), 1);
    folder.put(bytes);

    CampaignRecord record;
    std::vector<std::vector<uint8_t>> maps;
    ASSERT_TRUE(folder.readAll(record, maps));
    EXPECT_EQ(std::string(record.name), platform::utf8ToCp932("北辺戦役"));
    EXPECT_EQ(record.mapCount, 2);
    EXPECT_EQ(record.stageRows[0][0], kCampaignGoToMap);
    EXPECT_EQ(record.stageRows[0][kStageRowTargetOffset], 1);
    EXPECT_EQ(record.stageRows[1][0], kCampaignEnds);
    EXPECT_TRUE(maps[2].empty());

    ScenarioFile first, second;
    ASSERT_FALSE(readScenarioBytes(maps[0], first));
    ASSERT_FALSE(readScenarioBytes(maps[1], second));
    EXPECT_FALSE(first.units[0].empty());
    EXPECT_EQ(first.countries[0].controller, 1);
    int deployment_hexes = 0;
    for (const FileMapCell& cell : second.cells)
        deployment_hexes += cell.markBit0 == 1;
    EXPECT_GE(deployment_hexes, int(first.units[0].size()));
}

TEST(CampaignFile, ShortHeaderLeavesTheEntriesItDoesNotHoldEmpty)
{
    CampaignFolder folder;
    std::string bytes = asString(writeCampaignBytes(smallRecord(), {{1, 2, 3}, {4, 5}}));
    reinterpret_cast<MapFileHeader*>(bytes.data())->length = uint32_t(sizeof(MapFileHeader) + 2 * sizeof(MapDirectoryEntry));
    folder.put(bytes);
    CampaignRecord record;
    std::vector<std::vector<uint8_t>> maps;
    ASSERT_TRUE(folder.readAll(record, maps));
    EXPECT_STREQ(record.name, "two maps");
    EXPECT_EQ(maps[0], (std::vector<uint8_t> {1, 2, 3}));
    EXPECT_TRUE(maps[1].empty());
}

TEST(CampaignFile, RefusesWhatItCannotTrust)
{
    CampaignFolder folder;
    const std::string good = asString(writeCampaignBytes(smallRecord(), {{1, 2, 3}}));
    auto header = [](std::string& b) { return reinterpret_cast<MapFileHeader*>(b.data()); };
    const std::vector<std::pair<const char*, std::function<void(std::string&)>>> damage = {
        { "unknown magic", [](std::string& b) { b[15] = '2'; } },
        { "header past its buffer", [&](std::string& b) { header(b)->length = kCampaignHeaderCapacity + 1; } },
        { "header shorter than itself", [&](std::string& b) { header(b)->length = 8; } },
        { "truncated header", [](std::string& b) { b.resize(10); } },
        { "record larger than the record", [](std::string& b) { entry(b, 0).size = kCampaignRecordSize + 1; } },
        { "empty record", [](std::string& b) { entry(b, 0).size = 0; } },
        { "map past the end", [](std::string& b) { entry(b, 1).offset = uint32_t(b.size() - 2); } },
        { "offset and size overflowing", [](std::string& b) { entry(b, 1).offset = 0xFFFFFFF0u; } },
    };
    for (const auto& [what, change] : damage) {
        std::string bytes = good;
        change(bytes);
        folder.put(bytes);
        CampaignRecord record;
        std::vector<uint8_t> map;
        EXPECT_TRUE(readCampaignRecord(kPath, record) || readCampaignMap(kPath, 0, map)) << what;
        EXPECT_TRUE(map.empty()) << what;
    }
    EXPECT_EQ(campaignFileVersion("ZAFRONCAMP000002"), -1);

    folder.put(good);
    std::vector<uint8_t> map;
    EXPECT_TRUE(readCampaignMap(kPath, -1, map) && readCampaignMap(kPath, kCampaignMapCount, map));
    folder.remove("tkmap/c.vtc");
    EXPECT_EQ(readCampaignMap(kPath, 0, map).fault, FileFault::Missing);
}

} // namespace
