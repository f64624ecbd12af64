// GameSound: loading the effect bank, the switches, and routing tunes to the music players.
#include "app/game_sound.h"

#include "lib/error.h"
#include "lib/file.h"
#include "lib/media/mci_device.h"
#include "lib/media/music_player.h"
#include "lib/media/sound_player.h"
#include "state/data_path.h"
#include "state/game_state.h"
#include "state/master_text.h"
#include "ui/main_window_services.h"
#include "ui/tune_files.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr long kFadeFloor = -4000;
constexpr long kFadeStep = 100;
constexpr DWORD kFadeIntervalMs = 50;

// Volumes come from the ini file: keep them in the players' range.
long clampVolume(int32_t volume) { return std::clamp<long>(volume, -10000, 0); }

} // namespace

GameSound::GameSound(HWND window, const GameState& state)
    : m_window(window)
    , m_state(state)
    , m_sounds(std::make_unique<SoundPlayer>(window))
    , m_music(std::make_unique<MusicPlayer>())
{
    if (!m_music->init(window)) {
        m_music.reset();
    } else {
        m_music->addAudioPath(kMusicAudioPath);
    }
    std::vector<std::string> broken;
    for (int slot = 0; slot < sound_slot::kBankSize; ++slot) {
        char name[16];
        std::snprintf(name, sizeof name, "dsse%02d.wav", slot);
        std::string path = dataPath(name, kFolderWave);
        if (!fileExists(path.c_str()))
            continue;
        try {
            m_sounds->soundLoad(path.c_str(), slot);
        } catch (swCError* error) {
            // A broken wave leaves its slot empty; the rest of the bank still plays.
            delete error;
            broken.push_back(path);
        }
    }
    tellUnplayable(broken);
    applySettings(state.settings());
}

GameSound::~GameSound() { stopMusic(); }

void GameSound::applySettings(const GameSettings& settings)
{
    m_playSe = settings.playSe;
    m_playChime = settings.playChime;
    m_playMoneyAlarm = settings.playMoneyAlarm;
    m_effectVolume = clampVolume(settings.seVolume);
    m_waveVolume = clampVolume(settings.waveVolume);
    m_sounds->soundSetVolume(-1, m_effectVolume);
    setMusicVolume(m_waveVolume);
    m_playBgm = settings.playBgm;
    if (!m_playBgm)
        stopMusic();
}

void GameSound::tellUnplayable(const std::vector<std::string>& paths)
{
    std::vector<std::string> untold;
    for (const std::string& path : paths)
        if (m_toldFiles.insert(path).second)
            untold.push_back(path);
    showUnplayableSounds(untold);
}

bool GameSound::effectAllowed(int slot) const
{
    if (slot == sound_slot::kChime)
        return m_playChime;
    if (slot == sound_slot::kMoneyAlarm)
        return m_playMoneyAlarm;
    return m_playSe;
}

void GameSound::playSound(int slot)
{
    if (effectAllowed(slot))
        m_sounds->soundPlay(slot, 1);
}

bool GameSound::isSoundPlaying(int slot) { return m_sounds->soundIsPlaying(slot); }

void GameSound::unloadSound(int slot)
{
    m_sounds->soundUnload(slot);
    if (m_music && slot != sound_slot::kMusic)
        m_music->unloadSegment(slot);
}

void GameSound::playJingle(int tune)
{
    const std::string path = tunePath(m_state, tune);
    if (!m_playSe || !fileExists(path.c_str()))
        return;
    try {
        m_sounds->soundLoad(path.c_str(), sound_slot::kPreview);
    } catch (swCError* error) {
        delete error;
        tellUnplayable({ path });
        return;
    }
    m_sounds->soundSetVolume(sound_slot::kPreview, m_effectVolume);
    m_sounds->soundPlay(sound_slot::kPreview, 3);
}

void GameSound::restartChime()
{
    if (m_playChime)
        m_sounds->soundPlay(sound_slot::kChime, 3);
}

void GameSound::stopAllSounds()
{
    for (int slot = 0; slot < sound_slot::kBankSize; ++slot)
        m_sounds->soundPlay(slot, 0);
    stopMusic();
}

bool GameSound::canPlayMusic() const { return m_playBgm; }

// Kept while music is off, so that turning it on again can play what is due now.
void GameSound::playTune(int tune, bool loop) { playMusicFile(tunePath(m_state, tune), loop); }

void GameSound::playMusicFile(const std::string& path, bool loop)
{
    stopMusic();
    m_musicPath = path;
    m_musicLoop = loop;
    if (!m_playBgm || path.empty() || !fileExists(path.c_str()))
        return;
    setMusicVolume(m_waveVolume);
    if (isMidiName(path.c_str())) {
        // Without a window to notify, a play would hold this thread until the piece ends.
        if (!m_window)
            return;
        try {
            m_midi = std::make_unique<swCMCIDevice>("sequencer", path.c_str());
        } catch (swCError* error) {
            delete error;
            tellUnplayable({ path });
            return;
        }
        m_midi->mciSet(MCI_FORMAT_MILLISECONDS, nullptr);
        m_midi->mciPlay(m_window);
        return;
    }
    if (m_music) {
        if (!m_music->loadSegment(sound_slot::kMusic, path.c_str())) {
            tellUnplayable({ path });
            return;
        }
        m_waveRoute = WaveRoute::MusicPlayer;
        if (loop)
            m_music->playLooped(kMusicAudioPath, sound_slot::kMusic);
        else
            m_music->playOnce(kMusicAudioPath, sound_slot::kMusic);
        return;
    }
    // PlaySoundA plays one sound at a time, so music there would cut off every effect.
    if (!m_sounds->usesDirectSound())
        return;
    try {
        m_sounds->soundLoad(path.c_str(), sound_slot::kMusic);
    } catch (swCError* error) {
        delete error;
        tellUnplayable({ path });
        return;
    }
    m_waveRoute = WaveRoute::SoundPlayer;
    m_sounds->soundSetVolume(sound_slot::kMusic, m_musicVolume);
    m_sounds->soundPlay(sound_slot::kMusic, loop ? 2 : 3);
}

void GameSound::restartMusic()
{
    if (!m_musicPath.empty())
        playMusicFile(std::string(m_musicPath), m_musicLoop);
}

void GameSound::stopMusic()
{
    if (m_midi) {
        m_midi->mciCommand(MCI_STOP, nullptr);
        m_midi->mciClose();
        m_midi.reset();
    }
    if (m_waveRoute == WaveRoute::MusicPlayer && m_music)
        m_music->unloadSegment(sound_slot::kMusic);
    else if (m_waveRoute == WaveRoute::SoundPlayer)
        m_sounds->soundUnload(sound_slot::kMusic);
    m_waveRoute = WaveRoute::None;
}

void GameSound::setMusicVolume(long volume)
{
    m_musicVolume = volume;
    if (m_music)
        m_music->setPathVolume(kMusicAudioPath, volume);
    if (m_waveRoute == WaveRoute::SoundPlayer)
        m_sounds->soundSetVolume(sound_slot::kMusic, volume);
}

void GameSound::fadeOutMusic()
{
    if (m_midi) {
        // The sequencer has no volume of its own to lower.
        stopMusic();
        return;
    }
    if (m_waveRoute == WaveRoute::None)
        return;
    for (long volume = m_musicVolume - kFadeStep; volume >= kFadeFloor; volume -= kFadeStep) {
        setMusicVolume(volume);
        Sleep(kFadeIntervalMs);
    }
}

MCIDEVICEID GameSound::midiDevice() const { return m_midi ? m_midi->deviceId() : 0; }

bool GameSound::handleMciNotify(WPARAM flags, LPARAM device)
{
    if (!m_midi || MCIDEVICEID(device) != m_midi->deviceId())
        return false;
    if (flags == MCI_NOTIFY_SUCCESSFUL && m_musicLoop) {
        MCI_SEEK_PARMS seek {};
        m_midi->mciSend(MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT, &seek);
        m_midi->mciPlay(m_window);
    }
    return true;
}
