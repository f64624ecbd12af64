// AppDialogLink: the game's notices, results and the game-end announcement in their own windows,
// and the briefing or map settings of a campaign's next map; each runs modally on the calling
// thread (often the game thread), owned by the main window.
#pragma once

#include "platform/windows.h"
#include "rules/dialog_link.h"

class AppMainWindowLink;
class swCWindow;

class AppDialogLink : public DialogLink {
public:
    explicit AppDialogLink(AppMainWindowLink& main);

    void showEventNotice(int kind, int a, int b) override;
    // The rules' own choice stands: 1 while the choosing side has a weapon, 0 when it has none.
    int chooseWeapon(CombatPair& pair, int flag, WeaponChoiceMode mode) override;
    void showOccupationResult(const BuildingRecord& after, const BuildingRecord& before) override;
    void showBuildingResult(BuildingResult kind, const BuildingRecord& after, const BuildingRecord& before) override;
    void showStructureResult(BuildingResult kind, int terrain_kind, int durability, int old_durability) override;
    void showGameEnd(int country, int kind) override;
    void showSupplyOrder(SupplyOrder& order) override;
    void showBriefing() override;
    void showMapSettings() override;

private:
    // The main window's object; null without one (nothing is shown then).
    swCWindow* owner() const;

    AppMainWindowLink& m_main;
};
