// Placing the editors' windows and keeping them in the work area.
#include "editors/window_frame.h"

#include "lib/window_services.h"
#include "platform/kernel/host.h"
#include "state/data_path.h"
#include "state/game_state.h"
#include "ui/presentation.h"

#include <string>

void keepMovingRectInWorkArea(MessageRecord& msg)
{
    if (auto* rect = reinterpret_cast<RECT*>(msg.lParam))
        keepRectInWorkArea(*rect);
    msg.result = TRUE;
}

HWND makePushButton(HWND window, const char* utf8, int controlId, int x, int y, int width, int height)
{
    HWND button = CreateWindowExA(0, "Button", platform::utf8ToCp932(utf8).c_str(),
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, x, y, width, height, window,
        reinterpret_cast<HMENU>(INT_PTR(controlId)), nullptr, nullptr);
    if (button)
        SendMessageA(button, WM_SETFONT, WPARAM(presentation().font(kFont14).handle()), FALSE);
    return button;
}

std::unique_ptr<swCBitmap> loadEditorPicture(const char* name)
{
    auto picture = std::make_unique<swCBitmap>();
    picture->bitmapLoadFile(dataPath(name, kFolderBitmap).c_str());
    return picture;
}

bool answerTransparentButtons(MessageRecord& msg)
{
    if (msg.message != WM_CTLCOLORBTN)
        return false;
    msg.result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    return true;
}
