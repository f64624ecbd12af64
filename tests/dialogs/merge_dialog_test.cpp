// The merge and split dialogs driven by injected input: the arrows move machines and grey out as
// the units fill or empty, the carry-out button passes the right-hand count, and the machines and
// previews are drawn where they stand.
#include "dialogs/merge_dialog.h"

#include "rules/machine_transfer.h"
#include "tests/dialogs/play_dialog_world.h"

using namespace play_dialogs;

namespace {

struct MergeButtons {
    bool execute, toLeft, toRight;
    bool operator==(const MergeButtons&) const = default;
};

MergeButtons mergeButtonsOf(HWND d) { return { itemEnabled(d, int(merge_id::kExecute)), itemEnabled(d, int(merge_id::kToLeft)), itemEnabled(d, int(merge_id::kToRight)) }; }

// Machine icons drawn in a row of 16-pixel cells: cells where the figure covers some of the well.
int drawnMachines(const Image& image, int left, int right, uint32_t well)
{
    int cells = 0;
    for (int x = left; x + 16 <= right; x += 16)
        cells += 256 - countColour(image, x, 72, x + 16, 88, well) >= 12;
    return cells;
}

} // namespace

TEST(SplitDialog, MovesMachinesBothWaysAndCarriesTheRightHandCount)
{
    PlayWorld world(5);
    const int unit = world.info.world.placeUnit(0, kInfantry, 4, 4);
    UnitRecord& infantry = world.info.world.unit(0, unit);
    for (int i = 5; i < 10; ++i)
        infantry.memberStrengths[i] = 0;
    SplitDialog dialog(makeWindowContext(world.state()), &world.info.owner, 0, unit, 4, 4, 5, 4);
    std::vector<MergeButtons> states;
    int leftDrawn = 0, rightDrawn = 0;
    const INT_PTR result = drive(cp("分散"), [&] { return dialog.run(); }, [&](HWND d) {
        states.push_back(mergeButtonsOf(d));
        const Image image = clientImage(d);
        // The left row's last cell stands empty.
        const uint32_t well = rgb(image, 160, 80);
        leftDrawn = drawnMachines(image, 8, 168, well);
        rightDrawn = drawnMachines(image, 270, 430, well);
        keepShot(image, "split_dialog.png");
        clickDialogItem(d, int(merge_id::kToRight));
        states.push_back(mergeButtonsOf(d));
        clickDialogItem(d, int(merge_id::kToLeft));
        clickDialogItem(d, int(merge_id::kToLeft));
        clickDialogItem(d, int(merge_id::kToLeft));
        states.push_back(mergeButtonsOf(d));
        clickDialogItem(d, int(merge_id::kExecute));
    });
    EXPECT_EQ(leftDrawn, 2);
    EXPECT_EQ(rightDrawn, 3) << "five machines split three and two";
    EXPECT_EQ(states, (std::vector<MergeButtons> { { true, true, true }, { true, true, false }, { true, false, true } }));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(dialog.rightCount(), 1);
    EXPECT_EQ(strengthSlotCount(infantry), 5) << "the dialog works on copies";
}

TEST(MergeDialog, ButtonsFollowTheMovesAndTheRightButtonCancels)
{
    PlayWorld world(5);
    world.info.world.editType(kTank).members = 4;
    const int acting = world.info.world.placeUnit(0, kTank, 4, 4);
    const int partner = world.info.world.placeUnit(0, kTank, 5, 4);
    world.info.world.unit(0, acting).memberStrengths[3] = 0;
    world.info.world.unit(0, partner).memberStrengths[2] = 0;
    world.info.world.unit(0, partner).memberStrengths[3] = 0;
    world.info.world.unit(0, acting).experience = 1200;
    MergeDialog dialog(makeWindowContext(world.state()), &world.info.owner, 0, acting, partner, 4, 4);
    std::vector<MergeButtons> states;
    int experience = -1;
    const INT_PTR result = drive(cp("合流"), [&] { return dialog.run(); }, [&](HWND d) {
        states.push_back(mergeButtonsOf(d));
        clickDialogItem(d, int(merge_id::kToRight));
        states.push_back(mergeButtonsOf(d));
        clickDialogItem(d, int(merge_id::kToRight));
        states.push_back(mergeButtonsOf(d));
        experience = dialog.transfer().right().experience;
        keepShot(clientImage(d), "merge_dialog.png");
        clickAt(d, 300, 60, platform::harness::Button::Right);
    });
    EXPECT_EQ(states, (std::vector<MergeButtons> { { false, false, true }, { true, true, true }, { true, true, false } }));
    EXPECT_EQ(experience, 1200 * 2 / 4) << "two of four machines bring the acting unit's experience";
    EXPECT_EQ(result, 0);
}

TEST(MergeDialog, ClosesWhenPlayStops)
{
    PlayWorld world(5);
    const int acting = world.info.world.placeUnit(0, kTank, 4, 4);
    const int partner = world.info.world.placeUnit(0, kTank, 5, 4);
    MergeDialog dialog(makeWindowContext(world.state()), &world.info.owner, 0, acting, partner, 4, 4);
    bool closed = false;
    const INT_PTR result = drive(cp("合流"), [&] { return dialog.run(); }, [&](HWND d) {
        world.state().handshake().setPlayRunning(false);
        closed = closes(d);
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(result, 0);
}
