// The resources of the program: accelerator table 130 of the main window.
#include "app/program_resources.h"

#include "platform/user/resource_table.h"

#include <mutex>

void registerProgramResources()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // The main window's menus and their keys come with the game's commands; until then
        // the table is there and translates nothing.
        platform::resources::addAccelerators(MAKEINTRESOURCEA(130), {});
    });
}
