// The rule option rows of the full and the short panel, and the gates between switches.
#include "editors/rule_option_table.h"

#include <iterator>

namespace {

constexpr int kColumn2 = 192;
constexpr int kRowPitch = 30;

constexpr RuleOptionRow row(int page, int column, int rowNumber, int ruleSwitch, const char* label,
    const char* text0 = "なし", const char* text1 = "あり")
{
    return { page, column == 1 ? 0 : kColumn2, (rowNumber - 1) * kRowPitch, ruleSwitch, label, text0, text1 };
}

const RuleOptionRow kFullRows[] = {
    row(0, 1, 1, 32, "●陣営情報", "非公開", "公開"),
    row(0, 1, 2, 33, "●生産"),
    row(0, 1, 3, 13, "・生産可能建物は首都/司令部から", "８HEX以内", "無制限"),
    row(0, 1, 4, 9, "・相場"),
    row(0, 1, 5, 45, "・生産カウント"),
    row(0, 1, 6, 37, "・初期生産"),
    row(0, 1, 7, 50, "・生産数制限"),
    row(0, 1, 8, 6, "●収納"),
    row(0, 1, 9, 14, "・首都/司令部隣接ﾍｯｸｽでの生産"),
    row(0, 1, 10, 26, "・搭載及び発進可能な建物", "味方建物", "全建物"),
    row(0, 1, 11, 16, "●ミサイルフェイズ"),
    row(0, 2, 1, 8, "●補給で軍資金を消費", "しない", "する"),
    row(0, 2, 2, 38, "●補給線"),
    row(0, 2, 3, 5, "●占領耐久度"),
    row(0, 2, 4, 15, "●建物の破壊"),
    row(0, 2, 5, 34, "・首都の破壊"),
    row(0, 2, 6, 24, "・破壊された建物の所有国", "そのまま", "中立国"),
    row(0, 2, 7, 47, "・建物の補強"),
    row(0, 2, 8, 25, "●勝利条件達成時の敗北陣営建物", "達成国", "中立国"),
    row(0, 2, 9, 43, "●陣営フェイズランダム"),
    row(0, 2, 10, 49, "・同一陣営フェイズの連続"),
    row(0, 2, 11, 7, "●補給フェイズ"),
    row(1, 1, 1, 17, "●スタック"),
    row(1, 1, 2, 1, "●ZOC(支配地域)"),
    row(1, 1, 3, 2, "・ZOC発生に攻撃可能武器が", "不要", "必要"),
    row(1, 1, 4, 3, "●索敵"),
    row(1, 1, 5, 4, "・索敵の階層化"),
    row(1, 1, 6, 10, "・隠蔽"),
    row(1, 1, 7, 35, "●昼夜"),
    row(1, 1, 8, 27, "●搭載機数制限"),
    row(1, 2, 1, 29, "●補充"),
    row(1, 2, 2, 48, "●修理"),
    row(1, 2, 3, 11, "●疲労度"),
    row(1, 2, 4, 12, "●経験値"),
    row(1, 2, 5, 0, "●最低燃料消費", "1/2", "1/4"),
    row(1, 2, 6, 18, "●合流"),
    row(1, 2, 7, 28, "●分散"),
    row(1, 2, 8, 19, "●高速移動"),
    row(2, 1, 1, 31, "●迎撃"),
    row(2, 1, 2, 22, "●クリティカルヒット"),
    row(2, 1, 3, 20, "●誤射"),
    row(2, 1, 4, 30, "●味方命中時の損害"),
    row(2, 2, 1, 21, "●包囲効果"),
    row(2, 2, 2, 44, "●先制間接攻撃"),
    row(2, 2, 3, 46, "●地上指定攻撃"),
    row(3, 1, 1, 39, "●同盟陣営での生産"),
    row(3, 1, 2, 40, "●同盟陣営での補充"),
    row(3, 1, 3, 41, "●同盟陣営での修理"),
    row(3, 2, 1, 42, "●同盟陣営での弾薬補給"),
    row(3, 2, 2, 23, "●同盟陣営への占領／攻撃"),
};

const RuleOptionRow kShortRows[] = {
    { 0, 4, 0, 3, "●索敵", "なし", "あり" },
    { 0, 4, 30, 35, "●昼夜", "なし", "あり" },
    { 0, 4, 60, 12, "●経験値", "なし", "あり" },
    { 0, 196, 0, 31, "●迎撃", "なし", "あり" },
    { 0, 196, 30, 22, "●クリティカルヒット", "なし", "あり" },
    { 0, 196, 60, 20, "●誤射", "なし", "あり" },
};

const char* const kPageNames[] = { "陣営", "部隊", "攻撃", "同盟" };

// Production (33) carries the market, the count and its start, the limit and adjacent production;
// storage (6) rules out adjacent production and the boarding buildings; search (3) carries its
// layers and concealment; destruction (15) its three consequences.
const RuleGate kGates[] = {
    { 2, 1, 1 },
    { 4, 3, 1 },
    { 10, 3, 1 },
    { 14, 6, 0 },
    { 14, 33, 1 },
    { 26, 6, 0 },
    { 24, 15, 1 },
    { 34, 15, 1 },
    { 47, 15, 1 },
    { 13, 33, 1 },
    { 9, 33, 1 },
    { 45, 33, 1 },
    { 50, 33, 1 },
    { 37, 45, 1 },
    { 49, 43, 1 },
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

std::span<const RuleOptionRow> fullRuleOptionRows() { return kFullRows; }
std::span<const RuleOptionRow> shortRuleOptionRows() { return kShortRows; }
std::span<const char* const> ruleOptionPageNames() { return kPageNames; }
std::span<const RuleGate> ruleGates() { return kGates; }

void applyRuleGates(RuleOptionState& state)
{
    const auto gates = ruleGates();
    for (auto it = gates.begin(); it != gates.end();) {
        // The conditions of one switch stand together in the table.
        const int gated = it->ruleSwitch;
        bool open = true;
        for (; it != gates.end() && it->ruleSwitch == gated; ++it)
            open = open && state.values[size_t(it->parent)] == it->parentValue;
        state.enabled[size_t(gated)] = open;
        if (!open)
            state.values[size_t(gated)] = 0;
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
        state.values[size_t(i)] = block.switches[i] == 1 ? 1 : 0;
        state.enabled[size_t(i)] = editable;
    }
    if (editable)
        applyRuleGates(state);
    applyRuleLocks(state, lockStored, lockOnMap);
    return state;
}
