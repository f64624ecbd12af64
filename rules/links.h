// The rules engine's neighbour links: the installed main window, map window, dialogs and battle scene.
#pragma once

class BattleLink;
class DialogLink;
class MainWindowLink;
class MapWindowLink;

// Pointers owned by the caller; a null member stands for the headless neighbour.
struct RulesLinks {
    MainWindowLink* mainWindow = nullptr;
    MapWindowLink* mapWindow = nullptr;
    DialogLink* dialogs = nullptr;
    BattleLink* battle = nullptr;
};

void setRulesLinks(const RulesLinks& links);
// The installed neighbour, else the process's headless one, which answers at once.
MainWindowLink& mainWindowLink();
MapWindowLink& mapWindowLink();
DialogLink& dialogLink();
BattleLink& battleLink();
