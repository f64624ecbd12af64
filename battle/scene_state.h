// The battle scene's process-wide state: the two sides, the cut plans, the clock, the buffers and
// the caches, shared by the UI thread, the draw thread and the painters under one lock.
#pragma once

#include "battle/battle_unit_data.h"
#include "battle/scene_bitmap.h"
#include "battle/scene_random.h"
#include "battle/sprite_image.h"
#include "platform/windows.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

constexpr int kFigureCount = 10;
constexpr int kCutFrames = 75;
constexpr int kNarrowWidth = 500;
constexpr int kWideWidth = 960;
constexpr int kSpriteSlots = 14;
constexpr int kBackgroundSlots = 5;
constexpr int kSoundSlots = 5;
constexpr int kNoCountry = 9;

enum ScenePhase : int { kPhaseStand = 0, kPhaseFire = 1, kPhaseHit = 2, kPhaseEmpty = 3, kPhaseApproach = 4 };

struct SceneFigure {
    uint8_t shown = 0;
    // The other side's figure this one aims at, -1 none.
    int32_t target = -1;
    int32_t hitCount = 0;
    uint8_t fires = 0;
    int32_t jitterA = 0;
    int32_t jitterB = 0;
    int32_t jitterC = 0;
    uint8_t impactDone = 0;
    int32_t hitFrame = -1;
    int32_t soundFlags = 0;
};

struct SceneSide {
    int32_t country = kNoCountry;
    int32_t background = -1;
    int32_t typeNumber = 0;
    int32_t unitIcon = 0;
    int32_t domain = 0;
    int32_t sceneKind = 0;
    char typeName[33] = {};
    char weaponName[17] = {};
    char unitName[33] = {};
    char className[17] = {};
    int32_t weaponKind = 0;
    uint32_t weaponParam1 = 0;
    uint32_t weaponParam2 = 0;
    std::array<SceneFigure, kFigureCount> figures {};
    // Frame + 1 of the first hit; 0 until then, -1 never changes.
    int32_t impactFrame = -1;
    // Resources of the scene; -1 none.
    int32_t backgroundSlot = -1;
    std::array<int32_t, 2> extraBackgroundSlots { -1, -1 };
    int32_t unitSpriteSlot = -1;
    std::array<int32_t, 2> effectSlots { -1, -1 };
    int32_t weaponSpriteSlot = -1;
    std::array<int32_t, 4> extraSpriteSlots { -1, -1, -1, -1 };
    std::array<int32_t, kSoundSlots> soundSlots { -1, -1, -1, -1, -1 };
    BattleUnitEntry unitEntry {};
};

struct CutPlan {
    // Per side five phase codes, one per cut.
    std::array<std::array<int, 5>, 2> phases {};
    int totalFrames = 150;
};

struct BackgroundSlot {
    int number = -1;
    SceneBitmap bitmap;
};

// Everything the scene module keeps between init and shutDown.
struct SceneState {
    HWND mainWindow = nullptr;
    HINSTANCE instance = nullptr;
    // Defender window first: it is created first and owns the attacker's.
    std::array<HWND, 2> windows {};
    // Read by the draw thread without the lock.
    std::atomic<bool> running { false };
    int frame = -1;
    int lastFrame = -1;
    uint32_t startTime = UINT32_MAX;
    uint32_t prevTime = 0;
    uint32_t curTime = 0;
    std::array<bool, 2> wide {};
    std::array<int, 2> shape { -1, -1 };
    std::string folder;
    HFONT font = nullptr;
    CRITICAL_SECTION lock {};
    bool lockMade = false;
    HANDLE event = nullptr;
    HANDLE thread = nullptr;
    bool soundOn = false;

    std::array<SceneSide, 2> sides {};
    CutPlan plan {};
    SceneRandom random;

    // Per side 500 × 300, and one shared 960 × 300 for the wide layout.
    std::array<SceneBitmap, 2> buffers;
    SceneBitmap wideBuffer;
    std::array<SpriteImage, kSpriteSlots> sprites {};
    std::array<BackgroundSlot, kBackgroundSlots> backgrounds {};
    std::array<SceneBitmap, 2> framePictures;
    SceneBitmap category;
    // The two shape files' rectangles, as read.
    std::array<std::vector<RECT>, 2> shapes;
};

SceneState& sceneState();
bool isSingleFigureKind(int scene_kind);
