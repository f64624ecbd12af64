// Alliances, pacts and the neutral side.
#include "state/game_state.h"

#include <gtest/gtest.h>

TEST(Alliances, CountriesAndTheNeutralSide)
{
    GameState s;
    s.country(0).allianceMask = 0x04; // 0 counts 2 as an ally
    s.neutralBlock()[0] = 0x01;      // the neutral side is allied with 0
    EXPECT_TRUE(s.isAllied(0, 0));
    EXPECT_TRUE(s.isAllied(8, 8));
    EXPECT_TRUE(s.isAllied(0, 2));
    EXPECT_FALSE(s.isAllied(2, 0)); // masks are one-sided
    EXPECT_TRUE(s.isAllied(8, 0));
    EXPECT_TRUE(s.isAllied(0, 8));
    EXPECT_FALSE(s.isAllied(1, 8));
    EXPECT_FALSE(s.isAllied(8, 100));
    EXPECT_EQ(s.allianceMaskOf(0), 0x104u);
    EXPECT_EQ(s.allianceMaskOf(1), 0u);
    EXPECT_EQ(s.allianceMaskOf(8), 0x101u);
}

TEST(Alliances, PactsNeverInvolveTheNeutralSide)
{
    GameState s;
    s.country(3).pactMask = 0xFF;
    EXPECT_TRUE(s.hasPactWith(3, 5));
    EXPECT_FALSE(s.hasPactWith(3, 8));
    EXPECT_FALSE(s.hasPactWith(8, 3));
    EXPECT_FALSE(s.isEnemy(3, 5));
    EXPECT_TRUE(s.isEnemy(5, 3));
    EXPECT_FALSE(s.isEnemy(5, 5));
}

TEST(Alliances, PersonControlledCountries)
{
    GameState s;
    s.country(2).controller = 1;
    s.country(3).controller = 2;
    EXPECT_TRUE(s.isHumanCountry(2));
    EXPECT_FALSE(s.isHumanCountry(3));
    EXPECT_FALSE(s.isHumanCountry(8));
    s.turnBlock().currentCountry = 2;
    EXPECT_FALSE(s.isCurrentCountryNotHuman());
    s.turnBlock().currentCountry = 9;
    EXPECT_TRUE(s.isCurrentCountryNotHuman());
}
