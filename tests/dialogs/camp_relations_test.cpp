// The camp relation rules on a view of four slots of boxes over eight records.
#include "dialogs/camp_relations.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>

namespace {

unsigned maskOf(std::initializer_list<int> countries)
{
    unsigned mask = 0;
    for (int c : countries)
        mask |= 1u << c;
    return mask;
}

// The settings' visible page as plain arrays: `shown` lists the countries of slots 0..3.
class FakeView final : public CampView {
public:
    std::array<CountryRecord, 8> records {};
    uint8_t civilians = 0;
    std::array<int, 4> shown { -1, -1, -1, -1 };
    bool alliance[4][8] = {};
    bool pact[4][8] = {};
    bool civilian[4] = {};
    bool allianceEnabled[4][8] = {};
    bool pactEnabled[4][8] = {};
    bool civilianEnabled[4] = {};

    int slotOf(int country) const override
    {
        for (int s = 0; s < 4; ++s)
            if (country >= 0 && shown[size_t(s)] == country)
                return s;
        return -1;
    }
    int countryOf(int slot) const override { return slot >= 0 && slot < 4 ? shown[size_t(slot)] : -1; }
    bool box(CampBox kind, int slot, int k) const override
    {
        return kind == CampBox::Alliance ? alliance[slot][k] : kind == CampBox::Pact ? pact[slot][k] : civilian[slot];
    }
    void setBox(CampBox kind, int slot, int k, bool on) override
    {
        (kind == CampBox::Alliance ? alliance[slot][k] : kind == CampBox::Pact ? pact[slot][k] : civilian[slot]) = on;
    }
    void enableBox(CampBox kind, int slot, int k, bool on) override
    {
        (kind == CampBox::Alliance ? allianceEnabled[slot][k] : kind == CampBox::Pact ? pactEnabled[slot][k]
                                                                                        : civilianEnabled[slot])
            = on;
    }
    CountryRecord& record(int country) const override { return const_cast<CountryRecord&>(records[size_t(country)]); }
    uint8_t& civilianMask() const override { return const_cast<uint8_t&>(civilians); }

    // Countries taking part, each alone in its alliance.
    void play(std::initializer_list<int> countries)
    {
        for (int c : countries) {
            records[size_t(c)].controller = 2;
            records[size_t(c)].inPlay = 1;
            records[size_t(c)].allianceMask = uint8_t(1u << c);
        }
    }
    // Shows the countries in slots 0.. and loads their boxes from the records, as the dialog does.
    void show(std::initializer_list<int> countries)
    {
        shown = { -1, -1, -1, -1 };
        int s = 0;
        for (int c : countries) {
            shown[size_t(s)] = c;
            for (int k = 0; k < 8; ++k) {
                alliance[s][k] = k == c || (records[size_t(c)].allianceMask >> k & 1);
                pact[s][k] = records[size_t(c)].pactMask >> k & 1;
            }
            civilian[s] = civilians >> c & 1;
            ++s;
        }
    }
    void click(CampBox kind, int slot, int k)
    {
        bool& b = kind == CampBox::Alliance ? alliance[slot][k] : kind == CampBox::Pact ? pact[slot][k] : civilian[slot];
        b = !b;
    }
};

// X, Y, W: three participants shown in slots 0..2.
struct ThreeCountries {
    FakeView view;
    CampRelations camps { view, 3, true };
    ThreeCountries()
    {
        view.play({ 0, 1, 2 });
        view.show({ 0, 1, 2 });
    }
    void ally(int slot, int k)
    {
        view.click(CampBox::Alliance, slot, k);
        camps.onAllianceClicked(slot, k);
    }
};

} // namespace

TEST(CampRelations, AllianceGroupsJoinSplitAndNeverCoverEverybody)
{
    struct Case {
        const char* what;
        std::vector<std::pair<int, int>> clicks; // (slot, k)
        std::array<unsigned, 3> masks;
    };
    const Case cases[] = {
        { "X joins Y", { { 0, 1 } }, { maskOf({ 0, 1 }), maskOf({ 0, 1 }), maskOf({ 2 }) } },
        { "then Y joins W: the group would hold everybody, so X leaves", { { 0, 1 }, { 1, 2 } },
            { maskOf({ 0 }), maskOf({ 1, 2 }), maskOf({ 1, 2 }) } },
        { "X clears Y: Y alone again", { { 0, 1 }, { 0, 1 } }, { maskOf({ 0 }), maskOf({ 1 }), maskOf({ 2 }) } },
    };
    for (const Case& c : cases) {
        ThreeCountries t;
        for (auto [slot, k] : c.clicks)
            t.ally(slot, k);
        for (int country = 0; country < 3; ++country)
            EXPECT_EQ(t.camps.shownAllianceMask(country), c.masks[size_t(country)]) << c.what << ", country " << country;
    }
}

TEST(CampRelations, ClearingOneMemberOfAThreeGroupLeavesTheOtherTwo)
{
    // Four countries, so that X, Y and W may form one group.
    FakeView view;
    view.play({ 0, 1, 2, 3 });
    for (int c : { 0, 1, 2 })
        view.records[size_t(c)].allianceMask = uint8_t(maskOf({ 0, 1, 2 }));
    view.show({ 0, 1, 2, 3 });
    CampRelations camps(view, 4, false);
    view.click(CampBox::Alliance, 0, 1);
    camps.onAllianceClicked(0, 1);
    EXPECT_EQ(camps.shownAllianceMask(0), maskOf({ 0, 2 }));
    EXPECT_EQ(camps.shownAllianceMask(2), maskOf({ 0, 2 }));
    EXPECT_EQ(camps.shownAllianceMask(1), maskOf({ 1 }));
}

TEST(CampRelations, AnAllianceWithACountryOnTheOtherPageIsWrittenToItsRecord)
{
    FakeView view;
    view.play({ 0, 1, 2, 3, 4 });
    view.show({ 0, 1, 2, 3 });
    CampRelations camps(view, 5, false);
    view.click(CampBox::Alliance, 0, 4);
    camps.onAllianceClicked(0, 4);
    EXPECT_EQ(view.records[4].allianceMask, maskOf({ 0, 4 }));
    EXPECT_TRUE(view.alliance[0][4]);
}

TEST(CampRelations, AlliesLoseTheirPactUntilTheyPartAndClickAgain)
{
    ThreeCountries t;
    t.view.click(CampBox::Pact, 0, 1);
    t.camps.onPactClicked(0, 1);
    EXPECT_TRUE(t.view.pact[1][0]) << "the pact is mirrored";
    t.ally(0, 1);
    EXPECT_FALSE(t.view.pact[0][1]);
    EXPECT_FALSE(t.view.pact[1][0]);
    EXPECT_FALSE(t.view.pactEnabled[0][1]);
    t.ally(0, 1);
    t.camps.updateRelationEnables();
    EXPECT_TRUE(t.view.pactEnabled[0][1]);
    EXPECT_FALSE(t.view.pact[0][1]) << "parting brings no pact back";
}

TEST(CampRelations, APactWithACountryOnTheOtherPageIsKeptInItsRecord)
{
    FakeView view;
    view.play({ 0, 1, 2, 3, 4 });
    view.show({ 0, 1, 2, 3 });
    CampRelations camps(view, 5, false);
    view.click(CampBox::Pact, 0, 4);
    camps.onPactClicked(0, 4);
    EXPECT_EQ(view.records[4].pactMask, maskOf({ 0 }));
    view.click(CampBox::Pact, 0, 4);
    camps.onPactClicked(0, 4);
    EXPECT_EQ(view.records[4].pactMask, 0u);
}

TEST(CampRelations, PactsBetweenCountriesNotShownEndWhenTheyBecomeAllies)
{
    // 4 and 5 (on the other page) have a pact; 0 allies with 4, and 4's record already has 5.
    FakeView view;
    view.play({ 0, 1, 2, 3, 4, 5 });
    view.records[4].pactMask = uint8_t(maskOf({ 5 }));
    view.records[5].pactMask = uint8_t(maskOf({ 4, 1 }));
    view.records[4].allianceMask = uint8_t(maskOf({ 4, 5 }));
    view.records[5].allianceMask = uint8_t(maskOf({ 4, 5 }));
    view.show({ 0, 1, 2, 3 });
    CampRelations camps(view, 6, false);
    view.click(CampBox::Alliance, 0, 4);
    camps.onAllianceClicked(0, 4);
    EXPECT_EQ(view.records[4].pactMask, 0u);
    EXPECT_EQ(view.records[5].pactMask, maskOf({ 1 })) << "a pact outside the alliance stays";
}

TEST(CampRelations, EnablesFollowParticipationAndTheNumberInPlay)
{
    FakeView view;
    view.play({ 0, 1 });
    view.show({ 0, 1 });
    CampRelations camps(view, 2, false);
    camps.updateRelationEnables();
    for (int k = 0; k < 8; ++k)
        EXPECT_FALSE(view.allianceEnabled[0][k]) << "two countries: no alliance box, k " << k;
    EXPECT_TRUE(view.pactEnabled[0][1]);
    EXPECT_FALSE(view.pactEnabled[0][2]) << "no pact with a country out of the game";
    EXPECT_FALSE(view.pactEnabled[0][0]);
    EXPECT_FALSE(view.civilianEnabled[0]) << "no neutral units: no civilian box";

    ThreeCountries t;
    t.camps.updateRelationEnables();
    EXPECT_TRUE(t.view.allianceEnabled[0][1]);
    EXPECT_FALSE(t.view.allianceEnabled[0][0]);
    EXPECT_FALSE(t.view.allianceEnabled[0][5]);
    EXPECT_TRUE(t.view.civilianEnabled[0]);
}

TEST(CampRelations, CiviliansSideWithOneGroup)
{
    struct Case {
        const char* what;
        bool allyXY;
        int clickedSlot;
        unsigned before;
        unsigned after;
    };
    const Case cases[] = {
        { "checking X's box brings the civilians to X", false, 0, 0, maskOf({ 0 }) },
        { "checking X's box brings them to X's whole group", true, 0, 0, maskOf({ 0, 1 }) },
        { "clearing the only group's box moves them to the first outside it", true, 0, maskOf({ 0, 1 }), maskOf({ 2 }) },
        { "clearing W's box moves them to X's group", true, 2, maskOf({ 2 }), maskOf({ 0, 1 }) },
    };
    for (const Case& c : cases) {
        ThreeCountries t;
        if (c.allyXY)
            t.ally(0, 1);
        for (int slot = 0; slot < 3; ++slot)
            t.view.civilian[slot] = c.before >> slot & 1;
        t.view.click(CampBox::Civilian, c.clickedSlot, 0);
        t.camps.onCivilianClicked(c.clickedSlot);
        EXPECT_EQ(t.camps.shownCivilianMask(), c.after) << c.what;
    }
}

TEST(CampRelations, ACivilianBoxStaysCheckedWhenEverybodyIsAllied)
{
    // Two countries allied (possible only from a map file): nobody is left to take the civilians.
    FakeView view;
    view.play({ 0, 1 });
    view.records[0].allianceMask = view.records[1].allianceMask = uint8_t(maskOf({ 0, 1 }));
    view.civilians = uint8_t(maskOf({ 0, 1 }));
    view.show({ 0, 1 });
    CampRelations camps(view, 2, true);
    view.click(CampBox::Civilian, 0, 0);
    camps.onCivilianClicked(0);
    EXPECT_TRUE(view.civilian[0]);
    EXPECT_EQ(camps.shownCivilianMask(), maskOf({ 0, 1 }));
}

TEST(CampRelations, WithoutNeutralUnitsNoCivilianRuleRuns)
{
    FakeView view;
    view.play({ 0, 1, 2 });
    view.show({ 0, 1, 2 });
    CampRelations camps(view, 3, false);
    view.click(CampBox::Civilian, 0, 0);
    camps.onCivilianClicked(0);
    view.click(CampBox::Alliance, 1, 2);
    camps.onAllianceClicked(1, 2);
    EXPECT_EQ(camps.shownCivilianMask(), maskOf({ 0 })) << "only the clicked box changed";
}

TEST(CampRelations, AnAllianceChangeTakesTheCiviliansAlongWithTheirGroup)
{
    ThreeCountries t;
    t.view.civilians = uint8_t(maskOf({ 2 }));
    t.view.show({ 0, 1, 2 });
    // W (with the civilians) joins X: the civilians follow the group.
    t.ally(2, 0);
    EXPECT_EQ(t.camps.shownCivilianMask(), maskOf({ 0, 2 }));
}

TEST(CampRelations, TheLastEnemyLeavingSplitsAnAllianceOfEverybody)
{
    ThreeCountries t;
    t.ally(0, 1);
    // W leaves: X and Y would be allied with nobody to fight, so X (the first) leaves.
    t.view.records[2].controller = 0;
    t.camps.onCountryLeft();
    EXPECT_EQ(t.camps.shownAllianceMask(0), maskOf({ 0 }));
    EXPECT_EQ(t.camps.shownAllianceMask(1), maskOf({ 1 }));

    // With a fourth country still in play the alliance stays.
    FakeView view;
    view.play({ 0, 1, 2, 3 });
    view.records[0].allianceMask = view.records[1].allianceMask = uint8_t(maskOf({ 0, 1 }));
    view.show({ 0, 1, 2, 3 });
    CampRelations camps(view, 4, false);
    view.records[2].controller = 0;
    camps.onCountryLeft();
    EXPECT_EQ(camps.shownAllianceMask(0), maskOf({ 0, 1 }));
}

TEST(CampRelations, PactAllowedReadsTheShownSideOrTheRecord)
{
    FakeView view;
    view.play({ 0, 1, 4, 5 });
    view.records[4].pactMask = uint8_t(maskOf({ 5 }));
    view.records[0].allianceMask = view.records[4].allianceMask = uint8_t(maskOf({ 0, 4 }));
    view.show({ 0, 1 });
    CampRelations camps(view, 4, false);
    EXPECT_FALSE(camps.pactAllowed(0, 4)) << "a's box says allied";
    EXPECT_FALSE(camps.pactAllowed(4, 0)) << "b's box says allied";
    EXPECT_TRUE(camps.pactAllowed(1, 4));
    EXPECT_TRUE(camps.pactAllowed(4, 5)) << "neither shown: the pact bit";
    EXPECT_FALSE(camps.pactAllowed(5, 4)) << "neither shown: no pact bit";
    EXPECT_FALSE(camps.pactAllowed(0, 2)) << "2 takes no part";
}
