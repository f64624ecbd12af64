// The set-up steps before play.
#include "dialogs/map_settings_flow.h"

#include "dialogs/briefing_dialog.h"
#include "dialogs/map_settings_dialog.h"
#include "dialogs/map_settings_list_dialog.h"
#include "rules/campaign_next_map.h"
#include "state/game_state.h"

int runMapSettingsStep(swCWindow* parent, GameState& game, MapSettingsListButtons buttons)
{
    const bool full = buttons == MapSettingsListButtons::CancelAndChange;
    MapSettingsListDialog list(parent, game, full, full);
    list.run();
    if (list.result() != 1 || !list.changeRequested())
        return int(list.result());
    MapSettingsDialog settings(parent, game);
    settings.run();
    if (settings.result() != 1)
        return 0;
    setCountryMusic(game);
    return 1;
}

bool runNewGameSetUp(swCWindow* parent, GameState& game)
{
    if (game.hasScenarioText()) {
        BriefingDialog briefing(makeWindowContext(game), parent, BriefingMode::BeforePlay);
        briefing.run();
        return briefing.result() == 1;
    }
    return runMapSettingsStep(parent, game, MapSettingsListButtons::CancelAndChange) == 1;
}
