// The game's questions and announcements as message boxes in the game's words.
#include "app/main_window_prompts.h"

#include "app/window_helpers.h"
#include "platform/kernel/host.h"
#include "rules/combat_scene.h"
#include "rules/main_window_link.h"
#include "state/game_state.h"
#include "state/supply_order.h"
#include "state/unit_facts.h"

#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace prompts {

namespace {

std::string cp(const char* utf8) { return platform::utf8ToCp932(utf8); }

// printf into a CP932 string; the format is UTF-8, the string arguments CP932 already.
std::string format(const char* utf8_format, ...)
{
    std::string pattern = cp(utf8_format);
    char buffer[1024];
    va_list args;
    va_start(args, utf8_format);
    std::vsnprintf(buffer, sizeof buffer, pattern.c_str(), args);
    va_end(args);
    return buffer;
}

// A fixed-size name field, which need not end in a zero.
template <size_t N>
std::string field(const char (&text)[N])
{
    return std::string(text, strnlen(text, N));
}

std::string unitName(GameState& state, int side, int index)
{
    const UnitRecord* unit = state.unitOf(side, index);
    return unit && unitExists(*unit) ? field(unit->name) : std::string();
}

std::string countryName(GameState& state, int country)
{
    if (country < 0 || country >= kCountryCount)
        return std::string();
    return field(state.country(country).name);
}

int box(HWND owner, const std::string& text, const char* utf8_caption, UINT style)
{
    ModalIdleOff idle;
    return MessageBoxA(owner, text.c_str(), cp(utf8_caption).c_str(), style);
}

struct PhaseWords {
    const char* title;
    const char* text;
};

constexpr std::array<PhaseWords, 7> kPhases { {
    { "", "" },
    { "", "" },
    { "収入フェイズ", "【収入フェイズ】\n自国の建物から収入を得るフェイズです。\n軍資金は、部隊の補給/補充/修理/生産に使用します。" },
    { "補給フェイズ", "【補給フェイズ】\n自国の部隊に補給を行うフェイズです。\n燃料や弾薬の補給量に応じて、軍資金が消費されます。" },
    { "補充フェイズ", "【補充フェイズ】\n自国の部隊を修理/補充するフェイズです。\n修理や補充の度合いに応じて、軍資金が消費されます。" },
    { "行動フェイズ", "【行動フェイズ】\n自国の部隊を行動させるフェイズです。\n部隊の移動、戦闘や占領などを行う事が出来ます。" },
    { "生産フェイズ",
        "【生産フェイズ】\n自国の部隊を生産するフェイズです。\n「首都」｢空軍/陸軍/海軍」の基地で生産する事が出来ます。\n生産する兵器に応じて、軍資金が消費されます。" },
} };

constexpr std::array<const char*, 8> kGameEndWords {
    "の首都が制圧されました。",
    "の部隊が全滅しました。",
    "が勝利条件を達成しました。",
    "が降伏しました。",
    "の司令部が制圧されました。",
    "は勝利条件を達成できません。",
    "は全ての重要拠点を制圧されました。",
    "は全ての重要部隊を撃破されました。",
};

} // namespace

std::string incomeText(GameState& state, int income)
{
    int side = state.turnBlock().currentCountry;
    uint32_t funds = side < kCountryCount ? state.country(side).funds : 0;
    return format("%s\n収入：%d\n軍資金：%u", countryName(state, side).c_str(), income, funds);
}

std::string phaseTitle(int phase)
{
    return phase >= 0 && phase < int(kPhases.size()) ? cp(kPhases[size_t(phase)].title) : std::string();
}

std::string phaseText(int phase)
{
    return phase >= 0 && phase < int(kPhases.size()) ? cp(kPhases[size_t(phase)].text) : std::string();
}

std::string replenishText(GameState& state, const ReplenishOffer& offer, bool repair)
{
    std::string name = unitName(state, int(offer.country), int(offer.unitIndex));
    std::string cost = offer.free ? cp("（無償）") : std::string();
    if (repair)
        return format("「%s」を修理しますか？\n修理量：%d%s", name.c_str(), offer.repair, cost.c_str());
    return format("「%s」を補充しますか？\n補充数：%d%s", name.c_str(), offer.counters, cost.c_str());
}

std::string supplyText(GameState& state, const SupplyOrder& order)
{
    std::string name = unitName(state, int(order.country), int(order.unitIndex));
    return format("「%s」に補給を行いますか？\n燃料：%u\n弾薬など：%u", name.c_str(), order.firstAmount(),
        order.otherAmountsTotal());
}

std::string gameEndText(GameState& state, int country, int kind)
{
    if (kind < 0 || kind >= int(kGameEndWords.size()))
        return countryName(state, country);
    return countryName(state, country) + cp(kGameEndWords[size_t(kind)]);
}

void showIncome(HWND owner, GameState& state, int income) { box(owner, incomeText(state, income), "収入", MB_OK); }

void askReplenish(HWND owner, GameState& state, ReplenishOffer& offer)
{
    offer.acceptReplenish = 0;
    offer.acceptRepair = 0;
    if (offer.counters > 0)
        offer.acceptReplenish = box(owner, replenishText(state, offer, false), "補充", MB_YESNO) == IDYES ? 1 : 0;
    if (offer.repair > 0)
        offer.acceptRepair = box(owner, replenishText(state, offer, true), "修理", MB_YESNO) == IDYES ? 1 : 0;
}

void askSupply(HWND owner, GameState& state, SupplyOrder& order)
{
    if (box(owner, supplyText(state, order), "補給", MB_YESNO) == IDYES)
        return;
    for (SupplyPart& part : order.parts)
        part.chosen = 0;
}

bool askProductionOrders(HWND owner)
{
    return box(owner, cp("部隊の生産指示を行いますか？"), "確認", MB_YESNO) == IDYES;
}

void explainPhase(HWND owner, int phase)
{
    std::string text = phaseText(phase);
    if (text.empty())
        return;
    ModalIdleOff idle;
    MessageBoxA(owner, text.c_str(), phaseTitle(phase).c_str(), MB_OK);
}

} // namespace prompts
