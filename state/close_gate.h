// CloseGate: the program's close as the game thread and the windows see it.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

// Open: play goes on. Asking: the person is asked whether to end the program; the game thread
// waits at its next step and no new window of the game shows. Closing: the program ends; nothing
// waits for the game and nothing more of it shows. Only the main window moves the stage; an
// answer of no takes it from Asking back to Open, and Closing is for good.
enum class CloseStage : uint8_t { Open, Asking, Closing };

class CloseGate {
public:
    // Leave to show one window, held from the gate's check until the window is up, so that a
    // question asked meanwhile comes over it rather than under it.
    class Admission {
    public:
        Admission() = default;
        Admission(Admission&& other) noexcept : m_gate(other.m_gate) { other.m_gate = nullptr; }
        Admission& operator=(Admission&&) = delete;
        ~Admission() { shown(); }
        explicit operator bool() const { return m_gate != nullptr; }
        // The window is up (or will not come): the question may show now.
        void shown();

    private:
        friend class CloseGate;
        explicit Admission(CloseGate* gate) : m_gate(gate) { }
        CloseGate* m_gate = nullptr;
    };

    CloseStage stage() const;
    bool closing() const { return stage() == CloseStage::Closing; }

    // -- the main window --
    // Open -> Asking; false in any other stage.
    bool beginAsking();
    // Asking -> Open: the game goes on where it stood.
    void answerNo();
    // Any stage -> Closing: every hold is released.
    void close();
    // Whether a window admitted before the question is still on its way up.
    bool showsOnTheirWay() const;

    // -- the game thread (or, with Wait::No, any other thread) --
    enum class Wait { Yes, No };
    // Waits while a close is asked or carried out: until an answer of no, or until the stop that
    // a close brings releases the holds.
    void hold();
    // Leave to show a window: granted while the gate is open. While a close is asked it waits
    // for the answer (Wait::Yes) or is refused (Wait::No); a closing program shows nothing.
    Admission admitShow(Wait wait);

    // A stop of play releases every hold, and the holds stay released until play starts again:
    // a thread that is being stopped never waits for a question.
    void releaseHolds();
    void restoreHolds();

private:
    void waitWhileAsking(std::unique_lock<std::mutex>& lock);

    mutable std::mutex m_lock;
    std::condition_variable m_changed;
    CloseStage m_stage = CloseStage::Open;
    bool m_released = false;
    int m_onTheirWay = 0;
};
