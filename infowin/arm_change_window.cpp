// ArmChangeWindow: the four set panels and the chosen set's weapon table on "change_bg.bmp".
#include "infowin/arm_change_window.h"

#include "infowin/game_options.h"
#include "infowin/panel_text.h"
#include "infowin/unit_panels.h"
#include "lib/error.h"
#include "lib/media/bitmap_button.h"
#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "state/unit_facts.h"
#include "ui/presentation.h"
#include "ui/dialog_templates.h"
#include "ui/window_kit.h"
#include "ui/window_services.h"

#include <cstring>

namespace {

constexpr UINT_PTR kPlayTimer = 1;
constexpr int kPageWidth = 720;
constexpr int kPageHeight = 560;
constexpr int kProductionPhase = 6;

using panel::loadPicture;

} // namespace

ArmChangeWindow::ArmChangeWindow(const WindowContext& context, swCWindow* parent, int country, int unitOrType, int initialSet)
    : KitWindow(dialog_template::kArmChange, parent)
    , m_game(context.game)
    , m_look(context.look)
    , m_country(country)
    , m_unitOrType(unitOrType)
    , m_initialSet(initialSet)
    , m_background(loadPicture(m_look, "change_bg.bmp"))
    , m_buttonSheet(loadPicture(m_look, "change_btn.bmp"))
{
    registerGameDialogTemplates();
}

ArmChangeWindow::~ArmChangeWindow() = default;

INT_PTR ArmChangeWindow::run()
{
    CreateModal();
    return result();
}

const UnitRecord* ArmChangeWindow::shownUnit() const
{
    return m_country >= 0 ? m_game.unitOf(m_country, m_unitOrType) : nullptr;
}

const UnitTypeRecord* ArmChangeWindow::shownType() const
{
    if (m_country >= 0) {
        const UnitRecord* unit = shownUnit();
        return unit ? m_game.unitTypeOf(*unit) : nullptr;
    }
    return m_unitOrType > 0 && m_unitOrType < kUnitTypeIdMapSize && m_game.unitTypeIndex(m_unitOrType)
        ? &m_game.unitTypeRecord(m_unitOrType)
        : nullptr;
}

bool ArmChangeWindow::playRunning() const { return m_game.handshake().playRunning(); }

void ArmChangeWindow::end(int result)
{
    setResult(result);
    DestroyModal();
}

int ArmChangeWindow::OnInitDialog()
{
    const UnitTypeRecord* type = shownType();
    if (!type) {
        end(0);
        return 1;
    }
    ui::centreWindow(*this, parent() ? parent()->handle() : nullptr, { kPageWidth, kPageHeight });

    if (m_initialSet < 0 || m_initialSet >= kModelCount) {
        const UnitRecord* unit = shownUnit();
        m_initialSet = unit ? unit->modelIndex() : defaultModelOf(*type);
    }
    m_selectedSet = m_initialSet;
    render();

    if (!ui::runShowingError(handle(), [this] { createButtons(); })) {
        end(0);
        return 1;
    }
    RECT placed {};
    GetWindowRect(handle(), &placed);
    windowFitWorkArea(placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top, FALSE, 1);
    windowRestorePlacement(kPlacementPrefix, false, true);
    // The title last: the window is complete once it bears its name.
    const bool production = m_game.turnBlock().phase == kProductionPhase;
    m_title = platform::utf8ToCp932(production ? "初期武装選択" : "武装交換");
    if (const UnitRecord* unit = shownUnit())
        m_title += " - " + std::string(unit->name, strnlen(unit->name, sizeof unit->name));
    SetWindowTextA(handle(), m_title.c_str());
    SetTimer(handle(), kPlayTimer, 100, nullptr);
    return 1;
}

void ArmChangeWindow::createButtons()
{
    const UnitTypeRecord& type = *shownType();
    for (int k = 0; k < kModelCount; ++k) {
        if (!unitTypeHasGroupFlag(type, k))
            continue;
        auto* button = new ChangeButton144x40(this, k, arm_change_id::kFirstSet + UINT(k), 560, 8 + 48 * k);
        button->setHeldPressed(k == m_selectedSet);
    }
    new ChangeButton144x40(this, 4, arm_change_id::kConfirm, 560, 304);
    if (m_game.turnBlock().phase != kProductionPhase)
        new ChangeButton144x40(this, 5, arm_change_id::kCancel, 560, 352);
}

void ArmChangeWindow::render()
{
    const UnitTypeRecord* type = shownType();
    if (!m_background || !m_background->handle() || !type)
        return;
    const std::unique_ptr<swCBitmap> clean = loadPicture(m_look, "change_bg.bmp");
    BitmapDcHolder page(m_background->handle());
    if (clean && clean->handle())
        page.blitBitmap(0, 0, clean->handle(), RECT { 0, 0, kPageWidth, kPageHeight });
    try {
        for (int k = 0; k < kModelCount; ++k)
            if (unitTypeHasGroupFlag(*type, k))
                drawSetPanel(page.dc(), *type, k);
        if (m_buttonSheet)
            drawWeaponTable(page.dc(), m_look, m_game, m_selectedSet, *type, *m_buttonSheet, info_sheet::kChangeBars.x,
                info_sheet::kChangeBars.y, -60);
    } catch (swCError* error) {
        delete error;
    }
}

void ArmChangeWindow::drawSetPanel(HDC dc, const UnitTypeRecord& type, int set)
{
    const int x0 = 8 + 272 * (set % 2);
    const int y0 = 8 + 200 * (set / 2);
    if (m_buttonSheet)
        panel::blitCell(dc, x0, y0, *m_buttonSheet, info_sheet::setPanel(set, set == m_selectedSet));
    panel::TextScope scope(dc, m_look.font(kSmallFont));
    const UnitTypeModel& model = type.model[set];
    // A unit's own set shows what it holds, read as every window reads it; another set shows what
    // an exchange fills the unit to. The machines stay the unit's (the type's count without one).
    const UnitRecord* unit = shownUnit();
    const bool held = unit && unit->modelIndex() == set;
    for (int i = 0; i < kWeaponSlotCount; ++i) {
        if (!unitWeaponSlotUsed(type, i))
            continue;
        const int y = y0 + 50 + 16 * i;
        SetTextColor(dc, model.ammo[i] == 0 ? panel::kNoAmmoGrey : kWhite);
        const char* name = type.weaponSlot[i].name;
        panel::text(dc, x0 + 8, y, x0 + 104, y + 12, std::string(name, strnlen(name, sizeof type.weaponSlot[i].name)).c_str());
        const int full = modelAmmoAllowance(m_game, type, set, i);
        const HeldFigure ammo = held ? heldAmmunition(*unit, i) : HeldFigure { full, full };
        panel::format(dc, x0 + 220, y, x0 + 250, y + 12, DT_LEFT, "%2d/%2d", ammo.now, ammo.most);
        SetTextColor(dc, kWhite);
    }
    const HeldFigure machines = unit ? heldMachines(*unit) : HeldFigure { type.members, type.members };
    panel::format(dc, x0 + 76, y0 + 132, x0 + 106, y0 + 144, DT_LEFT, "%2d/%2d", machines.now, machines.most);
    const HeldFigure fuel = held ? heldFuel(*unit) : HeldFigure { model.fuel, model.fuel };
    panel::format(dc, x0 + 184, y0 + 132, x0 + 226, y0 + 144, DT_LEFT, "%3d/%3d", fuel.now, fuel.most);
    panel::format(dc, x0 + 76, y0 + 152, x0 + 88, y0 + 164, DT_LEFT, "%2d", model.values[0]);
    if (model.values[1] != 0 && ruleInEffect(m_game, kRuleFastMovement))
        panel::format(dc, x0 + 212, y0 + 152, x0 + 224, y0 + 164, DT_LEFT, "%2d", model.values[1]);
    if (model.values[2] != 0)
        panel::format(dc, x0 + 76, y0 + 172, x0 + 88, y0 + 184, DT_LEFT, "%2d", model.values[2]);
}

void ArmChangeWindow::destroying() { KillTimer(handle(), kPlayTimer); }

int ArmChangeWindow::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case WM_TIMER:
        if (msg.wParam != kPlayTimer)
            return 0;
        if (!playRunning())
            end(0);
        return 1;
    default:
        return KitWindow::OnMessage(msg);
    }
}

int ArmChangeWindow::OnCommand(MessageRecord&, UINT id, UINT)
{
    if (!playRunning())
        return 0;
    if (id >= arm_change_id::kFirstSet && id < arm_change_id::kFirstSet + kModelCount) {
        m_selectedSet = int(id - arm_change_id::kFirstSet);
        for (int k = 0; k < kModelCount; ++k) {
            if (HWND button = GetDlgItem(handle(), int(arm_change_id::kFirstSet) + k)) {
                if (auto* face = dynamic_cast<BitmapButton*>(windowFromHandle(button)))
                    face->setHeldPressed(k == m_selectedSet);
                InvalidateRect(button, nullptr, FALSE);
            }
        }
        render();
        InvalidateRect(handle(), nullptr, FALSE);
        return 1;
    }
    if (id == arm_change_id::kConfirm) {
        end(m_selectedSet != m_initialSet ? 1 : 0);
        return 1;
    }
    if (id == arm_change_id::kCancel || id == IDCANCEL) {
        end(0);
        return 1;
    }
    // Enter confirms nothing by itself.
    return id == IDOK ? 1 : 0;
}
