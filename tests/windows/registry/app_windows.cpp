// The registry's windows of the program's frame: the main window, its settings and the file dialogs.
#include "tests/windows/registry/window_registry.h"

#include "app/about_box.h"
#include "app/main_window.h"
#include "app/menu_ids.h"
#include "app/start_mode_dialog.h"
#include "dialogs/folder_browse.h"
#include "dialogs/game_file_dialog.h"
#include "dialogs/game_file_list.h"
#include "dialogs/game_select_dialog.h"
#include "ui/presentation.h"

namespace window_registry {

std::vector<WindowEntry> appWindows()
{
    return {
        // The main window with its map, palettes and panel is open while the world lives.
        { "main_window", [](WindowWorld& w) { return w.handle(); }, [](HWND) { } },
        { "about_box", [](WindowWorld& w) { return modal([&] { w.command(menu_id::kAbout); }); }, nullptr },
        { "environment", [](WindowWorld& w) { return modal([&] { w.command(menu_id::kEnvironment); }); }, nullptr },
        { "start_mode", [](WindowWorld& w) { return modal([&] { StartModeDialog(w.owner()).run(); }); }, nullptr },
        { "game_select_new", [](WindowWorld& w) {
             return modal([&] { GameSelectDialog(w.context(), w.owner(), 0, 0, 0, kCategoryScenario).run(); });
         }, nullptr },
        { "game_select_resume", [](WindowWorld& w) {
             return modal([&] { GameSelectDialog(w.context(), w.owner(), 0, 1, 0, kCategoryScenario).run(); });
         }, nullptr },
        { "game_file_save", [](WindowWorld& w) {
             return modal([&] {
                 GameFileDialog dialog(w.context(), w.owner());
                 dialog.runSaveDialog(w.saveFolder() + "\\", 0, "kahan.wqs", 2);
             });
         }, pressButton(IDCANCEL) },
        { "folder_browse", [](WindowWorld& w) {
             return modal([&] { browseForGameFolder(w.handle(), w.context().look.font(kSmallFont).handle(), w.saveFolder()); });
         }, pressButton(IDCANCEL) },
    };
}

} // namespace window_registry
