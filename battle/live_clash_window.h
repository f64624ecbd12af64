// LiveClashWindow: the animated battle scene, one module of process-wide state set up with the main
// window, serving every engagement, and torn down with it.
#pragma once

#include "battle/battle_sound.h"
#include "battle/scene_state.h"
#include "platform/windows.h"

struct BattleRecord;

class LiveClashWindow {
public:
    // Set up once with the main window's sub-windows; false leaves no windows and no draw thread.
    static bool init(HINSTANCE instance, HWND main_window);
    // Stops the draw thread (handling the messages it may be sending meanwhile) and frees everything.
    static void shutDown();
    static bool isReady();
    // Prepares and starts one scene; false when the module is not set up, so the caller releases
    // its waiter at once.
    static bool runBattle(const BattleRecord& record, SceneSound sound);
    // Stops painting and frees the last scene's resources.
    static void resetScene();
    // Ends the scene playing as a click on it does.
    static void endScene();

    // The set-up of runBattle without resources or windows: sides, figures, aims, shots, cut plan.
    static void prepareScene(const BattleRecord& record);
    static bool chooseWideLayout(int attacker_kind, int defender_kind, int attacker_country, int defender_country);

    // The scene's pictures and window shapes, all read from the data folder.
    static int loadSprite(SpriteKind kind, int number, int& counter, int variant, bool darken, int side);
    static int loadBackground(int number, bool darken);
    static bool loadFrameImage(int side, int country);
    static bool loadWeaponSprites(int side, int& counter, bool darken);
    static bool loadSceneData(bool darken);
    static bool loadMasks();
    static void setWindowShape(HWND window, int side, bool wide);
    static void removeWindowShape(HWND window);
    static void placeWindows();

    // Painting one frame of both sides: the draw thread's work, callable directly.
    static void paintFrame(int frame);
    static void drawEmptySide(int side);
    static void drawLabels(int side, int frame);
    // A negative slot takes the other side's background.
    static void drawBackground(int frame, int side, bool scroll, bool sea_waves, int slot);
    static void markImpact(int side, int frame);
    static HDC targetDC(int side);
    static SceneTarget target(int side);
};

// The draw thread's procedure.
DWORD WINAPI battleDrawThread(LPVOID);

// Where each window goes: the desktop's width and height, the wide flags, countries and backgrounds.
struct ScenePlacement {
    POINT origin[2];
    SIZE size[2];
};
ScenePlacement computeScenePlacement(int screen_width, int screen_height, const std::array<bool, 2>& wide,
    const std::array<int, 2>& countries, const std::array<int, 2>& backgrounds);
