// AppWindowServices: sound and music calls handed to the main window's GameSound while it lives,
// the rest to the main window itself.
#include "app/app_window_services.h"

#include "app/game_sound.h"
#include "app/main_window.h"
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

MainWindow* AppWindowServices::window() const
{
    HWND main = m_main.mainWindow();
    return main ? dynamic_cast<MainWindow*>(windowFromHandle(main)) : nullptr;
}

bool AppWindowServices::isDisplayItemWindowVisible(DisplayItemList list) const
{
    const MainWindow* main = window();
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
