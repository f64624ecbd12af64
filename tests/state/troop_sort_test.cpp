// The troop tables' orders: the selection sort, every key of the troop-key and carry-over families,
// the side's unit list with its descending form, and the unit-type orders of the producible list.
#include "state/list_sort.h"
#include "state/troop_sort.h"
#include "state/unit_facts.h"
#include "state/unit_type_sort.h"

#include "tests/state/small_world.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>

using namespace testing_state;

namespace {

void setState(UnitRecord& unit, int state)
{
    unit.stateLow = uint8_t(state & 0xFF);
    unit.stateHigh = uint8_t(state >> 8);
}

void setName(char (&field)[34], const char* text)
{
    std::memset(field, 0, sizeof field);
    std::memcpy(field, text, std::strlen(text));
}

void setStrength(UnitRecord& unit, int members)
{
    std::memset(unit.memberStrengths, 0, sizeof unit.memberStrengths);
    for (int m = 0; m < members; ++m)
        unit.memberStrengths[m] = 5;
}

TroopKey key(int country, int index) { return uint32_t(index) << 16 | uint32_t(country); }

// Country 1's table: live units at 0, 1, 4 and 5 (troop numbers 5, 3, 1, 2), an empty slot at 2,
// a unit set aside at 3, and slot 6 inside the unit limit but past the table's count.
struct TroopTable : ::testing::Test {
    TroopTable()
    {
        const auto& types = s.unitTypes();
        typeA = types[0].id;
        typeB = types[1].id;
        world.editType(typeA).unitClass = 19;
        world.editType(typeB).unitClass = 37;
        setName(world.editType(typeA).name, "alpha");
        setName(world.editType(typeB).name, "bravo");
        const int typeOf[6] = { typeA, typeB, typeA, typeA, typeB, typeA };
        const int troops[6] = { 5, 3, 0, 4, 1, 2 };
        for (int i = 0; i < 6; ++i) {
            world.addUnit(1, typeOf[i], 0, 0);
            world.unit(1, i).troopNumber = uint16_t(troops[i]);
        }
        world.unit(1, 2) = UnitRecord {};
        setState(world.unit(1, 3), 1000);
        s.country(1).unitListLength = 7;
    }
    UnitRecord& unit(int index) { return world.unit(1, index); }
    // The side's list sorted by the key: indexes in order.
    std::vector<int> sorted(int sortKey, int reverse = 0)
    {
        std::vector<int> out;
        for (uint32_t k : sortedSideUnits(s, 1, sortKey, reverse)) {
            EXPECT_EQ(k & 0xFFFF, 1u);
            out.push_back(int(k >> 16));
        }
        return out;
    }

    SmallWorld world { 6, 6 };
    GameState& s = world.state();
    int typeA = 0;
    int typeB = 0;
};

const std::set<int> kEmptySlots = { 2, 3, 6 };

void expectLiveThenEmpty(const std::vector<int>& order, const std::vector<int>& live)
{
    ASSERT_EQ(order.size(), 7u);
    EXPECT_EQ(std::vector<int>(order.begin(), order.begin() + 4), live);
    EXPECT_EQ(std::set<int>(order.begin() + 4, order.end()), kEmptySlots);
}

} // namespace

TEST(SortTroopKeys, TakesTheLastOfEqualKeysAndLeavesShortVectorsAlone)
{
    // Keys compare by their high byte only; the low byte tells equal keys apart.
    std::vector<uint32_t> keys = { 0x0201, 0x0101, 0x0202, 0x0102, 0x0103 };
    sortTroopKeys(keys, [](uint32_t a, uint32_t b) { return (a >> 8) < (b >> 8); });
    EXPECT_EQ(keys, (std::vector<uint32_t> { 0x0103, 0x0102, 0x0101, 0x0201, 0x0202 }));

    int calls = 0;
    auto counting = [&](uint32_t, uint32_t) { return ++calls, false; };
    std::vector<uint32_t> none;
    std::vector<uint32_t> one = { 7 };
    sortTroopKeys(none, counting);
    sortTroopKeys(one, counting);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(one, std::vector<uint32_t> { 7 });
}

TEST(SortTroopKeys, OrdersAsTheSelectionSortWithManyTiesAndKeysNamingNothing)
{
    // The low 16 bits are the field; a field of 0 names nothing when the case says so.
    struct Case {
        size_t count;
        uint32_t distinct;
        bool missing;
    };
    const Case cases[] = { { 2, 1, true }, { 7, 2, false }, { 60, 3, true }, { 300, 40, true }, { 1000, 1000, false },
        { 1000, 25, true } };
    uint32_t seed = 99;
    for (const Case& c : cases) {
        auto names = [&c](uint32_t k) { return !c.missing || (k & 0xFFFF) != 0; };
        auto less = [&](uint32_t a, uint32_t b) {
            if (!names(a) || !names(b))
                return !names(b);
            return (a & 0xFFFF) < (b & 0xFFFF);
        };
        std::vector<uint32_t> keys;
        for (size_t i = 0; i < c.count; ++i) {
            seed = seed * 1103515245u + 12345u;
            keys.push_back(uint32_t(i) << 16 | (seed >> 16) % c.distinct);
        }
        std::vector<uint32_t> expected = keys;
        selectionSort(expected.data(), expected.size(), less);
        sortTroopKeys(keys, less);
        EXPECT_EQ(keys, expected) << c.count << " keys of " << c.distinct << " values";
    }
}

TEST(TroopStateCode, FlagsInOrderOfPrecedenceAndTheActedFlag)
{
    struct Case {
        uint16_t flags;
        int troop;
        int carryOver;
    };
    const Case cases[] = {
        { 0, 0, 0 },
        { kUnitActed, 8, 0 },
        { kUnitStored, 2, 0 },
        { kUnitStored | kUnitActed, 3, 0 },
        { kUnitAboard, 4, 4 },
        { kUnitAboard | kUnitActed, 5, 4 },
        { kUnitCarrying, 6, 6 },
        { kUnitCarrying | kUnitActed, 7, 6 },
        { kUnitAwaitingProduction | kUnitStored, 10, 0 },
        { kUnitAwaitingProduction | kUnitStored | kUnitActed, 11, 0 },
        { kUnitStored | kUnitAboard | kUnitCarrying, 2, 4 },
    };
    for (const Case& c : cases) {
        UnitRecord unit {};
        unit.flags = c.flags;
        EXPECT_EQ(troopStateCode(unit), c.troop) << c.flags;
        EXPECT_EQ(carryOverStateCode(unit), c.carryOver) << c.flags;
    }
}

TEST_F(TroopTable, LiveKeysAreUnitsInPlayBelowTheTablesCount)
{
    EXPECT_TRUE(isLiveTroopKey(s, key(1, 0)));
    EXPECT_FALSE(isLiveTroopKey(s, key(1, 2)));  // empty
    EXPECT_FALSE(isLiveTroopKey(s, key(1, 3)));  // set aside
    EXPECT_FALSE(isLiveTroopKey(s, key(1, 6)));  // past the count
    world.addUnit(8, typeA, 1, 1);
    EXPECT_FALSE(isLiveTroopKey(s, key(8, 0))); // the neutral side's units are never live

    // Presence decides before any field: a missing key is never less than one there, and two
    // missing keys answer "less" so that the sort leaves them be.
    for (int sortKey = 0; sortKey < kTroopSortKeyCount; ++sortKey) {
        EXPECT_FALSE(troopKeyLess(s, sortKey, key(1, 2), key(1, 0))) << sortKey;
        EXPECT_TRUE(troopKeyLess(s, sortKey, key(1, 0), key(1, 3))) << sortKey;
        EXPECT_TRUE(troopKeyLess(s, sortKey, key(1, 2), key(1, 6))) << sortKey;
    }
}

TEST_F(TroopTable, EachKeyOrdersLiveUnitsByItsFieldThenTroopNumberAndEmptySlotsLast)
{
    expectLiveThenEmpty(sorted(0), { 4, 5, 1, 0 });
    // Class: 0 and 5 of type A (19), 1 and 4 of type B (37).
    expectLiveThenEmpty(sorted(1), { 5, 0, 4, 1 });

    unit(0).flags = kUnitActed;                             // 8
    unit(1).flags = kUnitStored;                            // 2
    unit(4).flags = kUnitAwaitingProduction | kUnitStored;  // 10
    unit(5).flags = kUnitAboard | kUnitActed;               // 5
    expectLiveThenEmpty(sorted(2), { 1, 5, 0, 4 });

    unit(0).x = 2, unit(0).y = 3;
    unit(1).x = 1, unit(1).y = 5;
    unit(4).x = 2, unit(4).y = 1;
    unit(5).x = 1, unit(5).y = 5;
    expectLiveThenEmpty(sorted(3), { 5, 1, 4, 0 });

    setName(unit(0).name, "b");
    setName(unit(1).name, "a");
    setName(unit(4).name, "c");
    setName(unit(5).name, "ab");
    expectLiveThenEmpty(sorted(4), { 1, 5, 0, 4 });

    setStrength(unit(0), 3);
    setStrength(unit(1), 2);
    setStrength(unit(4), 3);
    setStrength(unit(5), 1);
    expectLiveThenEmpty(sorted(6), { 5, 1, 4, 0 });

    unit(0).experience = 600;  // level 2
    unit(1).experience = 0;    // level 0
    unit(4).experience = 2600; // level 5
    unit(5).experience = 700;  // level 2
    expectLiveThenEmpty(sorted(7), { 1, 5, 0, 4 });

    unit(0).fatigue = 30, unit(1).fatigue = 30, unit(4).fatigue = 10, unit(5).fatigue = 40;
    expectLiveThenEmpty(sorted(8), { 4, 1, 0, 5 });

    unit(0).fuel = 7, unit(1).fuel = 9, unit(4).fuel = 9, unit(5).fuel = 1;
    expectLiveThenEmpty(sorted(9), { 5, 0, 4, 1 });

    // A key outside 0..9 leaves the slots in table order.
    EXPECT_EQ(sorted(10), (std::vector<int> { 0, 1, 2, 3, 4, 5, 6 }));
}

TEST_F(TroopTable, NamesCompareBoundedWithoutATieBreak)
{
    // Type names: A for 0 and 5, B for 1 and 4; equal names keep no troop-number order.
    const std::vector<int> byType = sorted(5);
    EXPECT_EQ(std::set<int>(byType.begin(), byType.begin() + 2), (std::set<int> { 0, 5 }));
    EXPECT_EQ(std::set<int>(byType.begin() + 2, byType.begin() + 4), (std::set<int> { 1, 4 }));
    EXPECT_FALSE(troopKeyLess(s, 5, key(1, 0), key(1, 5)));
    EXPECT_FALSE(troopKeyLess(s, 5, key(1, 5), key(1, 0)));

    // Two names filling the whole field without a terminator are equal whatever follows them.
    std::memset(unit(0).name, 'z', sizeof unit(0).name);
    std::memset(unit(1).name, 'z', sizeof unit(1).name);
    unit(0).unused35 = 'a';
    unit(1).unused35 = 'b';
    EXPECT_FALSE(troopKeyLess(s, 4, key(1, 0), key(1, 1)));
    EXPECT_FALSE(troopKeyLess(s, 4, key(1, 1), key(1, 0)));
    setName(unit(4).name, "zzz");
    EXPECT_TRUE(troopKeyLess(s, 4, key(1, 4), key(1, 0)));
}

TEST_F(TroopTable, DescendingReversesTheLiveRunOnlyExceptForTheTroopNumber)
{
    // Ascending gives 4 5 1 0, then the empty slots as the swaps left them (3 2 6); the troop
    // number turns the whole list round.
    EXPECT_EQ(sorted(0), (std::vector<int> { 4, 5, 1, 0, 3, 2, 6 }));
    EXPECT_EQ(sorted(0, 1), (std::vector<int> { 6, 2, 3, 0, 1, 5, 4 }));
    unit(0).fuel = 7, unit(1).fuel = 9, unit(4).fuel = 9, unit(5).fuel = 1;
    expectLiveThenEmpty(sorted(9, 1), { 1, 4, 0, 5 });
    // The whole slot range is refilled each time: descending twice is still descending.
    expectLiveThenEmpty(sorted(9, 1), { 1, 4, 0, 5 });
}

TEST_F(TroopTable, CarryOverKeysCountEntriesSetAsideAndIgnoreTheActedFlag)
{
    UnitRecord* list = s.carryOverTable();
    ASSERT_NE(list, nullptr);
    // Entries 0..3 with troop numbers 4, 3, -, 1; entry 2 empty; entry 4 past the count.
    for (int i : { 0, 1, 3, 4 }) {
        list[i] = unit(0);
        setState(list[i], i == 1 ? 1000 : 7);
    }
    list[2] = UnitRecord {};
    list[0].troopNumber = 4, list[1].troopNumber = 3, list[3].troopNumber = 1;
    s.setCarryOverCount(4);
    EXPECT_TRUE(isPresentCarryOverKey(s, 1));
    EXPECT_FALSE(isPresentCarryOverKey(s, 2));
    EXPECT_FALSE(isPresentCarryOverKey(s, 4));

    auto order = [&](int sortKey) {
        std::vector<uint32_t> keys = { 0, 1, 2, 3, 4 };
        sortTroopKeys(keys, [&](uint32_t a, uint32_t b) { return carryOverKeyLess(s, sortKey, a, b); });
        return std::vector<uint32_t>(keys.begin(), keys.begin() + 3);
    };
    EXPECT_EQ(order(0), (std::vector<uint32_t> { 3, 1, 0 }));
    // Acted (8 for a troop key) means nothing here; aboard 4 and carrying 6 do.
    list[3].flags = kUnitActed;
    list[0].flags = kUnitAboard;
    list[1].flags = kUnitCarrying | kUnitStored;
    EXPECT_EQ(order(2), (std::vector<uint32_t> { 3, 0, 1 }));
    list[0].experience = 2500, list[1].experience = 199, list[3].experience = 200;
    EXPECT_EQ(order(7), (std::vector<uint32_t> { 1, 3, 0 }));
}

namespace {

// Four types shaped by hand; their opening numbers run against their ids.
struct HandOrderedTypes : ::testing::Test {
    HandOrderedTypes()
    {
        const auto& types = s.unitTypes();
        for (int i = 0; i < 4; ++i)
            ids[i] = uint32_t(types[size_t(i)].id);
        struct Shape {
            uint16_t key;
            uint8_t unitClass;
            const char* name;
            uint8_t members;
            uint32_t price;
        };
        const Shape shapes[4] = {
            { 40, 5, "delta", 4, 100 },
            { 30, 2, "bravo", 2, 0x90000000u }, // a cost past the signed range: negative
            { 20, 5, "charlie", 4, 100 },
            { 10, 2, "bravo", 1, 300 },
        };
        for (int i = 0; i < 4; ++i) {
            UnitTypeRecord& t = world.editType(int(ids[i]));
            t.key = shapes[i].key;
            t.unitClass = shapes[i].unitClass;
            setName(t.name, shapes[i].name);
            t.members = shapes[i].members;
            t.memberPrice = shapes[i].price;
        }
    }
    std::vector<uint32_t> sortedBy(bool (*less)(const GameState&, uint32_t, uint32_t))
    {
        std::vector<uint32_t> list(ids, ids + 4);
        sortTroopKeys(list, [&](uint32_t a, uint32_t b) { return less(s, a, b); });
        return list;
    }
    std::vector<uint32_t> in(std::initializer_list<int> order) const
    {
        std::vector<uint32_t> out;
        for (int i : order)
            out.push_back(ids[i]);
        return out;
    }

    SmallWorld world { 4, 4 };
    GameState& s = world.state();
    uint32_t ids[4] = {};
};

} // namespace

TEST_F(HandOrderedTypes, PredicatesTieByTheOpeningNumberNotTheId)
{
    EXPECT_EQ(sortedBy(unitTypeLessByClass), in({ 3, 1, 2, 0 }));
    EXPECT_EQ(sortedBy(unitTypeLessBySecondKey), in({ 3, 1, 2, 0 }));
    // 2 × 0x90000000 wraps to 0x20000000; 1 × 300 is smaller; 4 × 100 ties by number.
    EXPECT_EQ(sortedBy(unitTypeLessByCost), in({ 3, 2, 0, 1 }));
    world.editType(int(ids[1])).members = 1;
    EXPECT_EQ(sortedBy(unitTypeLessByCost), in({ 1, 3, 2, 0 }));
    const std::vector<uint32_t> byName = sortedBy(unitTypeLessByName);
    EXPECT_EQ(std::set<uint32_t>(byName.begin(), byName.begin() + 2), (std::set<uint32_t> { ids[1], ids[3] }));
    EXPECT_EQ(std::vector<uint32_t>(byName.begin() + 2, byName.end()), in({ 2, 0 }));
    // An id the table does not know goes behind.
    EXPECT_FALSE(unitTypeLessByClass(s, 14999, ids[0]));
    EXPECT_TRUE(unitTypeLessByName(s, ids[0], 14999));
}

TEST_F(HandOrderedTypes, ProducibleListSortsByKey)
{
    ProductionTypeRecord production {};
    setName(production.name, "hand");
    for (uint32_t id : ids)
        production.setProducible(int(id), true);
    s.setUserProductionType(0, production);
    for (uint32_t id : ids)
        world.editType(int(id)).available = 1, world.editType(int(id)).baseType = 0;
    std::vector<uint32_t> list = producibleUnitTypes(s, producibleFilterOf(kFirstUserProductionType));
    sortProducibleTypes(s, 0, list);
    EXPECT_EQ(list, in({ 3, 1, 2, 0 }));
    sortProducibleTypes(s, 3, list);
    EXPECT_EQ(list, in({ 3, 2, 0, 1 }));
    // An order outside 0..3 leaves the list as it is.
    sortProducibleTypes(s, 4, list);
    EXPECT_EQ(list, in({ 3, 2, 0, 1 }));
}

TEST(ProducibleList, FilterAvailabilityWarheadsAndVariants)
{
    SmallWorld world(4, 4);
    GameState& s = world.state();
    const auto& types = s.unitTypes();
    int a = types[0].id;
    int b = types[1].id;
    int c = types[2].id;
    for (int id : { a, b, c }) {
        world.editType(id).available = 1;
        world.editType(id).baseType = 0;
        world.editType(id).unitClass = 0;
    }
    world.editType(c).unitClass = kWarheadClass;
    ProductionTypeRecord production {};
    production.setProducible(a, true);
    production.setProducible(b, true);
    production.setProducible(c, true);
    s.setUserProductionType(0, production);
    const int user = producibleFilterOf(kFirstUserProductionType);
    EXPECT_EQ(producibleUnitTypes(s, user), (std::vector<uint32_t> { uint32_t(a), uint32_t(b) }));
    world.editType(a).available = 0;
    EXPECT_EQ(producibleUnitTypes(s, user), (std::vector<uint32_t> { uint32_t(b) }));
    // A derived type whose base number lies at or below its own is left out.
    world.editType(b).baseType = uint16_t(b);
    EXPECT_TRUE(producibleUnitTypes(s, user).empty());
    world.editType(b).baseType = 0;

    world.editType(a).available = 1;
    std::vector<uint32_t> all = producibleUnitTypes(s, 0);
    EXPECT_EQ(std::count(all.begin(), all.end(), uint32_t(c)), 0);
    EXPECT_EQ(std::count(all.begin(), all.end(), uint32_t(a)), 1);
}

TEST(ProducibleList, LastBuiltInAndFirstUserProductionTypesAreDistinctFilters)
{
    SmallWorld world(4, 4);
    GameState& s = world.state();
    const int a = s.unitTypes()[0].id;
    const int b = s.unitTypes()[1].id;
    for (int id : { a, b })
        world.editType(id).available = 1, world.editType(id).baseType = 0, world.editType(id).unitClass = 0;
    ProductionTypeRecord builtin {};
    builtin.setProducible(a, true);
    ProductionTypeRecord user {};
    user.setProducible(b, true);
    s.setBuiltinProductionType(kFirstUserProductionType - 1, builtin);
    s.setUserProductionType(0, user);
    EXPECT_EQ(producibleUnitTypes(s, producibleFilterOf(kFirstUserProductionType - 1)), std::vector<uint32_t> { uint32_t(a) });
    EXPECT_EQ(producibleUnitTypes(s, producibleFilterOf(kFirstUserProductionType)), std::vector<uint32_t> { uint32_t(b) });
    // A filter naming no production type gives an empty list.
    EXPECT_TRUE(producibleUnitTypes(s, producibleFilterOf(kFirstUserProductionType + kUserProductionTypeCount)).empty());
}
