// The destroyed-unit list: order, the oldest dropped when full, and entries made on turns whose
// low byte is 0.
#include "state/game_state.h"
#include "state/rules_hooks.h"
#include "state/unit_record.h"
#include "tests/state/small_world.h"

#include <gtest/gtest.h>

#include <cstring>

using testing_state::SmallWorld;

namespace {

class SeenOnlyBy : public StateRulesHooks {
public:
    explicit SeenOnlyBy(int country) : m_country(country) { setStateRulesHooks(this); }
    ~SeenOnlyBy() override { setStateRulesHooks(nullptr); }
    bool isUnitVisibleTo(const GameState&, int, int, int country) override { return country == m_country; }
    bool isHexVisibleTo(const GameState&, int, int, int, int, int) override { return true; }
    bool canUnitLand(const GameState&, int, int, int) override { return false; }

private:
    int m_country;
};

TEST(DestroyedUnits, EntriesKeepTheUnitAndTheLatestHundredInOrder)
{
    SmallWorld world(8, 8);
    GameState& s = world.state();
    int index = world.placeUnit(2, s.unitTypes()[0].id, 3, 5);
    UnitRecord& unit = world.unit(2, index);
    std::strcpy(unit.name, "first");
    unit.troopNumber = 0x1234;
    SeenOnlyBy hooks(6);

    for (int n = 0; n < 101; ++n) {
        s.turnBlock().turn = uint16_t(n + 1);
        if (n == 1)
            std::strcpy(unit.name, "second");
        s.recordDestroyedUnit(2, index);
    }
    const DestroyedUnitRecord* oldest = s.destroyedUnitEntry(2, 0);
    ASSERT_NE(oldest, nullptr);
    EXPECT_STREQ(reinterpret_cast<const char*>(oldest->identity), "second") << "the first entry was dropped";
    EXPECT_EQ(oldest->turn, 2);
    const DestroyedUnitRecord* newest = s.destroyedUnitEntry(2, 99);
    EXPECT_EQ(newest->turn, 101);
    EXPECT_EQ(newest->troopNumber, 0x34);
    EXPECT_EQ(newest->unitTypeId, unit.unitTypeId);
    EXPECT_EQ(newest->x, 3);
    EXPECT_EQ(newest->y, 5);
    EXPECT_EQ(newest->visibleMask, 1 << 6);
    EXPECT_EQ(s.destroyedUnitEntry(2, 100), nullptr);
    EXPECT_EQ(s.destroyedUnitEntry(8, 0), nullptr);
}

TEST(DestroyedUnits, AUnitLostOnTurn256StaysInTheList)
{
    SmallWorld world(8, 8);
    GameState& s = world.state();
    int index = world.placeUnit(1, s.unitTypes()[0].id, 1, 1);
    s.turnBlock().turn = 256;
    s.recordDestroyedUnit(1, index);
    s.turnBlock().turn = 257;
    s.recordDestroyedUnit(1, index);
    const DestroyedUnitRecord* first = s.destroyedUnitEntry(1, 0);
    EXPECT_EQ(first->turn, 0);
    EXPECT_TRUE(first->isUsed());
    EXPECT_EQ(s.destroyedUnitEntry(1, 1)->turn, 1) << "the second entry did not overwrite the first";
    EXPECT_FALSE(s.destroyedUnitEntry(1, 2)->isUsed());
}

TEST(DestroyedUnits, UnknownUnitsAndSidesRecordNothing)
{
    SmallWorld world(4, 4);
    GameState& s = world.state();
    s.recordDestroyedUnit(0, 999);
    s.recordDestroyedUnit(8, 0);
    s.recordDestroyedUnit(-1, 0);
    EXPECT_FALSE(s.destroyedUnitEntry(0, 0)->isUsed());
}

} // namespace
