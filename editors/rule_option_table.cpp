// The rule option rows of the full and the short panel, and the gates between switches.
#include "editors/rule_option_table.h"

#include <vector>

namespace {

constexpr int kColumn2 = 192;
constexpr int kRowPitch = 30;

// Each switch's label and its two choices, by switch number; most choose between "なし" and "あり".
struct SwitchTexts {
    const char* label;
    const char* text0 = "なし";
    const char* text1 = "あり";
};

const SwitchTexts kSwitchTexts[kRuleSwitchCount] = {
    { "●最低燃料消費", "1/2", "1/4" },
    { "●ZOC(支配地域)" },
    { "・ZOC発生に攻撃可能武器が", "不要", "必要" },
    { "●索敵" },
    { "・索敵の階層化" },
    { "●占領耐久度" },
    { "●収納" },
    { "●補給フェイズ" },
    { "●補給で軍資金を消費", "しない", "する" },
    { "・相場" },
    { "・隠蔽" }, // 10
    { "●疲労度" },
    { "●経験値" },
    { "・生産可能建物は首都/司令部から", "８HEX以内", "無制限" },
    { "・首都/司令部隣接ﾍｯｸｽでの生産" },
    { "●建物の破壊" },
    { "●ミサイルフェイズ" },
    { "●スタック" },
    { "●合流" },
    { "●高速移動" },
    { "●誤射" }, // 20
    { "●包囲効果" },
    { "●クリティカルヒット" },
    { "●同盟陣営への占領／攻撃" },
    { "・破壊された建物の所有国", "そのまま", "中立国" },
    { "●勝利条件達成時の敗北陣営建物", "達成国", "中立国" },
    { "・搭載及び発進可能な建物", "味方建物", "全建物" },
    { "●搭載機数制限" },
    { "●分散" },
    { "●補充" },
    { "●味方命中時の損害" }, // 30
    { "●迎撃" },
    { "●陣営情報", "非公開", "公開" },
    { "●生産" },
    { "・首都の破壊" },
    { "●昼夜" },
    { "" }, // kHiddenRuleSwitch
    { "・初期生産" },
    { "●補給線" },
    { "●同盟陣営での生産" },
    { "●同盟陣営での補充" }, // 40
    { "●同盟陣営での修理" },
    { "●同盟陣営での弾薬補給" },
    { "●陣営フェイズランダム" },
    { "●先制間接攻撃" },
    { "・生産カウント" },
    { "●地上指定攻撃" },
    { "・建物の補強" },
    { "●修理" },
    { "・同一陣営フェイズの連続" },
    { "・生産数制限" }, // 50
};

// A column of a panel: its page, its left edge and its switches from the top, a row pitch apart.
struct PanelColumn {
    int page;
    int x;
    std::vector<int> switches;
};

const PanelColumn kFullColumns[] = {
    { 0, 0, { 32, 33, 13, 9, 45, 37, 50, 6, 14, 26, 16 } },
    { 0, kColumn2, { 8, 38, 5, 15, 34, 24, 47, 25, 43, 49, 7 } },
    { 1, 0, { 17, 1, 2, 3, 4, 10, 35, 27 } },
    { 1, kColumn2, { 29, 48, 11, 12, 0, 18, 28, 19 } },
    { 2, 0, { 31, 22, 20, 30 } },
    { 2, kColumn2, { 21, 44, 46 } },
    { 3, 0, { 39, 40, 41 } },
    { 3, kColumn2, { 42, 23 } },
};

const PanelColumn kShortColumns[] = {
    { 0, 4, { 3, 35, 12 } },
    { 0, 196, { 31, 22, 20 } },
};

std::vector<RuleOptionRow> rowsOf(std::span<const PanelColumn> columns)
{
    std::vector<RuleOptionRow> rows;
    for (const PanelColumn& column : columns) {
        int y = 0;
        for (int ruleSwitch : column.switches) {
            const SwitchTexts& texts = kSwitchTexts[ruleSwitch];
            rows.push_back({ column.page, column.x, y, ruleSwitch, texts.label, texts.text0, texts.text1 });
            y += kRowPitch;
        }
    }
    return rows;
}

const char* const kPageNames[] = { "陣営", "部隊", "攻撃", "同盟" };

// A parent switch, the value at which its dependants mean something, and those dependants: while
// the parent stands otherwise they are greyed and forced to 0. A dependant that is a parent itself
// comes after its own parent, so one pass settles a chain; a switch under two parents needs both.
struct RuleGate {
    int parent;
    int parentValue;
    std::vector<int> dependants;
};

// Production (33) carries the market, the count and its start, the limit and adjacent production;
// storage (6) rules out adjacent production and the boarding buildings; search (3) carries its
// layers and concealment; destruction (15) its three consequences.
const RuleGate kGates[] = {
    { 1, 1, { 2 } },
    { 3, 1, { 4, 10 } },
    { 6, 0, { 14, 26 } },
    { 15, 1, { 24, 34, 47 } },
    { 33, 1, { 14, 13, 9, 45, 50 } },
    { 45, 1, { 37 } },
    { 43, 1, { 49 } },
};

constexpr int kStorageLocked[] = { kRuleStoring, 14, kRuleBoardingOwnership };

} // namespace

bool rule_option_id::decodeButtonId(int id, int& ruleSwitch, int& value)
{
    const int offset = id - labelId(0);
    if (offset < 0 || offset % 3 == 0 || offset / 3 >= kRuleSwitchCount)
        return false;
    ruleSwitch = offset / 3;
    value = offset % 3 - 1;
    return true;
}

std::span<const RuleOptionRow> fullRuleOptionRows()
{
    static const std::vector<RuleOptionRow> rows = rowsOf(kFullColumns);
    return rows;
}

std::span<const RuleOptionRow> shortRuleOptionRows()
{
    static const std::vector<RuleOptionRow> rows = rowsOf(kShortColumns);
    return rows;
}

std::span<const char* const> ruleOptionPageNames() { return kPageNames; }

void applyRuleGates(RuleOptionState& state)
{
    for (const RuleGate& gate : kGates)
        for (int dependant : gate.dependants)
            state.enabled[size_t(dependant)] = true;
    for (const RuleGate& gate : kGates) {
        if (state.values[size_t(gate.parent)] == gate.parentValue)
            continue;
        for (int dependant : gate.dependants) {
            state.enabled[size_t(dependant)] = false;
            state.values[size_t(dependant)] = 0;
        }
    }
}

void applyRuleLocks(RuleOptionState& state, bool unitStored, bool unitOnMap)
{
    if (unitStored)
        for (int locked : kStorageLocked)
            state.enabled[size_t(locked)] = false;
    if (unitOnMap)
        state.enabled[kRuleStacking] = false;
}

RuleOptionState ruleOptionStateOf(const RuleBlock& block, bool editable, bool lockStored, bool lockOnMap)
{
    RuleOptionState state;
    for (int i = 0; i < kRuleSwitchCount; ++i) {
        // A row shows its right choice for 1 only.
        state.values[size_t(i)] = block.on(i) ? 1 : 0;
        state.enabled[size_t(i)] = editable;
    }
    if (editable)
        applyRuleGates(state);
    applyRuleLocks(state, lockStored, lockOnMap);
    return state;
}
