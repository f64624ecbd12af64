// AppDialogLink: the game's dialogs the rules open during play: the weapon selection, the briefing
// or map settings of a campaign's next map, and the notices and results as boxes in the game's
// words until their own windows exist; each runs modally on the calling thread, owned by the main
// window.
#pragma once

#include "platform/windows.h"
#include "rules/dialog_link.h"

#include <string>

class AppMainWindowLink;
class GameState;

class AppDialogLink : public DialogLink {
public:
    explicit AppDialogLink(AppMainWindowLink& main);

    void showEventNotice(int kind, int a, int b) override;
    // The weapon selection dialog in modes 1..3; flag: the attacker's weapons need flag 128.
    int chooseWeapon(CombatPair& pair, int flag, WeaponChoiceMode mode) override;
    void showOccupationResult(const BuildingRecord& building) override;
    void showBuildingResult(BuildingResult kind, const BuildingRecord& after, const BuildingRecord& before) override;
    void showStructureResult(BuildingResult kind, int terrain_kind, int durability, int old_durability) override;
    void showGameEnd(int country, int kind) override;
    void showSupplyOrder(SupplyOrder& order) override;
    void showBriefing() override;
    void showMapSettings() override;

    // The notice's text (CP932); empty for a kind the game has none for.
    static std::string noticeText(GameState& state, int kind, int a, int b);
    // The end of play on the main window's thread: the map's closing news when it is due, then
    // the result.


private:
    void tell(const std::string& text, const char* utf8_caption);

    AppMainWindowLink& m_main;
};
