// GameEndWindow: the picture that announces a country's end or victory. It asks the main window for
// its jingle, stays eight seconds and then until the jingle (effect slot 1) has fallen silent.
#pragma once

#include "dialogs/announcement_window.h"

#include <string>

class GameState;

class GameEndWindow : public AnnouncementWindow {
public:
    static constexpr int kWidth = 336;
    static constexpr int kHeight = 268;
    enum : UINT { kShowTimer = 1, kSoundTimer };
    static constexpr UINT kShowMs = 8000;
    static constexpr UINT kSoundPollMs = 1000;
    static constexpr int kJingleSlot = 1;

    // Kinds: 0 capital captured, 1 all units lost, 2 victory conditions met, 3 surrender,
    // 4 headquarters captured, 5 victory out of reach, 6 key bases lost, 7 key units lost.
    GameEndWindow(const WindowContext& context, swCWindow* owner, int country, int kind);

    int OnInitDialog() override;
    void destroying() override;
    bool timerFired(UINT_PTR id) override;

    // The kind's words after the country's name (CP932); empty for an unknown kind.
    static std::string kindText(int kind);
    // The picture band's top in "end_s.bmp".
    static int bandTop(int kind);

private:
    const GameState& m_game;
    const Presentation& m_look;
    MainWindowServices& m_main;
    int m_country;
    int m_kind;
};
