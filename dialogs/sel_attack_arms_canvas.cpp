// SelAttackArmsDialog's canvas: each side's picture, names, machines with their expected losses, the
// value strip and the weapon rows, drawn over a clean copy of "panel_fig1.bmp".
#include "dialogs/sel_attack_arms_dialog.h"

#include "dialogs/bitmap_canvas.h"
#include "dialogs/game_records.h"
#include "dialogs/sel_attack_arms_cells.h"
#include "dialogs/sel_attack_arms_layout.h"
#include "infowin/panel_marks.h"
#include "infowin/panel_text.h"
#include "lib/media/bitmap_button_layout.h"
#include "platform/kernel/host.h"
#include "rules/combat_pair.h"
#include "rules/combat_scene.h"
#include "rules/weapon_selection.h"
#include "state/game_state.h"
#include "state/name_tables.h"
#include "state/unit_facts.h"
#include "ui/presentation.h"

#include <cstring>
#include <string>

namespace {

namespace salayout = sel_attack_arms_layout;

constexpr COLORREF kAmmoGreen = 0x0240FF40;
constexpr COLORREF kAmmoDarkGreen = 0x02208020;

using game_records::field;

void textIn(HDC dc, int left, int top, int right, int bottom, const std::string& text, UINT align = DT_LEFT)
{
    panel::text(dc, left, top, right, bottom, text.c_str(), align);
}

RECT rectOf(const info_sheet::Cell& c) { return { c.x, c.y, c.right(), c.bottom() }; }

} // namespace

void SelAttackArmsDialog::render()
{
    if (!m_canvas.handle() || !m_cleanPanel.handle() || !m_selection)
        return;
    const std::array<ExpectedLosses, 2> losses = m_selection->expectedLosses();
    m_expectedLosses[0] = losses[0].machines;
    m_expectedLosses[1] = losses[1].machines;
    SelectedBitmap page(m_canvas.handle());
    HDC dc = page.dc();
    restoreFromClean(dc, m_cleanPanel, 0, 0, kWidth, kHeight);
    panel::TextScope text(dc, m_look.font(kSmallFont));
    for (int side = 0; side < 2; ++side)
        drawSide(dc, side, losses[size_t(side)]);
}

void SelAttackArmsDialog::drawSide(HDC dc, int side, const ExpectedLosses& losses)
{
    const int x0 = salayout::halfX(side);
    const CombatSide& s = m_pair.side[side];
    const UnitRecord* unit = m_pair.unit(m_state, side);
    SetTextColor(dc, kWhite);
    // A side the viewer does not see is named unknown, as the simplified battle window names it.
    if (s.code >= 0 && !viewerSeesSide(m_state, s)) {
        static const std::string unknown = platform::utf8ToCp932("？？？？？？？？");
        textIn(dc, x0 + salayout::kNameLeft, salayout::kNameTop, x0 + salayout::kNameRight, salayout::kNameTop + salayout::kLineHeight,
            unknown);
        return;
    }
    if (!unit) {
        if (s.code < 0)
            return;
        m_look.drawHexBuilding(dc, x0 + salayout::kPictureX, salayout::kPictureY, int(s.x), int(s.y));
        if (const TerrainRecord* terrain = m_state.terrainTypeAt(int(s.x), int(s.y)))
            textIn(dc, x0 + salayout::kNameLeft, salayout::kNameTop, x0 + salayout::kNameRight,
                salayout::kNameTop + salayout::kLineHeight, field(terrain->name));
        return;
    }
    const UnitTypeRecord& type = unit->type();
    // The defender faces the attacker across the dialog.
    m_look.drawUnitIcon(dc, x0 + salayout::kPictureX, salayout::kPictureY, s.country, unit->unitTypeId, side);
    textIn(dc, x0 + salayout::kNameLeft, salayout::kNameTop, x0 + salayout::kNameRight, salayout::kNameTop + salayout::kLineHeight,
        field(unit->name));
    textIn(dc, x0 + salayout::kNameLeft, salayout::kTypeTop, x0 + salayout::kNameRight, salayout::kTypeTop + salayout::kLineHeight,
        field(type.name));
    textIn(dc, x0 + salayout::kClassLeft, salayout::kClassTop, x0 + salayout::kClassRight,
        salayout::kClassTop + salayout::kLineHeight, unitClassName(type.unitClass));
    panel::blitCell(dc, x0 + salayout::kExperienceX, salayout::kExperienceY, m_marks,
        panel_marks::experienceMark(experienceLevel(*unit)));
    drawMachines(dc, side, losses);
    const bool rule21 = m_state.ruleOn(kRuleEncirclement);
    for (const sel_attack_arms::ValueCell& cell : sel_attack_arms::valueCells(m_pair, side, rule21)) {
        SetTextColor(dc, cell.colour);
        textIn(dc, x0 + cell.box.left, cell.box.top, x0 + cell.box.right, cell.box.bottom, cell.text, cell.align);
    }
    drawWeaponRows(dc, side);
    SetTextColor(dc, kWhite);
}

void SelAttackArmsDialog::drawMachines(HDC dc, int side, const ExpectedLosses& losses)
{
    const int x0 = salayout::halfX(side);
    const UnitRecord* unit = m_pair.unit(m_state, side);
    const int country = m_pair.side[side].country;
    const int row = country >= 0 && country < kCountryCount ? country + 1 : 0;
    const int column = unitBitmapIndex(m_state, unit->type());
    const RECT icon { column * 16, row * 16, column * 16 + 16, row * 16 + 16 };
    const int machines = std::min<int>(unit->type().members, 10);
    SetTextColor(dc, kWhite);
    for (int i = 0; i < machines; ++i) {
        if (unit->memberStrengths[i] == 0)
            continue;
        const int x = x0 + salayout::machineX(i);
        const int y = salayout::machineY(i);
        panel::blitKeyed(dc, x, y, m_icons, icon, kPictureKey);
        // The hits fall on the first machines standing: those they bring down carry the cross.
        if (losses.after[size_t(i)] == 0)
            panel::blitKeyed(dc, x, y, m_marks, rectOf(panel_marks::kCross), kPictureKey);
        const int cx = x + salayout::kCounterDX;
        const int cy = y + salayout::kCounterDY;
        restoreFromClean(dc, m_cleanPanel, cx, cy, cx + salayout::kCounterSize, cy + salayout::kCounterSize);
        panel::format(dc, cx, cy, cx + salayout::kCounterSize, cy + salayout::kCounterSize, DT_LEFT, "%2d",
            losses.after[size_t(i)]);
    }
}

void SelAttackArmsDialog::drawWeaponRows(HDC dc, int side)
{
    const int x0 = salayout::halfX(side);
    const UnitRecord* unit = m_pair.unit(m_state, side);
    const UnitTypeRecord& type = unit->type();
    const UnitTypeModel& model = type.model[unit->modelIndex()];
    const int target_class = m_selection->targetClassAgainst(side);
    const auto marker = bitmap_buttons::buttonLayout(bitmap_buttons::ButtonKind::PanelButton20x20, 0);
    for (int slot = 0; slot < kWeaponSlotCount; ++slot) {
        if (!unitWeaponSlotUsed(type, slot))
            continue;
        const int y = salayout::weaponRowY(slot);
        const bool usable = m_selection->isUsable(side, slot);
        if (usable)
            panel::blitCell(dc, x0 + salayout::kWeaponStripX, y + salayout::kWeaponStripDY, m_marks,
                panel_marks::highlightStrip(side, slot));
        if (side != m_chooserSide && m_marks.handle()) {
            // Where the chooser has its buttons: the faces of a chosen and of an unchosen button.
            const bitmap_buttons::FaceRect& face = slot == m_pair.side[side].weaponSlot ? marker.disabled : marker.normal;
            PaletteHolder(dc).blitBitmap(x0 + salayout::kWeaponButtonX, y + salayout::kWeaponButtonDY, m_marks.handle(),
                RECT { face.left, face.top, face.right, face.bottom });
        }
        SetTextColor(dc, usable && model.ammo[slot] > 0 ? kAmmoGreen : kAmmoDarkGreen);
        textIn(dc, x0 + salayout::kWeaponNameLeft, y, x0 + salayout::kWeaponNameRight, y + salayout::kLineHeight,
            field(type.weaponSlot[slot].name));
        const WeaponRecord* weapon = unit->slotWeapon(slot);
        const int figures[3] = { unit->attackValueScaled(slot, target_class), weapon ? weapon->multiplier : 0,
            unit->ammunition[slot] };
        const int lefts[3] = { salayout::kPowerLeft, salayout::kMultiplierLeft, salayout::kAmmoLeft };
        for (int k = 0; k < 3; ++k)
            panel::format(dc, x0 + lefts[k], y, x0 + lefts[k] + salayout::kFigureWidth, y + salayout::kLineHeight, DT_LEFT,
                "%2d", figures[k]);
    }
}
