// CloseGate: the stage of the program's close, the game thread's hold while it is asked, and the
// windows on their way up when it is.
#include "state/close_gate.h"

void CloseGate::Admission::shown()
{
    if (!m_gate)
        return;
    {
        std::lock_guard lock(m_gate->m_lock);
        --m_gate->m_onTheirWay;
    }
    m_gate->m_changed.notify_all();
    m_gate = nullptr;
}

CloseStage CloseGate::stage() const
{
    std::lock_guard lock(m_lock);
    return m_stage;
}

bool CloseGate::beginAsking()
{
    std::lock_guard lock(m_lock);
    if (m_stage != CloseStage::Open)
        return false;
    m_stage = CloseStage::Asking;
    return true;
}

void CloseGate::answerNo()
{
    {
        std::lock_guard lock(m_lock);
        if (m_stage == CloseStage::Asking)
            m_stage = CloseStage::Open;
    }
    m_changed.notify_all();
}

void CloseGate::close()
{
    {
        std::lock_guard lock(m_lock);
        m_stage = CloseStage::Closing;
    }
    m_changed.notify_all();
}

bool CloseGate::showsOnTheirWay() const
{
    std::lock_guard lock(m_lock);
    return m_onTheirWay > 0;
}

void CloseGate::waitWhileAsking(std::unique_lock<std::mutex>& lock)
{
    m_changed.wait(lock, [this] { return m_stage != CloseStage::Asking || m_released; });
}

void CloseGate::hold()
{
    std::unique_lock lock(m_lock);
    m_changed.wait(lock, [this] { return m_stage == CloseStage::Open || m_released; });
}

CloseGate::Admission CloseGate::admitShow(Wait wait)
{
    std::unique_lock lock(m_lock);
    if (wait == Wait::Yes)
        waitWhileAsking(lock);
    // Released by a stop while asked: the thread is on its way out and shows nothing.
    if (m_stage != CloseStage::Open)
        return {};
    ++m_onTheirWay;
    return Admission(this);
}

void CloseGate::releaseHolds()
{
    {
        std::lock_guard lock(m_lock);
        m_released = true;
    }
    m_changed.notify_all();
}

void CloseGate::restoreHolds()
{
    std::lock_guard lock(m_lock);
    m_released = false;
}
