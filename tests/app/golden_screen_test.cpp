// The whole screen with the main window on the training map, at each zoom, against the images
// kept in tests/app/golden/.
//
// To refresh them after a deliberate change of the art or the layout, build, then run in the
// program folder:
//   DERAZODO_HEADLESS=1 DERAZODO_UPDATE_GOLDEN=1 ../tests/app/app_tests --gtest_filter='GoldenScreen*'
// look at each rewritten tests/app/golden/*.png, and commit them. A failing run writes the screen
// and a map of the differing pixels (red) into DERAZODO_SHOTS, else the system's temporary folder.
#include "app/map_window.h"
#include "rules/game_thread.h"
#include "tests/app/image_compare.h"
#include "tests/app/main_window_world.h"
#include "ui/private_messages.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using main_window_test::World;
using testing_app::Image;

constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 960;
// Font edges and blended marks may move a little between machines; a broken map moves far more.
constexpr int kChannelTolerance = 40;
constexpr double kDifferingShare = 0.0025;

fs::path goldenPath(int zoom) { return fs::path(DERAZODO_SOURCE_DIR) / "tests/app/golden" / ("main_window_z" + std::to_string(16 * (zoom + 1)) + ".png"); }

bool updating()
{
    const char* value = std::getenv("DERAZODO_UPDATE_GOLDEN");
    return value && std::string(value) == "1";
}

fs::path failureFolder()
{
    const char* shots = std::getenv("DERAZODO_SHOTS");
    const fs::path folder = shots && *shots ? fs::path(shots) : fs::temp_directory_path() / "derazodo-golden";
    fs::create_directories(folder);
    return folder;
}

class GoldenScreen : public ::testing::TestWithParam<int> { };

bool readGolden(const fs::path& golden, Image& image)
{
    std::string error;
    if (testing_app::readPngFile(golden.string(), image, error))
        return true;
    ADD_FAILURE() << golden << ": " << error << " (DERAZODO_UPDATE_GOLDEN=1 writes it)";
    return false;
}

HWND mapWindowIn(HWND main)
{
    HWND found = nullptr;
    EnumChildWindows(main, [](HWND child, LPARAM out) -> BOOL {
        char name[64] = {};
        GetClassNameA(child, name, sizeof name);
        if (std::string(name) != MapWindow::kClassName)
            return TRUE;
        *reinterpret_cast<HWND*>(out) = child;
        return FALSE;
    }, LPARAM(&found));
    return found;
}

// The desktop takes its size when it starts, at the first window call of the process.
void askForTheScreenSize() { setenv("DERAZODO_SCREEN", "1280x960", 1); }

bool screenHasTheSize() { return GetSystemMetrics(SM_CXSCREEN) == kScreenWidth && GetSystemMetrics(SM_CYSCREEN) == kScreenHeight; }

// The whole screen once the person's first action phase waits, the map at that zoom; empty after a
// failure. change is made after the zoom is set, then the map is drawn again.
Image screenOnTrainingMap(World& world, int zoom, const std::function<void()>& change = {})
{
    Image screen;
    [&] {
        ASSERT_TRUE(world.startGame());
        world.window().setZoom(zoom);
        if (change) {
            change();
            HWND map = mapWindowIn(world.handle());
            ASSERT_NE(map, nullptr);
            SendMessageA(map, ui_message::kMapFullRefresh, 0, 0);
        }
        World::pump();
        ASSERT_TRUE(platform::harness::waitIdle());
        screen = platform::harness::readScreen();
        ASSERT_EQ(screen.width, kScreenWidth);
        ASSERT_EQ(screen.height, kScreenHeight);
    }();
    world.quit();
    return screen;
}

Image patterned(int width, int height)
{
    Image image;
    image.width = width;
    image.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.pixels.push_back(uint32_t(x * 37 + y * 11) << 16 ^ uint32_t(x * y) << 8 ^ uint32_t(255 - x - y) % 256);
    return image;
}

std::vector<uint8_t> pngBytes(const Image& image)
{
    const fs::path path = fs::temp_directory_path() / ("derazodo-png-" + std::to_string(::getpid()) + ".png");
    EXPECT_TRUE(platform::harness::writePng(image, path.string()));
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    fs::remove(path);
    return bytes;
}

void putBE32(std::vector<uint8_t>& bytes, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + size_t(i)] = uint8_t(v >> (24 - 8 * i));
}

// The header chunk's fields sit at 16 (width), 20 (height), 24.. (depth, colour, ...); its CRC at 29.
void resealHeader(std::vector<uint8_t>& bytes) { putBE32(bytes, 29, uint32_t(crc32(0, bytes.data() + 12, 17))); }

} // namespace

TEST_P(GoldenScreen, MainWindowOnTheTrainingMapMatchesTheKeptImage)
{
    askForTheScreenSize();
    World world;
    if (!screenHasTheSize())
        GTEST_SKIP() << "the desktop of this process started at another size";
    const Image screen = screenOnTrainingMap(world, GetParam());
    if (screen.pixels.empty())
        return;

    const fs::path golden = goldenPath(GetParam());
    if (updating()) {
        fs::create_directories(golden.parent_path());
        ASSERT_TRUE(platform::harness::writePng(screen, golden.string())) << golden;
        return;
    }
    Image expected;
    ASSERT_TRUE(readGolden(golden, expected));
    const testing_app::ImageDifference difference = testing_app::compareImages(expected, screen, kChannelTolerance);
    ASSERT_TRUE(difference.sameSize) << "the kept image is " << expected.width << " x " << expected.height;
    if (difference.share() > kDifferingShare) {
        const fs::path folder = failureFolder();
        const std::string stem = golden.stem().string();
        platform::harness::writePng(screen, (folder / (stem + "_actual.png")).string());
        platform::harness::writePng(testing_app::differenceImage(expected, screen, kChannelTolerance),
            (folder / (stem + "_difference.png")).string());
        ADD_FAILURE() << difference.differing << " of " << difference.total << " pixels differ (largest channel gap "
                      << difference.largest << "); the screen and the difference are in " << folder;
    }
}

// The person's first turn is drawn as a fresh start of the view draws it: for the viewing country,
// with its fog (the training map plays with fog), not with the view of the turn before.
TEST(GoldenScreenView, FirstTurnIsDrawnForThePersonAsAFreshViewDrawsIt)
{
    askForTheScreenSize();
    World world;
    ASSERT_TRUE(world.startGame());
    ASSERT_TRUE(world.state().ruleOn(kRuleSearch)) << "the training map plays with fog";
    World::pump();
    ASSERT_TRUE(platform::harness::waitIdle());
    HWND map = mapWindowIn(world.handle());
    ASSERT_NE(map, nullptr);
    RECT area {};
    GetWindowRect(map, &area);
    const Image shown = platform::harness::readRect(area);
    SendMessageA(map, ui_message::kMapFullRefresh, 0, 0);
    World::pump();
    ASSERT_TRUE(platform::harness::waitIdle());
    EXPECT_EQ(testing_app::compareImages(shown, platform::harness::readRect(area), 0).differing, 0u);
    world.quit();
}

// The tolerance must not hide a map whose one terrain type is drawn as another.
TEST(GoldenScreenTolerance, OneTerrainTypeDrawnAsAnotherFailsTheComparison)
{
    if (updating())
        GTEST_SKIP() << "the kept images are being rewritten";
    const int zoom = 1;
    askForTheScreenSize();
    World world;
    if (!screenHasTheSize())
        GTEST_SKIP() << "the desktop of this process started at another size";
    Image expected;
    ASSERT_TRUE(readGolden(goldenPath(zoom), expected));
    GameState& state = world.state();
    std::function<void()> breakTerrain = [&] {
        const int cells = state.mapWidth() * state.mapHeight();
        TerrainCell* grid = state.terrainGrid();
        const TerrainCell donor = grid[0];
        const uint8_t victim = grid[cells / 2].terrain;
        ASSERT_NE(victim, donor.terrain);
        for (int i = 0; i < cells; ++i)
            if (grid[i].terrain == victim) {
                grid[i].terrain = donor.terrain;
                grid[i].displayCode = donor.displayCode;
            }
    };
    const Image screen = screenOnTrainingMap(world, zoom, breakTerrain);
    if (screen.pixels.empty())
        return;
    EXPECT_GT(testing_app::compareImages(expected, screen, kChannelTolerance).share(), kDifferingShare);
}

INSTANTIATE_TEST_SUITE_P(Zooms, GoldenScreen, testing::Values(0, 1, 2),
    [](const testing::TestParamInfo<int>& info) { return "z" + std::to_string(16 * (info.param + 1)); });

TEST(GoldenImageFile, WrittenImageReadsBackPixelForPixel)
{
    // Up to 256 colours the file keeps a palette (colour type 3 at byte 25), past that full colour.
    struct Case {
        int width;
        int height;
        uint32_t colours;
        uint8_t colourType;
    };
    const Case cases[] = { { 37, 23, 0, 2 }, { 5, 3, 1, 3 }, { 64, 9, 256, 3 }, { 64, 9, 257, 2 } };
    for (const Case& c : cases) {
        Image image = patterned(c.width, c.height);
        if (c.colours)
            for (size_t i = 0; i < image.pixels.size(); ++i)
                image.pixels[i] = uint32_t(i % c.colours) * 0x010307 ^ 0xFF000000u;
        const std::vector<uint8_t> bytes = pngBytes(image);
        ASSERT_GT(bytes.size(), 25u);
        EXPECT_EQ(bytes[25], c.colourType) << c.colours << " colours";
        Image read;
        std::string error;
        ASSERT_TRUE(testing_app::decodePng(bytes.data(), bytes.size(), read, error)) << error;
        ASSERT_EQ(read.width, c.width);
        ASSERT_EQ(read.height, c.height);
        for (size_t i = 0; i < image.pixels.size(); ++i)
            ASSERT_EQ(read.pixels[i], image.pixels[i] & 0xFFFFFF) << c.colours << " colours, pixel " << i;
    }
}

TEST(GoldenImageFile, ReaderRefusesSizesAndLengthsTheFileCannotBack)
{
    const std::vector<uint8_t> good = pngBytes(patterned(40, 10));
    ASSERT_EQ(good[25], 2) << "a full-colour file to damage";
    struct Damage {
        const char* what;
        void (*apply)(std::vector<uint8_t>&);
    };
    const Damage damages[] = {
        { "cut short", [](std::vector<uint8_t>& b) { b.resize(b.size() / 2); } },
        { "chunk longer than the file", [](std::vector<uint8_t>& b) { putBE32(b, 33, 0x7FFFFFF0); } },
        { "wider than its pixels", [](std::vector<uint8_t>& b) { putBE32(b, 16, 41); resealHeader(b); } },
        { "taller than its pixels", [](std::vector<uint8_t>& b) { putBE32(b, 20, 4000); resealHeader(b); } },
        { "absurd width", [](std::vector<uint8_t>& b) { putBE32(b, 16, 0x40000000); resealHeader(b); } },
        { "zero height", [](std::vector<uint8_t>& b) { putBE32(b, 20, 0); resealHeader(b); } },
        { "palette colour type without a palette", [](std::vector<uint8_t>& b) { b[25] = 3; resealHeader(b); } },
        { "header checksum wrong", [](std::vector<uint8_t>& b) { b[16] ^= 1; } },
        { "not a PNG", [](std::vector<uint8_t>& b) { b[1] = 'Q'; } },
    };
    for (const Damage& damage : damages) {
        std::vector<uint8_t> bytes = good;
        damage.apply(bytes);
        Image read = patterned(2, 2);
        std::string error;
        EXPECT_FALSE(testing_app::decodePng(bytes.data(), bytes.size(), read, error)) << damage.what;
        EXPECT_FALSE(error.empty()) << damage.what;
        EXPECT_TRUE(read.pixels.empty()) << damage.what;
    }
}

TEST(GoldenImageFile, ToleranceAbsorbsSmallGapsButCountsABrokenPatch)
{
    const Image expected = patterned(64, 64);
    Image jitter = expected;
    for (uint32_t& c : jitter.pixels)
        c ^= 0x070307;
    EXPECT_EQ(testing_app::compareImages(expected, jitter, 8).differing, 0u);
    EXPECT_GT(testing_app::compareImages(expected, jitter, 0).differing, 0u);

    Image broken = expected;
    for (int y = 10; y < 20; ++y)
        for (int x = 30; x < 40; ++x)
            broken.pixels[size_t(y) * 64 + size_t(x)] ^= 0x808080;
    const testing_app::ImageDifference d = testing_app::compareImages(expected, broken, 40);
    EXPECT_TRUE(d.sameSize);
    EXPECT_EQ(d.differing, 100u);
    EXPECT_EQ(d.largest, 128);
    EXPECT_FALSE(testing_app::compareImages(expected, patterned(64, 63), 40).sameSize);
}
