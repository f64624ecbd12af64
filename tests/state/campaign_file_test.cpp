// The campaign file: the generated sample campaign read back, and damaged directories refused.
#include "tests/state/map_file_fixture.h"
#include "tests/state/state_test_support.h"

#include "state/campaign_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

using testing_state::DataFolder;

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

class CampaignFolder : public DataFolder {
public:
    void put(const std::string& bytes) { write("tkmap/c.vtc", bytes); }
    // Reads the record and every map the directory sizes; 1 when the reader took all of them.
    int readAll(CampaignRecord& record, std::vector<std::vector<uint8_t>>& maps)
    {
        CampaignReadTargets targets;
        targets.record = &record;
        maps.assign(kCampaignMapCount, {});
        for (int i = 0; i < kCampaignMapCount; ++i) {
            uint32_t size = campaignEntrySize(kPath, i);
            if (size == 0)
                continue;
            maps[size_t(i)].resize(size);
            targets.maps[size_t(i)] = maps[size_t(i)].data();
            targets.sizes[size_t(i)] = size;
        }
        return CampaignReader().read(targets, kPath);
    }
    int readRecord()
    {
        CampaignRecord record;
        CampaignReadTargets targets;
        targets.record = &record;
        return CampaignReader().read(targets, kPath);
    }
};

TEST(CampaignFile, GeneratedCampaignHoldsTwoStagesWithDeploymentHexesOnTheSecond)
{
    CampaignFolder folder;
    std::string bytes = generatedCampaign();
    ASSERT_FALSE(bytes.empty());
    folder.put(bytes);
    EXPECT_EQ(campaignFileVersion(bytes.data()), 1);

    CampaignRecord record;
    std::vector<std::vector<uint8_t>> maps;
    ASSERT_EQ(folder.readAll(record, maps), 1);
    EXPECT_EQ(std::string(record.name), platform::utf8ToCp932("北辺戦役"));
    EXPECT_EQ(record.mapCount, 2);
    EXPECT_EQ(record.stageRows[0][0], kCampaignGoToMap);
    EXPECT_EQ(record.stageRows[0][kStageRowTargetOffset], 1);
    EXPECT_EQ(record.stageRows[1][0], kCampaignEnds);
    EXPECT_EQ(campaignEntrySize(kPath, 2), 0u);

    ScenarioFile first, second;
    ASSERT_FALSE(readScenarioBytes(maps[0], first));
    ASSERT_FALSE(readScenarioBytes(maps[1], second));
    EXPECT_FALSE(first.units[0].empty());
    EXPECT_EQ(first.countries[0].controller, 1);
    int deployment_hexes = 0;
    for (const FileMapCell& cell : second.cells)
        deployment_hexes += cell.markBit0 == 1;
    EXPECT_GE(deployment_hexes, int(first.units[0].size()));
    for (const FileMapCell& cell : first.cells)
        EXPECT_EQ(cell.markBit0, 0);
}

TEST(CampaignFile, WrittenRecordAndMapsReadBackUnchanged)
{
    CampaignFolder folder;
    std::vector<uint8_t> map_a = writeScenarioBytes(smallScenarioFile());
    std::vector<uint8_t> map_c = {9, 8, 7};
    folder.put(asString(writeCampaignBytes(smallRecord(), {map_a, {}, map_c})));
    CampaignRecord record;
    std::vector<std::vector<uint8_t>> maps;
    ASSERT_EQ(folder.readAll(record, maps), 1);
    EXPECT_STREQ(record.name, "two maps");
    EXPECT_EQ(maps[0], map_a);
    EXPECT_TRUE(maps[1].empty());
    EXPECT_EQ(maps[2], map_c);
}

TEST(CampaignFile, RefusesHeadersAndMagicsItCannotTrust)
{
    CampaignFolder folder;
    const std::string good = asString(writeCampaignBytes(smallRecord(), {{1, 2, 3}}));
    auto refused = [&](std::string bytes) {
        folder.put(bytes);
        return folder.readRecord() == 0 && campaignEntrySize(kPath, 0) == 0;
    };
    std::string bytes = good;
    bytes[15] = '2';
    EXPECT_TRUE(refused(bytes)) << "unknown magic";
    EXPECT_EQ(campaignFileVersion(bytes.data()), -1);
    bytes = good;
    reinterpret_cast<MapFileHeader*>(bytes.data())->length = kCampaignHeaderCapacity + 1;
    EXPECT_TRUE(refused(bytes)) << "header past its buffer";
    reinterpret_cast<MapFileHeader*>(bytes.data())->length = 8;
    EXPECT_TRUE(refused(bytes)) << "header shorter than itself";
    EXPECT_TRUE(refused(good.substr(0, 10))) << "truncated header";
    folder.remove("tkmap/c.vtc");
    EXPECT_EQ(folder.readRecord(), 0);
    EXPECT_EQ(campaignEntrySize(kPath, 0), 0u);
}

TEST(CampaignFile, RefusesEntriesPastTheFileOrTheirBuffer)
{
    CampaignFolder folder;
    const std::string good = asString(writeCampaignBytes(smallRecord(), {{1, 2, 3}}));
    const uint32_t file_size = uint32_t(good.size());

    std::string bytes = good;
    entry(bytes, 0).size = kCampaignRecordSize + 1;
    folder.put(bytes);
    EXPECT_EQ(folder.readRecord(), 0) << "record larger than the record";
    entry(bytes, 0).size = 0;
    folder.put(bytes);
    EXPECT_EQ(folder.readRecord(), 0) << "empty record";

    bytes = good;
    entry(bytes, 1).offset = file_size - 2;
    folder.put(bytes);
    EXPECT_EQ(campaignEntrySize(kPath, 0), 0u) << "map running past the end";
    entry(bytes, 1).offset = 0xFFFFFFF0u;
    folder.put(bytes);
    EXPECT_EQ(campaignEntrySize(kPath, 0), 0u) << "offset and size overflowing";

    // A buffer sized for another length must not be overrun.
    folder.put(good);
    std::vector<uint8_t> small(2);
    CampaignReadTargets targets;
    targets.maps[0] = small.data();
    targets.sizes[0] = 2;
    EXPECT_EQ(CampaignReader().read(targets, kPath), 0);
    EXPECT_EQ(campaignEntrySize(kPath, -1), 0u);
    EXPECT_EQ(campaignEntrySize(kPath, kCampaignMapCount), 0u);
}

TEST(CampaignFile, ShortHeaderLeavesTheMissingEntriesEmpty)
{
    CampaignFolder folder;
    std::string bytes = asString(writeCampaignBytes(smallRecord(), {{1, 2, 3}, {4, 5}}));
    // The header now ends after the first map's entry.
    reinterpret_cast<MapFileHeader*>(bytes.data())->length = uint32_t(sizeof(MapFileHeader) + 2 * sizeof(MapDirectoryEntry));
    folder.put(bytes);
    EXPECT_EQ(folder.readRecord(), 1);
    EXPECT_EQ(campaignEntrySize(kPath, 0), 3u);
    EXPECT_EQ(campaignEntrySize(kPath, 1), 0u);
}

} // namespace
