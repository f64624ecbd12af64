// Placing the editors' windows and keeping them in the work area.
#include "editors/window_frame.h"

#include "lib/profile.h"
#include "lib/window_services.h"
#include "platform/kernel/host.h"
#include "state/data_path.h"
#include "state/game_state.h"

#include <climits>
#include <string>

namespace {

// The main window's left panel, beside which information windows open by default.
constexpr int kLeftPanelWidth = 216;

SIZE outerSize(HWND window, int clientWidth, int clientHeight)
{
    RECT r { 0, 0, clientWidth, clientHeight };
    AdjustWindowRectEx(&r, DWORD(GetWindowLongPtrA(window, GWL_STYLE)), FALSE,
        DWORD(GetWindowLongPtrA(window, GWL_EXSTYLE)));
    return { r.right - r.left, r.bottom - r.top };
}

int storedKey(const std::string& prefix, const char* name)
{
    const std::string key = prefix + name;
    return swCProfileKey("WindowInfo", key.c_str()).profileReadInt(INT_MIN);
}

} // namespace

void centreClientOverParent(swCWindow& window, HWND parent, int clientWidth, int clientHeight)
{
    const SIZE size = outerSize(window.handle(), clientWidth, clientHeight);
    RECT over {};
    if (parent) {
        GetClientRect(parent, &over);
        MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&over), 2);
    } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &over, 0);
    }
    const int x = over.left + (over.right - over.left - size.cx) / 2;
    const int y = over.top + (over.bottom - over.top - size.cy) / 2;
    window.windowFitWorkArea(x, y, size.cx, size.cy, TRUE, 1);
}

void placeInformationWindow(swCWindow& window, const char* prefix, int clientWidth, int clientHeight)
{
    const SIZE size = outerSize(window.handle(), clientWidth, clientHeight);
    POINT origin { storedKey(prefix, "WindowPosLeft"), storedKey(prefix, "WindowPosTop") };
    if (origin.x == INT_MIN || origin.y == INT_MIN) {
        const bool leftPanel = !g_gameState || g_gameState->settings().leftInfoPanel;
        origin = { leftPanel ? kLeftPanelWidth : GetSystemMetrics(SM_CXVSCROLL), 0 };
        if (HWND main = window.parent() ? window.parent()->handle() : nullptr)
            ClientToScreen(main, &origin);
    }
    window.windowFitWorkArea(origin.x, origin.y, size.cx, size.cy, TRUE, 1);
}

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
    if (button && g_gameState)
        SendMessageA(button, WM_SETFONT, WPARAM(g_gameState->font(kFont14).handle()), FALSE);
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
