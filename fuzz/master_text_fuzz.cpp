// Feeds any bytes to one master text loader (chosen by the first byte) through a file in a
// scratch program folder; a damaged file is read, cut or refused, never overrun.
#include "state/game_state.h"
#include "state/text_file_reader.h"

#include "lib/error.h"
#include "platform/desktop/harness.h"
#include "platform/kernel/host.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace {

std::filesystem::path g_folder;

// The scratch program folder goes when the run ends, a finding's input being kept by libFuzzer.
struct ScratchFolder {
    ~ScratchFolder()
    {
        std::error_code ignored;
        if (!g_folder.empty())
            std::filesystem::remove_all(g_folder, ignored);
    }
} g_scratch;

void put(const char* name, const uint8_t* data, size_t size)
{
    std::filesystem::create_directories((g_folder / name).parent_path());
    std::ofstream(g_folder / name, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), std::streamsize(size));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("DERAZODO_HEADLESS", "1", 1);
    g_folder = std::filesystem::temp_directory_path() / ("derazodo-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(g_folder);
    platform::setProgramFolder(g_folder.string() + "/");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    static const char* const kFiles[] = { "land.dat", "warm.dat", "weapon.dat", "tkrule/class0.rul", "anthem.lst" };
    int which = data[0] % 5;
    put(kFiles[which], data + 1, size - 1);
    // The loaders' warnings are answered by the headless message-box policy, which keeps each.
    platform::harness::clearMessageBoxes();
    auto state = std::make_unique<GameState>();
    try {
        switch (which) {
        case 0: state->loadTerrainData(); break;
        case 1: state->loadArmamentData(0); break;
        case 2:
            put("warm.dat", reinterpret_cast<const uint8_t*>("a,b,1\r\n"), 7);
            state->loadArmamentData(0);
            state->loadWeaponData(0);
            break;
        case 3: state->loadRuleFile(); break;
        default: state->loadAnthemList(); break;
        }
    } catch (swCError* error) {
        std::unique_ptr<swCError> owned(error);
    }
    return 0;
}
