// AppWindowServices: the main window's services to the game's windows, over the rules' link.
#pragma once

#include "ui/main_window_services.h"

class AppMainWindowLink;
class MainWindow;

class AppWindowServices final : public MainWindowServices {
public:
    explicit AppWindowServices(AppMainWindowLink& main);

    HWND mainWindow() const override;
    void unloadSound(int slot) override;
    void restartMusic() override;
    void fadeOutMusic() override;
    void requestMusic(int tune, bool loop) override;
    void playSound(int slot) override;
    bool isSoundPlaying(int slot) const override;
    void stopAllSounds() override;
    MusicPlayer* musicPlayer() const override;
    SoundPlayer* soundPlayer() const override;
    void tellUnplayableSound(const std::string& path) override;
    void showUnitOnMap(int country, int index) override;
    void refreshPanelUnit() override;
    void refreshTroopLists() override;
    void refreshMap() override;
    void markPlacementHexes(int entry) override;
    void refreshDeployWindow(uint8_t flag) override;
    bool isDisplayItemWindowVisible(DisplayItemList list) const override;
    void dockDisplayItemWindow(DisplayItemList list) override;
    void setWeaponInfoShown(int key, int typeId) override;

private:
    // The main window object while it lives; the game's windows call on its thread.
    MainWindow* window() const;

    AppMainWindowLink& m_main;
};
