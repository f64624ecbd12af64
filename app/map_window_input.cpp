// MapWindow's input: clicks, keys and the command palette's messages, handed to the person's orders.
#include "app/map_window.h"

#include "ui/private_messages.h"
#include "app/map_window_ui.h"
#include "dialogs/placement_dialog.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "state/game_settings.h"
#include "state/game_state.h"

namespace {

// The developer popup's one item; the popup answers it directly, no command reaches a window.
constexpr UINT kPlaceUnitItem = 1;

} // namespace

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

bool MapWindow::onDeveloperPopup(LPARAM lParam, WPARAM wParam)
{
    if (!m_state.settings().hel || !(wParam & MK_SHIFT))
        return false;
    int x = 0, y = 0;
    if (!hexAtClient({ GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) }, x, y))
        return true;
    const TurnBlock& turn = m_state.turnBlock();
    const int country = turn.currentCountry < kCountryCount ? int(turn.currentCountry) : turn.viewer();
    if (country < 0 || country >= kCountryCount)
        return true;
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, kPlaceUnitItem, platform::utf8ToCp932("ユニット配置(&P)...").c_str());
    POINT at { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
    ClientToScreen(handle(), &at);
    const UINT chosen = UINT(TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, handle(), nullptr));
    DestroyMenu(popup);
    if (chosen != kPlaceUnitItem)
        return true;
    HWND root = GetAncestor(handle(), GA_ROOT);
    swCWindow* owner = root ? windowFromHandle(root) : nullptr;
    PlacementDialog dialog(makeWindowContext(m_state), owner ? owner : this, x, y, country);
    ModalIdleOff idle;
    if (dialog.run() == 1) {
        fullRefresh();
        mainWindowLink().refresh(MainRefresh::AfterAction);
    }
    return true;
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
        else if (!onDeveloperPopup(msg.lParam, msg.wParam))
            m_orders->cancel();
        return true;
    case WM_KEYDOWN:
        return onKey(UINT(msg.wParam));
    case ui_message::kMapCommandChosen:
        m_orders->commandChosen(int(msg.wParam));
        return true;
    case ui_message::kMapCancelOrder:
        m_orders->cancel();
        return true;
    case ui_message::kMapSetZoom:
        setZoom(int(msg.wParam));
        return true;
    default:
        return false;
    }
}
