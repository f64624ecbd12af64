// The rule files "tkrule\class0.rul" (normal mode) and "tkrule\simple.rul", and "anthem.lst".
#include "state/rule_block.h"
#include "tools/mkdata/generator.h"

#include "platform/kernel/host.h"

#include <string>
#include <utility>
#include <vector>

namespace mkdata::master {
namespace {


std::string ruleText(const char* name, const std::vector<std::pair<int, int>>& on)
{
    int values[kRuleSwitchCount] = {};
    for (auto [index, value] : on)
        values[index] = value;
    std::string text = platform::utf8ToCp932(std::string("Name=") + name + "\r\nDate=2026/12/07\r\nTime=09:00\r\n");
    // The switch names as the game reads them back, already CP932.
    for (int i = 0; i < kRuleSwitchCount; ++i)
        text += ruleSwitchName(i) + "=" + std::to_string(values[i]) + "\r\n";
    return text;
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
