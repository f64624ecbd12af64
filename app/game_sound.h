// GameSound: the main window's effect bank and music, and the settings that silence them.
#pragma once

#include "platform/windows.h"
#include "state/game_settings.h"
#include "state/sound_codes.h"

#include <atomic>
#include <memory>
#include <set>
#include <string>
#include <vector>

class GameState;
class MusicPlayer;
class SoundPlayer;
class swCMCIDevice;

// Owned by the main window and made on the UI thread with its handle. Either player may be
// missing (no audio device): every call then does nothing. playSound and isSoundPlaying may be
// called from the game thread; everything else belongs to the UI thread.
class GameSound {
public:
    // Loads the effect bank; `state` resolves tunes to files and must outlive this object.
    GameSound(HWND window, const GameState& state);
    ~GameSound();
    GameSound(const GameSound&) = delete;
    GameSound& operator=(const GameSound&) = delete;

    // Takes the switches and volumes; a music switch turned off stops the music.
    void applySettings(const GameSettings& settings);

    void playSound(int slot);
    bool isSoundPlaying(int slot);
    void unloadSound(int slot);
    // Stops the chime when it plays and plays it from the start.
    void restartChime();
    // A jingle (tune::kVictory, tune::kDefeat) played once in the preview slot, so that the game-end
    // window can wait for it to fall silent. Nothing with effects off or without the file.
    void playJingle(int tune);
    // Every effect and the music.
    void stopAllSounds();

    // Whether a tune asked for can sound at all; the main window posts its music request only
    // then. Any thread.
    bool canPlayMusic() const;
    // A tune (1..8 anthems, tune::kVictory, tune::kDefeat, other codes as tunePath)
    // played once or looping; a missing file plays nothing.
    void playTune(int tune, bool loop);
    // A music file by path: WAV through the music player, MIDI through the MCI sequencer.
    void playMusicFile(const std::string& path, bool loop);
    // The last tune again, at the set volume.
    void restartMusic();
    void stopMusic();
    // Lowers the music by 100 every 50 ms down to -4000 and returns when done; MIDI stops at once.
    void fadeOutMusic();
    // The main window hands MM_MCINOTIFY here; true when it was the music's device (looped
    // MIDI starts again).
    bool handleMciNotify(WPARAM flags, LPARAM device);

    // The music last asked for (kept after a stop, for restartMusic), and its device when MIDI.
    const std::string& currentMusic() const { return m_musicPath; }
    bool musicIsMidi() const { return m_midi != nullptr; }
    MCIDEVICEID midiDevice() const;
    long musicVolume() const { return m_musicVolume; }

    // For the windows that preview sounds of their own (slot kPreview); may be null.
    SoundPlayer* soundPlayer() const { return m_sounds.get(); }
    MusicPlayer* musicPlayer() const { return m_music.get(); }
    // Tells once per file in this run that a sound could not be played (the bank, the music, a
    // window's preview): a person who hears nothing learns why, without a box at every play.
    void tellUnplayable(const std::vector<std::string>& paths);

private:
    enum class WaveRoute { None, MusicPlayer, SoundPlayer };
    bool effectAllowed(int slot) const;
    void setMusicVolume(long volume);

    HWND m_window = nullptr;
    const GameState& m_state;
    std::unique_ptr<SoundPlayer> m_sounds;
    std::unique_ptr<MusicPlayer> m_music;
    std::unique_ptr<swCMCIDevice> m_midi;

    std::atomic<bool> m_playSe { true };
    std::atomic<bool> m_playChime { true };
    std::atomic<bool> m_playMoneyAlarm { false };
    std::atomic<bool> m_playBgm { true };
    long m_effectVolume = 0;
    long m_waveVolume = 0;
    long m_musicVolume = 0;

    WaveRoute m_waveRoute = WaveRoute::None;
    std::string m_musicPath;
    bool m_musicLoop = false;
    std::set<std::string> m_toldFiles;
};
