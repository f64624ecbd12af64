// ToolPalette: the tool buttons, their menu ids and what each needs of the game's state.
#include "app/tool_palette.h"

#include "app/menu_ids.h"
#include "lib/media/bitmap_button.h"
#include "lib/media/dc_holders.h"

namespace {

constexpr int kTop = 2;
constexpr int kGroupGap = 8;
constexpr COLORREF kBackground = RGB(24, 28, 22);

enum class Size { Wide, Narrow };

struct ToolEntry {
    unsigned menuId;
    Size size;
    int image;
    bool groupStart;
};

constexpr ToolEntry kTools[] = {
    { menu_id::kNewGame, Size::Wide, 0, false },
    { menu_id::kResumeGame, Size::Wide, 1, false },
    { menu_id::kSaveGameAs, Size::Wide, 2, false },
    { menu_id::kEndActionPhase, Size::Wide, 3, true },
    { menu_id::kEndTurn, Size::Wide, 4, false },
    { menu_id::kZoom16, Size::Narrow, 0, true },
    { menu_id::kZoom32, Size::Narrow, 1, false },
    { menu_id::kZoom48, Size::Narrow, 2, false },
    { menu_id::kEnvironment, Size::Wide, 5, true },
    // The information windows: each button toggles its window as the menu command does.
    { menu_id::kCountryInfo, Size::Wide, 6, true },
    { menu_id::kConditionInfo, Size::Wide, 7, false },
    { menu_id::kResults, Size::Wide, 8, false },
    { menu_id::kTroopList, Size::Wide, 9, false },
};

} // namespace

ToolPalette::ToolPalette(swCWindow* parent, CommandEnabled enabled)
    : swCWindow(kClassName, parent)
    , m_enabled(std::move(enabled))
{
    m_windowClass.hbrBackground = nullptr;
    setStyle(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN);
    setFrame(0, 0, kWidth, kHeight);
}

ToolPalette::~ToolPalette() = default;

BOOL ToolPalette::Create()
{
    if (!swCWindow::Create())
        return FALSE;
    int x = 4;
    for (const ToolEntry& entry : kTools) {
        if (entry.groupStart)
            x += kGroupGap;
        Tool tool { entry.menuId, nullptr };
        // The global new: the palette owns its buttons; they do not delete themselves with their windows.
        if (entry.size == Size::Wide) {
            tool.button.reset(::new ToolButton80x24(this, entry.image, entry.menuId, x, kTop));
            x += 80;
        } else {
            tool.button.reset(::new ToolButton40x24(this, entry.image, entry.menuId, x, kTop));
            x += 40;
        }
        m_tools.push_back(std::move(tool));
    }
    refreshEnableStates();
    return TRUE;
}

void ToolPalette::refreshEnableStates()
{
    for (const Tool& tool : m_tools) {
        const bool on = !m_enabled || m_enabled(tool.menuId);
        if (tool.button && tool.button->handle() && bool(IsWindowEnabled(tool.button->handle())) != on)
            EnableWindow(tool.button->handle(), on ? TRUE : FALSE);
    }
}

HWND ToolPalette::button(unsigned menuId) const
{
    for (const Tool& tool : m_tools) {
        if (tool.menuId == menuId && tool.button)
            return tool.button->handle();
    }
    return nullptr;
}

int ToolPalette::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case kRefreshMessage:
        refreshEnableStates();
        return 1;
    case WM_ERASEBKGND:
        msg.result = 1;
        return 1;
    case WM_PAINT: {
        PaintDcHolder dc(handle());
        RECT client {};
        GetClientRect(handle(), &client);
        dc.fillRectColor(0, 0, client.right - 1, client.bottom - 1, kBackground);
        return 1;
    }
    default:
        return 0;
    }
}

int ToolPalette::OnCommand(MessageRecord&, UINT id, UINT code)
{
    if (code != BN_CLICKED)
        return 0;
    for (const Tool& tool : m_tools) {
        if (tool.menuId != id)
            continue;
        // Posted as a menu command would be, so the main window handles it after the click ends.
        if (parent() && parent()->handle() && tool.button && IsWindowEnabled(tool.button->handle()))
            PostMessageA(parent()->handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
        return 1;
    }
    return 0;
}
