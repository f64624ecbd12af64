// Time and memory of the readers over files far larger than the program's own: a long history
// resumed, a history of one-byte records, master files of megabytes, a MIDI file of tempo changes
// and a one-bit picture of many pixels. The memory is the process's peak resident size above what
// it held when the work began ("added_MiB").
#include "bench/program_folder.h"
#include "bench/short_mode.h"
#include "lib/media/bitmap.h"
#include "platform/kernel/host.h"
#include "platform/media/midi_file.h"
#include "state/action_history.h"
#include "state/game_state.h"
#include "state/saved_game_file.h"
#include "ui/base_bitmaps.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <malloc.h>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

long statusKiB(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::strlen(field)));
    return 0;
}

// Blocks of a megabyte and more go back to the system when freed, so that what a setup freed is not
// still resident when the work begins and hides what the work takes.
[[maybe_unused]] const int g_fixedMmapThreshold = mallopt(M_MMAP_THRESHOLD, 1 << 20);

// The peak resident size from its construction on, above the size then.
class AddedMemory {
public:
    AddedMemory()
    {
        std::ofstream("/proc/self/clear_refs") << "5";
        m_start = statusKiB("VmRSS:");
    }
    void report(benchmark::State& state) const
    {
        state.counters["added_MiB"] = double(statusKiB("VmHWM:") - m_start) / 1024.0;
    }

private:
    long m_start = 0;
};

std::string hostFile(const std::string& name) { return platform::programFolder() + name; }
std::string gameFile(const std::string& name) { return platform::gamePathFromHost(hostFile(name)); }

void writeHost(const std::string& name, const std::string& bytes)
{
    fs::create_directories(fs::path(hostFile(name)).parent_path());
    std::ofstream(hostFile(name), std::ios::binary | std::ios::trunc) << bytes;
}

std::string readHost(const std::string& name)
{
    std::ifstream in(hostFile(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

uint32_t historyRecords() { return benchShortMode() ? 10'000 : ActionHistoryLog::kMaxRecords; }

// A saved game on the continent map with a history of that many records.
void saveWithHistory(const char* name, uint32_t records)
{
    auto game = startBenchGameState();
    fs::create_directories(hostFile("save"));
    const std::string map = readHost("tkmap/continent.vtm");
    game->loadMapImage(reinterpret_cast<const uint8_t*>(map.data()), map.size());
    for (uint32_t i = 0; i < records; ++i) {
        HistoryRecord record {};
        record.kind = uint16_t(i % 29);
        record.value = i;
        game->historyLog().append(record);
    }
    saveGameFile(*game, gameFile(name).c_str(), false);
}

// The most records a game keeps.
void resumeLongHistory(benchmark::State& state)
{
    saveWithHistory("save/long.wqm", historyRecords());
    auto game = startBenchGameState();
    AddedMemory memory;
    for (auto _ : state) {
        if (!loadGameFile(*game, gameFile("save/long.wqm").c_str()) || game->historyLog().count() != historyRecords())
            state.SkipWithError("the long history did not resume");
    }
    memory.report(state);
}
BENCHMARK(resumeLongHistory)->Unit(benchmark::kMillisecond)->Iterations(1);

// The same save with its history replaced by a megabyte of one-byte records.
void resumeBesideOneByteRecords(benchmark::State& state)
{
    saveWithHistory("save/short.wqm", 3);
    std::string history(8 + 1'000'000, '\x07');
    const uint32_t header[2] = { 1, 1'000'000 };
    std::memcpy(history.data(), header, sizeof header);
    writeHost(historySiblingPath("save/short.wqm", 'h'), history);
    auto game = startBenchGameState();
    AddedMemory memory;
    for (auto _ : state)
        benchmark::DoNotOptimize(loadGameFile(*game, gameFile("save/short.wqm").c_str()));
    memory.report(state);
}
BENCHMARK(resumeBesideOneByteRecords)->Unit(benchmark::kMillisecond)->Iterations(1);

// Lines of the generated file repeated to about a megabyte.
std::string repeatedLines(const std::string& text, size_t bytes)
{
    std::string out;
    while (out.size() < bytes)
        out += text;
    return out;
}

// Each unit type's five weapon names (columns 75, 79, ... 91) changed to names warm.dat lacks.
std::string withUnknownWeapons(const std::string& text)
{
    std::string out;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        std::vector<std::string> columns(1);
        for (char c : text.substr(start, end - start)) {
            if (c == ',')
                columns.emplace_back();
            else
                columns.back().push_back(c);
        }
        for (size_t slot = 74; slot < 94 && slot < columns.size(); slot += 4)
            columns[slot] = "unknown";
        for (size_t i = 0; i < columns.size(); ++i)
            out += (i ? "," : "") + columns[i];
        out += '\n';
    }
    return out;
}

// A game state started up afresh over the program folder as it stands.
void startUpEachIteration(benchmark::State& state)
{
    AddedMemory memory;
    for (auto _ : state) {
        auto game = std::make_unique<GameState>();
        game->startUp();
        benchmark::DoNotOptimize(game->unitTypes().size());
    }
    memory.report(state);
}

// warm.dat of a megabyte and weapon.dat of as many as the argument, every unit type naming
// weapons warm.dat lacks.
void startUpWithLargeWeaponFiles(benchmark::State& state)
{
    prepareBenchProgramFolder();
    const std::string warm = readHost("warm.dat"), weapons = readHost("weapon.dat");
    writeHost("warm.dat", repeatedLines(warm, 1 << 20));
    writeHost("weapon.dat", repeatedLines(withUnknownWeapons(weapons), size_t(state.range(0)) << 20));
    startUpEachIteration(state);
    writeHost("warm.dat", warm);
    writeHost("weapon.dat", weapons);
}
BENCHMARK(startUpWithLargeWeaponFiles)->Arg(1)->Arg(15)->Unit(benchmark::kMillisecond)->Iterations(1);

void startUpWithLargeAnthemList(benchmark::State& state)
{
    prepareBenchProgramFolder();
    const std::string anthems = readHost("anthem.lst");
    writeHost("anthem.lst", repeatedLines(anthems, 15 << 20));
    startUpEachIteration(state);
    writeHost("anthem.lst", anthems);
}
BENCHMARK(startUpWithLargeAnthemList)->Unit(benchmark::kMillisecond)->Iterations(1);

// Fifty megabytes of tempo changes in one track.
void readMidiOfTempoChanges(benchmark::State& state)
{
    const size_t events = (50u << 20) / 7;
    const size_t size = events * 7;
    std::vector<uint8_t> bytes = { 'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k',
        uint8_t(size >> 24), uint8_t(size >> 16), uint8_t(size >> 8), uint8_t(size) };
    bytes.reserve(bytes.size() + size);
    for (size_t i = 0; i < events; ++i)
        bytes.insert(bytes.end(), { 0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20 });
    AddedMemory memory;
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::media::parseMidiFile(bytes).has_value());
    memory.report(state);
}
BENCHMARK(readMidiOfTempoChanges)->Unit(benchmark::kMillisecond)->Iterations(1);

// A picture of 8192 x 8192 pixels at one bit each: an 8 MB file.
void loadOneBitPicture(benchmark::State& state)
{
    prepareBenchProgramFolder();
    const uint32_t width = 8192, height = 8192, pixels = width / 8 * height;
    std::string bmp(62 + pixels, '\x55');
    auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&bmp[at], &v, 4); };
    auto put16 = [&](size_t at, uint16_t v) { std::memcpy(&bmp[at], &v, 2); };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, uint32_t(bmp.size()));
    put32(6, 0);
    put32(10, 62);
    put32(14, 40);
    put32(18, width);
    put32(22, height);
    put16(26, 1);
    put16(28, 1);
    put32(30, 0);
    put32(34, pixels);
    put32(38, 2835);
    put32(42, 2835);
    put32(46, 2);
    put32(50, 0);
    put32(54, 0);
    put32(58, 0x00FFFFFF);
    writeHost("tkbmp/huge.bmp", bmp);
    AddedMemory memory;
    for (auto _ : state) {
        swCBitmap bitmap;
        benchmark::DoNotOptimize(loadPictureFile(bitmap, gameFile("tkbmp/huge.bmp")));
    }
    memory.report(state);
}
BENCHMARK(loadOneBitPicture)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
