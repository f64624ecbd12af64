// UiWait: one request of the game thread to the user interface, answered once or cancelled.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

class Handshake;

// What the game thread waits for; every kind is released by the end of play.
enum class UiWaitKind : uint8_t {
    ActionEnd,
    ProductionEnd,
    Reply,
    Deployment,
    ThinkProgress,
    MapRequest,
    LevelChange,
    Income,
    Prompt,
    EndOfGame,
    PhaseHelp,
    ProductionQuestion,
    MapRedraw,
    BattleDone,
};

// Shared by the two threads: the waiter and the answering side each hold a reference, so neither
// can reach a freed record. The first answer or cancel wins; later ones are dropped.
class UiWait {
public:
    // The id is given when the wait is registered (Handshake).
    UiWait(UiWaitKind kind, uint32_t id = 0) : m_kind(kind), m_id(id) { }
    virtual ~UiWait() = default;
    UiWait(const UiWait&) = delete;
    UiWait& operator=(const UiWait&) = delete;

    UiWaitKind kind() const { return m_kind; }
    uint32_t id() const { return m_id; }

    // Stores the value and releases the waiter; false when already answered or cancelled.
    bool answer(uint32_t value);
    // Releases the waiter with value unless an answer came first.
    void cancel(uint32_t value);
    // Blocks until answered or cancelled and returns the value. On the game thread, a wait
    // registered with the handshake is a rest (CloseGate::Rest): while the game is held it returns
    // only once the hold ends.
    uint32_t wait();
    bool done() const;
    bool cancelled() const;
    uint32_t value() const;

private:
    friend class Handshake;
    enum class State : uint8_t { Pending, Answered, Cancelled };
    bool finish(State state, uint32_t value);

    const UiWaitKind m_kind;
    uint32_t m_id;
    const Handshake* m_handshake = nullptr;
    mutable std::mutex m_lock;
    std::condition_variable m_released;
    State m_state = State::Pending;
    uint32_t m_value = 0;
};

// A wait with the record its request hands over (the level-change record, an offer to fill in);
// the record lives as long as either side still holds the wait.
template <class T>
class UiWaitWith : public UiWait {
public:
    using UiWait::UiWait;
    T data {};
};
