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
#include "platform/gdi/bmp_reader.h"
#include "platform/kernel/ini_document.h"
#include "platform/media/midi_file.h"
#include "state/action_history.h"
#include "state/campaign_file.h"
#include "state/map_file.h"
#include "state/memory_read_stream.h"
#include "state/production_type_file.h"
#include "state/saved_game.h"
#include "state/user_production_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <malloc.h>
#include <new>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>

namespace {

// Every allocation of this test is counted, so that what a reader holds can be bounded: past the
// budget an allocation fails as it would where the memory is not there.
std::atomic<bool> g_watching { false }, g_overBudget { false };
std::atomic<int64_t> g_live { 0 };
int64_t g_budget = 0;

void* countedNew(size_t size, bool throws)
{
    void* p = nullptr;
    if (!g_watching || g_live + int64_t(size) <= g_budget)
        p = std::malloc(size ? size : 1);
    else
        g_overBudget = true;
    if (!p && throws)
        throw std::bad_alloc();
    if (p && g_watching)
        g_live += int64_t(malloc_usable_size(p));
    return p;
}

void countedDelete(void* p)
{
    if (p && g_watching)
        g_live -= int64_t(malloc_usable_size(p));
    std::free(p);
}

} // namespace

// Every form but the aligned ones, which stay as they were: each pair must meet.
void* operator new(size_t size) { return countedNew(size, true); }
void* operator new[](size_t size) { return countedNew(size, true); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return countedNew(size, false); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return countedNew(size, false); }
void operator delete(void* p) noexcept { countedDelete(p); }
void operator delete[](void* p) noexcept { countedDelete(p); }
void operator delete(void* p, size_t) noexcept { countedDelete(p); }
void operator delete[](void* p, size_t) noexcept { countedDelete(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { countedDelete(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { countedDelete(p); }

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
    std::vector<uint8_t> map;
    MemoryReadStream stream(bytes.data(), bytes.size());
    MemoryReadStream reading(bytes.data(), bytes.size());
    return !readCampaignRecord(stream, bytes.size(), record) && !readCampaignMap(reading, bytes.size(), 0, map);
}

// Whether each reader takes a file whole. The master text target writes its input as a file and the
// briefing target takes any text, so both are left to the fuzz run.
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
        // Each record read is also written as the history window's text, as the fuzz target does.
        { "action_history", [](const auto& b) {
             MemoryReadStream stream(b.data(), b.size());
             ActionHistoryLog log;
             const bool whole = log.read(stream, b.size()) == HistoryReadResult::Whole;
             std::string line;
             for (uint32_t i = 0; i < log.count() && i < 64; ++i)
                 log.writeText(log.record(i), line);
             return whole && log.count() > 0;
         } },
        { "production_type", [](const auto& b) { std::vector<ProductionTypeRecord> r; return readProductionTypeFile(b.data(), b.size(), r) == FileFault::None && !r.empty(); } },
        { "user_production", [](const auto& b) { ProductionTypeRecord r; return readUserProductionFile(std::span(b.data(), b.size()), r); } },
        { "file_link", linkArchiveReads },
        { "ini_document", [](const auto& b) {
             auto doc = platform::IniDocument::parse(std::string_view(reinterpret_cast<const char*>(b.data()), b.size()));
             return !doc.sectionNames().empty();
         } },
        { "map_sheet", [](const auto& b) { map_render::IndexedSheet s; return map_render::readIndexedSheet(b, s) == FileFault::None; } },
        { "wav", waveReads },
        { "battle_unit_data", [](const auto& b) {
             BattleUnitData table;
             table.readFile(std::span(b.data(), b.size()));
             return !table.empty();
         } },
        { "scene_shape", [](const auto& b) { return !decodeShapeFile(std::span(b.data(), b.size())).empty(); } },
        { "sprite", [](const auto& b) { SpriteImage sprite; return decodeSprite(std::span(b.data(), b.size()), sprite); } },
        { "bmp", [](const auto& b) { return bool(bmpReadBytes(b)); } },
        { "midi", [](const auto& b) { return platform::media::parseMidiFile(b).has_value(); } },
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

// A hostile input's header claims more than its file holds, or than the program keeps: it is
// refused before anything of that size is allocated. Each is lengthened with zeros to 1 MiB and to
// 2 MiB, so that a reader sizing its work by the bytes alone would go far past the bound.
TEST(FuzzCorpus, SeedsAreAcceptedByTheirReadersAndFaultsReadWithoutHarm)
{
    int seeds = 0, hostile = 0;
    for (const auto& [target, reads] : readers()) {
        for (const auto& entry : fs::directory_iterator(kFuzz / "corpus" / target)) {
            const std::string name = entry.path().filename().string();
            std::vector<uint8_t> bytes = bytesOf(entry.path());
            if (name.rfind("hostile-", 0) != 0) {
                bool accepted = false;
                try {
                    accepted = reads(bytes);
                } catch (const std::bad_alloc&) {
                }
                // A fault input may be refused or read: what counts is that the sanitizers stay quiet.
                if (name.rfind("seed-", 0) == 0) {
                    EXPECT_TRUE(accepted) << target << "/" << name;
                    ++seeds;
                }
                continue;
            }
            ++hostile;
            for (size_t length : { size_t(1) << 20, size_t(2) << 20 }) {
                bytes.resize(std::max(bytes.size(), length));
                g_budget = 4 * int64_t(bytes.size()) + (int64_t(1) << 20);
                g_live = 0;
                g_overBudget = false;
                g_watching = true;
                bool accepted = true;
                try {
                    accepted = reads(bytes);
                } catch (const std::bad_alloc&) {
                }
                g_watching = false;
                EXPECT_FALSE(accepted || g_overBudget) << target << "/" << name << " of " << bytes.size()
                                                       << " bytes within " << g_budget << " bytes";
            }
        }
    }
    EXPECT_GE(seeds, 16);
    EXPECT_GE(hostile, 15);
}
