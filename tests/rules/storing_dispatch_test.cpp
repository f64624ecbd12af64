// The command codes of storing, boarding, civilians, exchange and mine clearing reach their executors with their values.
#include "rules/command_dispatch.h"
#include "rules/commands.h"
#include "rules/mines.h"
#include "rules/weapon_exchange.h"

#include "tests/rules/storing_world.h"

#include <gtest/gtest.h>

using testing_rules::StoringWorld;

namespace {

CommandRun run(int code, int target, int extra = -1)
{
    CommandRun values;
    values.code = code;
    values.target = target;
    values.extra = extra;
    return values;
}

} // namespace

TEST(StoringDispatch, AfterAMoveTheTargetAndExtraValuesReachTheExecutor)
{
    StoringWorld world;
    const int carrier = world.placeUnit(0, world.other, 2, 2);
    const int u = world.addUnit(0, world.plain, 2, 2);
    world.act(0, u);
    CommandRun board = run(kCommandBoard, 0, carrier);
    ASSERT_TRUE(runExecutorAfterMove(world.state(), board));
    EXPECT_EQ(world.unit(0, carrier).carriedUnits[0], u + 1);

    const int civilian = world.placeUnit(8, world.plain, 3, 2);
    world.act(0, carrier);
    CommandRun take = run(kCommandTakeCivilians, int(packHex(3, 2)));
    ASSERT_TRUE(runExecutorAfterMove(world.state(), take));
    EXPECT_TRUE(world.unit(8, civilian).hasFlag(kUnitAboard));

    world.cell(1, 2).mineKind = kSeaMineKind;
    world.cell(1, 3).mineKind = kLandMineKind;
    CommandRun sweep = run(kCommandSweepSeaMines, int(packHex(1, 2)));
    CommandRun clear = run(kCommandClearLandMines, int(packHex(1, 3)));
    ASSERT_TRUE(runExecutorAfterMove(world.state(), sweep));
    ASSERT_TRUE(runExecutorAfterMove(world.state(), clear));
    EXPECT_EQ(world.cell(1, 2).mineKind, 0);
    EXPECT_EQ(world.cell(1, 3).mineKind, 0);
}

TEST(StoringDispatch, InPlaceCodesRunWithoutAMove)
{
    StoringWorld world;
    world.editType(world.plain).baseType = uint16_t(world.third + 1);
    world.editType(world.plain).model[2].fuel = 33;
    const int u = world.placeUnit(0, world.plain, 2, 2);
    world.act(0, u);
    runInPlaceExecutor(world.state(), kCommandArmamentExchange, 2, -1);
    EXPECT_EQ(world.unit(0, u).model, 2) << "extra -1 buys the armament";
    world.unit(0, u).flags = 0;
    runInPlaceExecutor(world.state(), kCommandTransform, 0, -1);
    EXPECT_EQ(world.unit(0, u).unitTypeId, world.third);
    runInPlaceExecutor(world.state(), kCommandDisband, 0, -1);
    EXPECT_FALSE(unitExists(world.unit(0, u)));
}
