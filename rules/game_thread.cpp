// GameThread's body: the game view, the loop over the phase steps, the end of the game and the campaign's next map.
#include "rules/game_thread.h"

#include "rules/campaign_next_map.h"
#include "rules/carry_over.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/production.h"
#include "state/campaign_progress.h"
#include "state/game_state.h"
#include "state/sound_codes.h"

#include <algorithm>
#include <chrono>
#include <thread>

int mapTurnLimit(GameState& state) { return state.mapHeader().turnLimit; }

int finalTurnOf(GameState& state, int country)
{
    const int game_turn = std::min<int>(state.turnBlock().turn, mapTurnLimit(state));
    if (country < 0 || country >= kCountryCount || state.country(country).turnOut == 0)
        return game_turn;
    return std::min<int>(state.country(country).turnOut, game_turn);
}

std::unique_ptr<swCThread> GameThreadFactory::createPlayThread(GameState& state)
{
    return std::make_unique<GameThread>(state, m_player, m_yield);
}

GameThread::GameThread(GameState& state, ComputerPlayer& player, StepYield yield)
    : m_state(state), m_player(player), m_yield(yield)
{
}

// Run reads the members: the thread must have ended before they go.
GameThread::~GameThread() { threadStopAndWait(); }

void GameThread::Run()
{
    for (;;) {
        // Only this run's end-of-game step picks a next map: a stop of play never loads one.
        m_state.nextCampaignStage() = -1;
        clearPhaseHelpFlags();
        openGameView();
        TurnBlock& turn = m_state.turnBlock();
        if (turn.turn > 0 && turn.phase > 0 && turn.currentCountry < kCountryCount)
            mainWindowLink().requestMusic(tune::countryAnthem(turn.currentCountry), true);

        m_playStarted = 1;
        bool loop = true;
        if (turn.decided) {
            endOfGame();
            loop = false;
        }
        m_gameOver = 0;
        if (loop && !deployCampaignUnits())
            loop = false;

        while (loop) {
            // Each step waits while the program's close is asked or under way, and a close that
            // ends play lets no step begin.
            m_state.handshake().holdDuringClose();
            if (stopRequested())
                break;
            runStep();
            if (stopRequested())
                break;
            yieldStep();
        }
        if (!continueCampaign() || !m_state.handshake().clearStageStop())
            return;
    }
}

void GameThread::runStep()
{
    TurnBlock& turn = m_state.turnBlock();
    if (turn.turn == 0) {
        startFirstTurn();
        return;
    }
    // The neutral side is current only while it acts: resume its turn rather than a country's phase.
    if (turn.currentCountry == kNeutralSide && turn.phase != kPhaseStart && turn.phase != kPhaseEnd) {
        resumeNeutralTurn();
        return;
    }
    // A side past the neutral one names no record: the turn starts again from its first country.
    if (turn.currentCountry > kNoSide || (turn.currentCountry == kNoSide && turn.phase != kPhaseStart)) {
        turn.currentCountry = kNoSide;
        turn.phase = kPhaseStart;
    }
    switch (turn.phase) {
    case kPhaseStart: phaseStart(); break;
    case kPhaseMissile: phaseMissile(); break;
    case kPhaseIncome: phaseIncome(); break;
    case kPhaseSupply: phaseSupply(); break;
    case kPhaseReplenish: phaseReplenish(); break;
    case kPhaseAction: phaseAction(); break;
    case kPhaseProduction: phaseProduction(); break;
    case kPhaseEnd: phaseEnd(); break;
    default:
        // A phase past the last names no step: the country's part of the turn starts again rather
        // than the thread turning on nothing.
        turn.phase = kPhaseStart;
        break;
    }
}

void GameThread::startFirstTurn()
{
    recordTurnStartStats();
    TurnBlock& turn = m_state.turnBlock();
    turn.turn = 1;
    turn.phase = kPhaseStart;
    turn.currentCountry = kNoSide;
    for (int c = 0; c < kCountryCount; ++c) {
        turn.order[c] = uint8_t(c);
        CountryRecord& country = m_state.country(c);
        country.runningTotal = country.funds;
        country.fundsSpent = 0;
        country.membersAtStart = uint32_t(m_state.memberCountInPlay(c));
        country.membersLost = 0;
    }
    prepareNextTurnOrder();
}

void GameThread::openGameView()
{
    MainWindowLink& main = mainWindowLink();
    main.openStartWindows();
    main.refreshTerrainWindows(false);
    main.startGameView();
}

bool GameThread::deployCampaignUnits()
{
    if (m_state.turnBlock().turn != 0 || m_state.campaignBlock().campaignFlag != 1 || m_state.carryOverCount() == 0)
        return true;
    beginCarryOverDeployment(m_state);
    Handshake& handshake = m_state.handshake();
    bool deployed = handshake.waitForDeploymentResult([&] {
        // With no window to place them in, the units go to the places nearest the capitals.
        if (!mainWindowLink().startCampaignDeployment()) {
            autoDeployCarryOver(m_state);
            handshake.signalDeploymentResult(1);
        }
    });
    if (!deployed)
        return false;
    compactCarryOverList(m_state);
    int player = m_state.campaignBlock().playerCountry;
    if (player < kCountryCount)
        resetTurnUnitFields(m_state, player);
    return true;
}

bool GameThread::continueCampaign()
{
    MainWindowLink& main = mainWindowLink();
    if (m_state.nextCampaignStage() == -1) {
        main.refreshTerrainWindows(true);
        return false;
    }
    // The next stage is a new game: it waits while a way out holds this one, and a stop of play
    // loads nothing.
    m_state.handshake().holdDuringClose();
    if (m_state.handshake().playStopped())
        return false;
    if (loadNextCampaignMap(m_state)) {
        main.refreshTerrainWindows(false);
        return true;
    }
    // The stage stays on the board as it ended, to be saved: resumed, it ends again and carries
    // its units over once.
    truncateCarryOver(m_state, m_carriedBefore);
    main.afterGame();
    return false;
}

void GameThread::endOfGame()
{
    int next = -1;
    if (m_state.campaignBlock().campaignFlag == 1) {
        next = campaignNextMapIndex(m_state);
        m_carriedBefore = m_state.carryOverCount();
        if (next != -1)
            collectCarryOver(m_state);
    }
    m_state.nextCampaignStage() = next;
    m_gameOver = 1;
    mainWindowLink().endOfGameStep();
    stopFlag() = 1;
}

void GameThread::askUiAndWait(int phase)
{
    int side = m_state.turnBlock().currentCountry;
    if (phase < 0 || phase >= int(m_phaseHelpShown.size()) || !m_state.isSimpleMode() || !m_state.isHumanCountry(side))
        return;
    if (m_phaseHelpShown[size_t(phase)] || !m_state.isPhaseHelpEnabled(phase))
        return;
    m_phaseHelpShown[size_t(phase)] = 1;
    mainWindowLink().explainPhase();
}

bool GameThread::endIfDecided()
{
    if (!m_state.turnBlock().decided)
        return false;
    m_state.computeTurnStats();
    endOfGame();
    return true;
}

void GameThread::endWithoutWinner()
{
    m_state.turnBlock().decided = 1;
    endIfDecided();
}

void GameThread::yieldStep()
{
    if (m_yield == StepYield::Sleep)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}
