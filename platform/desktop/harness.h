// The test harness of the desktop: input injected at screen coordinates through the same road as
// real input, waiting for idle, reading the screen as pixels, and the message-box policy that
// answers boxes in runs without a person.
#pragma once

#include "platform/desktop/desktop.h"

#include <chrono>
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

// Waits until the window system reports every queue idle. False on time-out, or when no
// window system is attached.
bool waitIdle(std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));

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

// Message boxes. While the policy is active (always on a headless desktop), a box is not shown:
// it is answered at once, by the next queued answer, else the default answer, else (0) its own
// default button. Each box is recorded and its caption and text written to the debug output.
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

} // namespace platform::harness
