// The checks of the map settings before a page change or OK, in the order the person is told of
// the first that fails.
#pragma once

#include "state/country_record.h"

#include <array>
#include <string>

class GameState;

enum class SettingsFault {
    None,
    NoEnemy,
    AlliedWithAbsent,
    UnitLimitRange,
    UnitsShort,
    ProductionLimitRange,
    FundsOverCap,
};

struct SettingsCheck {
    SettingsFault fault = SettingsFault::None;
    // For UnitsShort: the country and the units it already has.
    int country = -1;
    int units = 0;
};

struct SettingsFacts {
    std::array<CountryRecord, 8> countries {};
    std::array<int, 8> liveUnits {};
    bool productionLimitRule = false;
};
SettingsFacts settingsFactsOf(GameState& state);

// Countries whose unit and production limits are checked: every participant at OK, only those of
// the page left at a page change (`counted` bit c for country c).
SettingsCheck checkSettings(const SettingsFacts& facts, unsigned counted = 0xFF);
// The message of a fault (CP932); empty for none.
std::string settingsFaultText(const SettingsCheck& check);
