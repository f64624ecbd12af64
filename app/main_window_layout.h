// Where the main window's sub-windows sit in its client area.
#pragma once

#include "platform/windows.h"

// The fixed sizes the sub-windows ask for; the map window takes what is left.
struct ChildSizes {
    int toolHeight = 0;
    int columnWidth = 0;
    int panelHeight = 0;
    int toolWidth = 0;      // the tool palette's buttons, all of them
    int commandsHeight = 0; // the command palette down to its last row of buttons
};

struct MainLayout {
    RECT tool {};
    RECT panel {};
    RECT commands {};
    RECT map {};
};

// The tool palette across the top; the control panel and below it the command palette in a column
// on the left (on the right when left is false); the map in the rest. Nothing is ever negative.
MainLayout layoutMainWindow(int width, int height, const ChildSizes& sizes, bool left);
// The smallest client area that still shows every tool button and the whole column.
SIZE minimumMainClient(const ChildSizes& sizes);
