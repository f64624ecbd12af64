// The registry's windows around a game: its set-up, its briefing and news, its end.
#include "tests/windows/registry/window_registry.h"

#include "app/main_window.h"
#include "app/menu_ids.h"
#include "dialogs/briefing_dialog.h"
#include "dialogs/campaign_troop_deploy_window.h"
#include "dialogs/ending_window.h"
#include "dialogs/map_settings_dialog.h"
#include "dialogs/map_settings_list_dialog.h"
#include "dialogs/news_dialog.h"

namespace window_registry {

std::vector<WindowEntry> gameDialogs()
{
    return {
        { "map_settings_list", [](WindowWorld& w) { return modal([&] { MapSettingsListDialog(w.context(), w.owner(), true, true).run(); }); }, nullptr },
        { "map_settings", [](WindowWorld& w) { return modal([&] { MapSettingsDialog(w.context(), w.owner()).run(); }); }, nullptr },
        { "briefing_before_play", [](WindowWorld& w) { return modal([&] { BriefingDialog(w.context(), w.owner(), BriefingMode::BeforePlay).run(); }); }, nullptr },
        { "briefing", [](WindowWorld& w) { return modal([&] { w.command(menu_id::kShowOrders); }); }, nullptr },
        { "news", [](WindowWorld& w) { return modal([&] { NewsDialog(w.context(), w.owner()).run(); }); }, nullptr },
        { "campaign_troop_deploy", [](WindowWorld& w) {
             auto* window = CampaignTroopDeployWindow::open(w.context(), w.owner());
             return window ? window->handle() : nullptr;
         }, destroyWindow },
        { "ending", [](WindowWorld& w) { return modal([&] { EndingWindow(w.context(), w.owner()).run(); }); }, nullptr },
    };
}

} // namespace window_registry
