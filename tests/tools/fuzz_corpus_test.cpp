// The fuzz corpus kept in the repository: every target has one, its seeds are files its reader
// accepts (a refused seed would teach the fuzzer nothing), and the inputs that once found a fault
// are read again here, where the sanitizer build watches them.
#include "app/map_renderer_impl.h"
#include "battle/battle_unit_data.h"
#include "battle/scene_shape.h"
#include "battle/sprite_image.h"
#include "lib/error.h"
#include "lib/file_link_reader.h"
#include "lib/media/wave_data.h"
#include "platform/kernel/ini_document.h"
#include "state/action_history.h"
#include "state/campaign_file.h"
#include "state/map_file.h"
#include "state/memory_read_stream.h"
#include "state/production_type_file.h"
#include "state/saved_game.h"
#include "state/user_production_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>

namespace {

namespace fs = std::filesystem;

const fs::path kFuzz = fs::path(DERAZODO_SOURCE_DIR) / "fuzz";

std::vector<uint8_t> bytesOf(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

bool linkArchiveReads(const std::vector<uint8_t>& bytes)
{
    MemoryLinkSource source(bytes.data(), bytes.size());
    const int version = linkDetectVersion(source);
    try {
        return version != linkVersionNone && !linkReadMember(source, version, 0).empty();
    } catch (swCError* error) {
        delete error;
        return false;
    }
}

bool waveReads(const std::vector<uint8_t>& bytes)
{
    try {
        return WaveData(bytes).dataSize() > 0;
    } catch (swCError* error) {
        delete error;
        return false;
    }
}

bool campaignReads(const std::vector<uint8_t>& bytes)
{
    CampaignRecord record;
    CampaignReadTargets targets;
    targets.record = &record;
    MemoryReadStream stream(bytes.data(), bytes.size());
    return CampaignReader().read(targets, stream, bytes.size()) == 1;
}

// Whether each reader takes a file whole. The master text target writes its input as a file and the
// briefing target takes any text, so both are left to the fuzz run; pictures are read by the
// layer's own tests.
const std::map<std::string, std::function<bool(const std::vector<uint8_t>&)>>& readers()
{
    static const std::map<std::string, std::function<bool(const std::vector<uint8_t>&)>> table = {
        { "map_reader", [](const auto& b) { ScenarioFile f; return !readScenarioBytes(std::span(b.data(), b.size()), f); } },
        { "saved_game", [](const auto& b) {
             auto image = std::make_unique<SavedGameImage>();
             MemoryReadStream stream(b.data(), b.size());
             return !readSavedGameImage(stream, *image);
         } },
        { "campaign", campaignReads },
        { "action_history", [](const auto& b) {
             MemoryReadStream stream(b.data(), b.size());
             ActionHistoryLog log;
             return log.read(stream) == HistoryReadResult::Whole && log.count() > 0;
         } },
        { "production_type", [](const auto& b) { std::vector<ProductionTypeRecord> r; return readProductionTypeFile(b.data(), b.size(), r) && !r.empty(); } },
        { "user_production", [](const auto& b) { ProductionTypeRecord r; return readUserProductionFile(std::span(b.data(), b.size()), r); } },
        { "file_link", linkArchiveReads },
        { "ini_document", [](const auto& b) {
             auto doc = platform::IniDocument::parse(std::string_view(reinterpret_cast<const char*>(b.data()), b.size()));
             return !doc.sectionNames().empty();
         } },
        { "map_sheet", [](const auto& b) { map_render::IndexedSheet s; return map_render::readIndexedSheet(b, s); } },
        { "wav", waveReads },
        { "battle_unit_data", [](const auto& b) {
             BattleUnitData table;
             table.readFile(std::span(b.data(), b.size()));
             return !table.empty();
         } },
        { "scene_shape", [](const auto& b) { return !decodeShapeFile(std::span(b.data(), b.size())).empty(); } },
        { "sprite", [](const auto& b) { SpriteImage sprite; return decodeSprite(std::span(b.data(), b.size()), sprite); } },
    };
    return table;
}

} // namespace

TEST(FuzzCorpus, EveryTargetHasAFolderOfInputs)
{
    int targets = 0;
    for (const auto& entry : fs::directory_iterator(kFuzz)) {
        const std::string name = entry.path().filename().string();
        const std::string suffix = "_fuzz.cpp";
        if (name.size() <= suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
            continue;
        const fs::path folder = kFuzz / "corpus" / name.substr(0, name.size() - suffix.size());
        ++targets;
        ASSERT_TRUE(fs::is_directory(folder)) << folder;
        EXPECT_FALSE(fs::is_empty(folder)) << folder;
    }
    EXPECT_GE(targets, 16);
}

TEST(FuzzCorpus, SeedsAreAcceptedByTheirReadersAndFaultsReadWithoutHarm)
{
    int seeds = 0;
    for (const auto& [target, reads] : readers()) {
        for (const auto& entry : fs::directory_iterator(kFuzz / "corpus" / target)) {
            const std::string name = entry.path().filename().string();
            const bool accepted = reads(bytesOf(entry.path()));
            // A fault input may be refused or read: what counts is that the sanitizers stay quiet.
            if (name.rfind("seed-", 0) == 0) {
                EXPECT_TRUE(accepted) << target << "/" << name;
                ++seeds;
            }
        }
    }
    EXPECT_GE(seeds, 16);
}
