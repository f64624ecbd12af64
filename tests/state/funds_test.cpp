// Spending and earning funds: the floor, the ceiling and the money alarm.
#include "state/game_state.h"
#include "state/ui_hooks.h"
#include "tests/state/packed_value.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class SoundLog : public StateUiHooks {
public:
    SoundLog() { setStateUiHooks(this); }
    ~SoundLog() override { setStateUiHooks(nullptr); }
    void playSound(int slot) override { sounds.push_back(slot); }
    std::vector<int> sounds;
};

} // namespace

TEST(Funds, SpendingStopsAtZeroAndCountsOnlyWhatWasTaken)
{
    GameState s;
    s.country(1).funds = 300;
    EXPECT_EQ(s.spendFunds(1, 200), 100u);
    EXPECT_EQ(s.spendFunds(1, 500), 0u);
    EXPECT_EQ(packed(s.country(1).fundsSpent), 300u);
}

TEST(Funds, IncomeStopsAtTheCeilingWithoutWrapping)
{
    GameState s;
    s.country(0).fundsCeiling = 1000;
    s.country(0).funds = 900;
    EXPECT_EQ(s.addFunds(0, 50), 950u);
    EXPECT_EQ(s.addFunds(0, 50), 1000u);
    EXPECT_EQ(s.addFunds(0, 1), 1000u);
    s.country(0).fundsCeiling = 0xFFFFFFFF;
    s.country(0).funds = 0xFFFFFF00;
    EXPECT_EQ(s.addFunds(0, 0x200), 0xFFFFFFFFu);
}

TEST(Funds, MoneyAlarmSoundsOnceWhenCrossingForTheCurrentPerson)
{
    SoundLog log;
    GameState s;
    s.settings().playMoneyAlarm = true;
    s.settings().moneyAlarm = 100;
    s.country(2).controller = 1;
    s.country(2).funds = 150;
    s.turnBlock().currentCountry = 2;
    s.spendFunds(2, 40); // 110, still above
    EXPECT_TRUE(log.sounds.empty());
    s.spendFunds(2, 20); // 90: crossed
    s.spendFunds(2, 20); // stays below
    EXPECT_EQ(log.sounds, std::vector<int> { 18 });

    // Not for another country's turn, a computer country, or with the alarm off.
    s.country(2).funds = 150;
    s.turnBlock().currentCountry = 3;
    s.spendFunds(2, 100);
    s.turnBlock().currentCountry = 2;
    s.country(2).controller = 2;
    s.country(2).funds = 150;
    s.spendFunds(2, 100);
    s.country(2).controller = 1;
    s.country(2).funds = 150;
    s.settings().playMoneyAlarm = false;
    s.spendFunds(2, 100);
    EXPECT_EQ(log.sounds.size(), 1u);
}
