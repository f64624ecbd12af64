// AppWindowServices: sound and music calls handed to the main window's GameSound while it lives,
// the rest to the main window itself.
#include "app/app_window_services.h"

#include "app/game_sound.h"
#include "app/main_window.h"
#include "app/main_window_rules_link.h"
#include "app/map_window.h"
#include "ui/private_messages.h"

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

void AppWindowServices::playSound(int slot) { m_main.playSound(slot); }

bool AppWindowServices::isSoundPlaying(int slot) const { return m_main.isSoundPlaying(slot); }

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

void AppWindowServices::tellUnplayableSound(const std::string& path)
{
    if (GameSound* sound = m_main.sound())
        sound->tellUnplayable({ path });
    else
        MainWindowServices::tellUnplayableSound(path);
}

MainWindow* AppWindowServices::window() const
{
    HWND main = m_main.mainWindow();
    return main ? dynamic_cast<MainWindow*>(windowFromHandle(main)) : nullptr;
}

void AppWindowServices::showUnitOnMap(int country, int index)
{
    if (MainWindow* main = window())
        main->showUnitOnMap(country, index);
}

void AppWindowServices::refreshPanelUnit()
{
    if (MainWindow* main = window())
        main->refreshPanelUnit();
}

void AppWindowServices::refreshTroopLists()
{
    if (MainWindow* main = window())
        main->refreshTroopLists();
}

void AppWindowServices::refreshMap()
{
    if (HWND map = m_main.mapWindow())
        PostMessageA(map, ui_message::kMapRefresh, 0, 0);
}

void AppWindowServices::markPlacementHexes(int entry)
{
    if (MainWindow* main = window())
        main->markPlacementHexes(entry);
}

void AppWindowServices::refreshDeployWindow(uint8_t flag)
{
    if (MainWindow* main = window())
        main->refreshDeployWindow(flag);
}

bool AppWindowServices::isDisplayItemWindowVisible(DisplayItemList list) const
{
    MainWindow* main = window();
    return main && main->isDisplayItemWindowVisible(list);
}

void AppWindowServices::dockDisplayItemWindow(DisplayItemList list)
{
    if (MainWindow* main = window())
        main->dockDisplayItemWindow(list);
}

void AppWindowServices::setWeaponInfoShown(int key, int typeId)
{
    if (MainWindow* main = window())
        main->setWeaponInfoShown(key, typeId);
}
