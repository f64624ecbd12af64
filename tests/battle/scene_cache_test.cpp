// The sprite cache of a scene: file names by number and variant, reuse, the fourteen-slot bound,
// night darkening by kind; and the scene's sounds: waves with their chunks in any order, copies as
// many as were made, turns among them, and silence when sounds are off.
#include "battle/battle_sound.h"
#include "battle/live_clash_window.h"
#include "platform/kernel/host.h"
#include "tests/battle/scene_rig.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using testing_lib::TempProgramFolder;

std::string spriteBytes(int width, int picture_height, uint16_t colour)
{
    std::string out = "NMXB1";
    out.resize(12, '\0');
    const int height = picture_height * 2;
    for (int v : { width, height }) {
        out.push_back(char(v & 0xFF));
        out.push_back(char(v >> 8));
    }
    for (int half = 0; half < 2; ++half)
        for (int i = 0; i < width * picture_height; ++i) {
            // The left column transparent, the rest opaque.
            const bool clear = i % width == 0;
            const uint16_t w = half == 0 ? (clear ? 0 : colour) : (clear ? 0xFFFF : 0);
            out.push_back(char(w & 0xFF));
            out.push_back(char(w >> 8));
        }
    return out;
}

// A scene folder of its own, the scene's sides cleared, and the cache emptied afterwards.
struct CacheFolder : TempProgramFolder {
    CacheFolder()
        : TempProgramFolder("battle")
    {
        sceneState().folder = platform::gamePathFromHost(path()) + "\\";
        for (SceneSide& s : sceneState().sides)
            s = SceneSide {};
    }
    ~CacheFolder()
    {
        for (SpriteImage& sprite : sceneState().sprites)
            sprite = SpriteImage {};
        for (SceneSide& s : sceneState().sides)
            s = SceneSide {};
    }
    void write(const std::string& name, const std::string& bytes) const { std::ofstream(host(name), std::ios::binary) << bytes; }
};

std::string u32(uint32_t v) { return std::string { char(v), char(v >> 8), char(v >> 16), char(v >> 24) }; }

// A mono 8-bit wave of `samples` bytes with its "data" chunk before its "fmt " chunk.
std::string waveDataFirst(uint32_t samples)
{
    std::string fmt = "fmt " + u32(16);
    for (uint32_t v : { 1u | 1u << 16, 11025u, 11025u, 1u | 8u << 16 })
        fmt += u32(v);
    std::string data = "data" + u32(samples) + std::string(samples, char(0x80));
    const std::string body = "WAVE" + data + fmt;
    return "RIFF" + u32(uint32_t(body.size())) + body;
}

} // namespace

TEST(SceneCache, UnitSpritesAreNamedByNumberAndVariant)
{
    CacheFolder folder;
    folder.write("0007.dat", spriteBytes(4, 2, 0x1111));
    folder.write("g20001.dat", spriteBytes(4, 2, 0x2222));
    folder.write("0007b.dat", spriteBytes(4, 2, 0x3333));
    SceneState& st = sceneState();
    int counter = 0;
    const int plain = LiveClashWindow::loadSprite(SpriteKind::Unit, 7, counter, 0, false, 1);
    const int high = LiveClashWindow::loadSprite(SpriteKind::Unit, 20001, counter, 0, false, 1);
    const int lettered = LiveClashWindow::loadSprite(SpriteKind::Unit, 7, counter, 2, false, 1);
    ASSERT_TRUE(plain >= 0 && high >= 0 && lettered >= 0);
    EXPECT_EQ(st.sprites[size_t(plain)].pixels[1], 0x1111);
    EXPECT_EQ(st.sprites[size_t(high)].pixels[1], 0x2222) << "from 20000 on: g%05d";
    EXPECT_EQ(st.sprites[size_t(lettered)].pixels[1], 0x3333) << "variant 2: the letter b";
    EXPECT_EQ(st.sprites[size_t(lettered)].number, 2 * 10001 + 7);
    EXPECT_EQ(counter, 3);

    // A sheet flag turns the letters off: the plain file, already in the cache.
    st.sides[1].unitEntry.sheetFlag = 2;
    EXPECT_EQ(LiveClashWindow::loadSprite(SpriteKind::Unit, 7, counter, 2, false, 1), plain);
    EXPECT_EQ(counter, 3) << "a cached sprite takes no slot";
}

TEST(SceneCache, AFifteenthSpriteFailsAndAMissingFileStillUsesItsSlot)
{
    CacheFolder folder;
    for (int n = 1; n <= 15; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "%04d.dat", n);
        folder.write(name, spriteBytes(2, 1, uint16_t(n)));
    }
    int counter = 0;
    EXPECT_EQ(LiveClashWindow::loadSprite(SpriteKind::Unit, 99, counter, 0, false, 0), -1) << "no such file";
    EXPECT_EQ(counter, 1);
    for (int n = 1; n <= 13; ++n)
        EXPECT_EQ(LiveClashWindow::loadSprite(SpriteKind::Unit, n, counter, 0, false, 0), n) << n;
    EXPECT_EQ(counter, kSpriteSlots);
    EXPECT_EQ(LiveClashWindow::loadSprite(SpriteKind::Unit, 14, counter, 0, false, 0), -1) << "the cache holds fourteen";
    EXPECT_EQ(LiveClashWindow::loadSprite(SpriteKind::Unit, 3, counter, 0, false, 0), 3) << "what is cached still is";
}

TEST(SceneCache, NightDarkensUnitSpritesOnly)
{
    CacheFolder folder;
    folder.write("0005.dat", spriteBytes(2, 1, 0x7FFF));
    folder.write("ef04a.dat", spriteBytes(2, 1, 0x7FFF));
    int counter = 0;
    const int unit = LiveClashWindow::loadSprite(SpriteKind::Unit, 5, counter, 0, true, 0);
    const int effect = LiveClashWindow::loadSprite(SpriteKind::Effect, 13, counter, 0, true, 0);
    ASSERT_TRUE(unit >= 0 && effect >= 0);
    const SpriteImage& u = sceneState().sprites[size_t(unit)];
    EXPECT_EQ(u.pixels[1], darkenWord(0x7FFF));
    EXPECT_EQ(u.pixels[0], 0) << "a transparent word keeps its value";
    EXPECT_EQ(sceneState().sprites[size_t(effect)].pixels[1], 0x7FFF);
}

TEST(SceneSounds, CopiesAreAsManyAsWereMadeAndTakeTurns)
{
    scene_test::SceneRig rig;
    ASSERT_TRUE(rig.ready);
    if (!isBattleSoundReady())
        GTEST_SKIP() << "no sound device";
    CacheFolder folder;
    folder.write("long.wav", waveDataFirst(22050));
    const std::string path = sceneState().folder + "long.wav";
    const int first = loadWave(path, 5);
    ASSERT_EQ(first, 0) << "the data chunk before the format chunk is found";
    EXPECT_EQ(soundBufferCopies(first), 5);
    // Fill the table to 32: the next five-copy sound gets the two buffers that are left.
    while (soundBuffersInUse() < kSoundBuffers - 2)
        ASSERT_GE(loadWave(path, 1), 0);
    const int last = loadWave(path, 5);
    ASSERT_GE(last, 0);
    EXPECT_EQ(soundBufferCopies(last), 2);
    EXPECT_EQ(loadWave(path, 1), -1) << "a full table";

    // One play after another takes the next copy.
    SceneSide& side = sceneState().sides[1];
    side.soundSlots[1] = first;
    playSideSound(1, 1);
    EXPECT_TRUE(isBattleBufferPlaying(first));
    EXPECT_FALSE(isBattleBufferPlaying(first + 1));
    playSideSound(1, 1);
    EXPECT_TRUE(isBattleBufferPlaying(first + 1));
    EXPECT_FALSE(isBattleBufferPlaying(first + 2));
    freeBattleSounds();
    EXPECT_EQ(soundBuffersInUse(), 0);
}

TEST(SceneSounds, WithSoundsOffNoWaveIsLoaded)
{
    scene_test::SceneRig rig;
    ASSERT_TRUE(rig.ready);
    BattleRecord record;
    record.side[0] = rig.side(3, 0, 3, 5);
    record.side[1] = rig.side(2, 1, 3, 5);
    ASSERT_TRUE(LiveClashWindow::runBattle(record, SceneSound {}));
    EXPECT_EQ(soundBuffersInUse(), 0);
    for (const SceneSide& s : sceneState().sides)
        for (int slot : s.soundSlots)
            EXPECT_EQ(slot, -1);
    LiveClashWindow::resetScene();
    if (!isBattleSoundReady())
        return;
    ASSERT_TRUE(LiveClashWindow::runBattle(record, SceneSound { true, 0 }));
    EXPECT_GT(soundBuffersInUse(), 0) << "with sounds on the slots are loaded";
    EXPECT_GE(sceneState().sides[0].soundSlots[0], 0);
    LiveClashWindow::resetScene();
    EXPECT_EQ(soundBuffersInUse(), 0) << "the reset frees them";
}
