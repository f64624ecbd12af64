// The simplified battle window.
#include "battle/live_clash_easy_window.h"

#include "infowin/panel_marks.h"
#include "infowin/panel_text.h"
#include "lib/error.h"
#include "lib/media/bitmap_button.h"
#include "platform/kernel/host.h"
#include "rules/combat_pair.h"
#include "rules/combat_scene.h"
#include "ui/base_bitmaps.h"
#include "state/data_path.h"
#include "state/game_state.h"
#include "state/name_tables.h"
#include "state/unit_facts.h"
#include "state/unit_record.h"
#include "ui/dialog_templates.h"
#include "ui/window_services.h"
#include "ui/presentation.h"
#include "ui/palette_colours.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr UINT kButtonId = 1000;
enum : UINT_PTR { kAutoCloseTimer = 1, kStepTimer, kBlinkTimer, kGiveBackTimer };
constexpr int kWidth = 600;
constexpr int kHeight = 300;
constexpr const char* kPlacementKey = "LiveClashEasy";
constexpr COLORREF kFiredText = RGB(0x96, 0xC8, 0xFF);
constexpr COLORREF kOtherText = RGB(0x28, 0x78, 0xC8);
constexpr UINT kTextFlags = DT_NOPREFIX | DT_SINGLELINE | DT_LEFT | DT_TOP;

void copyMark(HDC dc, const swCBitmap* sheet, int x, int y, const panel_marks::Cell& cell)
{
    if (sheet)
        panel::blitCell(dc, x, y, *sheet, cell);
}

// Keyed on magenta, as the category icons and the cross are drawn.
void drawKeyed(HDC dc, int x, int y, const swCBitmap* sheet, const panel_marks::Cell& cell)
{
    if (sheet)
        panel::blitKeyed(dc, x, y, *sheet, RECT { cell.x, cell.y, cell.right(), cell.bottom() }, kPictureKey);
}

void copyFrom(HDC dc, HBITMAP source, int x, int y, int sx, int sy, int w, int h)
{
    if (!source)
        return;
    HDC src = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(src, source);
    BitBlt(dc, x, y, w, h, src, sx, sy, SRCCOPY);
    SelectObject(src, old);
    DeleteDC(src);
}

void text(HDC dc, const char* s, int left, int top, int right, int bottom, COLORREF colour)
{
    RECT r { left, top, right, bottom };
    SetTextColor(dc, colour);
    DrawTextA(dc, s, -1, &r, kTextFlags);
}

RECT counterRect(int k, int i)
{
    const int x = k * 300 + (i % 5 + 2) * 44;
    const int y = (i / 5) * 24 + 76;
    return { x, y, x + 12, y + 12 };
}

POINT iconPlace(int k, int i) { return { k * 300 + 68 + (i % 5) * 44, (i / 5 + 3) * 24 }; }

} // namespace

LiveClashEasyWindow::LiveClashEasyWindow(const WindowContext& context, swCWindow* owner)
    : KitWindow(dialog_template::kBattle, owner, false)
    , m_game(context.game)
    , m_look(context.look)
{
    registerGameDialogTemplates();
}

const swCBitmap* LiveClashEasyWindow::marks() const { return m_look.baseBitmap(kPanelButtons); }

LiveClashEasyWindow::~LiveClashEasyWindow()
{
    if (m_dc) {
        SelectObject(m_dc, m_oldBitmap);
        DeleteDC(m_dc);
    }
}

int LiveClashEasyWindow::OnInitDialog()
{
    RECT frame { 0, 0, kWidth, kHeight };
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongA(handle(), GWL_STYLE)), FALSE, DWORD(GetWindowLongA(handle(), GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT client {};
    HWND owner = parent() ? parent()->handle() : nullptr;
    POINT origin { 0, 0 };
    if (owner) {
        GetClientRect(owner, &client);
        ClientToScreen(owner, &origin);
    }
    const int x = origin.x + (client.right - width) / 2;
    const int y = origin.y + (client.bottom - height) / 2;
    ui::markGameShown(handle());
    m_personsWindow = ui::personsWindowOver(handle());
    drawPanel();
    // A heap window: it deletes itself with its window.
    new PanelButton80x24(this, 0, kButtonId, 412, 268);
    SendMessageA(handle(), DM_SETDEFID, kButtonId, 0);
    windowFitWorkArea(x, y, width, height, TRUE, 1);
    windowRestorePlacement(kPlacementKey, false, false);
    const CombatPair& pair = currentCombat(m_game);
    bool changed = false;
    for (int k = 0; k < 2; ++k)
        if (pair.isSideSet(k) && pair.strengthTenthsBefore(m_game, k) != pair.strengthTenthsAfter(m_game, k))
            changed = true;
    if (changed) {
        SetTimer(handle(), kStepTimer, 200, nullptr);
        m_stepTimerRunning = true;
    } else {
        SetTimer(handle(), kAutoCloseTimer, 2500, nullptr);
        m_autoCloseRunning = true;
    }
    SetTimer(handle(), kBlinkTimer, 100, nullptr);
    return 1;
}

void LiveClashEasyWindow::drawPanel()
{
    const std::string path = dataPath("panel_fig2.bmp", kFolderBitmap);
    for (swCBitmap* b : { &m_picture, &m_clean }) {
        try {
            b->bitmapLoadFile(path.c_str());
        } catch (swCError* error) {
            delete error;
            PaletteHolder screen(nullptr);
            b->bitmapCreateCompatible(screen, kWidth, kHeight);
        }
    }
    m_dc = CreateCompatibleDC(nullptr);
    m_oldBitmap = SelectObject(m_dc, m_picture.handle());
    SetBkMode(m_dc, TRANSPARENT);
    SelectObject(m_dc, m_look.font(kSmallFont).handle());
    SetTextColor(m_dc, kWhite);
    for (int k = 0; k < 2; ++k)
        drawSide(m_dc, k);
}

void LiveClashEasyWindow::drawSide(HDC dc, int k)
{
    GameState& state = m_game;
    const CombatPair& pair = currentCombat(state);
    const CombatSide& side = pair.side[k];
    const int x = k * 300;
    const UnitRecord* unit = pair.unit(state, k);
    m_shown[k] = unit && (k == 0 || pair.isSideSet(1)) && viewerSeesSide(state, side);
    if (!m_shown[k]) {
        const std::string name = platform::utf8ToCp932("？？？？？？？？");
        const std::string cls = platform::utf8ToCp932("？？？？？？");
        text(dc, name.c_str(), x + 96, 12, x + 288, 24, kWhite);
        text(dc, name.c_str(), x + 96, 30, x + 288, 42, kWhite);
        text(dc, cls.c_str(), x + 66, 52, x + 162, 64, kWhite);
        return;
    }
    const UnitTypeRecord& type = unit->type();
    m_look.drawUnitIcon(dc, x + 12, 12, side.country, type.id, 0);
    char name[35] = {};
    std::memcpy(name, unit->name, sizeof unit->name);
    text(dc, name, x + 96, 12, x + 288, 24, kWhite);
    char type_name[35] = {};
    std::memcpy(type_name, type.name, sizeof type.name);
    text(dc, type_name, x + 96, 30, x + 288, 42, kWhite);
    text(dc, unitClassName(type.unitClass), x + 66, 52, x + 162, 64, kWhite);
    copyMark(dc, marks(), x + 190, 48, panel_marks::experienceMark(experienceLevel(*unit)));
    const int icon_row = side.country >= 0 && side.country < 8 ? side.country + 1 : 0;
    const panel_marks::Cell icon { unitBitmapIndex(state, type) * 16, icon_row * 16, 16, 16 };
    for (int i = 0; i < 10; ++i) {
        if (side.strengthBefore[i] < 1)
            continue;
        writeCounter(dc, k, i, side.strengthBefore[i]);
        const POINT p = iconPlace(k, i);
        drawKeyed(dc, p.x, p.y, m_look.baseBitmap(kCategorySheet), icon);
    }
    const UnitRecord* other = pair.unit(state, 1 - k);
    const int target_class = other ? targetClass(other->type()) : 3;
    for (int slot = 0; slot < 5; ++slot) {
        if (!unitWeaponSlotUsed(type, slot))
            continue;
        const int y = 152 + 22 * slot;
        const bool fired = side.weaponSlot == slot;
        if (fired) {
            copyMark(dc, marks(), x + 8, y - 5, panel_marks::highlightStrip(k, slot));
            copyMark(dc, marks(), x + 12, y - 4, panel_marks::kFiredMark);
        }
        const COLORREF colour = fired ? kFiredText : kOtherText;
        char slot_name[19] = {};
        std::memcpy(slot_name, type.weaponSlot[slot].name, sizeof type.weaponSlot[slot].name);
        text(dc, slot_name, x + 36, y, x + 228, y + 12, colour);
        char value[16];
        std::snprintf(value, sizeof value, "%2d", unit->attackValueScaled(slot, target_class));
        text(dc, value, x + 236, y, x + 248, y + 12, colour);
        std::snprintf(value, sizeof value, "%2d", slotWeaponMultiplier(state, type, slot));
        text(dc, value, x + 256, y, x + 268, y + 12, colour);
        std::snprintf(value, sizeof value, "%2d", int(unit->ammunition[slot]));
        text(dc, value, x + 276, y, x + 288, y + 12, colour);
    }
}

void LiveClashEasyWindow::writeCounter(HDC dc, int k, int i, int value)
{
    const RECT r = counterRect(k, i);
    char digits[16];
    std::snprintf(digits, sizeof digits, "%2d", value);
    text(dc, digits, r.left, r.top, r.right, r.bottom, kWhite);
}

void LiveClashEasyWindow::onStepTimer()
{
    if (m_step >= 4) {
        KillTimer(handle(), kStepTimer);
        m_stepTimerRunning = false;
        SetTimer(handle(), kAutoCloseTimer, 1500, nullptr);
        m_autoCloseRunning = true;
        return;
    }
    const CombatPair& pair = currentCombat(m_game);
    HDC clean = CreateCompatibleDC(m_dc);
    HGDIOBJ old = SelectObject(clean, m_clean.handle());
    for (int k = 0; k < 2; ++k) {
        if (!m_shown[k])
            continue;
        const CombatSide& side = pair.side[k];
        for (int i = 0; i < 10; ++i) {
            if (side.strengthBefore[i] < 1)
                continue;
            if (m_step < 3) {
                const RECT r = counterRect(k, i);
                BitBlt(m_dc, r.left, r.top, 12, 12, clean, r.left, r.top, SRCCOPY);
                writeCounter(m_dc, k, i, m_step == 1 ? side.strengthBefore[i] : side.strengthAfter[i]);
                InvalidateRect(handle(), &r, FALSE);
            } else if (side.strengthAfter[i] == 0) {
                const POINT p = iconPlace(k, i);
                drawKeyed(m_dc, p.x, p.y, marks(), panel_marks::kCross);
                const RECT r { p.x, p.y, p.x + 16, p.y + 16 };
                InvalidateRect(handle(), &r, FALSE);
            }
        }
    }
    SelectObject(clean, old);
    DeleteDC(clean);
    UpdateWindow(handle());
    ++m_step;
}

void LiveClashEasyWindow::onBlinkTimer()
{
    ++m_blinkCount;
    const CombatPair& pair = currentCombat(m_game);
    for (int k = 0; k < 2; ++k) {
        if (pair.side[k].critical != 1 || !m_shown[k])
            continue;
        const int x = k == 0 ? 212 : 512;
        if (m_blinkCount % 2 == 1) {
            copyMark(m_dc, marks(), x, 52, panel_marks::kHitMark);
        } else {
            copyFrom(m_dc, m_clean.handle(), x, 52, x, 52, 76, 16);
        }
        const RECT r { x, 52, x + 76, 68 };
        InvalidateRect(handle(), &r, FALSE);
        UpdateWindow(handle());
    }
}

void LiveClashEasyWindow::closeWith(int result)
{
    setResult(result);
    Destroy();
}

int LiveClashEasyWindow::OnCommand(MessageRecord& msg, UINT id, UINT code)
{
    if (id == kButtonId || id == IDOK) {
        closeWith(1);
        return 1;
    }
    return DialogBase::OnCommand(msg, id, code);
}

const ui::WindowDescription& LiveClashEasyWindow::description() const
{
    static const ui::WindowDescription kDescription { kPlacementKey, true, ui::Drag::Anywhere, ui::Closing::Itself };
    return kDescription;
}

void LiveClashEasyWindow::showPicture(HDC dc, const RECT& area)
{
    if (m_dc)
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, m_dc, area.left, area.top, SRCCOPY);
}

int LiveClashEasyWindow::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case WM_TIMER:
        if (msg.wParam == kAutoCloseTimer) {
            KillTimer(handle(), kAutoCloseTimer);
            m_autoCloseRunning = false;
            closeWith(1);
        } else if (msg.wParam == kStepTimer) {
            onStepTimer();
        } else if (msg.wParam == kBlinkTimer) {
            onBlinkTimer();
        } else if (msg.wParam == kGiveBackTimer) {
            KillTimer(handle(), kGiveBackTimer);
            if (IsWindow(m_personsWindow)) {
                SetWindowPos(handle(), m_personsWindow, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                SetForegroundWindow(m_personsWindow);
            }
        }
        return 1;
    case WM_ACTIVATE:
        // Shown modally it comes in front; once its showing is done, the person's window goes back
        // in front of it.
        if (LOWORD(msg.wParam) != WA_INACTIVE && IsWindow(m_personsWindow))
            SetTimer(handle(), kGiveBackTimer, 0, nullptr);
        return KitWindow::OnMessage(msg);
    case WM_NCLBUTTONDOWN:
        // A click anywhere on the panel closes it as well.
        closeWith(0);
        return 1;
    default:
        return KitWindow::OnMessage(msg);
    }
}

void LiveClashEasyWindow::destroying()
{
    KillTimer(handle(), kBlinkTimer);
    KillTimer(handle(), kGiveBackTimer);
    if (m_autoCloseRunning)
        KillTimer(handle(), kAutoCloseTimer);
    if (m_stepTimerRunning)
        KillTimer(handle(), kStepTimer);
}
