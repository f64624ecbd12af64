// MergeDialogBase and its merge and split: the window, the four buttons and the moves.
#include "dialogs/merge_dialog.h"

#include "dialogs/merge_layout.h"
#include "lib/error.h"
#include "lib/media/bitmap_button.h"
#include "lib/media/picture_services.h"
#include "platform/kernel/host.h"
#include "rules/current_action.h"
#include "rules/machine_transfer.h"
#include "rules/rules_context.h"
#include "state/game_state.h"
#include "ui/dialog_templates.h"
#include "ui/window_kit.h"
#include "ui/window_services.h"

namespace {

namespace id = merge_id;
namespace layout = merge_layout;

constexpr UINT_PTR kPlayTimer = 1;

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

MergeDialogBase::MergeDialogBase(swCWindow* parent, GameState& game, int side, const char* utf8Caption)
    : KitWindow(dialog_template::kMerge, parent)
    , m_state(game)
    , m_side(side)
    , m_caption(utf8Caption)
{
    registerGameDialogTemplates();
}

MergeDialogBase::~MergeDialogBase() = default;

bool MergeDialogBase::moveLeft() { return false; }

bool MergeDialogBase::moveRight() { return false; }

int MergeDialogBase::rightCount() const { return m_transfer ? m_transfer->rightCount() : 0; }

INT_PTR MergeDialogBase::run()
{
    try {
        const std::string path = pictureServices().bitmapPath(layout::kBackground);
        m_canvas.bitmapLoadFile(path.c_str());
        m_cleanPanel.bitmapLoadFile(path.c_str());
    } catch (swCError* error) {
        error->Show(parent() ? parent()->handle() : nullptr);
        delete error;
        return 0;
    }
    setResult(0);
    CreateModal();
    return result();
}

void MergeDialogBase::end(int result)
{
    setResult(result);
    DestroyModal();
}

void MergeDialogBase::placeWindow()
{
    ui::centreWindow(*this, parent() ? parent()->handle() : nullptr, { layout::kWidth, layout::kHeight });
    windowRestorePlacement(kPlacementPrefix, false, false);
}

int MergeDialogBase::OnInitDialog()
{
    placeWindow();
    if (!m_transfer) {
        end(0);
        return 1;
    }
    render();
    try {
        new MergeButton(this, 0, id::kToLeft, layout::kToLeftX, layout::kArrowY);
        new MergeButton(this, 1, id::kToRight, layout::kToRightX, layout::kArrowY);
        new MergeButton(this, 2, id::kExecute, layout::kExecuteX, layout::kCommandY);
        new MergeButton(this, 3, id::kCancel, layout::kCancelX, layout::kCommandY);
    } catch (swCError* error) {
        error->Show(handle());
        delete error;
        end(0);
        return 1;
    }
    updateButtons();
    SetTimer(handle(), kPlayTimer, 100, nullptr);
    // The caption last: the window is complete once it bears its name.
    SetWindowTextA(handle(), platform::utf8ToCp932(m_caption).c_str());
    return 1;
}

void MergeDialogBase::updateButtons()
{
    const TransferButtons b = m_transfer->buttons();
    const std::pair<UINT, bool> states[3] = { { id::kExecute, b.execute }, { id::kToLeft, b.toLeft },
        { id::kToRight, b.toRight } };
    for (const auto& [button, on] : states)
        if (HWND control = GetDlgItem(handle(), int(button)))
            EnableWindow(control, on ? TRUE : FALSE);
}

const ui::WindowDescription& MergeDialogBase::description() const
{
    static constexpr ui::WindowDescription kDescription { .placementKey = kPlacementPrefix, .drawn = true };
    return kDescription;
}

int MergeDialogBase::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case WM_TIMER:
        if (msg.wParam != kPlayTimer)
            return 0;
        if (!m_state.handshake().playRunning())
            end(0);
        return 1;
    case WM_DESTROY:
        KillTimer(handle(), kPlayTimer);
        break;
    default:
        break;
    }
    return KitWindow::OnMessage(msg);
}

int MergeDialogBase::OnCommand(MessageRecord&, UINT command, UINT)
{
    switch (command) {
    case id::kToLeft:
    case id::kToRight:
        if (command == id::kToLeft ? moveLeft() : moveRight()) {
            render();
            InvalidateRect(handle(), nullptr, FALSE);
        }
        updateButtons();
        return 1;
    case id::kExecute:
        if (m_transfer->buttons().execute)
            end(1);
        return 1;
    case id::kCancel:
    case IDCANCEL:
        end(0);
        return 1;
    case IDOK:
        return 1;
    default:
        return 0;
    }
}

MergeDialog::MergeDialog(swCWindow* parent, GameState& game, int side, int index, int partnerIndex, int x, int y)
    : MergeDialogBase(parent, game, side, "合流")
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

SplitDialog::SplitDialog(swCWindow* parent, GameState& game, int side, int index, int x1, int y1, int x2, int y2)
    : MergeDialogBase(parent, game, side, "分散")
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
