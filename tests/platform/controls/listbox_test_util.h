// Helpers for the list-control tests: a parent window that records what its controls tell it,
// message pumping, and input at a control's client coordinates.
#pragma once

#include "controls_test_util.h"
#include "platform/controls/commctrl.h"
#include "platform/desktop/harness.h"
#include "platform/gdi/wingdi.h"

#include <functional>
#include <vector>

namespace listtest {

struct Command {
    int id;
    int code;
};

struct Drawn {
    UINT ctlType;
    UINT itemID;
    UINT itemAction;
    UINT itemState;
    RECT rect;
    ULONG_PTR data;
};

// The parent of the controls under test. One at a time.
struct Parent {
    HWND hwnd = nullptr;
    std::vector<Command> commands;
    std::vector<UINT> notices;         // WM_NOTIFY codes, in order
    std::vector<NMHDR> noticeHeaders;
    std::vector<Drawn> drawn;
    UINT measureHeight = 0;            // answer to WM_MEASUREITEM when not 0
    bool measureByData = false;        // answer WM_MEASUREITEM with the item's data instead
    std::vector<UINT> measured;        // the item of each WM_MEASUREITEM
    std::function<LRESULT(NMHDR*)> onNotify; // answer to WM_NOTIFY (0 when unset)
    std::function<LRESULT(WPARAM)> onVKeyToItem; // answer to WM_VKEYTOITEM (default when unset)
    std::function<void(int id, int code)> onCommand; // run as each WM_COMMAND arrives

    Parent(int x = 100, int y = 100, int cx = 500, int cy = 400);
    ~Parent();
    HWND child(const char* cls, DWORD style, int id, int x, int y, int cx, int cy, DWORD exStyle = 0);
    std::vector<int> codesFrom(int id) const;
    void clear();
};

// Input and pumping as for the other control tests.
using ctltest::clickAt;
using ctltest::pump;
using ctltest::screenPoint;
void doubleClickAt(HWND hwnd, int x, int y);
void press(UINT key);
void pressWith(UINT modifier, UINT key);
void clickWith(UINT modifier, HWND hwnd, int x, int y);

} // namespace listtest
