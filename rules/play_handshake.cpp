// The game thread's waits for the windows: end of turn, progress reports, map requests, level changes.
#include "rules/play_handshake.h"

#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/map_window_link.h"
#include "rules/rules_context.h"
#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

namespace {

bool waitForTurnAnswer(GameState& state, HandshakeSlot slot, UiWaitKind kind)
{
    Handshake& handshake = state.handshake();
    // Registered before the flag and the refresh, so an answer given in response always finds it.
    std::shared_ptr<UiWait> wait = handshake.openSlot(slot, kind);
    handshake.setWaitingForAnswer(true);
    mainWindowLink().refresh(MainRefresh::AfterAction);
    uint32_t value = wait->wait();
    handshake.setWaitingForAnswer(false);
    handshake.closeSlot(slot, wait);
    return value == 1;
}

template <class Post>
void mapRequest(GameState& state, Post post)
{
    Handshake& handshake = state.handshake();
    if (!handshake.playRunning())
        return;
    handshake.holdDuringClose();
    std::shared_ptr<UiWait> wait = handshake.openSlot(HandshakeSlot::PendingMap, UiWaitKind::MapRequest);
    // Without a map window nobody would release the wait.
    if (!wait->done() && (!mapWindowLink().isOpen() || !post(mapWindowLink())))
        wait->answer(0);
    wait->wait();
    handshake.closeSlot(HandshakeSlot::PendingMap, wait);
}

} // namespace

bool waitForUiAnswer(GameState& state) { return waitForTurnAnswer(state, HandshakeSlot::ActionEnd, UiWaitKind::ActionEnd); }

bool waitForUiAnswer2(GameState& state)
{
    return waitForTurnAnswer(state, HandshakeSlot::ProductionEnd, UiWaitKind::ProductionEnd);
}

void postThinkProgress(GameState& state, int value, ReportWait wait_kind)
{
    Handshake& handshake = state.handshake();
    if (!handshake.playRunning())
        return;
    if (wait_kind == ReportWait::No) {
        mainWindowLink().reportThinkProgress(value);
        return;
    }
    std::shared_ptr<UiWait> wait = handshake.openSlot(HandshakeSlot::PendingUi, UiWaitKind::ThinkProgress);
    if (!wait->done() && !mainWindowLink().postThinkProgress(value))
        wait->answer(0);
    wait->wait();
    handshake.closeSlot(HandshakeSlot::PendingUi, wait);
}

void requestHexBlink(GameState& state, int x, int y)
{
    mapRequest(state, [x, y](MapWindowLink& map) { return map.postHexBlink(x, y); });
}

void requestCentreOnHex(GameState& state, int x, int y)
{
    mapRequest(state, [x, y](MapWindowLink& map) { return map.postCentreOnHex(x, y); });
}

void announceRankChange(GameState& state, int side, int index, int x, int y, int old_experience, int new_experience,
    ReportWait wait_kind)
{
    if (!state.settings().levelEffect)
        return;
    int old_level = experienceLevelFor(old_experience);
    int new_level = experienceLevelFor(new_experience);
    if (old_level == new_level)
        return;
    const UnitRecord* unit = state.unitOf(side, index);
    if (!unit || strengthTotal(*unit) <= 0 || !ViewerView(state).seesUnitAt(side, index, x, y))
        return;
    LevelChange change;
    change.up = old_level < new_level ? 1 : 0;
    change.side = uint32_t(side);
    change.index = uint32_t(index);
    change.x = uint32_t(x);
    change.y = uint32_t(y);

    MapWindowLink& map = mapWindowLink();
    if (wait_kind == ReportWait::No) {
        if (map.isOpen())
            map.animateLevelChange(change);
        return;
    }
    Handshake& handshake = state.handshake();
    handshake.holdDuringClose();
    // The record travels inside the wait, which lives until both threads are done with it.
    auto wait = handshake.openWaitWith<LevelChange>(UiWaitKind::LevelChange);
    wait->data = change;
    // A wait born released (play is being stopped) is not posted: its id is no longer found.
    if (!wait->done() && (!map.isOpen() || !map.postLevelChange(wait->id())))
        wait->answer(0);
    wait->wait();
    handshake.closeWait(wait);
}

void stepTurnProgress(GameState& state)
{
    int percent = state.advanceTurnProgress();
    if (percent >= 0)
        postThinkProgress(state, percent, ReportWait::No);
}

bool canInterruptGame(GameState& state)
{
    const Handshake& handshake = state.handshake();
    if (!handshake.playRunning())
        return true;
    // A thread that has ended (a campaign that could not go on to its next map) holds nothing up.
    if (handshake.playThread() && handshake.isPlayThreadFinished())
        return true;
    if (handshake.waitingForAnswer())
        return !handshake.unitCommandBeingSet() && !currentAction(state).autoMoveSetup();
    return handshake.isUiLinkReady();
}

bool canEndGame(GameState& state)
{
    return state.handshake().playRunning() && canInterruptGame(state) && !state.handshake().combatUnderWay();
}
