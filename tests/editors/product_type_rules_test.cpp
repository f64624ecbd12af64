// The production-type windows' rules without windows: the three counting rules side by side on
// a type holding two forms and an unavailable type, the weapon-list text, the copy sources, the
// kept top row and what the editor's lists offer and move.
#include "editors/product_edit_model.h"
#include "editors/product_type_rules.h"

#include "state/name_tables.h"
#include "state/unit_type_sort.h"
#include "tests/editors/product_world.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

using namespace editors_test;

namespace {

struct ProductRules : ::testing::Test {
    ProductWorld world;
    GameState& s = world.state();
    std::vector<int> land = world.typeIds(3);

    void SetUp() override { ASSERT_GE(land.size(), 6u); }
};

} // namespace

TEST_F(ProductRules, SummaryTextAndTotalsTakeTheirOwnFormsOfAPair)
{
    const int low = land[0], high = land[1], plain = land[2], gone = land[3];
    // The higher id ranks above its pair: the summary and the editor's left list take it, the
    // weapon-list text keeps the lower id as the producible list does, the totals take both.
    world.pairForms(low, high, 3, 5);
    world.editType(gone).available = 0;
    world.setSlot(4, "二形", { low, high, plain, gone });

    const ProductSlotSummary summary = summariseProductSlot(s, 4);
    EXPECT_EQ(std::string(summary.name), cp("二形"));
    EXPECT_EQ(summary.total, 2u);
    EXPECT_EQ(summary.perDomain[3], 2u);
    EXPECT_EQ(summary.cost, world.cost(high) + world.cost(plain));

    EXPECT_TRUE(countsInSlotSummary(s, high));
    EXPECT_FALSE(countsInSlotSummary(s, low));
    EXPECT_TRUE(listedInWeaponText(s, low));
    EXPECT_FALSE(listedInWeaponText(s, high));
    EXPECT_TRUE(countsInEditTotals(s, low) && countsInEditTotals(s, high));
    EXPECT_FALSE(countsInSlotSummary(s, gone) || listedInWeaponText(s, gone) || countsInEditTotals(s, gone));

    const ProductEditTotals totals = productEditTotals(s, world.slot(4));
    EXPECT_EQ(totals.count[0], 3u);
    EXPECT_EQ(totals.count[1 + 3], 3u);
    EXPECT_EQ(totals.cost[0], world.cost(low) + world.cost(high) + world.cost(plain));

    // Ranked equal, the lower id stands for the pair.
    world.pairForms(low, high, 4, 4);
    EXPECT_TRUE(countsInSlotSummary(s, low));
    EXPECT_FALSE(countsInSlotSummary(s, high));
}

TEST_F(ProductRules, EmptyAndUnavailableSlotsSummariseToZero)
{
    const ProductSlotSummary empty = summariseProductSlot(s, 0);
    EXPECT_FALSE(empty.used());
    EXPECT_EQ(empty.total + empty.cost, 0u);

    for (int id : { land[0], land[1] })
        world.editType(id).available = 0;
    world.setSlot(1, "品切れ", { land[0], land[1] });
    const ProductSlotSummary gone = summariseProductSlot(s, 1);
    EXPECT_TRUE(gone.used());
    EXPECT_EQ(std::string(gone.name), cp("品切れ"));
    EXPECT_EQ(gone.total, 0u);
    EXPECT_EQ(gone.cost, 0u);
    EXPECT_EQ(std::accumulate(gone.perDomain.begin(), gone.perDomain.end(), 0u), 0u);
}

TEST_F(ProductRules, WeaponTextListsClassAndNameInIdOrderWithCrLf)
{
    const std::vector<int> air = world.typeIds(1);
    ASSERT_FALSE(air.empty());
    world.pairForms(land[0], land[1], 5, 3);
    const ProductionTypeRecord r = ProductWorld::record("混成", { air[0], land[1], land[0], land[4] });
    std::string expected;
    for (int id : { land[0], land[4], air[0] }) {
        const UnitTypeRecord& type = s.unitTypeRecord(id);
        expected += std::string(unitClassName(type.unitClass)) + "," + type.name + "\r\n";
    }
    ASSERT_LT(land[4], air[0]);
    EXPECT_EQ(weaponListText(s, r), expected);
    EXPECT_EQ(weaponListText(s, ProductWorld::record("空", {})), "");
}

TEST_F(ProductRules, CopySourcesListUsedBuiltInTypesBeforeUserTypes)
{
    world.setSlot(7, "後", { land[0] });
    world.setSlot(2, "前", { land[0] });
    const std::vector<int> numbers = copySourceNumbers(s);
    std::vector<int> expected;
    for (size_t i = 0; i < s.builtinProductionTypes().size(); ++i)
        if (s.builtinProductionTypes()[i].name[0])
            expected.push_back(int(i));
    ASSERT_FALSE(expected.empty()) << "the generated data has built-in types";
    expected.push_back(kFirstUserProductionType + 2);
    expected.push_back(kFirstUserProductionType + 7);
    EXPECT_EQ(numbers, expected);
}

TEST(ProductRulesTop, KeptTopRowFollowsTheRowsLeft)
{
    struct Case {
        int top, count, kept;
    };
    for (const Case& c : { Case { 5, 40, 5 }, Case { 5, 25, 5 }, Case { 5, 24, 4 }, Case { 10, 12, 0 }, Case { 0, 0, 0 },
             Case { 30, 30, 10 } })
        EXPECT_EQ(keptTopRow(c.top, c.count), c.kept) << c.top << " of " << c.count;
}

TEST_F(ProductRules, EditorListsSkipWarheadsCiviliansAndLowerFormsOnTheLeftOnly)
{
    int warhead = 0;
    for (int id = 1; id < kUnitTypeIdMapSize && !warhead; ++id)
        if (s.unitTypeIndex(id) && s.unitTypeRecord(id).unitClass == kWarheadClass)
            warhead = id;
    ASSERT_NE(warhead, 0);
    world.editType(warhead).available = 1;
    const int civilian = land[4];
    world.editType(civilian).unitClass = 37;
    std::memcpy(world.editType(civilian).name, cp("民間人").c_str(), 7);
    world.pairForms(land[0], land[1], 2, 6);

    ProductEditModel offered(s, ProductWorld::record("", {}));
    offered.rebuild();
    const std::vector<int>& left = offered.ids(EditSide::Left);
    for (int id : { warhead, civilian, land[0] })
        EXPECT_EQ(std::count(left.begin(), left.end(), id), 0) << id;
    EXPECT_EQ(std::count(left.begin(), left.end(), land[1]), 1);
    EXPECT_TRUE(offered.ids(EditSide::Right).empty());

    // Held already, each shows on the right.
    ProductEditModel held(s, ProductWorld::record("", { warhead, civilian, land[0] }));
    held.rebuild();
    std::vector<int> right = held.ids(EditSide::Right);
    std::sort(right.begin(), right.end());
    std::vector<int> expected { warhead, civilian, land[0] };
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(right, expected);
}

TEST_F(ProductRules, AddAndRemoveMoveRowsSetBitsAndKeepTheSourceOrder)
{
    ProductEditModel model(s, ProductWorld::record("", {}));
    model.rebuild();
    model.chooseSortKey(EditSide::Left, 2);
    const std::vector<int> left = model.ids(EditSide::Left);
    ASSERT_GE(left.size(), 5u);
    // Rows given out of order and one twice move once each.
    EXPECT_EQ(model.add({ 3, 0, 3, 1 }), 3);
    std::vector<int> staying = left;
    for (int row : { 3, 1, 0 })
        staying.erase(staying.begin() + row);
    EXPECT_EQ(model.ids(EditSide::Left), staying);
    const std::vector<int>& right = model.ids(EditSide::Right);
    EXPECT_EQ(right, sortedBy(right, s, unitTypeLessByClass));
    for (int row : { 0, 1, 3 })
        EXPECT_TRUE(model.record().canProduce(left[size_t(row)]));
    EXPECT_EQ(model.totals().count[0], 3u);

    // Everything back: the right list empties and the left list is whole and sorted again.
    EXPECT_EQ(model.remove({ 0, 1, 2 }), 3);
    EXPECT_TRUE(model.ids(EditSide::Right).empty());
    EXPECT_EQ(model.ids(EditSide::Left), left);
    EXPECT_EQ(model.totals().count[0], 0u);
    EXPECT_EQ(model.add({ 99 }), 0) << "a row the list does not have";
}
