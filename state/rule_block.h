// RuleBlock: the 51 rule switches, and the rule slots filled from the rule files.
#pragma once

#include <array>
#include <cstdint>
#include <string>

constexpr int kRuleSwitchCount = 51;
constexpr int kRuleSlotCount = 24;

#pragma pack(push, 1)
struct RuleBlock {
    // In a rule slot: the slot's number.
    uint8_t lead;
    // 0 off; other values on or a setting.
    uint8_t switches[kRuleSwitchCount];
};
#pragma pack(pop)
static_assert(sizeof(RuleBlock) == 52);

// Indexes of the switches other code names.
enum RuleSwitch : int {
    kRuleZoc = 1,
    kRuleSearch = 3,
    kRuleStoring = 6,
    kRuleStacking = 17,
    kRuleBoardingOwnership = 26,
    kRuleDayNight = 35,
    kRuleProductionCount = 45,
    kRuleGroundPointTarget = 46,
    kRuleReinforcement = 47,
    kRuleProductionLimit = 50,
};

struct RuleSlot {
    std::string name;
    std::string date;
    std::string time;
    RuleBlock block{};
};

// The keys of a rule file, CP932: "Name", "Date", "Time", then the switch names in index order.
constexpr int kRuleKeyCount = 3 + kRuleSwitchCount;
const std::array<std::string, kRuleKeyCount>& ruleFileKeys();
// The name of switch i (0..50), CP932.
const std::string& ruleSwitchName(int i);
