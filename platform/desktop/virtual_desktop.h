// The desktop itself: the compositor, the chosen backend, input routing, key state and the
// screenshot the environment may ask for.
#pragma once

#include "platform/desktop/backend.h"
#include "platform/desktop/compositor.h"
#include "platform/desktop/key_state.h"

#include <atomic>
#include <condition_variable>
#include <thread>

namespace platform::desktop {

struct DesktopOptions {
    SIZE screen { 1280, 960 };
    bool headless = true;
    std::string screenshotPath;  // host path; empty: none
    int screenshotAfterMs = 3000;
};

// "WxH" within 320..8192 each; anything else gives the default 1280 x 960.
SIZE parseScreenSize(const char* text);
DesktopOptions desktopOptionsFromEnvironment();

class VirtualDesktop final : public Desktop, public BackendHost {
public:
    VirtualDesktop(const DesktopOptions& options, std::unique_ptr<Backend> backend);
    ~VirtualDesktop() override;

    bool isHeadless() const override { return m_backend->isHeadless(); }
    void minimizeHost() override { m_backend->minimizeHost(); }
    SIZE screenSize() const override { return m_compositor.size(); }
    RECT workArea() const override;

    LayerId addLayer(const LayerState& state) override { return m_compositor.addLayer(state); }
    void removeLayer(LayerId layer) override { m_compositor.removeLayer(layer); }
    void updateLayer(LayerId layer, const LayerState& state) override { m_compositor.updateLayer(layer, state); }
    void placeLayer(LayerId layer, LayerId below) override { m_compositor.placeLayer(layer, below); }
    void invalidateLayer(LayerId layer, const RECT& windowRect) override { m_compositor.invalidateLayer(layer, windowRect); }

    void setInputSink(InputSink* sink) override { m_sink = sink; }
    InputSink* inputSink() const override { return m_sink; }
    void postInput(const InputEvent& event) override;
    POINT cursorPosition() const override;
    bool isKeyDown(UINT virtualKey) const override { return m_keys.isDown(virtualKey); }
    bool wasKeyPressedSinceLastQuery(UINT virtualKey) override { return m_keys.takePressed(virtualKey); }

    std::vector<uint32_t> readScreen(const RECT& screenRect) override { return m_compositor.copyScreen(screenRect); }
    bool writeScreenshot(const std::string& hostPath) override;

    Compositor& compositor() override { return m_compositor; }

    // Detaches the sink, stops the backend and writes the exit screenshot; once only. The
    // desktop stays usable (headless) afterwards, for windows destroyed later in the exit.
    void shutdown();

private:
    void screenshotLoop();

    Compositor m_compositor;
    std::unique_ptr<Backend> m_backend;
    std::atomic<InputSink*> m_sink { nullptr };
    std::atomic<LONG> m_cursorX { 0 };
    std::atomic<LONG> m_cursorY { 0 };
    KeyState m_keys;
    std::string m_screenshotPath;
    int m_screenshotAfterMs = 0;
    std::mutex m_screenshotMutex;
    std::condition_variable m_screenshotWake;
    bool m_stopping = false;
    bool m_screenshotTaken = false;
    bool m_shutDown = false;
    std::thread m_screenshotThread;
};

} // namespace platform::desktop
