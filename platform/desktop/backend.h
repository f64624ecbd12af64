// The device behind the desktop: sdl shows the screen in a real window, headless has none.
#pragma once

#include "platform/desktop/desktop.h"

#include <memory>

namespace platform::desktop {

class Compositor;

// What a backend may ask of the desktop, from its own thread.
class BackendHost {
public:
    virtual ~BackendHost() = default;
    virtual Compositor& compositor() = 0;
    virtual void postInput(const InputEvent& event) = 0;
};

class Backend {
public:
    virtual ~Backend() = default;
    virtual bool isHeadless() const = 0;
    // Starts presenting; false when the device cannot be opened (the desktop then falls back
    // to headless).
    virtual bool start(BackendHost& host) = 0;
    // Stops presenting and releases the device; called once, before the host goes away.
    virtual void stop() = 0;
    // Minimises the window showing the screen; from any thread. Restoring it posts HostRestored.
    virtual void minimizeHost() { }
};

std::unique_ptr<Backend> makeHeadlessBackend();
std::unique_ptr<Backend> makeSdlBackend();

} // namespace platform::desktop
