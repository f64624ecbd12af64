// ThinkPlan: the computer player's step sequencer, with the checks a person's interrupt needs between steps.
#pragma once

#include "platform/kernel/windef.h"

#include <atomic>
#include <functional>

class GameState;

// The left mouse button as the window layer sees it; installed by the main window, none headless.
class ThinkClickSource {
public:
    virtual ~ThinkClickSource() = default;
    // A left-button press since the last poll.
    virtual bool leftButtonPressed() = 0;
};

// Owned by the caller; null uninstalls.
void setThinkClickSource(ThinkClickSource* source);

class ThinkPlan {
public:
    // Results of sequence and checkpoint.
    static constexpr int kGoOn = 0;
    static constexpr int kStopped = 1;
    static constexpr int kPlayersChanged = 4;

    ThinkPlan(GameState& state, const std::atomic<BYTE>& stop);

    // Runs step(0..count - 1), a checkpoint before each; answers 0 when every step ran, else the
    // checkpoint's result (1..4).
    int sequence(int count, const std::function<void(int)>& step);
    // Swallows a left click for the thinking window, pauses every "SleepInterval" steps while a
    // window shows the game, and answers a pending interrupt: 0 go on, 1..4 stop with that value.
    int checkpoint();

private:
    GameState& m_state;
    const std::atomic<BYTE>& m_stop;
    int m_steps = 0;
};
