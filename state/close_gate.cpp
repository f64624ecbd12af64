// CloseGate: the holds of the ways out of a game, the game thread's rest while they hold it, and
// the windows on their way up when they begin.
#include "state/close_gate.h"

#include "platform/kernel/host.h"

#include <utility>

void CloseGate::Admission::shown()
{
    if (!m_gate)
        return;
    bool up = false;
    {
        std::lock_guard lock(m_gate->m_lock);
        up = --m_gate->m_onTheirWay == 0 && m_gate->m_stage == CloseStage::Asking;
    }
    m_gate->m_changed.notify_all();
    if (up)
        m_gate->report(PlayReport::WindowsUp);
    m_gate = nullptr;
}

CloseGate::Rest::Rest(CloseGate* gate)
    : m_gate(gate)
{
    if (!m_gate)
        return;
    bool asked = false;
    {
        std::lock_guard lock(m_gate->m_lock);
        ++m_gate->m_resting;
        asked = std::exchange(m_gate->m_restWanted, false) && m_gate->holding();
    }
    if (asked)
        m_gate->report(PlayReport::Resting);
}

CloseGate::Rest::~Rest()
{
    if (!m_gate)
        return;
    std::unique_lock lock(m_gate->m_lock);
    if (m_gate->holding()) {
        platform::ThreadWaits waits;
        m_gate->m_changed.wait(lock, [this] { return !m_gate->holding(); });
    }
    --m_gate->m_resting;
}

CloseStage CloseGate::stage() const
{
    std::lock_guard lock(m_lock);
    return m_stage;
}

bool CloseGate::beginAsking()
{
    std::lock_guard lock(m_lock);
    if (m_stage == CloseStage::Closing)
        return false;
    ++m_holds;
    m_stage = CloseStage::Asking;
    return true;
}

void CloseGate::answerNo()
{
    {
        std::lock_guard lock(m_lock);
        if (m_stage != CloseStage::Asking || --m_holds > 0)
            return;
        m_holds = 0;
        m_stage = CloseStage::Open;
        m_restWanted = false;
    }
    m_changed.notify_all();
}

void CloseGate::close()
{
    {
        std::lock_guard lock(m_lock);
        m_stage = CloseStage::Closing;
        m_restWanted = false;
    }
    m_changed.notify_all();
}

bool CloseGate::showsOnTheirWay() const
{
    std::lock_guard lock(m_lock);
    return m_onTheirWay > 0;
}

bool CloseGate::wantRest()
{
    std::lock_guard lock(m_lock);
    m_restWanted = m_resting == 0;
    return !m_restWanted;
}

bool CloseGate::resting() const
{
    std::lock_guard lock(m_lock);
    return m_resting > 0;
}

bool CloseGate::held() const
{
    std::lock_guard lock(m_lock);
    return holding();
}

bool CloseGate::restingHeld() const
{
    std::lock_guard lock(m_lock);
    return m_resting > 0 && holding();
}

void CloseGate::setReport(std::function<void(PlayReport)> report)
{
    std::lock_guard lock(m_lock);
    m_report = std::move(report);
}

void CloseGate::report(PlayReport what)
{
    std::function<void(PlayReport)> report;
    {
        std::lock_guard lock(m_lock);
        report = m_report;
    }
    if (report)
        report(what);
}

void CloseGate::hold()
{
    Rest rest(this);
}

CloseGate::Admission CloseGate::admitShow(Wait wait)
{
    for (;;) {
        if (wait == Wait::Yes)
            hold();
        std::lock_guard lock(m_lock);
        // Play being stopped, or the program closing: the thread is on its way out and shows nothing.
        if (m_released || m_stage == CloseStage::Closing)
            return {};
        if (m_stage == CloseStage::Open) {
            ++m_onTheirWay;
            return Admission(this);
        }
        // Held again between the rest and this check: rest again.
        if (wait == Wait::No)
            return {};
    }
}

void CloseGate::releaseHolds()
{
    {
        std::lock_guard lock(m_lock);
        m_released = true;
        m_restWanted = false;
    }
    m_changed.notify_all();
}

void CloseGate::restoreHolds()
{
    std::lock_guard lock(m_lock);
    m_released = false;
}
