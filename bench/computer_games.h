// Seeded all-computer games for the benches: a sample map or a generated world, victory switched
// off, every country played by the computer, and whole side turns timed.
#pragma once

#include "ai/computer_players.h"
#include "state/game_state.h"

#include <memory>
#include <vector>

// Times every call of the computer player; a side turn is its analysis, action and production.
class TimedComputerPlayer : public AiComputerPlayer {
public:
    void rebuildAnalysis(GameState& state, int side) override;
    void buildKnownHexLayers(GameState& state, int side) override;
    int playTurn(GameState& state, int side, const std::atomic<BYTE>& stop) override;
    int planProduction(GameState& state, int country) override;

    double playerMs = 0;
    double worstActionMs = 0;
    int sideTurns = 0;
};

class BenchGame {
public:
    // The image is loaded afresh by each play().
    explicit BenchGame(std::vector<uint8_t> image);
    ~BenchGame();

    // Plays the given number of turns from the seed's pool; false when the map did not load.
    bool play(int turns, unsigned seed, TimedComputerPlayer& player);
    // Loads and starts the game without playing it; endPlay() when done.
    bool start(int turns, unsigned seed);
    void endPlay();
    GameState& state() { return *m_state; }
    // Milliseconds the last play() took, the engine's phases included.
    double lastGameMs = 0;

private:
    std::unique_ptr<GameState> m_state;
    std::vector<uint8_t> m_image;
};

// The image of a sample map of the program folder (the first stage of a campaign).
std::vector<uint8_t> sampleMapImage(const char* file_name);
