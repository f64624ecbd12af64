// Seeded all-computer games for the benches.
#include "bench/computer_games.h"

#include "bench/program_folder.h"
#include "rules/game_thread.h"
#include "rules/play.h"
#include "tests/ai/seeded_worlds.h"

#include <algorithm>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); }

} // namespace

void TimedComputerPlayer::rebuildAnalysis(GameState& state, int side)
{
    const auto start = Clock::now();
    AiComputerPlayer::rebuildAnalysis(state, side);
    playerMs += msSince(start);
}

void TimedComputerPlayer::buildKnownHexLayers(GameState& state, int side)
{
    const auto start = Clock::now();
    AiComputerPlayer::buildKnownHexLayers(state, side);
    playerMs += msSince(start);
}

int TimedComputerPlayer::playTurn(GameState& state, int side, const std::atomic<BYTE>& stop)
{
    const auto start = Clock::now();
    const int result = AiComputerPlayer::playTurn(state, side, stop);
    const double ms = msSince(start);
    playerMs += ms;
    worstActionMs = std::max(worstActionMs, ms);
    ++sideTurns;
    return result;
}

int TimedComputerPlayer::planProduction(GameState& state, int country)
{
    const auto start = Clock::now();
    const int result = AiComputerPlayer::planProduction(state, country);
    playerMs += msSince(start);
    return result;
}

BenchGame::BenchGame(std::vector<uint8_t> image)
    : m_image(std::move(image))
{
    prepareBenchProgramFolder();
    m_state = std::make_unique<GameState>();
    m_state->startUp();
    g_gameState = m_state.get();
}

BenchGame::~BenchGame() { g_gameState = nullptr; }

bool BenchGame::start(int turns, unsigned seed)
{
    GameState& state = *m_state;
    if (m_image.empty() || !testing_ai::readyComputerGame(state, m_image, seed))
        return false;
    state.mapHeader().turnLimit = uint16_t(turns);
    for (int c = 0; c < kCountryCount; ++c) {
        // No country wins by places; the game runs to the limit unless armies or capitals fall.
        state.country(c).victoryKind = 0;
        state.country(c).victoryFlags = 0;
    }
    startPlay(state);
    return true;
}

void BenchGame::endPlay() { ::endPlay(*m_state); }

bool BenchGame::play(int turns, unsigned seed, TimedComputerPlayer& player)
{
    if (!start(turns, seed))
        return false;
    GameThread thread(*m_state, player, StepYield::None);
    const auto begin = Clock::now();
    thread.Run();
    lastGameMs = msSince(begin);
    endPlay();
    return true;
}

std::vector<uint8_t> sampleMapImage(const char* file_name)
{
    auto images = testing_ai::sampleMapImages(file_name);
    return images.empty() ? std::vector<uint8_t> {} : std::move(images.front());
}
