// PhaseResultWindow: the picture band, the gauge and its two timers; the members' values.
#include "dialogs/phase_result_window.h"

#include "dialogs/game_records.h"
#include "state/game_state.h"
#include "ui/dialog_templates.h"

#include <algorithm>

namespace {

constexpr int kFirstBandType = 31;
constexpr int kLastBandType = 51;
constexpr int kDefaultBand = 3;
constexpr int kTemporaryBridgeBand = 18;
constexpr int kPillboxBand = 19;
constexpr int kBarLeft = 264;
constexpr int kGaugeWidth = 128;

using game_records::terrainType;

int percentOf(int value, int maximum) { return maximum > 0 ? value * 100 / maximum : 100; }

// The structure of the kind: the temporary bridge for kind 10, else the pillbox.
int structureMaximum(const GameState& game, int kind)
{
    const auto& types = game.terrainTypes();
    int type = game.terrainRoles().pillbox;
    if (kind == kTerrainTemporaryBridge) {
        for (size_t i = 0; i < types.size(); ++i)
            if (types[i].kind == kTerrainTemporaryBridge) {
                type = int(i);
                break;
            }
    }
    return PhaseResultWindow::maximumDurability(game, type);
}

ResultGauge buildingGauge(const GameState& game, const BuildingRecord& after, const BuildingRecord& before)
{
    const int maximum = PhaseResultWindow::maximumDurability(game, before.type);
    return { percentOf(before.durability, maximum), percentOf(after.durability, maximum), 100, 64 + 10 * before.ownerPlusOne };
}

ResultGauge structureGauge(const GameState& game, int kind, int after, int before)
{
    const int maximum = structureMaximum(game, kind);
    return { percentOf(before, maximum), percentOf(after, maximum), 100, 64 };
}

ResultGauge occupationGauge(const GameState& game, const BuildingRecord& after, const BuildingRecord& before)
{
    const TerrainRecord* type = terrainType(game, before.type);
    return { before.occupationDurability, after.occupationDurability, type ? type->occupationValue : 0, 64 + 10 * before.ownerPlusOne };
}

int occupationBand(int type) { return type >= kFirstBandType && type <= kLastBandType ? type - kFirstBandType : kDefaultBand; }

} // namespace

PhaseResultWindow::PhaseResultWindow(const WindowContext& context, swCWindow* owner, const char* pictureFile, int band, const ResultGauge& gauge)
    : AnnouncementWindow(dialog_template::kPopup, owner)
    , m_game(context.game)
    , m_look(context.look)
    , m_gauge(gauge)
    , m_pictureFile(pictureFile)
    , m_band(std::clamp(band, 0, kBandCount - 1))
{
}

int PhaseResultWindow::buildingBand(const GameState& game, int type)
{
    const TerrainRecord* record = terrainType(game, type);
    return record && record->kind > kTerrainBuilding ? occupationBand(type) : kDefaultBand;
}

int PhaseResultWindow::maximumDurability(const GameState& game, int type)
{
    const TerrainRecord* record = terrainType(game, type);
    if (!record)
        return 0;
    return game.ruleOn(kRuleReinforcement) ? record->reinforcedDurability : record->durability;
}

int PhaseResultWindow::OnInitDialog()
{
    placeCentred(kWidth, kHeight);
    const int top = m_band * kHeight;
    m_canvas.load(m_look, m_pictureFile, { 0, top, kWidth, top + kHeight });
    PictureCanvas::loadPart(m_look, m_sheet, "income.bmp", { 0, 0, 392, 168 });
    PictureCanvas::loadPart(m_look, m_gaugeBackground, m_pictureFile, kGaugeArea);
    drawGauge();
    startTimers();
    return 1;
}

void PhaseResultWindow::drawBar(int value, int barRow)
{
    m_canvas.blit(kGaugeArea.left, kGaugeArea.top, m_gaugeBackground.handle(), { 0, 0, kGaugeWidth, 10 });
    const int maximum = m_gauge.maximum;
    // No maximum: nothing to measure against, so the bar is full rather than a division by 0.
    const int width = maximum > 0 ? std::clamp(value, 0, maximum) * kGaugeWidth / maximum : kGaugeWidth;
    if (width > 0)
        m_canvas.blit(kGaugeArea.left, kGaugeArea.top, m_sheet.handle(), { kBarLeft, barRow, kBarLeft + width, barRow + 10 });
    showCanvas(kGaugeArea);
}

void PhaseResultWindow::drawGauge() { drawBar(m_gauge.start, m_gauge.barRow); }

int PhaseResultWindow::gaugeValue() const
{
    const int& a = m_gauge.start;
    const int& b = m_gauge.end;
    return a <= b ? std::min(a + m_step, b) : std::max(a - m_step, b);
}

void PhaseResultWindow::startCloseTimer()
{
    m_closeTimerOn = 1;
    SetTimer(handle(), kCloseTimer, kCloseAfterMs, nullptr);
}

void PhaseResultWindow::startTimers()
{
    if (m_gauge.start == m_gauge.end) {
        startCloseTimer();
        return;
    }
    m_stepTimerOn = 1;
    SetTimer(handle(), kStepTimer, kStepMs, nullptr);
}

void PhaseResultWindow::stepGauge(bool toEnd)
{
    m_step = toEnd ? std::abs(m_gauge.end - m_gauge.start) : m_step + 1;
    const int value = gaugeValue();
    drawBar(value, m_gauge.barRow);
    if (value != m_gauge.end)
        return;
    KillTimer(handle(), kStepTimer);
    m_stepTimerOn = 0;
    startCloseTimer();
}

bool PhaseResultWindow::timerFired(UINT_PTR id)
{
    if (id == kStepTimer && m_stepTimerOn) {
        stepGauge(false);
        return true;
    }
    if (id != kCloseTimer || !m_closeTimerOn)
        return false;
    KillTimer(handle(), kCloseTimer);
    m_closeTimerOn = 0;
    closeWith(1);
    return true;
}

void PhaseResultWindow::destroying()
{
    KillTimer(handle(), kCloseTimer);
    KillTimer(handle(), kStepTimer);
    m_closeTimerOn = m_stepTimerOn = 0;
}

void PhaseResultWindow::clicked()
{
    if (m_closeTimerOn)
        closeWith(1);
    else if (m_stepTimerOn)
        stepGauge(true);
}

OccupationResultWindow::OccupationResultWindow(const WindowContext& context, swCWindow* owner, const BuildingRecord& after, const BuildingRecord& before)
    : PhaseResultWindow(context, owner, "occupation.bmp", occupationBand(before.type), occupationGauge(context.game, after, before))
    , m_pointsShown(context.game.ruleOn(kRuleOccupationPoints))
{
}

void OccupationResultWindow::drawGauge()
{
    if (m_pointsShown) {
        PhaseResultWindow::drawGauge();
        return;
    }
    // Without occupation points there is nothing to measure: the bar of the country taking it.
    const int country = std::clamp<int>(m_game.turnBlock().currentCountry, 0, kCountryCount - 1);
    m_gauge.maximum = 0;
    drawBar(0, 74 + 10 * country);
}

void OccupationResultWindow::startTimers()
{
    if (m_pointsShown)
        PhaseResultWindow::startTimers();
    else
        startCloseTimer();
}

BuildingEventWindow::BuildingEventWindow(const WindowContext& context, swCWindow* owner, const BuildingRecord& after, const BuildingRecord& before)
    : BuildingEventWindow(context, owner, "destruction.bmp", after, before)
{
}

BuildingEventWindow::BuildingEventWindow(const WindowContext& context, swCWindow* owner, const char* pictureFile, const BuildingRecord& after,
    const BuildingRecord& before)
    : PhaseResultWindow(context, owner, pictureFile, buildingBand(context.game, before.type), buildingGauge(context.game, after, before))
{
}

BuildingRepairWindow::BuildingRepairWindow(const WindowContext& context, swCWindow* owner, const BuildingRecord& after, const BuildingRecord& before)
    : BuildingEventWindow(context, owner, "repair.bmp", after, before)
{
}

BuildingReinforceWindow::BuildingReinforceWindow(const WindowContext& context, swCWindow* owner, const BuildingRecord& after, const BuildingRecord& before)
    : BuildingEventWindow(context, owner, "reinforcement.bmp", after, before)
{
}

UnitEventWindow::UnitEventWindow(const WindowContext& context, swCWindow* owner, int kind, int after, int before)
    : UnitEventWindow(context, owner, "destruction.bmp", kind, after, before)
{
}

UnitEventWindow::UnitEventWindow(const WindowContext& context, swCWindow* owner, const char* pictureFile, int kind, int after, int before)
    : PhaseResultWindow(context, owner, pictureFile, kind == kTerrainTemporaryBridge ? kTemporaryBridgeBand : kPillboxBand,
        structureGauge(context.game, kind, after, before))
{
}

UnitRepairWindow::UnitRepairWindow(const WindowContext& context, swCWindow* owner, int kind, int after, int before)
    : UnitEventWindow(context, owner, "repair.bmp", kind, after, before)
{
}

UnitReinforceWindow::UnitReinforceWindow(const WindowContext& context, swCWindow* owner, int kind, int after, int before)
    : UnitEventWindow(context, owner, "reinforcement.bmp", kind, after, before)
{
}
