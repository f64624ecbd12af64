// MainWindowServices: what the game's windows ask of the main window beyond the rules' link
// (rules/main_window_link.h already plays effects, asks for music and refreshes). app/ implements
// it; without a main window (tests, headless runs) the installed default has no window and no sound.
#pragma once

#include "platform/windows.h"

class MusicPlayer;
class SoundPlayer;

// The effect slot (and music segment) of the map settings' music preview.
constexpr int kPreviewSoundSlot = 1;
// The music player's audio path that carries the music at the music volume.
constexpr int kMusicAudioPath = 1;

class MainWindowServices {
public:
    virtual ~MainWindowServices() = default;

    // The main window, or null when there is none.
    virtual HWND mainWindow() const = 0;
    // Unloads an effect slot of the sound bank and a music segment of the same number (slot 1
    // previews music).
    virtual void unloadSound(int slot) = 0;
    // Plays the stored current music again.
    virtual void restartMusic() = 0;
    // Lowers the music's volume in steps down to silence and returns when done.
    virtual void fadeOutMusic() = 0;
    // The main window's players, for windows that play sounds of their own; null when missing.
    virtual MusicPlayer* musicPlayer() const = 0;
    virtual SoundPlayer* soundPlayer() const = 0;
};

// Installs the main window's services; null puts the default back. The object must outlive its
// installation.
void setMainWindowServices(MainWindowServices* services);
MainWindowServices& mainWindowServices();
