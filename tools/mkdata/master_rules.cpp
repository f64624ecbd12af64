// The rule files "tkrule\class0.rul" (normal mode) and "tkrule\simple.rul", and "anthem.lst".
#include "tools/mkdata/generator.h"

#include "platform/kernel/host.h"

#include <string>
#include <utility>
#include <vector>

namespace mkdata::master {
namespace {

const char* const kSwitchNames[51] = {
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

std::string ruleText(const char* name, const std::vector<std::pair<int, int>>& on)
{
    int values[51] = {};
    for (auto [index, value] : on)
        values[index] = value;
    std::string text = std::string("Name=") + name + "\r\nDate=2026/12/07\r\nTime=09:00\r\n";
    for (int i = 0; i < 51; ++i)
        text += std::string(kSwitchNames[i]) + "=" + std::to_string(values[i]) + "\r\n";
    return platform::utf8ToCp932(text);
}

void writeRules(const std::filesystem::path& programFolder)
{
    // Normal mode: search, supply, stacking and the other rules a full game plays with.
    writeFile(programFolder / "tkrule" / "class0.rul",
        ruleText("標準ルール", { { 0, 1 }, { 1, 1 }, { 3, 1 }, { 5, 1 }, { 6, 1 }, { 7, 1 }, { 9, 1 }, { 12, 1 },
                                  { 15, 1 }, { 16, 1 }, { 17, 1 }, { 18, 1 }, { 22, 1 }, { 28, 1 }, { 29, 1 },
                                  { 31, 1 }, { 33, 1 }, { 35, 1 }, { 38, 1 }, { 44, 1 }, { 47, 1 }, { 48, 1 } }));
    writeFile(programFolder / "tkrule" / "simple.rul",
        ruleText("シンプルルール", { { 1, 1 }, { 6, 1 }, { 29, 1 }, { 33, 1 }, { 48, 1 } }));
}

void writeAnthems(const std::filesystem::path& programFolder)
{
    const char* const names[] = { "青の行進", "赤の讃歌", "緑の大地", "黄金の旗", "紫の誓い", "水色の空", "橙の夜明け", "紅の凱歌" };
    std::string text;
    for (int i = 0; i < 8; ++i)
        text += std::string(names[i]) + ",tkbgm\\anthem" + std::to_string(i + 1) + ".wav\r\n";
    writeFile(programFolder / "anthem.lst", platform::utf8ToCp932(text));
}

} // namespace

MKDATA_GENERATOR("master_rules", writeRules);
MKDATA_GENERATOR("master_anthems", writeAnthems);

} // namespace mkdata::master
