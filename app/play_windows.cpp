// The popups of play run for the main window: income, replenishment, supply and the phase help.
#include "app/play_windows.h"

#include "dialogs/fill_troop_window.h"
#include "dialogs/phase_help_dialog.h"
#include "dialogs/supply_troop_window.h"
#include "infowin/income_window.h"
#include "lib/window.h"
#include "rules/main_window_link.h"
#include "state/supply_order.h"

namespace play_windows {

namespace {

swCWindow* ownerOf(HWND owner) { return owner ? windowFromHandle(owner) : nullptr; }

} // namespace

void showIncome(const WindowContext& context, HWND owner, int32_t income)
{
    if (!owner)
        return;
    IncomeWindow window(context, ownerOf(owner), income);
    window.run();
}

void askReplenish(const WindowContext& context, HWND owner, ReplenishOffer& offer)
{
    if (!owner) {
        offer.acceptReplenish = offer.acceptRepair = 0;
        return;
    }
    FillTroopWindow window(context, ownerOf(owner), offer);
    if (!window.run()) {
        // No window could be shown: nothing is done rather than something unasked.
        offer.acceptReplenish = offer.acceptRepair = 0;
    }
}

void askSupply(const WindowContext& context, HWND owner, SupplyOrder& order)
{
    if (!owner) {
        for (SupplyPart& part : order.parts)
            part.chosen = 0;
        return;
    }
    SupplyTroopWindow window(context, ownerOf(owner), order);
    if (!window.run())
        window.refuse();
}

void explainPhase(const WindowContext& context, HWND owner)
{
    if (!owner)
        return;
    PhaseHelpDialog dialog(context, ownerOf(owner));
    dialog.run();
}

} // namespace play_windows
