// The control panel's lines, formatted from the game state's records.
#include "app/control_panel_facts.h"

#include "platform/kernel/host.h"
#include "rules/game_thread.h"
#include "rules/targets.h"
#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/name_tables.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <cstring>

namespace {

constexpr COLORREF kFactText = RGB(236, 236, 220);
constexpr COLORREF kFactGreyText = RGB(130, 132, 124);

std::string jp(const char* utf8) { return platform::utf8ToCp932(utf8); }

// Names in records fill their field without a terminator when they are long enough.
template <size_t N> std::string fieldText(const char (&field)[N]) { return std::string(field, strnlen(field, N)); }

std::string countryName(GameState& state, int side)
{
    if (side == kCountryCount)
        return jp("中立");
    if (side < 0 || side > kCountryCount)
        return {};
    return fieldText(state.country(side).name);
}

std::string fraction(int value, int full) { return std::to_string(value) + "/" + std::to_string(full); }

PanelLine line(std::string text, COLORREF colour = kFactText) { return { std::move(text), colour, false }; }

} // namespace

const char* phaseName(int phase)
{
    static const auto names = [] {
        std::array<std::string, 8> out;
        const char* utf8[8] = { "開始フェイズ", "ミサイルフェイズ", "収入フェイズ", "補給フェイズ", "補充フェイズ",
            "行動フェイズ", "生産フェイズ", "終了フェイズ" };
        for (size_t i = 0; i < out.size(); ++i)
            out[i] = jp(utf8[i]);
        return out;
    }();
    return phase >= 0 && phase < 8 ? names[size_t(phase)].c_str() : "";
}

std::vector<PanelLine> sideFactLines(GameState& state)
{
    std::vector<PanelLine> lines;
    if (state.mapWidth() <= 0)
        return lines;
    const TurnBlock& turn = state.turnBlock();
    const int side = turn.currentCountry;
    lines.push_back({ countryName(state, side), playerColourRef(side), true });
    // A game that ran out of turns counts one past the limit; the last turn played is the limit.
    const int limit = mapTurnLimit(state);
    const int shown = limit > 0 ? std::min<int>(turn.turn, limit) : turn.turn;
    lines.push_back(line(jp("第") + std::to_string(shown) + jp("ターン　") + jp(state.isNightTurn() ? "夜" : "昼")));
    lines.push_back(line(phaseName(turn.phase)));
    // Another country's funds are hidden as in the country information window.
    if (side >= 0 && side < kCountryCount) {
        const bool shown = ViewerView(state).knowsFigures(side);
        lines.push_back(line(jp("資金　") + (shown ? std::to_string(state.country(side).funds) : "????????")));
    }
    return lines;
}

std::vector<PanelLine> unitFactLines(GameState& state, int side, int index)
{
    // A computer's acting unit is shown here too: one the viewer may not see stays unnamed.
    const UnitRecord* unit = state.unitOf(side, index);
    if (!unit || !unitExists(*unit) || !ViewerView(state).seesUnit(side, index))
        return { line(jp("部隊未選択"), kFactGreyText) };
    const UnitTypeRecord& type = unit->type();
    std::vector<PanelLine> lines;
    const std::string name = fieldText(unit->name);
    const std::string typeName = fieldText(type.name);
    lines.push_back({ name.empty() ? typeName : name, playerColourRef(side), true });
    if (!name.empty() && name != typeName)
        lines.push_back(line(typeName));
    const HeldFigure machines = heldMachines(*unit);
    lines.push_back(line(jp("機数　") + fraction(machines.now, machines.most)));
    lines.push_back(
        line(jp("練度　") + experienceMark(experienceLevel(*unit)) + " (" + std::to_string(unit->experience) + ")"));
    const HeldFigure fuel = heldFuel(*unit);
    lines.push_back(line(jp("燃料　") + (fuel.most > 0 ? fraction(fuel.now, fuel.most) : jp("－"))));
    std::string ammo;
    for (int slot = 0; slot < kWeaponSlotCount; ++slot) {
        if (!unit->slotWeaponOrBase(slot))
            continue;
        const HeldFigure held = heldAmmunition(*unit, slot);
        ammo += (ammo.empty() ? "" : " ") + fraction(held.now, held.most);
    }
    lines.push_back(line(jp("弾薬　") + (ammo.empty() ? jp("－") : ammo)));
    const bool acted = unit->hasFlag(kUnitActed);
    lines.push_back(line(jp(acted ? "行動済" : "未行動"), acted ? kFactGreyText : kFactText));
    return lines;
}

std::vector<PanelLine> hexFactLines(GameState& state, int x, int y, const UnitRecord* unit)
{
    const TerrainRecord* terrain = state.isOnMap(x, y) ? state.terrainTypeAt(x, y) : nullptr;
    if (!terrain)
        return { line(jp("ヘックス未選択"), kFactGreyText) };
    std::vector<PanelLine> lines;
    lines.push_back({ fieldText(terrain->name), kFactText, true });
    lines.push_back(line(jp("座標　(") + std::to_string(x) + ", " + std::to_string(y) + ")"));
    if (const BuildingRecord* building = state.buildingOnHex(x, y)) {
        const TerrainRecord* kind = building->terrain();
        // A building's hex usually has the building's own terrain type, named in the heading already.
        if (kind && kind != terrain)
            lines.push_back(line(jp("建物　") + fieldText(kind->name)));
        const int owner = building->owner();
        if (owner >= 0 && owner < kCountryCount)
            lines.push_back({ jp("所属　") + countryName(state, owner), playerColourRef(owner), false });
        else
            lines.push_back(line(jp("所属　なし")));
        lines.push_back(line(jp("耐久　") + fraction(building->durability, kind ? kind->durability : 0)));
    }
    if (unit && unit->type().movementType < kMovementTypeCount) {
        const int evasion = terrain->evasion[unit->type().movementType];
        lines.push_back(line(jp("防御　+") + std::to_string(evasion) + "%"));
    }
    return lines;
}
