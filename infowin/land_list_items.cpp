// The terrain list's items: offered by the rules, their marks and figures.
#include "infowin/land_list_items.h"

#include "infowin/game_options.h"
#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "state/terrain_record.h"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <vector>

namespace land_list {
namespace {


// Kinds: up to 10 ground, 11 works, 12 and up buildings.
constexpr int kLastGroundKind = 10;
constexpr int kFirstBuildingKind = 12;

// Rules 40..42 let allies use a building's replenishment, repair and ammunition.
// Rule 26 lets anyone land at a building.

struct Marks {
    std::string yes = platform::utf8ToCp932("○");
    std::string no = platform::utf8ToCp932("×");
    std::string allied = platform::utf8ToCp932("味");
    std::string own = platform::utf8ToCp932("自");
    std::string all = platform::utf8ToCp932("全");
};

const Marks& marks()
{
    static const Marks instance;
    return instance;
}

std::string figure(const char* format, int value)
{
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string serviceMark(GameState& state, int i, uint16_t mask, int kind)
{
    if (mask == 0)
        return marks().no;
    if (i == 8)
        return kind < kFirstBuildingKind ? marks().yes : marks().allied;
    if (kind < kFirstBuildingKind)
        return marks().yes;
    return state.ruleOn(RuleSwitch(kRuleAlliedReplenish + (i - 5))) ? marks().allied : marks().own;
}

std::string flagMark(bool set) { return set ? marks().yes : marks().no; }

std::string landingMark(GameState& state, bool set, int kind)
{
    if (!set)
        return marks().no;
    if (kind < kFirstBuildingKind)
        return marks().yes;
    return state.ruleOn(kRuleBoardingOwnership) ? marks().all : marks().allied;
}

std::string sightText(const GameState& state, const TerrainRecord& t)
{
    const uint8_t* sight = t.groupValues;
    if (ruleInEffect(state, kRuleSightLayers)) {
        char text[40];
        std::snprintf(text, sizeof text, "%d/%d/%d/%d/%d/%d", sight[0], sight[1], sight[2], sight[3], sight[4], sight[5]);
        return text;
    }
    return figure("%d", *std::max_element(sight, sight + kUnitTypeGroupCount));
}

} // namespace

std::vector<int> terrainsByListOrder(GameState& state)
{
    const std::vector<TerrainRecord>& types = state.terrainTypes();
    std::vector<int> order(types.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return types[size_t(a)].number < types[size_t(b)].number; });
    return order;
}

const TerrainRecord* rowTerrain(const GameState& state, int itemId, uint64_t itemData)
{
    if (itemId < 0 || itemData >= state.terrainTypes().size())
        return nullptr;
    return &state.terrainTypes()[size_t(itemData)];
}

bool isItemOffered(GameState& state, int i)
{
    switch (i) {
    case 0: return !state.handshake().playRunning() || state.mapHeader().buildingIncome == 1;
    case 1: return ruleInEffect(state, kRuleSearch);
    case 2: return ruleInEffect(state, kRuleOccupationPoints);
    case 3: return ruleInEffect(state, kRuleBombing);
    case 4: return ruleInEffect(state, kRuleStoring);
    case 5: return ruleInEffect(state, kRuleReplenishing);
    case 6: return ruleInEffect(state, kRuleRepairing);
    case 9: return ruleInEffect(state, kRuleConcealment);
    default: return i >= 0 && i < kItemCount;
    }
}

uint32_t effectiveItems(GameState& state, uint32_t displayMask)
{
    uint32_t effective = 0;
    for (int i = 0; i < kItemCount; ++i)
        if ((displayMask >> i & 1) && isItemOffered(state, i))
            effective |= 1u << i;
    return effective;
}

int columnWidth(uint32_t effective)
{
    int width = kNameWidth + kClosingWidth;
    for (int i = 0; i < kItemCount; ++i)
        if (effective >> i & 1)
            width += kItems[i].width;
    return width;
}

std::string itemText(GameState& state, int i, const TerrainRecord& t)
{
    const int kind = t.kind;
    const bool ground = kind <= kLastGroundKind;
    switch (i) {
    case 0: return ground ? "-" : figure("%4d", t.income);
    case 1: return ground ? "-" : sightText(state, t);
    case 2: return ground ? "-" : figure("%2d", t.occupationValue);
    case 3: return ground && t.durability == 0 ? "-" : figure("%2d", t.durability);
    case 4: return ground ? "-" : figure("%d", t.capacity);
    case 5: return serviceMark(state, i, t.replenishMask, kind);
    case 6: return serviceMark(state, i, t.repairMask, kind);
    case 7: return serviceMark(state, i, t.rearmMask, kind);
    case 8: return serviceMark(state, i, t.refuelMask, kind);
    case 9: return flagMark(t.flags & 0x01);
    case 10: return flagMark(t.flags & 0x10);
    case 11: return landingMark(state, t.flags & 0x08, kind);
    case 12: return landingMark(state, t.flags & 0x04, kind);
    case 13: return flagMark(t.flags & 0x20);
    case 14: return flagMark(t.flags & 0x40);
    case 15: return flagMark(t.flags & 0x80);
    default: return {};
    }
}

} // namespace land_list
