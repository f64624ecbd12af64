// AppDialogLink: the game's dialogs the rules open during play: the weapon selection, the notices,
// results and the game-end announcement, and the briefing or map settings of a campaign's next map;
// each runs modally on the calling thread (often the game thread), owned by the main window.
#pragma once

#include "platform/windows.h"
#include "rules/dialog_link.h"

class AppMainWindowLink;

class AppDialogLink : public DialogLink {
public:
    explicit AppDialogLink(AppMainWindowLink& main);

    void showEventNotice(int kind, int a, int b) override;
    // The weapon selection dialog in modes 1..3; flag: the attacker's weapons need flag 128.
    int chooseWeapon(CombatPair& pair, int flag, WeaponChoiceMode mode) override;
    void showOccupationResult(const BuildingRecord& after, const BuildingRecord& before) override;
    void showBuildingResult(BuildingResult kind, const BuildingRecord& after, const BuildingRecord& before) override;
    void showStructureResult(BuildingResult kind, int terrain_kind, int durability, int old_durability) override;
    void showGameEnd(int country, int kind) override;
    void showSupplyOrder(SupplyOrder& order) override;
    void showBriefing() override;
    void showMapSettings() override;

private:
    // Runs the window modally, owned by the main window, when the close lets one show.
    template <class Window, class... Args>
    void runOwned(Args&&... args);

    AppMainWindowLink& m_main;
};
