// The virtual desktop: one screen of z-ordered top-level layers, composited onto a screen buffer
// and presented by a backend (sdl: a real window; headless: memory only, for tests). Input from the
// backend or the test harness reaches the window system through InputSink.
#pragma once

#include "platform/gdi/region.h"
#include "platform/gdi/surface.h"
#include "platform/kernel/windef.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform::desktop {

struct InputEvent {
    // CloseRequest: the person closed the desktop's host window; the sink sends WM_CLOSE to the
    // application's top-level window. DisplayLost: the display went away; the sink sends WM_CLOSE
    // whatever the window's close box says. HostRestored: the host window came back from the
    // taskbar; the sink restores the windows that were minimised.
    enum class Kind { MouseMove, MouseDown, MouseUp, MouseWheel, KeyDown, KeyUp, Text, CloseRequest, DisplayLost, HostRestored };
    enum class Button { None, Left, Right, Middle };
    Kind kind = Kind::MouseMove;
    POINT screen {};          // mouse events: the cursor position in screen coordinates
    Button button = Button::None;
    int wheelDelta = 0;       // multiples of 120, positive away from the user
    UINT virtualKey = 0;      // key events: VK_ code
    bool repeat = false;
    std::string textCp932;    // text events: CP932 bytes (a double-byte character is two bytes)
};

// Implemented by the window system. Called on the desktop's input thread (sdl) or the thread of
// the harness call (headless); it must only queue work, never block on a window's thread.
class InputSink {
public:
    virtual ~InputSink() = default;
    virtual void deliver(const InputEvent& event) = 0;
    // True when every message queue is empty and no window is waiting to be painted.
    virtual bool isIdle() = 0;
    // For the harness's test clock: when the next timer of any queue falls due on the layer's
    // clock (UINT64_MAX: no timer), and a wake-up of every queue after the clock moved.
    virtual uint64_t nextTimerDue() { return UINT64_MAX; }
    virtual void clockMoved() {}
};

using LayerId = uint32_t;

// One top-level window's picture on the screen. The surface is the window's backing store of its
// whole window rectangle; the region, when set, is in window coordinates and shapes the window.
struct LayerState {
    std::shared_ptr<Surface> surface;
    RECT screenRect {};
    bool visible = false;
    std::optional<Region> shape;
};

class Desktop {
public:
    virtual ~Desktop() = default;

    // The one desktop, created on first use. The backend is headless when DERAZODO_HEADLESS is set
    // or no display is available; the screen size comes from DERAZODO_SCREEN ("1280x960" default).
    static Desktop& instance();

    virtual bool isHeadless() const = 0;
    // Minimises the desktop's own window on the real desktop, where there is one.
    virtual void minimizeHost() = 0;
    virtual SIZE screenSize() const = 0;
    virtual RECT workArea() const = 0;

    virtual LayerId addLayer(const LayerState& state) = 0;
    virtual void removeLayer(LayerId layer) = 0;
    virtual void updateLayer(LayerId layer, const LayerState& state) = 0;
    // Puts the layer just above `below` (0: at the bottom) or at the top when `below` is ~0u.
    virtual void placeLayer(LayerId layer, LayerId below) = 0;
    // The part of the layer (window coordinates) whose pixels changed and must be presented.
    virtual void invalidateLayer(LayerId layer, const RECT& windowRect) = 0;

    virtual void setInputSink(InputSink* sink) = 0;
    virtual InputSink* inputSink() const = 0;
    // The one road of input, from the backend and from the test harness alike: updates the cursor
    // position and the async key state, then hands the event to the sink.
    virtual void postInput(const InputEvent& event) = 0;
    virtual POINT cursorPosition() const = 0;
    // Async key state for GetAsyncKeyState: down now, and pressed since the last query.
    virtual bool isKeyDown(UINT virtualKey) const = 0;
    virtual bool wasKeyPressedSinceLastQuery(UINT virtualKey) = 0;

    // Composes what is dirty and copies a rectangle of the screen (clipped to it), row by row,
    // 32-bit XRGB.
    virtual std::vector<uint32_t> readScreen(const RECT& screenRect) = 0;
    // Copies the composited screen (32-bit XRGB) and writes it as a PNG file.
    virtual bool writeScreenshot(const std::string& hostPath) = 0;
};

} // namespace platform::desktop
