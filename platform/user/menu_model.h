// Menus as data: items, their states and submenus, shared by the menu calls, the menu bar and
// the popup tracker.
#pragma once

#include "platform/user/winuser.h"

#include <optional>
#include <string>
#include <vector>

namespace platform::menus {

struct Item {
    UINT type = MFT_STRING;   // MFT_ bits
    UINT state = 0;           // MFS_ bits
    UINT id = 0;
    HMENU submenu = nullptr;
    std::string text;         // CP932, '&' marks the mnemonic, '\t' starts the shortcut column
    ULONG_PTR data = 0;
    bool separator() const { return (type & MFT_SEPARATOR) != 0; }
    bool enabled() const { return (state & (MF_GRAYED | MF_DISABLED)) == 0; }
};

// A copy of a menu's items, taken under the menu lock so drawing never races an edit.
std::optional<std::vector<Item>> items(HMENU menu);
bool isMenu(HMENU menu);

// True while a menu bar or popup menu is being tracked in this process.
bool isTracking();

// The window whose menu this thread tracks (null when none) and whether it is a popup menu.
struct MenuMode {
    HWND owner = nullptr;
    bool popup = false;
};
MenuMode threadMenuMode();

class TrackingScope {
public:
    TrackingScope(HWND owner, bool popup);
    ~TrackingScope();
    TrackingScope(const TrackingScope&) = delete;
    TrackingScope& operator=(const TrackingScope&) = delete;

private:
    MenuMode m_outer;
};

// Puts the menu bar into the window system's frames; done by every call that makes a menu.
void installMenuBarHooks();

// The mnemonic character of an item text (upper-cased), or 0.
char mnemonicOf(const std::string& text);

// The window whose system menu (GetSystemMenu) this is, or null.
HWND systemMenuWindow(HMENU menu);

} // namespace platform::menus
