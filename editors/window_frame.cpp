// Placing the editors' windows and keeping them in the work area.
#include "editors/window_frame.h"

#include "lib/window_services.h"
#include "platform/kernel/host.h"
#include "state/data_path.h"
#include "state/game_state.h"

#include <string>

void keepMovingRectInWorkArea(MessageRecord& msg)
{
    if (auto* rect = reinterpret_cast<RECT*>(msg.lParam))
        keepRectInWorkArea(*rect);
    msg.result = TRUE;
}

HWND makePushButton(HWND window, const GameState& game, const char* utf8, int controlId, int x, int y, int width, int height)
{
    HWND button = CreateWindowExA(0, "Button", platform::utf8ToCp932(utf8).c_str(),
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, x, y, width, height, window,
        reinterpret_cast<HMENU>(INT_PTR(controlId)), nullptr, nullptr);
    if (button)
        SendMessageA(button, WM_SETFONT, WPARAM(game.font(kFont14).handle()), FALSE);
    return button;
}

std::unique_ptr<swCBitmap> loadEditorPicture(const char* name)
{
    auto picture = std::make_unique<swCBitmap>();
    picture->bitmapLoadFile(dataPath(name, kFolderBitmap).c_str());
    return picture;
}

bool handleDrawnWindowMessage(swCWindow& window, MessageRecord& msg, const swCBitmap& background,
    const char* placementPrefix, const std::function<void()>& close)
{
    switch (msg.message) {
    case WM_PAINT: {
        PaintDcHolder paint(window.handle());
        RECT client {};
        GetClientRect(window.handle(), &client);
        paint.blitBitmap(0, 0, background.handle(), client);
        return true;
    }
    case WM_ERASEBKGND: {
        RECT update {};
        GetClientRect(window.handle(), &update);
        GetUpdateRect(window.handle(), &update, FALSE);
        PaletteHolder holder(reinterpret_cast<HDC>(msg.wParam));
        holder.blitBitmap(update.left, update.top, background.handle(), update);
        msg.result = 1;
        return true;
    }
    case WM_NCHITTEST:
        msg.result = HTCAPTION;
        return true;
    case WM_CTLCOLORBTN:
        msg.result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        return true;
    case WM_NCRBUTTONDOWN:
        close();
        return true;
    case WM_DESTROY:
        window.windowSavePlacement(placementPrefix);
        return false;
    default:
        return handleCloseGestures(window.handle(), msg, close);
    }
}
