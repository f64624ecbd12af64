// FillTroopWindow: the preview of repair and replenishment and the choice buttons.
#include "dialogs/fill_troop_window.h"

#include "state/game_state.h"
#include "state/unit_facts.h"
#include "ui/presentation.h"

#include <algorithm>

namespace {

constexpr int kMachineSlots = 10;
constexpr RECT kServicePart { 40, 116, 276, 180 };

// A machine's 16-pixel icon and its strength beside it, on the grid of the part starting at top.
void drawMachine(PictureCanvas& canvas, const swCBitmap* sheet, const RECT& icon, int i, int top, int strength, HFONT font)
{
    const int x = 84 + 40 * (i % 5);
    const int y = top + 24 * (i / 5);
    if (sheet)
        canvas.blitKeyed(x, y, sheet->handle(), icon);
    canvas.text({ x + 20, y + 4, x + 32, y + 16 }, formatNumber("%2lld", strength), RGB(255, 255, 255), font,
        DT_RIGHT | DT_SINGLELINE);
}

} // namespace

ReplenishPreview previewReplenish(const GameState& state, const ReplenishOffer& offer)
{
    ReplenishPreview preview;
    const UnitRecord* unit = state.unitOf(int(offer.country), int(offer.unitIndex));
    if (!unit || !unitExists(*unit) || offer.country >= uint32_t(kCountryCount))
        return preview;
    const UnitTypeRecord& type = unit->type();
    const CountryRecord& country = state.country(int(offer.country));
    const int full = type.memberStrength;
    int points = offer.acceptRepair ? std::max(offer.repair, 0) : 0;
    for (int m = 0; m < kMachineSlots; ++m) {
        int value = unit->memberStrengths[m];
        if (value == 0)
            continue;
        if (value < full) {
            const int raise = std::min(points, full - value);
            value += raise;
            points -= raise;
        }
        preview.strengths.push_back(value);
    }
    const int64_t funds = country.funds;
    if (offer.acceptRepair && !offer.free && full > 0)
        preview.repairCost = int64_t(offer.repair) * unitTypeCost(type, country, 1, 10) / full;
    int64_t machineCost = 0;
    if (offer.acceptReplenish && offer.counters > 0) {
        const int64_t price = unitTypeCost(type, country, 1, type.members);
        int64_t n = offer.counters;
        // What the repair leaves pays for the machines; nothing left buys none.
        if (price * n > funds - preview.repairCost)
            n = std::max<int64_t>(funds - preview.repairCost, 0) / price;
        preview.newMachines = int(std::min<int64_t>(n, kMachineSlots - int64_t(preview.strengths.size())));
        machineCost = price * preview.newMachines;
    }
    for (int i = 0; i < preview.newMachines; ++i)
        preview.strengths.push_back(full);
    preview.machinesAfter = int(preview.strengths.size());
    preview.producedWith = unit->memberLimit;
    preview.totalCost = preview.repairCost + machineCost;
    preview.fundsLeft = std::max<int64_t>(funds - preview.totalCost, 0);
    return preview;
}

FillTroopWindow::FillTroopWindow(const WindowContext& context, swCWindow* owner, ReplenishOffer& offer)
    : ServicePopup(context, owner, int(offer.country), int(offer.unitIndex))
    , m_offer(offer)
{
    m_offer.acceptRepair = m_offer.repair > 0 ? 1 : 0;
    m_offer.acceptReplenish = m_offer.counters > 0 ? 1 : 0;
}

int FillTroopWindow::OnInitDialog()
{
    placeCentred(kWidth, kHeight);
    m_canvas.load(m_look, "filltroop.bmp", { 0, 0, kWidth, kHeight });
    drawFixedPart();
    addButtons<FillTroopButton72x24, FillTroopButton104x28>(kRepairOnly, 192, 230);
    showChoice();
    return 1;
}

void FillTroopWindow::drawFixedPart()
{
    drawUnitHeading(12, 14, { 84, 12, 276, 24 }, { 84, 32, 276, 44 });
    const UnitRecord* record = unit();
    if (!record)
        return;
    const GameState& state = m_game;
    const swCBitmap* sheet = m_look.baseBitmap(kCategorySheet);
    const int column = unitBitmapIndex(state, record->type());
    const RECT icon { column * 16, (m_side + 1) * 16, column * 16 + 16, (m_side + 2) * 16 };
    drawFigure({ 40, 56, 70, 68 }, formatPair("%2lld/%2lld", strengthSlotCount(*record), record->memberLimit));
    int i = 0;
    for (int m = 0; m < kMachineSlots; ++m)
        if (record->memberStrengths[m] != 0)
            drawMachine(m_canvas, sheet, icon, i++, 52, record->memberStrengths[m], font());
}

void FillTroopWindow::drawServicePart()
{
    m_canvas.restore(kServicePart);
    const UnitRecord* record = unit();
    if (!record)
        return;
    const GameState& state = m_game;
    const ReplenishPreview preview = previewReplenish(state, m_offer);
    const swCBitmap* sheet = m_look.baseBitmap(kCategorySheet);
    const int column = unitBitmapIndex(state, record->type());
    const RECT icon { column * 16, (m_side + 1) * 16, column * 16 + 16, (m_side + 2) * 16 };
    for (size_t i = 0; i < preview.strengths.size(); ++i)
        drawMachine(m_canvas, sheet, icon, int(i), 116, preview.strengths[i], font());
    drawFigure({ 40, 120, 70, 132 }, formatPair("%2lld/%2lld", preview.machinesAfter, preview.producedWith));
    drawFigure({ 40, 168, 76, 180 }, formatNumber("%6lld", preview.totalCost));
    drawFigure({ 184, 168, 238, 180 }, formatNumber("%9lld", preview.fundsLeft));
    showCanvas(kServicePart);
    showCanvas({ 184, 168, 238, 180 });
}

// The buttons show the combination chosen; a service not offered cannot be chosen.
void FillTroopWindow::showChoice()
{
    const bool repair = m_offer.repair > 0;
    const bool replenish = m_offer.counters > 0;
    showChoices(kRepairOnly, {
        { repair, m_offer.acceptRepair && !m_offer.acceptReplenish },
        { replenish, !m_offer.acceptRepair && m_offer.acceptReplenish },
        { repair && replenish, m_offer.acceptRepair && m_offer.acceptReplenish },
    });
    drawServicePart();
}

bool FillTroopWindow::choose(UINT id)
{
    if (id != kRepairOnly && id != kReplenishOnly && id != kBoth)
        return false;
    m_offer.acceptRepair = (id != kReplenishOnly && m_offer.repair > 0) ? 1 : 0;
    m_offer.acceptReplenish = (id != kRepairOnly && m_offer.counters > 0) ? 1 : 0;
    showChoice();
    return true;
}

void FillTroopWindow::refuse()
{
    m_offer.acceptRepair = 0;
    m_offer.acceptReplenish = 0;
}
