// ThinkProgressWindow: the small borderless window shown while the computer plays a turn (its own
// or a person's delegated one): an animation, the progress in percent and a stop button. Its
// watcher thread (ThinkProgressThread) animates it and watches the stop button.
#pragma once

#include "lib/thread.h"
#include "lib/window.h"
#include "ui/picture_canvas.h"
#include "ui/window_context.h"
#include "ui/window_kit.h"

#include <atomic>
#include <memory>

class GameState;
class ThinkProgressWindow;

class ThinkProgressThread : public swCThread {
public:
    static constexpr int kFrameCount = 6;
    static constexpr int kFrameMs = 100;
    static constexpr int kClickPauseMs = 500;

    explicit ThinkProgressThread(ThinkProgressWindow& window);
    ~ThinkProgressThread() override;
    void Run() override;

private:
    // One poll of the stop button: a left press since the last poll or a click the computer's
    // sequencer swallowed, over the button.
    void pollStopButton();
    // Draws frame f onto the canvas and the window.
    void drawFrame(int frame);

    ThinkProgressWindow& m_window;
    int m_frame = 0;
};

class ThinkProgressWindow : public ui::KitWindow<swCWindow> {
public:
    static constexpr const char* kClassName = "VKRC_THINKPROGRESSWINDOW_CNAME";
    static constexpr int kWidth = 296;
    static constexpr int kHeight = 88;
    // The stop button: its face on the canvas and the area where a click counts.
    static constexpr RECT kStopFace { 232, 12, 280, 36 };
    static constexpr RECT kBarArea { 80, 42, 280, 58 };
    static constexpr RECT kPercentArea { 168, 43, 196, 57 };

    // country: whose turn it shows; the window is made by Create.
    ThinkProgressWindow(const WindowContext& context, swCWindow* owner, int country);
    ~ThinkProgressWindow() override;

    // Creates the window at its kept placement (else centred over the main window), shows it when
    // the parent is visible and not minimised, and starts the watcher.
    BOOL Create() override;
    int OnMessage(MessageRecord& msg) override;
    void destroying() override;
    const ui::WindowDescription& description() const override;
    void showPicture(HDC dc, const RECT& area) override { m_canvas.copyTo(dc, area); }
    // Neither the close box nor a right click ends the computer's turn: the stop button does.
    void closeGesture() override { }

    // Posts the progress to the window (kThinkShowProgress), which shows it and then releases the game
    // thread's pending wait. False when nothing was posted.
    static bool postProgress(HWND window, int percent);
    // The progress the window shows (kept in its user data); 0 before the first.
    static int shownProgress(HWND window) { return int(GetWindowLongPtrA(window, GWLP_USERDATA)); }

    // Cleared while a file dialog of the main window is open: the watcher then ignores clicks.
    void setActiveFlag(bool on) { m_activeFlag = on ? 1 : 0; }
    bool activeFlag() const { return m_activeFlag.load() != 0; }
    int progress() const { return m_progress.load(); }
    int country() const { return m_country; }
    GameState& game() const { return m_game; }
    bool delegated() const { return m_delegated; }
    bool stopPressed() const { return m_stopPressed.load(); }
    PictureCanvas& canvas() { return m_canvas; }
    const swCBitmap& sheet() const { return m_sheet; }

    // Draws the stop button's face onto the canvas and the window.
    void drawStopFace(bool pressed);
    void drawProgress();

private:
    void stopWatcher();
    void waitShowing(int ms);

    GameState& m_game;
    const Presentation& m_look;
    PictureCanvas m_canvas;
    swCBitmap m_sheet;
    std::unique_ptr<ThinkProgressThread> m_thread;
    std::atomic<int32_t> m_progress = 0;
    std::atomic<uint8_t> m_activeFlag = 1;
    std::atomic<bool> m_stopPressed = false;
    int m_country;
    bool m_delegated = false;
};
