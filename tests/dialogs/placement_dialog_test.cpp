// The developer's placement dialog: every type of the production type in grey, the warnings of an
// empty choice and of a type the hex refuses, and a unit placed free of charge.
#include "dialogs/placement_dialog.h"

#include "dialogs/production_dialog.h"
#include "tests/dialogs/play_dialog_world.h"
#include "tests/state/packed_value.h"

#include <algorithm>

using namespace play_dialogs;

TEST(PlacementDialog, PlacesAnyTypeOfTheProductionTypeFreeOfCharge)
{
    PlayWorld world(5);
    GameState& s = world.state();
    const uint32_t funds = s.country(0).funds;
    PlacementDialog dialog(makeWindowContext(world.state()), &world.info.owner, 4, 4, 0);
    int rows = 0, black = -1;
    const INT_PTR result = drive(cp("生 産"), [&] { return dialog.run(); }, [&](HWND d) {
        HWND list = GetDlgItem(d, int(production_id::kTypeList));
        rows = int(SendMessageA(list, LB_GETCOUNT, 0, 0));
        const Image image = clientImage(list);
        // Inside each row: the focus frame of the row the keys are on lies on its edge.
        black = 0;
        for (int row = 0; row < rows; ++row)
            black += countColour(image, 18, 17 * row + 1, 99, 17 * row + 16, kBlackPixel);
        keepShot(clientImage(d), "placement_dialog.png");
        clickDialogItem(d, int(production_id::kOk));
        const auto& ids = dialog.typeIds();
        clickRow(list, int(std::find(ids.begin(), ids.end(), uint32_t(kDestroyer)) - ids.begin()), true);
        clickRow(list, int(std::find(ids.begin(), ids.end(), uint32_t(kTank)) - ids.begin()), true);
    });
    EXPECT_EQ(rows, 4) << "no domain filter: the destroyer is listed on land";
    EXPECT_EQ(black, 0) << "every row grey";
    EXPECT_EQ(boxTexts(), (std::vector<std::string> { "配置する兵器を選択してください。", "この地点に兵器を配置することができませんでした。" }));
    EXPECT_EQ(result, 1);
    UnitRef placed {};
    ASSERT_TRUE(s.unitRefInHex(4, 4, 0, placed));
    EXPECT_EQ(s.unitOf(0, placed.index)->unitTypeId, kTank);
    EXPECT_EQ(packed(s.country(0).funds), funds);
}
