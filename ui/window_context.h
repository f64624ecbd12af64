// WindowContext: what a game window is handed when it is made, in place of reaching for globals:
// the game it shows, the main window's services it calls and the presentation it draws with. A
// window keeps the parts it uses (a const GameState& where it only reads) and hands the context
// on to the windows it opens. Other countries' units and figures are read through view(), which
// hands back only what the person watching may know.
#pragma once

#include "rules/visibility.h"

class GameState;
class MainWindowServices;
class Presentation;

struct WindowContext {
    GameState& game;
    MainWindowServices& main;
    Presentation& look;

    ViewerView view() const { return ViewerView(game); }
};

// The context of a window made for the game with the main window's services and the
// presentation installed now.
WindowContext makeWindowContext(GameState& game);
