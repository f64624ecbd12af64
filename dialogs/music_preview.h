// MusicPreview: the map settings' "BGM" buttons play a country's music looped, through the main
// window's music player, else its sound player, else (MIDI) an MCI sequencer of their own.
#pragma once

#include "platform/windows.h"

#include <memory>

class GameState;
class MainWindowServices;
class swCMCIDevice;

class MusicPreview {
public:
    // The preview plays through the main window's players; the sequencer notifies this window
    // when a piece ends.
    MusicPreview(MainWindowServices& main, HWND notify);
    ~MusicPreview();
    MusicPreview(const MusicPreview&) = delete;
    MusicPreview& operator=(const MusicPreview&) = delete;

    // Plays the music of the code (below 50 a built-in anthem, else user music file code - 50);
    // a negative code only stops the preview. The first play stops the game's own sounds.
    void play(const GameState& state, int code);
    // Unloads the preview slot and closes the sequencer.
    void stop();
    // Set once a preview has stopped the game's music, which is then the owner's to restart.
    bool stoppedGameMusic() const { return m_stoppedGameMusic; }
    bool midiOpen() const { return m_midi != nullptr; }

private:
    MainWindowServices& m_main;
    HWND m_notify = nullptr;
    bool m_stoppedGameMusic = false;
    std::unique_ptr<swCMCIDevice> m_midi;
};
