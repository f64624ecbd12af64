// EventNoticeWindow: a small picture that tells of an event of a unit or between two countries,
// closing by itself after three seconds or at a click. Modal on whichever thread raises it.
#pragma once

#include "dialogs/announcement_window.h"

#include <string>

class GameState;

class EventNoticeWindow : public AnnouncementWindow {
public:
    static constexpr int kWidth = 284;
    static constexpr int kHeight = 56;
    static constexpr UINT kCloseTimer = 1;
    static constexpr UINT kCloseAfterMs = 3000;

    // a and b: the unit's side and index, or two countries for kinds 13 and 14.
    EventNoticeWindow(const WindowContext& context, swCWindow* owner, int kind, int a, int b);

    int OnInitDialog() override;
    void destroying() override;
    bool timerFired(UINT_PTR id) override;

    // The two lines of the kind (CP932); both empty for a kind without words.
    static std::pair<std::string, std::string> lines(const GameState& game, int kind, int a, int b);
    static bool namesCountries(int kind) { return kind == 13 || kind == 14; }

private:
    void drawNotice();

    const GameState& m_game;
    const Presentation& m_look;
    int m_kind;
    int m_a;
    int m_b;
};
