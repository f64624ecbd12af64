// The battle results window: the current country's twelve figures, capped and dashed, another's
// kept unknown, and none while the neutral side acts.
#include "infowin/senka_info_window.h"

#include "infowin/panel_text.h"
#include "tests/infowin/info_world.h"
#include "ui/private_messages.h"

#include <cstring>

using namespace info_test;

TEST(CappedFigure, DashesBelowZeroAndTheLargestFigureAbove)
{
    EXPECT_EQ(panel::cappedFigure(-1, 9), "--------");
    EXPECT_EQ(panel::cappedFigure(0, 9), "        0");
    EXPECT_EQ(panel::cappedFigure(999999999, 9), "999999999");
    EXPECT_EQ(panel::cappedFigure(1000000000, 9), "999999999");
    EXPECT_EQ(panel::cappedFigure(int64_t(1) << 40, 9), "999999999");
    EXPECT_EQ(panel::cappedFigure(123, 8), "     123");
    EXPECT_EQ(panel::cappedFigure(100000000, 8), "99999999");
}

namespace {

class BattleResults : public ::testing::Test {
protected:
    BattleResults()
    {
        const uint16_t limit = 30;
        s.mapHeader().turnLimit = limit;
        s.turnBlock().turn = 12;
        CountryRecord& red = s.country(0);
        red.controller = 1;
        red.inPlay = 1;
        red.allianceMask = 0x03;
        red.runningTotal = 3000;
        red.fundsSpent = 3500;
        red.membersAtStart = 40;
        red.membersLost = 15;
        const int city = info.world.terrainOfKind(13);
        info.world.placeBuilding(city, 0, 1, 1);
        info.world.placeBuilding(city, 1, 2, 1);
        info.world.placeBuilding(city, 2, 3, 1);
        info.world.placeBuilding(city, -1, 4, 1);
    }
    InfoWorld info;
    GameState& s = info.state();
};

// Black pixels of the figure in row i.
int figureInk(const Image& image, int i)
{
    const int y = SenkaInfoWindow::kRows[i];
    return countColour(image, 133, y, 205, y + 16, kBlackPixel);
}

} // namespace

TEST_F(BattleResults, FiguresOfTheCurrentCountry)
{
    const SenkaFigures f = senkaFigures(s, 0);
    const int64_t expected[12] = { 30, 12, 18, 3000, 3500, -500, 40, 15, 25, 4, 2, 2 };
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(f.values[i], expected[i]) << "row " << i;
    EXPECT_EQ(panel::cappedFigure(f.values[5], 9), "--------") << "more spent than obtained";
}

TEST_F(BattleResults, WindowShowsFiguresOnlyForACountrysTurn)
{
    s.turnBlock().currentCountry = 0;
    SenkaInfoWindow* window = SenkaInfoWindow::open(info.context(), &info.owner);
    ASSERT_NE(window, nullptr);
    testing_lib::pump();
    Image shown = clientImage(window->handle());
    saveShot(shown, "results_window");
    ASSERT_EQ(shown.width, SenkaInfoWindow::kWidth);
    ASSERT_EQ(shown.height, SenkaInfoWindow::kHeight);
    for (int i = 0; i < 12; ++i)
        EXPECT_GT(figureInk(shown, i), 3) << "row " << i;

    // Another country's turn: its own figures stay as unknown as the country information keeps them.
    s.turnBlock().currentCountry = 1;
    SendMessageA(window->handle(), ui_message::kResultsRefresh, 0, 0);
    const Image before = clientImage(window->handle());
    s.country(1).runningTotal = 777;
    s.country(1).membersLost = 9;
    SendMessageA(window->handle(), ui_message::kResultsRefresh, 0, 0);
    EXPECT_EQ(clientImage(window->handle()).pixels, before.pixels);

    s.turnBlock().currentCountry = 8;
    SendMessageA(window->handle(), ui_message::kResultsRefresh, 0, 0);
    shown = clientImage(window->handle());
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(figureInk(shown, i), 0) << "the neutral side has no record, row " << i;

    const POINT p = screenOf(window->handle(), 100, 100);
    harness::click(p.x, p.y, harness::Button::Right);
    testing_lib::pump();
    EXPECT_EQ(info.owner.count(ui_message::kCloseResults), 1);
}
