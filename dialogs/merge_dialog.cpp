// MergeDialogBase and its merge and split: the window, the four buttons and the moves.
#include "dialogs/merge_dialog.h"

#include "dialogs/merge_layout.h"
#include "lib/media/bitmap_button.h"
#include "platform/kernel/host.h"
#include "rules/current_action.h"
#include "rules/machine_transfer.h"
#include "rules/rules_context.h"
#include "state/game_state.h"
#include "ui/dialog_templates.h"

namespace {

namespace mglayout = merge_layout;

const UnitRecord& unitOrEmpty(const GameState& state, int side, int index)
{
    static const UnitRecord none {};
    const UnitRecord* unit = state.unitOf(side, index);
    return unit ? *unit : none;
}

// What the acting unit's route to (x, y) burns; a hex outside its range costs nothing more.
int routeCost(GameState& state, const UnitRecord& unit, int x, int y)
{
    return routeFuelCost(state, unit, currentAction(state).routeCostTo(x, y));
}

} // namespace

MergeDialogBase::MergeDialogBase(const WindowContext& context, swCWindow* owner, int side, const char* utf8Caption)
    : PlayPopup(context, dialog_template::kMerge, owner, merge_id::kCancel)
    , m_side(side)
    , m_caption(utf8Caption)
{
}

MergeDialogBase::~MergeDialogBase() = default;

bool MergeDialogBase::moveLeft() { return false; }

bool MergeDialogBase::moveRight() { return false; }

int MergeDialogBase::rightCount() const { return m_transfer ? m_transfer->rightCount() : 0; }

bool MergeDialogBase::prepare() { return loadPanels(mglayout::kBackground, m_canvas, m_cleanPanel); }

int MergeDialogBase::OnInitDialog()
{
    placeWindow({ mglayout::kWidth, mglayout::kHeight }, kPlacementPrefix);
    if (!m_transfer) {
        end(0);
        return 1;
    }
    render();
    const bool made = makeControls([this] {
        new MergeButton(this, 0, merge_id::kToLeft, mglayout::kToLeftX, mglayout::kArrowY);
        new MergeButton(this, 1, merge_id::kToRight, mglayout::kToRightX, mglayout::kArrowY);
        new MergeButton(this, 2, merge_id::kExecute, mglayout::kExecuteX, mglayout::kCommandY);
        new MergeButton(this, 3, merge_id::kCancel, mglayout::kCancelX, mglayout::kCommandY);
    });
    if (!made)
        return 1;
    updateButtons();
    watchPlay();
    // The caption last: the window is complete once it bears its name.
    SetWindowTextA(handle(), platform::utf8ToCp932(m_caption).c_str());
    return 1;
}

void MergeDialogBase::updateButtons()
{
    const TransferButtons b = m_transfer->buttons();
    const std::pair<UINT, bool> states[3] = { { merge_id::kExecute, b.execute }, { merge_id::kToLeft, b.toLeft },
        { merge_id::kToRight, b.toRight } };
    for (const auto& [button, on] : states)
        if (HWND control = GetDlgItem(handle(), int(button)))
            EnableWindow(control, on ? TRUE : FALSE);
}

const ui::WindowDescription& MergeDialogBase::description() const
{
    static constexpr ui::WindowDescription kDescription { .placementKey = kPlacementPrefix, .drawn = true };
    return kDescription;
}

int MergeDialogBase::OnCommand(MessageRecord& msg, UINT command, UINT code)
{
    switch (command) {
    case merge_id::kToLeft:
    case merge_id::kToRight:
        if (command == merge_id::kToLeft ? moveLeft() : moveRight()) {
            render();
            InvalidateRect(handle(), nullptr, FALSE);
        }
        updateButtons();
        return 1;
    case merge_id::kExecute:
        if (m_transfer->buttons().execute)
            end(1);
        return 1;
    default:
        return PlayPopup::OnCommand(msg, command, code);
    }
}

MergeDialog::MergeDialog(const WindowContext& context, swCWindow* owner, int side, int index, int partnerIndex, int x, int y)
    : MergeDialogBase(context, owner, side, "合流")
{
    const UnitRecord& acting = unitOrEmpty(m_state, side, index);
    const UnitRecord& partner = unitOrEmpty(m_state, side, partnerIndex);
    const int actingCost = routeCost(m_state, acting, x, y);
    int partnerCost = currentAction(m_state).routeCostTo(partner.x, partner.y);
    // A partner's hex the range does not list is one step past the destination.
    if (partnerCost < 0)
        partnerCost = currentAction(m_state).routeCostTo(x, y) + m_state.terrainValueAt(partner.x, partner.y,
            acting.type().movementType);
    m_transfer = std::make_unique<MergeTransfer>(acting, partner, actingCost, routeFuelCost(m_state, acting, partnerCost));
}

bool MergeDialog::moveLeft() { return m_transfer->moveLeft(); }

bool MergeDialog::moveRight() { return m_transfer->moveRight(); }

SplitDialog::SplitDialog(const WindowContext& context, swCWindow* owner, int side, int index, int x1, int y1, int x2, int y2)
    : MergeDialogBase(context, owner, side, "分散")
{
    const UnitRecord& unit = unitOrEmpty(m_state, side, index);
    const int stayCost = routeCost(m_state, unit, x1, y1);
    int partCost = currentAction(m_state).routeCostTo(x2, y2);
    if (partCost < 0)
        partCost = currentAction(m_state).routeCostTo(x1, y1) + m_state.terrainValueAt(x2, y2, unit.type().movementType);
    m_transfer = std::make_unique<SplitTransfer>(unit, stayCost, routeFuelCost(m_state, unit, partCost));
}

bool SplitDialog::moveLeft() { return m_transfer->moveLeft(); }

bool SplitDialog::moveRight() { return m_transfer->moveRight(); }
