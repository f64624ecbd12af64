// The map settings' checks: which fault is told first, and which countries a page change counts.
#include "dialogs/map_settings_validation.h"

#include "platform/kernel/host.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Three countries at war with sound limits and funds; country 5 takes no part.
SettingsFacts soundFacts()
{
    SettingsFacts facts;
    for (int c : { 0, 1, 2 }) {
        CountryRecord& r = facts.countries[size_t(c)];
        r.controller = 2;
        r.inPlay = 1;
        r.allianceMask = uint8_t(1u << c);
        r.unitListLength = 100;
        r.productionLimit = 10;
        r.funds = 1000;
        r.fundsCeiling = 5000;
        facts.liveUnits[size_t(c)] = 20;
    }
    facts.productionLimitRule = true;
    return facts;
}

} // namespace

TEST(MapSettingsValidation, TellsTheFirstFaultInItsOrder)
{
    struct Case {
        const char* what;
        std::function<void(SettingsFacts&)> change;
        SettingsFault fault;
    };
    const Case cases[] = {
        { "sound settings pass", [](SettingsFacts&) {}, SettingsFault::None },
        { "the last participant allied with everybody: no enemy",
            [](SettingsFacts& f) {
                for (int c : { 0, 1, 2 })
                    f.countries[size_t(c)].allianceMask = 0b111;
            },
            SettingsFault::NoEnemy },
        { "an alliance with a country out of the game", [](SettingsFacts& f) { f.countries[0].allianceMask = 0b100001; },
            SettingsFault::AlliedWithAbsent },
        { "a unit limit of 0", [](SettingsFacts& f) { f.countries[1].unitListLength = 0; }, SettingsFault::UnitLimitRange },
        { "a unit limit above 999", [](SettingsFacts& f) { f.countries[2].unitListLength = 1000; },
            SettingsFault::UnitLimitRange },
        { "fewer unit slots than units", [](SettingsFacts& f) { f.countries[1].unitListLength = 19; },
            SettingsFault::UnitsShort },
        { "a production limit of 0", [](SettingsFacts& f) { f.countries[2].productionLimit = 0; },
            SettingsFault::ProductionLimitRange },
        { "a production limit of 0 without the rule",
            [](SettingsFacts& f) {
                f.countries[2].productionLimit = 0;
                f.productionLimitRule = false;
            },
            SettingsFault::None },
        { "funds above their cap", [](SettingsFacts& f) { f.countries[0].funds = 6000; }, SettingsFault::FundsOverCap },
        { "funds above the cap of a country out of play count not",
            [](SettingsFacts& f) {
                f.countries[0].funds = 6000;
                f.countries[0].inPlay = 0;
            },
            SettingsFault::None },
        { "no enemy comes before a unit limit of 0",
            [](SettingsFacts& f) {
                for (int c : { 0, 1, 2 })
                    f.countries[size_t(c)].allianceMask = 0b111;
                f.countries[1].unitListLength = 0;
            },
            SettingsFault::NoEnemy },
        { "the limit range comes before short slots",
            [](SettingsFacts& f) {
                f.countries[0].unitListLength = 5;
                f.countries[1].unitListLength = 0;
            },
            SettingsFault::UnitLimitRange },
        { "short slots come before a production limit of 0",
            [](SettingsFacts& f) {
                f.countries[0].unitListLength = 5;
                f.countries[1].productionLimit = 0;
            },
            SettingsFault::UnitsShort },
    };
    for (const Case& c : cases) {
        SettingsFacts facts = soundFacts();
        c.change(facts);
        EXPECT_EQ(checkSettings(facts).fault, c.fault) << c.what;
    }
}

TEST(MapSettingsValidation, APageChangeCountsOnlyThePageLeftForTheLimits)
{
    SettingsFacts facts = soundFacts();
    facts.countries[2].unitListLength = 0;
    EXPECT_EQ(checkSettings(facts, 0b011).fault, SettingsFault::None);
    EXPECT_EQ(checkSettings(facts, 0b100).fault, SettingsFault::UnitLimitRange);
    // The alliances are checked over every participant whatever the page.
    facts.countries[2].unitListLength = 100;
    facts.countries[2].allianceMask = 0b10000100;
    EXPECT_EQ(checkSettings(facts, 0b011).fault, SettingsFault::AlliedWithAbsent);
}

TEST(MapSettingsValidation, NamesTheFirstCountryShortOfSlotsAndItsUnits)
{
    SettingsFacts facts = soundFacts();
    facts.countries[1].unitListLength = 3;
    facts.countries[2].unitListLength = 3;
    facts.liveUnits[1] = 7;
    const SettingsCheck check = checkSettings(facts);
    EXPECT_EQ(check.country, 1);
    EXPECT_EQ(check.units, 7);
    EXPECT_EQ(settingsFaultText(check),
        platform::utf8ToCp932("REDは初期部隊、増援部隊で7部隊保有しています。7以上の部隊数を設定してください。"));
}
