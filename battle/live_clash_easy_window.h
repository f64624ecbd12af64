// LiveClashEasyWindow: the simplified battle window, both units' counters and weapons on one panel,
// the counters animated from before to after, closing by itself.
#pragma once

#include "lib/dialog_base.h"
#include "lib/media/bitmap.h"
#include "ui/window_context.h"
#include "ui/window_kit.h"

#include <cstdint>

class LiveClashEasyWindow : public ui::KitWindow<DialogBase> {
public:
    // The game holds the engagement shown; each side as the viewer may see it.
    LiveClashEasyWindow(const WindowContext& context, swCWindow* owner);
    ~LiveClashEasyWindow() override;

    int OnInitDialog() override;
    const ui::WindowDescription& description() const override;
    void closeGesture() override { closeWith(0); }
    // The panel as drawn so far.
    void showPicture(HDC dc, const RECT& area) override;
    // Its timers stop with it.
    void destroying() override;
    int OnMessage(MessageRecord& msg) override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    int step() const { return m_step; }
    bool autoCloseRunning() const { return m_autoCloseRunning; }
    bool stepTimerRunning() const { return m_stepTimerRunning; }
    uint32_t blinkCount() const { return m_blinkCount; }
    // Whether side k is shown in full.
    bool sideShown(int k) const { return m_shown[k]; }
    HBITMAP picture() const { return m_picture.handle(); }

    // The timer steps, also callable without a clock.
    void onStepTimer();
    void onBlinkTimer();

private:
    void drawPanel();
    void drawSide(HDC dc, int k);
    void writeCounter(HDC dc, int k, int i, int value);
    void closeWith(int result);
    // The mark strip "panel_btn.bmp".
    const swCBitmap* marks() const;

    GameState& m_game;
    const Presentation& m_look;
    bool m_shown[2] = {};
    swCBitmap m_picture;
    swCBitmap m_clean;
    HDC m_dc = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    int m_step = 0;
    bool m_autoCloseRunning = false;
    bool m_stepTimerRunning = false;
    uint32_t m_blinkCount = 0;
    // The window the person had open when this one came: it stays in front.
    HWND m_personsWindow = nullptr;
};
