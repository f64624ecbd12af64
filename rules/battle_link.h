// BattleLink: the hand-off of a combat to the animated battle scene or the simplified battle window.
#pragma once

struct BattleRecord;

// Implemented by battle/ (through the main window); both calls return when the scene has ended.
// The game thread waits for the scene's done word in a UiWaitKind::BattleDone wait of the state's
// handshake, which the end of play releases.
class BattleLink {
public:
    virtual ~BattleLink() = default;

    // The record of both sides; the scene reads it until it ends.
    virtual void runBattleScene(BattleRecord& record, bool play_se) = 0;
    // Shows the game's current engagement.
    virtual void showSimpleBattle() = 0;
};
