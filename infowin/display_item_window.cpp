// DisplayItemWindow: the display-item windows' frame, place and label.
#include "infowin/display_item_window.h"

#include "infowin/display_item_dock.h"
#include "lib/control.h"
#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "ui/info_window_frame.h"
#include "ui/presentation.h"

DisplayItemWindow::DisplayItemWindow(const WindowContext& context, swCWindow* list, const char* className, UINT listToggle)
    : KitWindow(className, list)
    , m_game(context.game)
    , m_look(context.look)
    , m_listToggle(listToggle)
{
    m_windowClass.hbrBackground = GetSysColorBrush(COLOR_MENU);
    setTitle("");
    setStyle(WS_POPUP | WS_DLGFRAME | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW);
    setFrame(0, 0, 100, 100);
}

bool DisplayItemWindow::createBeside(int clientWidth, int clientHeight, UINT labelId)
{
    if (!parent() || !parent()->handle() || !Create())
        return false;
    setClientSize(clientWidth, clientHeight);
    const POINT at = displayItemDockPoint(parent()->handle(), outerWindowSize(handle()));
    SetWindowPos(handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    static const std::string title = platform::utf8ToCp932("表示項目");
    auto* label = new StaticText(this, labelId, SS_LEFT);
    label->controlCreateTitled(title.c_str(), { 4, 4, 48, 12 });
    useSmallFont(label->handle());
    // Tab walks the boxes as in a dialog.
    m_dialogKeys.attach(this);
    return true;
}

void DisplayItemWindow::setClientSize(int clientWidth, int clientHeight)
{
    const SIZE frame = info_window::frameSize(handle());
    SetWindowPos(handle(), nullptr, 0, 0, clientWidth + frame.cx, clientHeight + frame.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DisplayItemWindow::useSmallFont(HWND control) const
{
    if (control)
        SendMessageA(control, WM_SETFONT, WPARAM(m_look.font(kSmallFont).handle()), FALSE);
}

void DisplayItemWindow::raise()
{
    if (parent() && parent()->handle())
        BringWindowToTop(parent()->handle());
}

bool DisplayItemWindow::dialogKey(UINT command) const
{
    if (command == IDCANCEL && parent() && parent()->handle()) {
        HWND list = parent()->handle();
        SetActiveWindow(list);
        PostMessageA(list, WM_COMMAND, MAKEWPARAM(m_listToggle, BN_CLICKED), LPARAM(GetDlgItem(list, int(m_listToggle))));
    }
    return command == IDOK || command == IDCANCEL;
}

int DisplayItemWindow::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case WM_ACTIVATE:
        // Shown by the list's toggle, the window takes the keyboard at its first box.
        if (LOWORD(msg.wParam) != WA_INACTIVE && !IsChild(handle(), GetFocus()))
            if (HWND first = GetNextDlgTabItem(handle(), nullptr, FALSE))
                SetFocus(first);
        return 0;
    default:
        return KitWindow::OnMessage(msg);
    }
}
