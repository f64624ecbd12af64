// The set-up steps before play.
#include "dialogs/map_settings_flow.h"

#include "dialogs/briefing_dialog.h"
#include "dialogs/map_settings_dialog.h"
#include "dialogs/map_settings_list_dialog.h"
#include "rules/campaign_next_map.h"
#include "state/game_state.h"

int runMapSettingsStep(const WindowContext& context, swCWindow* owner, MapSettingsListButtons buttons)
{
    const bool full = buttons == MapSettingsListButtons::CancelAndChange;
    MapSettingsListDialog list(context, owner, full, full);
    list.run();
    if (list.result() != 1 || !list.changeRequested())
        return int(list.result());
    MapSettingsDialog settings(context, owner);
    settings.run();
    if (settings.result() != 1)
        return 0;
    setCountryMusic(context.game);
    return 1;
}

bool runNewGameSetUp(const WindowContext& context, swCWindow* owner)
{
    if (context.game.hasScenarioText()) {
        BriefingDialog briefing(context, owner, BriefingMode::BeforePlay);
        briefing.run();
        return briefing.result() == 1;
    }
    return runMapSettingsStep(context, owner, MapSettingsListButtons::CancelAndChange) == 1;
}
