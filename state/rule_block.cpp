// The rule file keys: "Name", "Date", "Time" and the 51 switch names.
#include "state/rule_block.h"

#include "platform/kernel/host.h"

namespace {

const char* const kKeysUtf8[kRuleKeyCount] = {
    "Name", "Date", "Time",
    "最低燃料消費", "ZOC", "ZOC攻撃武器必要", "索敵", "索敵階層化", "占領耐久度", "収納", "補給フェイズ",
    "補給軍事費消費", "相場", "隠蔽", "疲労度", "経験値", "生産可能建物の首都から距離",
    "首都隣接ヘックスでの生産", "爆撃", "ミサイルフェイズ", "スタック", "合流", "高速移動", "誤射",
    "包囲効果", "クリティカルヒット", "同盟国への攻撃占領", "壊滅建物の所属", "首都占領時の建物所属",
    "搭載可能となる建物所属", "搭載機数制限", "分散", "補充", "誤射による味方ダメージ", "迎撃",
    "陣営情報公開", "生産", "首都破壊", "昼夜区別", "部隊行動設定時", "初期生産", "補給線",
    "同盟国での生産", "同盟国での補充", "同盟国での修理", "同盟国での弾薬補給", "陣営フェーズランダム",
    "先制攻撃", "生産カウント", "間接地上攻撃地点目標", "補強", "修理", "同一陣営フェイズの連続",
    "生産数制限",
};

} // namespace

const std::array<std::string, kRuleKeyCount>& ruleFileKeys()
{
    static const std::array<std::string, kRuleKeyCount> keys = [] {
        std::array<std::string, kRuleKeyCount> converted;
        for (int i = 0; i < kRuleKeyCount; ++i)
            converted[i] = platform::utf8ToCp932(kKeysUtf8[i]);
        return converted;
    }();
    return keys;
}

const std::string& ruleSwitchName(int i)
{
    return ruleFileKeys()[3 + i];
}
