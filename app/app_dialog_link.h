// AppDialogLink: the game's notices and results during play (boxes in the game's words until their
// own windows exist) and the briefing or map settings of a campaign's next map; each runs modally
// on the calling thread, owned by the main window.
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
    // The rules' own choice stands: 1 while the choosing side has a weapon, 0 when it has none.
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
