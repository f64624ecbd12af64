// ToolPalette: the tool buttons, their menu ids and what each needs of the game's state.
#include "app/tool_palette.h"

#include "app/menu_ids.h"
#include "lib/media/bitmap_button.h"
#include "lib/error.h"
#include "lib/file.h"
#include "lib/media/picture_services.h"
#include "lib/media/dc_holders.h"
#include "platform/kernel/host.h"
#include "state/master_text.h"
#include "ui/private_messages.h"

namespace {

constexpr int kTop = 2;
constexpr int kGroupGap = 8;
constexpr COLORREF kToolBackground = RGB(24, 28, 22);

enum class Size { Wide, Narrow };

struct ToolEntry {
    unsigned menuId;
    Size size;
    int image;
    bool groupStart;
    const char* label; // shown when the strip's picture cannot be read
};

constexpr ToolEntry kTools[] = {
    { menu_id::kNewGame, Size::Wide, 0, false, "新規ゲーム" },
    { menu_id::kResumeGame, Size::Wide, 1, false, "再開" },
    { menu_id::kSaveGameAs, Size::Wide, 2, false, "保存" },
    { menu_id::kEndActionPhase, Size::Wide, 3, true, "行動終了" },
    { menu_id::kEndTurn, Size::Wide, 4, false, "ターン終了" },
    { menu_id::kZoom16, Size::Narrow, 0, true, "縮小" },
    { menu_id::kZoom32, Size::Narrow, 1, false, "標準" },
    { menu_id::kZoom48, Size::Narrow, 2, false, "拡大" },
    { menu_id::kEnvironment, Size::Wide, 5, true, "環境設定" },
    // The information windows: each button toggles its window as the menu command does.
    { menu_id::kCountryInfo, Size::Wide, 6, true, "陣営情報" },
    { menu_id::kConditionInfo, Size::Wide, 7, false, "状況表" },
    { menu_id::kResults, Size::Wide, 8, false, "戦果表" },
    { menu_id::kTroopList, Size::Wide, 9, false, "部隊表" },
};

// Without its picture a tool is still there to be clicked: a push button with its name.
HWND plainButton(HWND parent, const ToolEntry& entry, int x, int width)
{
    const std::string label = platform::utf8ToCp932(entry.label);
    return CreateWindowExA(0, "BUTTON", label.c_str(), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, kTop, width, 24, parent,
        reinterpret_cast<HMENU>(uintptr_t(entry.menuId)), GetModuleHandleA(nullptr), nullptr);
}

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
    bool pictureRead = true;
    for (const ToolEntry& entry : kTools) {
        if (entry.groupStart)
            x += kGroupGap;
        Tool tool { entry.menuId, nullptr };
        const int width = entry.size == Size::Wide ? 80 : 40;
        // The global new: the palette owns its buttons; they do not delete themselves with their windows.
        try {
            if (pictureRead && entry.size == Size::Wide)
                tool.button.reset(::new ToolButton80x24(this, entry.image, entry.menuId, x, kTop));
            else if (pictureRead)
                tool.button.reset(::new ToolButton40x24(this, entry.image, entry.menuId, x, kTop));
        } catch (swCError* error) {
            delete error;
            pictureRead = false;
        }
        if (!tool.button)
            tool.plain = plainButton(handle(), entry, x, width);
        x += width;
        m_tools.push_back(std::move(tool));
    }
    // A damaged or missing picture is told, as the other pictures are.
    if (!pictureRead)
        showLoaderMessage(platform::utf8ToCp932("画像ファイル tool_btn.bmp を読み込めません。\nツールバーのボタンは名前で表示します。"),
            platform::utf8ToCp932("警告"));
    refreshEnableStates();
    return TRUE;
}

void ToolPalette::refreshEnableStates()
{
    for (const Tool& tool : m_tools) {
        const bool on = !m_enabled || m_enabled(tool.menuId);
        if (HWND window = tool.handle(); window && bool(IsWindowEnabled(window)) != on)
            EnableWindow(window, on ? TRUE : FALSE);
    }
}

HWND ToolPalette::Tool::handle() const { return button ? button->handle() : plain; }

HWND ToolPalette::button(unsigned menuId) const
{
    for (const Tool& tool : m_tools) {
        if (tool.menuId == menuId)
            return tool.handle();
    }
    return nullptr;
}

int ToolPalette::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case ui_message::kToolPaletteRefresh:
        refreshEnableStates();
        return 1;
    case WM_ERASEBKGND:
        msg.result = 1;
        return 1;
    case WM_PAINT: {
        PaintDcHolder dc(handle());
        RECT client {};
        GetClientRect(handle(), &client);
        dc.fillRectColor(0, 0, client.right - 1, client.bottom - 1, kToolBackground);
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
        if (parent() && parent()->handle() && tool.handle() && IsWindowEnabled(tool.handle()))
            PostMessageA(parent()->handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
        return 1;
    }
    return 0;
}
