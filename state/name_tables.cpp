// The built-in name tables, converted once to CP932, with the star ratings and strategy names.
#include "state/name_tables.h"

#include "state/game_state.h"

#include "platform/kernel/host.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::string> converted(std::initializer_list<const char*> utf8)
{
    std::vector<std::string> table;
    for (const char* text : utf8)
        table.push_back(platform::utf8ToCp932(text));
    return table;
}

constexpr uint32_t paletteRgb(uint32_t r, uint32_t g, uint32_t b) { return 0x02000000u | r | g << 8 | b << 16; }

constexpr uint32_t kColours[9] = {
    paletteRgb(198, 198, 198),
    paletteRgb(0, 80, 240),
    paletteRgb(224, 0, 0),
    paletteRgb(0, 160, 80),
    paletteRgb(200, 160, 0),
    paletteRgb(160, 0, 200),
    paletteRgb(0, 200, 240),
    paletteRgb(240, 144, 0),
    paletteRgb(240, 48, 160),
};

const char* const kColourNames[8] = { "BLUE", "RED", "GREEN", "YELLOW", "PURPLE", "CYAN", "ORANGE", "MAGENTA" };

const std::vector<std::string>& classNames()
{
    static const std::vector<std::string> names = converted({
        "要撃機", "戦闘機", "戦闘攻撃機", "攻撃機", "VTOL", "爆撃機", "電子戦機", "早期警戒機", "偵察機",
        "対潜哨戒機", "輸送機", "給油機", "弾道弾迎撃機", "攻撃ﾍﾘ", "兵員輸送ﾍﾘ", "大型輸送ﾍﾘ", "偵察ﾍﾘ",
        "対潜哨戒ﾍﾘ", "対潜哨戒ﾍﾘ", "主力戦車", "歩兵戦闘車", "兵員輸送車", "偵察車", "戦車駆逐車", "自走砲",
        "牽引野砲", "自走ﾛｹｯﾄ砲", "対地ﾐｻｲﾙ車両", "対空車両", "牽引対空砲", "自走対空ﾐｻｲﾙ", "対空ﾐｻｲﾙ車両",
        "対艦ﾐｻｲﾙ車両", "弾道ﾐｻｲﾙ車両", "弾頭", "ﾚｰﾀﾞｰ車両", "補給車", "歩兵", "工作部隊", "司令部", "戦艦",
        "ｲｰｼﾞｽ巡洋艦", "巡洋艦", "ｲｰｼﾞｽ駆逐艦", "駆逐艦", "ﾌﾘｹﾞｰﾄ", "ｺﾙﾍﾞｯﾄ", "高速ﾐｻｲﾙ艇", "空母", "ﾍﾘ空母",
        "揚陸艦", "ﾎﾊﾞｰｸﾗﾌﾄ", "輸送艦", "補給艦", "潜水艦", "戦略型潜水艦", "特殊潜航艇",
        // Movement types 0..23.
        "超高空", "高空", "低空", "キャタピラA", "キャタピラB", "キャタピラC", "キャタピラD", "キャタピラE",
        "キャタピラF", "車両A", "車両B", "車両C", "車両D", "車両E", "歩兵A", "歩兵B", "歩兵C", "海上A", "海上B",
        "海上C", "海中A", "海中B", "ホバークラフト", "ホバークラフトB",
    });
    return names;
}

} // namespace

const char* playerColourName(int country) { return country >= 0 && country < 8 ? kColourNames[country] : nullptr; }

uint32_t playerColourEntry(int entry) { return entry >= 0 && entry < 9 ? kColours[entry] : kColours[0]; }

uint32_t playerColourRef(int country) { return playerColourEntry(country >= 0 && country < 8 ? country + 1 : 0); }

const char* unitClassName(int i)
{
    const auto& names = classNames();
    return i >= 0 && size_t(i) < names.size() ? names[size_t(i)].c_str() : "";
}

const char* movementTypeName(int i) { return i >= 0 && i < kMovementTypeNameCount ? unitClassName(57 + i) : ""; }

const char* movementTypeShortName(int i)
{
    static const std::vector<std::string> tracked
        = converted({ "ｷｬﾀﾋﾟﾗA", "ｷｬﾀﾋﾟﾗB", "ｷｬﾀﾋﾟﾗC", "ｷｬﾀﾋﾟﾗD", "ｷｬﾀﾋﾟﾗE", "ｷｬﾀﾋﾟﾗF" });
    static const std::vector<std::string> hover = converted({ "ホバーA", "ホバーB" });
    if (i >= 3 && i <= 8)
        return tracked[size_t(i - 3)].c_str();
    if (i == 22 || i == 23)
        return hover[size_t(i - 22)].c_str();
    return movementTypeName(i);
}

int carryClassMask(const char* name)
{
    static const std::vector<std::string> names
        = converted({ "艦載", "VTOL", "ヘリ", "重車両", "車両", "軽車両", "歩兵", "ホバー" });
    static const int masks[] = { 224, 96, 32, 30, 14, 6, 2, 1 };
    for (size_t i = 0; name && i < names.size(); ++i)
        if (names[i] == name)
            return masks[i];
    return 0;
}

const char* starRatingText(int rating)
{
    static const std::vector<std::string> stars
        = converted({ "☆☆☆☆☆", "★☆☆☆☆", "★★☆☆☆", "★★★☆☆", "★★★★☆", "★★★★★" });
    return stars[size_t(std::clamp(rating, 0, 5))].c_str();
}

const char* computerStrategyName(int i)
{
    static const std::vector<std::string> names = converted({ "侵攻重視", "防御重視", "攻防均衡" });
    return names[size_t(std::clamp(i, 0, computerStrategyCount() - 1))].c_str();
}
