// The think sequencer: steps of a country's plan with click, pause and interrupt checks between them.
#include "ai/think_plan.h"

#include "lib/thread.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "state/game_state.h"

#include <algorithm>

namespace {

ThinkClickSource* g_clickSource = nullptr;

} // namespace

void setThinkClickSource(ThinkClickSource* source) { g_clickSource = source; }

ThinkPlan::ThinkPlan(GameState& state, const std::atomic<BYTE>& stop) : m_state(state), m_stop(stop) { }

int ThinkPlan::sequence(int count, const std::function<void(int)>& step)
{
    for (int i = 0; i < count; ++i) {
        if (int result = checkpoint())
            return result;
        step(i);
    }
    return checkpoint();
}

int ThinkPlan::checkpoint()
{
    if (m_stop.load() != 0)
        return kStopped;
    Handshake& handshake = m_state.handshake();
    // The computer's next step waits while the program's close is asked or under way.
    handshake.holdDuringClose();
    if (m_stop.load() != 0)
        return kStopped;
    if (g_clickSource && g_clickSource->leftButtonPressed())
        handshake.setClickSwallowed();

    // Only a game a person watches gives the windows time to draw; headless the pause is wasted.
    const GameSettings& settings = m_state.settings();
    ++m_steps;
    if (settings.sleepInterval > 0 && settings.sleepTime > 0 && m_steps % settings.sleepInterval == 0
        && mainWindowLink().isVisible()) {
        // In slices, so that a stop (the game ending, the window closing) never waits for the pause.
        constexpr int kSlice = 10;
        for (int waited = 0; waited < settings.sleepTime && m_stop.load() == 0; waited += kSlice)
            threadPause(uint32_t(std::min(kSlice, settings.sleepTime - waited)));
    }

    if (!handshake.isUiLinkReady())
        return kGoOn;
    const uint32_t reply = handshake.waitForUiReply();
    if (m_stop.load() != 0)
        return kStopped;
    return reply >= 1 && reply <= 4 ? int(reply) : kGoOn;
}
