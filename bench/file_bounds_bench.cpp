// The time the readers take over files far larger than the program's own: a long history resumed,
// a history of one-byte records, master files of a megabyte, a MIDI file of tempo changes and a
// one-bit picture of many pixels. Their memory is measured by running one at a time under a
// timer of the whole process (each is kept to its own benchmark for that).
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
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

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

// A saved game on the continent map whose history holds the most records a game keeps.
void saveLongHistory(const char* name)
{
    auto game = startBenchGameState();
    const std::string map = readHost("tkmap/continent.vtm");
    game->loadMapImage(reinterpret_cast<const uint8_t*>(map.data()), map.size());
    for (uint32_t i = 0; i < historyRecords(); ++i) {
        HistoryRecord record {};
        record.kind = uint16_t(i % 29);
        record.value = i;
        game->historyLog().append(record);
    }
    saveGameFile(*game, gameFile(name).c_str(), false);
}

void resumeLongHistory(benchmark::State& state)
{
    saveLongHistory("save/long.wqm");
    auto game = startBenchGameState();
    for (auto _ : state) {
        if (!loadGameFile(*game, gameFile("save/long.wqm").c_str()) || game->historyLog().count() != historyRecords())
            state.SkipWithError("the long history did not resume");
    }
}
BENCHMARK(resumeLongHistory)->Unit(benchmark::kMillisecond)->Iterations(1);

// The same save with its history replaced by a megabyte of one-byte records.
void resumeBesideOneByteRecords(benchmark::State& state)
{
    saveLongHistory("save/short.wqm");
    std::string history(8 + 1'000'000, '\x07');
    const uint32_t header[2] = { 1, 1'000'000 };
    std::memcpy(history.data(), header, sizeof header);
    writeHost(historySiblingPath("save/short.wqm", 'h'), history);
    auto game = startBenchGameState();
    for (auto _ : state)
        benchmark::DoNotOptimize(loadGameFile(*game, gameFile("save/short.wqm").c_str()));
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

// warm.dat and weapon.dat of a megabyte each, every unit type naming weapons warm.dat lacks.
void startUpWithLargeWeaponFiles(benchmark::State& state)
{
    prepareBenchProgramFolder();
    const std::string warm = readHost("warm.dat"), weapons = readHost("weapon.dat");
    writeHost("warm.dat", repeatedLines(warm, 1 << 20));
    writeHost("weapon.dat", repeatedLines(withUnknownWeapons(weapons), 1 << 20));
    for (auto _ : state) {
        auto game = std::make_unique<GameState>();
        game->startUp();
        benchmark::DoNotOptimize(game->unitTypes().size());
    }
    writeHost("warm.dat", warm);
    writeHost("weapon.dat", weapons);
}
BENCHMARK(startUpWithLargeWeaponFiles)->Unit(benchmark::kMillisecond)->Iterations(1);

void startUpWithLargeAnthemList(benchmark::State& state)
{
    prepareBenchProgramFolder();
    const std::string anthems = readHost("anthem.lst");
    writeHost("anthem.lst", repeatedLines(anthems, (16 << 20) - anthems.size()));
    for (auto _ : state) {
        auto game = std::make_unique<GameState>();
        game->startUp();
        benchmark::DoNotOptimize(game->anthemNames().size());
    }
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
    for (size_t i = 0; i < events; ++i)
        bytes.insert(bytes.end(), { 0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20 });
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::media::parseMidiFile(bytes).has_value());
}
BENCHMARK(readMidiOfTempoChanges)->Unit(benchmark::kMillisecond)->Iterations(1);

// A picture of 16384 x 4097 pixels at one bit each: an 8 MB file.
void loadOneBitPicture(benchmark::State& state)
{
    prepareBenchProgramFolder();
    const uint32_t width = 16384, height = 4097, pixels = width / 8 * height;
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
    for (auto _ : state) {
        swCBitmap bitmap;
        benchmark::DoNotOptimize(loadPictureFile(bitmap, gameFile("tkbmp/huge.bmp")));
    }
}
BENCHMARK(loadOneBitPicture)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
