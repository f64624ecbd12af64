// GameSound: the effect bank and its switches, tunes routed to files and players, MIDI through
// the sequencer, and missing files or players that leave everything quiet.
#include "app/app_window_services.h"
#include "app/game_sound.h"
#include "app/main_window_rules_link.h"
#include "dialogs/music_preview.h"
#include "lib/media/music_player.h"
#include "lib/media/sound_player.h"
#include "platform/desktop/harness.h"
#include "platform/media/com_object.h"
#include "platform/media/media.h"
#include "state/game_state.h"
#include "ui/main_window_services.h"

#include "state/sound_codes.h"
#include "tests/lib/media/notice_log.h"
#include "tests/lib/media/sound_files.h"
#include "tests/lib/temp_program_folder.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace std::string_literals;
using platform::media::DirectSoundState;
using platform::media::Mixer;

namespace {

// Each file its own level, so what is heard names the file.
std::vector<uint8_t> level(int16_t value) { return testing_media::wave16(std::vector<int16_t>(2000, value)); }

class GameSoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Mixer::instance().useManualClock();
        Mixer::instance().deactivateAll();
        platform::harness::clearMessageBoxes();
        std::filesystem::create_directories(m_folder.host("tkwave"));
        std::filesystem::create_directories(m_folder.host("tkbgm"));
        testing_media::writeBytes(m_folder.host("tkwave/VICTORY.wav"), level(900));
        testing_media::writeBytes(m_folder.host("tkwave/DEFEAT.wav"), level(1000));
        testing_media::writeBytes(m_folder.host("tkbgm/one.wav"), level(1100));
        testing_media::writeBytes(m_folder.host("tkbgm/three.wav"), level(1300));
        testing_media::writeBytes(m_folder.host("tkbgm/user.wav"), level(1700));
        testing_media::writeBytes(m_folder.host("tkbgm/song.mid"), testing_media::shortSong(300));
        std::ofstream(m_folder.host("anthem.lst"), std::ios::binary)
            << "One,tkbgm\\one.wav\r\nTwo,tkbgm\\two.wav\r\nThree,tkbgm\\three.wav\r\n";
        m_state.loadAnthemList();
        m_state.listMusicFiles();
        for (int c = 0; c < 3; ++c)
            m_state.country(c).anthemCode = uint8_t(c);
    }
    void TearDown() override
    {
        platform::media::setDirectSoundState(DirectSoundState::Present);
        platform::com::setCreationFailure(CLSID_DirectMusicPerformance, S_OK);
        Mixer::instance().deactivateAll();
    }
    static int16_t heard() { return testing_media::renderLeft(10)[5]; }

    testing_lib::TempProgramFolder m_folder { "sound" };
    GameState m_state;
};

// The effect bank's files are named with two digits.
TEST_F(GameSoundTest, BankPlaysStopsAndUnloadsSlots)
{
    testing_media::writeBytes(m_folder.host("tkwave/dsse03.wav"), level(300));
    testing_media::writeBytes(m_folder.host("tkwave/dsse13.wav"), level(1300));
    GameSound sound(nullptr, m_state);
    sound.playSound(13);
    EXPECT_TRUE(sound.isSoundPlaying(13));
    EXPECT_FALSE(sound.isSoundPlaying(3));
    EXPECT_EQ(heard(), 1300);
    sound.playSound(3);
    EXPECT_EQ(heard(), 1600);
    sound.stopAllSounds();
    EXPECT_FALSE(sound.isSoundPlaying(13));
    EXPECT_EQ(heard(), 0);

    sound.unloadSound(3);
    sound.playSound(3);
    sound.playSound(7); // never shipped
    EXPECT_EQ(heard(), 0);
    EXPECT_TRUE(platform::harness::messageBoxes().empty());
}

TEST_F(GameSoundTest, EachSwitchSilencesItsOwnSounds)
{
    testing_media::writeBytes(m_folder.host("tkwave/dsse13.wav"), level(1300));
    testing_media::writeBytes(m_folder.host("tkwave/dsse16.wav"), level(1600));
    testing_media::writeBytes(m_folder.host("tkwave/dsse18.wav"), level(1800));
    struct Case {
        bool GameSettings::*flag;
        bool on;
        int16_t explosion, chime, alarm;
    };
    const Case cases[] = {
        { &GameSettings::playSe, false, 0, 1600, 1800 },
        { &GameSettings::playChime, false, 1300, 0, 1800 },
        { &GameSettings::playMoneyAlarm, false, 1300, 1600, 0 },
        { &GameSettings::playMoneyAlarm, true, 1300, 1600, 1800 },
    };
    for (const Case& c : cases) {
        GameSettings settings;
        settings.playMoneyAlarm = true;
        settings.*c.flag = c.on;
        GameSound sound(nullptr, m_state);
        sound.applySettings(settings);
        sound.playSound(sound_slot::kExplosion);
        EXPECT_EQ(heard(), c.explosion);
        sound.stopAllSounds();
        sound.restartChime();
        EXPECT_EQ(heard(), c.chime);
        sound.stopAllSounds();
        sound.playSound(sound_slot::kMoneyAlarm);
        EXPECT_EQ(heard(), c.alarm);
        sound.stopAllSounds();
    }
}

TEST_F(GameSoundTest, EffectVolumeComesFromTheSettings)
{
    testing_media::writeBytes(m_folder.host("tkwave/dsse13.wav"), level(1000));
    m_state.settings().seVolume = -2000;
    GameSound sound(nullptr, m_state);
    sound.playSound(sound_slot::kExplosion);
    EXPECT_EQ(heard(), 100);
}

TEST_F(GameSoundTest, TunesPlayTheCountrysAnthemTheJinglesAndChosenMusic)
{
    GameSound sound(reinterpret_cast<HWND>(uintptr_t(0x1234)), m_state);
    sound.playTune(3, true);
    EXPECT_NE(sound.currentMusic().find("three.wav"), std::string::npos);
    EXPECT_EQ(heard(), 1300);
    EXPECT_TRUE(sound.musicPlayer()->isPlaying(sound_slot::kMusic));
    sound.playTune(tune::kVictory, false);
    EXPECT_EQ(heard(), 900);
    sound.playTune(tune::kDefeat, false);
    EXPECT_EQ(heard(), 1000);

    // An anthem code of 50 or more picks from the music folder's own list, anthems left out.
    ASSERT_EQ(m_state.musicPaths().size(), 2u);
    for (int i = 0; i < 2; ++i) {
        m_state.country(0).anthemCode = uint8_t(50 + i);
        sound.playTune(1, true);
        if (m_state.musicPaths()[size_t(i)] == "tkbgm\\user.wav")
            EXPECT_EQ(heard(), 1700);
        else
            EXPECT_TRUE(sound.musicIsMidi());
    }
    sound.stopAllSounds();
    EXPECT_EQ(heard(), 0);
}

TEST_F(GameSoundTest, MissingTuneFilesPlayNothingAndSayNothing)
{
    GameSound sound(nullptr, m_state);
    sound.playTune(1, true);
    EXPECT_EQ(heard(), 1100);
    sound.playTune(2, true); // anthem.lst names a file that is not there
    EXPECT_EQ(heard(), 0);
    sound.playTune(11, false);
    EXPECT_EQ(heard(), 0);
    EXPECT_TRUE(platform::harness::messageBoxes().empty());
}

TEST_F(GameSoundTest, ADamagedSoundIsToldOnceNamingItAndThenStaysSilent)
{
    // Preview: the map settings' music preview, through the main window's services.
    enum class Play { Music, Jingle, Bank, Preview };
    struct Case {
        const char* file;
        std::string bytes;
        Play play;
        const char* line;
    };
    const Case cases[] = {
        { "tkbgm/bad.wav", "RIFF\x10\0\0\0WAVEjunkjunk"s, Play::Music, "bad.wav: ファイルの内容が壊れています。" },
        { "tkbgm/bad.mid", "MThd\0\0\0\x06garbage"s, Play::Music, "bad.mid: ファイルの内容が壊れています。" },
        { "tkbgm/bad.wav", "", Play::Music, "bad.wav: ファイルが空です。" },
        { "tkwave/VICTORY.wav", "RIFF", Play::Jingle, "VICTORY.wav: ファイルの内容が壊れています。" },
        { "tkwave/dsse05.wav", "not a wave", Play::Bank, "dsse05.wav: ファイルの内容が壊れています。" },
        { "tkbgm/bad.wav", "RIFF\x10\0\0\0WAVEjunkjunk"s, Play::Preview, "bad.wav: ファイルの内容が壊れています。" },
        { "tkbgm/bad.mid", "MThd\0\0\0\x06garbage"s, Play::Preview, "bad.mid: ファイルの内容が壊れています。" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        testing_media::writeBytes(m_folder.host(c.file), std::vector<uint8_t>(c.bytes.begin(), c.bytes.end()));
        platform::harness::clearMessageBoxes();
        GameSound sound(reinterpret_cast<HWND>(uintptr_t(0x1234)), m_state);
        AppMainWindowLink link(m_state);
        link.setSound(&sound);
        AppWindowServices services(link);
        setMainWindowServices(&services);
        MusicPreview preview(services, reinterpret_cast<HWND>(uintptr_t(0x1234)));
        m_state.listMusicFiles();
        const auto& music = m_state.musicPaths();
        const auto entry = std::find_if(music.begin(), music.end(), [&](const std::string& p) { return p.ends_with(c.file + 6); });
        for (int round = 0; round < 3; ++round) {
            if (c.play == Play::Preview)
                preview.play(m_state, 50 + int(entry - music.begin()));
            else if (c.play == Play::Music)
                sound.playMusicFile(std::string(c.file).replace(5, 1, "\\"), true);
            else if (c.play == Play::Jingle)
                sound.playJingle(tune::kVictory);
            else
                sound.playSound(5);
            EXPECT_EQ(heard(), 0);
        }
        preview.stop();
        setMainWindowServices(nullptr);
        const auto boxes = platform::harness::messageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(platform::cp932ToUtf8(boxes[0].text),
            std::string("音声ファイルを再生できません。\n") + c.line + "\nこのファイルの音は鳴りません。");
        std::filesystem::remove(m_folder.host(c.file));
    }
}

TEST_F(GameSoundTest, MusicSwitchStopsMusicAndRefusesTunesUntilTurnedOn)
{
    GameSound sound(nullptr, m_state);
    sound.playTune(3, true);
    GameSettings settings = m_state.settings();
    settings.playBgm = false;
    sound.applySettings(settings);
    EXPECT_FALSE(sound.canPlayMusic());
    EXPECT_EQ(heard(), 0);
    sound.playTune(1, true);
    EXPECT_EQ(heard(), 0);
    settings.playBgm = true;
    sound.applySettings(settings);
    sound.restartMusic();
    EXPECT_EQ(heard(), 1100);
}

TEST_F(GameSoundTest, FadeLowersTheMusicAndTheNextTuneIsBackAtTheSetVolume)
{
    GameSound sound(nullptr, m_state);
    sound.playTune(3, true);
    sound.fadeOutMusic();
    EXPECT_EQ(sound.musicVolume(), -4000);
    EXPECT_NEAR(heard(), 13, 1); // 1300 at -40 dB
    sound.restartMusic();
    EXPECT_EQ(sound.musicVolume(), 0);
    EXPECT_EQ(heard(), 1300);
}

TEST_F(GameSoundTest, WaveMusicFallsBackToTheSoundPlayerAndNoPlayerMeansSilence)
{
    testing_media::writeBytes(m_folder.host("tkwave/dsse13.wav"), level(1300));
    platform::com::setCreationFailure(CLSID_DirectMusicPerformance, REGDB_E_CLASSNOTREG);
    {
        GameSound sound(nullptr, m_state);
        EXPECT_EQ(sound.musicPlayer(), nullptr);
        sound.playTune(1, true);
        EXPECT_EQ(heard(), 1100);
        sound.playSound(sound_slot::kExplosion);
        EXPECT_EQ(heard(), 2400);
        sound.stopAllSounds();
        EXPECT_EQ(heard(), 0);
    }
    platform::media::setDirectSoundState(DirectSoundState::Failing);
    GameSound sound(nullptr, m_state);
    sound.playTune(1, true);
    sound.playSound(sound_slot::kExplosion);
    sound.restartChime();
    sound.fadeOutMusic();
    EXPECT_FALSE(sound.isSoundPlaying(sound_slot::kExplosion));
    EXPECT_EQ(heard(), 0);
}

TEST_F(GameSoundTest, MidiGoesToTheSequencerAndLoopsOnItsNotice)
{
    Mixer::instance().useRealTimeClock();
    testing_media::NoticeLog log;
    HWND window = reinterpret_cast<HWND>(uintptr_t(0x1234));
    GameSound sound(window, m_state);
    sound.playMusicFile("tkbgm\\song.mid", true);
    ASSERT_TRUE(sound.musicIsMidi());
    EXPECT_FALSE(sound.musicPlayer()->isPlaying(sound_slot::kMusic));
    const MCIDEVICEID device = sound.midiDevice();
    auto first = log.waitFor(1);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].wParam, WPARAM(MCI_NOTIFY_SUCCESSFUL));
    EXPECT_FALSE(sound.handleMciNotify(MCI_NOTIFY_SUCCESSFUL, LPARAM(device + 1)));
    EXPECT_TRUE(sound.handleMciNotify(first[0].wParam, first[0].lParam));
    // Played again from the start: a second success follows.
    auto second = log.waitFor(2);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[1].wParam, WPARAM(MCI_NOTIFY_SUCCESSFUL));
    sound.stopMusic();
    EXPECT_FALSE(sound.musicIsMidi());
}

} // namespace

// A window's music preview plays as segment 1 beside the music; unloading slot 1 ends the preview
// only.
TEST_F(GameSoundTest, UnloadingThePreviewSlotLeavesTheMusicPlaying)
{
    GameSound sound(reinterpret_cast<HWND>(uintptr_t(0x1234)), m_state);
    sound.playTune(3, true);
    MusicPlayer* music = sound.musicPlayer();
    ASSERT_NE(music, nullptr);
    ASSERT_TRUE(music->loadSegment(sound_slot::kPreview, platform::gamePathFromHost(m_folder.host("tkbgm/user.wav")).c_str()));
    music->playLooped(kMusicAudioPath, sound_slot::kPreview);
    EXPECT_TRUE(music->isPlaying(sound_slot::kPreview));
    sound.unloadSound(sound_slot::kPreview);
    EXPECT_FALSE(music->isPlaying(sound_slot::kPreview));
    EXPECT_TRUE(music->isPlaying(sound_slot::kMusic));
}
