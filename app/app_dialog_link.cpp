// AppDialogLink: event notices, results and the game-end announcement as boxes; the briefing, the
// map settings list and the closing news in their own windows.
#include "app/app_dialog_link.h"

#include "app/main_window_prompts.h"
#include "app/main_window_rules_link.h"
#include "app/window_helpers.h"
#include "dialogs/briefing_dialog.h"
#include "dialogs/map_settings_flow.h"
#include "dialogs/news_dialog.h"
#include "dialogs/sel_attack_arms_dialog.h"
#include "infowin/window_services.h"
#include "platform/kernel/host.h"
#include "rules/combat_pair.h"
#include "state/building_record.h"
#include "state/game_state.h"
#include "state/terrain_record.h"
#include "state/unit_facts.h"

#include <array>
#include <cstring>

namespace {

std::string cp(const char* utf8) { return platform::utf8ToCp932(utf8); }

template <size_t N>
std::string field(const char (&text)[N])
{
    return std::string(text, strnlen(text, N));
}

// Kinds 0..16; the notices that name a unit put its name in front.
struct Notice {
    const char* text;
    bool namesUnit;
};

constexpr std::array<Notice, 17> kNotices { {
    { "燃料切れで墜落しました。", true },
    { "増援部隊が到着しました。", false },
    { "目標地点に到着しました。", true },
    { "民間人を目標地点に輸送しました。", true },
    { "目標地点に到着しました。", true },
    { "攻撃が目標を外れました。", true },
    { "敵部隊に遭遇しました。", true },
    { "敵部隊の迎撃に遇いました。", true },
    { "目標地点に到着しました。", true },
    { "オート移動が出来ません。", true },
    { "オート移動が終了しました。", true },
    { "地雷を除去しました。", true },
    { "機雷を除去しました。", true },
    { "", false },
    { "ミサイル攻撃により不可侵条約が破棄されました。", false },
    { "地雷原に進入しました。", true },
    { "機雷原に進入しました。", true },
} };

std::string countryName(GameState& state, int country)
{
    return country >= 0 && country < kCountryCount ? field(state.country(country).name) : std::string();
}

std::string buildingName(const BuildingRecord& building)
{
    const TerrainRecord* terrain = building.terrain();
    std::string name = terrain ? field(terrain->name) : std::string();
    return name.empty() ? cp("建物") : name;
}

const char* resultVerb(BuildingResult kind)
{
    switch (kind) {
    case BuildingResult::Demolished: return "を破壊しました。";
    case BuildingResult::Repaired: return "を修復しました。";
    case BuildingResult::Reinforced: return "を強化しました。";
    }
    return "";
}

std::string durabilityNote(int before, int after)
{
    return cp("（耐久度 ") + std::to_string(before) + cp(" → ") + std::to_string(after) + cp("）");
}

} // namespace

AppDialogLink::AppDialogLink(AppMainWindowLink& main)
    : m_main(main)
{
}

std::string AppDialogLink::noticeText(GameState& state, int kind, int a, int b)
{
    if (kind == 13)
        return countryName(state, a) + cp("陣営が") + countryName(state, b) + cp("陣営領に進入しました。");
    if (kind < 0 || kind >= int(kNotices.size()))
        return std::string();
    const Notice& notice = kNotices[size_t(kind)];
    std::string text = cp(notice.text);
    if (notice.namesUnit)
        if (const UnitRecord* unit = state.unitOf(a, b); unit && unitExists(*unit))
            return cp("「") + field(unit->name) + cp("」") + text;
    return text;
}

void AppDialogLink::tell(const std::string& text, const char* utf8_caption)
{
    if (text.empty())
        return;
    ModalIdleOff idle;
    MessageBoxA(m_main.mainWindow(), text.c_str(), cp(utf8_caption).c_str(), MB_OK);
}

void AppDialogLink::showEventNotice(int kind, int a, int b) { tell(noticeText(m_main.state(), kind, a, b), "通知"); }

int AppDialogLink::chooseWeapon(CombatPair& pair, int flag, WeaponChoiceMode mode)
{
    // On the thread that resolves the engagement, owned by the main window on its own thread.
    HWND main = m_main.mainWindow();
    SelAttackArmsDialog dialog(main ? windowFromHandle(main) : nullptr, pair, uint8_t(flag != 0), int(mode));
    return int(dialog.run());
}

void AppDialogLink::showOccupationResult(const BuildingRecord& building)
{
    tell(buildingName(building) + cp("を占領しました。"), "占領");
}

void AppDialogLink::showBuildingResult(BuildingResult kind, const BuildingRecord& after, const BuildingRecord& before)
{
    tell(buildingName(after) + cp(resultVerb(kind)) + durabilityNote(before.durability, after.durability), "建物");
}

void AppDialogLink::showStructureResult(BuildingResult kind, int, int durability, int old_durability)
{
    tell(cp("構造物") + cp(resultVerb(kind)) + durabilityNote(old_durability, durability), "建物");
}

void AppDialogLink::showGameEnd(int country, int kind) { tell(prompts::gameEndText(m_main.state(), country, kind), "通知"); }

void AppDialogLink::showSupplyOrder(SupplyOrder& order) { prompts::askSupply(m_main.mainWindow(), m_main.state(), order); }

void AppDialogLink::showBriefing()
{
    ModalIdleOff idle;
    BriefingDialog dialog(windowFromHandle(m_main.mainWindow()), BriefingMode::BeforePlay);
    dialog.run();
}

void AppDialogLink::showMapSettings()
{
    ModalIdleOff idle;
    runMapSettingsStep(windowFromHandle(m_main.mainWindow()), MapSettingsListButtons::OkOnly);
}
