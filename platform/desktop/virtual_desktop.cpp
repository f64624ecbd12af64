// The desktop: compositor, backend, input routing, key state and the timed screenshot.
#include "platform/desktop/virtual_desktop.h"

#include "platform/gdi/png.h"
#include "platform/kernel/host.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace platform::desktop {

namespace {

// A plain dark teal, the colour of an empty desktop.
constexpr uint32_t backgroundColour = 0x00206060;

constexpr UINT vkLButton = 0x01;
constexpr UINT vkRButton = 0x02;
constexpr UINT vkMButton = 0x04;

UINT buttonKey(InputEvent::Button button)
{
    switch (button) {
    case InputEvent::Button::Left:
        return vkLButton;
    case InputEvent::Button::Right:
        return vkRButton;
    case InputEvent::Button::Middle:
        return vkMButton;
    default:
        return 0;
    }
}

bool environmentFlag(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value && std::string(value) != "0";
}

} // namespace

SIZE parseScreenSize(const char* text)
{
    SIZE fallback { 1280, 960 };
    if (!text)
        return fallback;
    int width = 0, height = 0;
    char tail = 0;
    if (std::sscanf(text, "%dx%d%c", &width, &height, &tail) != 2)
        return fallback;
    if (width < 320 || height < 320 || width > 8192 || height > 8192)
        return fallback;
    return SIZE { width, height };
}

DesktopOptions desktopOptionsFromEnvironment()
{
    DesktopOptions options;
    options.screen = parseScreenSize(std::getenv("DERAZODO_SCREEN"));
    bool display = environmentFlag("DISPLAY") || environmentFlag("WAYLAND_DISPLAY");
    options.headless = environmentFlag("DERAZODO_HEADLESS") || !display;
    if (const char* path = std::getenv("DERAZODO_SCREENSHOT"))
        options.screenshotPath = path;
    if (const char* after = std::getenv("DERAZODO_SCREENSHOT_AFTER_MS")) {
        char* end = nullptr;
        long ms = std::strtol(after, &end, 10);
        if (end != after && ms >= 0 && ms <= 24L * 3600 * 1000)
            options.screenshotAfterMs = int(ms);
    }
    return options;
}

VirtualDesktop::VirtualDesktop(const DesktopOptions& options, std::unique_ptr<Backend> backend)
    : m_compositor(options.screen, backgroundColour)
    , m_backend(std::move(backend))
    , m_screenshotPath(options.screenshotPath)
    , m_screenshotAfterMs(options.screenshotAfterMs)
{
    m_compositor.invalidateScreen(RECT { 0, 0, options.screen.cx, options.screen.cy });
    if (!m_backend->start(*this)) {
        debugOutput("desktop: no display could be opened; running headless\n");
        m_backend = makeHeadlessBackend();
        m_backend->start(*this);
    }
    if (!m_screenshotPath.empty())
        m_screenshotThread = std::thread([this] { screenshotLoop(); });
}

VirtualDesktop::~VirtualDesktop()
{
    shutdown();
}

void VirtualDesktop::shutdown()
{
    {
        std::lock_guard lock(m_screenshotMutex);
        if (m_shutDown)
            return;
        m_shutDown = true;
        m_stopping = true;
    }
    m_sink = nullptr;
    m_screenshotWake.notify_all();
    m_backend->stop();
    // The exit picture is for runs that end before the delay; a timed picture already written
    // shows the program's windows, which are gone by now.
    if (m_screenshotThread.joinable()) {
        m_screenshotThread.join();
        if (!m_screenshotTaken)
            writeScreenshot(m_screenshotPath);
    }
}

void VirtualDesktop::screenshotLoop()
{
    std::unique_lock lock(m_screenshotMutex);
    if (m_screenshotWake.wait_for(lock, std::chrono::milliseconds(m_screenshotAfterMs), [this] { return m_stopping; }))
        return;
    lock.unlock();
    m_screenshotTaken = writeScreenshot(m_screenshotPath);
}

RECT VirtualDesktop::workArea() const
{
    SIZE size = m_compositor.size();
    return RECT { 0, 0, size.cx, size.cy };
}

void VirtualDesktop::postInput(const InputEvent& event)
{
    switch (event.kind) {
    case InputEvent::Kind::MouseMove:
    case InputEvent::Kind::MouseWheel:
        m_cursorX = event.screen.x;
        m_cursorY = event.screen.y;
        break;
    case InputEvent::Kind::MouseDown:
        m_cursorX = event.screen.x;
        m_cursorY = event.screen.y;
        m_keys.press(buttonKey(event.button));
        break;
    case InputEvent::Kind::MouseUp:
        m_cursorX = event.screen.x;
        m_cursorY = event.screen.y;
        m_keys.release(buttonKey(event.button));
        break;
    case InputEvent::Kind::KeyDown:
        m_keys.press(event.virtualKey);
        break;
    case InputEvent::Kind::KeyUp:
        m_keys.release(event.virtualKey);
        break;
    default:
        break;
    }
    if (InputSink* sink = m_sink)
        sink->deliver(event);
}

POINT VirtualDesktop::cursorPosition() const
{
    return POINT { m_cursorX, m_cursorY };
}

bool VirtualDesktop::writeScreenshot(const std::string& hostPath)
{
    SIZE size = m_compositor.size();
    std::vector<uint32_t> pixels = m_compositor.copyScreen(RECT { 0, 0, size.cx, size.cy });
    return writePng(hostPath, size.cx, size.cy, pixels.data(), size.cx);
}

Desktop& Desktop::instance()
{
    // Never destroyed: windows may still go away after the exit handlers have run. The exit
    // handler stops the backend and writes the exit screenshot.
    static VirtualDesktop* desktop = [] {
        DesktopOptions options = desktopOptionsFromEnvironment();
        auto* created = new VirtualDesktop(options, options.headless ? makeHeadlessBackend() : makeSdlBackend());
        std::atexit([] { static_cast<VirtualDesktop&>(Desktop::instance()).shutdown(); });
        return created;
    }();
    return *desktop;
}

} // namespace platform::desktop
