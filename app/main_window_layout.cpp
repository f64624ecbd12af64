// The main window's layout of its sub-windows.
#include "app/main_window_layout.h"

#include <algorithm>

MainLayout layoutMainWindow(int width, int height, const ChildSizes& sizes, bool left)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    const int top = std::min(sizes.toolHeight, height);
    const int column = std::min(sizes.columnWidth, width);
    const int panelBottom = std::min(top + sizes.panelHeight, height);
    const int columnLeft = left ? 0 : width - column;
    const int mapLeft = left ? column : 0;

    MainLayout layout;
    layout.tool = RECT { 0, 0, width, top };
    layout.panel = RECT { columnLeft, top, columnLeft + column, panelBottom };
    layout.commands = RECT { columnLeft, panelBottom, columnLeft + column, height };
    layout.map = RECT { mapLeft, top, mapLeft + width - column, height };
    return layout;
}

SIZE minimumMainClient(const ChildSizes& sizes)
{
    return SIZE { std::max(sizes.toolWidth, sizes.columnWidth), sizes.toolHeight + sizes.panelHeight + sizes.commandsHeight };
}
