// Every weapon kind's launch and incoming effect at every frame from t = -2 to 80, for both sides,
// narrow and wide, every size step, targets near the window's edges: nothing lands outside the
// buffer the side draws into (and, under the address sanitiser, nothing is read outside a sprite).
// A set of frames of each kind is kept as checksums in tests/battle/golden/effect_checksums.txt.
//
// After a deliberate change of the painters or the weapon pictures, rewrite the checksums with
//   DERAZODO_HEADLESS=1 DERAZODO_UPDATE_GOLDEN=1 ctest -R EffectSweep
// and look at the scenes of SceneFrames before committing the file.
#include "tests/battle/effect_rig.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

namespace {

using namespace effect_test;
using scene_test::SceneRig;

constexpr uint16_t kSentinel = 0x1234;

std::filesystem::path goldenPath()
{
    return std::filesystem::path(DERAZODO_SOURCE_DIR) / "tests/battle/golden/effect_checksums.txt";
}

bool updating()
{
    const char* value = std::getenv("DERAZODO_UPDATE_GOLDEN");
    return value && std::string(value) == "1";
}

// The buffers a side does not draw into keep the sentinel everywhere.
bool untouchedExcept(int side)
{
    SceneState& st = sceneState();
    const SceneBitmap& own = st.wide[size_t(side)] ? st.wideBuffer : st.buffers[size_t(side)];
    for (const SceneBitmap* b : { &st.buffers[0], &st.buffers[1], &st.wideBuffer }) {
        if (b == &own)
            continue;
        const uint16_t* bits = b->bits();
        for (size_t i = 0; i < size_t(b->stride()) * kSceneHeight; ++i)
            if (bits[i] != kSentinel)
                return false;
    }
    return true;
}

// Four pixels a step (the buffers' widths are multiples of four): the sweep hashes many frames.
void hashBuffer(uint64_t& h, int side)
{
    const SceneTarget t = LiveClashWindow::target(side);
    for (int i = 0; i + 4 <= t.width * kSceneHeight; i += 4) {
        uint64_t four = 0;
        std::memcpy(&four, t.bits + i, sizeof four);
        h = (h ^ four) * 1099511628211ull;
    }
}

std::string hex(uint64_t h)
{
    char text[20];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

constexpr int kKeptFrames[] = { -1, 0, 4, 9, 16, 24, 33, 45, 60 };

// One test a firing side, so that ctest sweeps the two side by side; the defender's keeps the frames.
class EffectSweepOfSide : public ::testing::TestWithParam<int> { };

TEST_P(EffectSweepOfSide, EveryKindStaysInItsBufferAndKeepsItsFrames)
{
    const int firing = GetParam();
    SceneRig rig;
    ASSERT_TRUE(rig.ready);
    SceneState& st = sceneState();
    std::map<std::string, std::string> golden;
    {
        std::ifstream in(goldenPath());
        std::string key, sum;
        while (in >> key >> sum)
            golden[key] = sum;
    }
    std::ostringstream fresh;
    for (int kind = 1; kind <= 83; ++kind)
        for (int background : { 5, 58, 60 }) {
            const int target = 1 - firing;
            for (int wide = 0; wide < 2; ++wide) {
                arm(firing, kind, background, 40, 30);
                st.sides[size_t(firing)].background = background;
                st.sides[size_t(firing)].sceneKind = kind % 2 ? 5 : 0;
                // The launch: four figures, one per size step, near the edges as well.
                st.wide = { false, false };
                st.wide[size_t(firing)] = wide != 0;
                fillBuffers(kSentinel);
                for (int t = -2; t <= 80; ++t)
                    for (int step = 0; step < 4; ++step)
                        drawLaunchEffect(t, firing, step * 150 - 20, step * 100 - 10, step, step);
                EXPECT_TRUE(untouchedExcept(firing)) << "launch of kind " << kind;
                st.wide = { false, false };
                st.wide[size_t(target)] = wide != 0;
                fillBuffers(kSentinel);
                for (int t = -2; t <= 80; ++t)
                    for (int step = 0; step < 4; ++step)
                        drawIncomingEffect(t, target, step * 170 - 10, step * 105 - 15, step, step % 2, step, step == 3);
                EXPECT_TRUE(untouchedExcept(target)) << "incoming kind " << kind;
            }
            // The kept frames: the defender fires at the attacker, both narrow.
            if (firing != 1)
                continue;
            st.wide = { false, false };
            arm(1, kind, background, 40, 30);
            st.sides[1].background = background;
            uint64_t launch = 1469598103934665603ull;
            uint64_t incoming = launch;
            for (int t : kKeptFrames) {
                fillBuffers(kGround);
                drawLaunchEffect(t, 1, 300, 180, t % 4 == 0 ? 1 : 0, 0);
                hashBuffer(launch, 1);
                fillBuffers(kGround);
                drawIncomingEffect(t, 0, 260, 150, 0, 1, 0, false);
                hashBuffer(incoming, 0);
            }
            const std::string key = std::to_string(kind) + "/" + std::to_string(background);
            const std::pair<std::string, std::string> sums[2] = { { "launch/" + key, hex(launch) },
                { "incoming/" + key, hex(incoming) } };
            for (const auto& [name, sum] : sums) {
                fresh << name << ' ' << sum << '\n';
                if (updating())
                    continue;
                const auto it = golden.find(name);
                if (it == golden.end())
                    ADD_FAILURE() << name << " has no kept checksum (see the file's head to make them)";
                else
                    EXPECT_EQ(sum, it->second) << name;
            }
        }
    if (updating() && firing == 1)
        std::ofstream(goldenPath()) << fresh.str();
}

INSTANTIATE_TEST_SUITE_P(FiringSide, EffectSweepOfSide, ::testing::Values(0, 1));

// With DERAZODO_SHOTS set: a sheet per weapon kind, its launch (top) and its incoming shot (bottom)
// at t = 3, 10, 18 and 28 laid over one another, to be looked at.
TEST(EffectSweep, SheetsOfEachKindForTheEye)
{
    const char* folder = std::getenv("DERAZODO_SHOTS");
    if (!folder || !*folder)
        GTEST_SKIP() << "DERAZODO_SHOTS names no folder";
    SceneRig rig;
    ASSERT_TRUE(rig.ready);
    SceneState& st = sceneState();
    std::filesystem::create_directories(folder);
    for (int kind = 1; kind <= 83; ++kind)
        for (int background : { 5, 58 }) {
            arm(1, kind, background, 40, 30);
            st.sides[1].background = background;
            platform::harness::Image sheet;
            sheet.width = kNarrowWidth;
            sheet.height = 2 * kSceneHeight;
            sheet.pixels.resize(size_t(sheet.width) * size_t(sheet.height));
            for (int half = 0; half < 2; ++half) {
                fillBuffers(0x2D6B);
                for (int t : { 3, 10, 18, 28 }) {
                    if (half == 0)
                        drawLaunchEffect(t, 1, 300, 180, 0, 0);
                    else
                        drawIncomingEffect(t, 0, 300, 150, 0, 1, 0, false);
                }
                const platform::harness::Image part = scene_test::bufferImage(st.buffers[size_t(1 - half)]);
                std::copy(part.pixels.begin(), part.pixels.end(), sheet.pixels.begin() + ptrdiff_t(half * kNarrowWidth * kSceneHeight));
            }
            const std::string name = "effect_" + std::to_string(kind) + "_" + std::to_string(background) + ".png";
            platform::harness::writePng(sheet, (std::filesystem::path(folder) / name).string());
        }
}

} // namespace
