// The small world every registered window opens on: the main window over the riverside scenario,
// started and waiting for the person's orders in the first action phase, with helpers that find
// what a window needs to show (a unit of a domain, a building, a free hex). The panel shows the
// first tank, as after a click on it.
#pragma once

#include "tests/app/main_window_world.h"

#include "state/game_state.h"
#include "ui/window_context.h"

#include <string>

namespace window_registry {

class WindowWorld {
public:
    // prepare changes the program folder's files (the ini) before the main window is made.
    explicit WindowWorld(const std::function<void(const testing_state::DataFolder&)>& prepare = {});
    ~WindowWorld();
    WindowWorld(const WindowWorld&) = delete;
    WindowWorld& operator=(const WindowWorld&) = delete;

    // False when the game did not start or the person was not asked for orders.
    bool ready() const { return m_ready; }
    GameState& state() { return m_world.state(); }
    MainWindow& mainWindow() { return m_world.window(); }
    swCWindow* owner() { return &m_world.window(); }
    // What a window made by the registry is handed: the world's game and the main window's services.
    WindowContext context() { return makeWindowContext(state()); }
    HWND handle() const { return m_world.handle(); }
    main_window_test::World& world() { return m_world; }
    std::string gamePath(const std::string& name) const { return m_world.gamePath(name); }
    // The save folder by a link of fixed length in /tmp, for the windows that show a folder's
    // path: through the test's temporary folder its length would follow TMPDIR's.
    const std::string& saveFolder() const { return m_saveFolder; }

    // The index of the country's first unit in play whose name holds the text (UTF-8); -1 when none.
    int unitNamed(int country, const char* nameUtf8);
    // The index of the first building owned by the country; -1 when none.
    int buildingOf(int country);

    // Sends a menu command to the main window and handles what it queued.
    void command(unsigned id);
    // Handles this thread's messages until none is left.
    static void pump() { main_window_test::World::pump(); }

private:
    main_window_test::World m_world;
    bool m_ready = false;
    std::string m_saveLink;
    std::string m_saveFolder;
};

} // namespace window_registry
