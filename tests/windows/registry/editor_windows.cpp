// The registry's rule and production-type editors.
#include "tests/windows/registry/window_registry.h"

#include "app/menu_ids.h"
#include "editors/copy_source_dialog.h"
#include "editors/product_edit_window.h"
#include "editors/product_list_window.h"
#include "editors/rule_setting_dialog.h"
#include "app/main_window.h"
#include "editors/victory_condition_dialog.h"
#include "editors/victory_condition_rules.h"

namespace window_registry {
namespace {

template <class Dialog>
HWND ruleSettings(WindowWorld& w)
{
    RuleSlot rules;
    rules.block = w.state().ruleBlock();
    return modal([&] { Dialog(w.context(), w.owner(), rules, kRuleEdit).run(); });
}

} // namespace

std::vector<WindowEntry> editorWindows()
{
    return {
        { "rule_list", [](WindowWorld& w) { return modal([&] { w.command(menu_id::kRuleList); }); }, nullptr },
        { "rule_settings", ruleSettings<RuleSettingDialog>, nullptr },
        { "rule_settings_short", ruleSettings<RuleShortSettingDialog>, nullptr },
        { "rule_window", [](WindowWorld& w) {
             w.command(menu_id::kRuleInfo);
             return w.mainWindow().ruleWindow();
         }, nullptr },
        // Simple mode's own: the main window makes it while the game is in that mode.
        { "rule_window_short", [](WindowWorld& w) {
             const uint8_t mode = w.state().mode();
             w.state().setMode(1);
             w.command(menu_id::kRuleInfo);
             w.state().setMode(mode);
             return w.mainWindow().ruleWindow();
         }, nullptr },
        { "victory_conditions", [](WindowWorld& w) {
             w.command(menu_id::kVictoryConditions);
             return w.mainWindow().victoryWindow();
         }, nullptr },
        { "victory_conditions_set", [](WindowWorld& w) {
             return modal([&] { VictoryConditionDialog(w.context(), w.owner(), 0, victoryConditionEntriesOf(w.state()), kVictorySet).run(); });
         }, nullptr },
        { "product_list", [](WindowWorld& w) { return modal([&] { w.command(menu_id::kProductEdit); }); }, nullptr },
        { "product_import", [](WindowWorld& w) { return modal([&] { w.command(menu_id::kProductImport); }); }, nullptr },
        { "product_export", [](WindowWorld& w) { return modal([&] { w.command(menu_id::kProductExport); }); }, nullptr },
        { "product_edit", [](WindowWorld& w) { return modal([&] { ProductEditWindow(w.context(), w.owner(), 0).run(); }); }, nullptr },
        { "copy_source", [](WindowWorld& w) { return modal([&] { chooseCopySource(w.context(), w.owner()); }); }, nullptr },
    };
}

} // namespace window_registry
