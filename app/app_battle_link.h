// AppBattleLink: combats as the program shows them until the battle scene exists: a short result
// box on the main window's thread while the game thread waits.
#pragma once

#include "rules/battle_link.h"
#include "rules/combat_scene.h"

class AppMainWindowLink;

// What a battle request hands to the main window.
struct BattleSides {
    BattleSceneSide attacker;
    BattleSceneSide defender;
};

class AppBattleLink : public BattleLink {
public:
    explicit AppBattleLink(AppMainWindowLink& main);

    void runBattleScene(BattleSceneSide& attacker, BattleSceneSide& defender, bool play_se) override;
    // The game's current engagement, as the viewing country sees it.
    void showSimpleBattle() override;

private:
    void show(const BattleSides& sides, bool play_se);

    AppMainWindowLink& m_main;
};
