// MapWindow's input: clicks, keys and the command palette's messages, handed to the person's orders.
#include "app/map_window.h"

#include "app/app_messages.h"
#include "app/map_window_ui.h"

std::unique_ptr<MapOrders> MapWindow::makeOrders()
{
    m_ui = std::make_unique<Ui>(*this);
    return std::make_unique<MapOrders>(m_state, *m_ui);
}

void MapWindow::onLeftButton(LPARAM lParam, WPARAM wParam)
{
    SetFocus(handle());
    int x = 0, y = 0;
    if (!hexAtClient({ GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) }, x, y))
        return;
    if (placing())
        placeAt(x, y);
    else
        m_orders->click(x, y, (wParam & MK_SHIFT) != 0);
}

bool MapWindow::onKey(UINT virtualKey)
{
    switch (virtualKey) {
    case VK_ESCAPE:
        if (placing())
            endPlacement(true);
        else
            m_orders->cancel();
        return true;
    case VK_BACK:
        m_orders->removeLastWayPoint();
        return true;
    default:
        return scrollByKey(virtualKey);
    }
}

bool MapWindow::handleInput(MessageRecord& msg)
{
    switch (msg.message) {
    case WM_LBUTTONDOWN:
        onLeftButton(msg.lParam, msg.wParam);
        return true;
    case WM_RBUTTONDOWN:
        if (placing())
            endPlacement(true);
        else
            m_orders->cancel();
        return true;
    case WM_KEYDOWN:
        return onKey(UINT(msg.wParam));
    case app_message::kMapCommandChosen:
        m_orders->commandChosen(int(msg.wParam));
        return true;
    case app_message::kMapCancelOrder:
        m_orders->cancel();
        return true;
    case app_message::kMapSetZoom:
        setZoom(int(msg.wParam));
        return true;
    default:
        return false;
    }
}
