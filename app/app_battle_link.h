// AppBattleLink: combats shown as the animated battle scene or the simplified battle window.
#pragma once

#include "rules/battle_link.h"
#include "rules/combat_scene.h"

class AppMainWindowLink;

class AppBattleLink : public BattleLink {
public:
    explicit AppBattleLink(AppMainWindowLink& main);

    // On the main window's thread the host dialog waits for the scene; on the game thread the main
    // window starts it and its hand-back answers the wait. Returns at once without the scene.
    void runBattleScene(BattleRecord& record, bool play_se) override;
    // The game's current engagement, as the viewing country sees it, in the simplified window.
    void showSimpleBattle() override;

private:
    AppMainWindowLink& m_main;
};
