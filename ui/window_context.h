// WindowContext: what a game window is handed when it is made, in place of reaching for globals:
// the game it shows and the main window's services it calls. A window keeps the parts it uses
// (a const GameState& where it only reads) and hands the context on to the windows it opens.
#pragma once

class GameState;
class MainWindowServices;

struct WindowContext {
    GameState& game;
    MainWindowServices& main;
};

// The context of a window made for the game with the main window's services installed now.
WindowContext makeWindowContext(GameState& game);
