// The installed neighbour links, falling back on the headless ones.
#include "rules/links.h"

#include "rules/headless_links.h"

#include <atomic>

namespace {

// Installed once by the interface thread, read from both threads.
std::atomic<MainWindowLink*> g_mainWindow { nullptr };
std::atomic<MapWindowLink*> g_mapWindow { nullptr };
std::atomic<DialogLink*> g_dialogs { nullptr };
std::atomic<BattleLink*> g_battle { nullptr };

} // namespace

void setRulesLinks(const RulesLinks& links)
{
    g_mainWindow = links.mainWindow;
    g_mapWindow = links.mapWindow;
    g_dialogs = links.dialogs;
    g_battle = links.battle;
}

MainWindowLink& mainWindowLink()
{
    MainWindowLink* link = g_mainWindow;
    return link ? *link : headlessMainWindow();
}

MapWindowLink& mapWindowLink()
{
    MapWindowLink* link = g_mapWindow;
    return link ? *link : headlessMapWindow();
}

DialogLink& dialogLink()
{
    DialogLink* link = g_dialogs;
    return link ? *link : headlessDialogs();
}

BattleLink& battleLink()
{
    BattleLink* link = g_battle;
    return link ? *link : headlessBattle();
}
