// MainWindowServices: what the game's windows ask of the main window beyond the rules' link
// (rules/main_window_link.h already plays effects, asks for music and refreshes). app/ implements
// it; without a main window (tests, headless runs) the installed default has no window and no sound.
#pragma once

#include "platform/windows.h"

#include <cstdint>

// The lists that own a display-item window ("表示項目").
enum class DisplayItemList { Terrain, Troops, History };

class MainWindowServices {
public:
    virtual ~MainWindowServices() = default;

    // The main window, or null when there is none.
    virtual HWND mainWindow() const = 0;
    // Unloads an effect slot of the sound bank (slot 1 previews music).
    virtual void unloadSound(int slot) = 0;
    // Plays the stored current music again.
    virtual void restartMusic() = 0;
    // Lowers the music's volume in steps down to silence and returns when done.
    virtual void fadeOutMusic() = 0;

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
};

// Installs the main window's services; null puts the default back. The object must outlive its
// installation.
void setMainWindowServices(MainWindowServices* services);
MainWindowServices& mainWindowServices();
