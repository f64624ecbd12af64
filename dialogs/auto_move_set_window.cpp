// AutoMoveSetWindow: the buttons' states by the set-up's stage, the display and the posts.
#include "dialogs/auto_move_set_window.h"

#include "lib/media/bitmap_button.h"
#include "platform/kernel/host.h"
#include "rules/current_action.h"
#include "rules/rules_context.h"
#include "state/game_state.h"
#include "state/unit_facts.h"
#include "ui/drawn_dialog.h"
#include "ui/private_messages.h"
#include "ui/window_kit.h"
#include "ui/window_services.h"
#include "ui/presentation.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr RECT kNameArea { 89, 17, 281, 29 };
constexpr RECT kSizeArea { 239, 38, 257, 50 };

bool actionPhaseWaiting(GameState& state)
{
    const Handshake& handshake = state.handshake();
    return handshake.playRunning() && state.turnBlock().phase == kPhaseAction && handshake.waitingForAnswer()
        && !handshake.unitCommandBeingSet();
}

bool currentCountryHasOrders(GameState& state)
{
    const int side = state.turnBlock().currentCountry;
    if (side < 0 || side >= kCountryCount)
        return false;
    for (uint32_t i = 0; i < state.unitCount(side); ++i)
        if (const UnitRecord* unit = state.unitOf(side, int(i)); unit && unitInPlay(*unit) && unit->hasAutoRoute == 1)
            return true;
    return false;
}

} // namespace

bool autoMoveCanBegin(GameState& state) { return actionPhaseWaiting(state); }

bool autoMoveCanRun(GameState& state)
{
    return actionPhaseWaiting(state) && currentCountryHasOrders(state) && !currentAction(state).autoMoveSetup();
}

AutoMoveSetWindow::AutoMoveSetWindow(const WindowContext& context, swCWindow* owner)
    : KitWindow(kClassName, owner)
    , m_game(context.game)
    , m_look(context.look)
{
    m_windowClass.hbrBackground = nullptr;
    setStyle(WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW);
    m_title = nullptr;
}

BOOL AutoMoveSetWindow::Create()
{
    m_canvas.load(m_look, "automove.bmp", { 0, 0, kWidth, kHeight });
    const std::string title = platform::utf8ToCp932("オート移動");
    setTitle(title.c_str());
    HWND owner = m_parent ? m_parent->handle() : nullptr;
    const RECT frame = ui::centredWindowRect(owner, { kWidth, kHeight }, m_style, m_exStyle, ui::kOverMainWindow);
    setFrame(frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
    if (!swCWindow::Create())
        return FALSE;
    m_title = nullptr;
    makeBitmapButton<AutoMoveSubButton>(this, 0, kBegin, 12, 12);
    makeBitmapButton<AutoMoveSubButton>(this, 1, kRouteStage, 12, 38);
    makeBitmapButton<AutoMoveSubButton>(this, 2, kSetRoute, 12, 64);
    makeBitmapButton<AutoMoveSubButton>(this, 3, kRun, 96, 64);
    makeBitmapButton<AutoMoveSubButton>(this, 4, kEnd, 196, 64);
    fullRefresh();
    windowRestorePlacement(kClassName, false, true);
    // Tab walks the buttons as in a dialog.
    m_dialogKeys.attach(this);
    return TRUE;
}

void AutoMoveSetWindow::enable(UINT id, bool on)
{
    if (HWND button = GetDlgItem(handle(), int(id)))
        EnableWindow(button, on);
}

void AutoMoveSetWindow::holdPressed(UINT id, bool on)
{
    HWND button = GetDlgItem(handle(), int(id));
    if (auto* face = dynamic_cast<BitmapButton*>(windowFromHandle(button)))
        face->holdPressed(on);
}

void AutoMoveSetWindow::postToMain(UINT message)
{
    if (HWND main = m_parent ? m_parent->handle() : nullptr)
        PostMessageA(main, message, 0, 0);
}

bool AutoMoveSetWindow::reevaluateBegin()
{
    const bool can = autoMoveCanBegin(m_game);
    enable(kBegin, can);
    enable(kRouteStage, false);
    enable(kSetRoute, false);
    return can;
}

void AutoMoveSetWindow::reevaluateRun() { enable(kRun, autoMoveCanRun(m_game)); }

void AutoMoveSetWindow::fullRefresh()
{
    enum class Stage { None, Idle, First, Second };
    const CurrentAction& action = currentAction(m_game);
    const bool setup = action.autoMoveSetup();
    const bool canBegin = reevaluateBegin();
    Stage stage = Stage::None;
    if (setup)
        stage = action.autoMoveRouteStage() ? Stage::Second : Stage::First;
    else if (canBegin)
        stage = Stage::Idle;
    enable(kEnd, setup);
    holdPressed(kBegin, stage == Stage::First);
    enable(kBegin, stage == Stage::Idle);
    holdPressed(kRouteStage, stage == Stage::Second);
    enable(kRouteStage, false);
    enable(kSetRoute, stage == Stage::Second);
    drawDisplay();
    reevaluateRun();
}

void AutoMoveSetWindow::drawDisplay()
{
    m_canvas.restore({ 0, 0, kWidth, kHeight });
    {
        GameState& state = m_game;
        const CurrentAction& action = currentAction(state);
        HFONT font = m_look.font(kSmallFont).handle();
        const int side = state.turnBlock().currentCountry;
        if (action.autoMoveGroupSize() > 0)
            if (const UnitRecord* first = state.unitOf(side, action.autoMoveGroupUnit(0)); first && unitExists(*first))
                m_canvas.text(kNameArea, std::string(first->name, strnlen(first->name, sizeof first->name)),
                    RGB(255, 255, 255), font, DT_LEFT | DT_SINGLELINE);
        char size[16];
        std::snprintf(size, sizeof size, "%3d", action.autoMoveGroupSize());
        m_canvas.restore(kSizeArea);
        m_canvas.text(kSizeArea, size, RGB(255, 255, 255), font, DT_RIGHT | DT_SINGLELINE);
    }
    if (handle())
        InvalidateRect(handle(), nullptr, FALSE);
}

int AutoMoveSetWindow::OnCommand(MessageRecord& msg, UINT id, UINT code)
{
    switch (id) {
    case kBegin:
        if (autoMoveCanBegin(m_game))
            postToMain(ui_message::kAutoMoveBegin);
        return 1;
    case kRouteStage:
        postToMain(ui_message::kAutoMoveRouteStage);
        return 1;
    case kSetRoute:
        postToMain(ui_message::kAutoMoveSetRoute);
        return 1;
    case kRun:
        if (autoMoveCanRun(m_game)) {
            postToMain(ui_message::kAutoMoveRun);
            enable(kRun, false);
        }
        return 1;
    case kEnd:
        postToMain(ui_message::kAutoMoveEnd);
        return 1;
    case IDCANCEL:
        // Escape is the close box.
        PostMessageA(handle(), WM_CLOSE, 0, 0);
        return 1;
    case IDOK:
        return 1;
    default:
        return swCWindow::OnCommand(msg, id, code);
    }
}

int AutoMoveSetWindow::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case ui_message::kAutoMoveWindowRefresh:
        fullRefresh();
        return 1;
    case ui_message::kAutoMoveUnitAdded:
        enable(kRouteStage, true);
        drawDisplay();
        return 1;
    case ui_message::kAutoMoveReevaluate:
        reevaluateBegin();
        reevaluateRun();
        return 1;
    case ui_message::kAutoMoveDisableAll:
        for (UINT id : { kBegin, kRouteStage, kRun, kSetRoute })
            enable(id, false);
        return 1;
    default:
        return KitWindow::OnMessage(msg);
    }
}

// The main window closes it through its own member, asked by the close box or a right click.
const ui::WindowDescription& AutoMoveSetWindow::description() const
{
    static constexpr ui::WindowDescription kDescription { .placementKey = kClassName, .drawn = true,
        .closing = ui::Closing::AskOwner, .closeRequest = ui_message::kAutoMoveWindow };
    return kDescription;
}
