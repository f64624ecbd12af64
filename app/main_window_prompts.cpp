// The game's questions and announcements still told in message boxes, in the game's words.
#include "app/main_window_prompts.h"

#include "app/window_helpers.h"
#include "platform/kernel/host.h"
#include "rules/combat_scene.h"
#include "rules/main_window_link.h"
#include "state/game_state.h"

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

// A side the viewing country sees is named with its country; a hidden one stays unknown.
std::string sideLine(GameState& state, const BattleSceneSide& side)
{
    if (side.country < 0 || side.country > kCountryCount)
        return cp("不明な部隊");
    const std::string country = side.country == kCountryCount ? cp("中立") : countryName(state, side.country);
    std::string weapon = side.weaponSlot >= 0 ? field(side.weaponName) : cp("なし");
    return format("%s　%s（%s）　兵器：%s　戦力 %d.%d → %d.%d", country.c_str(), field(side.unitName).c_str(),
        field(side.typeName).c_str(), weapon.c_str(), side.tenthsBefore / 10, side.tenthsBefore % 10, side.tenthsAfter / 10,
        side.tenthsAfter % 10);
}

} // namespace

std::string battleText(GameState& state, const BattleSceneSide& attacker, const BattleSceneSide& defender)
{
    return cp("攻撃側：") + sideLine(state, attacker) + "\n" + cp("防御側：") + sideLine(state, defender);
}

bool askProductionOrders(HWND owner)
{
    return box(owner, cp("部隊の生産指示を行いますか？"), "確認", MB_YESNO) == IDYES;
}

void showBattle(HWND owner, GameState& state, const BattleSceneSide& attacker, const BattleSceneSide& defender)
{
    box(owner, battleText(state, attacker, defender), "戦闘結果", MB_OK);
}

} // namespace prompts
