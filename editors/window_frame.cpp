// The editors' pictures and push buttons, and the drawn editor windows' base.
#include "editors/window_frame.h"

#include "platform/kernel/host.h"
#include "state/data_path.h"
#include "state/game_state.h"
#include "ui/presentation.h"

#include <string>

namespace {

// The drawn windows' buttons paint over the picture without a brush.
bool answerTransparentButtons(MessageRecord& msg)
{
    if (msg.message != WM_CTLCOLORBTN)
        return false;
    msg.result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    return true;
}

} // namespace

HWND makePushButton(HWND window, const Presentation& look, const char* utf8, int controlId, int x, int y, int width, int height)
{
    HWND button = CreateWindowExA(0, "Button", platform::utf8ToCp932(utf8).c_str(),
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, x, y, width, height, window,
        reinterpret_cast<HMENU>(INT_PTR(controlId)), nullptr, nullptr);
    if (button)
        SendMessageA(button, WM_SETFONT, WPARAM(look.font(kFont14).handle()), FALSE);
    return button;
}

std::unique_ptr<swCBitmap> loadEditorPicture(const char* name)
{
    auto picture = std::make_unique<swCBitmap>();
    picture->bitmapLoadFile(dataPath(name, kFolderBitmap).c_str());
    return picture;
}

void askOwnerToClose(swCWindow& window, UINT request)
{
    HWND owner = window.parent() ? window.parent()->handle() : nullptr;
    if (owner && IsWindow(owner))
        PostMessageA(owner, request, 0, 0);
    else
        DestroyWindow(window.handle());
}

DrawnEditorWindow::DrawnEditorWindow(UINT templateId, swCWindow* owner, const char* picture, const char* placementKey,
    ui::Closing closing, UINT closeButton)
    : KitWindow(templateId, owner, false)
    , m_background(loadEditorPicture(picture))
    , m_buttons(loadEditorPicture("edit_btn.bmp"))
    , m_description { .placementKey = placementKey, .drawn = true, .drag = ui::Drag::Anywhere, .closing = closing,
        .floating = true, .escapeClosesEnterIgnored = true }
    , m_closeButton(closeButton)
{
}

int DrawnEditorWindow::OnMessage(MessageRecord& msg)
{
    if (answerTransparentButtons(msg))
        return 1;
    return KitWindow::OnMessage(msg);
}

int DrawnEditorWindow::OnCommand(MessageRecord& msg, UINT id, UINT code)
{
    if (id == m_closeButton) {
        ui::endWindow(*this, 1);
        return 1;
    }
    return KitWindow::OnCommand(msg, id, code);
}
