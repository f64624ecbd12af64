// Handshake: registering, answering and releasing the game thread's waits; the thread's start and join.
#include "state/handshake.h"

#include "lib/thread.h"
#include "platform/kernel/winbase.h"

#include <algorithm>

namespace {

PlayThreadFactory* g_factory = nullptr;

// What a stop answers: the computer player's reply says "stop", every other wait "no".
uint32_t stopValue(UiWaitKind kind) { return kind == UiWaitKind::Reply ? 1 : 0; }

} // namespace

void setPlayThreadFactory(PlayThreadFactory* factory) { g_factory = factory; }
PlayThreadFactory* playThreadFactory() { return g_factory; }

Handshake::~Handshake()
{
    requestStopPlay();
    joinPlayThread();
}

std::shared_ptr<UiWait> Handshake::enrol(std::shared_ptr<UiWait> wait, HandshakeSlot slot)
{
    std::shared_ptr<UiWait> left_over;
    bool stopped = false;
    {
        std::lock_guard lock(m_lock);
        wait->m_id = m_nextId++;
        if (m_nextId == 0)
            m_nextId = 1;
        wait->m_handshake = this;
        if (slot != HandshakeSlot::Count) {
            left_over = std::move(m_slots[size_t(slot)]);
            m_slots[size_t(slot)] = wait;
        }
        if (left_over)
            std::erase(m_waits, left_over);
        stopped = m_stopped;
        if (!stopped)
            m_waits.push_back(wait);
    }
    // A record abandoned by an earlier wait of the slot may still be held by a late answer.
    if (left_over)
        left_over->cancel(stopValue(left_over->kind()));
    if (stopped)
        wait->cancel(stopValue(wait->kind()));
    return wait;
}

std::shared_ptr<UiWait> Handshake::openWait(UiWaitKind kind)
{
    return enrol(std::make_shared<UiWait>(kind), HandshakeSlot::Count);
}

void Handshake::closeWait(const std::shared_ptr<UiWait>& wait)
{
    std::lock_guard lock(m_lock);
    std::erase(m_waits, wait);
}

std::shared_ptr<UiWait> Handshake::openSlot(HandshakeSlot slot, UiWaitKind kind)
{
    return enrol(std::make_shared<UiWait>(kind), slot);
}

void Handshake::closeSlot(HandshakeSlot slot, const std::shared_ptr<UiWait>& wait)
{
    std::lock_guard lock(m_lock);
    if (m_slots[size_t(slot)] == wait)
        m_slots[size_t(slot)].reset();
    std::erase(m_waits, wait);
}

std::shared_ptr<UiWait> Handshake::findWait(uint32_t id) const
{
    std::lock_guard lock(m_lock);
    auto it = std::find_if(m_waits.begin(), m_waits.end(), [id](const auto& w) { return w->id() == id; });
    return it == m_waits.end() ? nullptr : *it;
}

size_t Handshake::openWaitCount() const
{
    std::lock_guard lock(m_lock);
    return m_waits.size();
}

std::shared_ptr<UiWait> Handshake::slotWait(HandshakeSlot slot) const
{
    std::lock_guard lock(m_lock);
    return m_slots[size_t(slot)];
}

void Handshake::answerSlot(HandshakeSlot slot, uint32_t value)
{
    // The copy keeps the record alive even if the waiter closes the slot meanwhile.
    if (std::shared_ptr<UiWait> wait = slotWait(slot))
        wait->answer(value);
}

uint32_t Handshake::waitForUiReply()
{
    std::shared_ptr<UiWait> wait = openSlot(HandshakeSlot::Reply, UiWaitKind::Reply);
    uint32_t value = wait->wait();
    closeSlot(HandshakeSlot::Reply, wait);
    return value;
}

bool Handshake::waitForDeploymentResult(const std::function<void()>& request)
{
    m_deploymentWaiting = true;
    std::shared_ptr<UiWait> wait = openSlot(HandshakeSlot::Deployment, UiWaitKind::Deployment);
    if (request)
        request();
    uint32_t value = wait->wait();
    m_deploymentWaiting = false;
    closeSlot(HandshakeSlot::Deployment, wait);
    return value == 1;
}

bool Handshake::replyPending() const
{
    std::shared_ptr<UiWait> wait = slotWait(HandshakeSlot::Reply);
    return wait && !wait->done();
}

void Handshake::replyToGame(uint32_t value)
{
    m_interrupt = false;
    answerSlot(HandshakeSlot::Reply, value);
}

void Handshake::signalDeploymentResult(uint8_t ok)
{
    answerSlot(HandshakeSlot::Deployment, ok == 1);
    m_deploymentWaiting = false;
}

void Handshake::beginCombat()
{
    std::lock_guard lock(m_lock);
    m_deferred = 0;
    m_combatUnderWay = true;
}

DeferredRequests Handshake::endCombat()
{
    std::lock_guard lock(m_lock);
    m_combatUnderWay = false;
    DeferredRequests out;
    out.cancelDelegation = (m_deferred & uint8_t(DeferredRequest::CancelDelegation)) != 0;
    m_deferred = 0;
    return out;
}

bool Handshake::deferDuringCombat(DeferredRequest request)
{
    std::lock_guard lock(m_lock);
    if (!m_combatUnderWay)
        return false;
    m_deferred = uint8_t(m_deferred | uint8_t(request));
    return true;
}

void Handshake::holdDuringClose()
{
    if (onPlayThread())
        m_closeGate.hold();
}

CloseGate::Admission Handshake::admitShow()
{
    return m_closeGate.admitShow(onPlayThread() ? CloseGate::Wait::Yes : CloseGate::Wait::No);
}

bool Handshake::isPlayThreadFinished() const { return !m_thread || m_thread->finished(); }

bool Handshake::onPlayThread() const { return m_thread && m_thread->started() && m_thread->threadId() == GetCurrentThreadId(); }

bool Handshake::startPlayThread(std::unique_ptr<swCThread> thread)
{
    if (!thread)
        return false;
    // Kept before it runs: the thread asks at once whether it is the game thread.
    m_thread = std::move(thread);
    m_thread->setEndNotice([this] { m_closeGate.report(PlayReport::Stopped); });
    if (m_thread->threadStart())
        return true;
    m_thread.reset();
    return false;
}

bool Handshake::requestStopPlay()
{
    {
        // Under the lock that the game thread's continuePlay and clearStageStop take: a stop is
        // never lost between a campaign's stages.
        std::lock_guard lock(m_lock);
        m_stopped = true;
        m_playRunning = false;
        if (m_thread)
            m_thread->stopFlag() = 1;
    }
    answerUi(0);
    answerUi2(0);
    replyToGame(1);
    signalDeploymentResult(0);
    m_deploymentWaiting = false;

    // Every other wait (windows, prompts, animations) is released too, and none can start again
    // before the next game: the thread reaches its stop-flag test instead of blocking.
    std::vector<std::shared_ptr<UiWait>> waits;
    {
        std::lock_guard lock(m_lock);
        waits.swap(m_waits);
    }
    for (const auto& wait : waits)
        wait->cancel(stopValue(wait->kind()));
    m_closeGate.releaseHolds();

    m_playRunning = false;
    m_waitingForAnswer = false;
    m_interrupt = false;
    m_delegation = false;
    return isPlayThreadFinished();
}

bool Handshake::playStopped() const
{
    std::lock_guard lock(m_lock);
    return m_stopped;
}

bool Handshake::continuePlay()
{
    std::lock_guard lock(m_lock);
    if (m_stopped)
        return false;
    ++m_playRun;
    m_playRunning = true;
    return true;
}

bool Handshake::clearStageStop()
{
    std::lock_guard lock(m_lock);
    if (m_stopped || !m_thread)
        return false;
    m_thread->stopFlag() = 0;
    return true;
}

void Handshake::reopenWaits()
{
    {
        std::lock_guard lock(m_lock);
        m_stopped = false;
    }
    m_closeGate.restoreHolds();
}

void Handshake::joinPlayThread()
{
    if (!m_thread || onPlayThread())
        return;
    m_thread->threadStopAndWait();
    m_thread.reset();
}
