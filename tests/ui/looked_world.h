// A small started world with its presentation started and installed, as the windows' tests need
// it: the presentation starts right after the game, as the program starts them.
#pragma once

#include "tests/state/small_world.h"
#include "ui/presentation.h"

namespace testing_ui {

class StartedLook {
public:
    explicit StartedLook(const GameState& game)
        : m_look(game)
        , m_previous(installedPresentation())
    {
        m_look.startUp();
        setPresentation(&m_look);
    }
    ~StartedLook() { setPresentation(m_previous); }
    StartedLook(const StartedLook&) = delete;
    StartedLook& operator=(const StartedLook&) = delete;
    Presentation& look() { return m_look; }

private:
    Presentation m_look;
    Presentation* m_previous;
};

class LookedWorld : public testing_state::SmallWorld {
public:
    using SmallWorld::SmallWorld;
    Presentation& look() { return m_look.look(); }

private:
    StartedLook m_look { state() };
};

} // namespace testing_ui
