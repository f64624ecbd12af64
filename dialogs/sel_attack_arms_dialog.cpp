// SelAttackArmsDialog: the window, its buttons and the choice of a weapon.
#include "dialogs/sel_attack_arms_dialog.h"

#include "dialogs/sel_attack_arms_layout.h"
#include "lib/error.h"
#include "lib/media/bitmap_button.h"
#include "platform/kernel/host.h"
#include "rules/combat_pair.h"
#include "rules/weapon_selection.h"
#include "state/game_state.h"
#include "ui/dialog_templates.h"
#include "ui/presentation.h"

namespace {

namespace salayout = sel_attack_arms_layout;

const char* const kQuestions[4] = { "", "迎撃を行いますか？", "攻撃を行いますか？", "反撃を行いますか？" };

// The strips are drawn from when present; a missing one leaves its marks out.
void loadQuietly(const Presentation& look, swCBitmap& bitmap, const char* file)
{
    try {
        bitmap.bitmapLoadFile(look.bitmapPath(file).c_str());
    } catch (swCError* error) {
        delete error;
    }
}

} // namespace

SelAttackArmsDialog::SelAttackArmsDialog(const WindowContext& context, swCWindow* owner, CombatPair& pair,
    uint8_t restrictedWeaponsOnly, int mode)
    : PlayPopup(context, dialog_template::kBattle, owner, sel_attack_arms_id::kDrop)
    , m_pair(pair)
    , m_restrictedWeaponsOnly(restrictedWeaponsOnly)
    , m_mode(mode >= 0 && mode <= 3 ? mode : 0)
    , m_chooserSide(mode == 3 ? 1 : 0)
{
}

SelAttackArmsDialog::~SelAttackArmsDialog() = default;

bool SelAttackArmsDialog::prepare()
{
    if (!loadPanels(salayout::kBackground, m_canvas, m_cleanPanel))
        return false;
    loadQuietly(m_look, m_marks, "panel_btn.bmp");
    loadQuietly(m_look, m_icons, "category.bmp");
    m_selection = std::make_unique<WeaponSelection>(m_state, m_pair, m_restrictedWeaponsOnly != 0);
    return true;
}

int SelAttackArmsDialog::OnInitDialog()
{
    // The frame is shared with the battle windows: this dialog sizes itself to its picture.
    placeWindow({ kWidth, kHeight }, kPlacementPrefix);
    render();
    if (!makeControls([this] { createControls(); }))
        return 1;
    watchPlay();
    // The title last: the window is complete once it bears its name.
    SetWindowTextA(handle(), platform::utf8ToCp932("兵器選択").c_str());
    return 1;
}

void SelAttackArmsDialog::createControls()
{
    const int x0 = salayout::halfX(m_chooserSide);
    const int chosen = m_pair.side[m_chooserSide].weaponSlot;
    for (int slot = 0; slot < kWeaponSlotCount; ++slot) {
        if (!m_selection->isUsable(m_chooserSide, slot))
            continue;
        auto* button = new PanelButton20x20(this, 0, sel_attack_arms_id::kFirstWeapon + UINT(slot), x0 + salayout::kWeaponButtonX,
            salayout::weaponRowY(slot) + salayout::kWeaponButtonDY);
        if (slot == chosen)
            EnableWindow(button->handle(), FALSE);
    }
    auto* question = new StaticText(this, sel_attack_arms_id::kQuestion, SS_RIGHT | SS_NOPREFIX);
    question->controlCreateTitled(platform::utf8ToCp932(kQuestions[m_mode]).c_str(),
        { salayout::kQuestionX, salayout::kQuestionY, salayout::kQuestionWidth, salayout::kQuestionHeight });
    SendMessageA(question->handle(), WM_SETFONT, WPARAM(m_look.font(kSmallFont).handle()), FALSE);
    auto* execute = new PanelButton80x24(this, 0, sel_attack_arms_id::kExecute, salayout::kExecuteX, salayout::kButtonY);
    new PanelButton80x24(this, 1, sel_attack_arms_id::kDrop, salayout::kDropX, salayout::kButtonY);
    // Without a weapon there is nothing to fire: the engagement can only be dropped.
    EnableWindow(execute->handle(), chosen >= 0 ? TRUE : FALSE);
    // Enter executes, as a person expects of the box that asks before a fight.
    SendMessageA(handle(), DM_SETDEFID, sel_attack_arms_id::kExecute, 0);
}

void SelAttackArmsDialog::chooseSlot(int slot)
{
    const int old = m_pair.side[m_chooserSide].weaponSlot;
    if (slot == old || !m_selection->isUsable(m_chooserSide, slot))
        return;
    if (old >= 0)
        if (HWND button = GetDlgItem(handle(), int(sel_attack_arms_id::kFirstWeapon) + old))
            EnableWindow(button, TRUE);
    m_pair.side[m_chooserSide].weaponSlot = int16_t(slot);
    if (HWND button = GetDlgItem(handle(), int(sel_attack_arms_id::kFirstWeapon) + slot))
        EnableWindow(button, FALSE);
    if (HWND execute = GetDlgItem(handle(), int(sel_attack_arms_id::kExecute)))
        EnableWindow(execute, TRUE);
    m_pair.computeValues(m_state);
    render();
    InvalidateRect(handle(), nullptr, FALSE);
}

// Dragged by any point: a right click on the body arrives as one on the frame and drops the choice.
const ui::WindowDescription& SelAttackArmsDialog::description() const
{
    static constexpr ui::WindowDescription kDescription { .placementKey = kPlacementPrefix, .drawn = true,
        .drag = ui::Drag::Anywhere };
    return kDescription;
}

int SelAttackArmsDialog::OnMessage(MessageRecord& msg)
{
    if (msg.message == WM_CTLCOLORSTATIC) {
        HDC dc = reinterpret_cast<HDC>(msg.wParam);
        SetTextColor(dc, 0x02FFFFFF);
        SetBkMode(dc, TRANSPARENT);
        msg.result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        return 1;
    }
    return PlayPopup::OnMessage(msg);
}

int SelAttackArmsDialog::OnCommand(MessageRecord& msg, UINT command, UINT code)
{
    if (command >= sel_attack_arms_id::kFirstWeapon && command < sel_attack_arms_id::kFirstWeapon + kWeaponSlotCount) {
        chooseSlot(int(command - sel_attack_arms_id::kFirstWeapon));
        return 1;
    }
    switch (command) {
    case sel_attack_arms_id::kExecute:
        if (m_pair.side[m_chooserSide].weaponSlot >= 0)
            end(1);
        return 1;
    default:
        return PlayPopup::OnCommand(msg, command, code);
    }
}
