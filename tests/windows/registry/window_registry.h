// Every window and dialog of the program, each with the way to open it on the small world and the
// way a person closes it. Tests walk the list; `visit` runs one entry with its window open. Not
// listed: the help page, which the desktop's own viewer shows, and message boxes, which the headless
// desktop answers without showing.
#pragma once

#include "tests/windows/registry/window_world.h"

#include "platform/windows.h"

#include <functional>
#include <string>
#include <vector>

namespace window_registry {

struct WindowEntry {
    // Unique; also the file name of the window's picture.
    std::string name;
    // Opens the window on this thread. A modeless window is left open and returned; a modal one
    // runs its loop here and returns null once it has ended.
    std::function<HWND(WindowWorld&)> open;
    // Closes the shown window as a person would. Runs on a second thread; null posts WM_CLOSE.
    std::function<void(HWND)> close;
};

// The whole list, in menu order as far as there is one.
const std::vector<WindowEntry>& windowEntries();
// The list in a few groups, one test each, so that ctest opens them side by side.
constexpr int kWindowGroups = 4;
std::vector<std::reference_wrapper<const WindowEntry>> entriesOfGroup(int group, int groups = kWindowGroups);

// A window open for a look: the entry's window, and with it every top-level window that came with
// it (the two halves of the battle scene, a docked list).
struct OpenWindow {
    HWND window = nullptr;
    std::vector<HWND> came;
};

// The screen rectangle the open window and those that came with it cover, within the screen.
RECT areaOf(const OpenWindow& open);

// Opens the entry on the world and, while this thread handles its messages, calls `look` on a second
// thread with the window shown; then closes it. False when no window showed or it would not go.
bool visit(const WindowEntry& entry, WindowWorld& world, const std::function<void(const OpenWindow&)>& look);

// The registry's own parts, one list per folder of windows.
std::vector<WindowEntry> appWindows();
std::vector<WindowEntry> gameDialogs();
std::vector<WindowEntry> playDialogs();
std::vector<WindowEntry> infoWindows();
std::vector<WindowEntry> editorWindows();
std::vector<WindowEntry> battleWindows();

// Helpers for the entries: a modal window's run wrapped to return null, and the usual closes.
template <class Run>
HWND modal(Run run)
{
    run();
    return nullptr;
}
// Presses the dialog's button by its command id.
std::function<void(HWND)> pressButton(int id);
// Destroys a window that only the program's own members close, on the thread that made it.
void destroyWindow(HWND window);

} // namespace window_registry
