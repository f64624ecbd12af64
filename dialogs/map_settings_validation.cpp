// The checks of the map settings.
#include "dialogs/map_settings_validation.h"

#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "state/name_tables.h"

#include <algorithm>
#include <cstdio>

SettingsFacts settingsFactsOf(GameState& state)
{
    SettingsFacts facts;
    for (int c = 0; c < kCountryCount; ++c) {
        facts.countries[size_t(c)] = state.country(c);
        facts.liveUnits[size_t(c)] = state.liveUnitCount(c);
    }
    facts.productionLimitRule = state.ruleOn(kRuleProductionLimit);
    return facts;
}

SettingsCheck checkSettings(const SettingsFacts& facts, unsigned counted)
{
    int largestLimit = 0;
    int smallestLimit = 999;
    int smallestProduction = 999;
    SettingsCheck shortOfSlots;
    unsigned participants = 0;
    unsigned alliedUnion = 0;
    unsigned lastMask = 0;
    for (int c = 0; c < kCountryCount; ++c) {
        const CountryRecord& country = facts.countries[size_t(c)];
        if (country.controller == 0)
            continue;
        participants |= 1u << c;
        lastMask = country.allianceMask | 1u << c;
        alliedUnion |= lastMask;
        if (!(counted & 1u << c))
            continue;
        largestLimit = std::max<int>(largestLimit, country.unitListLength);
        smallestLimit = std::min<int>(smallestLimit, country.unitListLength);
        if (shortOfSlots.country < 0 && country.unitListLength < facts.liveUnits[size_t(c)])
            shortOfSlots = { SettingsFault::UnitsShort, c, facts.liveUnits[size_t(c)] };
        if (facts.productionLimitRule)
            smallestProduction = std::min<int>(smallestProduction, country.productionLimit);
    }
    if (lastMask == participants)
        return { SettingsFault::NoEnemy };
    if (alliedUnion & ~participants)
        return { SettingsFault::AlliedWithAbsent };
    if (largestLimit > 999 || smallestLimit == 0)
        return { SettingsFault::UnitLimitRange };
    if (shortOfSlots.country >= 0)
        return shortOfSlots;
    if (smallestProduction == 0)
        return { SettingsFault::ProductionLimitRange };
    for (const CountryRecord& country : facts.countries)
        if (country.takesPart() && country.funds > country.fundsCeiling)
            return { SettingsFault::FundsOverCap };
    return {};
}

std::string settingsFaultText(const SettingsCheck& check)
{
    auto cp = [](const char* utf8) { return platform::utf8ToCp932(utf8); };
    switch (check.fault) {
    case SettingsFault::NoEnemy: return cp("敵対国が存在していません。");
    case SettingsFault::AlliedWithAbsent: return cp("不参戦の陣営と同盟を結んでいます。");
    case SettingsFault::UnitLimitRange: return cp("部隊数制限には1～999までを指定してください。");
    case SettingsFault::UnitsShort: {
        const std::string format = cp("%sは初期部隊、増援部隊で%d部隊保有しています。%d以上の部隊数を設定してください。");
        const char* name = playerColourName(check.country);
        char text[256];
        std::snprintf(text, sizeof text, format.c_str(), name ? name : "", check.units, check.units);
        return text;
    }
    case SettingsFault::ProductionLimitRange: return cp("生産数制限には1～999までを指定してください。");
    case SettingsFault::FundsOverCap: return cp("軍資金上限には資金より大きい金額を設定してください。");
    default: return {};
    }
}
