// MainWindowServices: what the game's windows ask of the main window beyond the rules' link
// (rules/main_window_link.h already plays effects, asks for music and refreshes). app/ implements
// it; without a main window (tests, headless runs) the installed default has no window and no sound.
#pragma once

#include "platform/windows.h"

class MusicPlayer;
class SoundPlayer;

// The music player's audio path that carries the music at the music volume.
constexpr int kMusicAudioPath = 1;
#include <cstdint>
#include <string>
#include <vector>

// The lists that own a display-item window ("表示項目").
enum class DisplayItemList { Terrain, Troops, History };

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
    // Has the main window play a tune: 1..8 the anthem of country tune - 1, 9 victory, 10 defeat.
    // Without a main window there is nothing to play.
    virtual void requestMusic(int /*tune*/, bool /*loop*/) { }
    // Plays an effect slot of the sound bank; without a main window nothing plays, so nothing is
    // playing either.
    virtual void playSound(int /*slot*/) { }
    virtual bool isSoundPlaying(int /*slot*/) const { return false; }
    // Stops every effect and the music.
    virtual void stopAllSounds() { }
    // The main window's players, for windows that play sounds of their own; null when missing.
    virtual MusicPlayer* musicPlayer() const { return nullptr; }
    virtual SoundPlayer* soundPlayer() const { return nullptr; }
    // Tells that a sound or music file a window played was refused; the main window tells each file
    // once a run, without one it is told every time.
    virtual void tellUnplayableSound(const std::string& path);

    // The panel shows the unit, the map scrolls to its hex and blinks it.
    virtual void showUnitOnMap(int country, int index) { (void)country, (void)index; }
    // The panel reads its unit again (after a rename, for one).
    virtual void refreshPanelUnit() { }
    // The troop list and the destroyed-units list read the game again.
    virtual void refreshTroopLists() { }
    // The map window draws every hex again.
    virtual void refreshMap() { }
    // The map window marks where carry-over entry may be placed and places it on the next click.
    virtual void markPlacementHexes(int entry) { (void)entry; }
    // The deployment window shows itself again; flag 1 also rereads its rows and counts.
    virtual void refreshDeployWindow(uint8_t flag) { (void)flag; }

    // The list's display-item window exists and is shown.
    virtual bool isDisplayItemWindowVisible(DisplayItemList list) const
    {
        (void)list;
        return false;
    }
    // Moves the list's display-item window to the list's right edge (see display_item_dock.h).
    virtual void dockDisplayItemWindow(DisplayItemList list) { (void)list; }
    // The weapon information window of the key now shows the type, so a later request for that
    // type raises it.
    virtual void setWeaponInfoShown(int key, int typeId) { (void)key, (void)typeId; }
};

class swCWindow;

// Posts the message to the window's owner, else to the main window; nothing without either.
void postToOwner(const swCWindow& window, UINT message, WPARAM wParam = 0);

// Installs the main window's services; null puts the default back. The object must outlive its
// installation.
void setMainWindowServices(MainWindowServices* services);
MainWindowServices& mainWindowServices();

// The warning for sound or music files the players refused, each named with why (one that reads
// whole is damaged inside). Nothing when the list is empty.
void showUnplayableSounds(const std::vector<std::string>& paths);
