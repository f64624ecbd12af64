// Handshake: the flags, answer records and game thread that the game and the user interface share.
#pragma once

#include "lib/thread.h"
#include "state/close_gate.h"
#include "state/handshake_wait.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class GameState;

// Installed by the game-thread code; startPlay asks it for the thread of a new game.
class PlayThreadFactory {
public:
    virtual ~PlayThreadFactory() = default;
    // A thread not yet started.
    virtual std::unique_ptr<swCThread> createPlayThread(GameState& state) = 0;
};

// Owned by the caller; null uninstalls.
void setPlayThreadFactory(PlayThreadFactory* factory);
PlayThreadFactory* playThreadFactory();

// Requests of the person that a running combat defers to its end.
enum class DeferredRequest : uint8_t { CancelDelegation = 2 };
struct DeferredRequests {
    bool cancelDelegation = false;
};

// The answer records the game thread keeps by name; each holds at most one wait.
enum class HandshakeSlot : uint8_t { ActionEnd, ProductionEnd, Reply, Deployment, PendingUi, PendingMap, Count };

// The game thread blocks only in waits registered here, so a stop releases every one of them.
// Flags are written by one thread and read by the other; the records are reached under one lock.
class Handshake {
public:
    Handshake() = default;
    // Releases every wait and joins a thread still running.
    ~Handshake();
    Handshake(const Handshake&) = delete;
    Handshake& operator=(const Handshake&) = delete;

    // -- flags --
    bool playRunning() const { return m_playRunning.load(); }
    void setPlayRunning(bool on) { m_playRunning = on; }
    bool waitingForAnswer() const { return m_waitingForAnswer.load(); }
    void setWaitingForAnswer(bool on) { m_waitingForAnswer = on; }
    bool interruptRequested() const { return m_interrupt.load(); }
    // The person handed the current country's turn to the computer player.
    bool delegation() const { return m_delegation.load(); }
    void setDelegation(bool on) { m_delegation = on; }
    bool unitCommandBeingSet() const { return m_unitCommandBeingSet.load(); }
    void setUnitCommandBeingSet(bool on) { m_unitCommandBeingSet = on; }
    bool combatUnderWay() const { return m_combatUnderWay.load(); }
    // A combat begins: the requests deferred by an earlier one are forgotten.
    void beginCombat();
    // The combat is over; answers the requests made meanwhile, which its end now carries out.
    DeferredRequests endCombat();
    // While a combat runs, the cancel of a delegation waits for its end: true when the request was
    // kept for endCombat, false when no combat runs and the caller acts at once.
    bool deferDuringCombat(DeferredRequest request);
    bool deploymentWaiting() const { return m_deploymentWaiting.load(); }
    void setDeploymentWaiting(bool on) { m_deploymentWaiting = on; }
    // A left click the computer player's think sequencer swallowed; the thinking window takes it.
    void setClickSwallowed() { m_clickSwallowed = true; }
    bool takeClickSwallowed() { return m_clickSwallowed.exchange(false); }

    // The program's close, which the game thread and every window read.
    CloseGate& closeGate() { return m_closeGate; }
    const CloseGate& closeGate() const { return m_closeGate; }
    // The game thread rests here between its steps while a way out of the game holds it; other
    // threads pass.
    void holdDuringClose();
    // Leave to show a window of the game: on the game thread it rests while a way out holds the
    // game, on another it is refused then; empty while the program closes or play is stopped.
    CloseGate::Admission admitShow();
    // The gate on the game thread, where a wait is a rest; null on any other thread.
    CloseGate* restGate() const { return onPlayThread() ? const_cast<CloseGate*>(&m_closeGate) : nullptr; }

    // -- the game thread's side --
    // A registered wait; after a stop it is born released, so the thread never blocks then.
    std::shared_ptr<UiWait> openWait(UiWaitKind kind);
    template <class T>
    std::shared_ptr<UiWaitWith<T>> openWaitWith(UiWaitKind kind)
    {
        auto wait = std::make_shared<UiWaitWith<T>>(kind);
        return std::static_pointer_cast<UiWaitWith<T>>(enrol(wait, HandshakeSlot::Count));
    }
    // Unregisters the wait; an answering side that still holds it keeps it alive.
    void closeWait(const std::shared_ptr<UiWait>& wait);
    // Replaces a left-over record of the slot by a new wait kept in the slot.
    std::shared_ptr<UiWait> openSlot(HandshakeSlot slot, UiWaitKind kind);
    // Empties the slot when it still holds this wait, and unregisters it.
    void closeSlot(HandshakeSlot slot, const std::shared_ptr<UiWait>& wait);
    // The wait with that id while it is registered, for the side that carries the request out.
    std::shared_ptr<UiWait> findWait(uint32_t id) const;
    size_t openWaitCount() const;

    // The computer player's wait after an interrupt request; 1 tells it to stop.
    uint32_t waitForUiReply();
    // Whether the computer player waits in waitForUiReply now.
    bool replyPending() const;
    // The campaign deployment's wait; true when the deployment was completed. The request that
    // opens the deployment window is made once the wait exists, so its answer cannot come too early.
    bool waitForDeploymentResult(const std::function<void()>& request = {});

    // -- the user interface's side; never blocks --
    // Answers are dropped when nobody waits.
    void answerUi(uint8_t answer) { answerSlot(HandshakeSlot::ActionEnd, answer == 1); }
    void answerUi2(uint8_t answer) { answerSlot(HandshakeSlot::ProductionEnd, answer == 1); }
    void replyToGame(uint32_t value);
    void setUiLinkReady() { m_interrupt = true; }
    bool isUiLinkReady() const { return playRunning() && interruptRequested(); }
    void releaseUiWait() { answerSlot(HandshakeSlot::PendingUi, 0); }
    void releaseMapWait() { answerSlot(HandshakeSlot::PendingMap, 0); }
    void signalDeploymentResult(uint8_t ok);

    // -- the game thread itself --
    swCThread* playThread() const { return m_thread.get(); }
    bool isPlayThreadFinished() const;
    // True on the game thread.
    bool onPlayThread() const;
    // Keeps the thread and starts it; false (and nothing kept) when it could not start. Its end
    // is reported to the close gate's report (PlayReport::Stopped).
    bool startPlayThread(std::unique_ptr<swCThread> thread);

    // Sets the thread's stop flag, answers every wait (the named ones as a stop does) and clears
    // the play flags; waits opened later are born released until reopenWaits. Answers whether the
    // thread has finished.
    bool requestStopPlay();
    // Whether a stop has been asked since play last started.
    bool playStopped() const;
    void reopenWaits();
    // The game thread going on to a campaign's next stage: play runs again and the stop flag is
    // cleared, unless a stop was asked meanwhile, which it keeps (false).
    bool continuePlay();
    bool clearStageStop();
    // Each start of play counts one run; a message the game thread posted names its run, so one
    // left in the queue by a stopped game is not taken for the next game's.
    void beginPlayRun() { ++m_playRun; }
    uint32_t playRun() const { return m_playRun.load(); }
    // Waits for the thread to end and deletes it; on the game thread itself it only keeps it.
    void joinPlayThread();

private:
    std::shared_ptr<UiWait> enrol(std::shared_ptr<UiWait> wait, HandshakeSlot slot);
    std::shared_ptr<UiWait> slotWait(HandshakeSlot slot) const;
    void answerSlot(HandshakeSlot slot, uint32_t value);

    std::atomic<bool> m_playRunning = false;
    std::atomic<bool> m_waitingForAnswer = false;
    std::atomic<bool> m_interrupt = false;
    std::atomic<bool> m_delegation = false;
    std::atomic<bool> m_unitCommandBeingSet = false;
    std::atomic<bool> m_combatUnderWay = false;
    // Under m_lock, so a request is either deferred to a running combat or refused to the caller.
    uint8_t m_deferred = 0;
    std::atomic<bool> m_deploymentWaiting = false;
    std::atomic<bool> m_clickSwallowed = false;
    std::atomic<uint32_t> m_playRun = 0;

    mutable std::mutex m_lock;
    std::array<std::shared_ptr<UiWait>, size_t(HandshakeSlot::Count)> m_slots;
    std::vector<std::shared_ptr<UiWait>> m_waits;
    uint32_t m_nextId = 1;
    bool m_stopped = false;

    std::unique_ptr<swCThread> m_thread;
    CloseGate m_closeGate;
};
