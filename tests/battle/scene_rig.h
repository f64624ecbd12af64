// The battle scene set up over the generated scene files in a fresh program folder, with a window in
// the main window's place that keeps what is posted to it, for the frame and window tests.
#pragma once

#include "battle/battle_unit_data.h"
#include "battle/live_clash_window.h"
#include "platform/desktop/harness.h"
#include "rules/combat_scene.h"
#include "tests/lib/temp_program_folder.h"
#include "tests/lib/window_test_support.h"
#include "ui/private_messages.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace scene_test {

namespace harness = platform::harness;

// Stands in for the main window: counts the scene's hand-backs (kBattleSceneFinished) and the
// closes asked of it.
class OwnerWindow : public swCWindow {
public:
    OwnerWindow()
        : swCWindow("SceneTestOwner")
    {
        setStyle(WS_POPUP | WS_VISIBLE);
        setFrame(0, 0, 200, 100);
    }
    int OnMessage(MessageRecord& msg) override
    {
        if (msg.message == ui_message::kBattleSceneFinished) {
            ++handBacks;
            return 1;
        }
        if (msg.message == WM_CLOSE) {
            ++closes;
            return 1;
        }
        return 0;
    }
    int handBacks = 0;
    int closes = 0;
};

// Handles this thread's messages until the condition holds; false after the time-out.
inline bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(5))
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        testing_lib::pumpQueued();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

// A scene value read under the scene's lock, as the draw thread writes it.
inline int lockedRead(const std::function<int(SceneState&)>& read)
{
    SceneState& st = sceneState();
    EnterCriticalSection(&st.lock);
    const int value = read(st);
    LeaveCriticalSection(&st.lock);
    return value;
}

class SceneRig : public testing_lib::TempProgramFolder {
public:
    // Without scene files the module cannot start.
    explicit SceneRig(bool with_files = true)
        : TempProgramFolder("battle")
    {
        namespace fs = std::filesystem;
        if (with_files)
            fs::create_directory_symlink(fs::path(DERAZODO_PROGRAM_DIR) / "tklc", host("tklc"));
        testing_lib::initApplication();
        owner.Create();
        std::ifstream in(std::filesystem::path(DERAZODO_PROGRAM_DIR) / "tklc" / "unitdata.dat", std::ios::binary);
        const std::vector<uint8_t> bytes { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
        data.readFile(bytes);
        ready = LiveClashWindow::init(GetModuleHandleA(nullptr), owner.handle());
    }
    ~SceneRig()
    {
        LiveClashWindow::shutDown();
        testing_lib::destroyAllWindows();
    }

    // One side of a type of the generated unit data, firing its first weapon, at full strength.
    BattleSideRecord side(int type_id, int country, int domain, int terrain) const
    {
        BattleSideRecord r;
        r.country = uint32_t(country);
        r.unitType = uint32_t(type_id);
        r.battleId = uint16_t(type_id);
        r.unitIcon = uint32_t(type_id % 20);
        r.domain = uint32_t(domain);
        r.terrain = uint32_t(terrain);
        r.figuresBefore = 10;
        r.figuresAfter = 10;
        r.strengthBefore = 100;
        r.strengthAfter = 100;
        r.unitEntry = &data.entryFor(type_id);
        r.weaponSlot = r.unitEntry->weapons[0].kind ? 0 : -1;
        return r;
    }

    // The attacker window, then the defender's.
    HWND window(int side) const { return sceneState().windows[size_t(1 - side)]; }
    bool shown(int side) const { return IsWindowVisible(window(side)) != 0; }
    // Until the draw thread has painted the scene's first frame.
    bool waitFirstFrame() const
    {
        return pumpUntil([] { return lockedRead([](SceneState& st) { return st.lastFrame; }) >= 0; });
    }

    BattleUnitData data;
    OwnerWindow owner;
    bool ready = false;
};

// The picture of one back buffer, top row first.
inline harness::Image bufferImage(const SceneBitmap& buffer)
{
    harness::Image image;
    image.width = buffer.width();
    image.height = buffer.height();
    image.pixels.resize(size_t(image.width) * size_t(image.height));
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const uint16_t w = buffer.row(y)[x];
            const uint32_t r = (w >> 10 & 31) << 3;
            const uint32_t g = (w >> 5 & 31) << 3;
            const uint32_t b = (w & 31) << 3;
            image.pixels[size_t(y) * size_t(image.width) + size_t(x)] = r << 16 | g << 8 | b;
        }
    return image;
}

// Written to the folder DERAZODO_SHOTS names, when it names one.
inline void keepBuffer(const SceneBitmap& buffer, const std::string& name)
{
    const char* folder = std::getenv("DERAZODO_SHOTS");
    if (!folder || !*folder || buffer.empty())
        return;
    std::filesystem::create_directories(folder);
    harness::writePng(bufferImage(buffer), (std::filesystem::path(folder) / (name + ".png")).string());
}

} // namespace scene_test
