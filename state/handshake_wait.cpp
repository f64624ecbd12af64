// UiWait over a mutex and a condition variable.
#include "state/handshake_wait.h"

#include "platform/kernel/host.h"
#include "state/handshake.h"

bool UiWait::finish(State state, uint32_t value)
{
    {
        std::lock_guard lock(m_lock);
        if (m_state != State::Pending)
            return false;
        m_state = state;
        m_value = value;
    }
    m_released.notify_all();
    return true;
}

bool UiWait::answer(uint32_t value) { return finish(State::Answered, value); }

void UiWait::cancel(uint32_t value) { finish(State::Cancelled, value); }

uint32_t UiWait::wait()
{
    CloseGate::Rest rest(m_handshake ? m_handshake->restGate() : nullptr);
    std::unique_lock lock(m_lock);
    if (m_state == State::Pending) {
        platform::ThreadWaits waits;
        m_released.wait(lock, [this] { return m_state != State::Pending; });
    }
    return m_value;
}

bool UiWait::done() const
{
    std::lock_guard lock(m_lock);
    return m_state != State::Pending;
}

bool UiWait::cancelled() const
{
    std::lock_guard lock(m_lock);
    return m_state == State::Cancelled;
}

uint32_t UiWait::value() const
{
    std::lock_guard lock(m_lock);
    return m_value;
}
