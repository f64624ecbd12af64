// The phase explanation and its never-again box, and the income window's figures and closing.
#include "dialogs/phase_help_dialog.h"
#include "infowin/income_window.h"

#include "state/game_settings.h"
#include "tests/dialogs/dialog_world.h"

#include <gtest/gtest.h>

using namespace dialogs_test;

TEST(PhaseHelpDialog, PhasesTwoToSixHaveWordsAndTheOthersNone)
{
    for (int phase = 0; phase <= 7; ++phase) {
        const bool explained = phase >= 2 && phase <= 6;
        EXPECT_EQ(PhaseHelpDialog::title(phase).empty(), !explained) << "phase " << phase;
        EXPECT_EQ(PhaseHelpDialog::text(phase).empty(), !explained) << "phase " << phase;
    }
    EXPECT_EQ(platform::cp932ToUtf8(PhaseHelpDialog::title(3)), "補給フェイズ");
    EXPECT_EQ(platform::cp932ToUtf8(PhaseHelpDialog::text(2)).substr(0, 24), "【収入フェイズ】");
}

TEST(PhaseHelpDialog, TheBoxWritesThePhaseKeyAtOnceAndTheCloseBoxCountsAsOk)
{
    DialogWorld world;
    world.state().turnBlock().phase = 5;
    const auto key = makeNamedValue("FaseAction");
    PhaseHelpDialog dialog(makeWindowContext(world.state()), world.owner());
    std::string title;
    popup_test::drive([&] { return dialog.run(); }, [&](HWND window) {
        char text[64] = {};
        GetWindowTextA(window, text, sizeof text);
        title = text;
        RECT client {};
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, PhaseHelpDialog::kWidth);
        EXPECT_EQ(client.bottom, PhaseHelpDialog::kHeight);
        popup_test::clickItem(window, PhaseHelpDialog::kNeverAgain);
        EXPECT_EQ(key.profileReadInt(-1), 0) << "written when the box is clicked, not when the dialog closes";
        EXPECT_FALSE(world.state().isPhaseHelpEnabled(5));
        popup_test::clickItem(window, PhaseHelpDialog::kNeverAgain);
        EXPECT_EQ(key.profileReadInt(-1), 1) << "unchecked again: explained again";
        PostMessageA(window, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(platform::cp932ToUtf8(title), "行動フェイズ");
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_TRUE(world.state().isPhaseHelpEnabled(5));
}

namespace {

// The first pixel (0xRRGGBB) of the rectangle that is not the field's own: the text's colour.
uint32_t inkColour(HWND window, RECT area)
{
    RECT outer {};
    GetWindowRect(window, &outer);
    const harness::Image image = harness::readRect(outer);
    auto at = [&](int x, int y) {
        POINT p { x, y };
        ClientToScreen(window, &p);
        return image.at(p.x - outer.left, p.y - outer.top) & 0xFFFFFF;
    };
    const uint32_t ground = at(area.left, area.top);
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (at(x, y) != ground)
                return at(x, y);
    return ground;
}

int inkPixels(HWND window, RECT area)
{
    RECT outer {};
    GetWindowRect(window, &outer);
    const harness::Image image = harness::readRect(outer);
    int ink = 0;
    uint32_t ground = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            POINT p { x, y };
            ClientToScreen(window, &p);
            const uint32_t pixel = image.at(p.x - outer.left, p.y - outer.top) & 0xFFFFFF;
            if (x == area.left && y == area.top)
                ground = pixel;
            ink += pixel != ground;
        }
    return ink;
}

} // namespace

TEST(IncomeWindow, FundsAtTheCeilingStandOutAndTheRateReadsDashesWithoutTheMarket)
{
    DialogWorld world;
    world.state().turnBlock().currentCountry = 2;
    world.state().turnBlock().viewingCountry = 2;
    CountryRecord& country = world.state().country(2);
    country.fundsCeiling = 50000;
    country.marketRate = 120;
    const RECT funds { 192, 36, 252, 48 };
    const RECT rate { 228, 60, 252, 72 };
    struct Case {
        uint32_t funds;
        bool market;
        bool highlighted;
    } cases[] = { { 50000, true, true }, { 49999, false, false } };
    int dashes = 0, percent = 0;
    for (const Case& c : cases) {
        country.funds = c.funds;
        world.setRule(kRuleMarketRate, c.market ? 1 : 0);
        IncomeWindow window(makeWindowContext(world.state()), world.owner(), 321);
        popup_test::drive([&] { return window.run(); }, [&](HWND popup) {
            EXPECT_EQ(inkColour(popup, funds), c.highlighted ? 0x00C8F0u : 0xFFFFFFu);
            (c.market ? percent : dashes) = inkPixels(popup, rate);
            popup_test::clickItem(popup, IncomeWindow::kCloseButton);
        });
        EXPECT_EQ(window.result(), 1);
    }
    EXPECT_GT(percent, dashes) << "\"120%\" against \"--\"";
    EXPECT_GT(dashes, 0);
}

TEST(IncomeWindow, ALeftDragMovesItAndARightClickAnywhereClosesIt)
{
    DialogWorld world;
    IncomeWindow window(makeWindowContext(world.state()), world.owner(), 10);
    popup_test::drive([&] { return window.run(); }, [&](HWND popup) {
        RECT before {};
        GetWindowRect(popup, &before);
        const POINT grip = popup_test::screenPoint(popup, 60, 100);
        harness::mouseDown(grip.x, grip.y);
        harness::mouseMove(grip.x + 30, grip.y + 20);
        harness::mouseUp(grip.x + 30, grip.y + 20);
        popup_test::settle();
        RECT after {};
        GetWindowRect(popup, &after);
        EXPECT_EQ(after.left - before.left, 30);
        EXPECT_EQ(after.top - before.top, 20);
        EXPECT_TRUE(IsWindow(popup));
        popup_test::clickClient(popup, 60, 100, harness::Button::Right);
    });
    EXPECT_EQ(window.result(), 0);
}
