// AppWindowServices: the main window's services to the game's windows, over the rules' link.
#pragma once

#include "infowin/main_window_services.h"

class AppMainWindowLink;

class AppWindowServices final : public MainWindowServices {
public:
    explicit AppWindowServices(AppMainWindowLink& main);

    HWND mainWindow() const override;
    void unloadSound(int slot) override;
    void restartMusic() override;
    void fadeOutMusic() override;
    void requestMusic(int tune, bool loop) override;
    void stopAllSounds() override;
    MusicPlayer* musicPlayer() const override;
    SoundPlayer* soundPlayer() const override;

private:
    AppMainWindowLink& m_main;
};
