// Line ends, the event music path and raising a window.
#include "state/small_utilities.h"

#include "state/data_path.h"
#include "state/game_state.h"
#include "tests/state/state_test_support.h"

#include <gtest/gtest.h>

namespace {

using testing_state::DataFolder;

TEST(LineEnds, LoneLfBecomesCrLfAndPairsAndDoubleBytesStay)
{
    EXPECT_EQ(convertLfToCrLf("a\nb"), "a\r\nb");
    EXPECT_EQ(convertLfToCrLf("a\r\nb\n"), "a\r\nb\r\n");
    // 0x81 0x0A is one double-byte character, not a line end.
    EXPECT_EQ(convertLfToCrLf("\x81\x0A\n"), "\x81\x0A\r\n");
    EXPECT_EQ(convertLfToCrLf("\r"), "\r");
    EXPECT_EQ(convertLfToCrLf(""), "");
    // Every byte a line feed: the result is twice as long, never cut.
    EXPECT_EQ(convertLfToCrLf(std::string(1000, '\n')).size(), 2000u);
    // The text ends at its terminator even when the view is longer.
    EXPECT_EQ(convertLfToCrLf(std::string_view("x\0\n", 3)), "x");
}

TEST(EventMusic, FixedTunesAndAnthemsFromTheMusicList)
{
    DataFolder folder;
    folder.write("tkbgm/one.wav", "x");
    folder.write("tkbgm/two.wav", "x");
    folder.write("tkbgm/three.mid", "x");
    auto state = std::make_unique<GameState>();
    state->loadAnthemList();
    state->listMusicFiles();
    ASSERT_EQ(state->musicPaths().size(), 3u);
    EXPECT_EQ(state->bgmFilePath(9), dataPath("VICTORY.wav", kFolderWave));
    EXPECT_EQ(state->bgmFilePath(12), dataPath("ENDING.wav", kFolderWave));
    EXPECT_EQ(state->bgmFilePath(0), dataPath("START.wav", kFolderWave));
    EXPECT_EQ(state->bgmFilePath(40), dataPath("START.wav", kFolderWave));
    state->country(2).anthemCode = 52;
    EXPECT_EQ(state->bgmFilePath(3), dataPath(state->musicPaths()[2].c_str(), kFolderProgram));
    state->country(2).anthemCode = 90;
    EXPECT_EQ(state->bgmFilePath(3), dataPath("START.wav", kFolderWave));
    state->country(0).anthemCode = 1;
    std::string wave;
    state->anthemWaveName(1, wave);
    EXPECT_EQ(state->bgmFilePath(1), dataPath(wave.c_str(), kFolderProgram));
}

TEST(FrontWindow, RaisesAWindowAndRefusesAStaleHandle)
{
    HWND a = CreateWindowExA(0, "STATIC", "a", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    HWND b = CreateWindowExA(0, "STATIC", "b", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(a && b);
    EXPECT_TRUE(bringWindowToFront(a));
    EXPECT_EQ(GetForegroundWindow(), a);
    DestroyWindow(b);
    EXPECT_FALSE(bringWindowToFront(b));
    EXPECT_EQ(GetForegroundWindow(), a);
    DestroyWindow(a);
}

}
