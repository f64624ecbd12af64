// The information windows' test world: a started game state with the generated pictures, an owner
// window standing in for the main window that records what is posted to it, and pixel helpers.
#pragma once

#include "platform/desktop/harness.h"
#include "tests/lib/window_test_support.h"
#include "tests/ui/looked_world.h"
#include "ui/window_context.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace info_test {

namespace harness = platform::harness;
using harness::Image;

// XRGB of the palette-relative colours the windows draw with.
constexpr uint32_t kBlackPixel = 0x000000;
constexpr uint32_t kWhitePixel = 0xFFFFFF;
constexpr uint32_t kRedPixel = 0xFF0000;
constexpr uint32_t kOrangePixel = 0xFFA040;
constexpr uint32_t kGreyPixel = 0x808080;
constexpr uint32_t kPanelGreyPixel = 0xA0A0A0;

struct Posted {
    UINT message;
    WPARAM wParam;
};

// A popup at the screen's top-left in the main window's place; it keeps the user messages posted to it.
class RecordingOwner : public swCWindow {
public:
    RecordingOwner()
        : swCWindow("InfoTestOwner")
    {
        setStyle(WS_POPUP | WS_VISIBLE);
        setFrame(0, 0, 1000, 740);
    }
    int OnMessage(MessageRecord& msg) override
    {
        if (msg.message >= WM_USER && msg.message < WM_USER + 1000) {
            posted.push_back({ msg.message, msg.wParam });
            return 1;
        }
        return 0;
    }
    int count(UINT message) const
    {
        int n = 0;
        for (const Posted& p : posted)
            n += p.message == message;
        return n;
    }
    std::vector<Posted> posted;
};

class InfoWorld {
public:
    InfoWorld()
    {
        testing_lib::initApplication();
        owner.Create();
        testing_lib::pump();
    }
    ~InfoWorld()
    {
        state().handshake().setPlayRunning(false);
        testing_lib::destroyAllWindows();
    }
    GameState& state() { return world.state(); }
    // What the windows under test are handed.
    WindowContext context() { return makeWindowContext(state()); }
    // Play running with the rules as given; a person's country 0 in phase 5.
    void startPlay(int phase = 5)
    {
        state().turnBlock().phase = uint16_t(phase);
        state().turnBlock().currentCountry = 0;
        state().handshake().setPlayRunning(true);
    }

    testing_ui::LookedWorld world { 8, 8, -1, testing_ui::LookedWorld::Pictures::Linked };
    RecordingOwner owner;
};

inline POINT screenOf(HWND window, int x, int y)
{
    POINT p { x, y };
    ClientToScreen(window, &p);
    return p;
}

// The window's client area as it stands on the screen.
inline Image clientImage(HWND window)
{
    harness::waitIdle();
    RECT client {};
    GetClientRect(window, &client);
    const POINT origin = screenOf(window, 0, 0);
    return harness::readRect(RECT { origin.x, origin.y, origin.x + client.right, origin.y + client.bottom });
}

inline uint32_t rgb(const Image& image, int x, int y) { return image.at(x, y) & 0xFFFFFF; }

// How many pixels of the rectangle (right and bottom exclusive) have the colour.
inline int countColour(const Image& image, int left, int top, int right, int bottom, uint32_t colour)
{
    int n = 0;
    for (int y = top; y < bottom && y < image.height; ++y)
        for (int x = left; x < right && x < image.width; ++x)
            n += rgb(image, x, y) == colour;
    return n;
}

// The picture goes to the folder DERAZODO_SHOTS names, when it names one.
inline void saveShot(const Image& image, const std::string& name)
{
    const char* folder = std::getenv("DERAZODO_SHOTS");
    if (!folder || !*folder)
        return;
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(harness::writePng(image, (std::filesystem::path(folder) / (name + ".png")).string())) << name;
}

} // namespace info_test
