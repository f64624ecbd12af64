// SenkaInfoWindow ("戦果表"): during play, the running record of the country whose turn it is: turns,
// funds, members and buildings, the four groups the end-of-game evaluation rates, as plain figures;
// those of a country the viewer may not know as "????????".
#pragma once

#include "lib/media/bitmap.h"
#include "lib/window.h"
#include "ui/info_window_frame.h"
#include "ui/window_context.h"
#include "ui/private_messages.h"
#include "ui/window_kit.h"

#include <cstdint>

class GameState;

// The twelve figures of a country, top to bottom; 64 bits for the funds.
struct SenkaFigures {
    int64_t values[12] {};
};
SenkaFigures senkaFigures(GameState& state, int country);

class SenkaInfoWindow : public ui::KitWindow<swCWindow> {
public:
    static constexpr const char* kClassName = "VKRC_SENKAINFOWINDOW_CNAME";
    static constexpr int kWidth = 216;
    static constexpr int kHeight = 376;
    // The figures' rows, each 16 pixels high in x 133..205.
    static constexpr int kRows[12] = { 32, 52, 72, 124, 144, 164, 216, 236, 256, 308, 328, 348 };

    // Makes and shows the window owned by mainWindow; null when it could not be made (the picture
    // missing: the error has been shown). The object deletes itself with its window.
    static SenkaInfoWindow* open(const WindowContext& context, swCWindow* mainWindow);

    static constexpr ui::WindowDescription kDescription =
        ui::floatingWindow(kClassName, ui_message::kCloseResults, true);
    const ui::WindowDescription& description() const override { return kDescription; }
    int OnMessage(MessageRecord& msg) override;
    HBITMAP background() const override { return m_picture.handle(); }

private:
    info_window::DialogKeys m_dialogKeys;
    SenkaInfoWindow(const WindowContext& context, swCWindow* mainWindow);
    bool create(bool& windowMade);
    void redraw();

    GameState& m_game;
    const Presentation& m_look;
    swCBitmap m_picture;
    swCBitmap m_background;
};
