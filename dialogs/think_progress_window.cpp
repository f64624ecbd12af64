// ThinkProgressWindow: the canvas of "think.bmp", the progress bar, the stop button's faces and
// the messages of the main window and the watcher.
#include "dialogs/think_progress_window.h"

#include "state/game_state.h"
#include "ui/drawn_dialog.h"
#include "ui/private_messages.h"
#include "ui/window_kit.h"
#include "ui/window_services.h"
#include "ui/presentation.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr char kSheet[] = "think.bmp";
// The sheet: the normal canvas at the top left, the delegated one below the frames; the stop
// faces (normal, pressed) in two rows, the second for a delegated turn; the bar's fill.
constexpr RECT kNormalCanvas { 0, 0, 296, 88 };
constexpr RECT kDelegatedCanvas { 296, 160, 592, 248 };
constexpr int kFaceLeft = 0;
constexpr int kFaceTop = 88;
constexpr int kDelegatedFaceTop = 112;
constexpr RECT kBarFill { 0, 160, 200, 176 };

} // namespace

ThinkProgressWindow::ThinkProgressWindow(const WindowContext& context, swCWindow* owner, int country)
    : KitWindow(kClassName, owner)
    , m_game(context.game)
    , m_look(context.look)
    , m_country(country)
{
    m_windowClass.hbrBackground = nullptr;
    setStyle(WS_POPUP);
}

ThinkProgressWindow::~ThinkProgressWindow() { stopWatcher(); }

void ThinkProgressWindow::stopWatcher()
{
    if (m_thread)
        m_thread->threadStopAndWait();
    m_thread.reset();
}

BOOL ThinkProgressWindow::Create()
{
    m_delegated = m_game.handshake().delegation();
    const RECT& source = m_delegated ? kDelegatedCanvas : kNormalCanvas;
    m_canvas.load(m_look, kSheet, source);
    PictureCanvas::loadPart(m_look, m_sheet, kSheet, { 0, 0, 680, 248 });
    HWND owner = m_parent ? m_parent->handle() : nullptr;
    const RECT frame = ui::centredWindowRect(owner, { kWidth, kHeight }, WS_POPUP, 0, ui::kOverMainWindow);
    setFrame(frame.left, frame.top, kWidth, kHeight);
    if (!swCWindow::Create())
        return FALSE;
    drawStopFace(false);
    drawProgress();
    windowRestorePlacement(kClassName, false, false);
    if (owner && IsWindowVisible(owner) && !IsIconic(owner))
        ui::showGameWindow(handle(), SW_SHOWNORMAL);
    m_thread = std::make_unique<ThinkProgressThread>(*this);
    m_thread->threadStart();
    return TRUE;
}

bool ThinkProgressWindow::postProgress(HWND window, int percent)
{
    return window && PostMessageA(window, ui_message::kThinkShowProgress, WPARAM(percent), 0);
}

void ThinkProgressWindow::drawStopFace(bool pressed)
{
    m_stopPressed = pressed;
    const int top = m_delegated ? kDelegatedFaceTop : kFaceTop;
    const int left = kFaceLeft + (pressed ? 48 : 0);
    m_canvas.blit(kStopFace.left, kStopFace.top, m_sheet.handle(), { left, top, left + 48, top + 24 });
    if (HWND window = handle()) {
        HDC dc = GetDC(window);
        m_canvas.copyTo(dc, kStopFace);
        ReleaseDC(window, dc);
    }
}

void ThinkProgressWindow::drawProgress()
{
    const int percent = std::clamp(m_progress.load(), 0, 100);
    const RECT& bar = kBarArea;
    m_canvas.restore(bar);
    const int width = (bar.right - bar.left) * percent / 100;
    if (width > 0)
        m_canvas.blit(bar.left, bar.top, m_sheet.handle(), { kBarFill.left, kBarFill.top, kBarFill.left + width, kBarFill.bottom });
    char text[16];
    std::snprintf(text, sizeof text, "%3d%%", percent);
    HFONT font = m_look.font(kSmallFont).handle();
    m_canvas.outlinedText(kPercentArea, text, RGB(255, 255, 255), font, DT_CENTER | DT_SINGLELINE);
    if (handle())
        InvalidateRect(handle(), &bar, FALSE);
}

// The face stays a moment, drawn at once, so the person sees the click was taken.
void ThinkProgressWindow::waitShowing(int ms)
{
    UpdateWindow(handle());
    Sleep(DWORD(ms));
}

int ThinkProgressWindow::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case ui_message::kThinkShowProgress:
        m_progress = int32_t(msg.wParam);
        // Kept with the window too, where any thread may read what it shows.
        SetWindowLongPtrA(handle(), GWLP_USERDATA, LONG_PTR(m_progress.load()));
        // A paused game thread is not told apart from a busy one by a moving bar.
        if (!m_game.handshake().isUiLinkReady())
            drawProgress();
        UpdateWindow(handle());
        // Shown: the game thread may go on.
        m_game.handshake().releaseUiWait();
        return 1;
    case ui_message::kThinkNormalFace:
        drawStopFace(false);
        return 1;
    case ui_message::kThinkPressedFace:
        drawStopFace(true);
        return 1;
    case ui_message::kThinkResumedFace:
        drawStopFace(true);
        waitShowing(ThinkProgressThread::kClickPauseMs);
        return 1;
    case ui_message::kThinkPauseAskedFace:
        drawStopFace(false);
        waitShowing(ThinkProgressThread::kClickPauseMs);
        // The game thread pauses at its next hand-shake: the button shows it held.
        if (m_game.handshake().isUiLinkReady())
            drawStopFace(true);
        return 1;
    case WM_NCHITTEST: {
        POINT at { short(LOWORD(msg.lParam)), short(HIWORD(msg.lParam)) };
        ScreenToClient(handle(), &at);
        msg.result = PtInRect(&kStopFace, at) ? HTCLIENT : HTCAPTION;
        return 1;
    }
    case WM_TIMER:
        return 1;
    default:
        break;
    }
    return KitWindow::OnMessage(msg);
}

void ThinkProgressWindow::destroying()
{
    // The watcher draws on this window: it ends before the window does.
    stopWatcher();
    m_game.handshake().releaseUiWait();
}

const ui::WindowDescription& ThinkProgressWindow::description() const
{
    static constexpr ui::WindowDescription kDescription { .placementKey = kClassName, .drawn = true,
        .closing = ui::Closing::Itself };
    return kDescription;
}

ThinkProgressThread::ThinkProgressThread(ThinkProgressWindow& window)
    : m_window(window)
{
}

ThinkProgressThread::~ThinkProgressThread() { threadStopAndWait(); }

void ThinkProgressThread::pollStopButton()
{
    Handshake& handshake = m_window.game().handshake();
    // Both are taken, so that neither carries a stale click into a later poll.
    const bool pressed = (GetAsyncKeyState(VK_LBUTTON) & 1) != 0;
    const bool swallowed = handshake.takeClickSwallowed();
    if (!pressed && !swallowed)
        return;
    HWND window = m_window.handle();
    POINT at {};
    GetCursorPos(&at);
    if (!window || WindowFromPoint(at) != window || !m_window.activeFlag())
        return;
    ScreenToClient(window, &at);
    if (!PtInRect(&ThinkProgressWindow::kStopFace, at))
        return;
    HWND main = m_window.parent() ? m_window.parent()->handle() : nullptr;
    if (handshake.combatUnderWay()) {
        handshake.setUiLinkReady();
    } else if (handshake.delegation()) {
        PostMessageA(main, ui_message::kCancelDelegation, 0, 0);
        m_window.drawStopFace(false);
        pauseUnlessStopped(kClickPauseMs);
    } else if (handshake.isUiLinkReady()) {
        PostMessageA(main, ui_message::kResumeGame, 0, 0);
        PostMessageA(window, ui_message::kThinkResumedFace, 0, 0);
    } else {
        handshake.setUiLinkReady();
        PostMessageA(window, ui_message::kThinkPauseAskedFace, 0, 0);
    }
}

void ThinkProgressThread::drawFrame(int frame)
{
    const HBITMAP sheet = m_window.sheet().handle();
    PictureCanvas& canvas = m_window.canvas();
    canvas.blit(8, 12, sheet, { 200 + 80 * frame, 88, 272 + 80 * frame, 156 });
    canvas.blit(80, 12, sheet, { 272 + 80 * frame, 88, 280 + 80 * frame, 118 });
    if (HWND window = m_window.handle()) {
        HDC dc = GetDC(window);
        canvas.copyTo(dc, { 8, 12, 88, 80 });
        ReleaseDC(window, dc);
    }
}

void ThinkProgressThread::Run()
{
    while (!stopRequested()) {
        pollStopButton();
        drawFrame(m_frame);
        m_frame = (m_frame + 1) % kFrameCount;
        pauseUnlessStopped(kFrameMs);
    }
}
