// The map renderer's unit pass: the top unit the viewer may see, its strength and the stack count.
#include "app/map_renderer_impl.h"

#include "state/game_state.h"
#include "state/rules_hooks.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <string>

using namespace map_render;

namespace {

constexpr int kSlots = 6;

// 3 x 5 digits, one row of three bits per line, top first.
constexpr uint8_t kDigits[10][5] = {
    { 7, 5, 5, 5, 7 }, { 2, 6, 2, 2, 7 }, { 7, 1, 7, 4, 7 }, { 7, 1, 7, 1, 7 }, { 5, 5, 7, 1, 1 },
    { 7, 4, 7, 1, 7 }, { 7, 4, 7, 5, 7 }, { 7, 1, 1, 1, 1 }, { 7, 5, 7, 5, 7 }, { 7, 5, 7, 1, 7 },
};
constexpr uint32_t kDigitColour = 0xFFFFFF;
constexpr uint32_t kDigitOutline = 0x101010;

bool digitBit(int digit, int col, int row)
{
    return col >= 0 && col < 3 && row >= 0 && row < 5 && (kDigits[digit][row] >> (2 - col) & 1);
}

} // namespace

int map_render::numberWidth(int value, int scale)
{
    return (int(std::to_string(std::max(value, 0)).size()) * 4 + 1) * scale;
}

void map_render::drawNumber(const Canvas& canvas, int value, int left, int top, int scale)
{
    const std::string digits = std::to_string(std::max(value, 0));
    // Digits three wide and one column apart, with a one-pixel outline all round.
    const int width = int(digits.size()) * 4 - 1;
    auto lit = [&](int ax, int ay) { return ax >= 0 && ax < width && digitBit(digits[size_t(ax / 4)] - '0', ax % 4, ay); };
    for (int py = -1; py <= 5; ++py)
        for (int px = -1; px <= width; ++px) {
            const bool on = lit(px, py);
            bool edge = false;
            for (int dy = -1; dy <= 1 && !on && !edge; ++dy)
                for (int dx = -1; dx <= 1 && !edge; ++dx)
                    edge = lit(px + dx, py + dy);
            if (!on && !edge)
                continue;
            for (int sy = 0; sy < scale; ++sy)
                for (int sx = 0; sx < scale; ++sx)
                    canvas.setPixel(left + (px + 1) * scale + sx, top + (py + 1) * scale + sy, on ? kDigitColour : kDigitOutline);
        }
}

int MapRenderer::Impl::visibleUnits(int x, int y, std::vector<UnitRef>& list) const
{
    const UnitCell* cell = state.unitCellAt(x, y);
    if (!cell)
        return 0;
    const bool fogged = fogActive();
    const bool seen = !fogged || hexSeen(x, y);
    StateRulesHooks* hooks = stateRulesHooks();
    const int slots = state.ruleOn(kRuleStacking) ? kSlots : 1;
    auto consider = [&](uint16_t word, uint16_t index) {
        if (!word)
            return;
        const int code = word >= 100 ? word : word - 1;
        const int country = code >= 100 ? code - 100 : code;
        const UnitRecord* unit = state.unitOf(code, index);
        if (!unit || !unitExists(*unit))
            return;
        if (fogged && country != viewer && !state.isAllied(country, viewer)) {
            if (!seen || (hooks && !hooks->isHexVisibleTo(state, code, index, viewer, x, y)))
                return;
        }
        list.push_back(UnitRef { uint16_t(code), index, uint16_t(country) });
    };
    const size_t before = list.size();
    for (int slot = 0; slot < slots; ++slot) {
        consider(cell->upperSide[slot], cell->upperUnit[slot]);
        consider(cell->lowerSide[slot], cell->lowerUnit[slot]);
    }
    return int(list.size() - before);
}

void MapRenderer::Impl::drawUnits(const Canvas& c, int x, int y) const
{
    std::vector<UnitRef> units;
    const int count = visibleUnits(x, y, units);
    if (count == 0)
        return;
    const ZoomSheets& s = current();
    const int size = map_sheet::kHexSize[zoom];
    const POINT at = geometry().hexOrigin(x, y);
    const UnitRecord& unit = *state.unitOf(units[0].table, units[0].index);
    const UnitTypeRecord* type = state.unitTypeOf(unit);
    int picture = type ? type->imageNumber : 0;
    if (picture < 0 || picture >= map_sheet::kUnitCells)
        picture = 0;
    c.blitCell(s.units, s.unitTinted[size_t(tintOfSide(units[0].table))], picture, 0, size, at);
}

// Strength at the lower right, the stack count at the upper left, inside the hex's waist; drawn
// last so that the selection's frame does not cover them. At the smallest zoom digits would cover
// the symbol, so they are left out.
void MapRenderer::Impl::drawUnitNumbers(const Canvas& c, int x, int y) const
{
    if (zoom == 0)
        return;
    std::vector<UnitRef> units;
    const int count = visibleUnits(x, y, units);
    if (count == 0)
        return;
    const int size = map_sheet::kHexSize[zoom];
    const POINT at = geometry().hexOrigin(x, y);
    const UnitRecord& unit = *state.unitOf(units[0].table, units[0].index);
    const UnitTypeRecord* type = state.unitTypeOf(unit);
    const int scale = zoom == 2 ? 2 : 1;
    const int boxHeight = 7 * scale;
    if (state.settings().mapOnTroopNum && type) {
        const int strength = strengthTenths(unit, *type);
        drawNumber(c, strength, at.x + size - numberWidth(strength, scale), at.y + size * 3 / 4 - boxHeight + scale, scale);
    }
    if (count > 1)
        drawNumber(c, count, at.x, at.y + size / 4 - scale, scale);
}
