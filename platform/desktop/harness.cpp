// The test harness: injected input, idle waiting and reading the screen.
#include "platform/desktop/harness.h"

#include "platform/gdi/png.h"
#include "platform/kernel/host.h"
#include "platform/kernel/test_clock.h"

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <optional>
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

void closeDesktop()
{
    InputEvent event;
    event.kind = InputEvent::Kind::CloseRequest;
    Desktop::instance().postInput(event);
}

namespace {

// Idle twice in a row: a queue may be empty for a moment while a thread hands work on.
bool idleNow(desktop::InputSink& sink)
{
    if (!sink.isIdle())
        return false;
    std::this_thread::sleep_for(std::chrono::microseconds(500));
    return sink.isIdle();
}

bool waitIdleUntil(desktop::InputSink& sink, std::chrono::steady_clock::time_point deadline)
{
    for (;;) {
        if (idleNow(sink))
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// The running clock's hand holds still while a test waits for idle, so that idle means what it
// means on real time: nothing queued and no timer due at this moment. The hand moves the clock
// under g_handMutex. A hold kept longer than a moment (the waiting thread handles its own
// messages meanwhile, and one of them may wait for a thread asleep on the clock) lets the clock
// go on at real pace.
std::mutex g_handMutex;
std::atomic<int> g_holds { 0 };
std::atomic<int64_t> g_holdStart { 0 };
constexpr std::chrono::milliseconds kLongestHold { 20 };

int64_t steadyNow() { return std::chrono::steady_clock::now().time_since_epoch().count(); }

bool handHeld()
{
    return g_holds.load() > 0
        && std::chrono::steady_clock::duration(steadyNow() - g_holdStart.load()) < kLongestHold;
}

struct HandHold {
    HandHold()
    {
        if (g_holds++ == 0)
            g_holdStart = steadyNow();
        std::lock_guard settled(g_handMutex);
    }
    ~HandHold() { --g_holds; }
};

} // namespace

bool waitIdle(std::chrono::milliseconds timeout)
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    desktop::InputSink* sink = Desktop::instance().inputSink();
    if (!sink)
        return false;
    if (!testClockRunning())
        return waitIdleUntil(*sink, deadline);
    // The test's thread looks: a sleep of its own that just ended holds the clock no longer.
    stopHoldingTestClock();
    // A program that stays busy may be waiting for time to pass (a thread it waits for sleeps):
    // the hand is let go now and then.
    for (;;) {
        {
            HandHold hold;
            if (waitIdleUntil(*sink, std::min(deadline, std::chrono::steady_clock::now() + std::chrono::milliseconds(50))))
                return true;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

// Moves a running clock: to the next timer or sleeper due as soon as the program is idle and no
// thread holds the clock, and never slower than real time. It looks again whenever a thread starts
// to wait, and at real pace meanwhile.
struct TestClock::Hand {
    std::atomic<bool> stop { false };
    std::chrono::steady_clock::time_point lastMove = std::chrono::steady_clock::now();
    // Since when threads have held the clock: past kLongestWork it goes on without them (one may
    // wait in a way the clock does not see).
    std::optional<std::chrono::steady_clock::time_point> heldSince;
    static constexpr std::chrono::milliseconds kLongestWork { 100 };
    // Last, so that the thread starts on members already made.
    std::thread thread;

    Hand()
        : thread([this] { run(); })
    {
    }
    ~Hand()
    {
        stop = true;
        thread.join();
    }

    void run()
    {
        while (!stop) {
            const uint64_t seen = testClockActivity();
            if (!move())
                awaitTestClockActivity(seen, std::chrono::milliseconds(1));
        }
    }

    bool move()
    {
        using namespace std::chrono;
        if (handHeld())
            return false;
        desktop::InputSink* sink = Desktop::instance().inputSink();
        const auto realNow = steady_clock::now();
        bool held = threadsHoldTestClock();
        if (!held)
            heldSince.reset();
        else if (!heldSince)
            heldSince = realNow;
        held = held && realNow - *heldSince < kLongestWork;
        const bool idle = !held && g_holds.load() == 0 && (!sink || sink->isIdle());
        std::lock_guard lock(g_handMutex);
        if (handHeld())
            return false;
        const uint64_t now = clockMilliseconds();
        const uint64_t next = std::min(nextSleeperDue(), sink ? sink->nextTimerDue() : UINT64_MAX);
        uint64_t target = now + uint64_t(duration_cast<milliseconds>(realNow - lastMove).count());
        if (idle && next != UINT64_MAX && next > now)
            target = next;
        if (target <= now)
            return false;
        setTestClockTo(target);
        if (sink)
            sink->clockMoved();
        lastMove = realNow;
        if (idle)
            heldSince.reset();
        return true;
    }
};

TestClock::TestClock(Mode mode)
{
    setTestClock(true);
    if (mode == Running) {
        setTestClockRunning(true);
        m_hand = std::make_unique<Hand>();
    }
}

TestClock::~TestClock()
{
    m_hand.reset();
    setTestClock(false);
    // Timers that fell due meanwhile are looked at again on real time.
    if (desktop::InputSink* sink = Desktop::instance().inputSink())
        sink->clockMoved();
}

bool advanceClock(DWORD ms, const std::function<bool()>& standStill)
{
    if (!testClockOn() || testClockRunning())
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
        if ((standStill && standStill()) || next >= target)
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
