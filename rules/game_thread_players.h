// ComputerPlayer: the computer player as the game thread drives it, and the factory of game threads.
#pragma once

#include "platform/kernel/windef.h"
#include "state/handshake.h"

#include <atomic>

class GameState;

// Implemented by ai/, so the rules engine builds and runs without it.
class ComputerPlayer {
public:
    virtual ~ComputerPlayer() = default;

    // The side's map analysis, made before its action and production phases.
    virtual void rebuildAnalysis(GameState& state, int side) = 0;
    // The neutral side's known hexes, before it acts.
    virtual void buildKnownHexLayers(GameState& state, int side) = 0;
    // Plays the side's (0..8) action phase: 0 when done, 1..4 when interrupted; stop is polled.
    virtual int playTurn(GameState& state, int side, const std::atomic<BYTE>& stop) = 0;
    // Buys the country's units: 0 when done, 1 or 2 when interrupted.
    virtual int planProduction(GameState& state, int country) = 0;
};

// How the game thread yields between two steps: a short sleep, or not at all (tests, benchmarks).
enum class StepYield { Sleep, None };

// Installed with setPlayThreadFactory, it makes the GameThread that startPlay starts.
class GameThreadFactory : public PlayThreadFactory {
public:
    explicit GameThreadFactory(ComputerPlayer& player, StepYield yield = StepYield::Sleep)
        : m_player(player), m_yield(yield) { }

    std::unique_ptr<swCThread> createPlayThread(GameState& state) override;

private:
    ComputerPlayer& m_player;
    StepYield m_yield;
};
