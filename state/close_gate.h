// CloseGate: the ways out of a game in play as the game thread and the windows see them.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

// Open: play goes on. Asking: a way out of the game (the program's close, a new game, ...) asks
// the person or lets them choose; the game thread stands still wherever it blocks next and no new
// window of the game shows. Closing: the program ends; nothing of the game shows any more. Only
// the main window moves the stage. Ways out may nest (a close asked over a new game's question):
// each holds the game once, and an answer of no gives back its own hold; Closing is for good.
enum class CloseStage : uint8_t { Open, Asking, Closing };

// What the game thread tells the main window, through the report it installed.
enum class PlayReport : uint8_t {
    // The windows of the game admitted before the question are up.
    WindowsUp,
    // The game thread rests (see CloseGate::Rest) as the main window asked it to.
    Resting,
    // The game thread has ended.
    Stopped,
};

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

    // The game thread at rest: blocked where it reads and changes nothing of the game (a wait for
    // the windows, or the gate's own hold). While the game is held it stays at rest: a wait that is
    // answered meanwhile returns only once the hold ends. Null on any other thread.
    class Rest {
    public:
        explicit Rest(CloseGate* gate);
        ~Rest();
        Rest(const Rest&) = delete;
        Rest& operator=(const Rest&) = delete;

    private:
        CloseGate* m_gate;
    };

    CloseStage stage() const;
    bool closing() const { return stage() == CloseStage::Closing; }

    // -- the main window --
    // One more hold: Open or Asking -> Asking; false while Closing.
    bool beginAsking();
    // Gives back one hold; the last one takes Asking back to Open, and the game goes on where it stood.
    void answerNo();
    // Any stage -> Closing, for good. The game thread stays where it rests until play is stopped.
    void close();
    // Whether a window admitted before the question is still on its way up.
    bool showsOnTheirWay() const;
    // Whether the game thread rests now; when not, it reports Resting once it comes to rest while
    // the game is held.
    bool wantRest();
    bool resting() const;
    // Whether a way out holds the game (a stop of play releases it), and whether the game thread
    // rests under that hold: the game then stands still until the hold ends.
    bool held() const;
    bool restingHeld() const;
    // Where the reports go; empty for nowhere. Called on the reporting thread, outside the lock.
    void setReport(std::function<void(PlayReport)> report);
    void report(PlayReport what);

    // -- the game thread (or, with Wait::No, any other thread) --
    enum class Wait { Yes, No };
    // Rests while the game is held, until the last hold ends or a stop of play releases it.
    void hold();
    // Leave to show a window: granted while the gate is open. While the game is held it waits at
    // rest (Wait::Yes) or is refused (Wait::No); a closing program, or play being stopped, shows
    // nothing.
    Admission admitShow(Wait wait);

    // A stop of play releases every hold, and the holds stay released until play starts again:
    // a thread that is being stopped never waits for a question.
    void releaseHolds();
    void restoreHolds();

private:
    bool holding() const { return m_stage != CloseStage::Open && !m_released; }

    mutable std::mutex m_lock;
    std::condition_variable m_changed;
    CloseStage m_stage = CloseStage::Open;
    int m_holds = 0;
    bool m_released = false;
    int m_onTheirWay = 0;
    int m_resting = 0;
    bool m_restWanted = false;
    std::function<void(PlayReport)> m_report;
};
