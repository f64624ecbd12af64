// DrawnDialog: painting, dragging and placement of the picture windows of play.
#include "infowin/drawn_dialog.h"

#include "infowin/main_window_services.h"

DrawnDialog::DrawnDialog(UINT templateId, swCWindow* parent, Drag drag)
    : DialogBase(templateId, parent, false)
    , m_drag(drag)
{
}

int DrawnDialog::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case WM_PAINT:
        m_canvas.paint(handle());
        return 1;
    case WM_ERASEBKGND:
        m_canvas.copyTo(reinterpret_cast<HDC>(msg.wParam));
        msg.result = 1;
        return 1;
    case WM_MOVING:
        keepRectInWorkArea(*reinterpret_cast<RECT*>(msg.lParam));
        msg.result = TRUE;
        return 1;
    case WM_NCHITTEST:
        if (m_drag != Drag::Anywhere)
            break;
        msg.result = HTCAPTION;
        return 1;
    default:
        break;
    }
    return DialogBase::OnMessage(msg);
}

void DrawnDialog::closeWith(INT_PTR result)
{
    setResult(result);
    close();
}

RECT centredWindowRect(HWND owner, int clientWidth, int clientHeight, DWORD style, DWORD exStyle)
{
    RECT frame { 0, 0, clientWidth, clientHeight };
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    HWND over = mainWindowServices().mainWindow();
    if (!over || !IsWindow(over))
        over = owner;
    POINT centre {};
    RECT client {};
    if (over && IsWindow(over) && !IsIconic(over) && GetClientRect(over, &client)) {
        centre = { (client.left + client.right) / 2, (client.top + client.bottom) / 2 };
        ClientToScreen(over, &centre);
    } else {
        centre = { GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2 };
    }
    // The frame is centred so that the client area is: the frame may be uneven.
    const int left = centre.x - clientWidth / 2 + frame.left;
    const int top = centre.y - clientHeight / 2 + frame.top;
    return { left, top, left + width, top + height };
}

void DrawnDialog::placeCentred(int clientWidth, int clientHeight)
{
    const DWORD style = DWORD(GetWindowLongPtrA(handle(), GWL_STYLE));
    const DWORD exStyle = DWORD(GetWindowLongPtrA(handle(), GWL_EXSTYLE));
    HWND owner = parent() ? parent()->handle() : nullptr;
    const RECT r = centredWindowRect(owner, clientWidth, clientHeight, style, exStyle);
    windowFitWorkArea(r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE, 1);
}

void DrawnDialog::showCanvas(const RECT& area)
{
    InvalidateRect(handle(), &area, FALSE);
}
