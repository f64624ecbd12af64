// PanelPage: forwarding its children's commands and drawing the rows' labels through.
#include "infowin/panel_page.h"

#include "ui/private_messages.h"

PanelPage::PanelPage(swCWindow* parent, UINT controlId, UINT transparentBelow, const char* className)
    : swCControl(className, parent, controlId, 0)
    , m_transparentBelow(transparentBelow)
{
    setStyle(WS_CHILD | SS_LEFT, WS_EX_CONTROLPARENT);
}

int PanelPage::OnMessage(MessageRecord& msg)
{
    if (msg.message == WM_CTLCOLORSTATIC && m_transparentBelow) {
        const int id = GetDlgCtrlID(reinterpret_cast<HWND>(msg.lParam));
        if (id > 0 && UINT(id) < m_transparentBelow) {
            SetBkMode(reinterpret_cast<HDC>(msg.wParam), TRANSPARENT);
            msg.result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
            return 1;
        }
    }
    return swCControl::OnMessage(msg);
}

int PanelPage::OnCommand(MessageRecord& msg, UINT, UINT)
{
    if (HWND owner = GetParent(handle()))
        SendMessageA(owner, ui_message::kPanelPageCommand, msg.wParam, msg.lParam);
    return 1;
}

bool runPanelCommand(swCWindow& window, MessageRecord& msg)
{
    if (msg.message != ui_message::kPanelPageCommand)
        return false;
    MessageRecord command { WM_COMMAND, msg.wParam, msg.lParam, 0 };
    window.OnCommand(command, LOWORD(msg.wParam), HIWORD(msg.wParam));
    msg.result = 0;
    return true;
}
