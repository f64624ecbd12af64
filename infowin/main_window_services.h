// MainWindowServices: what the game's windows ask of the main window beyond the rules' link
// (rules/main_window_link.h already plays effects, asks for music and refreshes). app/ implements
// it; without a main window (tests, headless runs) the installed default has no window and no sound.
#pragma once

#include "platform/windows.h"

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

// Installs the main window's services; null puts the default back. The object must outlive its
// installation.
void setMainWindowServices(MainWindowServices* services);
MainWindowServices& mainWindowServices();
