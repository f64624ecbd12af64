// AppWindowServices: sound and music calls handed to the main window's GameSound while it lives.
#include "app/app_window_services.h"

#include "app/game_sound.h"
#include "app/main_window_rules_link.h"

AppWindowServices::AppWindowServices(AppMainWindowLink& main)
    : m_main(main)
{
}

HWND AppWindowServices::mainWindow() const { return m_main.mainWindow(); }

void AppWindowServices::unloadSound(int slot)
{
    if (GameSound* sound = m_main.sound())
        sound->unloadSound(slot);
}

void AppWindowServices::restartMusic()
{
    if (GameSound* sound = m_main.sound())
        sound->restartMusic();
}

void AppWindowServices::fadeOutMusic()
{
    if (GameSound* sound = m_main.sound())
        sound->fadeOutMusic();
}

void AppWindowServices::requestMusic(int tune, bool loop) { m_main.requestMusic(tune, loop); }

void AppWindowServices::stopAllSounds() { m_main.stopAllSounds(); }
MusicPlayer* AppWindowServices::musicPlayer() const
{
    GameSound* sound = m_main.sound();
    return sound ? sound->musicPlayer() : nullptr;
}

SoundPlayer* AppWindowServices::soundPlayer() const
{
    GameSound* sound = m_main.sound();
    return sound ? sound->soundPlayer() : nullptr;
}
