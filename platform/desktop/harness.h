// The test harness of the desktop: input injected at screen coordinates through the same road as
// real input, waiting for idle, reading the screen as pixels, and the message-box policy that
// answers boxes in runs without a person.
#pragma once

#include "platform/desktop/desktop.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform::harness {

using Button = desktop::InputEvent::Button;

void mouseMove(int x, int y);
void mouseDown(int x, int y, Button button = Button::Left);
void mouseUp(int x, int y, Button button = Button::Left);
void click(int x, int y, Button button = Button::Left);
void doubleClick(int x, int y, Button button = Button::Left);
// delta in multiples of 120, positive away from the user.
void wheel(int x, int y, int delta);
void keyDown(UINT virtualKey);
void keyUp(UINT virtualKey);
// Down and up.
void pressKey(UINT virtualKey);
// UTF-8 text, delivered as CP932 as the sdl backend delivers typed text.
void typeText(std::string_view utf8);
// The close button of the desktop's own window, as the sdl backend reports it.
void closeDesktop();

// Waits until the window system reports every queue idle. False on time-out, or when no
// window system is attached.
bool waitIdle(std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));

// The test clock. While a TestClock lives, GetTickCount, timeGetTime, message times and window
// timers stand still; off by default.
//
// Held (the default): the clock moves only by advanceClock. Waits with a time-out
// (WaitForSingleObject, MsgWaitForMultipleObjects, SendMessageTimeout, waitIdle) and Sleep stay
// on real time. For a test that checks what shows at a given moment:
//     harness::TestClock clock;
//     ... open the window that closes itself after 3 s ...
//     harness::advanceClock(2999);   // still open
//     harness::advanceClock(1);      // closed
//
// Running: time passes as fast as the program is idle. Whenever every queue is idle and every
// thread the program started that the clock woke waits again (in Sleep, a kernel wait, its queue
// or a reply), the clock jumps to the next timer or Sleep that falls due, and never stands still
// longer than real time would; Sleep (and lib's threadPause) wait on it, so animations, popups that close after a delay
// and the battle scene's frames cost no real time. waitIdle then returns
// once the program has been seen idle, waiting only for time. For a test that plays along:
//     harness::TestClock clock(harness::TestClock::Running);
//     ... click, waitIdle, look: the delays in between pass at once ...
// Waits on other threads' work (WaitForSingleObject, condition variables) keep real time.
class TestClock {
public:
    enum Mode { Held, Running };
    explicit TestClock(Mode mode = Held);
    ~TestClock();
    TestClock(const TestClock&) = delete;
    TestClock& operator=(const TestClock&) = delete;

private:
    struct Hand;
    std::unique_ptr<Hand> m_hand;
};

// Moves a held test clock on by `ms`, stopping at each timer that falls due on the way and waiting
// until it was handled: a 100 ms timer ticks 30 times in advanceClock(3000), each tick seeing
// GetTickCount at its own due time. Before the first window is made it just moves the clock.
// With `standStill`, that is asked at each stop (and at the end) once the windows are idle; when
// it answers true, the clock stays there: a test looks at each step of an animation, or stops at
// the last picture before a window closes itself.
// False when no held test clock is on or the windows did not become idle (see waitIdle).
bool advanceClock(DWORD ms, const std::function<bool()>& standStill = {});

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // 32-bit XRGB, rows top to bottom
    uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

Image readScreen();
// The part of the screen under a rectangle, clipped to the screen.
Image readRect(const RECT& screenRect);
bool writePng(const Image& image, const std::string& hostPath);
bool writeBmp(const Image& image, const std::string& hostPath);
// For a person to look at: when DERAZODO_TEST_SHOTS names a folder, writes the screen (or the
// picture given) there as a PNG file of that name; otherwise does nothing.
void keepShot(const std::string& fileName);
void keepShot(const Image& image, const std::string& fileName);

// Message boxes. While the policy is active (always on a headless desktop), a box is not shown:
// it is answered at once, by the next queued answer, else the default answer, else (0) its own
// default button. Each box, answered or shown, is recorded; an answered one's caption and text are
// written to the debug output.
struct MessageBoxRecord {
    std::string text;     // CP932, as given
    std::string caption;  // CP932, after the default caption was applied
    UINT style = 0;
    int answer = 0;
};

void setMessageBoxPolicy(bool active);
bool messageBoxPolicyActive();
void queueMessageBoxAnswer(int answer);
void setDefaultMessageBoxAnswer(int answer);
std::vector<MessageBoxRecord> messageBoxes();
void clearMessageBoxes();
// Used by the message box itself: records the box and returns its answer.
int answerMessageBox(const std::string& text, const std::string& caption, UINT style, int defaultButtonId);
// Used by a box that was shown: records it with the answer it ended with.
void recordShownMessageBox(const std::string& text, const std::string& caption, UINT style, int answer);

} // namespace platform::harness
