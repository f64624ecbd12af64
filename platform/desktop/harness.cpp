// The test harness: injected input, idle waiting and reading the screen.
#include "platform/desktop/harness.h"

#include "platform/gdi/png.h"
#include "platform/kernel/host.h"
#include "platform/kernel/test_clock.h"

#include <cstdlib>
#include <thread>

namespace platform::harness {

using desktop::Desktop;
using desktop::InputEvent;

namespace {

void postMouse(InputEvent::Kind kind, int x, int y, Button button, int wheelDelta = 0)
{
    InputEvent event;
    event.kind = kind;
    event.screen = POINT { x, y };
    event.button = button;
    event.wheelDelta = wheelDelta;
    Desktop::instance().postInput(event);
}

void postKey(InputEvent::Kind kind, UINT virtualKey)
{
    InputEvent event;
    event.kind = kind;
    event.virtualKey = virtualKey;
    Desktop::instance().postInput(event);
}

} // namespace

void mouseMove(int x, int y) { postMouse(InputEvent::Kind::MouseMove, x, y, Button::None); }
void mouseDown(int x, int y, Button button) { postMouse(InputEvent::Kind::MouseDown, x, y, button); }
void mouseUp(int x, int y, Button button) { postMouse(InputEvent::Kind::MouseUp, x, y, button); }
void wheel(int x, int y, int delta) { postMouse(InputEvent::Kind::MouseWheel, x, y, Button::None, delta); }
void keyDown(UINT virtualKey) { postKey(InputEvent::Kind::KeyDown, virtualKey); }
void keyUp(UINT virtualKey) { postKey(InputEvent::Kind::KeyUp, virtualKey); }

void click(int x, int y, Button button)
{
    mouseMove(x, y);
    mouseDown(x, y, button);
    mouseUp(x, y, button);
}

void doubleClick(int x, int y, Button button)
{
    click(x, y, button);
    mouseDown(x, y, button);
    mouseUp(x, y, button);
}

void pressKey(UINT virtualKey)
{
    keyDown(virtualKey);
    keyUp(virtualKey);
}

void typeText(std::string_view utf8)
{
    InputEvent event;
    event.kind = InputEvent::Kind::Text;
    event.textCp932 = utf8ToCp932(utf8);
    Desktop::instance().postInput(event);
}

bool waitIdle(std::chrono::milliseconds timeout)
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        desktop::InputSink* sink = Desktop::instance().inputSink();
        if (!sink)
            return false;
        // Idle twice in a row: a queue may be empty for a moment while a thread hands work on.
        if (sink->isIdle()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            if (sink->isIdle())
                return true;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

TestClock::TestClock() { setTestClock(true); }

TestClock::~TestClock()
{
    setTestClock(false);
    // Timers that fell due meanwhile are looked at again on real time.
    if (desktop::InputSink* sink = Desktop::instance().inputSink())
        sink->clockMoved();
}

bool advanceClock(DWORD ms)
{
    if (!testClockOn())
        return false;
    const uint64_t target = clockMilliseconds() + ms;
    desktop::InputSink* sink = Desktop::instance().inputSink();
    if (!sink) {
        // No window was ever made: no queue is waiting for a timer.
        setTestClockTo(target);
        return true;
    }
    if (!waitIdle())
        return false;
    for (;;) {
        const uint64_t next = std::min(sink->nextTimerDue(), target);
        setTestClockTo(next);
        sink->clockMoved();
        if (!waitIdle())
            return false;
        if (next >= target)
            return true;
    }
}

Image readScreen()
{
    SIZE size = Desktop::instance().screenSize();
    return readRect(RECT { 0, 0, size.cx, size.cy });
}

Image readRect(const RECT& screenRect)
{
    SIZE size = Desktop::instance().screenSize();
    RECT r { std::max<LONG>(screenRect.left, 0), std::max<LONG>(screenRect.top, 0), std::min<LONG>(screenRect.right, size.cx),
        std::min<LONG>(screenRect.bottom, size.cy) };
    Image image;
    if (r.right <= r.left || r.bottom <= r.top)
        return image;
    image.width = r.right - r.left;
    image.height = r.bottom - r.top;
    image.pixels = Desktop::instance().readScreen(r);
    return image;
}

bool writePng(const Image& image, const std::string& hostPath)
{
    if (image.width <= 0 || image.height <= 0)
        return false;
    return platform::writePng(hostPath, image.width, image.height, image.pixels.data(), image.width);
}

void keepShot(const std::string& fileName)
{
    if (std::getenv("DERAZODO_TEST_SHOTS"))
        keepShot(readScreen(), fileName);
}

void keepShot(const Image& image, const std::string& fileName)
{
    if (const char* folder = std::getenv("DERAZODO_TEST_SHOTS"))
        writePng(image, std::string(folder) + "/" + fileName);
}

bool writeBmp(const Image& image, const std::string& hostPath)
{
    if (image.width <= 0 || image.height <= 0)
        return false;
    return platform::writeBmp(hostPath, image.width, image.height, image.pixels.data(), image.width);
}

} // namespace platform::harness
