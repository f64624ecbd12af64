// The set-up steps before play.
#include "dialogs/map_settings_flow.h"

#include "dialogs/briefing_dialog.h"
#include "dialogs/map_settings_dialog.h"
#include "dialogs/map_settings_list_dialog.h"
#include "rules/campaign_next_map.h"
#include "state/game_state.h"

int runMapSettingsStep(swCWindow* parent, MapSettingsListButtons buttons)
{
    const bool full = buttons == MapSettingsListButtons::CancelAndChange;
    MapSettingsListDialog list(parent, full, full);
    list.run();
    if (list.result() != 1 || !list.changeRequested())
        return int(list.result());
    MapSettingsDialog settings(parent);
    settings.run();
    if (settings.result() != 1)
        return 0;
    setCountryMusic(*g_gameState);
    return 1;
}

bool runNewGameSetUp(swCWindow* parent)
{
    if (g_gameState->hasScenarioText()) {
        BriefingDialog briefing(parent, BriefingMode::BeforePlay);
        briefing.run();
        return briefing.result() == 1;
    }
    return runMapSettingsStep(parent, MapSettingsListButtons::CancelAndChange) == 1;
}
