// The music's files: the fixed tunes of events, and anthems from the anthem and music lists.
#include "ui/tune_files.h"

#include "state/data_path.h"
#include "state/game_state.h"
#include "tests/state/state_test_support.h"

#include <gtest/gtest.h>

namespace {

using testing_state::DataFolder;

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
    EXPECT_EQ(tunePath(*state, 9), dataPath("VICTORY.wav", kFolderWave));
    EXPECT_EQ(tunePath(*state, 12), dataPath("ENDING.wav", kFolderWave));
    EXPECT_EQ(tunePath(*state, 0), dataPath("START.wav", kFolderWave));
    EXPECT_EQ(tunePath(*state, 40), dataPath("START.wav", kFolderWave));
    state->country(2).anthemCode = 52;
    EXPECT_EQ(tunePath(*state, 3), dataPath(state->musicPaths()[2].c_str(), kFolderProgram));
    state->country(2).anthemCode = 90;
    EXPECT_EQ(tunePath(*state, 3), dataPath("START.wav", kFolderWave));
    state->country(0).anthemCode = 1;
    std::string wave;
    state->anthemWaveName(1, wave);
    EXPECT_EQ(tunePath(*state, 1), dataPath(wave.c_str(), kFolderProgram));
}

} // namespace
